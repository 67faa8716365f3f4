#pragma once
// An advisory lock (flock) that running copies of the program take around what must not
// interleave: an append and its taking back, a read-change-write of a file, a read of a file
// that another copy may be rewriting. Held for the object's life. Where the file system has no
// such locks, the object holds none and the work goes on as it would without.

#include <filesystem>

namespace calvex::services {

class FileLock {
public:
    enum class Kind { Shared, Exclusive };

    // Locks the file or folder at `path`, opened for reading for the purpose.
    FileLock(const std::filesystem::path& path, Kind kind);
    // Locks a descriptor that the caller keeps open while the lock lives.
    FileLock(int fd, Kind kind);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int m_fd = -1;
    bool m_ownsFd = false;
    bool m_locked = false;
};

} // namespace calvex::services
