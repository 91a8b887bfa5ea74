#include "ui/BarChart.h"

#include "ui/Fonts.h"

#include <QPainter>
#include <algorithm>

namespace ui {

double BarChart::Bar::total() const {
    double t = 0;
    for (const Segment &s : segments)
        t += s.value;
    return t;
}

BarChart::BarChart(const QString &name, const QString &title, Qt::Orientation orientation, QWidget *parent)
    : QWidget(parent), title_(title), orientation_(orientation) {
    setObjectName(name);
    setAccessibleName(title);
}

void BarChart::setBars(const QList<Bar> &bars) {
    bars_ = bars;
    QStringList said;
    for (const Bar &b : bars_)
        said << b.caption + QLatin1Char(' ') + (b.label.isEmpty() ? QStringLiteral("0") : b.label);
    setAccessibleDescription(said.join(QStringLiteral("，")));
    update();
}

void BarChart::setMaximum(double maximum) {
    maximum_ = maximum;
    update();
}

void BarChart::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(0xff, 0xff, 0xff, 0xe0));
    p.setPen(QColor(0x90, 0xca, 0xf9));
    p.drawRect(rect().adjusted(0, 0, -1, -1));

    const QFont titleFont = simSun(10.5, true);
    const QFont textFont = simSun(9);
    const QColor ink(0x1a, 0x23, 0x7e);
    p.setFont(titleFont);
    p.setPen(ink);
    const int titleHeight = QFontMetrics(titleFont).height() + 6;
    p.drawText(QRect(8, 3, width() - 16, titleHeight), Qt::AlignLeft | Qt::AlignVCenter, title_);
    if (bars_.isEmpty()) return;

    double top = maximum_;
    for (const Bar &b : bars_)
        top = maximum_ > 0 ? top : std::max(top, b.total());
    if (top <= 0) top = 1;

    p.setFont(textFont);
    const QFontMetrics fm(textFont);
    const QRect area = rect().adjusted(8, titleHeight + 4, -8, -6);
    const int n = int(bars_.size());

    if (orientation_ == Qt::Vertical) {
        // Upright bars: captions under the bars, labels above them.
        const int captionHeight = fm.height() + 2;
        const int labelHeight = fm.height() + 2;
        const int slot = area.width() / n;
        const int barWidth = std::max(6, slot * 3 / 5);
        const int base = area.bottom() - captionHeight;
        const int room = base - (area.top() + labelHeight);
        for (int i = 0; i < n; ++i) {
            const Bar &b = bars_[i];
            const int x = area.left() + i * slot + (slot - barWidth) / 2;
            double y = base;
            for (const Segment &s : b.segments) {
                const double h = s.value / top * room;
                if (h <= 0) continue;
                p.fillRect(QRectF(x, y - h, barWidth, h), s.colour);
                y -= h;
            }
            p.setPen(ink);
            p.drawText(QRect(area.left() + i * slot, base + 2, slot, captionHeight),
                       Qt::AlignHCenter | Qt::AlignTop, b.caption);
            if (!b.label.isEmpty())
                p.drawText(QRect(area.left() + i * slot, int(y) - labelHeight, slot, labelHeight),
                           Qt::AlignHCenter | Qt::AlignBottom, b.label);
        }
        p.setPen(QColor(0x90, 0xa4, 0xae));
        p.drawLine(area.left(), base, area.right(), base);
        return;
    }

    // Lying bars: captions on the left, labels after the bars.
    int captionWidth = 0;
    for (const Bar &b : bars_)
        captionWidth = std::max(captionWidth, fm.horizontalAdvance(b.caption));
    captionWidth += 6;
    const int labelWidth = fm.horizontalAdvance(QStringLiteral("100%")) + 6;
    const int slot = area.height() / n;
    const int barHeight = std::max(4, slot * 3 / 5);
    const int left = area.left() + captionWidth;
    const int room = area.right() - labelWidth - left;
    for (int i = 0; i < n; ++i) {
        const Bar &b = bars_[i];
        const int y = area.top() + i * slot + (slot - barHeight) / 2;
        double x = left;
        for (const Segment &s : b.segments) {
            const double w = s.value / top * room;
            if (w <= 0) continue;
            p.fillRect(QRectF(x, y, w, barHeight), s.colour);
            x += w;
        }
        p.setPen(ink);
        p.drawText(QRect(area.left(), area.top() + i * slot, captionWidth - 6, slot),
                   Qt::AlignRight | Qt::AlignVCenter, b.caption);
        if (!b.label.isEmpty())
            p.drawText(QRect(int(x) + 4, area.top() + i * slot, labelWidth, slot),
                       Qt::AlignLeft | Qt::AlignVCenter, b.label);
    }
}

} // namespace ui
