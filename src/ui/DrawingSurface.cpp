#include "ui/DrawingSurface.h"

#include "ui/Fonts.h"

#include <QPainter>
#include <QResizeEvent>
#include <cmath>

namespace ui {

namespace {

// Device coordinates this far out are off the area whatever its size; culling them first
// also keeps the conversion to whole pixels well defined.
constexpr double kFarAway = 1e6;

bool usable(double v) {
    return std::isfinite(v) && std::fabs(v) < kFarAway;
}

} // namespace

DrawingSurface::DrawingSurface(const QString &name, QWidget *parent, const QRect &geometry,
                               const QColor &background)
    : QWidget(parent), back_(background) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(simSun(9, true));
    setGeometry(geometry);
    // Drawn at the screen's resolution, so a scaled window shows sharp lines, not enlarged pixels.
    dpr_ = std::max(1.0, devicePixelRatioF());
    if (image_.size() != pixelSize()) { // no resize event before the widget is shown
        image_ = QImage(pixelSize(), QImage::Format_RGB32);
        image_.fill(back_);
    }
    // Until a scale is set, one unit is one pixel.
    setScale(0, 0, width() - 1, height() - 1);
}

void DrawingSurface::setScale(double left, double top, double right, double bottom) {
    // A scale without extent cannot map points; keep the one in force.
    if (!std::isfinite(left) || !std::isfinite(top) || !std::isfinite(right) || !std::isfinite(bottom) ||
        left == right || top == bottom)
        return;
    left_ = left;
    top_ = top;
    right_ = right;
    bottom_ = bottom;
    sx_ = (std::max(1, image_.width()) - 1) / (right - left);
    sy_ = (std::max(1, image_.height()) - 1) / (bottom - top);
}

QPointF DrawingSurface::toDevice(double x, double y) const {
    return QPointF((x - left_) * sx_ + 0.5, (y - top_) * sy_ + 0.5);
}

QPoint DrawingSurface::pixelOf(double x, double y) const {
    const QPointF d = toDevice(x, y);
    return QPoint(static_cast<int>(std::floor(d.x())), static_cast<int>(std::floor(d.y())));
}

QColor DrawingSurface::colorAt(double x, double y) const {
    const QPointF d = toDevice(x, y);
    if (!usable(d.x()) || !usable(d.y())) return QColor();
    const QPoint p = pixelOf(x, y);
    if (!image_.rect().contains(p)) return QColor();
    return QColor(image_.pixel(p));
}

void DrawingSurface::clear() {
    image_.fill(back_);
    changed();
}

void DrawingSurface::setBackColor(const QColor &c) {
    back_ = c;
    clear();
}

void DrawingSurface::setDrawWidth(int px) {
    width_ = std::max(1, px);
}

void DrawingSurface::line(double x1, double y1, double x2, double y2, const QColor &c) {
    const QPointF a = toDevice(x1, y1), b = toDevice(x2, y2);
    if (!usable(a.x()) || !usable(a.y()) || !usable(b.x()) || !usable(b.y())) return;
    QPainter p(&image_);
    p.setPen(QPen(c, deviceWidth(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(a, b);
    changed();
}

const std::vector<DrawingSurface::Span> &DrawingSurface::disc(int width) {
    if (static_cast<int>(discs_.size()) <= width) discs_.resize(width + 1);
    std::vector<Span> &spans = discs_[width];
    if (!spans.empty()) return spans;
    // An odd width centres the disc on the anchor pixel, an even one on the anchor's
    // top-left corner; a pixel belongs to the disc when its centre lies within it.
    const double shift = width % 2 ? 0.0 : 0.5;
    const double r2 = width * width / 4.0;
    const int reach = width / 2 + 1;
    for (int dy = -reach; dy <= reach; ++dy) {
        int x0 = reach + 1, x1 = -reach - 1;
        for (int dx = -reach; dx <= reach; ++dx) {
            const double ox = dx + shift, oy = dy + shift;
            if (ox * ox + oy * oy <= r2 + 1e-9) {
                x0 = std::min(x0, dx);
                x1 = std::max(x1, dx);
            }
        }
        if (x0 <= x1) spans.push_back({dy, x0, x1});
    }
    return spans;
}

void DrawingSurface::pset(double x, double y, const QColor &c) {
    const QPointF d = toDevice(x, y);
    if (!usable(d.x()) || !usable(d.y())) return;
    const int w = image_.width(), h = image_.height();
    // A disc wider than twice the area covers all of it from anywhere on it.
    const int width = std::min(deviceWidth(), 2 * std::max(w, h) + 2);
    const int half = width / 2 + 1;
    if (d.x() < -half || d.y() < -half || d.x() > w + half || d.y() > h + half) return;
    // The anchor pixel: the one holding the centre (odd widths) or the one right of and
    // below the nearest pixel corner (even widths).
    const bool odd = width % 2;
    const int ax = static_cast<int>(odd ? std::floor(d.x()) : std::floor(d.x() + 0.5));
    const int ay = static_cast<int>(odd ? std::floor(d.y()) : std::floor(d.y() + 0.5));
    const QRgb rgb = c.rgb();
    uchar *bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    for (const Span &s : disc(width)) {
        const int row = ay + s.dy;
        if (row < 0 || row >= h) continue;
        const int from = std::max(0, ax + s.x0), to = std::min(w - 1, ax + s.x1);
        auto *line = reinterpret_cast<QRgb *>(bits + row * stride);
        for (int col = from; col <= to; ++col)
            line[col] = rgb;
    }
    changed();
}

void DrawingSurface::circle(double x, double y, double radius) {
    circle(x, y, radius, fore_);
}

void DrawingSurface::circle(double x, double y, double radius, const QColor &c) {
    const QPointF centre = toDevice(x, y);
    const double r = std::fabs(radius * sx_);
    if (!usable(centre.x()) || !usable(centre.y()) || !usable(r)) return;
    QPainter p(&image_);
    p.setPen(QPen(c, deviceWidth(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, r, r);
    changed();
}

void DrawingSurface::print(double x, double y, const QString &text) {
    const QPointF at = toDevice(x, y);
    if (!usable(at.x()) || !usable(at.y())) return;
    QPainter p(&image_);
    p.scale(dpr_, dpr_); // the font's size is in the widget's units
    p.setPen(fore_);
    p.setFont(font());
    p.drawText(QRectF(at / dpr_, QSizeF(width() + 1, height() + 1)),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
    changed();
}

void DrawingSurface::changed() {
    // One repaint per batch: a curve is thousands of points.
    if (!updateQueued_) {
        updateQueued_ = true;
        update();
    }
}

void DrawingSurface::paintEvent(QPaintEvent *) {
    updateQueued_ = false;
    QPainter p(this);
    p.drawImage(rect(), image_);
}

void DrawingSurface::resizeEvent(QResizeEvent *e) {
    QWidget::resizeEvent(e);
    if (image_.size() == pixelSize()) return;
    image_ = QImage(pixelSize(), QImage::Format_RGB32);
    image_.fill(back_);
    setScale(left_, top_, right_, bottom_);
    changed();
}

} // namespace ui
