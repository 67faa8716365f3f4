#include "mixture/windows/mixturecalculator.h"

#include "mixture/windows/mixturesweep.h"
#include "pure/calculationfault.h"
#include "pure/purewindowconfig.h"
#include "services/numbers.h"

namespace calvex::mixture {

MixtureCalculator::MixtureCalculator(MixtureWindowKind kind, pure::PureWindowServices& services)
    : m_config(mixtureWindowConfig(kind)),
      m_services(services),
      m_fractions(m_config.family),
      // Element 0 is unused and the template takes elements 1..count.
      m_out(static_cast<std::size_t>(m_config.reportCount + 2))
{
}

void MixtureCalculator::Combo2_Click(int index, const std::string& listText)
{
    if (index >= 0 && index < maxComponents)
        m_listed[static_cast<std::size_t>(index)] = listText == pure::notListed ? 0 : 1;
}

void MixtureCalculator::Combo2_LostFocus(int index, const std::string& listText)
{
    if (listText != pure::notListed || index < 0 || index >= maxComponents)
        return;
    services::ModalDialog* dialog =
        m_services.dialog(std::string(pure::constantsDialogName) + std::to_string(index + 1));
    if (!dialog)
        return;
    bool missing = m_config.family;
    for (int box = 1; box <= 3 && !missing; ++box)
        missing = services::val(dialog->fieldText(box)) == 0;
    if (missing)
        services::ui().showModal(*dialog);
}

bool MixtureCalculator::calculate(const SelectionReading& reading, const MixtureRunFunction& run)
{
    if (!run)
        return false;
    SelectionReading withFlags = reading;
    for (int i = 0; i < maxComponents; ++i)
        withFlags.components[static_cast<std::size_t>(i)].listed = m_listed[static_cast<std::size_t>(i)];
    try {
        CalculateRun calculation(m_config, withFlags, m_services, m_snapshot.value_or(MixtureRunState{}), m_snapshot,
                                 m_out, m_showInputWindow);
        run(calculation);
        return calculation.reported();
    } catch (const pure::CalculationFault&) {
        services::ui().message(commandFailure);
        return false;
    }
}

std::string MixtureCalculator::writeSweep(const std::string& argument)
{
    return writeMixtureSweep(m_config.kind, m_snapshot, argument);
}

std::string MixtureCalculator::PVorTVpoints(const std::string& code)
{
    return writeMixturePoints(m_config.kind, m_snapshot, code);
}

std::string MixtureCalculator::MakePlotPoints(const std::string& code)
{
    return writeMixturePoints(m_config.kind, m_snapshot, code);
}

} // namespace calvex::mixture
