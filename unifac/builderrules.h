#pragma once
// What the component builder and the database editor decide, away from their widgets: the name
// checks, the counts, the totals, the group list a finished selection makes and the preview of
// a stored group list.

#include "services/ui.h"
#include "unifac/componentlist.h"
#include "unifac/grouplist.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calvex::unifac {

constexpr int builderRowCount = 8;
constexpr int maxCount = 999;

inline constexpr const char* pleaseNoteTitle = "Please note";
inline constexpr const char* blankNameMessage = "Component name cannot be blank";
inline constexpr const char* nameInUseMessage = "Component name is already in use";
inline constexpr const char* nameNotStorableMessage = "Component name holds a character that cannot be stored";
inline constexpr const char* ninthSubgroupMessage = "A maximum of eight subgroups is\r\nallowed in this component builder";
inline constexpr const char* noSubgroupMessage = "At least one subgroup must be selected";
inline constexpr const char* listTooLongMessage = "The subgroup list is too long for one component";
inline constexpr const char* listFullMessage = "The component database is full: no component can be added";
inline constexpr const char* tooManySubgroupsMessage =
    "Component specification has more subgroups\r\nthan can be handled by the component builder";
inline constexpr const char* cannotEditMessage = "Component specification cannot be edited";
inline constexpr const char* notSavedMessage = "The component database could not be saved";

enum class NameCheck { Accepted, Blank, InUse, NotStorable };

// A name as the list would store it, checked against the stored names: nothing but white space, equal
// to a stored name once both are cut to 20 characters and trimmed (letter case counts), or
// holding in those 20 characters one that DATABASE.UFC cannot hold (the list's own rule).
NameCheck checkName(std::string_view nameAsStored, const UnifacComponentList& list = componentList());
struct Notice {
    std::string text;
    std::string title;
    services::Ui::Icon icon = services::Ui::Icon::Information;
};
// The message for a refused name.
Notice nameMessage(NameCheck check);
// The message for a change the component list refused; a name it cannot store has the name
// check's message.
Notice changeMessage(ListChange change);
// The message of a save that kept this window's version of components that another window of
// the program saved in another version under the same name (DatabaseSave::keptHere), naming them.
Notice keptHereMessage(const std::vector<std::string>& names);
void showNotice(const Notice& notice);

// A count box takes Backspace and the digits 1-9, and "0" only while its value is not 0.
bool countKeyAccepted(std::string_view text, char key);
// The count after the box lost the focus: its whole value, at most 999; below 1 (empty too) "1".
std::string countAfterFocusLoss(std::string_view text);
std::string countSpunDown(std::string_view text);
std::string countSpunUp(std::string_view text);

// A row of the subgroup step: its subgroup number and its count text.
struct BuilderRow {
    int subgroup;
    std::string count;
};

// sum of count·R and count·Q over the rows, kept in single precision as the boxes show them.
std::pair<float, float> totalsOf(const std::vector<BuilderRow>& rows);
// "0.####": at least one digit before the point, at most four after it, the point kept ("0.").
std::string totalText(float value);

// The group list of the rows in ascending subgroup order ("1,1;10,5;").
std::string groupListOf(const std::vector<BuilderRow>& rows);

// The pairs of a stored group list as the subgroup step can show them: known subgroups, each
// once, counts 1..999; nothing otherwise (only a file written elsewhere holds such a list).
std::optional<std::vector<GroupPair>> editablePairs(std::string_view groups);

// The preview of a stored group list: "5 x ACH ; 1 x ACCl", three pairs a line; empty when the
// list does not parse or names a subgroup outside 1..84.
std::string sPreview(std::string_view groups);

} // namespace calvex::unifac
