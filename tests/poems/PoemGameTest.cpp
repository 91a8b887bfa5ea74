#include "poems/PoemGame.h"
#include "support/ScriptedRandom.h"

#include <QTest>

using poems::PoemGame;
using testing_support::scriptedRandom;

namespace {
// The draw that makes Int(Rnd * 4 + 1) give v.
double place(int v) {
    return (v - 0.5) / 4;
}
} // namespace

class PoemGameTest : public QObject {
    Q_OBJECT

  private slots:
    void shuffle_data() {
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QList<int>>("places");
        QTest::newRow("three different at once")
            << QList<double>{place(3), place(1), place(4)} << QList<int>{3, 1, 4, 2};
        QTest::newRow("a repeat draws all three again")
            << QList<double>{place(2), place(2), place(1), place(4), place(3), place(2)}
            << QList<int>{4, 3, 2, 1};
    }
    void shuffle() {
        QFETCH(QList<double>, draws);
        QFETCH(QList<int>, places);
        auto rnd = scriptedRandom(1, draws);
        const auto p = PoemGame::shuffle(rnd);
        QCOMPARE((QList<int>{p[0], p[1], p[2], p[3]}), places);
        QCOMPARE(rnd.scriptedLeft(), std::size_t(0));
    }

    void shuffleIsAlwaysAPermutation() {
        core::Random rnd;
        rnd.pin(9);
        for (int round = 0; round < 200; ++round) {
            auto p = PoemGame::shuffle(rnd);
            std::sort(p.begin(), p.end());
            QCOMPARE(p, (std::array<int, 4>{1, 2, 3, 4}));
        }
    }

    void order_data() {
        QTest::addColumn<QStringList>("placed");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("right");
        const QStringList poem{"床前明月光，", "疑是地上霜。", "举头望明月，", "低头思故乡。"};
        QTest::newRow("in order") << poem << poem << true;
        QTest::newRow("two lines swapped")
            << QStringList{poem[1], poem[0], poem[2], poem[3]} << poem << false;
        QTest::newRow("a blank more is another text")
            << QStringList{poem[0], poem[1], poem[2], poem[3] + " "} << poem << false;
        const QStringList twice{"甲", "乙", "甲", "丙"};
        QTest::newRow("equal lines: either order") << twice << twice << true;
    }
    void order() {
        QFETCH(QStringList, placed);
        QFETCH(QStringList, lines);
        QFETCH(bool, right);
        const std::array<QString, 4> s{placed[0], placed[1], placed[2], placed[3]};
        const std::array<QString, 4> l{lines[0], lines[1], lines[2], lines[3]};
        QCOMPARE(PoemGame::inOrder(s, l), right);
    }

    void next_data() {
        QTest::addColumn<bool>("inListOrder");
        QTest::addColumn<int>("solved");
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("u");
        QTest::addColumn<int>("expected");
        QTest::newRow("in order: the next") << true << 0 << 108 << 0.0 << 1;
        QTest::newRow("in order: none after the last") << true << 107 << 108 << 0.0 << -1;
        QTest::newRow("random: the first poem may come") << false << 5 << 108 << 0.0 << 0;
        QTest::newRow("random: the solved one is skipped") << false << 5 << 108 << 5.5 / 107 << 6;
        QTest::newRow("random: up to the last") << false << 5 << 108 << 0.9999 << 107;
        QTest::newRow("random: the last solved") << false << 107 << 108 << 0.9999 << 106;
        QTest::newRow("random: two poems") << false << 0 << 2 << 0.3 << 1;
        QTest::newRow("random: one poem, none other") << false << 0 << 1 << 0.3 << -1;
    }
    void next() {
        QFETCH(bool, inListOrder);
        QFETCH(int, solved);
        QFETCH(int, count);
        QFETCH(double, u);
        QFETCH(int, expected);
        auto rnd = scriptedRandom(1, {u});
        QCOMPARE(PoemGame::next(rnd, inListOrder, solved, count), expected);
    }

    void countTexts() {
        QCOMPARE(PoemGame::countText(108), QStringLiteral("共有108首唐诗"));
        QCOMPARE(PoemGame::countText(108, 0), QStringLiteral("共有108首唐诗  这是第1首"));
        QCOMPARE(PoemGame::countText(4, 3), QStringLiteral("共有4首唐诗  这是第4首"));
    }
};

QTEST_APPLESS_MAIN(PoemGameTest)
#include "PoemGameTest.moc"
