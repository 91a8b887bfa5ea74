#pragma once

#include "core/FourChoice.h"
#include "core/Globals.h"
#include "core/Random.h"

#include <QString>
#include <array>
#include <functional>

namespace arithmetic {

// The numbers a question was drawn from: two for the operation drills, up to five for a chain.
struct Operands {
    double a = 0, b = 0, c = 0, d = 0, e = 0;
};

// One four-choice question of a drill.
struct Question {
    QString first;  // caption of the first operand tile (the whole expression on the olympiad screen)
    QString second; // caption of the second operand tile
    double answer = 0;
    Operands operands;
    core::FourChoice choice; // the answer buttons: captions, the right one's place

    const std::array<QString, 4> &captions() const { return choice.captions; }
};

// The drills' placement: the right answer on a random button other than the one that held the
// last right answer, then three different wrong answers, each drawn by drawWrong, on the others.
core::FourChoice placeAnswers(core::Random &rnd, core::Globals &g, double correct,
                              const std::function<double()> &drawWrong);

// A number as the drills show it: plain decimal, no leading zeros or blanks, no exponent.
QString formatNumber(double v);

// The leading numeric part of a caption, 0 when there is none (how answers are compared).
double leadingValue(const QString &caption);

} // namespace arithmetic
