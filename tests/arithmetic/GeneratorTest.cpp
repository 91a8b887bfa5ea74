#include "arithmetic/DrillGenerators.h"
#include "support/ScriptedRandom.h"

#include <QSet>
#include <QTest>

using namespace arithmetic;

class GeneratorTest : public QObject {
    Q_OBJECT

  private slots:
    void additionModes_data();
    void additionModes();
    void additionBoundaries_data();
    void additionBoundaries();
    void rightAnswerNeverOnTheSameButtonTwice();
    void numbersAsShownAndRead_data();
    void numbersAsShownAndRead();

    void subtractionModes_data();
    void subtractionModes();
    void subtractionWrongAnswers_data();
    void subtractionWrongAnswers();
    void subtractionMode2TopAnswerStandsOut();
    void multiplication();
    void division();
};

namespace {

// The four captions differ and exactly one of them is the right answer, on the right button.
bool onePlacedRightAnswer(const Question &q) {
    QSet<QString> distinct(q.captions().begin(), q.captions().end());
    int right = 0;
    for (const QString &c : q.captions())
        right += c == formatNumber(q.answer);
    return distinct.size() == 4 && right == 1 &&
           q.captions()[q.choice.rightSlot - 1] == formatNumber(q.answer);
}

} // namespace

void GeneratorTest::additionModes_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("minA");
    QTest::addColumn<int>("maxA");
    QTest::addColumn<int>("minB");
    QTest::addColumn<int>("maxB");
    QTest::addColumn<int>("minSum");
    QTest::addColumn<int>("maxSum");
    QTest::newRow("1 sum below 10") << 1 << 0 << 9 << 0 << 9 << 0 << 9;
    QTest::newRow("2 sum from 10") << 2 << 1 << 9 << 1 << 9 << 10 << 18;
    QTest::newRow("3 sum to 49") << 3 << 10 << 40 << 1 << 9 << 11 << 49;
    QTest::newRow("4 sum from 50") << 4 << 41 << 90 << 1 << 9 << 50 << 99;
    QTest::newRow("5 sum to 100") << 5 << 10 << 90 << 10 << 90 << 20 << 100;
    QTest::newRow("6 sum from 100") << 6 << 10 << 100 << 10 << 100 << 100 << 200;
}

// Over many pinned draws: operands and sums stay in the mode's ranges, the wrong answers are
// sums of the same mode, and the four captions differ with exactly one right.
void GeneratorTest::additionModes() {
    QFETCH(int, mode);
    QFETCH(int, minA);
    QFETCH(int, maxA);
    QFETCH(int, minB);
    QFETCH(int, maxB);
    QFETCH(int, minSum);
    QFETCH(int, maxSum);
    core::Random rnd;
    rnd.pin(1234 + mode);
    core::Globals g;
    QSet<int> sumsSeen;
    int seenMinA = 1000, seenMaxA = -1, seenMinSum = 1000, seenMaxSum = -1;
    for (int i = 0; i < 20000; ++i) {
        const Question q = additionQuestion(rnd, g, mode);
        const int a = q.first.toInt(), b = q.second.toInt();
        QVERIFY(a >= minA && a <= maxA);
        QVERIFY(b >= minB && b <= maxB);
        QCOMPARE(q.answer, double(a + b));
        seenMinA = std::min(seenMinA, a);
        seenMaxA = std::max(seenMaxA, a);
        seenMinSum = std::min(seenMinSum, a + b);
        seenMaxSum = std::max(seenMaxSum, a + b);
        QSet<QString> distinct(q.captions().begin(), q.captions().end());
        QCOMPARE(distinct.size(), 4);
        int right = 0;
        for (const QString &c : q.captions()) {
            const int v = c.toInt();
            QVERIFY2(v >= minSum && v <= maxSum, qPrintable(c));
            sumsSeen.insert(v);
            right += v == a + b;
        }
        QCOMPARE(right, 1);
        QCOMPARE(q.captions()[q.choice.rightSlot - 1], QString::number(a + b));
    }
    // The whole range is reached, boundaries included.
    QCOMPARE(seenMinSum, minSum);
    QCOMPARE(seenMaxSum, maxSum);
    QCOMPARE(seenMinA, minA);
    QCOMPARE(seenMaxA, maxA);
}

void GeneratorTest::additionBoundaries_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QList<double>>("draws");
    QTest::addColumn<QString>("question");
    // Rnd values are chosen so Int(Rnd * n + m) gives the wanted operand.
    QTest::newRow("mode 1: 0 + 0") << 1 << QList<double>{0.0, 0.0} << "0+0";
    QTest::newRow("mode 2: 5 + 5 is allowed") << 2 << QList<double>{0.55, 0.55} << "5+5";
    QTest::newRow("mode 2: 4 + 5 is redrawn") << 2 << QList<double>{0.45, 0.55, 0.95, 0.15} << "9+1";
    QTest::newRow("mode 4: 41 + 9 = 50 allowed") << 4 << QList<double>{31.5 / 81, 8.5 / 9} << "41+9";
    QTest::newRow("mode 5: 90 + 10 = 100 allowed") << 5 << QList<double>{80.5 / 91, 0.5 / 91} << "90+10";
    QTest::newRow("mode 5: 91 + 10 redrawn") << 5 << QList<double>{81.5 / 91, 0.5 / 91, 0.0, 0.0} << "10+10";
    QTest::newRow("mode 6: 100 + 100") << 6 << QList<double>{90.5 / 91, 90.5 / 91} << "100+100";
    QTest::newRow("mode 6: 50 + 50 allowed") << 6 << QList<double>{40.5 / 91, 40.5 / 91} << "50+50";
}

void GeneratorTest::additionBoundaries() {
    QFETCH(int, mode);
    QFETCH(QList<double>, draws);
    QFETCH(QString, question);
    core::Random rnd = testing_support::scriptedRandom(7, draws);
    core::Globals g;
    const Question q = additionQuestion(rnd, g, mode);
    QCOMPARE(q.first + "+" + q.second, question);
    QCOMPARE(q.answer, q.first.toDouble() + q.second.toDouble());
}

void GeneratorTest::rightAnswerNeverOnTheSameButtonTwice() {
    core::Random rnd;
    rnd.pin(99);
    core::Globals g;
    int last = 0;
    QList<int> used;
    for (int i = 0; i < 2000; ++i) {
        const Question q = additionQuestion(rnd, g, 1 + i % 6);
        QVERIFY(q.choice.rightSlot != last);
        QCOMPARE(g.lastAnswerSlot, q.choice.rightSlot);
        QSet<int> places{q.choice.places.begin(), q.choice.places.end()};
        QCOMPARE(places, (QSet<int>{1, 2, 3, 4}));
        last = q.choice.rightSlot;
        used << last;
    }
    for (int k = 1; k <= 4; ++k)
        QVERIFY(used.contains(k));
}

void GeneratorTest::numbersAsShownAndRead_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<double>("value");
    QTest::newRow("whole") << "12" << 12.0;
    QTest::newRow("leading blanks") << "  7" << 7.0;
    QTest::newRow("trailing text") << "66分" << 66.0;
    QTest::newRow("decimal") << "0.6" << 0.6;
    QTest::newRow("no number") << "?" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blank") << " " << 0.0;
}

void GeneratorTest::numbersAsShownAndRead() {
    QFETCH(QString, caption);
    QFETCH(double, value);
    QCOMPARE(leadingValue(caption), value);
    if (value == std::floor(value) && !caption.trimmed().isEmpty() && caption.trimmed().toInt())
        QCOMPARE(formatNumber(value), QString::number(int(value)));
    QCOMPARE(formatNumber(200), QStringLiteral("200"));
    QCOMPARE(formatNumber(0.6), QStringLiteral("0.6"));
    QCOMPARE(formatNumber(100000), QStringLiteral("100000"));
}

void GeneratorTest::subtractionModes_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("minA");
    QTest::addColumn<int>("maxA");
    QTest::addColumn<int>("minB");
    QTest::addColumn<int>("maxB");
    QTest::addColumn<int>("maxWrong");
    QTest::newRow("1 one digit from one digit") << 1 << 0 << 9 << 0 << 9 << 9;
    QTest::newRow("2 one digit from two digits") << 2 << 10 << 99 << 1 << 9 << 89;
    QTest::newRow("3 two digits from two digits") << 3 << 10 << 99 << 10 << 99 << 90;
}

// Over many pinned draws: operands in the mode's ranges, never a negative answer, wrong
// answers from 0 up to the mode's limit, four different captions with one right.
void GeneratorTest::subtractionModes() {
    QFETCH(int, mode);
    QFETCH(int, minA);
    QFETCH(int, maxA);
    QFETCH(int, minB);
    QFETCH(int, maxB);
    QFETCH(int, maxWrong);
    core::Random rnd;
    rnd.pin(4321 + mode);
    core::Globals g;
    int seenMinA = 1000, seenMaxA = -1, seenMinB = 1000, seenMaxB = -1, seenMinWrong = 1000,
        seenMaxWrong = -1;
    bool sameOperands = false;
    for (int i = 0; i < 20000; ++i) {
        const Question q = subtractionQuestion(rnd, g, mode);
        const int a = q.first.toInt(), b = q.second.toInt();
        QVERIFY2(a >= minA && a <= maxA, qPrintable(q.first));
        QVERIFY2(b >= minB && b <= maxB, qPrintable(q.second));
        QVERIFY(b <= a);
        QCOMPARE(q.answer, double(a - b));
        QVERIFY(onePlacedRightAnswer(q));
        for (int k = 1; k <= 4; ++k) {
            if (k == q.choice.rightSlot) continue;
            bool ok = false;
            const int w = q.captions()[k - 1].toInt(&ok);
            QVERIFY2(ok && w >= 0 && w <= maxWrong, qPrintable(q.captions()[k - 1]));
            seenMinWrong = std::min(seenMinWrong, w);
            seenMaxWrong = std::max(seenMaxWrong, w);
        }
        seenMinA = std::min(seenMinA, a);
        seenMaxA = std::max(seenMaxA, a);
        seenMinB = std::min(seenMinB, b);
        seenMaxB = std::max(seenMaxB, b);
        sameOperands = sameOperands || a == b;
    }
    QCOMPARE(seenMinA, minA);
    QCOMPARE(seenMaxA, maxA);
    QCOMPARE(seenMinB, minB);
    QCOMPARE(seenMaxB, maxB);
    QCOMPARE(seenMinWrong, 0); // 0 is offered even when the right answer is large
    QCOMPARE(seenMaxWrong, maxWrong);
    QCOMPARE(sameOperands, mode != 2); // 0 - 0, 9 - 9, 45 - 45 can be asked
}

void GeneratorTest::subtractionWrongAnswers_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QList<double>>("draws");
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("firstWrong");
    // Draws: a, b, the right answer's place (button 1), the first wrong answer's place
    // (button 3), then the unrounded pairs a', b' of the first wrong answer.
    const QList<double> places{0.1, 0.6};
    QTest::newRow("same whole part, a' < b': 1")
        << 1 << QList<double>{0.55, 0.35} + places + QList<double>{0.42, 0.47} << "5-3" << 1;
    QTest::newRow("plain pair: Int(5.8) = 5")
        << 1 << QList<double>{0.95, 0.05} + places + QList<double>{0.79, 0.21} << "9-0" << 5;
    QTest::newRow("b' above a' is redrawn")
        << 1 << QList<double>{0.55, 0.35} + places + QList<double>{0.35, 0.41, 0.6, 0.1} << "5-3" << 5;
    QTest::newRow("mode 2: 10.2 - 9.8 gives 0")
        << 2 << QList<double>{0.5, 0.5} + places + QList<double>{0.2 / 81, 8.8 / 9} << "55-5" << 0;
    QTest::newRow("mode 3: 50.3 - 50.6 gives 1")
        << 3 << QList<double>{0.5, 0.1} + places + QList<double>{40.3 / 91, 40.6 / 91} << "55-19" << 1;
    QTest::newRow("mode 3: 100.5 - 10.2 gives 90")
        << 3 << QList<double>{0.5, 0.1} + places + QList<double>{90.5 / 91, 0.2 / 91} << "55-19" << 90;
}

void GeneratorTest::subtractionWrongAnswers() {
    QFETCH(int, mode);
    QFETCH(QList<double>, draws);
    QFETCH(QString, question);
    QFETCH(int, firstWrong);
    core::Random rnd = testing_support::scriptedRandom(11, draws);
    core::Globals g;
    const Question q = subtractionQuestion(rnd, g, mode);
    QCOMPARE(q.first + "-" + q.second, question);
    QCOMPARE(q.choice.places[0], 1);
    QCOMPARE(q.choice.places[1], 3);
    QCOMPARE(q.choice.wrongKeys[0], double(firstWrong));
    QCOMPARE(q.captions()[2], QString::number(firstWrong));
}

// 99 - 1: the right answer 98 is above every wrong answer the mode can offer.
void GeneratorTest::subtractionMode2TopAnswerStandsOut() {
    core::Random rnd;
    rnd.pin(5);
    core::Globals g;
    for (int i = 0; i < 500; ++i) {
        rnd.script({89.5 / 90, 0.5 / 9});
        const Question q = subtractionQuestion(rnd, g, 2);
        QCOMPARE(q.first + "-" + q.second, QStringLiteral("99-1"));
        QCOMPARE(q.answer, 98.0);
        for (int k = 1; k <= 4; ++k)
            if (k != q.choice.rightSlot) QVERIFY(q.captions()[k - 1].toInt() < 98);
    }
}

void GeneratorTest::multiplication() {
    QSet<int> products;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            products.insert(x * y);
    core::Random rnd;
    rnd.pin(77);
    core::Globals g;
    QSet<int> asked, offered;
    for (int i = 0; i < 20000; ++i) {
        const Question q = multiplicationQuestion(rnd, g);
        const int a = q.first.toInt(), b = q.second.toInt();
        QVERIFY(a >= 1 && a <= 9 && b >= 1 && b <= 9);
        QCOMPARE(q.answer, double(a * b));
        QVERIFY(onePlacedRightAnswer(q));
        for (const QString &c : q.captions()) {
            // Never 11 or 13: every offer is a product of two numbers 1..9.
            QVERIFY2(products.contains(c.toInt()), qPrintable(c));
            offered.insert(c.toInt());
        }
        asked.insert(a * 10 + b);
    }
    QCOMPARE(asked.size(), 81);
    QCOMPARE(offered, products);
}

void GeneratorTest::division() {
    core::Random rnd;
    rnd.pin(88);
    core::Globals g;
    QSet<int> dividends;
    bool byOne = false, selfDivided = false;
    for (int i = 0; i < 20000; ++i) {
        const Question q = divisionQuestion(rnd, g);
        const int dividend = q.first.toInt(), divisor = q.second.toInt();
        QVERIFY(divisor >= 1 && divisor <= 9);
        QVERIFY(dividend >= 1 && dividend <= 81);
        QCOMPARE(dividend % divisor, 0); // never a remainder
        QCOMPARE(q.answer, double(dividend / divisor));
        QVERIFY(q.answer >= 1 && q.answer <= 9);
        QVERIFY(onePlacedRightAnswer(q));
        for (const QString &c : q.captions())
            QVERIFY(c.toInt() >= 1 && c.toInt() <= 9);
        dividends.insert(dividend);
        byOne = byOne || divisor == 1;
        selfDivided = selfDivided || dividend == divisor;
    }
    QVERIFY(dividends.contains(1) && dividends.contains(81));
    QVERIFY(byOne && selfDivided);
}

QTEST_GUILESS_MAIN(GeneratorTest)
#include "GeneratorTest.moc"
