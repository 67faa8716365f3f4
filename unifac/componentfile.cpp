#include "unifac/componentfile.h"

#include "services/filelock.h"
#include "services/filereplacement.h"
#include "services/programfolder.h"
#include "unifac/componentmerge.h"
#include "unifac/windows1252.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <system_error>

#include <unistd.h>

namespace calvex::unifac {
namespace fs = std::filesystem;
namespace {

// Eight times a full list (the count, 32767 records): a save never makes the file longer than
// the longest list it held.
constexpr std::size_t largestFile = 8 * (2 + static_cast<std::size_t>(maxComponentCount) * recordSize);

std::string countBytes(std::size_t count)
{
    const auto value = static_cast<std::uint16_t>(count);
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

// The bytes a save leaves: the new head over the old file's bytes, which stay where it is longer.
std::optional<std::string> savedBytes(const std::vector<UnifacComponent>& components, std::string old)
{
    if (components.size() > static_cast<std::size_t>(maxComponentCount))
        return std::nullopt;
    std::string head = countBytes(components.size());
    for (const UnifacComponent& component : components) {
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

// The components a file's bytes hold; none when they cannot be read as a list. A file shorter
// than its count yields its complete records.
std::optional<std::vector<UnifacComponent>> parseRecords(const std::string& bytes)
{
    if (bytes.size() < 2)
        return std::nullopt;
    const auto count = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[0]) |
                                                 static_cast<unsigned char>(bytes[1]) << 8);
    if (count < 0)
        return std::nullopt;
    const std::size_t complete = std::min<std::size_t>(count, (bytes.size() - 2) / recordSize);
    std::vector<UnifacComponent> components;
    components.reserve(complete);
    for (std::size_t i = 0; i < complete; ++i) {
        const std::string_view record = std::string_view(bytes).substr(2 + i * recordSize, recordSize);
        components.push_back({fromWindows1252(record.substr(0, componentNameWidth)),
                              fromWindows1252(record.substr(componentNameWidth))});
    }
    return components;
}

// The lock file of ours beside `file` that saves hold: the file itself is replaced by a rename,
// and a folder's lock reaches no other computer sharing it. Made when missing, never removed: a
// copy of the program waiting for it would lock a name no longer in the folder.
fs::path lockFileOf(const fs::path& file) { return file.parent_path() / services::unifacDatabaseLockName; }

// The save itself, while the caller holds the lock file: the file is read, changed and renamed
// into place without another copy of the program saving in between.
DatabaseSave saveLocked(UnifacComponentList& list, const fs::path& file)
{
    std::string old;
    std::optional<std::vector<UnifacComponent>> there;
    if (FileExists(file)) {
        // A file the user made read-only stays as it is, although the folder would let a
        // rename replace it.
        if (::access(file.c_str(), W_OK) != 0)
            return {};
        auto bytes = services::readWholeFile(file, largestFile);
        if (!bytes)
            return {};
        old = std::move(*bytes);
        there = parseRecords(old);
    }
    const bool changedElsewhere = list.stored() && there && *there != *list.stored();
    ComponentMerge merge;
    if (changedElsewhere)
        merge = mergeComponents(list, *there);
    const std::vector<UnifacComponent>& components = changedElsewhere ? merge.components : list.components();
    const std::optional<std::string> bytes = savedBytes(components, std::move(old));
    if (!bytes || services::writeReplacing(file, *bytes))
        return {};
    if (changedElsewhere)
        list.replaceAll(std::move(merge.components));
    list.markStored();
    return {true, std::move(merge.keptHere)};
}

// The load itself; a missing file is made where `mayMake`, and is otherwise an empty list.
DatabaseLoad loadFile(UnifacComponentList& list, const fs::path& file, bool mayMake)
{
    list.ClearComponents();
    // Whatever becomes of the load, the list now holds nothing of the file: a save that finds
    // components there keeps them.
    list.markStored();
    if (!FileExists(file)) {
        std::error_code error;
        if (fs::exists(file, error))
            return DatabaseLoad::Failed;
        if (!mayMake)
            return DatabaseLoad::Missing;
        // Made whole or not at all: an empty file left by a full disk would read as damaged at
        // every later start. Another copy of the program may have made it a moment ago.
        const std::error_code made = services::writeReplacing(file, countBytes(0), services::WhenPresent::Keep);
        if (!made)
            return DatabaseLoad::Created;
        if (made != std::errc::file_exists)
            return DatabaseLoad::Failed;
    }
    const std::optional<std::string> bytes = services::readWholeFile(file, largestFile);
    std::optional<std::vector<UnifacComponent>> components;
    if (bytes)
        components = parseRecords(*bytes);
    if (!components)
        return DatabaseLoad::Failed;
    list.replaceAll(std::move(*components));
    list.markStored();
    return DatabaseLoad::Loaded;
}

// How the program's last load of its own file went.
DatabaseLoad& lastProgramLoad()
{
    static DatabaseLoad load = DatabaseLoad::Loaded;
    return load;
}

} // namespace

fs::path databaseFile() { return services::programFile(services::unifacDatabaseName); }

bool FileExists(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error) && !error;
}

DatabaseLoad LoadDatabase()
{
    const bool mayMake = services::programFileToWrite(services::unifacDatabaseName).has_value();
    return lastProgramLoad() = loadFile(componentList(), databaseFile(), mayMake);
}

DatabaseLoad LoadDatabase(UnifacComponentList& list, const fs::path& file) { return loadFile(list, file, true); }

DatabaseSave SaveDatabase()
{
    const std::optional<fs::path> file = services::programFileToWrite(services::unifacDatabaseName);
    const std::optional<fs::path> backup = services::programFileToWrite(services::unifacDatabaseBackupName);
    if (!file || !backup)
        return {};
    const services::FileLock lock(lockFileOf(*file), *file);
    if (!lock)
        return {};
    // The file the last load could not read still holds the user's components: an empty list
    // leaves it as it was, and any other list replaces it only once it is copied aside.
    if (lastProgramLoad() == DatabaseLoad::Failed) {
        if (componentList().ComponentCount() == 0)
            return {true, {}};
        if (FileExists(*file) && services::copyReplacing(*file, *backup, largestFile))
            return {};
    }
    DatabaseSave save = saveLocked(componentList(), *file);
    if (save)
        lastProgramLoad() = DatabaseLoad::Loaded;
    return save;
}

DatabaseSave SaveDatabase(UnifacComponentList& list, const fs::path& file)
{
    const services::FileLock lock(lockFileOf(file), file);
    if (!lock)
        return {};
    return saveLocked(list, file);
}

} // namespace calvex::unifac
