#pragma once

#include "arithmetic/DrillQuestion.h"

namespace arithmetic {

// The generator part of a drill's question set-up: draws the operands for the drill's mode (the
// menu item's), computes the answer and places it with three wrong answers. Only the place of
// the last right answer is shared with other screens (Globals).
using Generator = Question (*)(core::Random &, core::Globals &, int mode);

Question additionQuestion(core::Random &rnd, core::Globals &g, int mode);    // modes 1..6
Question subtractionQuestion(core::Random &rnd, core::Globals &g, int mode); // modes 1..3
Question multiplicationQuestion(core::Random &rnd, core::Globals &g, int mode = 0);
Question divisionQuestion(core::Random &rnd, core::Globals &g, int mode = 0);
// The chained mental arithmetic of modes 1..8: the whole expression comes back in
// Question::first, with all five operands.
Question olympiadQuestion(core::Random &rnd, core::Globals &g, int mode);

// A proportion term such as 0.6 or 1.5: the shortest decimal text, with a leading 0 below 1.
QString decimalText(double v);

} // namespace arithmetic
