#pragma once
// What tests of another account's files share: that account, and what a test compares before
// and after to see that nothing under a folder was made, changed, replaced or removed.

#include <filesystem>
#include <string>

#include <sys/types.h>

namespace calvex::testing {

// An account that is not the tests' (they run as root), as the system's "nobody".
inline constexpr uid_t otherAccount = 65534;

// Gives `top` and everything under it, links themselves, to `owner`.
void giveTo(const std::filesystem::path& top, uid_t owner);

// One line for `folder` and for everything under it, links not followed: the path, owner,
// group, mode, modification time and, of a file, a hash of its content.
std::string fileListing(const std::filesystem::path& folder);

} // namespace calvex::testing
