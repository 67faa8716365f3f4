#include "mixture/engine/mixtureengine.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using calvex::mixture::MixtureMode;

// A mixture as a window passes it; the guess prompts get the silent Ui's empty answer, which
// selects the default start.
struct BenchMixture {
    std::vector<std::string> names{""};
    std::vector<float> Tc{0}, Pc{0}, omega{0}, Tb{0}, z{0};

    void add(const char* name, float Tc_K, float Pc_bar, float w, float Tb_K, float fraction)
    {
        names.emplace_back(name);
        Tc.push_back(Tc_K);
        Pc.push_back(Pc_bar);
        omega.push_back(w);
        Tb.push_back(Tb_K);
        z.push_back(fraction);
    }
};

BenchMixture twoComponents()
{
    BenchMixture m;
    m.add("propane", 369.8f, 42.48f, 0.152f, 231.1f, 0.5f);
    m.add("n-butane", 425.1f, 37.96f, 0.200f, 272.7f, 0.5f);
    return m;
}

BenchMixture sixComponents()
{
    BenchMixture m;
    m.add("methane", 190.6f, 46.0f, 0.011f, 111.7f, 0.05f);
    m.add("ethane", 305.3f, 48.72f, 0.100f, 184.6f, 0.10f);
    m.add("propane", 369.8f, 42.48f, 0.152f, 231.1f, 0.15f);
    m.add("n-butane", 425.1f, 37.96f, 0.200f, 272.7f, 0.20f);
    m.add("n-pentane", 469.7f, 33.70f, 0.252f, 309.2f, 0.25f);
    m.add("n-hexane", 507.6f, 30.25f, 0.301f, 341.9f, 0.25f);
    return m;
}

void runEngine(benchmark::State& state, const BenchMixture& m, MixtureMode mode, float T, float P)
{
    calvex::services::ResultLines out(45);
    const auto n = static_cast<std::int16_t>(m.names.size() - 1);
    for (auto _ : state) {
        std::int16_t modeArgument = calvex::mixture::modeNumber(mode);
        const auto result =
            calvex::mixture::dewbubblePR(modeArgument, T, P, n, m.names, m.Tc, m.Pc, m.omega, m.Tb, m.z, out);
        benchmark::DoNotOptimize(result);
        if (result.asSingle() <= 0)
            state.SkipWithError("the engine found no answer");
    }
}

void BM_EnginePengRobinsonBubblePressureOf2(benchmark::State& state) { runEngine(state, twoComponents(), MixtureMode::BubbleP, 300, 0); }
void BM_EnginePengRobinsonBubblePressureOf6(benchmark::State& state) { runEngine(state, sixComponents(), MixtureMode::BubbleP, 300, 0); }
void BM_EnginePengRobinsonDewTemperatureOf2(benchmark::State& state) { runEngine(state, twoComponents(), MixtureMode::DewT, 0, 10); }
void BM_EnginePengRobinsonDewTemperatureOf6(benchmark::State& state) { runEngine(state, sixComponents(), MixtureMode::DewT, 0, 10); }
void BM_EnginePengRobinsonFlashOf2(benchmark::State& state) { runEngine(state, twoComponents(), MixtureMode::Flash, 300, 5); }
void BM_EnginePengRobinsonFlashOf6(benchmark::State& state) { runEngine(state, sixComponents(), MixtureMode::Flash, 300, 5); }

BENCHMARK(BM_EnginePengRobinsonBubblePressureOf2);
BENCHMARK(BM_EnginePengRobinsonBubblePressureOf6);
BENCHMARK(BM_EnginePengRobinsonDewTemperatureOf2);
BENCHMARK(BM_EnginePengRobinsonDewTemperatureOf6);
BENCHMARK(BM_EnginePengRobinsonFlashOf2);
BENCHMARK(BM_EnginePengRobinsonFlashOf6);

} // namespace
