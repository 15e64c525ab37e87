#include "runtime/sdl/damaged_files.h"

namespace vk::sdl {

void DamagedFiles::report(const std::filesystem::path& file, const std::string& what,
                          const std::string& reason) {
    files_.insert(file);
    out_ << "Vorkala: cannot play the " << what << " " << file.string() << " (" << reason
         << "); the game goes on without it\n";
}

}  // namespace vk::sdl
