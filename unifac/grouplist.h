#pragma once
// The text of one component's groups: entries "subgroup,count;" such as "10,5;54,1;" (five ACH
// and one ACCl), decimal integers without blanks.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calvex::unifac {

struct GroupPair {
    short subgroup = 0;
    short count = 0;
    bool operator==(const GroupPair&) const = default;
};

// The number of ";" in the text once its leading and trailing blanks are removed.
short CountGroups(std::string_view text);

// Removes everything up to and including the first `delimiter`; the text becomes empty when
// there is none.
void StripThrough(std::string& text, char delimiter);

// Reads the pairs of `text` into `pairs` from the first element on; `pairs.size()` is the room.
// 0 when the whole text parsed, -1 otherwise (the pairs stored before a failure are not to be
// used): no leading number or the number 0, a number outside 16 bits, more pairs than room, two
// or more characters left after the last ";" that do not begin another entry.
short ParseGroups(std::string text, std::vector<GroupPair>& pairs);

// The pairs of a group list with room for CountGroups of them, or nothing when it does not parse.
std::optional<std::vector<GroupPair>> groupPairs(std::string_view text);

// The same, and only when every subgroup number lies in 1..84.
std::optional<std::vector<GroupPair>> knownGroupPairs(std::string_view text);

std::string trimBlanks(std::string_view text);

} // namespace calvex::unifac
