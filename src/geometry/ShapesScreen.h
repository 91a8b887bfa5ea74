#pragma once

#include "core/FourChoice.h"
#include "geometry/Canvas.h"
#include "geometry/ShapeCatalogue.h"
#include "ui/Widgets.h"

#include <QColor>
#include <array>

namespace app {
class AppContext;
class RoundTally;
} // namespace app
namespace ui {
class AnswerButtons;
class DrawingSurface;
} // namespace ui

namespace geometry {

// The drawing rules' canvas on a drawing surface.
class SurfaceCanvas : public Canvas {
  public:
    explicit SurfaceCanvas(ui::DrawingSurface &surface) : surface_(surface) {}
    void setScale(double left, double top, double right, double bottom) override;
    void clear() override;
    void setBackColor(Rgb c) override;
    void setDrawWidth(int px) override;
    void setForeColor(Rgb c) override;
    void line(double x1, double y1, double x2, double y2, Rgb c) override;
    void pset(double x, double y, Rgb c) override;
    void circle(double x, double y, double radius) override;
    void print(double x, double y, const QString &text) override;

  private:
    ui::DrawingSurface &surface_;
};

// tpform: a figure or a colour in the drawing area on the left, four names on the right;
// the child picks the right name. No score, no timer.
class ShapesScreen : public ui::Screen {
    Q_OBJECT
  public:
    explicit ShapesScreen(app::AppContext &ctx);

    // Question set-up: a new item drawn, its name and three wrong names on the buttons.
    void cjf();

    ui::DrawingSurface *surface() const { return surface_; }
    // The item on show and the button of its name (0 before "开始").
    Shape item() const { return item_; }
    int rightButton() const { return question_.rightSlot; }

  private:
    void start();
    void answer(int k);

    app::AppContext &ctx_;
    ui::DrawingSurface *surface_;
    SurfaceCanvas canvas_;
    QColor savedBackground_;
    ui::AnswerButtons *answers_ = nullptr;
    ui::FlatButton *start_, *back_;
    Shape item_ = Shape::Axes;
    core::FourChoice question_;
    app::RoundTally *round_;
};

} // namespace geometry
