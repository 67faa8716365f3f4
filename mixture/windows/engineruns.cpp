#include "mixture/windows/engineruns.h"

#include "mixture/windows/calculaterun.h"
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

// The phase of the mixture at P from its bubble and dew pressures at T (report line 19).
std::string phaseStatement(float P, float Pb, float Pd, const std::array<float, 3>& volumes)
{
    // A failed pass returns 0, and the bubble search can return a negative pressure: neither
    // is a phase boundary.
    if (!(Pb > 0) || !(Pd > 0))
        return "  ";
    if (Pd < P && P < Pb)
        return std::string(" The mixture exist in two phase ")
            + " so volume will be in between Saturated liquid and saturated vapor volumes" + " depending upon quality";
    if (P > Pb)
        return std::string("The mixture is in liquid phase only  ") + " volume of mixture ="
            + services::singleText(volumes[0]);
    if (P < Pd)
        return std::string(" The mixture exist in gas phase only ") + " volume of mixture ="
            + services::singleText(volumes[1]);
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
    const float Pb = run.callEngine(MixtureMode::BubbleP).asSingle();
    const float Pd = run.callEngine(MixtureMode::DewP).asSingle();
    report[19] = phaseStatement(run.state().P, Pb, Pd, volume.volumes);
    run.report(report);
    for (std::string& line : run.out())
        line.clear();
}

} // namespace calvex::mixture
