#pragma once
// The UNIFAC components the user has defined, in the order the user sees them (positions
// 1..count), as one list per process. The list changes only through these operations and is
// kept in DATABASE.UFC (componentfile.h).

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

private:
    bool exists(int position) const;
    std::vector<UnifacComponent> m_components; // position p is element p - 1
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
