#pragma once
// The one open of a file of the program folder, for every reader and writer there. Several
// accounts may write that folder (a build folder shared by a group), so any name in it may be a
// symbolic link another account planted, to a file only the running account may change, to a
// name where nothing is yet, or to a FIFO that would keep a read waiting; or a link of the running
// account's own that another account renamed onto a name the program writes. A link is followed
// only where it is the account's own and no other account can have given it its name: a user may
// keep DATABASE.UFC elsewhere through a link in a folder of their own.

#include <filesystem>
#include <optional>

#include <sys/stat.h>
#include <sys/types.h>

namespace calvex::services {

// Opens `file` as open(2) would with `flags` (O_RDONLY, O_WRONLY or O_RDWR, with O_CREAT and
// O_APPEND where wanted; O_TRUNC is not taken: empty the file once it is opened and locked). A
// symbolic link is followed only where the running account owns it, it has no second name, and
// the folder holding it lets no other account rename it: one that only the account and root may
// write, or a sticky one of theirs; so is each link its target names in turn. What is reached at
// the end must be a regular file, and that very file is opened, whatever another account renames
// meanwhile. A file another process holds under a lease is waited for, as open(2) waits. Where
// O_CREAT is given and nothing holds the name, the file is made with O_EXCL, so that a link
// planted in between is never followed. -1 with errno set otherwise: ELOOP for a link that is not
// followed (or too many links in a row), EINVAL for something else than a regular file.
// `throughLink`, when given, tells whether a link of the account's own was followed.
int openGuarded(const std::filesystem::path& file, int flags, mode_t mode = 0666, bool* throughLink = nullptr);

// Where the links that openGuarded follows lead from `file`: the name it would open, which holds
// nothing, something that is no link, or a link that is not followed, and whether a link was
// followed on the way. None with errno set where a link cannot be read, or too many follow in a
// row (ELOOP).
struct GuardedName {
    std::filesystem::path name;
    bool throughLink = false;
};
std::optional<GuardedName> followedName(const std::filesystem::path& file);

// Whether two looks (stat, fstat, lstat) saw the same file: a name may stand for another one since.
inline bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

} // namespace calvex::services
