#pragma once

#include "arithmetic/DrillQuestion.h"

namespace arithmetic {

// The generator part of a drill's question set-up: draws the operands, computes the answer
// and places it with three wrong answers. Each reads its mode from the program-wide values.
using Generator = Question (*)(core::Random &, core::Globals &);

Question additionQuestion(core::Random &rnd, core::Globals &g);    // menuMode 1..6
Question subtractionQuestion(core::Random &rnd, core::Globals &g); // subtractMode 1..3
Question multiplicationQuestion(core::Random &rnd, core::Globals &g);
Question divisionQuestion(core::Random &rnd, core::Globals &g);
// The chained mental arithmetic of menuMode 1..8: the whole expression comes back in
// Question::first; operands a..e are left in operandA..operandE.
Question olympiadQuestion(core::Random &rnd, core::Globals &g);

// A proportion term such as 0.6 or 1.5: the shortest decimal text, with a leading 0 below 1.
QString decimalText(double v);

} // namespace arithmetic
