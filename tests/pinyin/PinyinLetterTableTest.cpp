// The letter table's rules the pinyin screens share: groups, captions, game ranges, what a
// letter disables in the spelling game and how a syllable is spelled with the buttons.
#include "pinyin/PinyinLetterTable.h"

#include <QTest>

using namespace pinyin;

namespace {
QList<int> range(int first, int last) {
    QList<int> out;
    for (int k = first; k <= last; ++k)
        out << k;
    return out;
}
QString letters(const QList<int> &ks) {
    QStringList out;
    for (int k : ks)
        out << letter(k);
    return out.join(QLatin1Char('+'));
}
} // namespace

class PinyinLetterTableTest : public QObject {
    Q_OBJECT
  private slots:
    void groups() {
        QCOMPARE(kLetterCount, 47);
        for (int k = 1; k <= kLetterCount; ++k) {
            const Group g = groupOf(k);
            QVERIFY2(groupRange(g).contains(k), qPrintable(letter(k)));
        }
        QCOMPARE(groupName(Group::Simple), QStringLiteral("单韵母"));
        QCOMPARE(groupName(Group::Compound), QStringLiteral("复韵母"));
        QCOMPARE(groupName(Group::BackNasal), QStringLiteral("后鼻韵母"));
        QCOMPARE(groupName(Group::Initial), QStringLiteral("声母"));
    }

    void captions_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("chart");
        QTest::addColumn<QString>("game");
        QTest::newRow("a") << 1 << "a"
                           << "a";
        QTest::newRow("ü") << 6 << "ü"
                           << "ü";
        QTest::newRow("üe") << 14 << "üe"
                            << "üe";
        QTest::newRow("ün") << 20 << "ün"
                            << "ün";
        QTest::newRow("un") << 19 << "un"
                            << "un";
        QTest::newRow("ong") << 24 << "ong"
                             << "ong";
        QTest::newRow("zh") << 39 << "zh"
                            << "zhi";
        QTest::newRow("ch") << 40 << "ch"
                            << "chi";
        QTest::newRow("sh") << 41 << "sh"
                            << "sh";
        QTest::newRow("w") << 47 << "w"
                           << "w";
    }
    void captions() {
        QFETCH(int, k);
        QFETCH(QString, chart);
        QFETCH(QString, game);
        QCOMPARE(letter(k), chart);
        QCOMPARE(gameCaption(k), game);
    }

    // What a press adds in the spelling game: the chart's letter, but ü without its dots right
    // after j, q, x and y.
    void pressed_data() {
        QTest::addColumn<QString>("built");
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("added");
        QTest::newRow("ü first") << "" << 6 << "ü";
        QTest::newRow("n ü") << "n" << 6 << "ü";
        QTest::newRow("l üe") << "l" << 14 << "üe";
        QTest::newRow("j ü") << "j" << 6 << "u";
        QTest::newRow("q ü") << "q" << 6 << "u";
        QTest::newRow("x ün") << "x" << 20 << "un";
        QTest::newRow("y üe") << "y" << 14 << "ue";
        QTest::newRow("j u") << "j" << 5 << "u";
        QTest::newRow("j un") << "j" << 19 << "un";
        QTest::newRow("ü after a final") << "xu" << 20 << "ün";
        QTest::newRow("a after j") << "j" << 1 << "a";
        QTest::newRow("zh") << "" << 39 << "zh";
    }
    void pressed() {
        QFETCH(QString, built);
        QFETCH(int, k);
        QFETCH(QString, added);
        QCOMPARE(pressedLetter(built, k), added);
    }

    void gameRanges_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("单韵母") << 2 << 1 << 6;
        QTest::newRow("复韵母") << 3 << 7 << 20;
        QTest::newRow("后鼻韵母") << 4 << 21 << 24;
        QTest::newRow("声母") << 5 << 25 << 47;
        QTest::newRow("全部字母") << 6 << 1 << 47;
    }
    void gameRanges() {
        QFETCH(int, mode);
        QFETCH(int, first);
        QFETCH(int, last);
        const auto r = gameRange(mode);
        QVERIFY(r);
        QCOMPARE(r->first, first);
        QCOMPARE(r->last, last);
    }
    void otherModesHaveNoRange() {
        for (int mode : {0, 1, 7, 18})
            QVERIFY(!gameRange(mode));
    }

    void disabling_data() {
        QTest::addColumn<int>("clicked");
        QTest::addColumn<QList<int>>("disabled");
        QTest::newRow("a") << 1 << QList<int>{2, 4};
        QTest::newRow("o") << 2 << QList<int>{5};
        QTest::newRow("e") << 3 << QList<int>{4};
        QTest::newRow("i") << 4 << QList<int>{3, 5, 6};
        QTest::newRow("u") << 5 << QList<int>{3, 4};
        QTest::newRow("ü") << 6 << QList<int>{3, 4};
        for (int k : {7, 14, 20})
            QTest::addRow("compound %d", k) << k << range(7, 20);
        for (int k : {21, 24})
            QTest::addRow("back-nasal %d", k) << k << range(21, 24);
        for (int k : {25, 39, 47})
            QTest::addRow("initial %d", k) << k << range(25, 47);
    }
    void disabling() {
        QFETCH(int, clicked);
        QFETCH(QList<int>, disabled);
        QCOMPARE(disabledAfter(clicked), disabled);
    }

    void spelling_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("letters");
        QTest::newRow("ma") << "ma"
                            << "m+a";
        QTest::newRow("ai with its own button") << "ai"
                                                << "ai";
        QTest::newRow("nü for 女") << "nü"
                                   << "n+ü";
        QTest::newRow("lüe for 略") << "lüe"
                                    << "l+üe";
        QTest::newRow("nu for 奴") << "nu"
                                   << "n+u";
        QTest::newRow("yue, ü without its dots") << "yue"
                                                 << "y+üe";
        QTest::newRow("xun") << "xun"
                             << "x+un";
        QTest::newRow("lue is not pinyin") << "lue"
                                           << "";
        QTest::newRow("jü is never written") << "jü"
                                             << "";
        QTest::newRow("zhuang") << "zhuang"
                                << "zh+u+ang";
        QTest::newRow("xiong") << "xiong"
                               << "x+i+ong";
        QTest::newRow("shui") << "shui"
                              << "sh+ui";
        QTest::newRow("guo") << "guo"
                             << "g+u+o";
        QTest::newRow("er as e then r") << "er"
                                        << "e+r";
        QTest::newRow("yuan") << "yuan"
                              << "y+u+an";
        QTest::newRow("two compound finals") << "aiai"
                                             << "";
        QTest::newRow("two initials") << "zhsh"
                                      << "";
        QTest::newRow("capital") << "Ma"
                                 << "";
        QTest::newRow("tone number") << "ma1"
                                     << "";
        QTest::newRow("blank") << "ma ma"
                               << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void spelling() {
        QFETCH(QString, text);
        QFETCH(QString, letters);
        const QList<int> ks = spell(text);
        QCOMPARE(::letters(ks), letters);
    }
};

QTEST_APPLESS_MAIN(PinyinLetterTableTest)
#include "PinyinLetterTableTest.moc"
