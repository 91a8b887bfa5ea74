// How long the shapes quiz takes to put a figure on show. A curve is about 6 400 single
// points and an ellipse half about 700; every item should draw in well under a frame.
//
//   build/bench/geometry-bench                       every item, then a whole question
//   build/bench/geometry-bench --benchmark_filter=Question
#include "app/AppContext.h"
#include "geometry/ShapeCatalogue.h"
#include "geometry/ShapeRules.h"
#include "geometry/ShapesScreen.h"
#include "ui/DrawingSurface.h"
#include "ui/Widgets.h"

#include <QApplication>
#include <QDir>
#include <benchmark/benchmark.h>

namespace {

// One item drawn into the drawing area as a question does it: back to the question background,
// then the item's rule.
void BM_DrawItem(benchmark::State &state) {
    const int item = static_cast<int>(state.range(0));
    const QColor background(192, 192, 255);
    ui::DrawingSurface surface(QStringLiteral("Picture3"), nullptr, ui::twRect(0, 0, 6495, 6495), background);
    geometry::SurfaceCanvas canvas(surface);
    geometry::drawAxes(canvas); // the screen's load step: scale and fore colour
    for (auto _ : state) {
        surface.setBackColor(background);
        geometry::drawItem(canvas, geometry::ShapeCatalogue::at(item));
        benchmark::DoNotOptimize(surface.image().constBits());
    }
    state.SetLabel(geometry::ShapeCatalogue::name(item).toStdString());
}
BENCHMARK(BM_DrawItem)->DenseRange(1, geometry::ShapeCatalogue::kCount)->Unit(benchmark::kMicrosecond);

// A whole question on the shown screen, the slowest item (a curve) each time: the answer
// captions, the drawing and the repaint of the area.
void BM_Question(benchmark::State &state) {
    const int item = static_cast<int>(state.range(0));
    auto ctx = app::AppContext::forTests(QDir::tempPath());
    geometry::ShapesScreen screen(*ctx);
    screen.show();
    QApplication::processEvents();
    for (auto _ : state) {
        ctx->random.script({(item - 0.5) / geometry::ShapeCatalogue::kCount});
        screen.cjf();
        screen.surface()->repaint();
    }
    state.SetLabel(geometry::ShapeCatalogue::name(item).toStdString());
}
BENCHMARK(BM_Question)->Arg(1)->Arg(19)->Arg(30)->Arg(32)->Arg(34)->Arg(40)->Unit(benchmark::kMicrosecond);

} // namespace
