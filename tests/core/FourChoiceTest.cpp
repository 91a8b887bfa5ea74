#include "core/FourChoice.h"
#include "support/ScriptedRandom.h"

#include <QTest>

using testing_support::scriptedRandom;

Q_DECLARE_METATYPE(core::ChoiceRules)

namespace {

// The draw that makes Int(Rnd * n + m) give v.
double r(int n, int m, int v) {
    return (v - m + 0.5) / n;
}
double slot(int s) {
    return r(4, 1, s);
}

// A pool of records 0..n-1 with these captions; the draw picks any record.
struct Records {
    QStringList captions;
    core::Random *rnd = nullptr;
    core::WrongPool pool() const {
        const int n = int(captions.size());
        return {[this, n] { return double(rnd->countFrom(n, 0)); }, n, [](int i) { return double(i); }};
    }
    std::function<QString(double)> caption() const {
        return [this](double k) { return captions.value(int(k)); };
    }
};

const core::ChoiceRules kDrill{};
const core::ChoiceRules kGeometry{.avoidLastSlot = false,
                                  .fourthSlot = core::ChoiceRules::FourthSlot::LeftOver};

} // namespace

class FourChoiceTest : public QObject {
    Q_OBJECT

  private slots:
    // Scripted draws per variant: the order is right slot, then (slot, wrong answer) three times.
    void placement_data() {
        QTest::addColumn<core::ChoiceRules>("rules");
        QTest::addColumn<int>("lastSlot");
        QTest::addColumn<QStringList>("records"); // record 0 is the right answer
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QStringList>("captions"); // buttons 1..4
        QTest::addColumn<QList<int>>("places");    // right, then the wrong ones
        QTest::addColumn<int>("lastAfter");

        const QStringList five{"猫", "狗", "鸡", "鸭", "鹅"};
        QTest::newRow("drill order") << kDrill << 0 << five
                                     << QList<double>{slot(2),    slot(4), r(5, 0, 1), slot(1),
                                                      r(5, 0, 3), slot(3), r(5, 0, 4)}
                                     << QStringList{"鸭", "猫", "鹅", "狗"} << QList<int>{2, 4, 1, 3} << 2;
        QTest::newRow("right avoids the last place")
            << kDrill << 2 << five << QList<double>{slot(2),    slot(2), slot(1),    slot(1), slot(3),
                                                    r(5, 0, 2), slot(4), r(5, 0, 3), slot(2), r(5, 0, 4)}
            << QStringList{"猫", "鹅", "鸡", "鸭"} << QList<int>{1, 3, 4, 2} << 1;
        QTest::newRow("repeats redrawn")
            << kDrill << 0 << five
            << QList<double>{slot(1), slot(1),    slot(2),    r(5, 0, 0), r(5, 0, 2), slot(2),
                             slot(3), r(5, 0, 2), r(5, 0, 4), slot(4),    r(5, 0, 3)}
            << QStringList{"猫", "鸡", "鹅", "鸭"} << QList<int>{1, 2, 3, 4} << 1;
        QTest::newRow("geometry: any place, fourth left over")
            << kGeometry << 3 << five
            << QList<double>{slot(3), slot(1), r(5, 0, 4), slot(4), r(5, 0, 1), r(5, 0, 2)}
            << QStringList{"鹅", "鸡", "猫", "狗"} << QList<int>{3, 1, 4, 2} << 3;
        QTest::newRow("same text counts once")
            << kDrill << 0 << QStringList{"大", "大", "小", "多", "小"}
            << QList<double>{slot(1), slot(2),    r(5, 0, 1), r(5, 0, 2),
                             slot(3), r(5, 0, 4), r(5, 0, 3), slot(4)}
            << QStringList{"大", "小", "多", ""} << QList<int>{1, 2, 3, 4} << 1;
        QTest::newRow("three records") << kGeometry << 0 << QStringList{"一", "二", "三"}
                                       << QList<double>{slot(4), slot(3), r(3, 0, 2), slot(1), r(3, 0, 1)}
                                       << QStringList{"二", "", "三", "一"} << QList<int>{4, 3, 1, 2} << 0;
        QTest::newRow("one record") << kDrill << 0 << QStringList{"独"}
                                    << QList<double>{slot(3), slot(1), slot(2), slot(4)}
                                    << QStringList{"", "", "独", ""} << QList<int>{3, 1, 2, 4} << 3;
        QTest::newRow("blank records are never offered")
            << kDrill << 0 << QStringList{"有", " ", "", "无"}
            << QList<double>{slot(1), slot(2), r(4, 0, 1), r(4, 0, 2), r(4, 0, 3), slot(3), slot(4)}
            << QStringList{"有", "无", "", ""} << QList<int>{1, 2, 3, 4} << 1;
    }

    void placement() {
        QFETCH(core::ChoiceRules, rules);
        QFETCH(int, lastSlot);
        QFETCH(QStringList, records);
        QFETCH(QList<double>, draws);
        QFETCH(QStringList, captions);
        QFETCH(QList<int>, places);
        QFETCH(int, lastAfter);

        core::Random rnd = scriptedRandom(5, draws);
        core::Globals g;
        g.lastAnswerSlot = lastSlot;
        Records pool{records, &rnd};
        const core::FourChoice c = core::placeFourChoice(rnd, g, 0, pool.caption(), pool.pool(), rules);
        QCOMPARE(QStringList(c.captions.begin(), c.captions.end()), captions);
        QCOMPARE(QList<int>(c.places.begin(), c.places.end()), places);
        QCOMPARE(c.rightSlot, c.places[0]);
        QCOMPARE(g.lastAnswerSlot, lastAfter);
        QCOMPARE(rnd.scriptedLeft(), std::size_t(0)); // exactly the scripted draws were used
        for (int k = 0; k < 4; ++k)
            QCOMPARE(c.filled[std::size_t(k)], !captions[k].isEmpty());
    }

    // Whatever the table, the placement ends, and what it shows is distinct and from the table.
    void neverHangsNeverRepeats() {
        core::Random rnd;
        rnd.pin(11);
        core::Globals g;
        for (int n = 0; n <= 8; ++n)
            for (int dup = 0; dup < 3; ++dup)
                for (int round = 0; round < 50; ++round) {
                    QStringList records{QStringLiteral("right")};
                    for (int i = 1; i < n; ++i)
                        records << QString::number(i % (dup + 1 == 1 ? n : dup + 1));
                    Records pool{records, &rnd};
                    const auto c = core::placeFourChoice(rnd, g, 0, pool.caption(), pool.pool(),
                                                         round % 2 ? kDrill : kGeometry);
                    QSet<QString> seen;
                    int filled = 0;
                    for (int k = 0; k < 4; ++k) {
                        if (!c.filled[std::size_t(k)]) {
                            QVERIFY(c.captions[std::size_t(k)].isEmpty());
                            continue;
                        }
                        ++filled;
                        QVERIFY(records.contains(c.captions[std::size_t(k)]));
                        QVERIFY(!seen.contains(c.captions[std::size_t(k)]));
                        seen.insert(c.captions[std::size_t(k)]);
                    }
                    const int distinct = int(QSet<QString>(records.begin(), records.end()).size());
                    QCOMPARE(filled, std::min(4, distinct));
                }
    }

    // A pool too big to list gives up rather than loop when its draws only ever repeat.
    void unlistedPoolThatOnlyRepeats() {
        core::Random rnd;
        rnd.pin(3);
        core::Globals g;
        const core::WrongPool pool{[] { return 7.0; }, core::WrongPool::kUnlisted, {}};
        const auto c = core::placeFourChoice(
            rnd, g, 7, [](double k) { return QString::number(k); }, pool);
        QCOMPARE(c.wrongFilled, 0);
        QCOMPARE(c.captions[std::size_t(c.rightSlot - 1)], QStringLiteral("7"));
    }
};

QTEST_MAIN(FourChoiceTest)
#include "FourChoiceTest.moc"
