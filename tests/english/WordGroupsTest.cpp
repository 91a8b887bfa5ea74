#include "english/WordGroups.h"
#include "services/TableCursor.h"
#include "support/ScriptedRandom.h"

#include <QTest>
#include <set>

using namespace english;

namespace {
// A book of n words "w1".."wn" whose meanings are given, or "意思1".."意思n".
services::TableCursor book(int n, const QStringList &meanings = {}) {
    std::vector<qint64> ids;
    std::vector<QStringList> rows;
    for (int i = 1; i <= n; ++i) {
        ids.push_back(i);
        const QString meaning = meanings.isEmpty() ? QStringLiteral("意思%1").arg(i) : meanings[i - 1];
        rows.push_back(
            {QString::number(i), QStringLiteral(" w%1 ").arg(i), meaning, QStringLiteral("Ex %1.").arg(i)});
    }
    return services::TableCursor(nullptr, QStringLiteral("book"), {"number", "word", "meaning", "example"},
                                 ids, rows);
}
} // namespace

class WordGroupsTest : public QObject {
    Q_OBJECT

  private slots:
    void groupsHoldWords_data() {
        QTest::addColumn<int>("words");
        QTest::addColumn<QStringList>("groups");
        QTest::newRow("empty book") << 0 << QStringList{};
        QTest::newRow("one word") << 1 << QStringList{"0"};
        QTest::newRow("99") << 99 << QStringList{"0"};
        QTest::newRow("exactly 100") << 100 << QStringList{"0"};
        QTest::newRow("101") << 101 << QStringList{"0", "100"};
        QTest::newRow("exactly 200: no empty third group") << 200 << QStringList{"0", "100"};
        QTest::newRow("250") << 250 << QStringList{"0", "100", "200"};
    }
    void groupsHoldWords() {
        QFETCH(int, words);
        QFETCH(QStringList, groups);
        QCOMPARE(groupStarts(words), groups);
    }

    void recordsAreTrimmed() {
        auto c = book(3);
        c.MoveFirst();
        c.Move(1);
        const auto w = currentWord(c);
        QVERIFY(w);
        QCOMPARE(w->word, QStringLiteral("w2"));
        QCOMPARE(w->number, QStringLiteral("2"));
        QCOMPARE(w->meaning, QStringLiteral("意思2"));
        QCOMPARE(w->example, QStringLiteral("Ex 2."));
        c.Move(5);
        QVERIFY(!currentWord(c));
    }

    // Steps through a group: the positions shown by each step after the group's first record.
    void groupWrap_data() {
        QTest::addColumn<int>("words");
        QTest::addColumn<int>("groupStart");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QList<int>>("shown"); // positions after steps 1, 2, ..., and the last ones
        QTest::newRow("full group wraps at 100") << 250 << 100 << 100 << QList<int>{101, 102};
        QTest::newRow("table's end wraps at once") << 250 << 200 << 50 << QList<int>{201, 202};
        QTest::newRow("first group of a small book") << 30 << 0 << 30 << QList<int>{1, 2};
    }
    void groupWrap() {
        QFETCH(int, words);
        QFETCH(int, groupStart);
        QFETCH(int, steps);
        QFETCH(QList<int>, shown);
        auto c = book(words);
        int counter = -1;
        toGroupStart(c, groupStart, counter);
        QCOMPARE(counter, 0);
        QCOMPARE(c.AbsolutePosition(), groupStart);
        QList<int> seen;
        for (int i = 1; i <= steps; ++i) {
            stepInGroup(c, groupStart, counter);
            seen << c.AbsolutePosition();
        }
        QCOMPARE(seen.mid(0, 2), shown);
        // Every step before the wrap shows the next record; the last one is the group's first again.
        for (int i = 0; i + 1 < steps; ++i)
            QCOMPARE(seen[i], groupStart + i + 1);
        QCOMPARE(seen.last(), groupStart);
        QCOMPARE(counter, 0);
        stepInGroup(c, groupStart, counter);
        QCOMPARE(c.AbsolutePosition(), groupStart + 1);
    }

    void paces_data() {
        QTest::addColumn<int>("readingPace");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("fillMs");
        QTest::addColumn<int>("revealMs");
        QTest::newRow("慢速") << 0 << 1 << 60 << 8000;
        QTest::newRow("中速") << 1 << 2 << 100 << 4500;
        QTest::newRow("快速") << 2 << 4 << 100 << 2300;
    }
    void paces() {
        QFETCH(int, readingPace);
        QFETCH(int, step);
        QFETCH(int, fillMs);
        QFETCH(int, revealMs);
        const Pace p = pace(readingPace);
        QCOMPARE(p.step, step);
        QCOMPARE(p.fillMs, fillMs);
        QCOMPARE(p.revealMs, revealMs);
    }

    void choiceOrderThresholds_data() {
        QTest::addColumn<double>("r");
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("0") << 0.0 << QList<int>{0, 1, 2};
        QTest::newRow("just under 0.333") << 0.3329 << QList<int>{0, 1, 2};
        QTest::newRow("0.333 exactly") << 0.333 << QList<int>{1, 2, 0};
        QTest::newRow("0.5") << 0.5 << QList<int>{1, 2, 0};
        QTest::newRow("0.666") << 0.666 << QList<int>{2, 0, 1};
        QTest::newRow("0.9999") << 0.9999 << QList<int>{2, 0, 1};
    }
    void choiceOrderThresholds() {
        QFETCH(double, r);
        QFETCH(QList<int>, order);
        const ChoiceOrder o = choiceOrder(r);
        QCOMPARE((QList<int>{o.right, o.other1, o.other2}), order);
    }

    void percentage_data() {
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("learned");
        QTest::addColumn<int>("percent");
        QTest::newRow("7 of 10") << 7 << 10 << 70;
        QTest::newRow("3 of 7, rounded down") << 3 << 7 << 42;
        QTest::newRow("none asked") << 0 << 0 << 0;
        QTest::newRow("all") << 5 << 5 << 100;
    }
    void percentage() {
        QFETCH(int, right);
        QFETCH(int, learned);
        QTEST(percentRight(right, learned), "percent");
    }

    // The draws land on the word asked and on an equal meaning first; both are passed over.
    void otherMeaningsSkipTheAskedWordAndItsMeaning() {
        // Positions 0..9; the word asked is position 4, position 7 means the same.
        QStringList meanings;
        for (int i = 1; i <= 10; ++i)
            meanings << QStringLiteral("意思%1").arg(i);
        meanings[7] = meanings[4];
        meanings[8] = meanings[2];
        auto c = book(10, meanings);
        // Int(9 × r + 1): 0.4 → 4 (asked), 0.7 → 7 (same meaning), 0.2 → 2, 0.8 → 8 (same as 2), 0.6 → 6.
        core::Random rnd = testing_support::scriptedRandom(1, {0.4, 0.7, 0.2, 0.8, 0.6});
        QCOMPARE(otherMeanings(rnd, c, 4), (std::vector<int>{2, 6}));
        QCOMPARE(rnd.scriptedLeft(), std::size_t(0));
    }

    void otherMeaningsNeverPosition0AndAlwaysDistinct() {
        auto c = book(40);
        core::Random rnd;
        rnd.pin(7);
        for (int asked = 0; asked < 40; ++asked) {
            const auto others = otherMeanings(rnd, c, asked);
            QCOMPARE(others.size(), std::size_t(2));
            QVERIFY(others[0] != others[1]);
            for (int pos : others) {
                QVERIFY(pos >= 1 && pos < 40);
                QVERIFY(pos != asked);
            }
        }
    }

    void smallBooksOfferWhatTheyHave_data() {
        QTest::addColumn<QStringList>("meanings");
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("offered");
        QTest::newRow("one word") << QStringList{"甲"} << 0 << 0;
        QTest::newRow("all meanings equal") << QStringList{"甲", "甲", "甲", "甲"} << 1 << 0;
        QTest::newRow("two distinct") << QStringList{"甲", "甲", "乙", "乙"} << 1 << 1;
        QTest::newRow("three words, asked the second") << QStringList{"甲", "乙", "丙"} << 1 << 1;
        QTest::newRow("empty meanings skipped") << QStringList{"甲", "乙", "", " "} << 1 << 0;
    }
    void smallBooksOfferWhatTheyHave() {
        QFETCH(QStringList, meanings);
        QFETCH(int, asked);
        auto c = book(int(meanings.size()), meanings);
        core::Random rnd;
        rnd.pin(3);
        QFETCH(int, offered);
        QCOMPARE(int(otherMeanings(rnd, c, asked).size()), offered);
    }

    void dealIsAPermutation() {
        core::Random rnd;
        rnd.pin(11);
        for (int deal = 0; deal < 20; ++deal) {
            const auto order = dealOrder(rnd);
            QCOMPARE(std::set<int>(order.begin(), order.end()).size(), std::size_t(kBoardWords));
            QCOMPARE(*std::min_element(order.begin(), order.end()), 0);
            QCOMPARE(*std::max_element(order.begin(), order.end()), 24);
        }
        // Repeated draws are drawn again: Int(25 × r + 1) − 1.
        core::Random scripted = testing_support::scriptedRandom(1, {0.5, 0.5, 0.0});
        const auto order = dealOrder(scripted);
        QCOMPARE(order[0], 12);
        QCOMPARE(order[1], 0);
    }

    void levels() {
        QCOMPARE(nextLevelOffset(0), 25);
        QCOMPARE(nextLevelOffset(25), 50);
        QCOMPARE(nextLevelOffset(50), 75);
        QCOMPARE(nextLevelOffset(75), 0);
        QCOMPARE(shownMeaning(QStringLiteral("一二三四五六七八九十十一")),
                 QStringLiteral("一二三四五六七八九十"));
        QCOMPARE(shownMeaning(QStringLiteral("苹果")), QStringLiteral("苹果"));
    }
};

QTEST_GUILESS_MAIN(WordGroupsTest)
#include "WordGroupsTest.moc"
