// How quickly the English screens answer a child.
//
//   build/bench/english-bench
//
// NextWordSpeech: a click on "下一个" on the study screen, with "朗读", through the real espeak-ng
// voice to the moment its samples are handed to the audio output. The output is the null sink
// (PcmOutput without a sound device: it only starts a timer), so the figure is the program's own
// work: stop, the cursor step, the texts, synthesis, the hand-over. Goal: under 60 ms for a word
// of up to 12 letters.
// Deal: one link-game board of 25 words and meanings on the shown screen. Goal: under 20 ms.
#include "app/AppContext.h"
#include "app/Navigator.h"
#include "english/LinkGameScreen.h"
#include "english/WordStudyScreen.h"
#include "services/ContentFiles.h"
#include "services/ContentSchema.h"
#include "services/PcmOutput.h"
#include "services/SpeechVoice.h"
#include "services/WavePlayer.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A study.dat whose first book repeats one word, so every click says a word of known length.
QString bookOf(const QTemporaryDir &dir, const QString &word) {
    std::vector<services::TableData> tables;
    for (const services::TableSchema &s : services::contentTables()) {
        services::TableData t{s.name, s.columns, {}, {}, {}};
        const int n = services::slotOf(s.name) == 1 ? 100 : 1;
        for (int i = 1; i <= n; ++i) {
            QStringList row;
            for (int c = 0; c < s.columns.size(); ++c)
                row << (c == 0 ? QString::number(i) : c == 1 ? word : QStringLiteral("x"));
            t.rows.push_back(row);
        }
        tables.push_back(std::move(t));
    }
    const QString path = dir.filePath(QStringLiteral("study.dat"));
    QString error;
    if (!services::writeStudyDat(tables, path, &error)) qFatal("%s", qPrintable(error));
    return dir.path();
}

std::unique_ptr<app::AppContext> speakingContext(const QString &programDir,
                                                 const std::shared_ptr<services::PcmOutput> &output) {
    app::AppContext::Services s;
    s.jieguo = std::make_unique<services::RecordingWavePlayer>();
    s.voice = std::make_unique<services::EspeakSpeechVoice>(output);
    s.makePlayer = [] { return std::make_unique<services::RecordingWavePlayer>(); };
    // Nothing here changes the content, so no copy of it is ever made in the data folder.
    return std::make_unique<app::AppContext>(programDir, std::move(s), programDir);
}

const char *const kWords[] = {"cat", "apple", "elephant", "butterfly", "refrigerator", "good afternoon"};

void BM_NextWordSpeech(benchmark::State &state) {
    const QString word = QString::fromLatin1(kWords[state.range(0)]);
    QTemporaryDir dir;
    auto output = std::make_shared<services::PcmOutput>();
    auto ctx = speakingContext(bookOf(dir, word), output);
    ctx->globals.bookNumber = 1;
    QWidget *screen = ctx->navigator().open(QStringLiteral("学单词"));
    screen->findChild<QPushButton *>(QStringLiteral("Button3"))->click();
    auto *next = screen->findChild<QPushButton *>(QStringLiteral("Button6"));
    QApplication::processEvents();
    for (auto _ : state)
        next->click();
    // What the sink was handed by the last click: the word's length in sound, never nothing.
    if (output->currentMs() == 0) state.SkipWithError("no speech reached the sink");
    state.counters["spoken_ms"] = output->currentMs();
    state.SetLabel(word.toStdString());
}
BENCHMARK(BM_NextWordSpeech)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// The deal on the shipped books: 剑桥少儿英语第一册, its first group, each level in turn.
void BM_Deal(benchmark::State &state) {
    auto ctx = app::AppContext::forTests(QStringLiteral(LUMIBO_BUILD_DIR));
    ctx->globals.bookNumber = 7;
    english::LinkGameScreen screen(*ctx);
    screen.show();
    QApplication::processEvents();
    int level = 0;
    for (auto _ : state) {
        ctx->globals.levelOffset = 25 * (level++ % 4);
        screen.deal();
    }
}
BENCHMARK(BM_Deal)->Unit(benchmark::kMicrosecond);

} // namespace
