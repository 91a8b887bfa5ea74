#pragma once

#include "arithmetic/AnswerPlacement.h"

namespace arithmetic {

// The generator part of a drill's question set-up: draws the operands, computes the answer
// and places it with three wrong answers. Each reads its mode from the program-wide values.
using Generator = Question (*)(app::Random &, app::Globals &);

Question additionQuestion(app::Random &rnd, app::Globals &g);    // menuMode 1..6
Question subtractionQuestion(app::Random &rnd, app::Globals &g); // subtractMode 1..3
Question multiplicationQuestion(app::Random &rnd, app::Globals &g);
Question divisionQuestion(app::Random &rnd, app::Globals &g);
// The chained mental arithmetic of menuMode 1..8: the whole expression comes back in
// Question::first; operands a..e are left in operandA..operandE.
Question olympiadQuestion(app::Random &rnd, app::Globals &g);

// A proportion term such as 0.6 or 1.5: the shortest decimal text, with a leading 0 below 1.
QString decimalText(double v);

} // namespace arithmetic
