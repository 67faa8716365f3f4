#include "mixture/engine/mixtureeos.h"

#include <benchmark/benchmark.h>

namespace {

using calvex::mixture::EosResult;
using calvex::mixture::MixtureHost;
using calvex::mixture::MixtureState;
namespace eos = calvex::mixture::eos;

// Six components (the most a window gives) at 300 K and 20 bar; the argument is the optionno.
MixtureState sixComponents(std::int16_t optionno, MixtureHost host)
{
    MixtureState state;
    state.nos = 6;
    state.optionno = optionno;
    state.host = host;
    state.Tc = {190.56f, 305.32f, 369.83f, 425.12f, 469.7f, 507.6f};
    state.Pc = {45.99e5f, 48.72e5f, 42.48e5f, 37.96e5f, 33.7e5f, 30.25e5f};
    state.omega = {0.011f, 0.099f, 0.152f, 0.2f, 0.252f, 0.3f};
    state.y = {0.3f, 0.2f, 0.15f, 0.15f, 0.1f, 0.1f};
    state.out.assign(53, "");
    return state;
}

using StateRoutine = EosResult (*)(MixtureState&, float, float);

StateRoutine abOf(std::int64_t optionno)
{
    const StateRoutine routines[] = {eos::abvanderwaal, eos::abPR, eos::abRK, eos::abSRK};
    return routines[optionno - 1];
}

StateRoutine zcalOf(std::int64_t optionno)
{
    const StateRoutine routines[] = {eos::Zcalvanderwaal, eos::ZcalPR, eos::ZcalRK, eos::ZcalSRK};
    return routines[optionno - 1];
}

void BM_MixtureOneFluidParametersOfSix(benchmark::State& bench)
{
    MixtureState state = sixComponents(static_cast<std::int16_t>(bench.range(0)), MixtureHost::PartialFugacity);
    const StateRoutine routine = abOf(bench.range(0));
    for (auto _ : bench)
        benchmark::DoNotOptimize(routine(state, 300.0f, 2e6f));
}
BENCHMARK(BM_MixtureOneFluidParametersOfSix)->DenseRange(1, 4)->ArgName("optionno");

void BM_MixtureCompressibilityOfSix(benchmark::State& bench)
{
    MixtureState state = sixComponents(static_cast<std::int16_t>(bench.range(0)), MixtureHost::MixtureDeparture);
    const StateRoutine routine = zcalOf(bench.range(0));
    for (auto _ : bench)
        benchmark::DoNotOptimize(routine(state, 300.0f, 2e6f));
}
BENCHMARK(BM_MixtureCompressibilityOfSix)->DenseRange(1, 4)->ArgName("optionno");

void BM_MixturePartialFugacityOfEachOfSix(benchmark::State& bench)
{
    MixtureState state = sixComponents(static_cast<std::int16_t>(bench.range(0)), MixtureHost::PartialFugacity);
    for (auto _ : bench)
        for (std::int16_t i = 0; i < state.nos; ++i)
            benchmark::DoNotOptimize(eos::phycal(state, 300.0f, 2e6f, i));
}
BENCHMARK(BM_MixturePartialFugacityOfEachOfSix)->DenseRange(1, 4)->ArgName("optionno");

// The same six coefficients as the partial-fugacity window takes them: one mixing and one solve.
void BM_MixturePartialFugacitiesOfSixAtOnce(benchmark::State& bench)
{
    MixtureState state = sixComponents(static_cast<std::int16_t>(bench.range(0)), MixtureHost::PartialFugacity);
    for (auto _ : bench)
        benchmark::DoNotOptimize(eos::phycalEach(state, 300.0f, 2e6f));
}
BENCHMARK(BM_MixturePartialFugacitiesOfSixAtOnce)->DenseRange(1, 4)->ArgName("optionno");

void BM_MixtureFugacityOfSix(benchmark::State& bench)
{
    MixtureState state = sixComponents(static_cast<std::int16_t>(bench.range(0)), MixtureHost::MixtureFugacity);
    for (auto _ : bench)
        benchmark::DoNotOptimize(eos::phycal(state, 300.0f, 2e6f));
}
BENCHMARK(BM_MixtureFugacityOfSix)->DenseRange(1, 4)->ArgName("optionno");

// One report point of the departure sweep.
void BM_MixtureDepartureOfSix(benchmark::State& bench)
{
    MixtureState state = sixComponents(static_cast<std::int16_t>(bench.range(0)), MixtureHost::MixtureDeparture);
    for (auto _ : bench)
        benchmark::DoNotOptimize(eos::Departurecal(state, 300.0f, 2e6f));
}
BENCHMARK(BM_MixtureDepartureOfSix)->DenseRange(1, 4)->ArgName("optionno");

} // namespace
