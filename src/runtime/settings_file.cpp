#include "runtime/settings_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <random>
#include <system_error>
#include <thread>
#include <vector>

namespace vk::settings_file {

namespace fs = std::filesystem;

namespace {

std::string lastSystemError() { return std::error_code(errno, std::generic_category()).message(); }

fs::path folderOf(const fs::path& file) {
    return file.parent_path().empty() ? fs::path(".") : file.parent_path();
}

Stamp stampFrom(const struct stat& status) {
    return {static_cast<unsigned long long>(status.st_dev),
            static_cast<unsigned long long>(status.st_ino),
            static_cast<unsigned long long>(status.st_size),
            static_cast<long long>(status.st_mtim.tv_sec),
            static_cast<long long>(status.st_mtim.tv_nsec),
            true};
}

bool writeAll(int fd, const char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t written = ::write(fd, data + done, size - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Reads up to `limit` bytes; false on a read error.
bool readUpTo(int fd, std::size_t limit, std::string& into) {
    into.resize(limit);
    std::size_t done = 0;
    while (done < limit) {
        const ssize_t got = ::read(fd, into.data() + done, limit - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    into.resize(done);
    return true;
}

// Flushes and closes a file written through `fd`. Returns the problem, if any.
std::optional<std::string> finishWriting(int fd, const fs::path& file) {
    std::optional<std::string> problem;
    if (::fsync(fd) != 0) problem = "cannot flush " + file.string() + ": " + lastSystemError();
    if (::close(fd) != 0 && !problem)
        problem = "cannot close " + file.string() + ": " + lastSystemError();
    return problem;
}

// Makes a rename or a new name survive a crash; a failure here loses nothing written.
void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// The number after `prefix` in a name made only of the prefix and digits.
std::optional<long long> numberAfter(const std::string& name, const std::string& prefix,
                                     std::size_t maxDigits) {
    if (name.rfind(prefix, 0) != 0) return std::nullopt;
    const std::string digits = name.substr(prefix.size());
    if (digits.empty() || digits.size() > maxDigits ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoll(digits);
}

constexpr std::size_t digitCount(long long number) {
    std::size_t digits = 1;
    for (; number >= 10; number /= 10) ++digits;
    return digits;
}

std::string copyPrefix(const fs::path& file) { return file.filename().string() + ".corrupt-"; }

// The numbers of this game's copies: written without leading zeros, up to kLastCopyNumber.
std::vector<long long> copyNumbers(const fs::path& file) {
    std::vector<long long> numbers;
    std::error_code error;
    const std::string prefix = copyPrefix(file);
    for (const auto& entry : fs::directory_iterator(folderOf(file), error)) {
        const std::string name = entry.path().filename().string();
        const auto n = numberAfter(name, prefix, digitCount(kLastCopyNumber));
        if (n && *n >= 1 && *n <= kLastCopyNumber && name[prefix.size()] != '0')
            numbers.push_back(*n);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

fs::path copyName(const fs::path& file, long long number) {
    fs::path copy = file;
    copy += ".corrupt-" + std::to_string(number);
    return copy;
}

// Removes all but the newest `keep` copies, `made` among them. Numbers start again from 1
// after the last one, so those above `made` are older than those below it.
void removeOldestCopies(const fs::path& file, long long made, int keep) {
    std::vector<long long> older = copyNumbers(file);
    std::erase(older, made);
    std::rotate(older.begin(), std::upper_bound(older.begin(), older.end(), made), older.end());
    for (std::size_t i = 0; i + static_cast<std::size_t>(keep) < older.size() + 1; ++i) {
        std::error_code ignored;
        fs::remove(copyName(file, older[i]), ignored);
    }
}

// Copies the bytes into a name that must not exist yet, for file systems without hard links.
std::optional<std::string> copyExclusively(const fs::path& from, const fs::path& to) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (in < 0) return "cannot read " + from.string() + ": " + lastSystemError();
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (out < 0) {
        const std::string problem = "cannot create " + to.string() + ": " + lastSystemError();
        ::close(in);
        return problem;
    }
    std::optional<std::string> problem;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) problem = "cannot read " + from.string() + ": " + lastSystemError();
        if (got <= 0) break;
        if (!writeAll(out, buffer, static_cast<std::size_t>(got))) {
            problem = "cannot write " + to.string() + ": " + lastSystemError();
            break;
        }
    }
    ::close(in);
    const auto finished = finishWriting(out, to);
    if (!problem) problem = finished;
    if (problem) ::unlink(to.c_str());
    return problem;
}

// Creates "<file>.tmp-<pid>-<six letters>" exclusively, with the permissions the umask
// leaves of read and write for everyone, as any new file. Returns the descriptor or -1.
int createTemporaryBeside(const fs::path& file, std::string& name) {
    static std::atomic<unsigned> counter{0};
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned long long bits = (static_cast<unsigned long long>(random()) << 20) ^ ++counter;
        std::string suffix;
        for (int i = 0; i < 6; ++i, bits /= 62) suffix += kLetters[bits % 62];
        name = file.string() + ".tmp-" + std::to_string(::getpid()) + "-" + suffix;
        const int fd =
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

fs::path resolveLinks(const fs::path& file) {
    fs::path current = file;
    for (int hop = 0; hop < 40; ++hop) {  // a loop of links ends here
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(current, error))) return current;
        const fs::path target = fs::read_symlink(current, error);
        if (error) return current;
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return current;
}

FolderLock::FolderLock(const fs::path& folder, std::chrono::milliseconds limit,
                       const std::atomic<bool>* giveUp) {
    fd_ = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    // Polled rather than waited for, so that the wait has an end.
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline ||
            (giveUp && giveUp->load())) {
            ::close(fd_);
            fd_ = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

Stamp stampOf(const fs::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) return {};
    return stampFrom(status);
}

Contents read(const fs::path& file, std::size_t cap) {
    Contents contents;
    // Not blocking: a pipe put where the file should be must not hang the game.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return contents;  // a first run
        contents.state = Contents::State::Unreadable;
        contents.problem = lastSystemError();
        return contents;
    }
    struct stat status {};
    contents.state = Contents::State::Unreadable;
    const bool known = ::fstat(fd, &status) == 0;
    if (known && !S_ISREG(status.st_mode)) {
        contents.problem = "not a regular file";
    } else if (!known || !readUpTo(fd, cap + 1, contents.bytes)) {
        contents.problem = lastSystemError();
    } else {
        contents.state = Contents::State::Read;
        contents.stamp = stampFrom(status);
        contents.oversized = contents.bytes.size() > cap;
        if (contents.oversized) contents.bytes.resize(cap);
    }
    ::close(fd);
    if (contents.state != Contents::State::Read) contents.bytes.clear();
    return contents;
}

std::optional<std::string> replaceAtomically(const fs::path& file, const std::string& text) {
    std::error_code error;
    if (!file.parent_path().empty()) fs::create_directories(file.parent_path(), error);
    if (error)
        return "cannot create folder " + file.parent_path().string() + ": " + error.message();

    std::string temporary;
    const int fd = createTemporaryBeside(file, temporary);
    if (fd < 0) return "cannot create a file beside " + file.string() + ": " + lastSystemError();
    // The new file keeps the old one's permissions; a first file gets what the umask allows.
    struct stat old {};
    if (::stat(file.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
    std::optional<std::string> problem;
    if (!writeAll(fd, text.data(), text.size())) {
        problem = "cannot write " + temporary + ": " + lastSystemError();
        ::close(fd);
    } else {
        problem = finishWriting(fd, temporary);
    }
    if (!problem && ::rename(temporary.c_str(), file.c_str()) != 0)
        problem = "cannot replace " + file.string() + ": " + lastSystemError();
    if (problem) {
        ::unlink(temporary.c_str());
        return problem;
    }
    syncFolder(folderOf(file));
    return std::nullopt;
}

Copy keepNumberedCopy(const fs::path& file, int keep) {
    const std::vector<long long> existing = copyNumbers(file);
    long long number = existing.empty() ? 1 : existing.back() + 1;
    long long made = 0;
    Copy copy;
    for (int attempt = 0; attempt < 100 && copy.file.empty(); ++attempt, ++number) {
        if (number > kLastCopyNumber) number = 1;  // after a million copies: the first free
        const fs::path name = copyName(file, number);
        // A hard link keeps the bytes without copying them; the next save renames a new
        // file over the original name and leaves the copy as it was.
        const bool linked = ::link(file.c_str(), name.c_str()) == 0;
        if (!linked && errno == EEXIST) continue;
        if (!linked) {
            if (auto problem = copyExclusively(file, name)) {
                if (fs::exists(name)) continue;  // another game took the name meanwhile
                copy.problem = *problem;
                return copy;
            }
        }
        copy.file = name;
        made = number;
    }
    if (copy.file.empty()) {
        copy.problem = "no free name for a copy of " + file.string();
        return copy;
    }
    syncFolder(folderOf(file));
    removeOldestCopies(file, made, keep);
    return copy;
}

void removeStaleTemporaries(const fs::path& file) {
    const std::string prefix = file.filename().string() + ".tmp-";
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folderOf(file), error)) {
        std::string name = entry.path().filename().string();
        const auto dash = name.find('-', prefix.size());
        if (dash != std::string::npos) name.erase(dash);  // the random part
        const auto owner = numberAfter(name, prefix, 9);
        if (!owner || ::kill(static_cast<pid_t>(*owner), 0) == 0 || errno != ESRCH) continue;
        fs::remove(entry.path(), error);
    }
}

}  // namespace vk::settings_file
