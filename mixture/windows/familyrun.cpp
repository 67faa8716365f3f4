#include "mixture/windows/familyrun.h"

#include "core/checkedmath.h"
#include "mixture/engine/mixtureeos.h"
#include "mixture/windows/calculaterun.h"
#include "pure/calculationfault.h"
#include "services/numbers.h"
#include "services/units.h"

#include <array>
#include <cmath>

namespace calvex::mixture {
namespace {

using core::detail::fault;
using core::detail::need;
using core::detail::single;
using core::detail::writeSlot;
using services::roundedText;
using services::singleText;

using K = MixtureWindowKind;

const std::array<FamilyTraits, 3> table{{
    {K::PartialFugacity, MixtureHost::PartialFugacity, "(", true, false, true, true},
    {K::MixtureDeparture, MixtureHost::MixtureDeparture, " (", false, false, false, true},
    {K::MixtureFugacity, MixtureHost::MixtureFugacity, " (", true, true, false, false},
}};

// The pressure check of the family runs: no blank after "zero".
const StatePrompt familyPressurePrompt{"Pressure cannot be zero", "Enter valid Pressure in bar"};

using services::pascalPerBar;

// Lines 1 and 2: the values as typed or re-entered, with their unit names.
void writeTypedState(MixtureState& state, const FamilyTraits& traits, const FamilyInput& input)
{
    writeSlot(state.out, 1, singleText(input.T) + traits.unitOpening + input.Tunit + ")");
    writeSlot(state.out, 2, singleText(input.p) + traits.unitOpening + input.Punit + ")");
}

// The five lines per component from line 3 of the departure and fugacity reports.
void writeComponentRows(MixtureState& state, const FamilyInput& input)
{
    for (std::size_t k = 0; k < input.components.size(); ++k) {
        const int line = 3 + 5 * static_cast<int>(k);
        const GatheredComponent& c = input.components[k];
        writeSlot(state.out, line, c.name);
        writeSlot(state.out, line + 1, singleText(c.Tc));
        writeSlot(state.out, line + 2, singleText(c.Pc));
        writeSlot(state.out, line + 3, singleText(c.omega));
        writeSlot(state.out, line + 4, singleText(state.y[k]));
    }
}

void partialFugacity(MixtureState& state, const FamilyTraits& traits, const FamilyInput& input)
{
    writeTypedState(state, traits, input);
    writeSlot(state.out, 4, singleText(state.T));
    writeSlot(state.out, 5, singleText(state.p));

    // Every component's pair first: the mixture's ln phi on each root, sum of y_i ln phi_i,
    // decides the one root that all lines report.
    const eos::PartialCoefficients pairs = need(eos::phycalEach(state, state.T, state.p));
    double lnPhiSmallest = 0.0;
    double lnPhiLargest = 0.0;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        // A coefficient that underflowed to 0 counts as ln phi = -inf; a component at y = 0 adds nothing.
        const double y = state.y[i];
        if (y != 0.0) {
            lnPhiSmallest += y * std::log(pairs[i][0]);
            lnPhiLargest += y * std::log(pairs[i][1]);
        }
    }
    const std::size_t side = static_cast<std::size_t>(stableSide(lnPhiSmallest, lnPhiLargest));

    for (std::size_t k = 0; k < pairs.size(); ++k) {
        const int line = 6 + 7 * static_cast<int>(k);
        const GatheredComponent& c = input.components[k];
        const float phi = pairs[k][side];
        writeSlot(state.out, line, c.name);
        writeSlot(state.out, line + 1, singleText(c.Tc));
        writeSlot(state.out, line + 2, services::doubleText(state.Pc[k] / pascalPerBar));
        writeSlot(state.out, line + 3, singleText(c.omega));
        writeSlot(state.out, line + 4, singleText(state.y[k]));
        writeSlot(state.out, line + 5, singleText(phi));
        writeSlot(state.out, line + 6,
                  roundedText(static_cast<double>(phi) * state.y[k] * state.p / pascalPerBar, 4));
    }
}

void mixtureDeparture(MixtureState& state, const FamilyTraits& traits, const FamilyInput& input)
{
    writeTypedState(state, traits, input);
    writeComponentRows(state, input);
    writeSlot(state.out, 33, roundedText(state.T, 2));
    writeSlot(state.out, 34, roundedText(state.p, 2));
    // Lines 35 to 48; line 49 held the largest root and now holds H.
    const std::array<float, 3> HS = need(eos::Departurecal(state, state.T, state.p));
    writeSlot(state.out, 49, roundedText(HS[0] / 1000.0, 4));
    writeSlot(state.out, 50, roundedText(HS[1], 4));
}

void mixtureFugacity(MixtureState& state, const FamilyTraits& traits, const FamilyInput& input)
{
    writeTypedState(state, traits, input);
    writeComponentRows(state, input);
    writeSlot(state.out, 33, singleText(state.T));
    writeSlot(state.out, 34, singleText(state.p));
    // Lines 35 to 49; line 49 held the largest root and now holds the fugacity.
    const std::array<float, 3> phi = need(eos::phycal(state, state.T, state.p));
    writeSlot(state.out, 49, roundedText(static_cast<double>(stableCoefficient(phi)) * state.p / pascalPerBar, 4));
}

} // namespace

const FamilyTraits* familyTraits(MixtureWindowKind kind)
{
    for (const FamilyTraits& traits : table)
        if (traits.kind == kind)
            return &traits;
    return nullptr;
}

void familyRun(CalculateRun& run, const FamilyTraits& traits)
{
    run.readTemperature();
    if (traits.strictPressureText && !services::strictNumber(run.reading().pressureText))
        throw pure::CalculationFault("the pressure is not a number");
    run.readPressure();
    run.readCount();
    run.checkLastComponent();
    if (!run.gather())
        return;
    if (!run.repairConstants(traits.zeroFractionAnswerTaken ? FractionRule::TakeZero : FractionRule::RefuseZero))
        return;
    if (!run.checkTemperature() || !run.checkPressure(familyPressurePrompt))
        return;
    if (traits.optionReadBeforeDuplicates)
        run.readOption();
    if (!run.refuseDuplicates()) {
        if (traits.inputWindowAfterDuplicates)
            run.showInputWindow();
        return;
    }
    if (!traits.optionReadBeforeDuplicates)
        run.readOption();
    FamilyInput input = familyInputOf(run.state());
    run.convertTemperature();
    run.convertPressureToPascal();
    input.T_K = run.state().T;
    input.p_Pa = run.state().P;
    if (std::optional<MixtureState> state = familyReport(traits, input))
        run.report(state->out);
}

FamilyInput familyInputOf(const MixtureRunState& state)
{
    FamilyInput input{state.T, state.Tunit, state.P, state.Punit, state.T, state.P, state.optionno, {}};
    for (int k = 1; k <= state.n; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        input.components.push_back(
            {state.names[slot], state.Tc[slot], state.Pc[slot], state.omega[slot], state.Tb[slot], state.z[slot]});
    }
    return input;
}

MixtureState familyState(const FamilyTraits& traits, const FamilyInput& input)
{
    const std::size_t n = input.components.size();
    if (n < 1 || n > mixtureSlots - 1)
        fault();
    if (!(input.T_K > 0.0f) || !(input.p_Pa > 0.0f) || !std::isfinite(input.T_K) || !std::isfinite(input.p_Pa))
        fault();
    MixtureState state;
    state.nos = static_cast<std::int16_t>(n);
    state.T = input.T_K;
    state.p = input.p_Pa;
    state.optionno = input.optionno;
    state.host = traits.host;
    // The window's report lines: element 0 unused, the template takes 1..count.
    state.out.assign(static_cast<std::size_t>(mixtureWindowConfig(traits.kind).reportCount + 2), std::string());
    float sum = 0.0f;
    for (std::size_t i = 0; i < n; ++i) {
        const GatheredComponent& c = input.components[i];
        state.Tc[i] = c.Tc;
        state.Pc[i] = single(c.Pc * pascalPerBar);
        state.omega[i] = c.omega;
        state.y[i] = c.z;
        sum = single(static_cast<double>(sum) + c.z);
    }
    // Every fraction answered 0: nothing to divide by.
    if (sum == 0.0f)
        fault();
    if (sum != 1.0f)
        for (std::size_t i = 0; i < n; ++i)
            state.y[i] = single(static_cast<double>(state.y[i]) / sum);
    return state;
}

std::optional<MixtureState> familyReport(const FamilyTraits& traits, const FamilyInput& input)
{
    return core::detail::trap("error in command", [&]() -> std::optional<MixtureState> {
        MixtureState state = familyState(traits, input);
        if (traits.kind == K::PartialFugacity)
            partialFugacity(state, traits, input);
        else if (traits.kind == K::MixtureDeparture)
            mixtureDeparture(state, traits, input);
        else
            mixtureFugacity(state, traits, input);
        return state;
    });
}

} // namespace calvex::mixture
