#include "services/programfolder.h"
#include "services/resultformat.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// The largest reports (the saturation logs) fill 320 placeholders.
void BM_MakeResultFile320(benchmark::State& state)
{
    const fs::path folder = fs::temp_directory_path() / "calvex-bench-report";
    fs::create_directories(folder);
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

} // namespace
