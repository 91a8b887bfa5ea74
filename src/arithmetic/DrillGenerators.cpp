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
            a = rnd.countFrom(10, 0);
            b = rnd.countFrom(10, 0);
            if (a + b >= 10) return;
            break;
        case 3:
            a = rnd.countFrom(31, 10);
            b = rnd.countFrom(9, 1);
            if (a + b <= 50) return;
            break;
        case 4:
            a = rnd.countFrom(81, 10);
            b = rnd.countFrom(9, 1);
            if (a + b >= 50) return;
            break;
        case 5:
            a = rnd.countFrom(91, 10);
            b = rnd.countFrom(91, 10);
            if (a + b <= 100) return;
            break;
        case 6:
            a = rnd.countFrom(91, 10);
            b = rnd.countFrom(91, 10);
            if (a + b >= 100) return;
            break;
        default:
            a = rnd.countFrom(10, 0);
            b = rnd.countFrom(10, 0);
            if (a + b < 10) return;
            break;
        }
    }
}

} // namespace

Question additionQuestion(core::Random &rnd, core::Globals &g, int mode) {
    Question q;
    Operands &o = q.operands;
    drawAddends(rnd, mode, o.a, o.b);
    q.first = formatNumber(o.a);
    q.second = formatNumber(o.b);
    q.answer = o.b + o.a;
    q.choice = placeAnswers(rnd, g, q.answer, [&] {
        double a = 0, b = 0;
        drawAddends(rnd, mode, a, b);
        return std::floor(a + b);
    });
    return q;
}

Question subtractionQuestion(core::Random &rnd, core::Globals &g, int subtractMode) {
    Question q;
    const int mode = subtractMode >= 1 && subtractMode <= 3 ? subtractMode : 1;
    double &a = q.operands.a, &b = q.operands.b;
    auto drawQuestion = [&] {
        switch (mode) {
        case 2:
            a = rnd.countFrom(90, 10);
            b = rnd.countFrom(9, 1);
            break;
        case 3:
            a = rnd.countFrom(90, 10);
            b = rnd.countFrom(90, 10);
            break;
        default:
            a = rnd.countFrom(10, 0);
            b = rnd.countFrom(10, 0);
            break;
        }
    };
    do
        drawQuestion();
    while (b > a);
    q.first = formatNumber(a);
    q.second = formatNumber(b);
    q.answer = a - b;
    // Wrong answers come from unrounded pairs: when both truncate alike but a' < b', the
    // difference lies in (-1, 0), truncates to -1, and the wrong answer is 1.
    q.choice = placeAnswers(rnd, g, q.answer, [&] {
        double wa = 0, wb = 0;
        do {
            switch (mode) {
            case 2:
                wa = rnd.rnd() * 81 + 10;
                wb = rnd.rnd() * 9 + 1;
                break;
            case 3:
                wa = rnd.rnd() * 91 + 10;
                wb = rnd.rnd() * 91 + 10;
                break;
            default:
                wa = rnd.rnd() * 10;
                wb = rnd.rnd() * 10;
                break;
            }
        } while (std::floor(wb) > std::floor(wa));
        return std::fabs(std::floor(wa - wb));
    });
    return q;
}

Question multiplicationQuestion(core::Random &rnd, core::Globals &g, int) {
    Question q;
    Operands &o = q.operands;
    o.a = rnd.countFrom(9, 1);
    o.b = rnd.countFrom(9, 1);
    q.first = formatNumber(o.a);
    q.second = formatNumber(o.b);
    q.answer = o.a * o.b;
    q.choice = placeAnswers(rnd, g, q.answer, [&] {
        const int x = rnd.countFrom(9, 1);
        const int y = rnd.countFrom(9, 1);
        return static_cast<double>(x * y);
    });
    return q;
}

Question divisionQuestion(core::Random &rnd, core::Globals &g, int) {
    Question q;
    Operands &o = q.operands;
    const double quotient = rnd.countFrom(9, 1);
    o.b = rnd.countFrom(9, 1);
    o.a = o.b * quotient;
    q.first = formatNumber(o.a);
    q.second = formatNumber(o.b);
    q.answer = quotient;
    q.choice = placeAnswers(rnd, g, q.answer, [&] { return static_cast<double>(rnd.countFrom(9, 1)); });
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
QString drawChain(core::Random &rnd, Operands &o, int mode) {
    double &a = o.a, &b = o.b, &c = o.c, &d = o.d, &e = o.e;
    switch (mode) {
    case 2:
        do {
            a = rnd.countFrom(49, 1);
            b = rnd.countFrom(29, 1);
            c = rnd.countFrom(29, 1);
        } while (!(a - b - c > 0));
        return whole(a) + u'-' + whole(b) + u'-' + whole(c);
    case 3:
        do {
            a = rnd.countFrom(29, 10);
            b = rnd.countFrom(29, 10);
            c = rnd.countFrom(29, 1);
        } while (!(a + b - c > 0));
        return whole(a) + u'+' + whole(b) + u'-' + whole(c);
    case 4:
        a = rnd.countFrom(9, 1);
        b = rnd.countFrom(9, 1);
        c = rnd.countFrom(9, 1);
        return whole(a) + u'×' + whole(b) + u'×' + whole(c);
    case 5:
        // The dividend is built from the divisors and the quotient, so the chain divides exactly.
        a = rnd.countFrom(9, 1);
        b = rnd.countFrom(9, 1);
        c = rnd.countFrom(9, 1);
        d = rnd.countFrom(19, 1);
        a = b * c * d;
        return whole(a) + u'÷' + whole(b) + u'÷' + whole(c);
    case 6:
        // A divisor equal to a factor would make the question trivial.
        do {
            a = rnd.countFrom(29, 1);
            b = rnd.countFrom(29, 1);
            c = rnd.countFrom(14, 2);
            d = rnd.countFrom(49, 1);
        } while (!(a * b == c * d && c != b && c != a));
        return whole(a) + u'×' + whole(b) + u'÷' + whole(c);
    case 7:
        do {
            a = rnd.countFrom(9, 1);
            b = rnd.countFrom(9, 1);
            c = rnd.countFrom(9, 1);
            d = rnd.countFrom(9, 1);
            e = rnd.countFrom(9, 1);
        } while (!(a * b + d - e > 0));
        return whole(a) + u'×' + whole(b) + u'+' + whole(c * d) + u'÷' + whole(c) + u'-' + whole(e);
    case 8: {
        do {
            a = rnd.countFrom(9, 1);
            b = rnd.countFrom(9, 1);
            c = rnd.countFrom(9, 1);
        } while (a == b || b == c || a == c);
        rnd.randomize();
        const double r = rnd.rnd();
        if (r >= 0.5) return whole(a * b) + u':' + whole(c * b) + u'=' + whole(a) + QStringLiteral(":?");
        return decimalText(a * b / 10) + u':' + decimalText(c * b / 10) + u'=' + whole(a) +
               QStringLiteral(":?");
    }
    default:
        // Mode 1; a mode outside 1..8 (never set by the menu) asks the simplest chain.
        a = rnd.countFrom(19, 1);
        b = rnd.countFrom(19, 1);
        c = rnd.countFrom(19, 1);
        return whole(a) + u'+' + whole(b) + u'+' + whole(c);
    }
}

double chainAnswer(const Operands &o, int mode) {
    const double a = o.a, b = o.b, c = o.c, d = o.d, e = o.e;
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
        return rnd.countFrom(50, 1);
    case 3:
    case 6:
    case 7:
        return rnd.countFrom(80, 1);
    case 4: {
        const int x = rnd.countFrom(9, 1);
        const int y = rnd.countFrom(9, 1);
        const int z = rnd.countFrom(9, 1);
        return double(x * y * z);
    }
    case 5:
        return rnd.countFrom(19, 1);
    case 8:
        return rnd.countFrom(9, 1);
    default:
        return rnd.countFrom(60, 1);
    }
}

} // namespace

Question olympiadQuestion(core::Random &rnd, core::Globals &g, int menuMode) {
    const int mode = menuMode >= 1 && menuMode <= 8 ? menuMode : 1;
    Question q;
    q.first = drawChain(rnd, q.operands, mode);
    q.answer = chainAnswer(q.operands, mode);
    q.choice = placeAnswers(rnd, g, q.answer, [&] { return chainWrongAnswer(rnd, mode); });
    return q;
}

} // namespace arithmetic
