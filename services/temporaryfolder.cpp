#include "services/temporaryfolder.h"

#include <cstdlib>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace calvex::services {
namespace fs = std::filesystem;
namespace {

bool isFolder(const char* folder, struct stat& status)
{
    return folder && *folder == '/' && ::stat(folder, &status) == 0 && S_ISDIR(status.st_mode);
}

// Whether what this account makes in the temporary `folder` stays its own: the folder is the
// account's own or root's, and where others may write into it, sticky, so none of them can
// remove or rename a folder made there. A relative or missing one is none.
bool fitForTemporary(const char* folder)
{
    struct stat status {};
    if (!isFolder(folder, status))
        return false;
    const bool trustedOwner = status.st_uid == ::geteuid() || status.st_uid == 0;
    const bool othersWrite = (status.st_mode & (S_IWGRP | S_IWOTH)) != 0;
    return trustedOwner && (!othersWrite || (status.st_mode & S_ISVTX) != 0);
}

} // namespace

std::optional<fs::path> ownRuntimeFolder()
{
    const char* folder = std::getenv("XDG_RUNTIME_DIR");
    struct stat status {};
    if (!isFolder(folder, status) || status.st_uid != ::geteuid() || (status.st_mode & 0777) != 0700)
        return std::nullopt;
    return fs::path(folder);
}

std::optional<TemporaryFolder> TemporaryFolder::make()
{
    std::vector<fs::path> places;
    if (const std::optional<fs::path> runtime = ownRuntimeFolder())
        places.push_back(*runtime);
    const char* const temporaries[] = {std::getenv("TMPDIR"), "/tmp"};
    for (const char* temporary : temporaries)
        if (fitForTemporary(temporary))
            places.emplace_back(temporary);
    for (const fs::path& folder : places) {
        // mkdtemp makes the folder 0700 under a name of its own choice, never one that exists.
        std::string name = (folder / "calvex-XXXXXX").string();
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
