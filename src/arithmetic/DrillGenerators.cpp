#include "arithmetic/DrillGenerators.h"

#include <QLocale>
#include <cmath>

namespace arithmetic {

namespace {

// Draws an addend pair for an addition mode, redrawing both until the mode's test holds.
// A mode outside 1..6 draws as mode 1: the menu never sets one, and a mode without a rule
// would otherwise never produce a question.
void drawAddends(core::Random &rnd, int mode, double &a, double &b) {
    for (;;) {
        switch (mode) {
        case 2:
            a = rnd.range(10, 0);
            b = rnd.range(10, 0);
            if (a + b >= 10) return;
            break;
        case 3:
            a = rnd.range(31, 10);
            b = rnd.range(9, 1);
            if (a + b <= 50) return;
            break;
        case 4:
            a = rnd.range(81, 10);
            b = rnd.range(9, 1);
            if (a + b >= 50) return;
            break;
        case 5:
            a = rnd.range(91, 10);
            b = rnd.range(91, 10);
            if (a + b <= 100) return;
            break;
        case 6:
            a = rnd.range(91, 10);
            b = rnd.range(91, 10);
            if (a + b >= 100) return;
            break;
        default:
            a = rnd.range(10, 0);
            b = rnd.range(10, 0);
            if (a + b < 10) return;
            break;
        }
    }
}

} // namespace

Question additionQuestion(core::Random &rnd, core::Globals &g) {
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

Question subtractionQuestion(core::Random &rnd, core::Globals &g) {
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

Question multiplicationQuestion(core::Random &rnd, core::Globals &g) {
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

Question divisionQuestion(core::Random &rnd, core::Globals &g) {
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

QString decimalText(double v) {
    return QString::number(v, 'f', QLocale::FloatingPointShortest);
}

namespace {

QString whole(double v) {
    return formatNumber(v);
}

// Draws the operands of one olympiad variant, all together again until its test holds, and
// returns the expression. The draws follow the order a, b, c, d, e.
QString drawChain(core::Random &rnd, core::Globals &g, int mode) {
    double &a = g.operandA, &b = g.operandB, &c = g.operandC, &d = g.operandD, &e = g.operandE;
    switch (mode) {
    case 2:
        do {
            a = rnd.range(49, 1);
            b = rnd.range(29, 1);
            c = rnd.range(29, 1);
        } while (!(a - b - c > 0));
        return whole(a) + u'-' + whole(b) + u'-' + whole(c);
    case 3:
        do {
            a = rnd.range(29, 10);
            b = rnd.range(29, 10);
            c = rnd.range(29, 1);
        } while (!(a + b - c > 0));
        return whole(a) + u'+' + whole(b) + u'-' + whole(c);
    case 4:
        a = rnd.range(9, 1);
        b = rnd.range(9, 1);
        c = rnd.range(9, 1);
        return whole(a) + u'×' + whole(b) + u'×' + whole(c);
    case 5:
        // The dividend is built from the divisors and the quotient, so the chain divides exactly.
        a = rnd.range(9, 1);
        b = rnd.range(9, 1);
        c = rnd.range(9, 1);
        d = rnd.range(19, 1);
        a = b * c * d;
        return whole(a) + u'÷' + whole(b) + u'÷' + whole(c);
    case 6:
        // A divisor equal to a factor would make the question trivial.
        do {
            a = rnd.range(29, 1);
            b = rnd.range(29, 1);
            c = rnd.range(14, 2);
            d = rnd.range(49, 1);
        } while (!(a * b == c * d && c != b && c != a));
        return whole(a) + u'×' + whole(b) + u'÷' + whole(c);
    case 7:
        do {
            a = rnd.range(9, 1);
            b = rnd.range(9, 1);
            c = rnd.range(9, 1);
            d = rnd.range(9, 1);
            e = rnd.range(9, 1);
        } while (!(a * b + d - e > 0));
        return whole(a) + u'×' + whole(b) + u'+' + whole(c * d) + u'÷' + whole(c) + u'-' + whole(e);
    case 8: {
        do {
            a = rnd.range(9, 1);
            b = rnd.range(9, 1);
            c = rnd.range(9, 1);
        } while (a == b || b == c || a == c);
        rnd.randomize();
        const double r = rnd.rnd();
        if (r >= 0.5) return whole(a * b) + u':' + whole(c * b) + u'=' + whole(a) + QStringLiteral(":?");
        return decimalText(a * b / 10) + u':' + decimalText(c * b / 10) + u'=' + whole(a) +
               QStringLiteral(":?");
    }
    default:
        // Mode 1; a mode outside 1..8 (never set by the menu) asks the simplest chain.
        a = rnd.range(19, 1);
        b = rnd.range(19, 1);
        c = rnd.range(19, 1);
        return whole(a) + u'+' + whole(b) + u'+' + whole(c);
    }
}

double chainAnswer(const core::Globals &g, int mode) {
    const double a = g.operandA, b = g.operandB, c = g.operandC, d = g.operandD, e = g.operandE;
    switch (mode) {
    case 2:
        return a - b - c;
    case 3:
        return a + b - c;
    case 4:
        return a * b * c;
    case 5:
        return d;
    case 6:
        return a * b / c;
    case 7:
        return a * b + c * d / c - e;
    case 8:
        return c;
    default:
        return a + b + c;
    }
}

double chainWrongAnswer(core::Random &rnd, int mode) {
    switch (mode) {
    case 2:
        return rnd.range(50, 1);
    case 3:
    case 6:
    case 7:
        return rnd.range(80, 1);
    case 4: {
        const int x = rnd.range(9, 1);
        const int y = rnd.range(9, 1);
        const int z = rnd.range(9, 1);
        return double(x * y * z);
    }
    case 5:
        return rnd.range(19, 1);
    case 8:
        return rnd.range(9, 1);
    default:
        return rnd.range(60, 1);
    }
}

} // namespace

Question olympiadQuestion(core::Random &rnd, core::Globals &g) {
    const int mode = g.menuMode >= 1 && g.menuMode <= 8 ? g.menuMode : 1;
    Question q;
    q.first = drawChain(rnd, g, mode);
    q.answer = chainAnswer(g, mode);
    g.correctAnswer = q.answer;
    q.captions = placeAnswers(rnd, g, q.answer, [&] { return chainWrongAnswer(rnd, mode); });
    return q;
}

} // namespace arithmetic
