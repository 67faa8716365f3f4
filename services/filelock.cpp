#include "services/filelock.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace calvex::services {
namespace {

bool lock(int fd, FileLock::Kind kind)
{
    const int operation = kind == FileLock::Kind::Shared ? LOCK_SH : LOCK_EX;
    int result = 0;
    do
        result = ::flock(fd, operation);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

} // namespace

FileLock::FileLock(const std::filesystem::path& path, Kind kind)
    : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)), m_ownsFd(true)
{
    m_locked = m_fd >= 0 && lock(m_fd, kind);
}

FileLock::FileLock(int fd, Kind kind) : m_fd(fd), m_locked(fd >= 0 && lock(fd, kind)) {}

FileLock::~FileLock()
{
    if (m_locked)
        ::flock(m_fd, LOCK_UN);
    if (m_ownsFd && m_fd >= 0)
        ::close(m_fd);
}

} // namespace calvex::services
