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

// `name`, a regular file when it was looked at as `seen`, opened only while it still is: a name
// changed meanwhile gives -1 with errno EAGAIN, for the caller to look again.
int openSeen(const fs::path& name, int flags, const struct stat& seen)
{
    // Without O_NONBLOCK a FIFO put in its place meanwhile would keep the open waiting.
    const int fd = ::open(name.c_str(), (flags & ~(O_CREAT | O_EXCL | O_TRUNC)) | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ELOOP || errno == ENOENT)
            errno = EAGAIN;
        return -1;
    }
    struct stat opened {};
    int error = 0;
    if (::fstat(fd, &opened) != 0)
        error = errno;
    else if (!sameFile(opened, seen))
        error = EAGAIN;
    else if (const int status = ::fcntl(fd, F_GETFL); status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0)
        error = errno;
    if (error == 0)
        return fd;
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
        ::close(link);
        if (!S_ISREG(seen.st_mode)) {
            errno = EINVAL;
            return -1;
        }
        const int fd = openSeen(name, flags, seen);
        if (fd < 0 && errno == EAGAIN)
            continue;
        if (fd >= 0 && throughLink)
            *throughLink = linked;
        return fd;
    }
    errno = ELOOP;
    return -1;
}

} // namespace calvex::services
