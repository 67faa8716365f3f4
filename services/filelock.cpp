#include "services/filelock.h"

#include <cerrno>

#include <fcntl.h>
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

} // namespace

bool lockOpenFile(int fd, FileLock::Kind kind, bool wait)
{
    return fd >= 0 && setLock(fd, kind == FileLock::Kind::Shared ? F_RDLCK : F_WRLCK, wait);
}

FileLock::FileLock(const std::filesystem::path& lockFile)
    : m_fd(::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666)), m_ownsFd(true),
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
