#include "english/RecitationScreen.h"
#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "english/EnglishTestBooks.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace testing_support;

// Recitation: its selection screen with the paces, the timers fired by hand, answers by click
// and key, reveal, give-up, pause, and the way back to bdcxz with its choices.
class RecitationScreenTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<app::AppContext> ctx;
    QWidget *choice = nullptr;
    QWidget *s = nullptr;

    // bdcxz with a book, a group and a pace chosen, then "开始学习" and "开始".
    void recite(int book, int group = 0, int paceOption = 0) {
        choice = ctx->navigator().open(*app::findMenuItem("yy2"));
        choice->findChild<QListWidget *>("List1")->setCurrentRow(book);
        choice->findChild<QComboBox *>("Combo1")->setCurrentIndex(group);
        choice->findChild<QRadioButton *>(QStringLiteral("Option2(%1)").arg(paceOption))->click();
        click(choice, "Button1");
        s = ctx->navigator().current();
        click(s, "Button3");
    }
    english::RecitationScreen *recitation() { return static_cast<english::RecitationScreen *>(s); }
    ui::Timer *t(int k) { return timer(s, QStringLiteral("Timer%1").arg(k)); }
    // The next word, with the right meaning on the given button (0..2).
    void nextWord(int right = 0) {
        ctx->random.script({0.1 + right * 0.333});
        t(1)->fire();
        QCOMPARE(recitation()->rightButton(), right);
    }
    QString choiceCaption(int i) { return caption(s, QStringLiteral("Button1(%1)").arg(i)); }
    bool marked(int i) { return s->findChild<QLabel *>(QStringLiteral("Image1(%1)").arg(i))->isVisible(); }
    bool choicesOpen() {
        for (int i = 0; i < 3; ++i)
            if (!button(s, QStringLiteral("Button1(%1)").arg(i))->isEnabled()) return false;
        return true;
    }
    bool anyChoiceOpen() {
        for (int i = 0; i < 3; ++i)
            if (button(s, QStringLiteral("Button1(%1)").arg(i))->isEnabled()) return true;
        return false;
    }
    void pressKey(char key) { QTest::keyClick(s->findChild<QWidget *>("Picture3"), key); }

  private slots:
    void initTestCase() { QVERIFY(writeEnglishBooks(dir.filePath("study.dat"))); }
    void init() {
        ctx = app::AppContext::forTests(dir.path());
        s = choice = nullptr;
    }
    void cleanup() {
        ctx.reset();
        flushDeletes();
    }

    void loadAndStart() {
        choice = ctx->navigator().open(*app::findMenuItem("yy2"));
        QCOMPARE(caption(choice, "Label4"), QStringLiteral("请选择朗读速度："));
        QStringList paces;
        for (int i = 0; i < 3; ++i)
            paces << choice->findChild<QRadioButton *>(QStringLiteral("Option2(%1)").arg(i))->text();
        QCOMPARE(paces, (QStringList{"慢速", "中速", "快速"}));
        QVERIFY(choice->findChild<QRadioButton *>("Option2(0)")->isChecked());
        cleanup();
        init();

        recite(0);
        QCOMPARE(s->objectName(), QStringLiteral("背单词"));
        QCOMPARE(s->windowTitle(), QStringLiteral("背单词"));
        QCOMPARE(ctx->navigator().parents(), QList<QWidget *>{choice}); // hidden, not closed
        QVERIFY(!choice->isVisible());
        QCOMPARE(caption(s, "Button5"), QStringLiteral("背诵人教版小学英语第一册"));
        QCOMPARE(caption(s, "Button8"), QStringLiteral("想不起来了，忘了？？"));
        QCOMPARE(caption(s, "Button4"), QStringLiteral("请稍候 * * *"));
        QCOMPARE(caption(s, "Label1"), QStringLiteral("词汇量:250   总第1个"));
        QStringList hints;
        for (int i = 0; i < 4; ++i)
            hints << caption(s, QStringLiteral("Label3(%1)").arg(i));
        QCOMPARE(hints, (QStringList{"1:", "2:", "3:", "4:"}));
        QVERIFY(!button(s, "Button3")->isEnabled());
        QVERIFY(t(1)->isEnabled());
        QCOMPARE(t(1)->interval(), 1);
        // Until the first word there is nothing to choose or give up on.
        QVERIFY(!anyChoiceOpen());
        QVERIFY(button(s, "Button8")->isVisible() && !button(s, "Button8")->isEnabled());

        // The first word asked is the group's second record; "总第" shows its own number.
        speech(*ctx).log.clear();
        nextWord(1);
        QCOMPARE(caption(s, "Button4"), QStringLiteral("a2"));
        QCOMPARE(caption(s, "Label1"), QStringLiteral("词汇量:250   总第2个"));
        QCOMPARE(caption(s, "Label4"), QStringLiteral("学习了第1个"));
        QCOMPARE(choiceCaption(1), QStringLiteral("a义2"));
        QVERIFY(choiceCaption(0).startsWith("a义") && choiceCaption(0) != "a义2");
        QVERIFY(choiceCaption(2).startsWith("a义") && choiceCaption(2) != "a义2");
        QVERIFY(choiceCaption(0) != choiceCaption(2));
        QCOMPARE(speech(*ctx).log, (QStringList{"stop", "speak \"a2\""}));
        QVERIFY(!t(1)->isEnabled());
        QVERIFY(t(2)->isEnabled() && t(3)->isEnabled());
        QVERIFY(choicesOpen());
        QCOMPARE(bar(s, "Progress2"), 0);
    }

    // Each pace: its two intervals, the ticks until the next word, and whether the reveal
    // comes first.
    void paces_data() {
        QTest::addColumn<int>("pace");
        QTest::addColumn<int>("fillMs");
        QTest::addColumn<int>("revealMs");
        QTest::addColumn<int>("ticks"); // Timer3 ticks until Timer1 is on
        QTest::newRow("慢速") << 0 << 60 << 8000 << 101;
        QTest::newRow("中速") << 1 << 100 << 4500 << 51;
        QTest::newRow("快速") << 2 << 100 << 2300 << 26;
    }
    void paces() {
        QFETCH(int, pace);
        QFETCH(int, fillMs);
        QFETCH(int, revealMs);
        QFETCH(int, ticks);
        recite(0, 0, pace);
        QCOMPARE(recitation()->choice().readingPace, pace);
        QCOMPARE(t(3)->interval(), fillMs);
        QCOMPARE(t(2)->interval(), revealMs);
        nextWord(2);
        for (int i = 1; i < ticks; ++i) {
            t(3)->fire();
            QVERIFY2(!t(1)->isEnabled(), qPrintable(QString::number(i)));
        }
        QCOMPARE(bar(s), 100);
        t(3)->fire();
        QVERIFY(t(1)->isEnabled());
        QVERIFY(!t(3)->isEnabled());
        // The bar fills before the reveal at 慢速 (6 s before 8 s), after it at 快速 (2.5 s after 2.3 s).
        QCOMPARE(ticks * fillMs < revealMs, pace == 0);
        QVERIFY(!marked(2));
        t(2)->fire();
        QVERIFY(marked(2));
        QVERIFY(!marked(0) && !marked(1));
        QVERIFY(!button(s, "Button1(0)")->isEnabled());
        nextWord(0);
        QCOMPARE(bar(s), 0);
        QCOMPARE(caption(s, "Button4"), QStringLiteral("a3"));
        QVERIFY(!marked(2));
        QVERIFY(choicesOpen());
        QVERIFY(t(2)->isEnabled()); // on again for the new word
    }

    void rightAndWrongClicks() {
        recite(0);
        nextWord(0);
        click(s, "Button1(0)");
        QCOMPARE(caption(s, "Label5"), QStringLiteral("正确1个"));
        QVERIFY(marked(0));
        QVERIFY(t(1)->isEnabled()); // the next word comes at once
        QVERIFY(!button(s, "Button8")->isEnabled());
        QCOMPARE(bar(s, "Progress2"), 100);
        QVERIFY(clips(*ctx).log.isEmpty());

        nextWord(1);
        click(s, "Button1(2)");
        QCOMPARE(clips(*ctx).log, QStringList{played(core::jieguo::kWrong)});
        QVERIFY(marked(1));
        QVERIFY(!marked(2));
        QVERIFY(!t(1)->isEnabled()); // waits for the bar
        QCOMPARE(caption(s, "Label5"), QStringLiteral("正确1个"));
        QCOMPARE(bar(s, "Progress2"), 50);
    }

    // A recitation group is a round: right meanings, wrong ones (the word and the meaning
    // chosen) and words given up on, handed over when the child stops.
    void groupRound() {
        recite(0);
        auto &rec = record(*ctx);
        nextWord(0);
        click(s, "Button1(0)");
        nextWord(1);
        const QString given = choiceCaption(2);
        click(s, "Button1(2)");
        nextWord(0);
        click(s, "Button8");
        rec.clock = rec.clock.addSecs(90);
        click(s, "Button2");
        QCOMPARE(rec.rounds.size(), 1);
        const services::Round &r = rec.rounds[0];
        QCOMPARE(roundLine(r), QStringLiteral("背单词 english 背诵人教版小学英语第一册 第1组: 1 right, 2 wrong, 90 s"));
        QCOMPARE(missList(r),
                 (QStringList{QStringLiteral("a3→") + given, QStringLiteral("a4→想不起来了，忘了？？")}));
        QCOMPARE(r.misses[0].list, QStringLiteral("英语单词"));
    }

    // "复习错题" asks the words missed before that the book holds, then the group goes on where
    // it stood; before "开始" it starts the group with them.
    void review() {
        record(*ctx).review[QStringLiteral("英语单词")] = {"a7", "zebra", "a5"};
        recite(0);
        QVERIFY(button(s, "ReviewButton")->isVisible());
        QCOMPARE(caption(s, "ReviewButton"), QStringLiteral("复习错题"));
        nextWord(0);
        QCOMPARE(caption(s, "Button4"), QStringLiteral("a2"));
        click(s, "ReviewButton");
        QVERIFY(!button(s, "ReviewButton")->isVisible());
        click(s, "Button1(0)");
        nextWord(2);
        QCOMPARE(caption(s, "Button4"), QStringLiteral("a7"));
        QCOMPARE(choiceCaption(2), QStringLiteral("a义7"));
        click(s, "Button1(2)");
        nextWord(0);
        QCOMPARE(caption(s, "Button4"), QStringLiteral("a5"));
        click(s, "Button1(0)");
        nextWord(0);
        QCOMPARE(caption(s, "Button4"), QStringLiteral("a3"));

        cleanup();
        init();
        record(*ctx).review[QStringLiteral("英语单词")] = {"a9"};
        choice = ctx->navigator().open(*app::findMenuItem("yy2"));
        choice->findChild<QListWidget *>("List1")->setCurrentRow(0);
        click(choice, "Button1");
        s = ctx->navigator().current();
        click(s, "ReviewButton");
        QVERIFY(!button(s, "Button3")->isEnabled());
        nextWord(1);
        QCOMPARE(caption(s, "Button4"), QStringLiteral("a9"));
    }

    void noReviewNoButton() {
        recite(0);
        QVERIFY(button(s, "ReviewButton")->isHidden());
    }

    // Keys 1 to 3 answer; a wrong key is silent; a key after the answer counts nothing.
    void keyAnswers() {
        recite(0);
        nextWord(2);
        pressKey('3');
        QCOMPARE(caption(s, "Label5"), QStringLiteral("正确1个"));
        QVERIFY(marked(2));
        QVERIFY(t(1)->isEnabled());
        pressKey('3');
        QCOMPARE(recitation()->rightCount(), 1);

        nextWord(0);
        pressKey('2');
        QVERIFY(clips(*ctx).log.isEmpty());
        QVERIFY(marked(0));
        QVERIFY(!choicesOpen());
        QCOMPARE(bar(s, "Progress2"), 50);
        pressKey('1'); // already answered
        QCOMPARE(recitation()->rightCount(), 1);

        nextWord(1);
        pressKey('x'); // never a choice
        QVERIFY(marked(1));
        QCOMPARE(recitation()->rightCount(), 1);
        QCOMPARE(bar(s, "Progress2"), 33);
    }

    // Giving up shows the answer with the ding and does not count the word as right.
    void givingUp() {
        recite(0);
        nextWord(0);
        click(s, "Button1(0)");
        nextWord(1);
        click(s, "Button8");
        QCOMPARE(clips(*ctx).log, QStringList{played(core::jieguo::kMatch)});
        QVERIFY(marked(1));
        QVERIFY(!choicesOpen());
        QVERIFY(!button(s, "Button8")->isEnabled());
        QCOMPARE(caption(s, "Label5"), QStringLiteral("正确1个"));
        QCOMPARE(recitation()->rightCount(), 1);
        QCOMPARE(bar(s, "Progress2"), 50); // one right of two asked, as before giving up
        QVERIFY(!t(1)->isEnabled());
        nextWord(0);
        QCOMPARE(bar(s, "Progress2"), 33);

        // After the reveal the child may still say so: the ding, and no count.
        t(2)->fire();
        QVERIFY(!choicesOpen());
        clips(*ctx).log.clear();
        click(s, "Button8");
        QCOMPARE(clips(*ctx).log, QStringList{played(core::jieguo::kMatch)});
        QVERIFY(!button(s, "Button8")->isEnabled());
        QCOMPARE(recitation()->rightCount(), 1);
    }

    void percentage_data() {
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("percent");
        QTest::newRow("7 of 10") << 10 << 7 << 70;
        QTest::newRow("3 of 7") << 7 << 3 << 42;
    }
    void percentage() {
        QFETCH(int, asked);
        QFETCH(int, right);
        QFETCH(int, percent);
        recite(0);
        for (int i = 0; i < asked; ++i) {
            nextWord(i % 3);
            click(s, QStringLiteral("Button1(%1)").arg(i < right ? i % 3 : (i + 1) % 3));
        }
        QCOMPARE(caption(s, "Label4"), QStringLiteral("学习了第%1个").arg(asked));
        QCOMPARE(caption(s, "Label5"), QStringLiteral("正确%1个").arg(right));
        QCOMPARE(bar(s, "Progress2"), percent);
    }

    // The group's 100 words cycle: the 99th word asked is the group's last, then its first.
    void groupCycles() {
        recite(0, 1);
        for (int i = 0; i < 99; ++i)
            t(1)->fire();
        QCOMPARE(caption(s, "Button4"), QStringLiteral("a200"));
        t(1)->fire();
        QCOMPARE(caption(s, "Button4"), QStringLiteral("a101"));
        QCOMPARE(caption(s, "Label1"), QStringLiteral("词汇量:250   总第101个"));
        t(1)->fire();
        QCOMPARE(caption(s, "Button4"), QStringLiteral("a102"));
    }

    // A book of three words with two meanings: the choices offer what there is, without hanging.
    void tinyBook() {
        recite(2);
        nextWord(0); // "kitten" 猫: "cat" means the same, so only 狗 is offered besides
        QCOMPARE(caption(s, "Button4"), QStringLiteral("kitten"));
        QCOMPARE(choiceCaption(0), QStringLiteral("猫"));
        QCOMPARE(choiceCaption(1), QStringLiteral("狗"));
        QCOMPARE(choiceCaption(2), QString());
        QVERIFY(!button(s, "Button1(2)")->isEnabled());
        click(s, "Button1(0)");
        QCOMPARE(caption(s, "Label5"), QStringLiteral("正确1个"));
    }

    // Paused, nothing moves: no timer runs, the answers are off by click, key and give-up alike.
    // "继续" goes on with the same word, its bar where it stood and its reveal as far off as it was.
    void pauseHoldsTheWord() {
        recite(0, 0, 2); // 快速: 4 a tick of 100 ms, the reveal after 2300 ms
        nextWord(1);
        for (int i = 0; i < 10; ++i)
            t(3)->fire();
        QCOMPARE(bar(s), 40); // on show for 1000 ms
        click(s, "Button6");
        QCOMPARE(caption(s, "Button6"), QStringLiteral("继续"));
        QVERIFY(!t(1)->isEnabled() && !t(2)->isEnabled() && !t(3)->isEnabled());
        QVERIFY(!anyChoiceOpen());
        QVERIFY(!button(s, "Button8")->isEnabled());
        pressKey('2'); // the right meaning
        QTest::keyClick(button(s, "Button6"), Qt::Key_2);
        QCOMPARE(caption(s, "Label5"), QString());
        QCOMPARE(recitation()->rightCount(), 0);
        QVERIFY(!marked(0) && !marked(1) && !marked(2));
        QVERIFY(!t(1)->isEnabled() && !t(2)->isEnabled() && !t(3)->isEnabled());
        QCOMPARE(caption(s, "Button6"), QStringLiteral("继续"));
        QVERIFY(clips(*ctx).log.isEmpty());

        click(s, "Button6");
        QCOMPARE(caption(s, "Button6"), QStringLiteral("暂停"));
        QCOMPARE(caption(s, "Button4"), QStringLiteral("a2")); // no word skipped
        QCOMPARE(caption(s, "Label4"), QStringLiteral("学习了第1个"));
        QCOMPARE(choiceCaption(1), QStringLiteral("a义2"));
        QCOMPARE(bar(s), 40);
        QVERIFY(choicesOpen());
        QVERIFY(button(s, "Button8")->isEnabled());
        QVERIFY(!t(1)->isEnabled());
        QVERIFY(t(3)->isEnabled());
        QVERIFY(t(2)->isEnabled());
        QCOMPARE(t(2)->interval(), 1300);
        t(2)->fire();
        QVERIFY(marked(1));
        QVERIFY(!anyChoiceOpen());
        QCOMPARE(t(2)->interval(), 2300); // then at its own pace again
        for (int i = 0; i < 15; ++i)
            t(3)->fire();
        QVERIFY(!t(1)->isEnabled());
        t(3)->fire();
        QVERIFY(t(1)->isEnabled());
        nextWord(0);
        QCOMPARE(caption(s, "Button4"), QStringLiteral("a3"));
        QCOMPARE(caption(s, "Label4"), QStringLiteral("学习了第2个"));
        QCOMPARE(t(2)->interval(), 2300);
    }

    // A pause while the next word is due (after a right answer, or right after "开始") holds it;
    // "继续" brings that word and no other.
    void pauseHoldsTheWordThatIsDue() {
        recite(0);
        click(s, "Button6");
        QVERIFY(!t(1)->isEnabled());
        click(s, "Button6");
        QVERIFY(t(1)->isEnabled());
        nextWord(0);
        QCOMPARE(caption(s, "Button4"), QStringLiteral("a2"));

        click(s, "Button1(0)");
        QVERIFY(t(1)->isEnabled());
        click(s, "Button6");
        QVERIFY(!t(1)->isEnabled() && !t(2)->isEnabled() && !t(3)->isEnabled());
        QVERIFY(!anyChoiceOpen());
        QVERIFY(!button(s, "Button8")->isEnabled());
        click(s, "Button6");
        QVERIFY(t(1)->isEnabled());
        QVERIFY(!anyChoiceOpen()); // the word answered stays answered
        QVERIFY(!button(s, "Button8")->isEnabled());
        nextWord(2);
        QCOMPARE(caption(s, "Button4"), QStringLiteral("a3"));
        QCOMPARE(caption(s, "Label5"), QStringLiteral("正确1个"));
        QVERIFY(choicesOpen());
    }

    void repeatAndSilence() {
        // Nothing is heard again before this screen has said a word.
        choice = ctx->navigator().open(*app::findMenuItem("yy2"));
        choice->findChild<QListWidget *>("List1")->setCurrentRow(0);
        click(choice, "Button1");
        s = ctx->navigator().current();
        QVERIFY(!button(s, "Button7")->isEnabled());
        click(s, "Button3");
        QVERIFY(!button(s, "Button7")->isEnabled());
        s->findChild<QRadioButton *>("Option1(1)")->click();
        speech(*ctx).log.clear();
        nextWord(0);
        QVERIFY(speech(*ctx).log.isEmpty());
        click(s, "Button7");
        QCOMPARE(speech(*ctx).log, QStringList{"speak \"a2\""});
    }

    // A book that cannot be opened (here no content file at all): its problem on the word's
    // card, and no choices, give-up or pause beside it.
    void missingBook() {
        cleanup();
        QTemporaryDir empty;
        ctx = app::AppContext::forTests(empty.path());
        s = ctx->navigator().open(screens::kRecitation, [](app::AppContext &c) {
            return new english::RecitationScreen(
                c, {.book = 1, .title = QStringLiteral("背诵人教版小学英语第一册")});
        });
        click(s, "Button3");
        QVERIFY(!ctx->store().problemFor(1).isEmpty());
        QCOMPARE(caption(s, "Button4"), ctx->store().problemFor(1));
        for (int i = 0; i < 3; ++i)
            QVERIFY(!button(s, QStringLiteral("Button1(%1)").arg(i))->isVisible());
        QVERIFY(!button(s, "Button8")->isVisible());
        QVERIFY(!s->findChild<QProgressBar *>("Progress1")->isVisible());
        QVERIFY(!s->findChild<QProgressBar *>("Progress2")->isVisible());
        QVERIFY(!button(s, "Button6")->isEnabled());
        QVERIFY(!button(s, "Button7")->isEnabled());
        QVERIFY(!t(1)->isEnabled());
        pressKey('1');
        QVERIFY(!marked(0) && !marked(1) && !marked(2));
        QVERIFY(clips(*ctx).log.isEmpty());
        QCOMPARE(caption(s, "Button4"), ctx->store().problemFor(1));
    }

    // Closed by its frame, the screen goes back to bdcxz and its word falls silent.
    void frameClose() {
        recite(0);
        nextWord(0);
        speech(*ctx).log.clear();
        s->close();
        QCoreApplication::processEvents();
        flushDeletes();
        QCOMPARE(speech(*ctx).log, QStringList{"stop"});
        QCOMPARE(ctx->navigator().current(), choice);
    }

    // "不学了" stops everything and shows bdcxz again with its choices.
    void leavingShowsTheChoiceAsItWas() {
        recite(0, 2, 1);
        nextWord(0);
        speech(*ctx).log.clear();
        click(s, "Button2");
        flushDeletes();
        QCOMPARE(speech(*ctx).log, QStringList{"stop"});
        QCOMPARE(ctx->navigator().current(), choice);
        QVERIFY(choice->isVisible());
        QCOMPARE(choice->findChild<QListWidget *>("List1")->currentRow(), 0);
        QCOMPARE(choice->findChild<QComboBox *>("Combo1")->currentIndex(), 2);
        QVERIFY(choice->findChild<QRadioButton *>("Option2(1)")->isChecked());
        QVERIFY(button(choice, "Button1")->isEnabled());
        click(choice, "Button1");
        QCOMPARE(ctx->navigator().current()->objectName(), QStringLiteral("背单词"));
        QCOMPARE(timer(ctx->navigator().current(), "Timer3")->interval(), 100);
    }
};

QTEST_MAIN(RecitationScreenTest)
#include "RecitationScreenTest.moc"
