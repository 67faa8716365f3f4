#include "services/filereplacement.h"

#include "services/filelock.h"
#include "services/guardedopen.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace calvex::services {
namespace fs = std::filesystem;
namespace {

std::error_code lastError() { return {errno, std::generic_category()}; }

// The end of a temporary file's name, after the pid and the number that make it one process's own.
constexpr const char* temporaryEnding = ".tmp";

// `<target>.<pid>-<n>.tmp`: the pid sets processes apart, `n` the writes of one process.
fs::path temporaryName(const fs::path& target, pid_t pid, unsigned n)
{
    fs::path name = target;
    name += "." + std::to_string(pid) + "-" + std::to_string(n) + temporaryEnding;
    return name;
}

// A name no other process uses, nor another thread of this one; O_EXCL makes sure of it even
// against a file a crashed run left under the same name.
int createTemporary(const fs::path& target, fs::path& temporary)
{
    static std::atomic<unsigned> counter{0};
    constexpr int attempts = 100;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        temporary = temporaryName(target, ::getpid(), counter++);
        const int fd = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return fd;
        if (fd < 0)
            continue;
        // Held until it is in place, so that a start of another copy, on this computer or on
        // another one sharing the folder, never takes it for a leftover, however long the write
        // takes. That start may have looked at it before the lock: then the name is gone.
        if (!lockOpenFile(fd, FileLock::Kind::Exclusive, true)) {
            const int error = errno;
            ::close(fd);
            ::unlink(temporary.c_str());
            errno = error;
            return -1;
        }
        struct stat opened {}, named {};
        if (::fstat(fd, &opened) == 0 && ::lstat(temporary.c_str(), &named) == 0 && sameFile(opened, named))
            return fd;
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

// The process that made a temporary file, from the name temporaryName gave it for one of
// `ownFiles`; 0 for any other name.
pid_t temporaryOwner(const std::string& name, const std::vector<std::string>& ownFiles)
{
    const std::string_view suffix = temporaryEnding;
    if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return 0;
    const std::string_view stem = std::string_view(name).substr(0, name.size() - suffix.size());
    const std::size_t dot = stem.rfind('.');
    if (dot == std::string_view::npos ||
        std::find(ownFiles.begin(), ownFiles.end(), stem.substr(0, dot)) == ownFiles.end())
        return 0;
    const std::string_view numbers = stem.substr(dot + 1);
    const std::size_t dash = numbers.find('-');
    // As temporaryName writes them: digits without a leading zero.
    const auto number = [](std::string_view text) {
        return !text.empty() && (text == "0" || text[0] != '0') &&
               std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (dash == std::string_view::npos || !number(numbers.substr(0, dash)) || !number(numbers.substr(dash + 1)))
        return 0;
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(numbers.data(), numbers.data() + dash, pid);
    return error == std::errc() && pid > 0 ? pid : 0;
}

bool processGone(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

// The whole file open at `fd`, none where it holds more than `ceiling` bytes: a file past what
// its reader's format can hold is told at once from its size, without a byte of it read, and one
// that grows past it while it is read is given up there.
std::optional<std::string> readWhole(int fd, std::size_t ceiling)
{
    struct stat status {};
    if (::fstat(fd, &status) != 0 || status.st_size < 0 || static_cast<std::uintmax_t>(status.st_size) > ceiling)
        return std::nullopt;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            return bytes;
        if (got < 0 && errno != EINTR)
            return std::nullopt;
        if (got > 0 && static_cast<std::size_t>(got) > ceiling - bytes.size())
            return std::nullopt;
        if (got > 0)
            bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

std::optional<std::string> readOpened(const fs::path& file, std::size_t ceiling, bool locked)
{
    const int fd = openGuarded(file, O_RDONLY);
    if (fd < 0)
        return std::nullopt;
    std::optional<std::string> bytes;
    if (!locked)
        bytes = readWhole(fd, ceiling);
    else if (const FileLock shared(fd, FileLock::Kind::Shared); shared)
        bytes = readWhole(fd, ceiling);
    ::close(fd);
    return bytes;
}

// Hard links are the only way to put a file in place "unless one is there" in one step; a file
// system without them gets the two-step check, which another process can only overtake by
// making the same file.
std::error_code putInPlace(const fs::path& temporary, const fs::path& target, WhenPresent present)
{
    if (present == WhenPresent::Replace)
        return ::rename(temporary.c_str(), target.c_str()) == 0 ? std::error_code() : lastError();
    if (::link(temporary.c_str(), target.c_str()) == 0) {
        ::unlink(temporary.c_str());
        return {};
    }
    if (errno == EEXIST)
        return std::make_error_code(std::errc::file_exists);
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS)
        return lastError();
    struct stat status {};
    if (::lstat(target.c_str(), &status) == 0)
        return std::make_error_code(std::errc::file_exists);
    return ::rename(temporary.c_str(), target.c_str()) == 0 ? std::error_code() : lastError();
}

std::error_code replaceWith(const fs::path& target, std::string_view bytes, WhenPresent present,
                            std::optional<mode_t> mode)
{
    // A link the guarded open follows is kept: what it names is replaced, beside it, and keeps its
    // permissions. Any other link is replaced itself, and lends nothing, not even the permissions
    // of what it names.
    const std::optional<GuardedName> reached = followedName(target);
    if (!reached)
        return lastError();
    const fs::path& file = reached->name;
    struct stat status {};
    if ((!mode || reached->throughLink) && ::lstat(file.c_str(), &status) == 0 && S_ISREG(status.st_mode))
        mode = status.st_mode & 07777;
    // The start clears the program folder only; what an ended save left beside a file elsewhere
    // goes at the next save through the link.
    if (reached->throughLink)
        removeLeftoverTemporaries(file.parent_path(), {file.filename().string()});
    fs::path temporary;
    const int fd = createTemporary(file, temporary);
    if (fd < 0)
        return lastError();
    std::error_code error = writeAll(fd, bytes);
    if (!error && mode && ::fchmod(fd, *mode) != 0)
        error = lastError();
    // Renamed before it reached the disk, a crash could leave an empty file in the target's place.
    if (!error && ::fsync(fd) != 0)
        error = lastError();
    // Put in place while still locked; its bytes are on the disk already.
    if (!error)
        error = putInPlace(temporary, file, present);
    if (error)
        ::unlink(temporary.c_str());
    ::close(fd);
    return error;
}

} // namespace

std::error_code writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return lastError();
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

int removeLeftoverTemporaries(const fs::path& folder, const std::vector<std::string>& ownFiles)
{
    // Far longer than a write of the largest file the program keeps takes, even on a slow disk.
    constexpr auto longestWrite = std::chrono::hours(1);
    int removed = 0;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const pid_t owner = temporaryOwner(entry.path().filename().string(), ownFiles);
        if (owner == 0 || owner == ::getpid())
            continue;
        // A write holds its temporary file under an exclusive lock until it is in place, so a
        // shared lock is had only where no write holds the file, on this computer or on another
        // sharing the folder. It needs no more than a read: a temporary file takes the target's
        // permissions before the rename, and a leftover of a read-only target is read-only.
        const int fd = ::open(entry.path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat opened {}, named {};
        const bool stale = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
                           lockOpenFile(fd, FileLock::Kind::Shared, false) &&
                           (processGone(owner) ||
                            std::chrono::system_clock::now() - std::chrono::system_clock::from_time_t(opened.st_mtime) >
                                longestWrite);
        // Removed only while the name still stands for the file that was looked at.
        if (stale && ::lstat(entry.path().c_str(), &named) == 0 && sameFile(named, opened) &&
            ::unlink(entry.path().c_str()) == 0)
            ++removed;
        ::close(fd);
    }
    return removed;
}

std::optional<std::string> readWholeFile(const fs::path& file, std::size_t ceiling)
{
    return readOpened(file, ceiling, false);
}

std::optional<std::string> readWholeFileLocked(const fs::path& file, std::size_t ceiling)
{
    return readOpened(file, ceiling, true);
}

std::error_code writeReplacing(const fs::path& target, std::string_view bytes, WhenPresent present)
{
    return replaceWith(target, bytes, present, std::nullopt);
}

std::error_code copyReplacing(const fs::path& from, const fs::path& to, std::size_t ceiling, WhenPresent present)
{
    const int fd = openGuarded(from, O_RDONLY);
    if (fd < 0)
        return lastError();
    struct stat status {};
    std::optional<std::string> bytes;
    if (::fstat(fd, &status) == 0)
        bytes = readWhole(fd, ceiling);
    ::close(fd);
    if (!bytes)
        return std::make_error_code(std::errc::io_error);
    return replaceWith(to, *bytes, present, status.st_mode & 07777);
}

} // namespace calvex::services
