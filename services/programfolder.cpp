#include "services/programfolder.h"

#include "services/filereplacement.h"
#include "services/pointsfile.h"
#include "services/ui.h"
#include "services/usercomponentfile.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <vector>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace calvex::services {
namespace fs = std::filesystem;
namespace {

fs::path g_folder;
// Whether the program may write into g_folder.
bool g_writable = false;

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

// Makes the folders missing on the way to `folder` with mode 0700, as the XDG rules ask, and
// takes the folder only when it is this account's own: another account's folder would show its
// files to this one, and could lead this one's reports through its links. Empty when usable.
std::string whyUnusable(const fs::path& folder)
{
    fs::path made;
    for (const fs::path& part : folder) {
        made /= part;
        if (::mkdir(made.c_str(), 0700) != 0 && errno != EEXIST)
            return systemReason(errno);
    }
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0)
        return systemReason(errno);
    if (!S_ISDIR(status.st_mode))
        return "it is not a folder";
    if (status.st_uid != ::geteuid())
        return "it belongs to another account";
    return {};
}

// Whether `folder` is `outer` or lies inside it, links followed where they exist.
bool liesIn(const fs::path& folder, const fs::path& outer)
{
    std::error_code error;
    const fs::path inner = fs::weakly_canonical(folder, error);
    const fs::path base = fs::weakly_canonical(outer, error);
    return std::mismatch(base.begin(), base.end(), inner.begin(), inner.end()).first == base.end();
}

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
    for (const char* notOurs : {resultPageName, points1FileName, points2FileName, unifacDatabaseBackupName,
                                unifacDatabaseLockName, installedMarkerName})
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

} // namespace

std::optional<fs::path> userDataFolder()
{
    // The XDG rules ignore a relative XDG_DATA_HOME.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && fs::path(data).is_absolute())
        return fs::path(data) / "calvex";
    std::optional<fs::path> home;
    if (const char* variable = std::getenv("HOME"); variable && *variable)
        home = fs::path(variable);
    else
        home = accountHome();
    if (!home)
        return std::nullopt;
    return *home / ".local" / "share" / "calvex";
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

void useUserFolder(const fs::path& shipped, const std::optional<fs::path>& folder)
{
    g_folder = shipped;
    // A build folder keeps its own, where each save meets what the folder allows.
    g_writable = !installation(shipped);
    if (!folder) {
        ui().message(std::string("No data folder could be found: neither XDG_DATA_HOME nor HOME is set and the "
                                 "account has no home folder.") + cannotSave);
        return;
    }
    // Made there, the folder itself would be written into the installation.
    const bool inInstallation = !g_writable && liesIn(*folder, shipped);
    if (const std::string reason = inInstallation ? "it lies in the installation" : whyUnusable(*folder);
        !reason.empty()) {
        ui().message("The data folder " + folder->string() + " could not be used: " + reason + "." + cannotSave);
        return;
    }
    g_folder = *folder;
    g_writable = true;
    removeLeftovers(*folder, shippedFiles(shipped));
    if (const std::string reason = seedUserFolder(shipped, *folder); !reason.empty())
        ui().message("The program's files could not be copied into the data folder " + folder->string() + ": " +
                     reason + ".");
}

fs::path programFolder()
{
    if (g_folder.empty())
        initialiseProgramFolder();
    return g_folder;
}

fs::path programFile(const std::string& fileName) { return programFolder() / fileName; }

std::optional<fs::path> programFileToWrite(const std::string& fileName)
{
    const fs::path file = programFile(fileName);
    return g_writable ? std::optional(file) : std::nullopt;
}

void initialiseProgramFolder() { chooseProgramFolder(executableFolder()); }

void chooseProgramFolder(const fs::path& exeFolder)
{
    if (writable(exeFolder) && !installation(exeFolder)) {
        g_folder = exeFolder;
        g_writable = true;
        removeLeftovers(exeFolder, {});
    } else
        useUserFolder(exeFolder, userDataFolder());
}

void setProgramFolder(const fs::path& folder)
{
    g_folder = folder;
    g_writable = true;
}

} // namespace calvex::services
