#include "pure/guardedvfs.h"

#include "services/guardedopen.h"

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace calvex::pure {
namespace {

// The database file as this layer holds it: SQLite's record, then the descriptor.
struct GuardedFile {
    sqlite3_file base;
    int fd;
};

int descriptor(sqlite3_file* file) { return reinterpret_cast<GuardedFile*>(file)->fd; }

int closeFile(sqlite3_file* file)
{
    ::close(descriptor(file));
    return SQLITE_OK;
}

// A read past the end fills the rest with zeros and says so, as SQLite asks of every layer.
int readFile(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset)
{
    auto* at = static_cast<char*>(buffer);
    std::size_t left = static_cast<std::size_t>(amount);
    while (left > 0) {
        const ssize_t got = ::pread(descriptor(file), at, left, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return SQLITE_IOERR_READ;
        if (got == 0) {
            std::memset(at, 0, left);
            return SQLITE_IOERR_SHORT_READ;
        }
        at += got;
        offset += got;
        left -= static_cast<std::size_t>(got);
    }
    return SQLITE_OK;
}

int fileSize(sqlite3_file* file, sqlite3_int64* size)
{
    struct stat status {};
    if (::fstat(descriptor(file), &status) != 0)
        return SQLITE_IOERR_FSTAT;
    *size = status.st_size;
    return SQLITE_OK;
}

// The file is opened read-only and taken as unchanging (SQLite's immutable file): nothing is
// written, synced or locked.
const sqlite3_io_methods readOnlyMethods = {
    1,
    closeFile,
    readFile,
    [](sqlite3_file*, const void*, int, sqlite3_int64) { return SQLITE_READONLY; },
    [](sqlite3_file*, sqlite3_int64) { return SQLITE_READONLY; },
    [](sqlite3_file*, int) { return SQLITE_OK; },
    fileSize,
    [](sqlite3_file*, int) { return SQLITE_OK; },
    [](sqlite3_file*, int) { return SQLITE_OK; },
    [](sqlite3_file*, int* reserved) {
        *reserved = 0;
        return SQLITE_OK;
    },
    [](sqlite3_file*, int, void*) { return SQLITE_NOTFOUND; },
    [](sqlite3_file*) { return 4096; }, // the sector size SQLite's own layer assumes
    [](sqlite3_file*) { return SQLITE_IOCAP_IMMUTABLE; },
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
};

sqlite3_vfs* next(sqlite3_vfs* vfs) { return static_cast<sqlite3_vfs*>(vfs->pAppData); }

int openFile(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags, int* outFlags)
{
    if (!name || (flags & SQLITE_OPEN_MAIN_DB) == 0)
        return next(vfs)->xOpen(next(vfs), name, file, flags, outFlags);
    file->pMethods = nullptr;
    if ((flags & SQLITE_OPEN_READONLY) == 0)
        return SQLITE_CANTOPEN;
    const int fd = services::openGuarded(name, O_RDONLY);
    if (fd < 0)
        return SQLITE_CANTOPEN;
    reinterpret_cast<GuardedFile*>(file)->fd = fd;
    file->pMethods = &readOnlyMethods;
    if (outFlags)
        *outFlags = flags;
    return SQLITE_OK;
}

// The name as it was given, made absolute: the default layer's own would replace each link in it
// by what it names, deciding for the open which links are followed.
int fullName(sqlite3_vfs*, const char* name, int size, char* full)
{
    std::error_code error;
    const std::filesystem::path path =
        std::filesystem::path(name).is_absolute() ? name : std::filesystem::current_path(error) / name;
    const std::string& text = path.native();
    if (error || text.size() >= static_cast<std::size_t>(size))
        return SQLITE_CANTOPEN;
    std::memcpy(full, text.c_str(), text.size() + 1);
    return SQLITE_OK;
}

// All but the open of the database file and its name is the default layer's.
sqlite3_vfs makeVfs()
{
    sqlite3_vfs* const fallback = sqlite3_vfs_find(nullptr);
    sqlite3_vfs vfs{};
    vfs.iVersion = 1;
    vfs.szOsFile = std::max(fallback->szOsFile, static_cast<int>(sizeof(GuardedFile)));
    vfs.mxPathname = fallback->mxPathname;
    vfs.zName = "calvex-guarded";
    vfs.pAppData = fallback;
    vfs.xOpen = openFile;
    vfs.xDelete = [](sqlite3_vfs* v, const char* name, int syncDir) {
        return next(v)->xDelete(next(v), name, syncDir);
    };
    vfs.xAccess = [](sqlite3_vfs* v, const char* name, int flags, int* result) {
        return next(v)->xAccess(next(v), name, flags, result);
    };
    vfs.xFullPathname = fullName;
    vfs.xDlOpen = [](sqlite3_vfs* v, const char* name) { return next(v)->xDlOpen(next(v), name); };
    vfs.xDlError = [](sqlite3_vfs* v, int size, char* message) { next(v)->xDlError(next(v), size, message); };
    vfs.xDlSym = [](sqlite3_vfs* v, void* library, const char* symbol) {
        return next(v)->xDlSym(next(v), library, symbol);
    };
    vfs.xDlClose = [](sqlite3_vfs* v, void* library) { next(v)->xDlClose(next(v), library); };
    vfs.xRandomness = [](sqlite3_vfs* v, int size, char* out) { return next(v)->xRandomness(next(v), size, out); };
    vfs.xSleep = [](sqlite3_vfs* v, int microseconds) { return next(v)->xSleep(next(v), microseconds); };
    vfs.xCurrentTime = [](sqlite3_vfs* v, double* now) { return next(v)->xCurrentTime(next(v), now); };
    vfs.xGetLastError = [](sqlite3_vfs* v, int size, char* message) {
        return next(v)->xGetLastError(next(v), size, message);
    };
    return vfs;
}

} // namespace

const char* guardedReaderVfs()
{
    static sqlite3_vfs vfs = makeVfs();
    // Where it could not be registered, an open naming it fails: none falls back to a layer
    // that follows every link.
    [[maybe_unused]] static const int registered = sqlite3_vfs_register(&vfs, 0);
    return vfs.zName;
}

} // namespace calvex::pure
