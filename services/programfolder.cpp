#include "services/programfolder.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace calvex::services {
namespace fs = std::filesystem;
namespace {

fs::path g_folder;

fs::path executableFolder()
{
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return fs::current_path(error);
    return exe.parent_path();
}

bool writable(const fs::path& folder) { return ::access(folder.c_str(), W_OK) == 0; }

fs::path userDataFolder()
{
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        return fs::path(data) / "calvex";
    if (const char* home = std::getenv("HOME"); home && *home)
        return fs::path(home) / ".local" / "share" / "calvex";
    return fs::temp_directory_path() / "calvex";
}

// Files the user changes through the program; everything else the program folder holds
// (database, templates, help pages) is the program's own and is refreshed on every start.
bool isUserData(const fs::path& fileName)
{
    return fileName == "Filedatabase.dat" || fileName == "DATABASE.UFC";
}

} // namespace

void seedUserFolder(const fs::path& from, const fs::path& to)
{
    std::error_code error;
    fs::create_directories(to, error);
    for (const auto& entry : fs::directory_iterator(from, error)) {
        if (!entry.is_regular_file(error))
            continue;
        const auto permissions = entry.status(error).permissions();
        if ((permissions & fs::perms::owner_exec) != fs::perms::none)
            continue; // the program itself, not its data
        const fs::path target = to / entry.path().filename();
        if (isUserData(entry.path().filename()) && fs::exists(target, error))
            continue;
        fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing, error);
    }
}

fs::path programFolder()
{
    if (g_folder.empty())
        initialiseProgramFolder();
    return g_folder;
}

fs::path programFile(const std::string& fileName) { return programFolder() / fileName; }

void initialiseProgramFolder()
{
    const fs::path exeFolder = executableFolder();
    if (writable(exeFolder)) {
        g_folder = exeFolder;
        return;
    }
    const fs::path userFolder = userDataFolder();
    seedUserFolder(exeFolder, userFolder);
    g_folder = userFolder;
}

void setProgramFolder(const fs::path& folder) { g_folder = folder; }

} // namespace calvex::services
