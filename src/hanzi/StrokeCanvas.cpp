#include "hanzi/StrokeCanvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTabletEvent>
#include <QTouchEvent>

namespace hanzi {

namespace {

using services::kStrokeBox;

const QColor kPaper(255, 252, 240);
const QColor kGridRed(214, 48, 49);
const QColor kInk(34, 34, 34);
const QColor kRadical(224, 108, 0);
const QColor kShadow(218, 218, 218);
const QColor kHint(66, 140, 235);
const QColor kDrawnLine(21, 101, 192);

// The brush that writes a growing stroke is wider than any stroke of the file, so the part of the
// outline it has passed is filled whole; the outline clips it to the stroke's shape.
constexpr double kBrushWidth = 190;
// The line the child draws: as thick as a felt pen on this grid.
constexpr double kDrawnWidth = 34;

QPainterPath outlinePath(const services::Stroke &stroke) {
    using Kind = services::OutlineSegment::Kind;
    QPainterPath path;
    for (const services::OutlineSegment &s : stroke.outline) {
        switch (s.kind) {
        case Kind::Move: path.moveTo(s.points[0]); break;
        case Kind::Line: path.lineTo(s.points[0]); break;
        case Kind::Quad: path.quadTo(s.points[0], s.points[1]); break;
        case Kind::Cubic: path.cubicTo(s.points[0], s.points[1], s.points[2]); break;
        case Kind::Close: path.closeSubpath(); break;
        }
    }
    return path;
}

void drawLine(QPainter &p, const Polyline &line, const QColor &color, double width) {
    if (line.empty()) return;
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    if (line.size() == 1)
        p.drawPoint(line.front());
    else
        p.drawPolyline(line.data(), int(line.size()));
}

} // namespace

StrokeCanvas::StrokeCanvas(const QString &name, QWidget *parent) : QWidget(parent) {
    setObjectName(name);
    setAttribute(Qt::WA_AcceptTouchEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("田字格"));
}

void StrokeCanvas::setCharacter(const std::optional<services::StrokeCharacter> &character) {
    character_ = character;
    outlines_.clear();
    if (character_)
        for (const services::Stroke &s : character_->strokes)
            outlines_.push_back(outlinePath(s));
    written_ = 0;
    growing_ = -1;
    line_.clear();
    fadingLine_.clear();
    drawing_ = false;
    invalidate();
}

void StrokeCanvas::setWritten(int count) {
    count = std::clamp(count, 0, strokeCount());
    if (count == written_) return;
    written_ = count;
    invalidate();
}

void StrokeCanvas::setShadow(bool on) {
    if (on == shadow_) return;
    shadow_ = on;
    invalidate();
}

void StrokeCanvas::setGrowing(int stroke, double fraction, bool hint) {
    growing_ = stroke >= 0 && stroke < strokeCount() ? stroke : -1;
    fraction_ = std::clamp(fraction, 0.0, 1.0);
    hint_ = hint;
    update();
}

void StrokeCanvas::setTracing(bool on) {
    tracing_ = on;
    drawing_ = false;
    line_.clear();
    update();
}

void StrokeCanvas::setFading(double opacity) {
    fadingOpacity_ = std::clamp(opacity, 0.0, 1.0);
    if (fadingOpacity_ == 0) fadingLine_.clear();
    update();
}

QTransform StrokeCanvas::boxToWidget() const {
    const double side = std::min(width(), height());
    const double s = side / kStrokeBox;
    return QTransform(s, 0, 0, s, (width() - side) / 2, (height() - side) / 2);
}

QPointF StrokeCanvas::toBox(QPointF widgetPoint) const {
    return boxToWidget().inverted().map(widgetPoint);
}

QPointF StrokeCanvas::toWidget(QPointF boxPoint) const {
    return boxToWidget().map(boxPoint);
}

void StrokeCanvas::pointerDown(QPointF widgetPoint) {
    if (!tracing_) return;
    drawing_ = true;
    line_ = {toBox(widgetPoint)};
    fadingLine_.clear();
    update();
}

void StrokeCanvas::pointerMove(QPointF widgetPoint) {
    if (!drawing_) return;
    const QPointF p = toBox(widgetPoint);
    if (p == line_.back()) return;
    line_.push_back(p);
    update();
}

void StrokeCanvas::pointerUp(QPointF widgetPoint) {
    if (!drawing_) return;
    pointerMove(widgetPoint);
    drawing_ = false;
    const Polyline line = std::move(line_);
    line_.clear();
    // Kept on show until the screen says whether it was right: it fades or is filled in.
    fadingLine_ = line;
    fadingOpacity_ = 1;
    update();
    emit lineDrawn(line);
}

void StrokeCanvas::mousePressEvent(QMouseEvent *e) {
    if (e->button() == Qt::LeftButton) pointerDown(e->position());
}

void StrokeCanvas::mouseMoveEvent(QMouseEvent *e) {
    pointerMove(e->position());
}

void StrokeCanvas::mouseReleaseEvent(QMouseEvent *e) {
    if (e->button() == Qt::LeftButton) pointerUp(e->position());
}

// A pen: taken here, so Qt makes no mouse events of it as well.
void StrokeCanvas::tabletEvent(QTabletEvent *e) {
    switch (e->type()) {
    case QEvent::TabletPress: pointerDown(e->position()); break;
    case QEvent::TabletMove: pointerMove(e->position()); break;
    case QEvent::TabletRelease: pointerUp(e->position()); break;
    default: return;
    }
    e->accept();
}

// A finger: the first finger that touches writes; taking the touch keeps Qt from making mouse
// events of it as well.
bool StrokeCanvas::event(QEvent *e) {
    switch (e->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd: {
        auto *t = static_cast<QTouchEvent *>(e);
        if (t->points().isEmpty()) return true;
        const QPointF at = t->points().first().position();
        if (e->type() == QEvent::TouchBegin)
            pointerDown(at);
        else if (e->type() == QEvent::TouchUpdate)
            pointerMove(at);
        else
            pointerUp(at);
        e->accept();
        return true;
    }
    case QEvent::TouchCancel:
        drawing_ = false;
        line_.clear();
        update();
        return true;
    default: return QWidget::event(e);
    }
}

void StrokeCanvas::invalidate() {
    stillValid_ = false;
    update();
}

void StrokeCanvas::resizeEvent(QResizeEvent *) {
    invalidate();
}

void StrokeCanvas::drawGrid(QPainter &p) const {
    const double side = std::min(width(), height());
    const QRectF grid((width() - side) / 2 + 1, (height() - side) / 2 + 1, side - 2, side - 2);
    p.setPen(QPen(kGridRed, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(grid);
    // The two middle lines dashed, as the books print them.
    QPen dashed(kGridRed, 1, Qt::CustomDashLine);
    dashed.setDashPattern({6, 4});
    p.setPen(dashed);
    p.drawLine(QPointF(grid.center().x(), grid.top()), QPointF(grid.center().x(), grid.bottom()));
    p.drawLine(QPointF(grid.left(), grid.center().y()), QPointF(grid.right(), grid.center().y()));
}

const QPixmap &StrokeCanvas::still() {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (stillValid_ && still_.size() == pixels) return still_;
    still_ = QPixmap(pixels);
    still_.setDevicePixelRatio(ratio);
    still_.fill(kPaper);
    QPainter p(&still_);
    p.setRenderHint(QPainter::Antialiasing);
    drawGrid(p);
    p.setTransform(boxToWidget());
    p.setPen(Qt::NoPen);
    for (int i = 0; i < int(outlines_.size()); ++i) {
        if (i < written_)
            p.setBrush(character_->isRadicalStroke(i) ? kRadical : kInk);
        else if (shadow_)
            p.setBrush(kShadow);
        else
            continue;
        p.drawPath(outlines_[i]);
    }
    stillValid_ = true;
    return still_;
}

void StrokeCanvas::paint(QPainter &p) {
    p.drawPixmap(0, 0, still());
    p.setRenderHint(QPainter::Antialiasing);
    p.setTransform(boxToWidget());
    if (growing_ >= 0) {
        const QColor color = hint_ ? kHint : character_->isRadicalStroke(growing_) ? kRadical : kInk;
        if (fraction_ >= 1) {
            p.setPen(Qt::NoPen);
            p.setBrush(color);
            p.drawPath(outlines_[growing_]);
        } else if (fraction_ > 0) {
            p.save();
            p.setClipPath(outlines_[growing_]);
            drawLine(p, partialPolyline(character_->strokes[growing_].median, fraction_), color, kBrushWidth);
            p.restore();
        }
    }
    if (!fadingLine_.empty() && fadingOpacity_ > 0) {
        p.setOpacity(fadingOpacity_);
        drawLine(p, fadingLine_, kDrawnLine, kDrawnWidth);
        p.setOpacity(1);
    }
    drawLine(p, line_, kDrawnLine, kDrawnWidth);
}

void StrokeCanvas::paintEvent(QPaintEvent *) {
    QPainter p(this);
    paint(p);
}

} // namespace hanzi
