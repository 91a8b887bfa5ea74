#include "geometry/ShapeRules.h"

#include "geometry/ShapeCatalogue.h"

#include <array>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <vector>

namespace geometry {

namespace {

struct Pt {
    double x, y;
};

constexpr int kLineWidth = 3;
constexpr int kDotWidth = 10;

Pt polar(double radius, double degrees) {
    return {radius * std::cos(degrees * kDegree), radius * std::sin(degrees * kDegree)};
}

void line(Canvas &c, Pt a, Pt b, Rgb colour = kRed) {
    c.setDrawWidth(kLineWidth);
    c.line(a.x, a.y, b.x, b.y, colour);
}

void dot(Canvas &c, Pt p, Rgb colour = kBlack) {
    c.setDrawWidth(kDotWidth);
    c.pset(p.x, p.y, colour);
}

void dots(Canvas &c, std::initializer_list<Pt> points) {
    for (Pt p : points)
        dot(c, p);
}

// A closed outline through the points, then a dot on every vertex.
void polygon(Canvas &c, const std::vector<Pt> &points) {
    for (std::size_t i = 0; i < points.size(); ++i)
        line(c, points[i], points[(i + 1) % points.size()]);
    for (Pt p : points)
        dot(c, p);
}

// Half an ellipse around (0, cy), point by point in steps of 0.2 across: the upper half from
// left to right, the lower half back from right to left. Where rounding carries x a hair past
// the end, the square root has no value and that point is left out.
void ellipseHalf(Canvas &c, double cy, double a, double b, bool upper, Rgb colour) {
    c.setDrawWidth(kLineWidth);
    auto plot = [&](double x) {
        const double s = 1 - x * x / (a * a);
        if (s < 0) return;
        const double dy = b * std::sqrt(s);
        c.pset(x, upper ? cy + dy : cy - dy, colour);
    };
    if (upper)
        for (double x = -a; x <= a; x += 0.2)
            plot(x);
    else
        for (double x = a; x >= -a; x -= 0.2)
            plot(x);
}

// The curves: DrawAxes, then one red point per 0.0314 across the area. Values without a
// number (a pole) are left out; points off the area are not seen.
void curve(Canvas &c, const std::function<double(double)> &f) {
    drawAxes(c);
    c.setDrawWidth(kLineWidth);
    for (double x = -100; x <= 100; x += 3.14 / 100) {
        const double y = f(x);
        if (std::isfinite(y)) c.pset(x, y, kRed);
    }
}

// 正方体 and 长方体: a front square of side 120 and a back square shifted by (d, d). The three
// edges at the hidden back corner are drawn first, in yellow, so the visible edges cross them.
void solidBox(Canvas &c, double d) {
    const Pt front[4] = {{60, 60}, {-60, 60}, {-60, -60}, {60, -60}};
    Pt back[4];
    for (int i = 0; i < 4; ++i)
        back[i] = {front[i].x + d, front[i].y + d};
    const int hidden = 2; // the back corner behind the front's bottom-left one
    for (int i = 0; i < 4; ++i) {
        if (i == hidden || (i + 1) % 4 == hidden) line(c, back[i], back[(i + 1) % 4], kYellow);
    }
    line(c, front[hidden], back[hidden], kYellow);
    for (int i = 0; i < 4; ++i) {
        line(c, front[i], front[(i + 1) % 4]);
        if (i != hidden && (i + 1) % 4 != hidden) line(c, back[i], back[(i + 1) % 4]);
        if (i != hidden) line(c, front[i], back[i]);
    }
    for (int i = 0; i < 4; ++i) {
        dot(c, front[i]);
        dot(c, back[i], i == hidden ? kBlue : kBlack);
    }
}

} // namespace

void drawAxes(Canvas &c) {
    c.setScale(-100, 100, 100, -100);
    c.setDrawWidth(1);
    for (int x = -100; x <= 100; x += 10)
        c.line(x, 100, x, -100, kYellow);
    for (int y = -100; y <= 100; y += 10)
        c.line(-100, y, 100, y, kYellow);

    c.setDrawWidth(2);
    c.line(-100, 0, 100, 0, kBlue);
    c.line(95, 2, 100, 0, kBlue);
    c.line(100, 0, 95, -2, kBlue);
    c.setForeColor(kRed);
    c.print(93, 6, QStringLiteral("X"));
    c.line(0, 100, 0, -100, kBlue);
    c.line(2, 95, 0, 100, kBlue);
    c.line(0, 100, -2, 95, kBlue);
    c.print(2, 95, QStringLiteral("Y"));
    c.print(0.3, 0.9, QStringLiteral("0"));
}

namespace {

struct Figure {
    Shape shape;
    void (*draw)(Canvas &c);
};

// Each figure by its rule, in catalogue order.
constexpr std::array<Figure, ShapeCatalogue::place(ShapeCatalogue::kFirstColour) - 1> kFigures = {{
    {Shape::Axes, [](Canvas &c) { drawAxes(c); }},
    {Shape::Line,
     [](Canvas &c) {
         line(c, {-100, 0}, {100, 0});
     }},
    {Shape::Segment,
     [](Canvas &c) {
         line(c, {-50, 0}, {50, 0});
         dots(c, {{-50, 0}, {50, 0}});
     }},
    {Shape::AcuteAngle,
     [](Canvas &c) {
         line(c, {-40, -40}, {50, 50});
         line(c, {-40, -40}, {50, -40});
         dots(c, {{-40, -40}, {50, 50}, {50, -40}});
     }},
    {Shape::RightAngle,
     [](Canvas &c) {
         line(c, {-50, -50}, {-50, 50});
         line(c, {-50, -50}, {50, -50});
         dots(c, {{-50, -50}, {-50, 50}, {50, -50}});
     }},
    {Shape::ObtuseAngle,
     [](Canvas &c) {
         line(c, {-20, -30}, {-80, 30});
         line(c, {-20, -30}, {70, -30});
         dots(c, {{-20, -30}, {-80, 30}, {70, -30}});
     }},
    {Shape::AcuteTriangle,
     [](Canvas &c) {
         polygon(c, {{-80, -70}, {70, -70}, {10, 70}});
     }},
    {Shape::ObtuseTriangle,
     [](Canvas &c) {
         polygon(c, {{30, -40}, {80, 60}, {-70, -40}});
     }},
    {Shape::IsoscelesTriangle,
     [](Canvas &c) {
         polygon(c, {{0, 60}, {40, -50}, {-40, -50}});
     }},
    {Shape::RightTriangle,
     [](Canvas &c) {
         polygon(c, {{-30, 80}, {-30, -50}, {50, -50}});
     }},
    {Shape::IsoscelesRightTriangle,
     [](Canvas &c) {
         polygon(c, {{-50, 50}, {-50, -50}, {50, -50}});
     }},
    {Shape::EquilateralTriangle,
     [](Canvas &c) {
         polygon(c, {{0, 70}, {60.62, -35}, {-60.62, -35}});
     }},
    {Shape::Rectangle,
     [](Canvas &c) {
         polygon(c, {{70, 40}, {-70, 40}, {-70, -40}, {70, -40}});
     }},
    {Shape::Square,
     [](Canvas &c) {
         polygon(c, {{60, 60}, {-60, 60}, {-60, -60}, {60, -60}});
     }},
    {Shape::Rhombus,
     [](Canvas &c) {
         polygon(c, {{0, 75}, {30, 0}, {0, -75}, {-30, 0}});
     }},
    {Shape::IsoscelesTrapezoid,
     [](Canvas &c) {
         polygon(c, {{20, 50}, {80, -60}, {-80, -60}, {-20, 50}});
     }},
    {Shape::RightTrapezoid,
     [](Canvas &c) {
         polygon(c, {{20, 50}, {80, -60}, {-20, -60}, {-20, 50}});
     }},
    {Shape::Circle,
     [](Canvas &c) {
         c.setDrawWidth(kLineWidth);
         c.circle(0, 0, 70);
         dot(c, {0, 0});
     }},
    {Shape::Ellipse,
     [](Canvas &c) {
         ellipseHalf(c, 0, 70, 45, true, kRed);
         ellipseHalf(c, 0, 70, 45, false, kRed);
     }},
    {Shape::Star,
     [](Canvas &c) {
         const Pt p0{0, 80}, p1 = polar(80, 18), p2{-p1.x, p1.y}, p3 = polar(80, -54), p4{-p3.x, p3.y};
         line(c, p0, p3);
         line(c, p0, p4);
         line(c, p1, p2);
         line(c, p1, p4);
         line(c, p2, p3);
         dots(c, {p0, p1, p2, p3, p4});
     }},
    {Shape::Hexagon,
     [](Canvas &c) {
         std::vector<Pt> v;
         for (int deg : {60, 0, -60, -120, -180, -240})
             v.push_back(polar(80, deg));
         for (std::size_t i = 0; i < v.size(); ++i)
             line(c, v[i], v[(i + 1) % v.size()]);
         for (std::size_t i = 0; i < 3; ++i)
             line(c, v[i], v[i + 3]);
         for (Pt p : v)
             dot(c, p);
     }},
    {Shape::Cube, [](Canvas &c) { solidBox(c, 30); }},
    {Shape::Cylinder,
     [](Canvas &c) {
         ellipseHalf(c, 60, 60, 15, true, kRed);
         ellipseHalf(c, 60, 60, 15, false, kRed);
         ellipseHalf(c, -60, 60, 15, true, kYellow);
         ellipseHalf(c, -60, 60, 15, false, kRed);
         line(c, {60, 60}, {60, -60});
         line(c, {-60, 60}, {-60, -60});
     }},
    {Shape::Cuboid, [](Canvas &c) { solidBox(c, 10); }},
    {Shape::Cone,
     [](Canvas &c) {
         ellipseHalf(c, -60, 60, 15, true, kYellow);
         ellipseHalf(c, -60, 60, 15, false, kRed);
         line(c, {0, 60}, {60, -60});
         line(c, {0, 60}, {-60, -60});
     }},
    {Shape::TriangularPyramid,
     [](Canvas &c) {
         const Pt apex{0, 80}, right = polar(80, -30), left{-right.x, right.y}, hidden{0, 0};
         line(c, hidden, apex, kYellow);
         line(c, hidden, right, kYellow);
         line(c, hidden, left, kYellow);
         line(c, apex, right);
         line(c, apex, left);
         line(c, right, left);
         dots(c, {apex, right, left});
         dot(c, hidden, kBlue);
     }},
    {Shape::ParallelLines,
     [](Canvas &c) {
         line(c, {-100, 30}, {100, 30});
         line(c, {-100, -30}, {100, -30});
     }},
    {Shape::IntersectingLines,
     [](Canvas &c) {
         line(c, {-100, 30}, {100, -30});
         line(c, {100, 30}, {-100, -30});
     }},
    {Shape::CircleAndTangent,
     [](Canvas &c) {
         c.setDrawWidth(kLineWidth);
         c.circle(0, 0, 50);
         const double t = 2 * 50 * std::cos(45 * kDegree) - 100;
         line(c, {100, t}, {t, 100});
         dots(c, {polar(50, 45), {0, 0}});
     }},
    {Shape::SineCurve,
     [](Canvas &c) { curve(c, [](double x) { return 50 * std::sin(x * 4 * 3.14 / 180); }); }},
    {Shape::CosineCurve,
     [](Canvas &c) { curve(c, [](double x) { return 50 * std::cos(x * 4 * 3.14 / 180); }); }},
    {Shape::TangentCurve,
     [](Canvas &c) { curve(c, [](double x) { return 20 * std::tan(x * 3 * 3.14 / 180); }); }},
    {Shape::CotangentCurve,
     [](Canvas &c) { curve(c, [](double x) { return 20 / std::tan(x * 3 * 3.14 / 180); }); }},
    {Shape::Parabola, [](Canvas &c) { curve(c, [](double x) { return 0.05 * x * x - 50; }); }},
}};

// Looked up by place: the table must run in catalogue order.
constexpr bool inOrder() {
    for (std::size_t i = 0; i < kFigures.size(); ++i)
        if (ShapeCatalogue::place(kFigures[i].shape) != int(i) + 1) return false;
    return true;
}
static_assert(inOrder());

} // namespace

void drawItem(Canvas &c, Shape item) {
    if (ShapeCatalogue::isColour(item)) {
        c.setBackColor(ShapeCatalogue::colour(item));
        return;
    }
    // Circles take the fore colour, which the figures want red.
    c.setForeColor(kRed);
    const Figure &figure = kFigures[static_cast<std::size_t>(ShapeCatalogue::place(item) - 1)];
    figure.draw(c);
}

} // namespace geometry
