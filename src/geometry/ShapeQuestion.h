#pragma once

#include "core/FourChoice.h"
#include "core/Globals.h"
#include "core/Random.h"
#include "geometry/ShapeCatalogue.h"

namespace geometry {

// The question part of the shapes quiz.

// Draws the next item, every one of the 50 equally likely (colours included).
Shape drawShapeItem(core::Random &rnd);

// Puts the name of the item on a random button (it may be the same button as last time) and
// the names of three different other items from the first six on the other buttons.
core::FourChoice placeShapeNames(core::Random &rnd, core::Globals &g, Shape item);

} // namespace geometry
