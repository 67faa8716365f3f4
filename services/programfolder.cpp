#include "services/programfolder.h"

#include "services/filereplacement.h"
#include "services/guardedopen.h"
#include "services/pointsfile.h"
#include "services/runhome.h"
#include "services/temporaryfolder.h"
#include "services/usercomponentfile.h"

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <vector>

#include <pwd.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace calvex::services {
namespace fs = std::filesystem;
namespace {

fs::path g_folder;
// Whether the program may write into g_folder.
bool g_writable = false;
// The run's own folder: where a run with no folder to write keeps what it shows, and the home of a
// run that may keep nothing under its own; removed with what it holds at exit.
std::optional<TemporaryFolder> g_run;
// Whether the per-user folder could not be used.
bool g_refused = false;

fs::path executableFolder()
{
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return fs::current_path(error);
    return exe.parent_path();
}

bool writable(const fs::path& folder) { return ::access(folder.c_str(), W_OK) == 0; }

// An installed copy's folder, or one where that cannot be told.
bool installation(const fs::path& folder)
{
    std::error_code error;
    return fs::exists(folder / installedMarkerName, error) || error;
}

std::string systemReason(int error) { return std::generic_category().message(error); }

// The account's home as the password database has it, for a start without HOME.
std::optional<fs::path> accountHome()
{
    constexpr std::size_t largestBuffer = 1 << 20;
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    while (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE
           && buffer.size() < largestBuffer)
        buffer.resize(buffer.size() * 2);
    if (!found || !found->pw_dir || !*found->pw_dir)
        return std::nullopt;
    return fs::path(found->pw_dir);
}

const char* const anotherAccounts = "it belongs to another account";

// Why `user` cannot be the per-user folder, empty where it can, after making the folders missing
// on the way with mode 0700, as the XDG rules ask. Nothing is made in a folder of another
// account's, nor in a home that is not this account's own: made there by root, the folders
// would take that account its own. The folder is taken only when it is this account's own:
// another account's folder would show its files to this one, and could lead this one's reports
// through its links. A folder on the way that is `installation` (an installed copy's), by
// whatever path it is reached (a link, a bind mount), would put the folder in the installation.
std::string whyUnusable(const UserFolder& user, const std::optional<fs::path>& installation)
{
    struct stat installed {};
    const bool compared = installation && ::stat(installation->c_str(), &installed) == 0;
    struct stat status {};
    std::vector<fs::path> missing;
    uid_t deepestOwner = ::geteuid();
    fs::path way;
    for (const fs::path& part : user.folder) {
        way /= part;
        if (missing.empty() && ::stat(way.c_str(), &status) == 0) {
            if (!S_ISDIR(status.st_mode))
                return way == user.folder ? "it is not a folder" : way.string() + " is not a folder";
            if (compared && sameFile(status, installed))
                return "it lies in the installation";
            deepestOwner = status.st_uid;
            continue;
        }
        // A part this account may not look into, in a folder of another's, is that account's.
        if (missing.empty() && errno != ENOENT)
            return deepestOwner != ::geteuid() ? anotherAccounts : systemReason(errno);
        missing.push_back(way);
    }
    if (user.home) {
        if (::stat(user.home->c_str(), &status) != 0)
            return errno == ENOENT ? user.home->string() + " does not exist" : systemReason(errno);
        if (status.st_uid != ::geteuid())
            return anotherAccounts;
    }
    if (deepestOwner != ::geteuid())
        return anotherAccounts;
    for (const fs::path& folder : missing)
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
            return systemReason(errno);
    // Another process may have made a part of the way meanwhile.
    if (::stat(user.folder.c_str(), &status) != 0)
        return systemReason(errno);
    if (!S_ISDIR(status.st_mode))
        return "it is not a folder";
    if (status.st_uid != ::geteuid())
        return anotherAccounts;
    return {};
}

// What a run writes to show it: kept in the run's temporary folder where it has one.
bool isShownOutput(const fs::path& fileName)
{
    return fileName == resultPageName || fileName == points1FileName || fileName == points2FileName;
}

// Whether `fileName` is written to the run's temporary folder: a run with no folder to write
// shows its reports and plots from there.
bool shownFromRunFolder(const fs::path& fileName) { return !g_writable && g_run && isShownOutput(fileName); }

enum class Seeding { Refresh, WhereMissing, Never };

// How a start brings a file of the program folder into the account's own: the data files the
// user changes through the program only where the user has none; what a run writes (an earlier
// run's page, plots, backup and the lock its saves take turns through, perhaps another account's)
// and the installation's marker never;
// the rest (database, templates, help pages) is the program's own and is refreshed.
Seeding seedingOf(const fs::path& fileName)
{
    if (fileName == userComponentFileName || fileName == unifacDatabaseName)
        return Seeding::WhereMissing;
    if (isShownOutput(fileName))
        return Seeding::Never;
    for (const char* notOurs : {unifacDatabaseBackupName, unifacDatabaseLockName, installedMarkerName})
        if (fileName == notOurs)
            return Seeding::Never;
    return Seeding::Refresh;
}

// The program's own files in `shipped`, which the per-user folder is seeded with.
std::vector<fs::path> shippedFiles(const fs::path& shipped)
{
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(shipped, error)) {
        if (!entry.is_regular_file(error))
            continue;
        const auto permissions = entry.status(error).permissions();
        if ((permissions & fs::perms::owner_exec) == fs::perms::none && // not the program itself
            seedingOf(entry.path().filename()) != Seeding::Never)
            files.push_back(entry.path());
    }
    return files;
}

void removeLeftovers(const fs::path& folder, const std::vector<fs::path>& seeded)
{
    std::vector<std::string> names(replacedProgramFiles.begin(), replacedProgramFiles.end());
    for (const fs::path& file : seeded)
        names.push_back(file.filename().string());
    removeLeftoverTemporaries(folder, names);
}

// Hundreds of times the largest file the program ships, its component database (94 KB).
constexpr std::size_t largestShippedFile = std::size_t{64} << 20;

bool sameContent(const fs::path& a, const fs::path& b)
{
    const std::optional<std::string> first = readWholeFile(a, largestShippedFile);
    const std::optional<std::string> second = readWholeFile(b, largestShippedFile);
    return first && second && *first == *second;
}

const char* const cannotSave = " Reports, plots and changes to the data cannot be saved.";
const char* const shownNotKept = " Reports and plots are shown but not kept after exit; changes to the data cannot be "
                                 "saved.";

// The state of a start that chose its folder.
void chosen(const fs::path& folder, bool writable)
{
    g_folder = folder;
    g_writable = writable;
    g_run.reset();
    g_refused = false;
}

// What to say where the per-user folder cannot be used. The run gets a temporary folder of its
// own, its home; a copy with no folder to write shows its reports and plots from there.
std::string refuseUserFolder(const std::string& why)
{
    g_refused = true;
    g_run = TemporaryFolder::make();
    return why + (g_run && !g_writable ? shownNotKept : cannotSave);
}

// Whether the home that the libraries the program starts keep their files under, HOME, else the
// password database's, is an existing folder of the account's own.
bool homeIsOwn()
{
    const char* variable = std::getenv("HOME");
    const std::optional<fs::path> home = variable && *variable ? std::optional(fs::path(variable)) : accountHome();
    struct stat status {};
    return home && home->is_absolute() && ::stat(home->c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid();
}

} // namespace

std::optional<UserFolder> userDataFolder()
{
    // The XDG rules ignore a relative path.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && fs::path(data).is_absolute())
        return UserFolder(fs::path(data) / "calvex");
    std::optional<fs::path> home;
    if (const char* variable = std::getenv("HOME"); variable && fs::path(variable).is_absolute())
        home = fs::path(variable);
    else
        home = accountHome();
    if (!home)
        return std::nullopt;
    return UserFolder(*home / ".local" / "share" / "calvex", home);
}

std::string seedUserFolder(const fs::path& from, const fs::path& to)
{
    std::error_code failure;
    std::error_code error;
    for (const fs::path& file : shippedFiles(from)) {
        const Seeding seeding = seedingOf(file.filename());
        const fs::path target = to / file.filename();
        // Another copy of the program starting at the same moment may have made the user's file
        // a moment ago, and may already have written to it.
        const WhenPresent present = seeding == Seeding::WhereMissing ? WhenPresent::Keep : WhenPresent::Replace;
        if (present == WhenPresent::Keep ? fs::exists(target, error) : sameContent(file, target))
            continue;
        std::error_code copied = copyReplacing(file, target, largestShippedFile, present);
        if (copied == std::errc::file_exists)
            copied.clear();
        if (copied && !failure)
            failure = copied;
    }
    return failure ? failure.message() : std::string();
}

std::string useUserFolder(const fs::path& shipped, const std::optional<UserFolder>& user)
{
    // A build folder that can be written keeps its own, where each save meets what the folder allows.
    const bool installed = installation(shipped);
    chosen(shipped, !installed && writable(shipped));
    if (!user)
        return refuseUserFolder("No data folder could be found: neither XDG_DATA_HOME nor HOME is set and the "
                                "account has no home folder.");
    const fs::path& folder = user->folder;
    if (const std::string reason = whyUnusable(*user, installed ? std::optional(shipped) : std::nullopt);
        !reason.empty())
        return refuseUserFolder("The data folder " + folder.string() + " could not be used: " + reason + ".");
    chosen(folder, true);
    removeLeftovers(folder, shippedFiles(shipped));
    if (const std::string reason = seedUserFolder(shipped, folder); !reason.empty())
        return "The program's files could not be copied into the data folder " + folder.string() + ": " + reason +
               ".";
    return {};
}

fs::path programFolder()
{
    if (g_folder.empty())
        chooseProgramFolder(executableFolder());
    return g_folder;
}

fs::path programFile(const std::string& fileName)
{
    const fs::path folder = programFolder();
    return shownFromRunFolder(fileName) ? g_run->path() / fileName : folder / fileName;
}

std::optional<fs::path> programFileToWrite(const std::string& fileName)
{
    const fs::path file = programFile(fileName);
    return g_writable || shownFromRunFolder(fileName) ? std::optional(file) : std::nullopt;
}

std::string initialiseProgramFolder()
{
    std::string message = chooseProgramFolder(executableFolder());
    if (g_refused || !homeIsOwn()) {
        if (!g_run)
            g_run = TemporaryFolder::make();
        setEnvironment(runHomeEnvironment(g_run ? std::optional(g_run->path()) : std::nullopt));
    }
    return message;
}

std::string chooseProgramFolder(const fs::path& exeFolder)
{
    if (writable(exeFolder) && !installation(exeFolder)) {
        chosen(exeFolder, true);
        removeLeftovers(exeFolder, {});
        return {};
    }
    return useUserFolder(exeFolder, userDataFolder());
}

void setProgramFolder(const fs::path& folder) { chosen(folder, true); }

} // namespace calvex::services
