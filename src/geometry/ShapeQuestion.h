#pragma once

#include "core/Globals.h"
#include "core/Random.h"

#include <QString>
#include <array>

namespace geometry {

// The question part of the shapes quiz. The item goes to the shared menuMode, the answer
// places to answerSlot1 (right) .. answerSlot4, the wrong items to wrongChoice1..3.

// Draws the next item, 1..50, every one equally likely (colours included).
int drawShapeItem(core::Random &rnd, core::Globals &g);

// Puts the name of the item on a random button (it may be the same button as last time) and
// the names of three different other items from the first six on the other buttons.
// Returns the captions of Button9(1)..Button9(4).
std::array<QString, 4> placeShapeNames(core::Random &rnd, core::Globals &g, int item);

} // namespace geometry
