#include "arithmetic/DrillGenerators.h"

#include <cmath>

namespace arithmetic {

namespace {

// Draws an addend pair for an addition mode, redrawing both until the mode's test holds.
// A mode outside 1..6 draws as mode 1: the menu never sets one, and a mode without a rule
// would otherwise never produce a question.
void drawAddends(app::Random &rnd, int mode, double &a, double &b) {
    for (;;) {
        switch (mode) {
        case 2:
            a = rnd.range(10, 0);
            b = rnd.range(10, 0);
            if (a + b >= 10)
                return;
            break;
        case 3:
            a = rnd.range(31, 10);
            b = rnd.range(9, 1);
            if (a + b <= 50)
                return;
            break;
        case 4:
            a = rnd.range(81, 10);
            b = rnd.range(9, 1);
            if (a + b >= 50)
                return;
            break;
        case 5:
            a = rnd.range(91, 10);
            b = rnd.range(91, 10);
            if (a + b <= 100)
                return;
            break;
        case 6:
            a = rnd.range(91, 10);
            b = rnd.range(91, 10);
            if (a + b >= 100)
                return;
            break;
        default:
            a = rnd.range(10, 0);
            b = rnd.range(10, 0);
            if (a + b < 10)
                return;
            break;
        }
    }
}

} // namespace

Question additionQuestion(app::Random &rnd, app::Globals &g) {
    Question q;
    drawAddends(rnd, g.menuMode, g.operandA, g.operandB);
    const double a = g.operandA, b = g.operandB;
    q.first = formatNumber(a);
    q.second = formatNumber(b);
    q.answer = b + a;
    g.correctAnswer = q.answer;
    q.captions = placeAnswers(rnd, g, q.answer, [&] {
        drawAddends(rnd, g.menuMode, g.operandA, g.operandB);
        return std::floor(g.operandA + g.operandB);
    });
    return q;
}

Question subtractionQuestion(app::Random &rnd, app::Globals &g) {
    Question q;
    const int mode = g.subtractMode >= 1 && g.subtractMode <= 3 ? g.subtractMode : 1;
    auto drawQuestion = [&] {
        switch (mode) {
        case 2:
            g.operandA = rnd.range(90, 10);
            g.operandB = rnd.range(9, 1);
            break;
        case 3:
            g.operandA = rnd.range(90, 10);
            g.operandB = rnd.range(90, 10);
            break;
        default:
            g.operandA = rnd.range(10, 0);
            g.operandB = rnd.range(10, 0);
            break;
        }
    };
    do
        drawQuestion();
    while (g.operandB > g.operandA);
    q.first = formatNumber(g.operandA);
    q.second = formatNumber(g.operandB);
    q.answer = g.operandA - g.operandB;
    g.correctAnswer = q.answer;
    // Wrong answers come from unrounded pairs: when both truncate alike but a' < b', the
    // difference lies in (-1, 0), truncates to -1, and the wrong answer is 1.
    q.captions = placeAnswers(rnd, g, q.answer, [&] {
        do {
            switch (mode) {
            case 2:
                g.operandA = rnd.rnd() * 81 + 10;
                g.operandB = rnd.rnd() * 9 + 1;
                break;
            case 3:
                g.operandA = rnd.rnd() * 91 + 10;
                g.operandB = rnd.rnd() * 91 + 10;
                break;
            default:
                g.operandA = rnd.rnd() * 10;
                g.operandB = rnd.rnd() * 10;
                break;
            }
        } while (std::floor(g.operandB) > std::floor(g.operandA));
        return std::fabs(std::floor(g.operandA - g.operandB));
    });
    return q;
}

Question multiplicationQuestion(app::Random &rnd, app::Globals &g) {
    Question q;
    g.operandA = rnd.range(9, 1);
    g.operandB = rnd.range(9, 1);
    q.first = formatNumber(g.operandA);
    q.second = formatNumber(g.operandB);
    q.answer = g.operandA * g.operandB;
    g.correctAnswer = q.answer;
    q.captions = placeAnswers(rnd, g, q.answer, [&] {
        const int x = rnd.range(9, 1);
        const int y = rnd.range(9, 1);
        return static_cast<double>(x * y);
    });
    return q;
}

Question divisionQuestion(app::Random &rnd, app::Globals &g) {
    Question q;
    const double quotient = rnd.range(9, 1);
    g.operandB = rnd.range(9, 1);
    g.operandA = g.operandB * quotient;
    q.first = formatNumber(g.operandA);
    q.second = formatNumber(g.operandB);
    q.answer = quotient;
    g.correctAnswer = q.answer;
    q.captions = placeAnswers(rnd, g, q.answer, [&] { return static_cast<double>(rnd.range(9, 1)); });
    return q;
}

} // namespace arithmetic
