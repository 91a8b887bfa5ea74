// How quickly the learning record takes a round and shows the parent's page, and how large a
// year of daily use makes it.
//
//   build/bench/record-bench
//
// WriteRound: one finished round (20 answers, 5 misses and 5 right answers that count for the
// review) written on the caller's thread, as a game does when a round ends, into a record that
// already holds a year. Goal: under 2 ms.
// OpenParentPage: the 学习记录 page built and filled for a record of 365 days × 40 rounds × 5
// misses. Goal: under 50 ms. ...FirstOpen also opens the file, as the first look after a start.
// The counter record_MB is that year's file, checkpointed. Goal: under 10 MB.
#include "app/AppContext.h"
#include "app/RecordPage.h"
#include "services/LearningRecord.h"
#include "services/SampleRecord.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QDateTime kNow(QDate(2026, 12, 31), QTime(20, 0));

// A year of daily use, made once per run; returns its folder.
const QString &yearFolder() {
    static QTemporaryDir dir;
    static const bool made = [] {
        services::LearningRecord record(dir.path(), [] { return kNow; });
        services::fillSampleRecord(record, kNow.date(), 365, 40, 5);
        return true;
    }();
    (void)made;
    static const QString path = dir.path();
    return path;
}

// A copy of the year, so each benchmark writes into a record of its own.
QString copyOfYear(QTemporaryDir &into) {
    const QString from = QDir(yearFolder()).filePath(services::LearningRecord::fileName());
    const QString to = QDir(into.path()).filePath(services::LearningRecord::fileName());
    QFile::copy(from, to);
    return into.path();
}

std::unique_ptr<app::AppContext> contextWith(const QString &folder, const QString &programDir) {
    auto ctx = app::AppContext::forTests(programDir);
    ctx->useRecorder(std::make_unique<services::LearningRecord>(folder, [] { return kNow; }));
    return ctx;
}

void BM_WriteRound(benchmark::State &state) {
    QTemporaryDir dir;
    services::LearningRecord record(copyOfYear(dir), [] { return kNow; });
    services::Round round;
    round.screen = QStringLiteral("背单词");
    round.area = services::Area::English;
    round.mode = QStringLiteral("第一册 第2组");
    round.started = kNow.addSecs(-300);
    round.seconds = 300;
    round.right = 15;
    round.wrong = 5;
    for (int i = 0; i < 5; ++i) {
        round.misses << services::Answer{QStringLiteral("背单词"), QStringLiteral("word%1").arg(i),
                                         QStringLiteral("wrod")};
        round.hits << services::Answer{QStringLiteral("背单词"), QStringLiteral("word%1").arg(i + 5),
                                       QString()};
    }
    record.addRound(round); // the file is open from here on, as in a game after the first round
    for (auto _ : state)
        record.addRound(round);
    if (record.pendingRounds() != 0) state.SkipWithError(qPrintable(record.notice()));
}
BENCHMARK(BM_WriteRound)->Unit(benchmark::kMicrosecond);

void BM_OpenParentPage(benchmark::State &state) {
    QTemporaryDir program, dir;
    auto ctx = contextWith(copyOfYear(dir), program.path());
    ctx->learningRecord()->children(); // opened
    for (auto _ : state) {
        auto *page = new app::RecordPage(*ctx);
        benchmark::DoNotOptimize(page);
        delete page;
    }
    const QFileInfo year(QDir(yearFolder()).filePath(services::LearningRecord::fileName()));
    state.counters["record_MB"] = double(year.size()) / (1024 * 1024);
}
BENCHMARK(BM_OpenParentPage)->Unit(benchmark::kMillisecond);

void BM_OpenParentPageFirstOpen(benchmark::State &state) {
    QTemporaryDir program, dir;
    const QString folder = copyOfYear(dir);
    auto ctx = app::AppContext::forTests(program.path());
    for (auto _ : state) {
        ctx->useRecorder(std::make_unique<services::LearningRecord>(folder, [] { return kNow; }));
        auto *page = new app::RecordPage(*ctx);
        benchmark::DoNotOptimize(page);
        delete page;
    }
}
BENCHMARK(BM_OpenParentPageFirstOpen)->Unit(benchmark::kMillisecond);

} // namespace
