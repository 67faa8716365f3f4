#pragma once
// What tests of another account's files share: that account, what a test compares before
// and after to see that nothing under a folder was made, changed, replaced or removed, and a
// child process to run as that account.

#include <filesystem>
#include <functional>
#include <string>

#include <sys/types.h>

namespace calvex::testing {

// An account that is not the tests' (they run as root), as the system's "nobody".
inline constexpr uid_t otherAccount = 65534;

// Gives `top` and everything under it, links themselves, to `owner`.
void giveTo(const std::filesystem::path& top, uid_t owner);

// Makes `folder` private to `owner` (0700), as a runtime folder or a home is; the folder.
std::filesystem::path privateFolder(const std::filesystem::path& folder, uid_t owner);

// One line for `folder` and for everything under it, links not followed: the path, owner,
// group, mode, modification time and, of a file, a hash of its content.
std::string fileListing(const std::filesystem::path& folder);

// Runs `work` in a child process as `account` (the tests' own account too): for what only another
// account meets, and for what must not reach the tests' own process (its environment, its mounts,
// the run's folder it keeps until it ends). A failure there is printed there and fails the test here.
void inChildProcess(uid_t account, const std::function<void()>& work);

} // namespace calvex::testing
