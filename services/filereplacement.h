#pragma once
// Writes that replace a file the user may be reading, or that another running copy of the
// program may be writing at the same moment: the new bytes go into a file of this process's own
// beside the target, reach the disk, and only then take the target's place. A write that fails
// leaves no cut or empty file, and the target as it was.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace calvex::services {

enum class WhenPresent {
    Replace, // the new file is renamed over the target
    Keep,    // the new file is put in only where the target is missing; a target that another
             // process made meanwhile stays, and the call gives errc::file_exists
};

// Writes `bytes` as `target`. A replaced file keeps its permissions; a new one gets the usual
// ones of the account (0666 less the umask). A link in the target's place that the guarded open
// follows (guardedopen.h) stays: the file it leads to is written, beside it, and keeps its
// permissions. Any other link is replaced itself, and lends nothing.
std::error_code writeReplacing(const std::filesystem::path& target, std::string_view bytes,
                               WhenPresent present = WhenPresent::Replace);

// Copies `from` as `to`, with the permissions of `from` (those of the file a followed link at
// `to` leads to, where there is one); `from` is read as readWholeFile reads, and a copy of more
// than `ceiling` bytes fails.
std::error_code copyReplacing(const std::filesystem::path& from, const std::filesystem::path& to,
                              std::size_t ceiling, WhenPresent present = WhenPresent::Replace);

// Removes from `folder` the temporary files that writes like these leave when their process is
// ended before it can (a crash, a forced quit, a power cut), for the files named in `ownFiles`:
// those whose process is gone, and those older than any write could take, read-only ones too
// where the folder lets them be removed. A file that a running write holds stays, also where
// its process is gone from this machine's view (a folder shared over the network), and so does
// every other name; so does a file this account cannot read, of which that cannot be told.
// The number removed.
int removeLeftoverTemporaries(const std::filesystem::path& folder, const std::vector<std::string>& ownFiles);

// The whole content of `file`; none when it cannot be opened (through another account's link
// it never is: guardedopen.h), is not a regular file (a FIFO would keep the read waiting), holds
// more than `ceiling` bytes, or a read fails (a failing disk, a stale handle on a network folder).
// Each reader's ceiling is a size its format never reaches, so that a huge file in its place
// fails at once instead of filling the memory.
std::optional<std::string> readWholeFile(const std::filesystem::path& file, std::size_t ceiling);
// The same, read under a shared lock (filelock.h): of a file that another copy of the program
// may be writing in place, which it does under an exclusive lock.
std::optional<std::string> readWholeFileLocked(const std::filesystem::path& file, std::size_t ceiling);

// Writes all of `bytes` to an open descriptor, going on after interrupted and short writes.
std::error_code writeAll(int fd, std::string_view bytes);

} // namespace calvex::services
