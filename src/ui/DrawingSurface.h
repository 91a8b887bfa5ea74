#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <cmath>
#include <vector>

namespace ui {

// A picture box used as a drawing area. Everything is drawn in user coordinates (setScale)
// into an image that the widget paints, so a drawing survives repaints and tests can read
// its pixels. Line widths are in pixels; drawing is not antialiased, so every pixel has
// exactly the colour it was drawn in. In a scaled window the image has the screen's pixels
// (pixelRatio() of them to a widget pixel), and widths grow with it.
class DrawingSurface : public QWidget {
    Q_OBJECT
  public:
    DrawingSurface(const QString &name, QWidget *parent, const QRect &geometry, const QColor &background);

    // The x of the left and right edges and the y of the top and bottom edges; y may grow
    // upwards (top > bottom). The edges map onto the centres of the outermost pixels, so a
    // line drawn along an edge is on show.
    void setScale(double left, double top, double right, double bottom);
    double scaleLeft() const { return left_; }
    double scaleTop() const { return top_; }
    double scaleRight() const { return right_; }
    double scaleBottom() const { return bottom_; }

    // Where a user point lands in the image; pixel i covers [i, i + 1).
    QPointF toDevice(double x, double y) const;
    // The pixel a user point falls in (it may lie outside the image).
    QPoint pixelOf(double x, double y) const;
    // The colour drawn at a user point; invalid outside the area.
    QColor colorAt(double x, double y) const;

    // Fills the whole area with the back colour.
    void clear();
    // A new background colour. As with a picture box, this repaints the whole area in it.
    void setBackColor(const QColor &c);
    QColor backColor() const { return back_; }

    // Width in pixels of lines, circles and points (at least 1).
    void setDrawWidth(int px);
    int drawWidth() const { return width_; }

    // Colour of text, and of circles drawn without a colour of their own.
    void setForeColor(const QColor &c) { fore_ = c; }
    QColor foreColor() const { return fore_; }

    void line(double x1, double y1, double x2, double y2, const QColor &c);
    // A point: a filled disc whose diameter is the draw width in pixels. Points outside the
    // area, or with a coordinate that is not a finite number, are not drawn.
    void pset(double x, double y, const QColor &c);
    // A circle outline; the radius is measured in horizontal units.
    void circle(double x, double y, double radius);
    void circle(double x, double y, double radius, const QColor &c);
    // Text in the fore colour and the widget's font, its top-left corner at the point.
    void print(double x, double y, const QString &text);

    const QImage &image() const { return image_; }
    double pixelRatio() const { return dpr_; }

  protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

  private:
    struct Span {
        int dy, x0, x1; // row offset and the columns it covers, from the anchor pixel
    };
    const std::vector<Span> &disc(int width);
    void changed();
    QSize pixelSize() const { return (QSizeF(size()) * dpr_).toSize(); }
    int deviceWidth() const { return std::max(1, static_cast<int>(std::lround(width_ * dpr_))); }

    QImage image_;
    QColor back_;
    QColor fore_{Qt::black};
    int width_ = 1;
    double left_ = 0, top_ = 0, right_ = 1, bottom_ = 1;
    double sx_ = 1, sy_ = 1; // pixels per user unit
    std::vector<std::vector<Span>> discs_;
    bool updateQueued_ = false;
    double dpr_ = 1;
};

} // namespace ui
