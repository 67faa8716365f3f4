#include "unifac/calculatorrules.h"

#include "services/keyfilter.h"
#include "services/numbers.h"

#include <cmath>

namespace calvex::unifac {
namespace {

bool holds(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

bool holdsExponent(std::string_view text) { return holds(text, 'e') || holds(text, 'E'); }

} // namespace

std::vector<int> rowsInUse(const UnifacSheet& sheet)
{
    std::vector<int> inUse;
    for (int i = 0; i < rowCount; ++i)
        if (sheet.rows[i].component != 0)
            inUse.push_back(i);
    return inUse;
}

int repeatedRow(const UnifacSheet& sheet)
{
    const std::vector<int> inUse = rowsInUse(sheet);
    for (std::size_t a = 0; a < inUse.size(); ++a)
        for (std::size_t b = a + 1; b < inUse.size(); ++b)
            if (sheet.rows[inUse[a]].component == sheet.rows[inUse[b]].component)
                return inUse[b];
    return -1;
}

bool temperatureUsable(double kelvin) { return kelvin > 0.0 && std::isfinite(kelvin); }

CalculateOutcome calculateActivity(UnifacSheet& sheet, const UnifacComponentList& list)
{
    using Stop = CalculateOutcome::Stop;
    if (!temperatureUsable(temperatureInKelvin(services::val(sheet.temperature), sheet.unitIndex)))
        return {Stop::Temperature};
    const std::vector<int> inUse = rowsInUse(sheet);
    if (inUse.empty())
        return {};
    if (inUse.size() == 1) {
        sheet.rows[inUse[0]].moleFraction = "1";
        sheet.rows[inUse[0]].actCoeff = "1";
        return {};
    }
    if (const int row = repeatedRow(sheet); row >= 0)
        return {Stop::Duplicate, row};
    // 1e999 reads as infinity, which no normalisation can use.
    for (const int i : inUse)
        if (!std::isfinite(services::val(sheet.rows[i].moleFraction)))
            return {Stop::Fraction, i};
    CalcActivityCoefficients(sheet, list);
    return {};
}

bool moleFractionKeyAccepted(std::string_view text, char key)
{
    if (key == services::backspaceKey || (key >= '0' && key <= '9'))
        return true;
    if (key == '.')
        return !holds(text, '.') && !holdsExponent(text);
    if (key == 'e' || key == 'E')
        return !holdsExponent(text);
    if (key == '-')
        return !text.empty() && (text.back() == 'e' || text.back() == 'E');
    return false;
}

bool temperatureKeyAccepted(std::string_view text, char key, int unitIndex)
{
    if (key == services::backspaceKey || (key >= '0' && key <= '9'))
        return true;
    if (key == '-')
        return text.empty() && (unitIndex == Celsius || unitIndex == Fahrenheit);
    if (key == '.')
        return !holds(text, '.');
    return false;
}

std::string clipboardText(const UnifacSheet& sheet, const UnifacComponentList& list)
{
    std::string text;
    for (const UnifacRow& row : sheet.rows)
        if (row.component != 0)
            text += list.ComponentNameAt(row.component) + "\t" + row.moleFraction + "\t" + row.actCoeff + lineEnd;
    return text;
}

} // namespace calvex::unifac
