#pragma once
// The home of a run that may keep nothing under the home it was started with (another account's,
// as under a sudo that keeps HOME; the installation; none of the account's own). The libraries
// the program starts (D-Bus, GTK, GLib, fontconfig, Qt) keep what they keep under HOME and the XDG
// folders, and libdbus, finding no session bus, starts one of its own that writes there and
// outlives the run: before any of them starts, those point into the run's own temporary folder,
// which goes at the end, for the run and for everything it starts.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace calvex::services {

struct EnvironmentSetting {
    std::string name;
    std::string value;

    bool operator==(const EnvironmentSetting&) const = default;
};

// What gives a run its home in `runFolder` (none: where no such folder could be made, paths under
// which nothing can be made), read from the environment as it is now:
// - HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME, XDG_DATA_HOME and XDG_STATE_HOME in runFolder/home;
// - XDG_RUNTIME_DIR in runFolder/runtime where it is not ownRuntimeFolder();
// - the connections the run had, kept: XAUTHORITY where unset (Xlib reads the X cookie from
//   $HOME/.Xauthority) and ICEAUTHORITY alike for the session manager's; WAYLAND_DISPLAY as a full
//   path where XDG_RUNTIME_DIR moves (a bare name lies in that folder); DBUS_SESSION_BUS_ADDRESS
//   where none is set: the account's own bus, else an address that reaches none, and GLib's
//   settings then kept in memory (GSETTINGS_BACKEND) where no other place is named for them.
// The folders home and runtime are made, private to the account.
std::vector<EnvironmentSetting> runHomeEnvironment(const std::optional<std::filesystem::path>& runFolder);

// Sets `settings` for the rest of the run and what it starts; made before any thread starts.
void setEnvironment(const std::vector<EnvironmentSetting>& settings);

} // namespace calvex::services
