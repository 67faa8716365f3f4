#pragma once
// The program folder: where the database, templates, help pages and data files live and
// where the report page and plot files are written. It is the executable's folder, or, when
// that folder cannot be written or is an installed copy's, a per-user data folder seeded from it.
// A copy whose per-user folder cannot be used reads its files from its own folder; an installed one,
// or one whose folder cannot be written, has no folder to write: what it shows (the report page,
// the plot files) lives in a temporary folder of the run's own, and every other save fails with
// its own message.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

namespace calvex::services {

// The files the program itself replaces in its folder through a temporary file of its own
// (filereplacement.h). The start removes leftover temporary files of these names, and of the
// files it copies into the per-user folder, and of no other.
inline constexpr const char* unifacDatabaseName = "DATABASE.UFC";
inline constexpr const char* unifacDatabaseBackupName = "DATABASE.UFC.bak";
inline constexpr const char* resultPageName = "result.htm";
inline constexpr std::array<const char*, 3> replacedProgramFiles{unifacDatabaseName, unifacDatabaseBackupName,
                                                                 resultPageName};
// The lock file that saves of DATABASE.UFC take turns through; never shipped nor copied, as a
// copy put in its place would part copies of the program waiting for the one they hold.
inline constexpr const char* unifacDatabaseLockName = "DATABASE.UFC.lock";

// The folder the program reads its files from.
std::filesystem::path programFolder();

// The path of `fileName` inside the program folder (file names are case-sensitive here); of
// the report page and the plot files, in the run's temporary folder where it has one.
std::filesystem::path programFile(const std::string& fileName);

// Where the program writes `fileName`: in the program folder, none where that folder is an
// installation the program must not write into, except the report page and the plot files
// where the run has a temporary folder. Every writer of a file of the program folder asks here,
// and fails where there is none.
std::optional<std::filesystem::path> programFileToWrite(const std::string& fileName);

// Chooses the program folder once at start-up from the executable's folder, before any library
// starts: the temporary files of the program's own that earlier runs ended mid-write left in the
// chosen folder are removed (filereplacement.h), and a run that may keep nothing under its home
// (the per-user folder could not be used, or HOME is not an existing folder of the account's
// own) gets a home of its own in its temporary folder, for itself and for all it starts
// (runhome.h). What to tell the user once the program can show it, empty when nothing.
std::string initialiseProgramFolder();

// The install rules put a file of this name beside an installed executable. An installed copy
// writes only into the account's own folder, also where it could write into its installation
// (run by root or by the installation's owner): every account would else meet that one's reports
// and components.
inline constexpr const char* installedMarkerName = "installed";

// The choice of initialiseProgramFolder for an executable in `executableFolder`: that folder
// where it can be written and holds no installedMarkerName, else the per-user folder. What to
// tell the user, empty when nothing.
std::string chooseProgramFolder(const std::filesystem::path& executableFolder);

// The per-user data folder and, where it lies in a home rather than in XDG_DATA_HOME, that home.
struct UserFolder {
    UserFolder(std::filesystem::path folder, std::optional<std::filesystem::path> home = std::nullopt)
        : folder(std::move(folder)), home(std::move(home))
    {
    }

    std::filesystem::path folder;
    std::optional<std::filesystem::path> home;
};

// $XDG_DATA_HOME/calvex, else .local/share/calvex in $HOME, else in the account's home from the
// password database: the XDG rules ignore a relative path. None when the account has no home at all.
std::optional<UserFolder> userDataFolder();

// Makes the folder of `user` the program folder: made private to the account where it is missing, taken only
// when it is a folder of the account's own, cleared of the program's temporary files that ended
// runs left there (of replacedProgramFiles and of the files seeded from `shipped`), and
// seeded from `shipped`. Nothing is made where the deepest folder on the way that exists is
// another account's, nor in a home that is not an existing folder of the account's own (root
// started with another account's HOME), nor anywhere in the installation, however reached.
// Where it cannot be found, made or used, the program reads its own files from `shipped` and the
// run gets a temporary folder of its own where it can make one; a copy with no folder to write
// (an installed one, installedMarkerName, or one whose folder cannot be written) shows its
// reports and plots from there, and every other save fails with its own message.
// What to tell the user: the folder that cannot be used and why, or the files that could not be
// copied; empty when nothing.
std::string useUserFolder(const std::filesystem::path& shipped, const std::optional<UserFolder>& user);

// Copies the program's own files from `from` into the per-user folder `to`, refreshing those
// that differ, while the user's own data files there (Filedatabase.dat, DATABASE.UFC) are kept.
// What the program writes as output (the report page, the plot files, the UNIFAC database's
// backup), the executable and the installation's marker are never copied.
// Each copy replaces the earlier one whole (filereplacement.h), also while another copy of the
// program seeds the same folder; a copy that fails leaves the earlier one whole. The reason for
// the first failure, empty when none failed.
std::string seedUserFolder(const std::filesystem::path& from, const std::filesystem::path& to);

// Points the program folder, to read and to write, somewhere else (tests use a scratch folder).
void setProgramFolder(const std::filesystem::path& folder);

} // namespace calvex::services
