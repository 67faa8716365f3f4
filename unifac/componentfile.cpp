#include "unifac/componentfile.h"

#include "services/programfolder.h"
#include "unifac/windows1252.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <system_error>

#include <unistd.h>

namespace calvex::unifac {
namespace fs = std::filesystem;
namespace {

std::string countBytes(std::size_t count)
{
    const auto value = static_cast<std::uint16_t>(count);
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::optional<std::string> readWhole(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

bool writeWhole(const fs::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

// The bytes a save leaves: the new head over the old file's bytes, which stay where it is longer.
std::optional<std::string> savedBytes(const UnifacComponentList& list, std::string old)
{
    std::string head = countBytes(list.components().size());
    for (const UnifacComponent& component : list.components()) {
        const auto name = toWindows1252(fitToWidth(component.name, componentNameWidth));
        const auto groups = toWindows1252(fitToWidth(component.GroupList, groupListWidth));
        if (!name || !groups)
            return std::nullopt;
        head += *name + *groups;
    }
    if (old.size() < head.size())
        old.resize(head.size());
    old.replace(0, head.size(), head);
    return old;
}

// How the program's last load of its own file went.
DatabaseLoad& lastProgramLoad()
{
    static DatabaseLoad load = DatabaseLoad::Loaded;
    return load;
}

} // namespace

fs::path databaseFile() { return services::programFile("DATABASE.UFC"); }

bool FileExists(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error) && !error;
}

DatabaseLoad LoadDatabase() { return lastProgramLoad() = LoadDatabase(componentList(), databaseFile()); }

DatabaseLoad LoadDatabase(UnifacComponentList& list, const fs::path& file)
{
    list.ClearComponents();
    if (!FileExists(file)) {
        std::error_code error;
        if (fs::exists(file, error))
            return DatabaseLoad::Failed;
        // An empty file left by a full disk would read as damaged at every later start.
        if (!writeWhole(file, countBytes(0))) {
            fs::remove(file, error);
            return DatabaseLoad::Failed;
        }
        return DatabaseLoad::Created;
    }
    const std::optional<std::string> bytes = readWhole(file);
    if (!bytes || bytes->size() < 2)
        return DatabaseLoad::Failed;
    const auto count = static_cast<std::int16_t>(static_cast<unsigned char>((*bytes)[0]) |
                                                 static_cast<unsigned char>((*bytes)[1]) << 8);
    if (count < 0)
        return DatabaseLoad::Failed;
    const std::size_t complete = std::min<std::size_t>(count, (bytes->size() - 2) / recordSize);
    std::vector<UnifacComponent> components;
    components.reserve(complete);
    for (std::size_t i = 0; i < complete; ++i) {
        const std::string_view record = std::string_view(*bytes).substr(2 + i * recordSize, recordSize);
        components.push_back({fromWindows1252(record.substr(0, componentNameWidth)),
                              fromWindows1252(record.substr(componentNameWidth))});
    }
    list.replaceAll(std::move(components));
    return DatabaseLoad::Loaded;
}

fs::path databaseBackupFile() { return services::programFile("DATABASE.UFC.bak"); }

bool SaveDatabase()
{
    // The file the last load could not read still holds the user's components: an empty list
    // leaves it as it was, and any other list replaces it only once it is copied aside.
    if (lastProgramLoad() == DatabaseLoad::Failed) {
        if (componentList().ComponentCount() == 0)
            return true;
        std::error_code error;
        if (FileExists(databaseFile()))
            fs::copy_file(databaseFile(), databaseBackupFile(), fs::copy_options::overwrite_existing, error);
        if (error)
            return false;
    }
    if (!SaveDatabase(componentList(), databaseFile()))
        return false;
    lastProgramLoad() = DatabaseLoad::Loaded;
    return true;
}

bool SaveDatabase(const UnifacComponentList& list, const fs::path& file)
{
    std::string old;
    if (FileExists(file)) {
        // A file the user made read-only stays as it is, although the folder would let a
        // rename replace it.
        if (::access(file.c_str(), W_OK) != 0)
            return false;
        const auto bytes = readWhole(file);
        if (!bytes)
            return false;
        old = *bytes;
    }
    const std::optional<std::string> bytes = savedBytes(list, std::move(old));
    if (!bytes)
        return false;
    fs::path temporary = file;
    temporary += ".tmp";
    std::error_code error;
    if (!writeWhole(temporary, *bytes)) {
        fs::remove(temporary, error);
        return false;
    }
    fs::rename(temporary, file, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

} // namespace calvex::unifac
