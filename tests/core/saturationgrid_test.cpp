#include "core/saturationpressure.h"
#include "core/saturationtemperature.h"
#include "core/vapourpressure.h"
#include "tests/core/coretestsupport.h"
#include "tests/core/referenceeos.h"

#include <gtest/gtest.h>

#include <cmath>

namespace calvex::core {
namespace {

using testing::reference::Eos;
namespace ref = testing::reference;

// What the 1000 Pa stop on |fL - fV| allows at a saturation point (T, Psat) with fugacity f:
// at fixed T, d(fL - fV)/dP = -f (V_V - V_L)/(RT), so the pressure may be off by
// 1000 RT / (f dV); at fixed P, d(fL - fV)/dT = f dHvap/(RT^2), so the temperature may be off
// by 1000 R T^2 / (f dHvap) from the temperature stop and as much again from the pressure it
// was given (Clapeyron). 20 % more covers the curvature over such a step and 32-bit rounding;
// the temperature search may also end on a 0.01 K bracket.
struct StopBounds {
    double pressure;    // Pa
    double temperature; // K, for Tsat(Psat(T))
};

StopBounds stopBounds(Eos eos, const ref::Fluid& fluid, double T, double Psat)
{
    const auto roots = ref::zRoots(eos, fluid, T, Psat);
    const double ZL = roots.front();
    const double ZV = roots.back();
    const double f = Psat * std::exp(ref::lnPhi(eos, fluid, T, Psat, ZV));
    const double dV = (ZV - ZL) * ref::R * T / Psat;
    const double dH = ref::departure(eos, fluid, T, Psat, ZV)[0] - ref::departure(eos, fluid, T, Psat, ZL)[0];
    return {1.2 * 1000.0 * ref::R * T / (f * dV), 1.2 * 2000.0 * ref::R * T * T / (f * dH) + 0.01};
}

TEST(SaturationGrid, PressureWithinTheStopAndTemperatureRoundTrip)
{
    const ref::Fluid fluids[] = {ref::methane, ref::nitrogen, ref::carbonDioxide, ref::ethanol, ref::nDecane};
    for (const ref::Fluid& published : fluids) {
        const ref::Fluid fluid = testing::asStored(published);
        for (Eos eos : ref::allEos) {
            for (double reduced : {0.6, 0.7, 0.8, 0.9, 0.95}) {
                const std::string where = std::string(fluid.name) + " eos " + std::to_string(static_cast<int>(eos)) +
                                          " T/Tc " + std::to_string(reduced);
                auto state = testing::stateFor(EosHost::SaturationPressureCalculator, fluid, eos);
                state.T = static_cast<float>(reduced * fluid.Tc);
                const auto exact = ref::saturationPressure(eos, fluid, state.T);
                ASSERT_TRUE(exact) << where;
                const StopBounds bounds = stopBounds(eos, fluid, state.T, *exact);

                const float P = Psatcal(state);
                EXPECT_NEAR(P, *exact, bounds.pressure) << where;
                const float guess = *PsatCorrelation(state);
                if (std::fabs(guess - *exact) > bounds.pressure) {
                    EXPECT_NE(P, guess) << where << ": the bare guess";
                }

                auto enthalpyWindow = testing::stateFor(EosHost::EnthalpyCalculator, fluid, eos);
                enthalpyWindow.T = state.T;
                EXPECT_NEAR(Psatcal(enthalpyWindow), *exact, bounds.pressure) << where << " within 30 updates";

                auto temperatureWindow = testing::stateFor(EosHost::SaturationTemperatureCalculator, fluid, eos);
                temperatureWindow.p = P;
                EXPECT_NEAR(Tsatcal(temperatureWindow), state.T, bounds.temperature) << where;
            }
        }
    }
}

} // namespace
} // namespace calvex::core
