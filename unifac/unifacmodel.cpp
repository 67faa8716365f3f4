#include "unifac/unifacmodel.h"

#include "services/numbers.h"

namespace calvex::unifac {

std::optional<activity::GammaPair> UnifacModel::gammacal(float x1, float T) const
{
    m_sheet.temperature = services::singleText(T);
    m_sheet.unitIndex = Kelvin;
    m_sheet.rows[0].moleFraction = " " + services::singleText(x1);
    m_sheet.rows[1].moleFraction = " " + services::singleText(1.0f - x1);
    const std::vector<double> gamma = unifacGammas(m_sheet, m_list);
    if (gamma.size() != 3)
        return std::nullopt;
    activity::GammaPair pair{};
    for (int j = 1; j <= 2; ++j) {
        m_sheet.rows[j - 1].actCoeff = coefficientCaption(gamma[j]);
        // A coefficient below the single-precision range would reach the runs as 0.
        const std::optional<float> value = services::toSingle(gamma[j]);
        if (gamma[j] >= failedGamma || !value || *value == 0.0f)
            return std::nullopt;
        pair[j - 1] = *value;
    }
    return pair;
}

} // namespace calvex::unifac
