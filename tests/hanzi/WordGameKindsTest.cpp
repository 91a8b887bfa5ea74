#include "hanzi/WordGameKinds.h"
#include "services/TableCursor.h"
#include "support/ScriptedRandom.h"

#include <QSet>
#include <QTest>

using namespace hanzi;
using testing_support::scriptedRandom;

Q_DECLARE_METATYPE(const hanzi::WordGameKind *)

namespace {

// Entries whose answers are "答0", "答1", ...; the answer text tells the position back.
std::vector<WordEntry> numbered(int n) {
    std::vector<WordEntry> out;
    for (int p = 0; p < n; ++p)
        out.push_back({QStringLiteral("问%1").arg(p), QString(), QStringLiteral("答%1").arg(p), QString()});
    return out;
}

int positionOf(const QString &answer) {
    return answer.mid(1).toInt();
}

// The draw u that makes |floor(m + (0.5 - u) * 20)| start from the value v.
double towards(int m, int v) {
    return 0.5 - (v - m + 0.5) / 20.0;
}

struct Drawn {
    QStringList shown; // the filled captions
    int right = 0;
    QList<int> wrong; // positions of the wrong answers
};

Drawn draw(core::Random &rnd, const WordGameKind &kind, const std::vector<WordEntry> &entries, int c, int m) {
    core::Globals g;
    const core::FourChoice choice = drawWordQuestion(rnd, g, kind, entries, c, m);
    Drawn d;
    d.right = choice.rightSlot;
    for (int k = 0; k < 4; ++k) {
        if (!choice.filled[k]) {
            [&] { QVERIFY(choice.captions[k].isEmpty()); }();
            continue;
        }
        d.shown << choice.captions[k];
        if (k + 1 != choice.rightSlot) d.wrong << positionOf(choice.captions[k]);
    }
    [&] { QCOMPARE(choice.captions[choice.rightSlot - 1], entries[c].answer); }();
    return d;
}

} // namespace

class WordGameKindsTest : public QObject {
    Q_OBJECT

  private slots:
    void differences_data() {
        QTest::addColumn<const WordGameKind *>("kind");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("expected"); // clue, hint, answer, list item
        QTest::addColumn<QString>("count");        // with 100 records, entry 2 on show

        QTest::newRow("idioms") << &idioms()
                                << QStringList{" 画龙点睛 ", "比喻关键的一笔", "huà lóng diǎn jīng"}
                                << QStringList{"比喻关键的一笔", "", "画龙点睛(huà lóng diǎn jīng)",
                                               "画龙点睛--huà lóng diǎn jīng"}
                                << "共有100个成语  这是第2个";
        QTest::newRow("antonyms") << &antonyms() << QStringList{"大", "小", ""}
                                  << QStringList{"大", "", "小", "大---小"} << "共有100个反义词  这是第2个";
        QTest::newRow("synonyms") << &synonyms() << QStringList{"美丽", " 漂亮", ""}
                                  << QStringList{"美丽", "", "漂亮", "美丽---漂亮"}
                                  << "共有100个同义词  这是第2个";
        QTest::newRow("riddles") << &riddles() << QStringList{"头戴红帽子", "一动物", "公鸡"}
                                 << QStringList{"头戴红帽子", "猜一动物", "公鸡", "头戴红帽子-一动物-公鸡"}
                                 << "共有100个谜语  这是第2个";
    }
    void differences() {
        QFETCH(const WordGameKind *, kind);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, expected);
        QFETCH(QString, count);
        services::TableCursor cursor(nullptr, kind->table, {"a", "b", "c"}, {1, 2}, {fields, fields});
        const std::vector<WordEntry> entries = readWordEntries(*kind, cursor);
        QCOMPARE(entries.size(), std::size_t(2));
        const WordEntry &e = entries[1];
        QCOMPARE((QStringList{e.clue, e.hint, e.answer, e.listItem}), expected);
        QCOMPARE(wordCountText(*kind, 100, 1), count);
        QCOMPARE(wordCountText(*kind, 100), count.left(count.indexOf(' ')));
    }

    // A table of any size gives as many different answers as it holds and never hangs.
    void smallTables_data() {
        QTest::addColumn<const WordGameKind *>("kind");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("m");
        QTest::addColumn<int>("shown");
        for (const WordGameKind *kind : {&idioms(), &riddles()}) {
            const QString k = kind->table;
            QTest::newRow(qPrintable(k + ": one record")) << kind << 1 << 0 << 0 << 1;
            QTest::newRow(qPrintable(k + ": two records, the first asked")) << kind << 2 << 0 << 0 << 2;
            QTest::newRow(qPrintable(k + ": two records, the last asked")) << kind << 2 << 1 << 1 << 1;
            QTest::newRow(qPrintable(k + ": three records, the middle asked")) << kind << 3 << 1 << 1 << 2;
            QTest::newRow(qPrintable(k + ": four records, the first asked")) << kind << 4 << 0 << 0 << 4;
            QTest::newRow(qPrintable(k + ": four records, the last asked")) << kind << 4 << 3 << 3 << 3;
            QTest::newRow(qPrintable(k + ": five records")) << kind << 5 << 2 << 2 << 4;
            QTest::newRow(qPrintable(k + ": 100 records")) << kind << 100 << 50 << 50 << 4;
        }
        // The riddles' first question draws around position 9, which a small table lacks.
        QTest::newRow("riddles: first question of three") << &riddles() << 3 << 0 << 9 << 3;
        QTest::newRow("riddles: first question of five") << &riddles() << 5 << 0 << 9 << 4;
        // Position 0 is never a wrong answer: the last asked of two has no other answer.
        QTest::newRow("antonyms: second of two") << &antonyms() << 2 << 1 << 1 << 1;
    }
    void smallTables() {
        QFETCH(const WordGameKind *, kind);
        QFETCH(int, n);
        QFETCH(int, c);
        QFETCH(int, m);
        QFETCH(int, shown);
        core::Random rnd;
        rnd.pin(7);
        const auto entries = numbered(n);
        for (int round = 0; round < 50; ++round) {
            const Drawn d = draw(rnd, *kind, entries, c, m);
            QCOMPARE(d.shown.size(), shown);
            QCOMPARE(QSet<QString>(d.shown.begin(), d.shown.end()).size(), shown);
            QVERIFY(!d.wrong.contains(0));
            QVERIFY(!d.wrong.contains(c));
        }
    }

    // Two records with the same answer never give two equal buttons.
    void equalAnswers() {
        auto entries = numbered(6);
        entries[2].answer = entries[1].answer;
        entries[4].answer = entries[3].answer;
        core::Random rnd;
        rnd.pin(3);
        for (int round = 0; round < 100; ++round) {
            const Drawn d = draw(rnd, antonyms(), entries, 5, 5);
            QCOMPARE(d.shown.size(), 3);
            QCOMPARE(QSet<QString>(d.shown.begin(), d.shown.end()).size(), 3);
        }
    }

    // Anywhere in 1 .. n − 1, every position of the table in turn.
    void anywhere() {
        const auto entries = numbered(100);
        core::Random rnd;
        rnd.pin(11);
        QSet<int> seen;
        for (int round = 0; round < 400; ++round) {
            const int c = round % 100;
            const Drawn d = draw(rnd, idioms(), entries, c, c);
            QCOMPARE(d.shown.size(), 4);
            for (int p : d.wrong) {
                QVERIFY(p >= 1 && p <= 99);
                QVERIFY(p != c);
                seen << p;
            }
        }
        QVERIFY2(seen.size() > 90, "the wrong answers come from the whole table");
    }

    // Wrong riddles lie close to the centre.
    void aroundCentre_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("m");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::newRow("middle: 40 to 60") << 100 << 50 << 50 << 40 << 60;
        QTest::newRow("near the start: 1 to 13") << 100 << 3 << 3 << 1 << 13;
        QTest::newRow("the last riddle: all before it") << 100 << 99 << 99 << 89 << 98;
        QTest::newRow("first question: around 9") << 100 << 0 << 9 << 1 << 19;
    }
    void aroundCentre() {
        QFETCH(int, n);
        QFETCH(int, c);
        QFETCH(int, m);
        QFETCH(int, low);
        QFETCH(int, high);
        const auto entries = numbered(n);
        core::Random rnd;
        rnd.pin(5);
        for (int round = 0; round < 300; ++round) {
            const Drawn d = draw(rnd, riddles(), entries, c, m);
            QCOMPARE(d.shown.size(), 4);
            for (int p : d.wrong) {
                QVERIFY2(p >= low && p <= high, qPrintable(QString::number(p)));
                QVERIFY(p != m && p != c && p != 0);
            }
        }
        const std::vector<int> around = positionsAroundCentre(m, n);
        QCOMPARE(around.front(), low);
        QCOMPARE(around.back(), high);
    }

    // Scripted draws: right on button 2, a value below zero counts mirrored, unusable ones are
    // drawn again (0, the centre, past the end).
    void riddleDrawsScripted() {
        const auto entries = numbered(12);
        auto rnd = scriptedRandom(1, {0.3,                 // right answer on button 2
                                      0.1, towards(3, -4), // button 1: −4 counts as 4
                                      0.6, towards(3, 3),  // button 3: the centre is drawn again
                                      towards(3, 0),       //   and so is position 0
                                      towards(3, 12),      //   and a position past the end
                                      towards(3, 11)});    //   11 fits; button 4 is the one left
        rnd.script({towards(3, 4), towards(3, -7)});       // button 4: 4 is on show, −7 counts as 7
        core::Globals g;
        const core::FourChoice choice = drawWordQuestion(rnd, g, riddles(), entries, 3, 3);
        QCOMPARE(choice.rightSlot, 2);
        QCOMPARE((QStringList{choice.captions.begin(), choice.captions.end()}),
                 (QStringList{"答4", "答3", "答11", "答7"}));
    }

    void positionsNearTheEdges() {
        QCOMPARE(positionsAroundCentre(3, 100), (std::vector<int>{1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
        QCOMPARE(positionsAroundCentre(0, 1), std::vector<int>{});
        QCOMPARE(positionsAroundCentre(9, 3), (std::vector<int>{1, 2}));
    }

    void nextEntry_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("c");
        QTest::addColumn<bool>("inOrder");
        QTest::addColumn<double>("u");
        QTest::addColumn<int>("expected");
        QTest::newRow("in order: the next one") << 100 << 0 << true << 0.0 << 1;
        QTest::newRow("in order: the last one stays") << 100 << 99 << true << 0.0 << 99;
        // Random: every entry but the one on show, each as likely (99 others, 1/99 of [0, 1) each).
        QTest::newRow("random: the first too") << 100 << 50 << false << 0.0 << 0;
        QTest::newRow("random: just below the one on show") << 100 << 50 << false << 49.5 / 99 << 49;
        QTest::newRow("random: just past the one on show") << 100 << 50 << false << 50.5 / 99 << 51;
        QTest::newRow("random: up to the last") << 100 << 50 << false << 0.9999 << 99;
        QTest::newRow("random from the first") << 100 << 0 << false << 0.0 << 1;
        QTest::newRow("random from the last") << 100 << 99 << false << 0.9999 << 98;
        QTest::newRow("random with one record stays") << 1 << 0 << false << 0.5 << 0;
        QTest::newRow("random with two records: the other") << 2 << 1 << false << 0.5 << 0;
        QTest::newRow("random with two records: the other again") << 2 << 0 << false << 0.5 << 1;
    }
    void nextEntry() {
        QFETCH(int, n);
        QFETCH(int, c);
        QFETCH(bool, inOrder);
        QFETCH(double, u);
        QFETCH(int, expected);
        auto rnd = scriptedRandom(1, {u});
        QCOMPARE(nextWordEntry(rnd, n, c, inOrder), expected);
    }
};

QTEST_APPLESS_MAIN(WordGameKindsTest)
#include "WordGameKindsTest.moc"
