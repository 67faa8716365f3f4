#include "pure/componentdatabase.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using calvex::pure::ComponentDatabase;

// The database the build made in the program folder; every operation opens it anew.
ComponentDatabase builtDatabase()
{
    return ComponentDatabase(std::filesystem::path(CALVEX_PROGRAM_FOLDER) / calvex::pure::componentDatabaseFile);
}

void BM_ListComponentsIncludingOpen(benchmark::State& state)
{
    const ComponentDatabase db = builtDatabase();
    for (auto _ : state) {
        const auto list = db.ListComponents();
        if (!list.ok()) {
            state.SkipWithError(list.error->c_str());
            break;
        }
        benchmark::DoNotOptimize(list.components.data());
    }
}
BENCHMARK(BM_ListComponentsIncludingOpen);

void BM_ReadComponentIncludingOpen(benchmark::State& state)
{
    const ComponentDatabase db = builtDatabase();
    calvex::core::ComponentConstants constants;
    std::int32_t SNO = 0;
    for (auto _ : state) {
        const auto lookup = db.ReadComponent(SNO, constants, calvex::pure::ComponentColumns::HeatCapacity);
        if (!lookup.found) {
            state.SkipWithError(lookup.error ? lookup.error->c_str() : "component not found");
            break;
        }
        benchmark::DoNotOptimize(constants.Tc);
        SNO = (SNO + 37) % 451;
    }
}
BENCHMARK(BM_ReadComponentIncludingOpen);

// The scan of every row: the name stored last.
void BM_FindComponentByNameLastRowIncludingOpen(benchmark::State& state)
{
    const ComponentDatabase db = builtDatabase();
    const auto list = db.ListComponents();
    if (!list.ok() || list.components.empty()) {
        state.SkipWithError("no components");
        return;
    }
    const std::string name = list.components.back().name;
    calvex::core::ComponentConstants constants;
    for (auto _ : state) {
        const auto lookup = db.FindComponentByName(name, constants);
        benchmark::DoNotOptimize(lookup.found);
    }
}
BENCHMARK(BM_FindComponentByNameLastRowIncludingOpen);

} // namespace
