// Opening the shipped study.dat: construct a ContentStore, load all thirty tables (ensureOpen),
// close it again. One iteration is one whole opening, as a screen's first access pays it.
// The file is in the page cache after the first run, so this is the warm opening time.

#include "services/ContentSchema.h"
#include "services/ContentStore.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>

namespace {

const QString kStudyDat = QStringLiteral(LUMIBO_BUILD_DIR "/study.dat");

void BM_OpenStudyDat(benchmark::State &state) {
    if (!QFileInfo::exists(kStudyDat)) {
        state.SkipWithError("build/study.dat is missing; build the content target first");
        return;
    }
    long records = 0;
    for (auto _ : state) {
        services::ContentStore store(kStudyDat);
        if (!store.ensureOpen()) {
            state.SkipWithError("study.dat did not open");
            return;
        }
        records = 0;
        for (int slot = 1; slot <= services::kTableCount; ++slot)
            records += store.Data(slot)->RecordCount();
        benchmark::DoNotOptimize(records);
    }
    state.counters["records"] = static_cast<double>(records);
    state.counters["bytes"] = static_cast<double>(QFileInfo(kStudyDat).size());
}

} // namespace

BENCHMARK(BM_OpenStudyDat)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
