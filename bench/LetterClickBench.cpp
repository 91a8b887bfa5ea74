// How long a letter click takes to sound: from the click on a letter button to the slice of
// sound.wav handed to the audio output, through the program's own player (libsndfile data held in
// memory, PcmOutput). Without a sound device the output is its silent stand-in, which takes the
// same buffer at the same point. The goal is well under 10 ms.
//
//   build/bench/letterclick-bench
#include "app/AppContext.h"
#include "pinyin/LetterBoard.h"
#include "pinyin/PinyinChartScreen.h"
#include "pinyin/PinyinSpellingScreen.h"
#include "services/PcmOutput.h"
#include "ui/Widgets.h"

#include <QApplication>
#include <QFile>
#include <benchmark/benchmark.h>

namespace {

const QString kProgramDir = QStringLiteral(LUMIBO_BUILD_DIR);

void dropDeletedSinks() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void label(benchmark::State &state) {
    services::PcmOutput probe;
    state.SetLabel(probe.hasDevice() ? "sound device" : "no device: silent stand-in");
}

// A chart letter, clicked as a child does; k steps over all 47 so every slice is cut once.
void BM_ChartClick(benchmark::State &state) {
    if (!QFile::exists(kProgramDir + QStringLiteral("/sound.wav"))) {
        state.SkipWithError("build/sound.wav is missing: build the sounds target first");
        return;
    }
    auto ctx = app::AppContext::forProgram(kProgramDir);
    pinyin::PinyinChartScreen screen(*ctx);
    screen.show();
    QApplication::processEvents();
    int k = 0;
    for (auto _ : state) {
        screen.board()->button(k % pinyin::kLetterCount + 1)->click();
        state.PauseTiming();
        ++k;
        dropDeletedSinks();
        state.ResumeTiming();
    }
    label(state);
}
BENCHMARK(BM_ChartClick)->Unit(benchmark::kMicrosecond);

// A letter of the spelling game: the sound, the display and the disabling of what may not
// follow; the input is cleared between clicks, outside the measurement.
void BM_SpellingClick(benchmark::State &state) {
    if (!QFile::exists(kProgramDir + QStringLiteral("/sound.wav")) ||
        !QFile::exists(kProgramDir + QStringLiteral("/study.dat"))) {
        state.SkipWithError("build/sound.wav or build/study.dat is missing: build the program first");
        return;
    }
    auto ctx = app::AppContext::forProgram(kProgramDir);
    pinyin::PinyinSpellingScreen screen(*ctx);
    screen.show();
    screen.newCharacter();
    QApplication::processEvents();
    auto *clear = screen.findChild<QPushButton *>(QStringLiteral("Button3"));
    const int letters[] = {27, 1, 39, 5, 21, 9};
    int i = 0;
    for (auto _ : state) {
        screen.board()->button(letters[i % std::size(letters)])->click();
        state.PauseTiming();
        ++i;
        clear->click();
        dropDeletedSinks();
        state.ResumeTiming();
    }
    label(state);
}
BENCHMARK(BM_SpellingClick)->Unit(benchmark::kMicrosecond);

} // namespace
