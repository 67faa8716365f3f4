#include "mixture/windows/molfractions.h"

#include "services/keyfilter.h"
#include "services/numbers.h"

namespace calvex::mixture {

bool MolFractions::keyAccepted(std::string_view text, char key)
{
    if (text.empty())
        return key == '.';
    return (key >= '0' && key <= '9') || key == services::backspaceKey;
}

MolFractions::Change MolFractions::changed(int index, std::string_view countText,
                                           const std::array<std::string, maxComponents>& boxes)
{
    Change change;
    // A count text that is not a whole number ends the handler silently.
    const std::optional<short> n = services::wholeNumber(countText);
    if (!n)
        return change;
    m_count = *n;
    if (!m_family)
        m_molsum = 0;
    if (index >= *n - 1)
        return change;
    // The boxes before the last are summed; with eight or more components the sum would need a
    // seventh box, which the window lacks, and the handler ends there.
    if (*n - 1 > maxComponents)
        return change;
    float sum = 0;
    for (int i = 0; i <= *n - 2; ++i)
        sum = static_cast<float>(sum + services::val(boxes[static_cast<std::size_t>(i)]));
    if (!m_family)
        m_molsum = sum;
    if (index == *n - 2)
        m_lastfill = true;
    // Seven components: the message may still be shown, but there is no last box to write.
    const bool lastBoxExists = *n <= maxComponents;
    change.lastBox = *n - 1;
    if (sum > 1) {
        change.message = fractionSumMessage;
        if (m_family && lastBoxExists)
            change.lastBoxText.emplace(1, '1');
    } else if (m_lastfill && lastBoxExists) {
        change.lastBoxText = services::singleText(1.0f - sum);
    }
    return change;
}

} // namespace calvex::mixture
