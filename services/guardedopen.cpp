#include "services/guardedopen.h"

#include <cerrno>
#include <climits>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace calvex::services {
namespace fs = std::filesystem;
namespace {

// Eight links of the account's own in a row, each looked at twice should its name change
// between the look and the open: more than any folder of the program's holds.
constexpr int mostLooks = 16;

// Closes a descriptor at the end of its scope, leaving errno as the failure before it left it.
class Closing {
public:
    explicit Closing(int fd) : m_fd(fd) {}
    ~Closing()
    {
        const int error = errno;
        if (m_fd >= 0)
            ::close(m_fd);
        errno = error;
    }
    Closing(const Closing&) = delete;
    Closing& operator=(const Closing&) = delete;

private:
    int m_fd;
};

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

// Whether a link, looked at as `link` in a folder looked at as `folder`, may be followed: one the
// account made, under a name no other account can have given it. Only an account that may write
// a folder renames what it holds, and in a sticky folder only the owner of the name or of the
// folder; root may anywhere, and is trusted. A link with a second name is not followed: another
// account may have made that name, in a sticky folder where it may make names.
bool mayFollow(const struct stat& link, const struct stat& folder)
{
    const uid_t self = ::geteuid();
    const bool othersWrite = (folder.st_mode & (S_IWGRP | S_IWOTH)) != 0;
    return link.st_uid == self && link.st_nlink == 1 && (folder.st_uid == self || folder.st_uid == 0) &&
           (!othersWrite || (folder.st_mode & S_ISVTX) != 0);
}

// Where following the links that may be followed stops: `name`, and what it holds, open (O_PATH,
// not followed) at `entry` and looked at as `seen`; `entry` is -1 where nothing is there.
struct Reached {
    fs::path name;
    int entry = -1;
    struct stat seen {};
    bool throughLink = false;
};

// Follows the links from `reached.name`, each taking one of `looks`. False with errno set where
// a folder on the way or a link cannot be read, or the looks run out.
bool follow(Reached& reached, int& looks)
{
    reached.entry = -1;
    for (; looks > 0; --looks) {
        // The name is looked at in the folder whose permissions are looked at, whatever another
        // account renames meanwhile.
        const fs::path folderName = reached.name.has_parent_path() ? reached.name.parent_path() : fs::path(".");
        const int folder = ::open(folderName.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (folder < 0)
            return false;
        const Closing closeFolder(folder);
        struct stat folderSeen {};
        if (::fstat(folder, &folderSeen) != 0)
            return false;
        const int entry = ::openat(folder, reached.name.filename().c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
        if (entry < 0)
            return errno == ENOENT;
        struct stat seen {};
        if (::fstat(entry, &seen) != 0) {
            const Closing closeEntry(entry);
            return false;
        }
        if (!S_ISLNK(seen.st_mode) || !mayFollow(seen, folderSeen)) {
            reached.entry = entry;
            reached.seen = seen;
            return true;
        }
        const Closing closeEntry(entry);
        const std::optional<fs::path> target = linkTarget(entry);
        if (!target)
            return false;
        reached.name = target->is_absolute() ? *target : reached.name.parent_path() / *target;
        reached.throughLink = true;
    }
    errno = ELOOP;
    return false;
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
    const Closing closeOpened(fd);
    return -1;
}

} // namespace

int openGuarded(const fs::path& file, int flags, mode_t mode, bool* throughLink)
{
    Reached reached;
    reached.name = file;
    for (int looks = mostLooks; follow(reached, looks); --looks) {
        int fd = -1;
        if (reached.entry < 0) {
            if ((flags & O_CREAT) == 0) {
                errno = ENOENT;
                return -1;
            }
            // O_EXCL makes nothing where anything holds the name, a dangling link included.
            fd = ::open(reached.name.c_str(), flags | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
            if (fd < 0 && errno == EEXIST)
                continue;
        } else {
            const Closing closeEntry(reached.entry);
            if (!S_ISREG(reached.seen.st_mode)) {
                errno = S_ISLNK(reached.seen.st_mode) ? ELOOP : EINVAL;
                return -1;
            }
            fd = reopen(reached.entry, flags);
            if (fd < 0 && errno == ENOENT) {
                bool changed = false;
                fd = openByName(reached.name, flags, reached.seen, changed);
                if (changed)
                    continue;
            }
        }
        if (fd >= 0 && throughLink)
            *throughLink = reached.throughLink;
        return fd;
    }
    return -1;
}

std::optional<GuardedName> followedName(const fs::path& file)
{
    Reached reached;
    reached.name = file;
    int looks = mostLooks;
    if (!follow(reached, looks))
        return std::nullopt;
    const Closing closeEntry(reached.entry);
    return GuardedName{reached.name, reached.throughLink};
}

} // namespace calvex::services
