#include "geometry/ShapeCatalogue.h"

#include <array>

namespace geometry {

namespace {

constexpr std::array<const char *, ShapeCatalogue::kCount> kNames = {
    "坐标轴",     "直线",       "线段",       "锐角",       "直角",           "钝角",
    "锐角三角形", "钝角三角形", "等腰三角形", "直角三角形", "等腰直角三角形", "等边三角形",
    "长方形",     "正方形",     "菱形",       "等腰梯形",   "直角梯形",       "圆",
    "椭圆",       "五角星",     "正六边形",   "正方体",     "圆柱体",         "长方体",
    "圆锥体",     "三棱锥",     "平行线",     "相交线",     "圆与切线",       "正玄曲线",
    "余玄曲线",   "正切曲线",   "余切曲线",   "抛物线",     "黑色",           "蓝色",
    "绿色",       "青色",       "洋红色",     "紫色",       "棕色",           "白色",
    "灰色",       "淡蓝色",     "淡绿色",     "淡青色",     "红色",           "粉红色",
    "黄色",       "强白色"};

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

QString ShapeCatalogue::name(int item) {
    return isItem(item) ? QString::fromUtf8(kNames[item - 1]) : QString();
}

Rgb ShapeCatalogue::palette(int index) {
    return index >= 0 && index < static_cast<int>(kPalette.size()) ? kPalette[index] : Rgb{};
}

Rgb ShapeCatalogue::colour(int item) {
    return palette(item - kFirstColour);
}

} // namespace geometry
