#pragma once

#include "geometry/Canvas.h"

#include <QString>

namespace geometry {

// The figures and colours of the geometry quiz: items 1..34 are figures drawn by ShapeRules,
// items 35..50 fill the drawing area with one colour of the 16-colour palette.
class ShapeCatalogue {
  public:
    static constexpr int kCount = 50;
    static constexpr int kFirstColour = 35;
    // Wrong answers are always drawn from the first items only (坐标轴 to 钝角).
    static constexpr int kWrongPool = 6;

    static bool isItem(int item) { return item >= 1 && item <= kCount; }
    static bool isColour(int item) { return item >= kFirstColour && item <= kCount; }
    // The name on the answer buttons; empty for a number outside 1..50.
    static QString name(int item);
    // The fill of a colour item: palette entry item - 35.
    static Rgb colour(int item);
    // Palette entries 0..15.
    static Rgb palette(int index);
};

} // namespace geometry
