// How long each registered screen takes to open as a child sees it: created, its load step
// run on the shipped content, shown and painted once (offscreen), then left again. The content
// store is opened once beforehand, as it is after the first screen of a run.
//
// screenopen-bench --memory N instead opens and leaves every screen N times in one process and
// prints the resident memory before, after the first round, and at the end.
//
// screenopen-bench --repeat SCREEN N opens SCREEN once, then N times in openRepeatedly(): run
// under callgrind (bench/screen-instructions.sh) it counts the instructions of an open, which,
// unlike seconds, do not change with what else the machine is doing.
#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "ui/Backdrop.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QPixmapCache>
#include <QWidget>
#include <cstdio>
#include <cstring>

namespace {

const QString kProgramDir = QStringLiteral(LUMIBO_BUILD_DIR);

QWidget *openScreen(app::AppContext &ctx, const app::ScreenEntry &entry) {
    return entry.name == screens::kMain ? ctx.navigator().showMain() : ctx.navigator().open(entry.name);
}

void leave(app::AppContext &ctx) {
    ctx.navigator().quit();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Opens a screen, paints it once and leaves it.
void openAndLeave(app::AppContext &ctx, const app::ScreenEntry &entry) {
    if (QWidget *w = openScreen(ctx, entry)) w->grab();
    leave(ctx);
}

void BM_OpenScreen(benchmark::State &state, const app::ScreenEntry *entry) {
    auto ctx = app::AppContext::forTests(kProgramDir);
    ctx->store().ensureOpen();
    for (auto _ : state) {
        QWidget *w = openScreen(*ctx, *entry);
        if (!w) {
            state.SkipWithError("the screen did not open");
            return;
        }
        benchmark::DoNotOptimize(w->grab()); // the first paint
        state.PauseTiming();
        leave(*ctx);
        state.ResumeTiming();
    }
}

// Resident memory in MiB: all of it, the heap and other private memory (RssAnon), and mapped
// files such as libraries and font files (RssFile).
struct Resident {
    double total = 0, anon = 0, file = 0;
};

Resident resident() {
    Resident r;
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return r;
    for (const QByteArray &line : f.readAll().split('\n')) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() < 2) continue;
        const double mib = parts[1].toDouble() / 1024.0; // kB
        if (parts[0] == "VmRSS:")
            r.total = mib;
        else if (parts[0] == "RssAnon:")
            r.anon = mib;
        else if (parts[0] == "RssFile:")
            r.file = mib;
    }
    return r;
}

QString describe(const Resident &r) {
    return QStringLiteral("%1 MiB (heap and private %2, mapped files %3)")
        .arg(r.total, 0, 'f', 1)
        .arg(r.anon, 0, 'f', 1)
        .arg(r.file, 0, 'f', 1);
}

int memoryCheck(int rounds) {
    auto ctx = app::AppContext::forTests(kProgramDir);
    const auto &entries = app::ScreenRegistry::instance().entries();
    const Resident before = resident();
    ctx->store().ensureOpen(); // every table in memory, as after the first content screen
    const Resident withContent = resident();
    Resident afterFirst = before;
    for (int round = 1; round <= rounds; ++round) {
        for (const app::ScreenEntry &entry : entries) {
            openAndLeave(*ctx, entry);
        }
        QCoreApplication::processEvents();
        if (round == 1) afterFirst = resident();
    }
    const Resident after = resident();
    std::printf("screens opened and left: %d rounds x %zu screens\n", rounds, entries.size());
    std::printf("resident memory before:          %s\n", qPrintable(describe(before)));
    std::printf("with the content store open:     %s\n", qPrintable(describe(withContent)));
    std::printf("after the first round:           %s\n", qPrintable(describe(afterFirst)));
    std::printf("at the end:                      %s\n", qPrintable(describe(after)));
    // Qt's pixmap cache (the style's pictures, the buttons' faces) fills up to its limit.
    std::printf("Qt's pixmap cache may hold:      %d KiB\n", QPixmapCache::cacheLimit());
    std::printf(
        "growth after the first round: %.1f MiB (%.1f KiB a round; heap and private %.1f KiB a round)\n",
        after.total - afterFirst.total,
        rounds > 1 ? (after.total - afterFirst.total) * 1024 / (rounds - 1) : 0.0,
        rounds > 1 ? (after.anon - afterFirst.anon) * 1024 / (rounds - 1) : 0.0);
    return 0;
}

// Not inlined, so that callgrind can count it alone.
__attribute__((noinline)) void openRepeatedly(app::AppContext &ctx, const app::ScreenEntry &entry, int n) {
    for (int i = 0; i < n; ++i) {
        openAndLeave(ctx, entry);
    }
}

int repeat(const QString &name, int n) {
    for (const app::ScreenEntry &entry : app::ScreenRegistry::instance().entries()) {
        if (entry.name != name) continue;
        auto ctx = app::AppContext::forTests(kProgramDir);
        // The first open fills the font and content caches.
        openAndLeave(*ctx, entry);
        openRepeatedly(*ctx, entry, n);
        return 0;
    }
    std::fprintf(stderr, "screenopen-bench: no screen is named %s\n", qUtf8Printable(name));
    return 2;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ui::applyLook(application);
    application.setQuitOnLastWindowClosed(false);
    if (argc == 3 && std::strcmp(argv[1], "--memory") == 0) return memoryCheck(std::atoi(argv[2]));
    if (argc == 4 && std::strcmp(argv[1], "--repeat") == 0)
        return repeat(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));

    for (const app::ScreenEntry &entry : app::ScreenRegistry::instance().entries())
        benchmark::RegisterBenchmark(("open/" + entry.name).toStdString().c_str(), BM_OpenScreen, &entry)
            ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
