#include "mixture/windows/engineruns.h"

#include "mixture/windows/calculaterun.h"
#include "mixture/windows/mixturephase.h"
#include "services/numbers.h"
#include "services/ui.h"

namespace calvex::mixture {
namespace {

using services::ui;

const StatePrompt flashPressurePrompt{"Pressure cannot be zero or negative", "Enter valid Pressure  in bar"};

MixtureMode bubbleDewMode(MixtureWindowKind kind)
{
    switch (kind) {
    case MixtureWindowKind::BubbleTemperature: return MixtureMode::BubbleT;
    case MixtureWindowKind::DewTemperature: return MixtureMode::DewT;
    case MixtureWindowKind::DewPressure: return MixtureMode::DewP;
    default: return MixtureMode::BubbleP;
    }
}

// Steps 2 to 6 as every engine run takes them, after it has read its state values and count.
bool gatherAndRepair(CalculateRun& run)
{
    run.readCount();
    run.checkLastComponent();
    if (!run.gather())
        return false;
    run.readOption();
    return run.repairConstants() && run.refuseDuplicates();
}

// Report line 19: the phase of the mixture at the report's pressure, with its volume.
std::string phaseStatement(MixturePhase phase, const std::array<float, 3>& volumes)
{
    switch (phase) {
    case MixturePhase::Unknown: return "  ";
    case MixturePhase::TwoPhase:
        return std::string(" The mixture exist in two phase ")
            + " so volume will be in between Saturated liquid and saturated vapor volumes" + " depending upon quality";
    case MixturePhase::Liquid:
        return std::string("The mixture is in liquid phase only  ") + " volume of mixture ="
            + services::singleText(volumes[0]);
    case MixturePhase::Vapour:
        return std::string(" The mixture exist in gas phase only ") + " volume of mixture ="
            + services::singleText(volumes[1]);
    case MixturePhase::Boundary: break;
    }
    return {};
}

} // namespace

bool bubbleDewPrologue(CalculateRun& run)
{
    const bool pressureRun = run.config().asksTemperature;
    if (pressureRun)
        run.readTemperature();
    else
        run.readPressure();
    if (!gatherAndRepair(run))
        return false;
    if (pressureRun) {
        if (!run.checkTemperature())
            return false;
        run.convertTemperature();
        return run.checkTemperatureRange();
    }
    if (!run.checkPressure({"Pressure cannot be zero ", "Enter valid Pressure in bar"}))
        return false;
    run.convertPressureToBar();
    return run.checkPressureRange();
}

void bubbleDewRun(CalculateRun& run)
{
    if (!bubbleDewPrologue(run))
        return;
    const MixtureResult result = run.callEngine(bubbleDewMode(run.config().kind));
    if (result.asSingle() > 0)
        run.report(run.out());
    else
        ui().message("No Calculation Possible");
}

void flashRun(CalculateRun& run)
{
    run.readPressure();
    run.readTemperature();
    if (!gatherAndRepair(run) || !run.checkTemperature() || !run.checkPressure(flashPressurePrompt))
        return;
    run.convertTemperature();
    run.convertPressureToBar();
    if (!run.checkTemperatureRange())
        return;
    // No flash (after the engine's message) or the engine's error trap: no page is shown as a
    // result.
    const MixtureResult result = run.callEngine(MixtureMode::Flash);
    if (result.kind == MixtureResult::Kind::FlashFlag && result.flashok == 1)
        run.report(run.out());
}

void molarVolumeRun(CalculateRun& run)
{
    run.readPressure();
    run.readTemperature();
    // Every refusal shows the input window again.
    if (!gatherAndRepair(run) || !run.checkTemperature() || !run.checkPressure(flashPressurePrompt)) {
        run.showInputWindow();
        return;
    }
    run.convertTemperature();
    run.convertPressureToBar();
    const MixtureResult volume = run.callEngine(MixtureMode::MolarVolume);
    // A failed pass has said so; its volumes do not exist, and no line may pass for them.
    if (volume.kind != MixtureResult::Kind::Volumes)
        return;
    services::ResultLines report(run.out().size());
    for (int line = 1; line <= 18; ++line)
        if (line != 15)
            report[static_cast<std::size_t>(line)] = run.out()[static_cast<std::size_t>(line)];
    const PhaseBoundaries boundaries = phaseBoundaries(run.state(), run.state().T, run.out());
    report[19] = phaseStatement(mixturePhase(run.state().P, boundaries), volume.volumes);
    run.report(report);
    for (std::string& line : run.out())
        line.clear();
}

} // namespace calvex::mixture
