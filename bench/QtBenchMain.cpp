// The main() of the benchmarks that build widgets: a QApplication first (offscreen unless a
// platform is set), then Google Benchmark as usual. No sound server is reached, so sound goes to
// the null sink and the figures do not depend on a device.
#include <benchmark/benchmark.h>

#include <QApplication>

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("PULSE_SERVER", "unix:/nonexistent/lumibo-bench");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
