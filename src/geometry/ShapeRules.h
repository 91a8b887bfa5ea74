#pragma once

#include "geometry/Canvas.h"
#include "geometry/ShapeCatalogue.h"

namespace geometry {

inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kBlue{0, 0, 255};
// The drawing area's own background.
inline constexpr Rgb kQuestionBackground{192, 192, 255};

// Degrees to radians as the figures were designed: with 3.1415, not the full value of pi.
inline constexpr double kDegree = 3.1415 / 180;

// The grid and the axes: sets the scale (-100..100 both ways, y upwards), draws the yellow
// grid, the blue axes with their arrowheads and the red "X", "Y" and "0". The fore colour
// stays red.
void drawAxes(Canvas &c);

// Draws an item on an area that was just cleared: a figure by its rule, or for a colour the
// whole area in that colour.
void drawItem(Canvas &c, Shape item);

} // namespace geometry
