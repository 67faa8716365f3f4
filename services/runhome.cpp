#include "services/runhome.h"

#include "services/temporaryfolder.h"

#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

namespace calvex::services {
namespace fs = std::filesystem;
namespace {

// A D-Bus address value: bytes outside the few the address syntax leaves as they are, %-escaped.
std::string busAddressValue(const std::string& text)
{
    constexpr std::string_view kept = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_/.\\*";
    constexpr std::string_view digits = "0123456789abcdef";
    std::string escaped;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (kept.find(c) != std::string_view::npos)
            escaped += c;
        else
            escaped += {'%', digits[byte >> 4], digits[byte & 0xf]};
    }
    return escaped;
}

// The account's own session bus, where it has one: in its own runtime folder (libdbus's own
// choice where no address is set), else where the system puts it for a session of the account's.
std::optional<fs::path> ownSessionBus()
{
    std::vector<fs::path> places;
    if (const std::optional<fs::path> runtime = ownRuntimeFolder())
        places.push_back(*runtime / "bus");
    places.push_back(fs::path("/run/user") / std::to_string(::geteuid()) / "bus");
    for (const fs::path& place : places) {
        struct stat status {};
        if (::lstat(place.c_str(), &status) == 0 && S_ISSOCK(status.st_mode) && status.st_uid == ::geteuid())
            return place;
    }
    return std::nullopt;
}

} // namespace

std::vector<EnvironmentSetting> runHomeEnvironment(const std::optional<fs::path>& runFolder)
{
    // Nothing can be made under a device file, not even by root.
    const fs::path base = runFolder ? *runFolder : fs::path("/dev/null");
    const fs::path home = base / "home";
    const fs::path runtime = base / "runtime";
    std::vector<EnvironmentSetting> settings;

    // What was found through the home is found where it was.
    if (const char* oldHome = std::getenv("HOME"); oldHome && *oldHome) {
        const std::string folder = std::string(oldHome) + (std::strcmp(oldHome, "/") == 0 ? "" : "/");
        for (const auto& [variable, file] : {std::pair{"XAUTHORITY", ".Xauthority"}, {"ICEAUTHORITY", ".ICEauthority"}})
            if (!std::getenv(variable))
                settings.push_back({variable, folder + file});
    }
    const bool runtimeMoves = !ownRuntimeFolder();
    if (runtimeMoves) {
        const char* oldRuntime = std::getenv("XDG_RUNTIME_DIR");
        const char* display = std::getenv("WAYLAND_DISPLAY");
        const std::string socket = display ? display : "wayland-0"; // libwayland's own default
        if (oldRuntime && !socket.starts_with('/'))
            settings.push_back({"WAYLAND_DISPLAY", std::string(oldRuntime) + "/" + socket});
        settings.push_back({"XDG_RUNTIME_DIR", runtime.string()});
    }
    if (const char* bus = std::getenv("DBUS_SESSION_BUS_ADDRESS"); !bus || !*bus) {
        const std::optional<fs::path> own = ownSessionBus();
        // libdbus 1.14 knows no address that disables the bus: one where nothing listens does.
        const fs::path socket = own.value_or(base / "no-bus");
        settings.push_back({"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + busAddressValue(socket.string())});
        // GLib's settings are written through the bus; with none, they are kept for the run alone.
        if (!own && !std::getenv("GSETTINGS_BACKEND"))
            settings.push_back({"GSETTINGS_BACKEND", "memory"});
    }

    settings.push_back({"HOME", home.string()});
    settings.push_back({"XDG_CONFIG_HOME", (home / ".config").string()});
    settings.push_back({"XDG_CACHE_HOME", (home / ".cache").string()});
    settings.push_back({"XDG_DATA_HOME", (home / ".local/share").string()});
    settings.push_back({"XDG_STATE_HOME", (home / ".local/state").string()});

    if (runFolder) {
        ::mkdir(home.c_str(), 0700);
        if (runtimeMoves)
            ::mkdir(runtime.c_str(), 0700);
    }
    return settings;
}

void setEnvironment(const std::vector<EnvironmentSetting>& settings)
{
    for (const EnvironmentSetting& setting : settings)
        ::setenv(setting.name.c_str(), setting.value.c_str(), 1);
}

} // namespace calvex::services
