#include "core/compressibility.h"
#include "core/enthalpyentropy.h"
#include "core/fugacity.h"
#include "core/saturationpressure.h"
#include "core/saturationtemperature.h"

#include <benchmark/benchmark.h>

namespace {

using calvex::core::EosHost;
using calvex::core::EosState;

// Propane by Peng-Robinson (the constants a window would load), with ideal-gas Cp.
EosState propane(EosHost host)
{
    EosState state(host);
    state.component.compoundname = "propane";
    state.component.Tc = 369.83f;
    state.component.Pc = 42.48e5f;
    state.component.omega = 0.152f;
    state.component.Tb = 231.02f;
    state.component.eq = 3;
    state.component.VPA = 9.045199f;
    state.component.VPB = 1851.272f;
    state.component.VPC = -26.11f;
    state.component.CPVAPA = 15.38936f;
    state.component.CPVAPB = 0.19355f;
    state.component.CPVAPC = 3.357778e-05f;
    state.component.CPVAPD = -7.055147e-08f;
    state.optionno = 2;
    state.T = 300.0f;
    state.p = 5e5f;
    state.Tref = 250.0f;
    state.result.assign(321, std::string());
    return state;
}

void BM_ZcalPRThreeRoots(benchmark::State& run)
{
    EosState state = propane(EosHost::MolarVolumeCalculator);
    for (auto _ : run)
        benchmark::DoNotOptimize(calvex::core::ZcalPR(state, 300.0f, 9e5f));
}
BENCHMARK(BM_ZcalPRThreeRoots);

void BM_FugasitycalPengRobinson(benchmark::State& run)
{
    EosState state = propane(EosHost::PureComponentFugacityCalculator);
    for (auto _ : run)
        benchmark::DoNotOptimize(calvex::core::Fugasitycal(state, 9e5f));
}
BENCHMARK(BM_FugasitycalPengRobinson);

void BM_PsatcalPengRobinsonWithoutLog(benchmark::State& run)
{
    EosState state = propane(EosHost::MolarVolumeCalculator);
    for (auto _ : run)
        benchmark::DoNotOptimize(calvex::core::Psatcal(state));
}
BENCHMARK(BM_PsatcalPengRobinsonWithoutLog);

void BM_PsatcalPengRobinsonWithLog(benchmark::State& run)
{
    EosState state = propane(EosHost::SaturationPressureCalculator);
    for (auto _ : run)
        benchmark::DoNotOptimize(calvex::core::Psatcal(state));
}
BENCHMARK(BM_PsatcalPengRobinsonWithLog);

void BM_TsatcalPengRobinson(benchmark::State& run)
{
    EosState state = propane(EosHost::SaturationTemperatureCalculator);
    state.p = 1e6f;
    for (auto _ : run)
        benchmark::DoNotOptimize(calvex::core::Tsatcal(state));
}
BENCHMARK(BM_TsatcalPengRobinson);

void BM_EecalPengRobinson(benchmark::State& run)
{
    EosState state = propane(EosHost::EnthalpyCalculator);
    for (auto _ : run)
        benchmark::DoNotOptimize(calvex::core::eecal(state));
}
BENCHMARK(BM_EecalPengRobinson);

} // namespace
