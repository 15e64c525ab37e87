// Sounds, tunes and videos that could not be played. The game plays on without them, and
// each is told once on standard error with its file, however often the game asks for it.
#pragma once

#include <filesystem>
#include <iostream>
#include <set>
#include <string>

namespace vk::sdl {

class DamagedFiles {
  public:
    explicit DamagedFiles(std::ostream& out = std::cerr) : out_(out) {}
    // Marks the file damaged and says what and why; ask known() first, to say it once.
    void report(const std::filesystem::path& file, const std::string& what,
                const std::string& reason);
    // Whether the file was found damaged before: it is not decoded again.
    bool known(const std::filesystem::path& file) const { return files_.contains(file); }

  private:
    std::ostream& out_;
    std::set<std::filesystem::path> files_;
};

}  // namespace vk::sdl
