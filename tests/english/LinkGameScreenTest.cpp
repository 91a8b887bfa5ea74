#include "english/LinkGameScreen.h"
#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "english/EnglishTestBooks.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace testing_support;

// The link game: the deal, the pairing rules, the levels, the clock and the way back to llkxz.
class LinkGameScreenTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<app::AppContext> ctx;
    QWidget *choice = nullptr;
    QWidget *s = nullptr;

    void play(int book, bool deal = true) {
        choice = ctx->navigator().open(*app::findMenuItem("yy3"));
        choice->findChild<QListWidget *>("List1")->setCurrentRow(book);
        click(choice, "Button1");
        s = ctx->navigator().current();
        if (deal) click(s, "Button3");
    }
    static QString word(int i) { return QStringLiteral("Button4(%1)").arg(i); }
    QString meaning(int i) { return QStringLiteral("Button1(%1)").arg(game()->meaningPlace(i)); }
    bool onBoard(const QString &name) { return button(s, name)->isVisible(); }
    // Clicks "W3" (word 3) or "M3" (the meaning of word 3).
    void clickAll(const QString &clicks) {
        for (const QString &c : clicks.split(' ', Qt::SkipEmptyParts)) {
            const int i = c.mid(1).toInt();
            click(s, c.startsWith('W') ? word(i) : meaning(i));
        }
    }
    void clearLevel(int words) {
        for (int i = 0; i < words; ++i)
            clickAll(QStringLiteral("W%1 M%1").arg(i));
    }
    english::LinkGameScreen *game() { return static_cast<english::LinkGameScreen *>(s); }
    int elapsed() { return game()->elapsed(); }

  private slots:
    void initTestCase() { QVERIFY(writeEnglishBooks(dir.filePath("study.dat"))); }
    void init() { ctx = app::AppContext::forTests(dir.path()); }
    void cleanup() {
        ctx.reset();
        flushDeletes();
    }

    void loadAndDeal() {
        play(0, false);
        QCOMPARE(s->objectName(), QStringLiteral("连连看"));
        QCOMPARE(s->windowTitle(), QStringLiteral("连连看"));
        QCOMPARE(ctx->navigator().parents(), QList<QWidget *>{choice});
        QCOMPARE(caption(s, "Button5"), QStringLiteral("人教版小学英语第一册单词游戏"));
        QCOMPARE(caption(s, "Label1"), QString());
        for (int i = 0; i < 25; ++i) {
            QVERIFY(!button(s, word(i))->isEnabled());
            QVERIFY(!button(s, QStringLiteral("Button1(%1)").arg(i))->isEnabled());
            QCOMPARE(caption(s, word(i)), QString());
        }
        QVERIFY(s->findChild<QRadioButton *>("Option1")->isChecked());
        QCOMPARE(s->findChild<QRadioButton *>("Option2")->text(), QStringLiteral("不朗读"));
        QVERIFY(!timer(s, "Timer1")->isEnabled());

        click(s, "Button3");
        QCOMPARE(caption(s, "Label1"), QStringLiteral("第1关(共有4关)"));
        QVERIFY(!button(s, "Button3")->isEnabled());
        QVERIFY(timer(s, "Timer1")->isEnabled());
        QCOMPARE(timer(s, "Timer1")->interval(), 1500);
        QCOMPARE(bar(s), 0);
        QSet<int> places;
        for (int i = 0; i < 25; ++i) {
            QCOMPARE(caption(s, word(i)), QStringLiteral("a%1").arg(i + 1));
            QCOMPARE(caption(s, meaning(i)), QStringLiteral("a义%1").arg(i + 1));
            QVERIFY(button(s, word(i))->isEnabled() && button(s, meaning(i))->isEnabled());
            places << game()->meaningPlace(i);
        }
        QCOMPARE(places.size(), 25);
    }

    void pairing_data() {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QList<int>>("matched"); // the words whose pairs left the board
        QTest::newRow("word, then its meaning") << "W0 M0" << QList<int>{0};
        QTest::newRow("meaning, then its word") << "M0 W0" << QList<int>{0};
        QTest::newRow("a wrong meaning resets the word") << "W0 M1 M0" << QList<int>{};
        QTest::newRow("the word clicked again after that pairs") << "W0 M1 M0 W0" << QList<int>{0};
        QTest::newRow("two words in a row: the second counts") << "W0 W1 M0" << QList<int>{};
        QTest::newRow("two words in a row, the second's meaning") << "W0 W1 M1" << QList<int>{1};
        QTest::newRow("a first click after the deal") << "M0" << QList<int>{};
        QTest::newRow("a first word click after the deal") << "W3" << QList<int>{};
        QTest::newRow("two pairs one after the other") << "W2 M2 M4 W4" << QList<int>{2, 4};
    }
    void pairing() {
        QFETCH(QString, clicks);
        QFETCH(QList<int>, matched);
        play(0);
        clickAll(clicks);
        for (int i = 0; i < 25; ++i) {
            QCOMPARE(onBoard(word(i)), !matched.contains(i));
            QCOMPARE(onBoard(meaning(i)), !matched.contains(i));
        }
        QCOMPARE(game()->pairCount(), int(matched.size()));
        QCOMPARE(clips(*ctx).log.size(), matched.size());
        for (const QString &c : clips(*ctx).log)
            QCOMPARE(c, played(core::jieguo::kMatch));
        QCOMPARE(elapsed(), -3 * int(matched.size()));
    }

    // A pair gives time back; the bar shows 0 while the clock is below it, and a word is spoken.
    void timeBackAndSpeech() {
        play(0);
        speech(*ctx).log.clear();
        timer(s, "Timer1")->fire();
        timer(s, "Timer1")->fire();
        QCOMPARE(bar(s), 2);
        clickAll("W5 M5");
        QCOMPARE(elapsed(), -1);
        QCOMPARE(bar(s), 0);
        QCOMPARE(speech(*ctx).log, (QStringList{"stop", "speak \"a6\""}));
        QCOMPARE(game()->spokenWord(), QStringLiteral("a6"));
        timer(s, "Timer1")->fire();
        timer(s, "Timer1")->fire();
        QCOMPARE(bar(s), 1);
        s->findChild<QRadioButton *>("Option2")->click();
        speech(*ctx).log.clear();
        clickAll("W6");
        QVERIFY(speech(*ctx).log.isEmpty());
    }

    // A level is a round: a word and a meaning that do not belong together are a miss, the
    // pairs are its right answers; the next level's round begins with its deal.
    void levelRound() {
        play(0);
        auto &rec = record(*ctx);
        const QString title = caption(s, "Button5").chopped(QStringLiteral("单词游戏").size());
        const QString wrongMeaning = caption(s, meaning(1));
        clickAll("W0 M1 M0 W0");
        for (int i = 1; i < 24; ++i)
            clickAll(QStringLiteral("W%1 M%1").arg(i));
        rec.clock = rec.clock.addSecs(80);
        QVERIFY(rec.rounds.isEmpty());
        clickAll("M24 W24");
        QCOMPARE(rec.rounds.size(), 1);
        const services::Round &r = rec.rounds[0];
        QCOMPARE(roundLine(r), QStringLiteral("连连看 english %1 第1组 第1关: 25 right, 1 wrong, 80 s").arg(title));
        QCOMPARE(missList(r), QStringList{QStringLiteral("a1→") + wrongMeaning});
        QCOMPARE(r.misses[0].list, QStringLiteral("英语单词"));
        // Level 2 left after one pair: handed over once, when the screen is put away.
        clickAll("W0 M0");
        click(s, "Button2");
        flushDeletes();
        QCOMPARE(rec.rounds.size(), 2);
        QCOMPARE(rec.rounds[1].mode, title + QStringLiteral(" 第1组 第2关"));
        QCOMPARE(rec.rounds[1].right, 1);
    }

    // Four levels of a full group, then level 1 again.
    void levelsCycle() {
        play(0);
        for (int level = 2; level <= 4; ++level) {
            clearLevel(25);
            QCOMPARE(caption(s, "Label1"), QStringLiteral("第%1关(共有4关)").arg(level));
            QCOMPARE(bar(s), 0);
            QCOMPARE(elapsed(), 0);
            for (int i = 0; i < 25; ++i) {
                QVERIFY(onBoard(word(i)) && onBoard(meaning(i)));
                QCOMPARE(caption(s, word(i)), QStringLiteral("a%1").arg((level - 1) * 25 + i + 1));
            }
        }
        clearLevel(25);
        QCOMPARE(caption(s, "Label1"), QStringLiteral("第1关(共有4关)"));
        QCOMPARE(caption(s, word(0)), QStringLiteral("a1"));
        QCOMPARE(game()->levelOffset(), 0);
    }

    // A group of 60 words: level 3 holds 10 and hides the rest; clearing it skips the empty
    // level 4 and deals level 1 again.
    void shortLevel() {
        play(3);
        clearLevel(25);
        clearLevel(25);
        QCOMPARE(caption(s, "Label1"), QStringLiteral("第3关(共有4关)"));
        for (int i = 0; i < 25; ++i) {
            QCOMPARE(onBoard(word(i)), i < 10);
            QCOMPARE(onBoard(meaning(i)), i < 10);
            QCOMPARE(caption(s, word(i)), i < 10 ? QStringLiteral("d%1").arg(51 + i) : QString());
            QCOMPARE(caption(s, meaning(i)), i < 10 ? QStringLiteral("d义%1").arg(51 + i) : QString());
        }
        clearLevel(10);
        QCOMPARE(caption(s, "Label1"), QStringLiteral("第1关(共有4关)"));
        for (int i = 0; i < 25; ++i) {
            QVERIFY(onBoard(word(i)));
            QCOMPARE(caption(s, word(i)), QStringLiteral("d%1").arg(i + 1));
        }
    }

    // The clock ends the game after 100 ticks (more when pairs gave time back) and shows llkxz
    // again with its choices.
    void clockEndsTheGame_data() {
        QTest::addColumn<int>("pairs");
        QTest::newRow("no pair") << 0;
        QTest::newRow("two pairs") << 2;
    }
    void clockEndsTheGame() {
        QFETCH(int, pairs);
        play(0);
        clearLevel(pairs);
        QPointer<QWidget> game = s;
        for (int i = 0; i < 99 + 3 * pairs; ++i)
            timer(s, "Timer1")->fire();
        QCOMPARE(ctx->navigator().current(), s);
        QCOMPARE(bar(s), 99);
        speech(*ctx).log.clear();
        timer(s, "Timer1")->fire();
        flushDeletes();
        QVERIFY(!game);
        QCOMPARE(speech(*ctx).log, QStringList{"stop"});
        QCOMPARE(ctx->navigator().current(), choice);
        QVERIFY(choice->isVisible());
        QCOMPARE(choice->findChild<QListWidget *>("List1")->currentRow(), 0);
        QCOMPARE(caption(choice, "Button1"), QStringLiteral("人教版小学英语第一册游戏"));
        QVERIFY(button(choice, "Button1")->isEnabled());
    }

    void leavingByButton() {
        play(0);
        click(s, "Button2");
        flushDeletes();
        QCOMPARE(ctx->navigator().current(), choice);
        // Opened again, the game starts at level 1.
        click(choice, "Button1");
        s = ctx->navigator().current();
        click(s, "Button3");
        QCOMPARE(caption(s, "Label1"), QStringLiteral("第1关(共有4关)"));
    }
};

QTEST_MAIN(LinkGameScreenTest)
#include "LinkGameScreenTest.moc"
