#include "services/filelock.h"

#include "services/guardedopen.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace calvex::services {
namespace {

bool setLock(int fd, short type, bool wait)
{
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET; // from the start to the end, however far the file grows
    int result = 0;
    do
        result = ::fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &range);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

// The lock file open read-write, granting whatever `guarded` grants beside: made under one
// account's umask, it would shut out the other accounts that may write `guarded`, and so must
// take their turn. Only its owner can widen it, and does so only on a lock file standing alone in
// the folder: through a link, or a second name that another account gave it, the widening would
// open a file of this account's elsewhere to all. A file system without permissions leaves it.
int openLockFile(const std::filesystem::path& lockFile, const std::filesystem::path& guarded)
{
    bool throughLink = false;
    const int fd = openGuarded(lockFile, O_RDWR | O_CREAT, 0666, &throughLink);
    struct stat lock {}, file {};
    if (fd < 0 || throughLink || ::fstat(fd, &lock) != 0 || !S_ISREG(lock.st_mode) || lock.st_nlink != 1 ||
        lock.st_uid != ::geteuid() || ::stat(guarded.c_str(), &file) != 0)
        return fd;
    constexpr mode_t readWrite = 0666;
    if (const mode_t wanted = (lock.st_mode | file.st_mode) & readWrite; wanted != (lock.st_mode & readWrite))
        ::fchmod(fd, wanted);
    return fd;
}

} // namespace

bool lockOpenFile(int fd, FileLock::Kind kind, bool wait)
{
    return fd >= 0 && setLock(fd, kind == FileLock::Kind::Shared ? F_RDLCK : F_WRLCK, wait);
}

FileLock::FileLock(const std::filesystem::path& lockFile, const std::filesystem::path& guarded)
    : m_fd(openLockFile(lockFile, guarded)), m_ownsFd(true),
      m_locked(lockOpenFile(m_fd, Kind::Exclusive, true))
{
}

FileLock::FileLock(int fd, Kind kind) : m_fd(fd), m_locked(lockOpenFile(fd, kind, true)) {}

FileLock::~FileLock()
{
    if (m_locked && !m_ownsFd)
        setLock(m_fd, F_UNLCK, false);
    if (m_ownsFd && m_fd >= 0)
        ::close(m_fd);
}

} // namespace calvex::services
