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
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

const QString kProgramDir = QStringLiteral(LUMIBO_BUILD_DIR);

QWidget *openScreen(app::AppContext &ctx, const app::ScreenEntry &entry) {
    return entry.name == screens::kMain ? ctx.navigator().showMain() : ctx.navigator().open(entry.name);
}

void leave(app::AppContext &ctx) {
    ctx.navigator().quit();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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

double residentMiB() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

int memoryCheck(int rounds) {
    auto ctx = app::AppContext::forTests(kProgramDir);
    const auto &entries = app::ScreenRegistry::instance().entries();
    const double before = residentMiB();
    double afterFirst = before;
    for (int round = 1; round <= rounds; ++round) {
        for (const app::ScreenEntry &entry : entries) {
            if (QWidget *w = openScreen(*ctx, entry)) w->grab();
            leave(*ctx);
        }
        QCoreApplication::processEvents();
        if (round == 1) afterFirst = residentMiB();
    }
    const double after = residentMiB();
    std::printf("screens opened and left: %d rounds x %zu screens\n", rounds, entries.size());
    std::printf("resident memory: before %.1f MiB, after the first round %.1f MiB, at the end %.1f MiB\n",
                before, afterFirst, after);
    std::printf("growth after the first round: %.1f MiB (%.1f KiB a round)\n", after - afterFirst,
                rounds > 1 ? (after - afterFirst) * 1024 / (rounds - 1) : 0.0);
    return 0;
}

// Not inlined, so that callgrind can count it alone.
__attribute__((noinline)) void openRepeatedly(app::AppContext &ctx, const app::ScreenEntry &entry, int n) {
    for (int i = 0; i < n; ++i) {
        if (QWidget *w = openScreen(ctx, entry)) w->grab();
        leave(ctx);
    }
}

int repeat(const QString &name, int n) {
    for (const app::ScreenEntry &entry : app::ScreenRegistry::instance().entries()) {
        if (entry.name != name) continue;
        auto ctx = app::AppContext::forTests(kProgramDir);
        // The first open fills the font and content caches.
        if (QWidget *w = openScreen(*ctx, entry)) w->grab();
        leave(*ctx);
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
