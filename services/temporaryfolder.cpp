#include "services/temporaryfolder.h"

#include <cstdlib>
#include <string>
#include <system_error>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

namespace calvex::services {
namespace fs = std::filesystem;
namespace {

enum class Place { Runtime, Temporary };

// Whether what this account makes in `folder` stays its own: the runtime folder is the account's
// own with mode 0700, as the XDG rules ask; a temporary folder is the account's own or root's,
// and where others may write into it, sticky, so none of them can remove or rename a folder made
// there. A relative or missing one is none.
bool fitFor(const char* folder, Place place)
{
    struct stat status {};
    if (!folder || *folder != '/' || ::stat(folder, &status) != 0 || !S_ISDIR(status.st_mode))
        return false;
    if (place == Place::Runtime)
        return status.st_uid == ::geteuid() && (status.st_mode & 0777) == 0700;
    const bool trustedOwner = status.st_uid == ::geteuid() || status.st_uid == 0;
    const bool othersWrite = (status.st_mode & (S_IWGRP | S_IWOTH)) != 0;
    return trustedOwner && (!othersWrite || (status.st_mode & S_ISVTX) != 0);
}

} // namespace

std::optional<TemporaryFolder> TemporaryFolder::make()
{
    const char* temporary = std::getenv("TMPDIR");
    const std::pair<const char*, Place> places[] = {{std::getenv("XDG_RUNTIME_DIR"), Place::Runtime},
                                                    {temporary && *temporary ? temporary : "/tmp", Place::Temporary}};
    for (const auto& [folder, place] : places) {
        if (!fitFor(folder, place))
            continue;
        // mkdtemp makes the folder 0700 under a name of its own choice, never one that exists.
        std::string name = (fs::path(folder) / "calvex-XXXXXX").string();
        if (::mkdtemp(name.data()))
            return TemporaryFolder(fs::path(name));
    }
    return std::nullopt;
}

TemporaryFolder::~TemporaryFolder() { remove(); }

TemporaryFolder::TemporaryFolder(TemporaryFolder&& other) noexcept : m_path(std::exchange(other.m_path, {})) {}

TemporaryFolder& TemporaryFolder::operator=(TemporaryFolder&& other) noexcept
{
    if (this != &other) {
        remove();
        m_path = std::exchange(other.m_path, {});
    }
    return *this;
}

void TemporaryFolder::remove()
{
    if (m_path.empty())
        return;
    std::error_code error;
    fs::remove_all(m_path, error);
    m_path.clear();
}

} // namespace calvex::services
