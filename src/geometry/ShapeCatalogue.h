#pragma once

#include "geometry/Canvas.h"

#include <QString>

namespace geometry {

// The items of the geometry quiz, in catalogue order. The number is the item's place, 1..50,
// which the question draws: the figures drawn by ShapeRules, then the colours that fill the
// drawing area with one entry of the 16-colour palette.
enum class Shape {
    Axes = 1,
    Line,
    Segment,
    AcuteAngle,
    RightAngle,
    ObtuseAngle,
    AcuteTriangle,
    ObtuseTriangle,
    IsoscelesTriangle,
    RightTriangle,
    IsoscelesRightTriangle,
    EquilateralTriangle,
    Rectangle,
    Square,
    Rhombus,
    IsoscelesTrapezoid,
    RightTrapezoid,
    Circle,
    Ellipse,
    Star,
    Hexagon,
    Cube,
    Cylinder,
    Cuboid,
    Cone,
    TriangularPyramid,
    ParallelLines,
    IntersectingLines,
    CircleAndTangent,
    SineCurve,
    CosineCurve,
    TangentCurve,
    CotangentCurve,
    Parabola,
    Black, // the first colour
    Blue,
    Green,
    Cyan,
    Magenta,
    Purple,
    Brown,
    White,
    Grey,
    LightBlue,
    LightGreen,
    LightCyan,
    Red,
    Pink,
    Yellow,
    BrightWhite, // the last item
};

class ShapeCatalogue {
  public:
    static constexpr int kCount = static_cast<int>(Shape::BrightWhite);
    static constexpr Shape kFirstColour = Shape::Black;
    // Wrong answers are always drawn from the first items only (坐标轴 to 钝角).
    static constexpr int kWrongPool = static_cast<int>(Shape::ObtuseAngle);

    static constexpr bool isItem(int item) { return item >= 1 && item <= kCount; }
    static constexpr bool isColour(Shape s) { return s >= kFirstColour; }
    // The item at a place 1..50; call only with isItem(place).
    static constexpr Shape at(int place) { return static_cast<Shape>(place); }
    static constexpr int place(Shape s) { return static_cast<int>(s); }
    // The name on the answer buttons.
    static QString name(Shape s);
    // The name of the item at a place; empty for a number outside 1..50.
    static QString name(int place) { return isItem(place) ? name(at(place)) : QString(); }
    // The fill of a colour item: its palette entry, in catalogue order from 黑色.
    static Rgb colour(Shape s);
    // Palette entries 0..15.
    static Rgb palette(int index);
};

} // namespace geometry
