#pragma once

#include "hanzi/StrokeGeometry.h"
#include "services/StrokeData.h"

#include <QPainterPath>
#include <QPixmap>
#include <QWidget>
#include <optional>

namespace hanzi {

// A character in a 田字格: the red-dashed four-square grid of every exercise book. It shows the
// strokes written so far, one stroke growing along its centre line within its outline, and, for
// tracing, the whole character in light grey beneath and the line the child draws with a mouse,
// a finger or a pen. Stroke coordinates are the stroke file's box, which the grid fills.
class StrokeCanvas : public QWidget {
    Q_OBJECT
  public:
    StrokeCanvas(const QString &name, QWidget *parent);

    void setCharacter(const std::optional<services::StrokeCharacter> &character);
    const std::optional<services::StrokeCharacter> &character() const { return character_; }
    int strokeCount() const { return character_ ? int(character_->strokes.size()) : 0; }

    // The first `count` strokes in full colour (the radical's in its own colour).
    void setWritten(int count);
    int written() const { return written_; }
    // The whole character in light grey under the strokes: the shape to trace.
    void setShadow(bool on);
    // One stroke partly written (fraction 0..1), or none (-1); a hint is drawn in the hint colour.
    void setGrowing(int stroke, double fraction, bool hint = false);
    // Whether a drawn line is taken; a line is handed over when the pointer is lifted.
    void setTracing(bool on);
    bool tracing() const { return tracing_; }
    // The last line drawn, fading out at this opacity (0 removes it).
    void setFading(double opacity);

    // Where a point of the widget lies in the stroke box, and back.
    QPointF toBox(QPointF widgetPoint) const;
    QPointF toWidget(QPointF boxPoint) const;

    // The pointer as the widget receives it, whatever device drives it: down, moves, up. Tests and
    // the event handlers come through here.
    void pointerDown(QPointF widgetPoint);
    void pointerMove(QPointF widgetPoint);
    void pointerUp(QPointF widgetPoint);

    // Paints the whole canvas; the screen's paint event calls it, and the benchmark times it.
    void paint(QPainter &painter);

  signals:
    // A line the child drew, in the stroke box's units, in the order drawn.
    void lineDrawn(const hanzi::Polyline &line);

  protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void tabletEvent(QTabletEvent *e) override;
    bool event(QEvent *e) override;

  private:
    QTransform boxToWidget() const;
    const QPixmap &still(); // the grid and the strokes that do not move, drawn once per change
    void drawGrid(QPainter &p) const;
    void invalidate();

    std::optional<services::StrokeCharacter> character_;
    std::vector<QPainterPath> outlines_;
    int written_ = 0;
    bool shadow_ = false;
    int growing_ = -1;
    double fraction_ = 0;
    bool hint_ = false;
    bool tracing_ = false;
    bool drawing_ = false;
    Polyline line_;     // the line being drawn, in box units
    Polyline fadingLine_;
    double fadingOpacity_ = 0;
    QPixmap still_;
    bool stillValid_ = false;
};

} // namespace hanzi
