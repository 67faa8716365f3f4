#include "unifac/grouplist.h"

#include "services/numbers.h"
#include "unifac/subgrouptable.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace calvex::unifac {
namespace {

// The leading number converted to a 16-bit integer, halves to even; nothing when it does not fit.
std::optional<short> leadingShort(std::string_view text)
{
    const double value = std::nearbyint(services::val(text));
    if (!(value >= std::numeric_limits<short>::min() && value <= std::numeric_limits<short>::max()))
        return std::nullopt;
    return static_cast<short>(value);
}

} // namespace

std::string trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

short CountGroups(std::string_view text)
{
    const std::string trimmed = trimBlanks(text);
    return static_cast<short>(std::count(trimmed.begin(), trimmed.end(), ';'));
}

void StripThrough(std::string& text, char delimiter)
{
    const auto at = text.find(delimiter);
    text.erase(0, at == std::string::npos ? text.size() : at + 1);
}

short ParseGroups(std::string text, std::vector<GroupPair>& pairs)
{
    text = trimBlanks(text);
    std::size_t stored = 0;
    for (;;) {
        const std::optional<short> subgroup = leadingShort(text);
        if (!subgroup || *subgroup == 0)
            return -1;
        StripThrough(text, ',');
        const std::optional<short> count = leadingShort(text);
        if (!count)
            return -1;
        StripThrough(text, ';');
        if (stored == pairs.size())
            return -1;
        pairs[stored++] = GroupPair{*subgroup, *count};
        if (text.size() < 2)
            return 0;
    }
}

std::optional<std::vector<GroupPair>> groupPairs(std::string_view text)
{
    std::vector<GroupPair> pairs(static_cast<std::size_t>(CountGroups(text)));
    if (ParseGroups(std::string(text), pairs) != 0)
        return std::nullopt;
    // A list may end before its room is used ("10,5;;"); the unused places hold subgroup 0.
    std::erase_if(pairs, [](const GroupPair& pair) { return pair.subgroup == 0; });
    return pairs;
}

std::optional<std::vector<GroupPair>> knownGroupPairs(std::string_view text)
{
    auto pairs = groupPairs(text);
    if (pairs && std::all_of(pairs->begin(), pairs->end(), [](const GroupPair& p) { return isSubgroupNumber(p.subgroup); }))
        return pairs;
    return std::nullopt;
}

} // namespace calvex::unifac
