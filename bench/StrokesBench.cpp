// The stroke file beside the program: opening it (read whole, header and index checked), and
// decoding a character's strokes, one at a time as a lesson asks for them and all of them in a
// row. The file is in the page cache after the first run, so these are warm times.

#include "services/StrokeData.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>

namespace {

const QString kStrokes = QStringLiteral(LUMIBO_BUILD_DIR "/strokes.dat");

bool usable(benchmark::State &state) {
    if (QFileInfo::exists(kStrokes)) return true;
    state.SkipWithError("build/strokes.dat is missing; build the content target first");
    return false;
}

void BM_OpenStrokeFile(benchmark::State &state) {
    if (!usable(state)) return;
    for (auto _ : state) {
        const services::StrokeData data = services::StrokeData::open(kStrokes);
        benchmark::DoNotOptimize(data.count());
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(kStrokes).size());
}

// What the lesson pays when it shows a character: one lookup and decode.
void BM_OneCharacter(benchmark::State &state) {
    if (!usable(state)) return;
    const services::StrokeData data = services::StrokeData::open(kStrokes);
    for (auto _ : state) {
        const auto c = data.character(U'我');
        benchmark::DoNotOptimize(c);
    }
}

// Opening the file and decoding every character in it.
void BM_OpenAndDecodeAll(benchmark::State &state) {
    if (!usable(state)) return;
    long strokes = 0;
    int characters = 0;
    for (auto _ : state) {
        const services::StrokeData data = services::StrokeData::open(kStrokes);
        strokes = 0;
        characters = 0;
        for (char32_t c : data.characters())
            if (const auto decoded = data.character(c)) {
                strokes += static_cast<long>(decoded->strokes.size());
                ++characters;
            }
        benchmark::DoNotOptimize(strokes);
    }
    state.counters["characters"] = characters;
    state.counters["strokes"] = static_cast<double>(strokes);
}

} // namespace

BENCHMARK(BM_OpenStrokeFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneCharacter)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenAndDecodeAll)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
