#include "unifac/builderrules.h"

#include "services/keyfilter.h"
#include "services/numbers.h"
#include "unifac/subgrouptable.h"
#include "unifac/windows1252.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace calvex::unifac {
namespace {

long countValue(std::string_view text) { return std::lround(std::clamp(services::val(text), -1e9, 1e9)); }

} // namespace

NameCheck checkName(std::string_view nameAsStored, const UnifacComponentList& list)
{
    const std::string kept = storedName(nameAsStored);
    if (isAllWhiteSpace(kept))
        return NameCheck::Blank;
    const std::string name = trimBlanks(kept);
    for (int i = 1; i <= list.ComponentCount(); ++i)
        if (trimBlanks(list.ComponentNameAt(i)) == name)
            return NameCheck::InUse;
    return isStorableName(nameAsStored) ? NameCheck::Accepted : NameCheck::NotStorable;
}

Notice nameMessage(NameCheck check)
{
    switch (check) {
    case NameCheck::Blank: return {blankNameMessage, "Error"};
    case NameCheck::InUse: return {nameInUseMessage, pleaseNoteTitle};
    case NameCheck::NotStorable: return {nameNotStorableMessage, pleaseNoteTitle};
    case NameCheck::Accepted: break;
    }
    return {};
}

Notice changeMessage(ListChange change)
{
    switch (change) {
    case ListChange::ListFull: return {listFullMessage, pleaseNoteTitle};
    case ListChange::GroupsTooLong: return {listTooLongMessage, pleaseNoteTitle};
    case ListChange::NotStorable: return nameMessage(NameCheck::NotStorable);
    case ListChange::Done: break;
    }
    return {};
}

Notice keptHereMessage(const std::vector<std::string>& names)
{
    std::string text = "The component database was also changed in another window of the program. The changes "
                       "of both are saved, except for these components, which the other window saved in another "
                       "version under the same name: they are saved as this window has them.\r\n";
    for (const std::string& name : names)
        text += "\r\n" + name;
    return {text, pleaseNoteTitle};
}

void showNotice(const Notice& notice) { services::ui().message(notice.text, notice.title, notice.icon); }

bool countKeyAccepted(std::string_view text, char key)
{
    if (key == services::backspaceKey || (key >= '1' && key <= '9'))
        return true;
    return key == '0' && services::val(text) != 0.0;
}

// A paste from the box's context menu passes no key filter: "1.5", "2x" or "1e2" become the
// whole number the group list will hold.
std::string countAfterFocusLoss(std::string_view text)
{
    const long value = countValue(text);
    return value < 1 ? std::string("1") : std::to_string(std::min<long>(value, maxCount));
}

std::string countSpunDown(std::string_view text)
{
    const long value = countValue(text);
    return std::to_string(value > 1 ? value - 1 : value);
}

std::string countSpunUp(std::string_view text)
{
    const long value = countValue(text);
    return std::to_string(value < maxCount ? value + 1 : value);
}

std::pair<float, float> totalsOf(const std::vector<BuilderRow>& rows)
{
    float sumR = 0.0f, sumQ = 0.0f;
    for (const BuilderRow& row : rows) {
        const auto count = static_cast<float>(services::val(row.count));
        sumR += count * SubgroupTable(row.subgroup).R;
        sumQ += count * SubgroupTable(row.subgroup).Q;
    }
    return {sumR, sumQ};
}

std::string totalText(float value)
{
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value), std::chars_format::fixed, 4);
    std::string text(buffer, written.ptr);
    text.erase(text.find_last_not_of('0') + 1);
    return text;
}

std::string groupListOf(const std::vector<BuilderRow>& rows)
{
    std::string groups;
    for (int subgroup = 1; subgroup <= subgroupCount; ++subgroup) {
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const BuilderRow& r) { return r.subgroup == subgroup; });
        if (row != rows.end())
            groups += std::to_string(subgroup) + "," + trimBlanks(row->count) + ";";
    }
    return groups;
}

std::optional<std::vector<GroupPair>> editablePairs(std::string_view groups)
{
    auto pairs = knownGroupPairs(groups);
    if (!pairs || pairs->size() > static_cast<std::size_t>(builderRowCount))
        return std::nullopt;
    for (std::size_t k = 0; k < pairs->size(); ++k) {
        const GroupPair& pair = (*pairs)[k];
        if (pair.count < 1 || pair.count > maxCount)
            return std::nullopt;
        for (std::size_t l = 0; l < k; ++l)
            if ((*pairs)[l].subgroup == pair.subgroup)
                return std::nullopt;
    }
    return pairs;
}

std::string sPreview(std::string_view groups)
{
    const auto pairs = knownGroupPairs(groups);
    if (!pairs)
        return {};
    std::string text;
    for (std::size_t k = 0; k < pairs->size(); ++k) {
        text += " " + std::to_string((*pairs)[k].count) + " x " +
                trimBlanks(SubgroupTable((*pairs)[k].subgroup).name) + " ;";
        if ((k + 1) % 3 == 0 && k + 1 < pairs->size())
            text += "\r\n";
    }
    return text.substr(1, text.size() - 3);
}

} // namespace calvex::unifac
