#include "services/runhome.h"

#include "tests/support/environmentscope.h"
#include "tests/support/otheraccount.h"
#include "tests/support/scratchfolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace calvex::services {
namespace {

namespace fs = std::filesystem;
using testing::EnvironmentScope;
using Settings = std::map<std::string, std::string>;

// A session bus as the system makes one: a socket of the account's in its runtime folder.
void makeBus(const fs::path& socket)
{
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(descriptor, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socket.c_str(), sizeof address.sun_path - 1);
    EXPECT_EQ(::bind(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0) << socket;
    ::close(descriptor);
}

bool isOwnSocket(const fs::path& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISSOCK(status.st_mode) && status.st_uid == ::geteuid();
}

Settings homeIn(const fs::path& base)
{
    return {{"HOME", (base / "home").string()},
            {"XDG_CONFIG_HOME", (base / "home/.config").string()},
            {"XDG_CACHE_HOME", (base / "home/.cache").string()},
            {"XDG_DATA_HOME", (base / "home/.local/share").string()},
            {"XDG_STATE_HOME", (base / "home/.local/state").string()}};
}

// Everything a library keeps goes into the run's folder; every connection the run had is kept:
// the X and session-manager cookies found through the old home, the Wayland socket named in the
// old runtime folder, the bus address set or the account's own bus; where it has none, an address
// where nothing listens, as libdbus would otherwise start a bus that outlives the run.
TEST(RunHome, LibrariesKeepTheirFilesInTheRunsFolderAndTheRunKeepsItsConnections)
{
    testing::ScratchFolder scratch;
    const fs::path run = testing::privateFolder(scratch.file("run folder"), ::geteuid());
    const std::string runAddress = "unix:path=" + scratch.path().string() + "/run%20folder/no-bus";
    const fs::path ownRuntime = testing::privateFolder(scratch.file("own runtime"), ::geteuid());
    makeBus(ownRuntime / "bus");
    const fs::path bareRuntime = testing::privateFolder(scratch.file("bare"), ::geteuid());
    const fs::path othersRuntime = testing::privateFolder(scratch.file("others"), testing::otherAccount);
    // Where this machine runs a session of the tests' account, its bus is the account's own.
    const fs::path sessionBus = fs::path("/run/user") / std::to_string(::geteuid()) / "bus";
    const Settings noOwnBus = isOwnSocket(sessionBus)
                                  ? Settings{{"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + sessionBus.string()}}
                                  : Settings{{"DBUS_SESSION_BUS_ADDRESS", runAddress}, {"GSETTINGS_BACKEND", "memory"}};

    using Variable = std::optional<std::string>;
    const struct {
        const char* what;
        Variable home, xauthority, xdgRuntimeDir, waylandDisplay, busAddress;
        std::optional<fs::path> runFolder;
        Settings expected; // besides the home's
        Settings bus = {};
    } rows[] = {
        {"root with an account's HOME and runtime folder, no bus address (sudo --preserve-env=HOME,...)",
         "/home/a", std::nullopt, othersRuntime.string(), "wayland-1", std::nullopt, run,
         {{"XAUTHORITY", "/home/a/.Xauthority"},
          {"ICEAUTHORITY", "/home/a/.ICEauthority"},
          {"WAYLAND_DISPLAY", othersRuntime.string() + "/wayland-1"},
          {"XDG_RUNTIME_DIR", (run / "runtime").string()}},
         noOwnBus},
        {"the account's own runtime folder and bus, its X cookie named", "/home/a", "/home/a/cookie",
         ownRuntime.string(), "wayland-0", std::nullopt, run,
         {{"ICEAUTHORITY", "/home/a/.ICEauthority"},
          {"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + scratch.path().string() + "/own%20runtime/bus"}}},
        {"Wayland's default socket in another's runtime folder", "/", std::nullopt, othersRuntime.string(),
         std::nullopt, "unix:path=/bus", run,
         {{"XAUTHORITY", "/.Xauthority"},
          {"ICEAUTHORITY", "/.ICEauthority"},
          {"WAYLAND_DISPLAY", othersRuntime.string() + "/wayland-0"},
          {"XDG_RUNTIME_DIR", (run / "runtime").string()}}},
        {"an own runtime folder with no bus, no HOME", std::nullopt, std::nullopt, bareRuntime.string(), std::nullopt,
         std::nullopt, run, {}, noOwnBus},
        {"no run folder, no runtime folder, the Wayland socket by its path", "/home/a", "", std::nullopt,
         "/run/w/socket", "unix:path=/bus", std::nullopt,
         {{"ICEAUTHORITY", "/home/a/.ICEauthority"}, {"XDG_RUNTIME_DIR", "/dev/null/runtime"}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const EnvironmentScope home("HOME", row.home);
        const EnvironmentScope xauthority("XAUTHORITY", row.xauthority);
        const EnvironmentScope iceauthority("ICEAUTHORITY", std::nullopt);
        const EnvironmentScope runtime("XDG_RUNTIME_DIR", row.xdgRuntimeDir);
        const EnvironmentScope wayland("WAYLAND_DISPLAY", row.waylandDisplay);
        const EnvironmentScope bus("DBUS_SESSION_BUS_ADDRESS", row.busAddress);
        const EnvironmentScope settingsBackend("GSETTINGS_BACKEND", std::nullopt);
        fs::remove_all(run / "home");
        fs::remove_all(run / "runtime");

        Settings settings;
        for (const EnvironmentSetting& setting : runHomeEnvironment(row.runFolder))
            settings.emplace(setting.name, setting.value);

        Settings expected = homeIn(row.runFolder.value_or("/dev/null"));
        expected.insert(row.expected.begin(), row.expected.end());
        expected.insert(row.bus.begin(), row.bus.end());
        EXPECT_EQ(settings, expected);
        if (!row.runFolder)
            continue;
        for (const char* folder : {"HOME", "XDG_RUNTIME_DIR"}) {
            struct stat status {};
            if (expected.contains(folder)) {
                ASSERT_EQ(::stat(expected.at(folder).c_str(), &status), 0) << folder << " is made";
                EXPECT_EQ(status.st_mode & 0777, 0700u) << folder;
                EXPECT_EQ(status.st_uid, ::geteuid()) << folder;
            }
        }
    }
}

} // namespace
} // namespace calvex::services
