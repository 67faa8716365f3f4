#include "services/guardedopen.h"

#include <cerrno>
#include <climits>
#include <optional>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace calvex::services {
namespace fs = std::filesystem;
namespace {

// What the link open at `link` (O_PATH, not followed) names; read from the link itself, not by
// its name, which another account may have put something else under since it was looked at.
std::optional<fs::path> linkTarget(int link)
{
    char target[PATH_MAX];
    const ssize_t length = ::readlinkat(link, "", target, sizeof target);
    if (length < 0)
        return std::nullopt;
    if (static_cast<std::size_t>(length) == sizeof target) {
        errno = ENAMETOOLONG;
        return std::nullopt;
    }
    return fs::path(std::string(target, static_cast<std::size_t>(length)));
}

// The regular file open (O_PATH) at `entry`, opened with `flags`: that very file, through its
// entry in /proc, so that whatever is renamed into its place meanwhile (a FIFO that would keep
// the open waiting) is never opened. A file under a lease is waited for there, as open(2) waits.
// -1 with errno ENOENT where the system has no /proc (a chroot).
int reopen(int entry, int flags)
{
    const std::string self = "/proc/self/fd/" + std::to_string(entry);
    return ::open(self.c_str(), (flags & ~(O_CREAT | O_EXCL | O_TRUNC | O_NOFOLLOW)) | O_CLOEXEC);
}

// Without /proc: `name`, a regular file when it was looked at as `seen`, opened by its name only
// while it still is. O_NONBLOCK keeps a FIFO put in its place meanwhile from keeping the open
// waiting; a file under a lease is refused with it (EWOULDBLOCK) instead of waited for. -1 with
// `changed` set where the name stands for another file now.
int openByName(const fs::path& name, int flags, const struct stat& seen, bool& changed)
{
    changed = false;
    const int fd = ::open(name.c_str(), (flags & ~(O_CREAT | O_EXCL | O_TRUNC)) | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        changed = errno == ELOOP || errno == ENOENT;
        return -1;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) == 0) {
        changed = !sameFile(opened, seen);
        const int status = changed ? -1 : ::fcntl(fd, F_GETFL);
        if (status >= 0 && ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) == 0)
            return fd;
    }
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
}

} // namespace

int openGuarded(const fs::path& file, int flags, mode_t mode, bool* throughLink)
{
    // Eight links of the account's own in a row, each looked at twice should its name change
    // between the look and the open: more than any folder of the program's holds.
    constexpr int mostLooks = 16;
    fs::path name = file;
    bool linked = false;
    for (int look = 0; look < mostLooks; ++look) {
        const int link = ::open(name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
        if (link < 0) {
            if (errno != ENOENT || (flags & O_CREAT) == 0)
                return -1;
            // O_EXCL makes nothing where anything holds the name, a dangling link included.
            const int made = ::open(name.c_str(), flags | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
            if (made < 0 && errno == EEXIST)
                continue;
            if (made >= 0 && throughLink)
                *throughLink = linked;
            return made;
        }
        struct stat seen {};
        if (::fstat(link, &seen) != 0) {
            const int error = errno;
            ::close(link);
            errno = error;
            return -1;
        }
        if (S_ISLNK(seen.st_mode)) {
            std::optional<fs::path> target;
            if (seen.st_uid == ::geteuid())
                target = linkTarget(link);
            else
                errno = ELOOP;
            const int error = errno;
            ::close(link);
            if (!target) {
                errno = error;
                return -1;
            }
            name = target->is_absolute() ? *target : name.parent_path() / *target;
            linked = true;
            continue;
        }
        if (!S_ISREG(seen.st_mode)) {
            ::close(link);
            errno = EINVAL;
            return -1;
        }
        int fd = reopen(link, flags);
        const int error = errno;
        ::close(link);
        errno = error;
        if (fd < 0 && errno == ENOENT) {
            bool changed = false;
            fd = openByName(name, flags, seen, changed);
            if (changed)
                continue;
        }
        if (fd >= 0 && throughLink)
            *throughLink = linked;
        return fd;
    }
    errno = ELOOP;
    return -1;
}

} // namespace calvex::services
