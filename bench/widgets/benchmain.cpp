#include <QApplication>

#include <benchmark/benchmark.h>

// The widget benchmarks need a QApplication, one for the whole run. It lives in main so that it
// is gone before the exit handlers destroy Qt's own statics, which a QApplication destroyed after
// them still uses. Without a platform named the benchmarks run on the offscreen one.
int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
