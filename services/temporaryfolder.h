#pragma once
// A folder of one run's own, for what the run shows but may keep nowhere: private to the
// account (0700), under a name no other account can foresee or take first, and removed with
// what it holds when the object goes (at the program's end, its usual ones: Quit, the frame
// closed, the desktop session ended, a SIGTERM, SIGHUP or SIGINT). A crash, SIGKILL or a second
// of those signals, which ends a run that does not come back to its event loop where it stands,
// leaves it in a temporary folder, which the system clears.

#include <filesystem>
#include <optional>

namespace calvex::services {

class TemporaryFolder {
public:
    // Made in ownRuntimeFolder() where there is one, else in the system's temporary folder
    // ($TMPDIR, else /tmp where TMPDIR is unset or cannot be used) where no other account can
    // remove or rename what this one makes there. None where no such folder can be made.
    static std::optional<TemporaryFolder> make();

    ~TemporaryFolder();
    TemporaryFolder(TemporaryFolder&& other) noexcept;
    TemporaryFolder& operator=(TemporaryFolder&& other) noexcept;
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    explicit TemporaryFolder(std::filesystem::path path) : m_path(std::move(path)) {}
    void remove();

    std::filesystem::path m_path;
};

// $XDG_RUNTIME_DIR where it is the account's own folder with mode 0700, as the XDG rules ask:
// under sudo -E it is another account's.
std::optional<std::filesystem::path> ownRuntimeFolder();

} // namespace calvex::services
