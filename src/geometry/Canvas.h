#pragma once

#include <QString>

namespace geometry {

struct Rgb {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};

// What the drawing rules need of a drawing area. Coordinates are user units of the scale in
// force; widths are pixels. A point whose coordinates are off the area is simply not seen.
class Canvas {
  public:
    virtual ~Canvas() = default;
    virtual void setScale(double left, double top, double right, double bottom) = 0;
    // Fills the whole area with the back colour.
    virtual void clear() = 0;
    // A new back colour; the whole area is filled with it.
    virtual void setBackColor(Rgb c) = 0;
    virtual void setDrawWidth(int px) = 0;
    // Colour of text and of circles, which have no colour of their own.
    virtual void setForeColor(Rgb c) = 0;
    virtual void line(double x1, double y1, double x2, double y2, Rgb c) = 0;
    // A filled disc of the draw width's diameter.
    virtual void pset(double x, double y, Rgb c) = 0;
    virtual void circle(double x, double y, double radius) = 0;
    // Text with its top-left corner at the point.
    virtual void print(double x, double y, const QString &text) = 0;
};

} // namespace geometry
