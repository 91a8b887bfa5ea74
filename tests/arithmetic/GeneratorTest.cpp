#include "arithmetic/DrillGenerators.h"

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
};

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
    app::Random rnd;
    rnd.pin(1234 + mode);
    app::Globals g;
    g.menuMode = mode;
    QSet<int> sumsSeen;
    int seenMinA = 1000, seenMaxA = -1, seenMinSum = 1000, seenMaxSum = -1;
    for (int i = 0; i < 20000; ++i) {
        const Question q = additionQuestion(rnd, g);
        const int a = q.first.toInt(), b = q.second.toInt();
        QVERIFY(a >= minA && a <= maxA);
        QVERIFY(b >= minB && b <= maxB);
        QCOMPARE(q.answer, double(a + b));
        QCOMPARE(g.correctAnswer, q.answer);
        seenMinA = std::min(seenMinA, a);
        seenMaxA = std::max(seenMaxA, a);
        seenMinSum = std::min(seenMinSum, a + b);
        seenMaxSum = std::max(seenMaxSum, a + b);
        QSet<QString> distinct(q.captions.begin(), q.captions.end());
        QCOMPARE(distinct.size(), 4);
        int right = 0;
        for (const QString &c : q.captions) {
            const int v = c.toInt();
            QVERIFY2(v >= minSum && v <= maxSum, qPrintable(c));
            sumsSeen.insert(v);
            right += v == a + b;
        }
        QCOMPARE(right, 1);
        QCOMPARE(q.captions[g.answerSlot1 - 1], QString::number(a + b));
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
    app::Random rnd;
    rnd.pin(7);
    for (double d : draws)
        rnd.script({d});
    app::Globals g;
    g.menuMode = mode;
    const Question q = additionQuestion(rnd, g);
    QCOMPARE(q.first + "+" + q.second, question);
    QCOMPARE(q.answer, q.first.toDouble() + q.second.toDouble());
}

void GeneratorTest::rightAnswerNeverOnTheSameButtonTwice() {
    app::Random rnd;
    rnd.pin(99);
    app::Globals g;
    int last = 0;
    QList<int> used;
    for (int i = 0; i < 2000; ++i) {
        g.menuMode = 1 + i % 6;
        additionQuestion(rnd, g);
        QVERIFY(g.answerSlot1 != last);
        QCOMPARE(g.lastAnswerSlot, g.answerSlot1);
        QSet<int> places{g.answerSlot1, g.answerSlot2, g.answerSlot3, g.answerSlot4};
        QCOMPARE(places, (QSet<int>{1, 2, 3, 4}));
        last = g.answerSlot1;
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

QTEST_GUILESS_MAIN(GeneratorTest)
#include "GeneratorTest.moc"
