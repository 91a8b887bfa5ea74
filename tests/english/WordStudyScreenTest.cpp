#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "english/BookChoiceScreen.h"
#include "english/EnglishTestBooks.h"
#include "english/WordScreen.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace testing_support;

// The three book selection screens as one family, and word study driven like a child does.
class WordStudyScreenTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<app::AppContext> ctx;

    QWidget *current() { return ctx->navigator().current(); }
    QWidget *open(const char *item) { return ctx->navigator().open(*app::findMenuItem(item)); }
    static QComboBox *combo(QWidget *s, const char *name) { return s->findChild<QComboBox *>(name); }
    static QStringList items(QComboBox *c) {
        QStringList out;
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
        return out;
    }
    static const english::BookChoice &chosen(QWidget *s) {
        return static_cast<english::BookChoiceScreen *>(s)->choice();
    }
    static void chooseBook(QWidget *s, int row) { s->findChild<QListWidget *>("List1")->setCurrentRow(row); }
    static QString text1(QWidget *s) {
        if (auto *l = s->findChild<QLineEdit *>("Text1")) return l->text();
        return s->findChild<QPlainTextEdit *>("Text1")->toPlainText();
    }
    QStringList speechLog() {
        QStringList log = speech(*ctx).log;
        speech(*ctx).log.clear();
        return log;
    }
    // Study of book 1 (250 words) from the given group, "朗读" as loaded.
    QWidget *study(int group) {
        QWidget *choice = open("yy1");
        chooseBook(choice, 0);
        combo(choice, "Combo1")->setCurrentIndex(group);
        click(choice, "Button1");
        flushDeletes();
        return current();
    }
    QString shownWord() { return caption(current(), "Button4"); }
    void next(int times = 1) {
        for (int i = 0; i < times; ++i)
            click(current(), "Button6");
    }

  private slots:
    void initTestCase() { QVERIFY(writeEnglishBooks(dir.filePath("study.dat"))); }
    void init() { ctx = app::AppContext::forTests(dir.path()); }
    void cleanup() {
        ctx.reset();
        flushDeletes();
    }

    void family_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("groupPrompt");
        QTest::addColumn<QString>("startCaption");
        QTest::addColumn<QString>("chosenCaption");
        QTest::addColumn<QString>("title");
        QTest::newRow("xuexi") << "yy1"
                               << "xuexi"
                               << "Lumibo"
                               << "请先选择学习词库"
                               << "请选择学习组："
                               << "开始学习"
                               << "学习人教版小学英语第一册"
                               << "学习人教版小学英语第一册";
        QTest::newRow("bdcxz") << "yy2"
                               << "bdcxz"
                               << "选择背单词词库"
                               << "请先选择背诵词库"
                               << "请选择学习组："
                               << "开始学习"
                               << "背诵人教版小学英语第一册"
                               << "背诵人教版小学英语第一册";
        QTest::newRow("llkxz") << "yy3"
                               << "llkxz"
                               << "连连看游戏"
                               << "请先选择游戏词库"
                               << "请选择游戏组："
                               << "开始游戏"
                               << "人教版小学英语第一册游戏"
                               << "人教版小学英语第一册";
    }
    void family() {
        QFETCH(QString, item);
        QFETCH(QString, screen);
        QFETCH(QString, window);
        QFETCH(QString, prompt);
        QFETCH(QString, groupPrompt);
        QFETCH(QString, startCaption);
        QFETCH(QString, chosenCaption);
        QFETCH(QString, title);
        QWidget *s = open(qPrintable(item));
        QCOMPARE(s->objectName(), screen);
        QCOMPARE(s->windowTitle(), window);
        QCOMPARE(caption(s, "Label1"), prompt);
        QCOMPARE(caption(s, "Label5"), groupPrompt);
        QCOMPARE(caption(s, "Label2"), QStringLiteral("从"));
        QCOMPARE(caption(s, "Label3"), QStringLiteral("到"));
        QCOMPARE(caption(s, "Button1"), startCaption);
        QCOMPARE(caption(s, "Button2"), QStringLiteral("返回"));
        QVERIFY(!button(s, "Button1")->isEnabled());
        auto *list = s->findChild<QListWidget *>("List1");
        QCOMPARE(list->count(), 23);
        QCOMPARE(list->item(0)->text(), QStringLiteral("人教版小学英语第一册"));
        QCOMPARE(list->item(15)->text(), QStringLiteral("看听学3L小学英语第一册"));
        QCOMPARE(list->item(22)->text(), QStringLiteral("新人教版小学英语第四册"));
        QCOMPARE(bool(s->findChild<QRadioButton *>("Option2(0)")), screen == QStringLiteral("bdcxz"));
        // The list taking the focus marks a current row; that is no choice.
        QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(list->viewport(), &focus);
        QApplication::sendEvent(list, &focus);
        QCOMPARE(caption(s, "Label1"), prompt);
        QVERIFY(!button(s, "Button1")->isEnabled());

        // A book of 250 words: three groups, the first chosen and start enabled.
        chooseBook(s, 0);
        QCOMPARE(caption(s, "Button1"), chosenCaption);
        QCOMPARE(chosen(s).title, title);
        QCOMPARE(chosen(s).book, 1);
        QCOMPARE(caption(s, "Label1"), QStringLiteral("人教版小学英语第一册    词汇量:250"));
        QCOMPARE(items(combo(s, "Combo1")), (QStringList{"0", "100", "200"}));
        QCOMPARE(combo(s, "Combo1")->currentIndex(), 0);
        QCOMPARE(text1(s), QStringLiteral("100"));
        QCOMPARE(chosen(s).groupStart, 0);
        QVERIFY(button(s, "Button1")->isEnabled());
        combo(s, "Combo1")->setCurrentIndex(2);
        QCOMPARE(text1(s), QStringLiteral("300"));
        QCOMPARE(chosen(s).groupStart, 200);

        // Exactly 200 words: no empty third group.
        chooseBook(s, 1);
        QCOMPARE(items(combo(s, "Combo1")), (QStringList{"0", "100"}));
        QCOMPARE(chosen(s).groupStart, 0);
        QCOMPARE(text1(s), QStringLiteral("100"));
        QCOMPARE(caption(s, "Label1"), QStringLiteral("人教版小学英语第二册    词汇量:200"));

        click(s, "Button2");
        flushDeletes();
        QCOMPARE(current()->objectName(), QStringLiteral("Main"));
    }

    // No content file: the choice says so and offers no group.
    void noContent() {
        cleanup();
        QTemporaryDir empty;
        ctx = app::AppContext::forTests(empty.path());
        QWidget *s = open("yy1");
        chooseBook(s, 0);
        QCOMPARE(caption(s, "Label1"), ctx->store().problem());
        QVERIFY(!caption(s, "Label1").isEmpty());
        QVERIFY(items(combo(s, "Combo1")).isEmpty());
        QVERIFY(!button(s, "Button1")->isEnabled());
    }

    void startShowsTheGroupsFirstWord() {
        QWidget *s = study(0);
        QCOMPARE(s->objectName(), QStringLiteral("学单词"));
        QVERIFY(ctx->navigator().parents().isEmpty()); // xuexi is closed, not hidden
        QCOMPARE(s->windowTitle(), QStringLiteral("Lumibo"));
        QCOMPARE(caption(s, "Button5"), QStringLiteral("学习人教版小学英语第一册单词"));
        QCOMPARE(shownWord(), QString());
        QVERIFY(!button(s, "Button6")->isEnabled());
        QVERIFY(!s->findChild<QProgressBar *>("Progress1")->isVisible());
        QVERIFY(!s->findChild<QLabel *>("Label1")->isVisible());
        QVERIFY(s->findChild<QRadioButton *>("Option1(0)")->isChecked());
        QCOMPARE(combo(s, "Combo2")->currentText(), QStringLiteral("3"));
        QCOMPARE(items(combo(s, "Combo2")), (QStringList{"1", "2", "3", "4", "5"}));
        QCOMPARE(speechLog(), QStringList{"rate 160"});

        click(s, "Button3");
        QVERIFY(!button(s, "Button3")->isEnabled());
        QVERIFY(button(s, "Button6")->isEnabled());
        QVERIFY(s->findChild<QProgressBar *>("Progress1")->isVisible());
        QCOMPARE(shownWord(), QStringLiteral("a1"));
        QCOMPARE(caption(s, "Button1"), QStringLiteral("a义1"));
        QCOMPARE(text1(s), QStringLiteral("An example of a1."));
        QCOMPARE(caption(s, "Label1"), QStringLiteral("词汇量:250   总第1个"));
        QCOMPARE(static_cast<english::WordScreen *>(s)->spokenWord(), QStringLiteral("a1"));
        QCOMPARE(speechLog(), (QStringList{"stop", "speak \"a1\""}));

        // "下一个" cuts off what is spoken and says the next word at the chosen rate.
        next();
        QCOMPARE(shownWord(), QStringLiteral("a2"));
        QCOMPARE(caption(s, "Label1"), QStringLiteral("词汇量:250   总第2个"));
        QCOMPARE(speechLog(), (QStringList{"stop", "rate 160", "speak \"a2\""}));
    }

    // A study run is a round of the words stepped through, with no answers.
    void studyRound() {
        QWidget *s = study(0);
        auto &rec = record(*ctx);
        click(s, "Button3");
        next(2);
        rec.clock = rec.clock.addSecs(40);
        click(s, "Button2");
        flushDeletes();
        QCOMPARE(rec.rounds.size(), 1);
        const services::Round &r = rec.rounds[0];
        QCOMPARE(roundLine(r), QStringLiteral("学单词 english 学习人教版小学英语第一册 第1组: 0 right, 0 wrong, 40 s"));
    }

    // "复习错题" shows the words missed before first, then the group from where it stood.
    void review() {
        record(*ctx).review[QStringLiteral("英语单词")] = {"a7", "zebra", "a5"};
        QWidget *s = study(0);
        QVERIFY(button(s, "ReviewButton")->isVisible());
        click(s, "ReviewButton");
        QVERIFY(!button(s, "ReviewButton")->isVisible());
        QVERIFY(!button(s, "Button3")->isEnabled());
        QCOMPARE(shownWord(), QStringLiteral("a7"));
        QCOMPARE(caption(s, "Button1"), QStringLiteral("a义7"));
        next();
        QCOMPARE(shownWord(), QStringLiteral("a5"));
        next();
        QCOMPARE(shownWord(), QStringLiteral("a1"));
        next();
        QCOMPARE(shownWord(), QStringLiteral("a2"));
    }

    void noReviewNoButton() {
        QWidget *s = study(0);
        QVERIFY(button(s, "ReviewButton")->isHidden());
    }

    // Full group: 99 presses show positions 1..99, the 100th the group's first again; the bar
    // counts to 100 and drops to 0 on the press after, apart from the group.
    void fullGroupWrapsAtHundred() {
        QWidget *s = study(1);
        click(s, "Button3");
        QCOMPARE(shownWord(), QStringLiteral("a101"));
        next(99);
        QCOMPARE(shownWord(), QStringLiteral("a200"));
        QCOMPARE(bar(s), 99);
        next();
        QCOMPARE(shownWord(), QStringLiteral("a101"));
        QCOMPARE(caption(s, "Label1"), QStringLiteral("词汇量:250   总第101个"));
        QCOMPARE(bar(s), 100);
        next();
        QCOMPARE(shownWord(), QStringLiteral("a102"));
        QCOMPARE(bar(s), 0);
        next();
        QCOMPARE(bar(s), 1);
    }

    // The last group of 50: the 50th press returns to word 201.
    void lastGroupWrapsAtTheTablesEnd() {
        QWidget *s = study(2);
        click(s, "Button3");
        QCOMPARE(shownWord(), QStringLiteral("a201"));
        next(49);
        QCOMPARE(shownWord(), QStringLiteral("a250"));
        next();
        QCOMPARE(shownWord(), QStringLiteral("a201"));
        QCOMPARE(caption(s, "Label1"), QStringLiteral("词汇量:250   总第201个"));
        next();
        QCOMPARE(shownWord(), QStringLiteral("a202"));
    }

    // "不朗读": start and next are silent, "再听3遍" still says the word three times, queued
    // behind what is spoken; a speed chosen meanwhile is the rate used later.
    void silentReadingAndRepeats() {
        QWidget *s = study(0);
        s->findChild<QRadioButton *>("Option1(1)")->click();
        speechLog();
        click(s, "Button3");
        next();
        QCOMPARE(speechLog(), (QStringList{"stop", "stop"}));
        click(s, "Button7");
        QCOMPARE(speechLog(), (QStringList{"speak \"a2\"", "speak \"a2\"", "speak \"a2\""}));
        combo(s, "Combo2")->setCurrentIndex(4);
        QCOMPARE(speechLog(), QStringList{"rate 190"});
        QCOMPARE(ctx->voice().rate(), 190);
        s->findChild<QRadioButton *>("Option1(0)")->click();
        next();
        QCOMPARE(speechLog(), (QStringList{"stop", "rate 190", "speak \"a3\""}));
    }

    // "再听3遍" waits for a word of this visit: the word spoken last on another screen or on an
    // earlier visit is not said again.
    void repeatWaitsForAWord() {
        QWidget *s = study(0);
        QVERIFY(!button(s, "Button7")->isEnabled());
        click(s, "Button3");
        speechLog();
        click(s, "Button7");
        QCOMPARE(speechLog(), (QStringList{"speak \"a1\"", "speak \"a1\"", "speak \"a1\""}));

        click(s, "Button2");
        flushDeletes();
        QWidget *choice = current();
        chooseBook(choice, 0);
        click(choice, "Button1");
        flushDeletes();
        s = current();
        QCOMPARE(s->objectName(), QStringLiteral("学单词"));
        QVERIFY(!button(s, "Button7")->isEnabled());
    }

    // The rate is the shared voice's: it holds on the other English screens.
    void rateHoldsAcrossScreens() {
        QWidget *s = study(0);
        combo(s, "Combo2")->setCurrentIndex(0);
        click(s, "Button2");
        flushDeletes();
        QCOMPARE(ctx->voice().rate(), 130);
        QCOMPARE(current()->objectName(), QStringLiteral("xuexi"));
        current()->close();
        QCoreApplication::processEvents();
        flushDeletes();
        QCOMPARE(current()->objectName(), QStringLiteral("Main"));
        QWidget *choice = open("yy2");
        chooseBook(choice, 0);
        click(choice, "Button1");
        QCOMPARE(ctx->voice().rate(), 130);
    }

    // "不学了" stops the voice and shows xuexi afresh.
    void leavingShowsTheChoiceAfresh() {
        QWidget *s = study(2);
        click(s, "Button3");
        speechLog();
        click(s, "Button2");
        flushDeletes();
        QCOMPARE(speechLog(), QStringList{"stop"});
        QWidget *choice = current();
        QCOMPARE(choice->objectName(), QStringLiteral("xuexi"));
        QVERIFY(choice->findChild<QListWidget *>("List1")->selectedItems().isEmpty());
        QCOMPARE(caption(choice, "Label1"), QStringLiteral("请先选择学习词库"));
        QVERIFY(!button(choice, "Button1")->isEnabled());
    }
};

QTEST_MAIN(WordStudyScreenTest)
#include "WordStudyScreenTest.moc"
