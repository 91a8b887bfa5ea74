#include "geometry/ShapeCatalogue.h"

#include <array>

namespace geometry {

namespace {

struct Named {
    Shape shape;
    const char *name;
};

constexpr std::array<Named, ShapeCatalogue::kCount> kNames = {{
    {Shape::Axes, "坐标轴"},
    {Shape::Line, "直线"},
    {Shape::Segment, "线段"},
    {Shape::AcuteAngle, "锐角"},
    {Shape::RightAngle, "直角"},
    {Shape::ObtuseAngle, "钝角"},
    {Shape::AcuteTriangle, "锐角三角形"},
    {Shape::ObtuseTriangle, "钝角三角形"},
    {Shape::IsoscelesTriangle, "等腰三角形"},
    {Shape::RightTriangle, "直角三角形"},
    {Shape::IsoscelesRightTriangle, "等腰直角三角形"},
    {Shape::EquilateralTriangle, "等边三角形"},
    {Shape::Rectangle, "长方形"},
    {Shape::Square, "正方形"},
    {Shape::Rhombus, "菱形"},
    {Shape::IsoscelesTrapezoid, "等腰梯形"},
    {Shape::RightTrapezoid, "直角梯形"},
    {Shape::Circle, "圆"},
    {Shape::Ellipse, "椭圆"},
    {Shape::Star, "五角星"},
    {Shape::Hexagon, "正六边形"},
    {Shape::Cube, "正方体"},
    {Shape::Cylinder, "圆柱体"},
    {Shape::Cuboid, "长方体"},
    {Shape::Cone, "圆锥体"},
    {Shape::TriangularPyramid, "三棱锥"},
    {Shape::ParallelLines, "平行线"},
    {Shape::IntersectingLines, "相交线"},
    {Shape::CircleAndTangent, "圆与切线"},
    {Shape::SineCurve, "正玄曲线"},
    {Shape::CosineCurve, "余玄曲线"},
    {Shape::TangentCurve, "正切曲线"},
    {Shape::CotangentCurve, "余切曲线"},
    {Shape::Parabola, "抛物线"},
    {Shape::Black, "黑色"},
    {Shape::Blue, "蓝色"},
    {Shape::Green, "绿色"},
    {Shape::Cyan, "青色"},
    {Shape::Magenta, "洋红色"},
    {Shape::Purple, "紫色"},
    {Shape::Brown, "棕色"},
    {Shape::White, "白色"},
    {Shape::Grey, "灰色"},
    {Shape::LightBlue, "淡蓝色"},
    {Shape::LightGreen, "淡绿色"},
    {Shape::LightCyan, "淡青色"},
    {Shape::Red, "红色"},
    {Shape::Pink, "粉红色"},
    {Shape::Yellow, "黄色"},
    {Shape::BrightWhite, "强白色"},
}};

// Looked up by place: the table must run in catalogue order.
constexpr bool inOrder() {
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (ShapeCatalogue::place(kNames[i].shape) != int(i) + 1) return false;
    return true;
}
static_assert(inOrder());

constexpr std::array<Rgb, 16> kPalette = {{{0, 0, 0},
                                           {0, 0, 128},
                                           {0, 128, 0},
                                           {0, 128, 128},
                                           {128, 0, 0},
                                           {128, 0, 128},
                                           {128, 128, 0},
                                           {192, 192, 192},
                                           {128, 128, 128},
                                           {0, 0, 255},
                                           {0, 255, 0},
                                           {0, 255, 255},
                                           {255, 0, 0},
                                           {255, 0, 255},
                                           {255, 255, 0},
                                           {255, 255, 255}}};

} // namespace

QString ShapeCatalogue::name(Shape s) {
    return QString::fromUtf8(kNames[static_cast<std::size_t>(place(s) - 1)].name);
}

Rgb ShapeCatalogue::palette(int index) {
    return index >= 0 && index < static_cast<int>(kPalette.size()) ? kPalette[index] : Rgb{};
}

Rgb ShapeCatalogue::colour(Shape s) {
    return palette(place(s) - place(kFirstColour));
}

} // namespace geometry
