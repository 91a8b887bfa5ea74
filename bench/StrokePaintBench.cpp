// The stroke screen's frames: one frame of the animation (the still part copied from its cache,
// the growing stroke drawn clipped to its outline) and the frame on which a stroke is finished
// (the cache drawn again), for the character with the most strokes among the lessons' single
// characters; and opening the stroke screen on it with its first paint. At the window's size
// (scale 1) and at twice it.

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "hanzi/StrokeCanvas.h"
#include "hanzi/StrokeOrderScreen.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTextStream>

namespace {

const QString kProgramDir = QStringLiteral(LUMIBO_BUILD_DIR);
const QString kCharacters = QStringLiteral(LUMIBO_SOURCE_DIR "/content/单字.tsv");

// The single character of the lessons with the most strokes.
const services::StrokeCharacter *mostStrokes() {
    static const std::optional<services::StrokeCharacter> most = [] {
        std::optional<services::StrokeCharacter> best;
        const services::StrokeData data = services::StrokeData::open(kProgramDir + QStringLiteral("/strokes.dat"));
        QFile f(kCharacters);
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return best;
        QTextStream in(&f);
        in.readLine(); // the header
        while (!in.atEnd()) {
            const QList<uint> codes = in.readLine().section(QLatin1Char('\t'), 0, 0).toUcs4();
            if (codes.size() != 1) continue;
            const auto c = data.character(char32_t(codes.front()));
            if (c && (!best || c->strokes.size() > best->strokes.size())) best = c;
        }
        return best;
    }();
    return most ? &*most : nullptr;
}

QString name(const services::StrokeCharacter &c) {
    return QString::fromUcs4(&c.character, 1);
}

// The canvas as the screen lays it out (7800 twips, 520 pixels a side at scale 1), half the
// strokes written and the next one half grown.
void BM_Frame(benchmark::State &state) {
    const services::StrokeCharacter *c = mostStrokes();
    if (!c) return state.SkipWithError("no strokes: build the content target first");
    const double ratio = double(state.range(0));
    const bool finishing = state.range(1) != 0;
    hanzi::StrokeCanvas canvas(QStringLiteral("Picture1"), nullptr);
    canvas.resize(520, 520);
    canvas.setCharacter(*c);
    const int half = canvas.strokeCount() / 2;
    canvas.setWritten(half);
    QImage frame(canvas.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    frame.setDevicePixelRatio(ratio);
    {
        QPainter p(&frame);
        canvas.paint(p); // the still part into its cache
    }
    double f = 0;
    for (auto _ : state) {
        // The frame that finishes a stroke draws the still part anew; the others copy it.
        if (finishing) canvas.setWritten(canvas.written() == half ? half + 1 : half);
        f = f >= 0.95 ? 0.05 : f + 0.05;
        canvas.setGrowing(half + 1, f);
        QPainter p(&frame);
        canvas.paint(p);
    }
    state.SetLabel(QStringLiteral("%1, %2 strokes").arg(name(*c)).arg(canvas.strokeCount()).toStdString());
}

// Opening the stroke screen over nothing, on that character, up to its first paint.
void BM_OpenStrokeScreen(benchmark::State &state) {
    const services::StrokeCharacter *c = mostStrokes();
    if (!c) return state.SkipWithError("no strokes: build the content target first");
    auto ctx = app::AppContext::forTests(kProgramDir);
    ctx->strokes(); // the file is read when a lesson first shows a character, before this
    const hanzi::LessonCharacter shown{name(*c), {}};
    for (auto _ : state) {
        QWidget *w = ctx->navigator().open(screens::kStrokeOrder, [&](app::AppContext &cx) -> QWidget * {
            return new hanzi::StrokeOrderScreen(cx, {.shown = shown});
        });
        benchmark::DoNotOptimize(w->grab());
        state.PauseTiming();
        ctx->navigator().quit();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.SetLabel(name(*c).toStdString());
}

} // namespace

BENCHMARK(BM_Frame)->ArgNames({"ratio", "finishing"})->ArgsProduct({{1, 2}, {0, 1}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenStrokeScreen)->Unit(benchmark::kMillisecond);
