// The settings file on disk: read with a size cap, replaced atomically in the real file's
// folder (a symbolic link stays a link), locked against other games saving at the same
// time, and damaged versions kept as numbered copies beside it.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace vk::settings_file {

// The file a path names once symbolic links are followed, also a link whose target does
// not exist yet; the path itself when it is no link.
std::filesystem::path resolveLinks(const std::filesystem::path& file);

// An exclusive advisory lock on a folder, held while the object lives: every game saving
// in that folder takes it, so their read, merge and replace steps never interleave. Where
// the folder cannot be locked (a file system without locks), or another process holds the
// lock beyond `limit` or until `giveUp` turns true, the game goes on unlocked: a save
// never freezes the game.
class FolderLock {
  public:
    FolderLock(const std::filesystem::path& folder, std::chrono::milliseconds limit,
               const std::atomic<bool>* giveUp = nullptr);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

  private:
    int fd_ = -1;
};

// Which version of a file was last seen: a save replaces the file, so the identity changes.
struct Stamp {
    unsigned long long device = 0, inode = 0, size = 0;
    long long modifiedSeconds = 0, modifiedNanos = 0;
    bool exists = false;
    bool operator==(const Stamp&) const = default;
};
Stamp stampOf(const std::filesystem::path& file);

struct Contents {
    enum class State { Missing, Unreadable, Read };
    State state = State::Missing;
    std::string bytes;       // at most the cap
    bool oversized = false;  // the file holds more than the cap; bytes are its beginning
    Stamp stamp;
    std::string problem;  // why it is unreadable
};
// Reads at most `cap` bytes, so a huge file costs no more than a normal one.
Contents read(const std::filesystem::path& file, std::size_t cap);

// Writes the text to a new temporary file beside `file`, flushes it to disk and renames
// it over `file`: a crash leaves the old file or the new one, never a torn mix. The
// temporary file is created exclusively, never opened through an existing name. Returns
// the problem, if any.
std::optional<std::string> replaceAtomically(const std::filesystem::path& file,
                                             const std::string& text);

// Keeps the file as it is now under the next free name "<name>.corrupt-<n>" (never one
// that exists) and removes all but the newest `keep` of those copies.
struct Copy {
    std::filesystem::path file;  // empty when no copy could be made
    std::string problem;
};
// Only names "<name>.corrupt-<n>" with n from 1 to kLastCopyNumber are this game's: others
// are neither counted nor removed.
Copy keepNumberedCopy(const std::filesystem::path& file, int keep);
constexpr long long kLastCopyNumber = 999999;

// A save killed before its rename leaves a temporary file behind. Those of processes that
// are gone are removed; a live process's temporary file may be a save in progress.
void removeStaleTemporaries(const std::filesystem::path& file);

}  // namespace vk::settings_file
