#include "geometry/ShapesScreen.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/RoundTally.h"
#include "app/ScreenNames.h"
#include "geometry/ShapeQuestion.h"
#include "geometry/ShapeRules.h"
#include "services/WavePlayer.h"
#include "ui/AnswerButtons.h"
#include "ui/Backdrop.h"
#include "ui/DrawingSurface.h"
#include "ui/Keyboard.h"

namespace geometry {

namespace {
QColor toQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}
} // namespace

void SurfaceCanvas::setScale(double left, double top, double right, double bottom) {
    surface_.setScale(left, top, right, bottom);
}
void SurfaceCanvas::clear() {
    surface_.clear();
}
void SurfaceCanvas::setBackColor(Rgb c) {
    surface_.setBackColor(toQColor(c));
}
void SurfaceCanvas::setDrawWidth(int px) {
    surface_.setDrawWidth(px);
}
void SurfaceCanvas::setForeColor(Rgb c) {
    surface_.setForeColor(toQColor(c));
}
void SurfaceCanvas::line(double x1, double y1, double x2, double y2, Rgb c) {
    surface_.line(x1, y1, x2, y2, toQColor(c));
}
void SurfaceCanvas::pset(double x, double y, Rgb c) {
    surface_.pset(x, y, toQColor(c));
}
void SurfaceCanvas::circle(double x, double y, double radius) {
    surface_.circle(x, y, radius);
}
void SurfaceCanvas::print(double x, double y, const QString &text) {
    surface_.print(x, y, text);
}

ShapesScreen::ShapesScreen(app::AppContext &ctx)
    : ui::Screen(screens::kShapes, QStringLiteral("图形学习"), 10800, 7860), ctx_(ctx),
      surface_(new ui::DrawingSurface(QStringLiteral("Picture3"), this, ui::twRect(240, 240, 6495, 6495),
                                      toQColor(kQuestionBackground))),
      canvas_(*surface_) {
    new ui::Backdrop(ui::Backdrop::Scene::Sky, this);

    const QColor green(0, 128, 0);
    ui::makeLabel(QStringLiteral("Label1"), QStringLiteral("小朋友认识"), this,
                  ui::twRect(6975, 300, 3585, 495), 15.75, green, true);
    ui::makeLabel(QStringLiteral("Label2"), QStringLiteral("左边的图形和色彩吗？"), this,
                  ui::twRect(6975, 840, 3585, 495), 15.75, green, true);

    std::vector<QRect> places;
    for (int k = 1; k <= 4; ++k)
        places.push_back(ui::twRect(7095, 1620 + (k - 1) * 1260, 3345, 975));
    answers_ = new ui::AnswerButtons(this, QStringLiteral("Button9"), places, 18);
    connect(answers_, &ui::AnswerButtons::chosen, this, &ShapesScreen::answer);

    auto *band = ui::makePanel(QStringLiteral("Picture2"), this, ui::twRect(0, 6960, 10800, 900),
                               QColor(227, 242, 253));
    start_ = new ui::FlatButton(QStringLiteral("Button7"), QStringLiteral("开始"), band, 12);
    start_->setGeometry(ui::twRect(7095, 90, 1455, 735));
    back_ = new ui::FlatButton(QStringLiteral("Button1"), QStringLiteral("返回"), band, 12);
    back_->setGeometry(ui::twRect(8985, 90, 1455, 735));
    round_ = new app::RoundTally(ctx_, this, services::Area::Geometry);
    connect(start_, &QPushButton::clicked, this, &ShapesScreen::start);
    connect(back_, &QPushButton::clicked, this, [this] { ctx_.navigator().returnToMain(); });
    ui::markBack(back_);
    surface_->setAccessibleName(QStringLiteral("图形"));

    // Load step.
    start_->setEnabled(true);
    answers_->setAllEnabled(false);
    savedBackground_ = surface_->backColor();
    drawAxes(canvas_);
}

void ShapesScreen::start() {
    answers_->setAllEnabled(true);
    start_->setEnabled(false);
    // A session runs from "开始" until the screen is put away.
    round_->begin(QString());
    cjf();
}

void ShapesScreen::cjf() {
    answers_->clearCaptions();
    ctx_.random.randomize();
    item_ = drawShapeItem(ctx_.random);
    surface_->setBackColor(savedBackground_);
    drawItem(canvas_, item_);
    question_ = placeShapeNames(ctx_.random, ctx_.globals, item_);
    for (int k = 1; k <= 4; ++k)
        answers_->setCaption(k, question_.captions[k - 1]);
}

void ShapesScreen::answer(int k) {
    const QString name = question_.captions[static_cast<std::size_t>(question_.rightSlot - 1)];
    if (k == question_.rightSlot) {
        round_->right(screens::kShapes, name);
        ctx_.jieguo().play(core::jieguo::kRight);
        cjf();
    } else {
        round_->wrong(screens::kShapes, name, answers_->caption(k));
        ctx_.jieguo().play(core::jieguo::kWrong);
    }
}

} // namespace geometry
