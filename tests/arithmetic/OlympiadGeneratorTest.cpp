#include "arithmetic/DrillGenerators.h"
#include "support/ScriptedRandom.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <cmath>

using namespace arithmetic;

namespace {

// Evaluates a chain such as 3×4+10÷2-6 with the usual precedence, independently of the
// generator; NaN when the text is not such a chain.
double evaluate(const QString &text) {
    static const QRegularExpression token(QStringLiteral("^(\\d+)([+\\-×÷]|$)"));
    double sum = 0, term = 0;
    QChar termOp = u'×', sumOp = u'+';
    int pos = 0;
    bool first = true;
    while (pos < text.size()) {
        const auto m = token.match(text.mid(pos));
        if (!m.hasMatch()) return std::nan("");
        const double n = m.captured(1).toDouble();
        term = first ? n : (termOp == u'×' ? term * n : term / n);
        first = false;
        pos += m.capturedLength();
        const QString op = m.captured(2);
        if (op == QStringLiteral("×") || op == QStringLiteral("÷")) {
            termOp = op[0];
            continue;
        }
        sum = sumOp == u'+' ? sum + term : sum - term;
        first = true;
        if (!op.isEmpty()) sumOp = op[0];
    }
    return sum;
}

struct Proportion {
    double x = 0, y = 0, a = 0;
    bool ok = false;
};

// Reads "x:y=a:?".
Proportion readProportion(const QString &text) {
    static const QRegularExpression form(
        QStringLiteral("^(\\d+(?:\\.\\d+)?):(\\d+(?:\\.\\d+)?)=(\\d+):\\?$"));
    const auto m = form.match(text);
    if (!m.hasMatch()) return {};
    return {m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(), true};
}

} // namespace

class OlympiadGeneratorTest : public QObject {
    Q_OBJECT

  private slots:
    void variants_data();
    void variants();
    void scriptedQuestions_data();
    void scriptedQuestions();
    void proportionForms();
    void decimalTerms_data();
    void decimalTerms();
    void outOfRangeModeAsksTheFirstVariant();
};

void OlympiadGeneratorTest::variants_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("minAnswer");
    QTest::addColumn<int>("maxAnswer");
    QTest::addColumn<int>("minWrong");
    QTest::addColumn<int>("maxWrong");
    QTest::newRow("1 连加") << 1 << "^\\d+\\+\\d+\\+\\d+$" << 3 << 57 << 1 << 60;
    QTest::newRow("2 连减") << 2 << "^\\d+-\\d+-\\d+$" << 1 << 47 << 1 << 50;
    QTest::newRow("3 加减混合") << 3 << "^\\d+\\+\\d+-\\d+$" << 1 << 75 << 1 << 80;
    QTest::newRow("4 连乘") << 4 << "^\\d×\\d×\\d$" << 1 << 729 << 1 << 729;
    QTest::newRow("5 连除") << 5 << "^\\d+÷\\d÷\\d$" << 1 << 19 << 1 << 19;
    QTest::newRow("6 乘除混合") << 6 << "^\\d+×\\d+÷\\d+$" << 1 << 49 << 1 << 80;
    QTest::newRow("7 四则混合") << 7 << "^\\d×\\d\\+\\d+÷\\d-\\d$" << 1 << 89 << 1 << 80;
    QTest::newRow("8 比例") << 8 << "^[\\d.]+:[\\d.]+=\\d:\\?$" << 1 << 9 << 1 << 9;
}

// Over many pinned draws: the expression has the variant's shape and its value is the right
// answer, within the variant's range; wrong answers follow the variant's rule.
void OlympiadGeneratorTest::variants() {
    QFETCH(int, mode);
    QFETCH(QString, pattern);
    QFETCH(int, minAnswer);
    QFETCH(int, maxAnswer);
    QFETCH(int, minWrong);
    QFETCH(int, maxWrong);
    const QRegularExpression shape(pattern);
    QSet<int> products;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            for (int z = 1; z <= 9; ++z)
                products.insert(x * y * z);
    core::Random rnd;
    rnd.pin(2024 + mode);
    core::Globals g;
    QSet<int> answers;
    int seenMaxWrong = 0;
    for (int i = 0; i < 5000; ++i) {
        const Question q = olympiadQuestion(rnd, g, mode);
        QVERIFY2(shape.match(q.first).hasMatch(), qPrintable(q.first));
        QVERIFY2(q.answer >= minAnswer && q.answer <= maxAnswer && q.answer == std::floor(q.answer),
                 qPrintable(q.first));
        if (mode == 8) {
            const Proportion p = readProportion(q.first);
            QVERIFY2(p.ok, qPrintable(q.first));
            QVERIFY2(std::fabs(p.x * q.answer - p.y * p.a) < 1e-9, qPrintable(q.first)); // x:y = a:c
        } else {
            QCOMPARE(evaluate(q.first), q.answer);
        }
        QSet<QString> distinct(q.captions().begin(), q.captions().end());
        QCOMPARE(distinct.size(), 4);
        QCOMPARE(q.captions()[q.choice.rightSlot - 1], formatNumber(q.answer));
        for (int k = 1; k <= 4; ++k) {
            if (k == q.choice.rightSlot) continue;
            const int w = q.captions()[k - 1].toInt();
            QVERIFY2(w >= minWrong && w <= maxWrong, qPrintable(q.captions()[k - 1]));
            if (mode == 4) QVERIFY2(products.contains(w), qPrintable(q.captions()[k - 1]));
            seenMaxWrong = std::max(seenMaxWrong, w);
        }
        answers.insert(int(q.answer));
    }
    // Wrong answers reach the top of their rule, right answers spread over their range.
    if (mode != 4) QCOMPARE(seenMaxWrong, maxWrong);
    QVERIFY(answers.size() >= std::min(9, maxAnswer - minAnswer + 1));
}

void OlympiadGeneratorTest::scriptedQuestions_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QList<double>>("draws");
    QTest::addColumn<QString>("expression");
    QTest::addColumn<int>("answer");
    // R(n, m) = Int(Rnd * n + m): the value v comes from Rnd = (v - m + 0.5) / n.
    auto r = [](int n, int m, int v) { return (v - m + 0.5) / n; };
    QTest::newRow("1: the largest chain")
        << 1 << QList<double>{r(19, 1, 19), r(19, 1, 19), r(19, 1, 19)} << "19+19+19" << 57;
    QTest::newRow("2: a result of 0 is redrawn")
        << 2 << QList<double>{r(49, 1, 10), r(29, 1, 5), r(29, 1, 5), r(49, 1, 11), r(29, 1, 5), r(29, 1, 5)}
        << "11-5-5" << 1;
    QTest::newRow("3: 10+10-19") << 3 << QList<double>{r(29, 10, 10), r(29, 10, 10), r(29, 1, 19)}
                                 << "10+10-19" << 1;
    QTest::newRow("3: below 0 is redrawn") << 3 << QList<double>{r(29, 10, 10), r(29, 10, 10), r(29, 1, 29),
                                                                 r(29, 10, 38), r(29, 10, 38), r(29, 1, 1)}
                                           << "38+38-1" << 75;
    QTest::newRow("4: 9×9×9") << 4 << QList<double>{r(9, 1, 9), r(9, 1, 9), r(9, 1, 9)} << "9×9×9" << 729;
    QTest::newRow("5: 504÷8÷7") << 5 << QList<double>{r(9, 1, 3), r(9, 1, 8), r(9, 1, 7), r(19, 1, 9)}
                                << "504÷8÷7" << 9;
    QTest::newRow("5: 1÷1÷1") << 5 << QList<double>{r(9, 1, 5), r(9, 1, 1), r(9, 1, 1), r(19, 1, 1)}
                              << "1÷1÷1" << 1;
    QTest::newRow("6: 6×4÷4 rejected, 6×4÷8 accepted")
        << 6 << QList<double>{r(29, 1, 6), r(29, 1, 4), r(14, 2, 4), r(49, 1, 6),
                              r(29, 1, 6), r(29, 1, 4), r(14, 2, 8), r(49, 1, 3)}
        << "6×4÷8" << 3;
    QTest::newRow("6: divisor equal to the first factor rejected")
        << 6 << QList<double>{r(29, 1, 6), r(29, 1, 4),  r(14, 2, 6), r(49, 1, 4),
                              r(29, 1, 7), r(29, 1, 14), r(14, 2, 2), r(49, 1, 49)}
        << "7×14÷2" << 49;
    QTest::newRow("6: product mismatch rejected")
        << 6 << QList<double>{r(29, 1, 6), r(29, 1, 4), r(14, 2, 8), r(49, 1, 4),
                              r(29, 1, 6), r(29, 1, 4), r(14, 2, 8), r(49, 1, 3)}
        << "6×4÷8" << 3;
    QTest::newRow("7: 3×4+10÷2-6") << 7
                                   << QList<double>{r(9, 1, 3), r(9, 1, 4), r(9, 1, 2), r(9, 1, 5),
                                                    r(9, 1, 6)}
                                   << "3×4+10÷2-6" << 11;
    QTest::newRow("7: below 1 is redrawn")
        << 7 << QList<double>{r(9, 1, 1), r(9, 1, 1), r(9, 1, 3), r(9, 1, 1), r(9, 1, 2),
                              r(9, 1, 9), r(9, 1, 9), r(9, 1, 9), r(9, 1, 9), r(9, 1, 1)}
        << "9×9+81÷9-1" << 89;
    QTest::newRow("8: 2:6=1:?") << 8 << QList<double>{r(9, 1, 1), r(9, 1, 2), r(9, 1, 3), 0.75} << "2:6=1:?"
                                << 3;
    QTest::newRow("8: 0.2:0.6=1:?") << 8 << QList<double>{r(9, 1, 1), r(9, 1, 2), r(9, 1, 3), 0.25}
                                    << "0.2:0.6=1:?" << 3;
    QTest::newRow("8: r = 0.5 is whole")
        << 8 << QList<double>{r(9, 1, 2), r(9, 1, 3), r(9, 1, 5), 0.5} << "6:15=2:?" << 5;
    QTest::newRow("8: 0.6:1.5=2:?") << 8 << QList<double>{r(9, 1, 2), r(9, 1, 3), r(9, 1, 5), 0.49}
                                    << "0.6:1.5=2:?" << 5;
    QTest::newRow("8: a whole decimal term")
        << 8 << QList<double>{r(9, 1, 5), r(9, 1, 2), r(9, 1, 1), 0.1} << "1:0.2=5:?" << 1;
    QTest::newRow("8: repeated operands redrawn")
        << 8 << QList<double>{r(9, 1, 2), r(9, 1, 2), r(9, 1, 3), r(9, 1, 9), r(9, 1, 8), r(9, 1, 7), 0.0}
        << "7.2:5.6=9:?" << 7;
}

void OlympiadGeneratorTest::scriptedQuestions() {
    QFETCH(int, mode);
    QFETCH(QList<double>, draws);
    QFETCH(QString, expression);
    QFETCH(int, answer);
    core::Random rnd = testing_support::scriptedRandom(3, draws);
    core::Globals g;
    const Question q = olympiadQuestion(rnd, g, mode);
    QCOMPARE(q.first, expression);
    QCOMPARE(q.answer, double(answer));
    QCOMPARE(q.captions()[q.choice.rightSlot - 1], QString::number(answer));
}

// Both forms of the proportion come up, about equally often.
void OlympiadGeneratorTest::proportionForms() {
    core::Random rnd;
    rnd.pin(8);
    core::Globals g;
    int decimal = 0;
    for (int i = 0; i < 2000; ++i)
        decimal += olympiadQuestion(rnd, g, 8).first.contains(u'.');
    QVERIFY2(decimal > 800 && decimal < 1200, qPrintable(QString::number(decimal)));
}

void OlympiadGeneratorTest::decimalTerms_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("below 1") << 6 / 10.0 << "0.6";
    QTest::newRow("above 1") << 15 / 10.0 << "1.5";
    QTest::newRow("whole") << 10 / 10.0 << "1";
    QTest::newRow("largest") << 72 / 10.0 << "7.2";
    QTest::newRow("smallest") << 2 / 10.0 << "0.2";
}

void OlympiadGeneratorTest::decimalTerms() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(decimalText(value), text);
}

void OlympiadGeneratorTest::outOfRangeModeAsksTheFirstVariant() {
    core::Random rnd;
    rnd.pin(1);
    core::Globals g;
    const Question q = olympiadQuestion(rnd, g, 0); // opened without a menu item
    QVERIFY(q.first.count(u'+') == 2);
    QCOMPARE(evaluate(q.first), q.answer);
}

QTEST_GUILESS_MAIN(OlympiadGeneratorTest)
#include "OlympiadGeneratorTest.moc"
