// Loaded with LD_PRELOAD into a test program, this gives the program's locks and reads the rules
// of a home folder on NFSv4, where locks and reads can fail where a local disk lets them pass:
// - an exclusive lock (flock LOCK_EX, fcntl F_WRLCK) on a descriptor not opened for writing is
//   refused with EBADF, as NFSv4 carries every lock out as a byte-range lock;
// - any lock on a folder is refused with EBADF: NFS grants it on the computer that took it only,
//   so it keeps no other computer out;
// - a read of the file named in CALVEX_FAILING_READ (a full path, read at every call) fails with
//   ESTALE, as one does while another computer replaces the file.

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <string>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Fcntl = int(int, int, ...);

template <class Function>
Function* next(const char* name)
{
    return reinterpret_cast<Function*>(::dlsym(RTLD_NEXT, name));
}

bool openForWriting(int fd)
{
    static auto* realFcntl = next<Fcntl>("fcntl");
    const int flags = realFcntl(fd, F_GETFL);
    return flags >= 0 && (flags & O_ACCMODE) != O_RDONLY;
}

bool isFolder(int fd)
{
    struct stat status {};
    return ::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode);
}

bool lockRefused(int fd, bool exclusive)
{
    if (isFolder(fd) || (exclusive && !openForWriting(fd))) {
        errno = EBADF;
        return true;
    }
    return false;
}

bool readFails(int fd)
{
    const char* failing = std::getenv("CALVEX_FAILING_READ");
    if (!failing || !*failing)
        return false;
    char path[4096];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = ::readlink(link.c_str(), path, sizeof path - 1);
    if (length < 0 || std::strncmp(path, failing, static_cast<std::size_t>(length)) != 0 ||
        failing[length] != '\0')
        return false;
    errno = ESTALE;
    return true;
}

bool isLockCommand(int command)
{
    return command == F_SETLK || command == F_SETLKW || command == F_OFD_SETLK || command == F_OFD_SETLKW;
}

} // namespace

extern "C" {

// Tells a test that these rules are in force.
int calvexNfsRules = 1;

int flock(int fd, int operation)
{
    if ((operation & LOCK_UN) == 0 && lockRefused(fd, (operation & LOCK_EX) != 0))
        return -1;
    static auto* realFlock = next<int(int, int)>("flock");
    return realFlock(fd, operation);
}

int fcntl(int fd, int command, ...)
{
    va_list arguments;
    va_start(arguments, command);
    void* argument = va_arg(arguments, void*);
    va_end(arguments);
    if (isLockCommand(command)) {
        const auto* range = static_cast<const struct flock*>(argument);
        if (range->l_type != F_UNLCK && lockRefused(fd, range->l_type == F_WRLCK))
            return -1;
    }
    static auto* realFcntl = next<Fcntl>("fcntl");
    return realFcntl(fd, command, argument);
}

ssize_t read(int fd, void* buffer, size_t count)
{
    if (readFails(fd))
        return -1;
    static auto* realRead = next<ssize_t(int, void*, size_t)>("read");
    return realRead(fd, buffer, count);
}

} // extern "C"
