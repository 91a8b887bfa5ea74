#pragma once

#include "arithmetic/AnswerPlacement.h"

namespace arithmetic {

// The generator part of a drill's question set-up: draws the operands, computes the answer
// and places it with three wrong answers. Each reads its mode from the program-wide values.
using Generator = Question (*)(app::Random &, app::Globals &);

Question additionQuestion(app::Random &rnd, app::Globals &g);       // menuMode 1..6
Question subtractionQuestion(app::Random &rnd, app::Globals &g);    // subtractMode 1..3
Question multiplicationQuestion(app::Random &rnd, app::Globals &g);
Question divisionQuestion(app::Random &rnd, app::Globals &g);

} // namespace arithmetic
