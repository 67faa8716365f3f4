#pragma once
// The UNIFAC components the user has defined, in the order the user sees them (positions
// 1..count), as one list per process. The list changes only through these operations and is
// kept in DATABASE.UFC (componentfile.h).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calvex::unifac {

constexpr std::size_t componentNameWidth = 20;
constexpr std::size_t groupListWidth = 44;
constexpr int maxComponentCount = 32767; // the count is stored as a 16-bit number

struct UnifacComponent {
    std::string name;      // exactly 20 characters, blank-padded
    std::string GroupList; // exactly 44 characters, blank-padded

    bool operator==(const UnifacComponent&) const = default;
};

// What a change of the list came to; on a refusal nothing changed.
enum class ListChange {
    Done,
    ListFull,        // the list holds 32767 components already
    GroupsTooLong,   // a group list over 44 characters would be cut and lose pairs
    NotStorable,     // a character that DATABASE.UFC cannot hold
};

// A name as it will be stored: its first 20 characters, blank-padded.
std::string storedName(std::string_view name);
// True when the text has a byte in the file's code page for every character.
bool isStorableText(std::string_view text);
// True when what is kept of the name, its first 20 characters, can be stored: a character past
// the 20th is cut off anyway and refuses nothing.
bool isStorableName(std::string_view name);

class UnifacComponentList {
public:
    ListChange AddComponent(std::string_view name, std::string_view groups);
    ListChange SetComponentGroups(int position, std::string_view groups);
    ListChange SetComponentName(int position, std::string_view name);
    void DeleteComponent(int position);
    void ClearComponents();
    void SwapComponents(int i, int j);
    // The 20-character name with its trailing blanks; empty when the position does not exist.
    std::string ComponentNameAt(int position) const;
    // The 44-character group list with its trailing blanks; empty when the position does not exist.
    std::string ComponentGroups(int position) const;
    short ComponentCount() const;

    // Replaces the whole list (the file's records, already fitted to their widths).
    void replaceAll(std::vector<UnifacComponent> components);
    const std::vector<UnifacComponent>& components() const { return m_components; }

    // What the list knows of its file, so that a save over a file that another copy of the
    // program has changed since can apply only this list's own changes: the components as the
    // file held them when the list last read or wrote it (none before the list met a file), and
    // for each position the one of those it was made from, by its 1-based place there (0 for a
    // component added since). Renames, new groups and moves keep a component's origin.
    void markStored();
    const std::optional<std::vector<UnifacComponent>>& stored() const { return m_stored; }
    int storedOrigin(int position) const;

private:
    bool exists(int position) const;
    std::vector<UnifacComponent> m_components; // position p is element p - 1
    std::vector<int> m_origins;                // beside m_components
    std::optional<std::vector<UnifacComponent>> m_stored;
};

// The program's one list.
UnifacComponentList& componentList();

struct DefaultComponent {
    const char* name;
    const char* groups;
};

// What Reset puts into the list, in this order: benzene, chlorobenzene, ethylbenzene, n-octane,
// toluene, water.
const std::vector<DefaultComponent>& defaultComponents();

} // namespace calvex::unifac
