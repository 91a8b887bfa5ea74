// How long the word games take on a table of 10 000 records: a new question after a right
// answer (the draws, the captions, the list selection and its count text) should stay under
// 2 ms, and opening the screen with its list filled under 50 ms.
//
//   build/bench/wordgame-bench
#include "app/AppContext.h"
#include "hanzi/WordGameScreen.h"
#include "services/ContentFiles.h"
#include "services/ContentSchema.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = 10000;

const hanzi::WordGameKind *kinds[] = {&hanzi::idioms(), &hanzi::antonyms(), &hanzi::riddles()};

// A study.dat whose word tables hold kRecords records each, every other table one record.
QString studyDat() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("study.dat"));
        std::vector<services::TableData> tables;
        for (const services::TableSchema &s : services::contentTables()) {
            services::TableData t{s.name, s.columns, {}, {}, {}};
            const int slot = services::slotOf(s.name);
            const bool big = slot == services::kIdioms || slot == services::kAntonyms ||
                             slot == services::kSynonyms || slot == services::kRiddles;
            for (int r = 0; r < (big ? kRecords : 1); ++r) {
                QStringList row;
                for (int c = 0; c < s.columns.size(); ++c)
                    row << QStringLiteral("词%1字%2").arg(r).arg(c);
                t.rows.push_back(row);
            }
            tables.push_back(std::move(t));
        }
        QString error;
        if (!services::writeStudyDat(tables, p, &error)) qFatal("%s", qPrintable(error));
        return p;
    }();
    return QFileInfo(path).absolutePath();
}

// Right answers one after another, in order or at random: each one is a whole new question.
void BM_NewQuestion(benchmark::State &state) {
    const hanzi::WordGameKind &kind = *kinds[state.range(0)];
    const bool random = state.range(1) != 0;
    auto ctx = app::AppContext::forTests(studyDat());
    hanzi::WordGameScreen screen(*ctx, kind);
    screen.show();
    QApplication::processEvents();
    if (random) screen.findChild<QRadioButton *>(QStringLiteral("Option1(1)"))->setChecked(true);
    for (auto _ : state) {
        const QString right = QStringLiteral("Button1(%1)").arg(screen.rightButton());
        screen.findChild<QPushButton *>(right)->click();
    }
    state.SetLabel(
        (kind.table + (random ? QStringLiteral(", random") : QStringLiteral(", in order"))).toStdString());
}
BENCHMARK(BM_NewQuestion)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({2, 0})
    ->Args({2, 1})
    ->Unit(benchmark::kMicrosecond);

// The screen opened on an open store: the records read, the list filled, the first question.
void BM_OpenScreen(benchmark::State &state) {
    const hanzi::WordGameKind &kind = *kinds[state.range(0)];
    auto ctx = app::AppContext::forTests(studyDat());
    ctx->store().ensureOpen();
    for (auto _ : state) {
        hanzi::WordGameScreen screen(*ctx, kind);
        benchmark::DoNotOptimize(&screen);
    }
    state.SetLabel(kind.table.toStdString());
}
BENCHMARK(BM_OpenScreen)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace
