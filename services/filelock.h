#pragma once
// An advisory lock that running copies of the program take around what must not interleave: an
// append and its taking back, a read-change-write of a file, a read of a file that another copy
// may be rewriting. It is an open-file-description lock (fcntl F_OFD_SETLKW), the kind a network
// file system carries to the other computers that share it; flock() and a folder's lock may stay
// on the computer that took them. An exclusive lock is taken on a descriptor opened for writing,
// a shared one on a descriptor opened for reading, as NFS requires. Held for the object's life;
// work that relies on it must not go on where it could not be had.

#include <filesystem>

namespace calvex::services {

class FileLock {
public:
    enum class Kind { Shared, Exclusive };

    // Locks a lock file of ours for this process alone: opened read-write, made when missing,
    // never through another account's link (guardedopen.h). It is kept as writable as
    // `guarded`, the file it guards, where this account owns it and it stands alone, reached
    // without a link: in a folder that several accounts write, each that may write the file may
    // take its lock.
    FileLock(const std::filesystem::path& lockFile, const std::filesystem::path& guarded);
    // Locks a descriptor that the caller keeps open while the lock lives.
    FileLock(int fd, Kind kind);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    explicit operator bool() const { return m_locked; }

private:
    int m_fd = -1;
    bool m_ownsFd = false;
    bool m_locked = false;
};

// Locks the whole file open at `fd` for this open file description, waiting for other holders
// when `wait`; the lock ends when it is unlocked or the last descriptor of the description is
// closed. False when it could not be had.
bool lockOpenFile(int fd, FileLock::Kind kind, bool wait);

} // namespace calvex::services
