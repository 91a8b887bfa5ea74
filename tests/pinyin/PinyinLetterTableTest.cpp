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
        out << spellingCaption(k);
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
        QTest::addColumn<QString>("spelling");
        QTest::newRow("a") << 1 << "a"
                           << "a"
                           << "a";
        QTest::newRow("ü") << 6 << "ü"
                           << "ü"
                           << "u";
        QTest::newRow("üe") << 14 << "üe"
                            << "üe"
                            << "ue";
        QTest::newRow("ün") << 20 << "ün"
                            << "ün"
                            << "un";
        QTest::newRow("un") << 19 << "un"
                            << "un"
                            << "un";
        QTest::newRow("ong") << 24 << "ong"
                             << "ong"
                             << "ong";
        QTest::newRow("zh") << 39 << "zh"
                            << "zhi"
                            << "zh";
        QTest::newRow("ch") << 40 << "ch"
                            << "chi"
                            << "ch";
        QTest::newRow("sh") << 41 << "sh"
                            << "sh"
                            << "sh";
        QTest::newRow("w") << 47 << "w"
                           << "w"
                           << "w";
    }
    void captions() {
        QFETCH(int, k);
        QFETCH(QString, chart);
        QFETCH(QString, game);
        QFETCH(QString, spelling);
        QCOMPARE(letter(k), chart);
        QCOMPARE(gameCaption(k), game);
        QCOMPARE(spellingCaption(k), spelling);
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
        QTest::newRow("nu for 女") << "nu"
                                   << "n+u";
        QTest::newRow("lue for 略") << "lue"
                                    << "l+ue";
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
        QTest::newRow("ü with its diaeresis") << "nü"
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
