#include "services/numbers.h"
#include "services/programfolder.h"
#include "services/resultformat.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// The largest reports (the saturation logs) fill 320 placeholders.
void BM_MakeResultFile320(benchmark::State& state)
{
    // A folder of this run's own: another run at the same time removes only its own.
    std::string name = (fs::temp_directory_path() / "calvex-bench-report.XXXXXX").string();
    if (!::mkdtemp(name.data())) {
        state.SkipWithError("no temporary folder could be made");
        return;
    }
    const fs::path folder = name;
    calvex::services::setProgramFolder(folder);
    std::string text = "<html><body><table>";
    for (int i = 1; i <= 320; ++i)
        text += "<tr><td>row</td><td>variable</td></tr>\n";
    text += "</table></body></html>";
    const fs::path templatePath = folder / "t.htm";
    std::ofstream(templatePath, std::ios::binary) << text;

    calvex::services::ResultLines values(321);
    for (auto _ : state) {
        for (int i = 1; i <= 320; ++i)
            values[i] = "1.234567E+05";
        benchmark::DoNotOptimize(calvex::services::MakeResultFile(320, values, templatePath.string()));
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_MakeResultFile320);

// The cells of one saturation log row, rewritten in place as the iteration does: the two
// roots (singles), the pressure in bar (a double) and the two fugacities to 4 decimals.
void BM_LogRowTexts(benchmark::State& state)
{
    std::string cells[5];
    float z = 0.8873421f;
    double p = 9.97634123456789;
    for (auto _ : state) {
        calvex::services::assignSingleText(cells[0], z);
        calvex::services::assignSingleText(cells[1], z * 0.0312f);
        calvex::services::assignDoubleText(cells[2], p);
        calvex::services::assignRoundedText(cells[3], p * 0.98, 4);
        calvex::services::assignRoundedText(cells[4], p * 1.01, 4);
        benchmark::DoNotOptimize(cells);
        z += 1e-7f;
        p += 1e-9;
    }
}
BENCHMARK(BM_LogRowTexts);

} // namespace
