#include "core/cardan.h"
#include "core/compressibility.h"
#include "core/departure.h"
#include "core/enthalpyentropy.h"
#include "core/fugacity.h"
#include "core/saturationpressure.h"
#include "core/saturationtemperature.h"
#include "core/vapourpressure.h"
#include "tests/core/coretestsupport.h"
#include "tests/support/scriptedui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

namespace calvex::core {
namespace {

using testing::reference::Eos;
namespace ref = testing::reference;

// Every text the core may show; anything else on the screen would be a leak.
const std::set<std::string> knownMessages{
    "Error in cardan Method Calculation perhaphs unvalid data entry",
    "error in Zcal", "error in Zcalvanderwaal", "error in ZcalRK", "error in Zcalsrk", "error in Zcalpr",
    "error fugacitycal", "error fugacity", "error in fugacitycal", "error in fugacityeq", "error in fugacityRK",
    "error in fugacitySRK", "error in Fugacitycal", "error in Fugacityeqstate", "error in fugacityrk",
    "error in fugacitysrk", "error in Psatguesseqn0", "error in Psatguesseqn1", "error in Psatguesseqn2",
    "error in Psatguesseqn3", "error Psatiteration", "error in Psatiteration", "error in Tsatguess0",
    "error in Tsatguess3", "error in Tsatiteration", "error in departure", "error in departurevander",
    "error in departurepr", "error in departurerk", "error in departuresrk", "error in enthalpy calulation"};

bool finiteOrEmpty(const std::optional<float>& value) { return !value || std::isfinite(*value); }

template <std::size_t N>
bool finiteOrEmpty(const std::optional<std::array<float, N>>& value)
{
    return !value || std::all_of(value->begin(), value->end(), [](float v) { return std::isfinite(v); });
}

bool finiteOrEmpty(const std::optional<CubicRoots>& value)
{
    return !value || std::all_of(value->roots.begin(), value->roots.end(), [](float v) { return std::isfinite(v); });
}

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

void runEverything(EosState& state, const std::string& where)
{
    const float T = state.T;
    const float p = state.p;
    for (auto zcal : {Zcalvanderwaal, ZcalPR, ZcalRK, ZcalSRK})
        EXPECT_TRUE(finiteOrEmpty(zcal(state, T, p))) << where;
    for (auto fugacity : {Fugasitycal, Fugacityvanderwaal, FugacityPR, FugacityRK, FugacitySRK}) {
        state.nos = 1;
        state.logoffset = 0;
        EXPECT_TRUE(finiteOrEmpty(fugacity(state, p))) << where;
    }
    for (auto correlation : {PsatCorrelation, Psatguesseqn0, Psatguesseqn1, Psatguesseqn2, Psatguesseqn3})
        EXPECT_TRUE(finiteOrEmpty(correlation(state))) << where;
    for (auto departure : {Departure, DepartureVanderwaal, DeparturePR, DepartureRK, DepartureSRK})
        EXPECT_TRUE(finiteOrEmpty(departure(state, T, p, 0.9f))) << where;
    EXPECT_TRUE(std::isfinite(Psatcal(state))) << where;
    EXPECT_TRUE(std::isfinite(Tsatcal(state))) << where;
    EXPECT_TRUE(std::isfinite(Tsatguesseqn0(state)) && std::isfinite(Tsatguesseqn3(state))) << where;
    state.stepsflag = 1;
    EXPECT_TRUE(finiteOrEmpty(eecal(state))) << where;
    EXPECT_TRUE(state.T == T || (std::isnan(state.T) && std::isnan(T))) << where << ": T restored";
}

TEST(BadInput, EveryOperationTakesAFailurePathWithoutNaNOrCrash)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float badValues[] = {0.0f, -1.0f, nan, inf, -inf, 1e30f};
    using Field = float EosState::*;
    using ComponentField = float ComponentConstants::*;
    const std::pair<const char*, Field> stateFields[] = {{"T", &EosState::T}, {"p", &EosState::p}, {"Tref", &EosState::Tref}};
    const std::pair<const char*, ComponentField> componentFields[] = {
        {"Tc", &ComponentConstants::Tc},   {"Pc", &ComponentConstants::Pc},   {"omega", &ComponentConstants::omega},
        {"Tb", &ComponentConstants::Tb},   {"VPA", &ComponentConstants::VPA}, {"VPC", &ComponentConstants::VPC},
        {"CPVAPA", &ComponentConstants::CPVAPA}};
    const EosHost hosts[] = {EosHost::EnthalpyCalculator, EosHost::MolarVolumeCalculator,
                             EosHost::SaturationPressureCalculator, EosHost::SaturationTemperatureCalculator,
                             EosHost::Datapoints, EosHost::PxyMargules};

    testing::ScriptedUi ui;
    const auto fresh = [](EosHost host, Eos eos) {
        auto state = testing::stateFor(host, ref::methane, eos);
        state.component.eq = 3;
        state.component.VPA = 8.677752f;
        state.component.VPB = 911.2342f;
        state.component.VPC = -6.469f;
        state.component.CPVAPA = 34.6f;
        state.T = 150.0f;
        state.p = 1e6f;
        state.Tref = 120.0f;
        return state;
    };
    for (EosHost host : hosts) {
        for (Eos eos : ref::allEos) {
            for (float bad : badValues) {
                for (const auto& [name, field] : stateFields) {
                    auto state = fresh(host, eos);
                    state.*field = bad;
                    runEverything(state, std::string(name) + " = " + std::to_string(bad));
                }
                for (const auto& [name, field] : componentFields) {
                    auto state = fresh(host, eos);
                    state.component.*field = bad;
                    runEverything(state, std::string(name) + " = " + std::to_string(bad));
                }
            }
            auto unsized = fresh(host, eos);
            unsized.result.clear();
            runEverything(unsized, "a report array the window has not sized");
        }
    }
    for (const std::string& message : ui.messages())
        EXPECT_TRUE(knownMessages.count(message)) << message;
}

TEST(BadInput, ReportTextsNeverShowNaNOrInfinity)
{
    testing::ScriptedUi ui;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (EosHost host : {EosHost::MolarVolumeCalculator, EosHost::SaturationPressureCalculator,
                         EosHost::SaturationTemperatureCalculator, EosHost::EnthalpyCalculator}) {
        for (Eos eos : ref::allEos) {
            for (float bad : {nan, std::numeric_limits<float>::infinity(), 1e30f}) {
                auto state = testing::stateFor(host, ref::methane, eos);
                state.T = 150.0f;
                state.p = 1e6f;
                state.Tref = 120.0f;
                state.component.omega = bad;
                state.stepsflag = 1;
                ZcalPR(state, 150.0f, 1e6f);
                Psatcal(state);
                Tsatcal(state);
                state.stepsflag = 1;
                eecal(state);
                for (const auto& cell : state.result) {
                    EXPECT_EQ(lower(cell).find("nan"), std::string::npos) << cell;
                    EXPECT_EQ(lower(cell).find("inf"), std::string::npos) << cell;
                }
            }
        }
    }
}

} // namespace
} // namespace calvex::core
