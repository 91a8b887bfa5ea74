#include "ui/Keyboard.h"
#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "arithmetic/DrillScreen.h"
#include "english/RecitationScreen.h"
#include "pinyin/PinyinGamesScreen.h"
#include "support/TestSupport.h"
#include "ui/AnswerButtons.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QStyle>
#include <QTextEdit>

using namespace testing_support;

// Every kind of screen played by keys alone: Tab in reading order, Enter and Space on the focused
// button, 1 to 4 on the answers, Esc out, F10 into the menu. Each keyed script is played next to
// the same script done by clicks, and a child must see and hear exactly the same.
class KeyboardTest : public QObject {
    Q_OBJECT

    std::unique_ptr<app::AppContext> ctx;

    QWidget *current() const { return ctx->navigator().current(); }

    static QString nameOf(const QWidget *w) { return w ? w->objectName() : QStringLiteral("<none>"); }

    // Where a key goes: an open menu, else the focused control, else the window.
    QWidget *keyTarget() const {
        if (QWidget *popup = QApplication::activePopupWidget()) return popup;
        if (QWidget *f = QApplication::focusWidget()) return f;
        return current();
    }

    static Qt::Key keyNamed(const QString &name) {
        static const QHash<QString, Qt::Key> keys = {
            {"Return", Qt::Key_Return}, {"Enter", Qt::Key_Enter},   {"Space", Qt::Key_Space},
            {"Tab", Qt::Key_Tab},       {"Escape", Qt::Key_Escape}, {"Down", Qt::Key_Down},
            {"Up", Qt::Key_Up},         {"F10", Qt::Key_F10},       {"Alt", Qt::Key_Alt}};
        if (name.size() == 1 && name.at(0).isDigit()) return Qt::Key(Qt::Key_0 + name.at(0).digitValue());
        return keys.value(name, Qt::Key_unknown);
    }

    void open(const QString &how) {
        ctx = app::AppContext::forTests(QStringLiteral(LUMIBO_BUILD_DIR), 7);
        if (how == screens::kMain)
            ctx->navigator().showMain();
        else if (const app::MenuItem *item = app::findMenuItem(how))
            ctx->navigator().open(*item);
        else
            ctx->navigator().open(how);
        settle();
    }

    // A new window on show becomes the active one and takes the focus, as on a desktop.
    void settle() {
        QCoreApplication::processEvents();
        flushDeletes();
        QVERIFY(current());
        QVERIFY2(current()->isActiveWindow(), qPrintable(nameOf(current()) + " is not the active window"));
    }

    // What a child sees on the current screen and has heard so far.
    QString seen() const {
        QStringList out{QStringLiteral("screen ") + nameOf(current()) + " " + current()->windowTitle()};
        for (QWidget *w : current()->findChildren<QWidget *>()) {
            if (!w->isVisibleTo(current())) continue;
            QString state;
            if (auto *b = qobject_cast<QAbstractButton *>(w))
                state = b->text() + (b->isEnabled() ? "" : " (off)") + (b->isChecked() ? " (on)" : "");
            else if (auto *l = qobject_cast<QLabel *>(w))
                state = l->text();
            else if (auto *p = qobject_cast<QProgressBar *>(w))
                state = QString::number(p->value());
            else if (auto *c = qobject_cast<QComboBox *>(w))
                state = c->currentText() + QStringLiteral(" of %1").arg(c->count());
            else if (auto *e = qobject_cast<QLineEdit *>(w))
                state = e->text();
            else if (auto *list = qobject_cast<QListWidget *>(w))
                state = QStringLiteral("row %1").arg(list->currentRow());
            else if (auto *t = qobject_cast<QTextEdit *>(w))
                state = t->toPlainText();
            else if (auto *t = qobject_cast<QPlainTextEdit *>(w))
                state = t->toPlainText();
            else
                continue;
            out << w->objectName() + " = " + state;
        }
        out << QStringLiteral("heard ") + clips(*ctx).log.join(", ");
        out << QStringLiteral("said ") + speech(*ctx).log.join(", ");
        return out.join('\n');
    }

    // Plays one script; returns what is seen after each step that acts (moving the focus does not).
    void play(const QString &how, const QStringList &script, QStringList &after) {
        open(how);
        if (QTest::currentTestFailed()) return;
        for (const QString &step : script) {
            const QString verb = step.section(':', 0, 0);
            const QString arg = step.section(':', 1);
            QWidget *before = current();
            if (verb == "key") {
                const Qt::Key key = keyNamed(arg);
                if (key == Qt::Key_unknown) qFatal("no key %s", qPrintable(arg));
                QTest::keyClick(keyTarget(), key);
            } else if (verb == "tab") {
                // Tab until the control has the focus: it can be reached by keys.
                for (int i = 0; i < 40 && nameOf(QApplication::focusWidget()) != arg; ++i)
                    QTest::keyClick(keyTarget(), Qt::Key_Tab);
                if (nameOf(QApplication::focusWidget()) != arg) {
                    QFAIL(qPrintable("Tab never reaches " + arg + " on " + nameOf(current())));
                }
                continue;
            } else if (verb == "focus") {
                if (nameOf(QApplication::focusWidget()) != arg) {
                    QFAIL(qPrintable("the focus is on " + nameOf(QApplication::focusWidget()) + ", not " +
                                     arg));
                }
                continue;
            } else if (verb == "click") {
                click(current(), arg);
            } else if (verb == "item") {
                // A click on a list's row.
                auto *list = current()->findChild<QListWidget *>(arg.section(':', 0, 0));
                QVERIFY(list);
                const QRect r = list->visualItemRect(list->item(arg.section(':', 1).toInt()));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
            } else if (verb == "choose") {
                // A combo box's item picked with the mouse.
                auto *combo = current()->findChild<QComboBox *>(arg.section(':', 0, 0));
                QVERIFY(combo);
                const int i = arg.section(':', 1).toInt();
                combo->setCurrentIndex(i);
                emit combo->activated(i);
            } else if (verb == "fire") {
                timer(current(), arg)->fire();
            } else if (verb == "trigger") {
                current()->findChild<QAction *>(arg)->trigger();
            } else {
                qFatal("no step %s", qPrintable(step));
            }
            flushDeletes();
            if (current() != before) settle();
            after << seen();
        }
    }

    void finish() {
        ctx.reset();
        flushDeletes();
    }

  private slots:
    void initTestCase() { useOwnSettings(); }
    void cleanup() { finish(); }

    void keysDoWhatClicksDo_data() {
        QTest::addColumn<QString>("how"); // a menu item, or a screen opened plainly
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("last"); // the screen on show at the end

        QTest::newRow("drill") << "less10" << QStringList{"focus:Button7", "key:Return", "key:2",
                                                          "key:1",         "key:4",      "key:Escape"}
                               << QStringList{"click:Button7", "click:Button9(2)", "click:Button9(1)",
                                              "click:Button9(4)", "click:Button1"}
                               << screens::kMain;
        QTest::newRow("lesson") << "danzi"
                                << QStringList{"focus:Combo1", "key:Down",    "tab:Button1", "key:Return",
                                               "key:Space",    "tab:Button3", "key:Return",  "key:Escape"}
                                << QStringList{"choose:Combo1:0", "click:Button1", "click:Button1",
                                               "click:Button3", "click:Button2"}
                                << screens::kMain;
        QTest::newRow("word game") << "chenyu" << QStringList{"key:3", "key:1", "key:2", "key:Escape"}
                                   << QStringList{"click:Button1(3)", "click:Button1(1)", "click:Button1(2)",
                                                  "click:Button2"}
                                   << screens::kMain;
        QTest::newRow("pinyin game") << "py2" << QStringList{"focus:Button7", "key:Return", "key:2",
                                                             "fire:Timer1",   "key:4",      "tab:Button13",
                                                             "key:Space",     "key:Escape"}
                                     << QStringList{"click:Button7",    "click:Button9(2)", "fire:Timer1",
                                                    "click:Button9(4)", "click:Button13",   "click:Button1"}
                                     << screens::kMain;
        QTest::newRow("geometry") << "tx1" << QStringList{"focus:Button7", "key:Return", "key:4",
                                                          "key:1",         "key:3",      "key:Escape"}
                                  << QStringList{"click:Button7", "click:Button9(4)", "click:Button9(1)",
                                                 "click:Button9(3)", "click:Button1"}
                                  << screens::kMain;
        QStringList typing;
        for (int i = 0; i < 10; ++i)
            typing << "fire:Timer1";
        QTest::newRow("poem game") << "tangshiyx"
                                   << QStringList{"tab:Button1(2)", "key:Return"} + typing +
                                          QStringList{"tab:Button1(4)", "key:Space"} + typing +
                                          QStringList{"key:Escape"}
                                   << QStringList{"click:Button1(2)"} + typing +
                                          QStringList{"click:Button1(4)"} + typing +
                                          QStringList{"click:Button2"}
                                   << screens::kMain;
        QTest::newRow("english") << "yy1"
                                 << QStringList{"focus:List1", "key:Space",  "tab:Button1", "key:Return",
                                                "tab:Button3", "key:Return", "tab:Button6", "key:Space",
                                                "key:Return",  "key:Escape"}
                                 << QStringList{"item:List1:0",  "click:Button1", "click:Button3",
                                                "click:Button6", "click:Button6", "click:Button2"}
                                 << screens::kWordStudyChoice;
        QTest::newRow("maintenance") << screens::kMaintenance
                                     << QStringList{"focus:Command1", "tab:printArea", "key:Escape"}
                                     << QStringList{"click:Command1"} << screens::kMain;
        QTest::newRow("menu") << screens::kMain << QStringList{"focus:Main", "key:Return", "tab:Command1",
                                                               "key:F10",    "key:Down",   "key:Return"}
                              << QStringList{"trigger:less10"} << screens::kAddition;
        QTest::newRow("menu by Alt") << screens::kMain << QStringList{"key:Alt", "key:Down", "key:Return"}
                                     << QStringList{"trigger:less10"} << screens::kAddition;
    }

    void keysDoWhatClicksDo() {
        QFETCH(QString, how);
        QFETCH(QStringList, keys);
        QFETCH(QStringList, clicks);
        QFETCH(QString, last);
        if (keys.contains("key:Alt") &&
            !QApplication::style()->styleHint(QStyle::SH_MenuBar_AltKeyNavigation))
            QSKIP("this style gives Alt no way into the menu bar; F10 is the way in");

        QStringList byKeys, byClicks;
        play(how, keys, byKeys);
        if (QTest::currentTestFailed()) return;
        QCOMPARE(nameOf(current()), last);
        finish();
        play(how, clicks, byClicks);
        if (QTest::currentTestFailed()) return;
        QCOMPARE(nameOf(current()), last);
        // The menu opens and walks by keys without a step a child would see.
        if (how == screens::kMain) {
            QCOMPARE(byKeys.last(), byClicks.last());
            return;
        }
        QCOMPARE(byKeys.size(), byClicks.size());
        for (qsizetype i = 0; i < byKeys.size(); ++i)
            QCOMPARE(byKeys[i], byClicks[i]);
    }

    // The exact texts of a drill answered by keys: 2 answers with the second button in reading
    // order, and Esc leaves as 返回 does.
    void drillByKeys() {
        open(QStringLiteral("less10"));
        QWidget *s = current();
        QCOMPARE(nameOf(QApplication::focusWidget()), QStringLiteral("Button7"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!button(s, "Button7")->isEnabled());
        // 开始 turned itself off: the focus is on the first answer, not on 暂停 beside it.
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), s->findChild<ui::AnswerButtons *>()->buttonAt(1));
        const QString second = caption(s, "Button9(2)");
        const bool right = second.toInt() == qobject_cast<arithmetic::DrillScreen *>(s)->question()->answer;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_2);
        QCOMPARE(caption(s, "Button13"),
                 right ? QStringLiteral("正确1道题,错误0道题,") : QStringLiteral("正确0道题,错误1道题,"));
        QCOMPARE(clips(*ctx).log.last(), played(right ? core::jieguo::kRight : core::jieguo::kWrong));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        flushDeletes();
        QCOMPARE(nameOf(current()), screens::kMain);
    }

    // The pinyin letter game says "正确" by sound: the key of the right answer plays it, as a click.
    void pinyinRightAnswerByKey() {
        open(QStringLiteral("py2"));
        QWidget *s = current();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        const int right = qobject_cast<pinyin::PinyinGamesScreen *>(s)->rightButton();
        auto *answers = s->findChild<ui::AnswerButtons *>();
        QVERIFY(answers);
        int place = 0;
        for (int p = 1; p <= 4; ++p)
            if (answers->buttonAt(p) == answers->button(right)) place = p;
        QVERIFY(place > 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(Qt::Key_0 + place));
        QCOMPARE(clips(*ctx).log.last(), played(core::jieguo::kRight));
        QVERIFY(timer(s, "Timer1")->isEnabled());
    }

    void tabFollowsReadingOrder_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("stops");
        QTest::newRow("olympiad") << "slj1"
                                  << QStringList{"Button9(1)", "Button9(2)", "Button9(3)", "Button9(4)",
                                                 "Button7",    "Button11",   "Button1"};
        QTest::newRow("table drill") << "jianfa"
                                     << QStringList{"Button9(1)", "Button9(2)", "Button9(3)", "Button9(4)",
                                                    "Button7",    "Button11",   "Button8",    "Button1"};
        // 复习错题 keeps its place in the chain while it is hidden, as every control does.
        QTest::newRow("lesson") << "danzi"
                                << QStringList{"ReviewButton", "Combo1",  "Combo2",  "strokeOrder", "Check1",
                                               "Txtpy",        "Button3", "Button1", "Button4",     "Button2"};
        QTest::newRow("word game") << "chenyu"
                                   << QStringList{"Text1",      "Button1(1)",   "Button1(2)", "Button1(3)",
                                                  "Button1(4)", "ReviewButton", "List1",      "Option1(0)",
                                                  "Option1(1)", "Option2(0)",   "Option2(1)", "Button2"};
        QTest::newRow("pinyin game") << "py2"
                                     << QStringList{"Button9(1)",   "Button9(2)", "Button9(3)", "Button9(4)",
                                                    "ReviewButton", "Button7",    "Button13",   "Button1"};
        QTest::newRow("geometry") << "tx1" << QStringList{"Button9(1)", "Button9(2)", "Button9(3)",
                                                          "Button9(4)", "Button7",    "Button1"};
        QTest::newRow("poem game") << "tangshiyx"
                                   << QStringList{"Option1(0)", "Option1(1)", "Button1(1)", "Button1(2)",
                                                  "Button1(3)", "Button1(4)", "List1",      "Button1(5)",
                                                  "Button1(6)", "Button1(7)", "Button1(8)", "Button2",
                                                  "Button5"};
        QTest::newRow("maintenance") << screens::kMaintenance
                                     << QStringList{"Command1", "Command2",  "Command3",        "Command4",
                                                    "Command5", "Command6",  "Command7",        "Command8",
                                                    "Command9", "Command10", "restoreOriginal", "printArea"};
    }

    // The Tab chain is the reading order, and real Tab presses walk it over the controls in use.
    void tabFollowsReadingOrder() {
        QFETCH(QString, how);
        QFETCH(QStringList, stops);
        open(how);
        QStringList chain;
        for (QWidget *w : ui::tabStops(current()))
            chain << w->objectName();

        QCOMPARE(chain.join(" "), stops.join(" "));

        QStringList inUse;
        for (const QString &name : stops) {
            QWidget *w = current()->findChild<QWidget *>(name);
            if (w->isEnabled() && w->isVisible()) inUse << name;
        }
        QStringList walked{nameOf(QApplication::focusWidget())};
        for (qsizetype i = 1; i < inUse.size(); ++i) {
            QTest::keyClick(keyTarget(), Qt::Key_Tab);
            walked << nameOf(QApplication::focusWidget());
        }
        // Exclusive option buttons take one stop for their group, at the chosen one.
        QStringList expected;
        for (const QString &name : inUse) {
            auto *b = current()->findChild<QAbstractButton *>(name);
            if (b && b->autoExclusive() && !b->isChecked()) continue;
            expected << name;
        }
        walked = walked.mid(0, expected.size());
        QCOMPARE(walked, expected);
    }

    // Keys on a window of its own: digits go to a text box that has the focus, Esc still leaves;
    // elsewhere the digits press the answers by their place, not their number.
    void textBoxesKeepTheirDigits() {
        QWidget w;
        w.setObjectName(QStringLiteral("keys"));
        // Button9(1) sits below Button9(2): reading order is 2, 1.
        ui::AnswerButtons answers(&w, QStringLiteral("Button9"),
                                  {QRect(10, 60, 80, 40), QRect(10, 10, 80, 40)}, 12);
        auto *edit = new QLineEdit(&w);
        edit->setObjectName(QStringLiteral("edit"));
        edit->setGeometry(100, 10, 80, 30);
        auto *back = new ui::FlatButton(QStringLiteral("back"), QStringLiteral("返回"), &w, 12);
        back->setGeometry(100, 60, 80, 40);
        ui::markBack(back);
        QStringList events;
        connect(&answers, &ui::AnswerButtons::chosen, &w,
                [&](int k) { events << QStringLiteral("chose %1").arg(k); });
        connect(back, &QPushButton::clicked, &w, [&] { events << QStringLiteral("back"); });
        ui::enableKeyboard(&w);
        w.show();
        QCoreApplication::processEvents();
        QVERIFY(w.isActiveWindow());

        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("12"));
        QCOMPARE(edit->text(), QStringLiteral("12"));
        QVERIFY(events.isEmpty());
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(events, QStringList{"back"});

        answers.button(2)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_2, Qt::KeypadModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_3); // no third answer
        QCOMPARE(events, (QStringList{"back", "chose 2", "chose 1"}));

        // A disabled answer is not pressed by its key, any more than by a click.
        answers.setEnabled(2, false);
        QTest::keyClick(&w, Qt::Key_1);
        QCOMPARE(events.size(), 3);

        // Switched off, the digits do nothing.
        answers.setNumberKeys(false);
        answers.setEnabled(2, true);
        QTest::keyClick(&w, Qt::Key_1);
        QCOMPARE(events.size(), 3);
    }

    // The answers read their place and key; a blank answer is still named.
    void answerButtonsForReaders() {
        QWidget w;
        ui::AnswerButtons answers(&w, QStringLiteral("Button9"),
                                  {QRect(10, 60, 80, 40), QRect(10, 10, 80, 40)}, 12);
        QCOMPARE(answers.button(2)->accessibleName(), QStringLiteral("答案1"));
        QCOMPARE(answers.button(1)->accessibleName(), QStringLiteral("答案2"));
        QCOMPARE(answers.button(2)->accessibleDescription(), QStringLiteral("按1"));
        answers.setCaption(2, QStringLiteral("12"));
        QCOMPARE(answers.button(2)->accessibleName(), QString()); // the caption is read
        answers.clearCaptions();
        QCOMPARE(answers.button(2)->accessibleName(), QStringLiteral("答案1"));
    }

    // Screens with keys of their own or boards of many buttons have no number keys.
    void noNumberKeysWhereTheyWouldClash_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("letter chart") << "py1";
        QTest::newRow("spelling") << "py9";
        QTest::newRow("link game") << screens::kLinkGame;
        QTest::newRow("recitation") << screens::kRecitation;
    }

    void noNumberKeysWhereTheyWouldClash() {
        QFETCH(QString, how);
        open(how);
        for (ui::AnswerButtons *a : current()->findChildren<ui::AnswerButtons *>())
            QVERIFY(!a->numberKeys());
    }

    static english::RecitationScreen *recitation(QWidget *s) {
        return static_cast<english::RecitationScreen *>(s);
    }

    // The recitation reads its own keys 1 to 3: a wrong meaning by key is silent.
    void recitationKeepsItsKeys() {
        open(QStringLiteral("yy2"));
        current()->findChild<QListWidget *>("List1")->setCurrentRow(0);
        click(current(), "Button1");
        settle();
        QWidget *s = current();
        QCOMPARE(nameOf(s), screens::kRecitation);
        click(s, "Button3");
        timer(s, "Timer1")->fire();
        QVERIFY(recitation(s)->rightButton() >= 0);
        const int wrong = recitation(s)->rightButton() == 0 ? 1 : 0;
        const int before = clips(*ctx).log.size();
        QTest::keyClick(s->findChild<QWidget *>("Picture3"), char('1' + wrong));
        // By key a wrong meaning plays no sound; the right one is marked.
        QCOMPARE(clips(*ctx).log.size(), before);
        QVERIFY(s->findChild<QLabel *>(QStringLiteral("Image1(%1)").arg(recitation(s)->rightButton()))
                    ->isVisible());
        // Esc is 不学了: back to the book choice, as it was.
        QTest::keyClick(s->findChild<QWidget *>("Picture3"), Qt::Key_Escape);
        flushDeletes();
        QCOMPARE(nameOf(current()), screens::kRecitationChoice);
    }

    // Keys 1 to 3 answer the recitation wherever the focus is, and leave it there: Enter on a
    // focused 暂停, 再听 or "想不起来了" presses that button and counts no answer.
    void recitationKeysLeaveTheFocus() {
        open(QStringLiteral("yy2"));
        current()->findChild<QListWidget *>("List1")->setCurrentRow(0);
        click(current(), "Button1");
        settle();
        QWidget *s = current();
        auto marks = [s] {
            QStringList out;
            for (int i = 0; i < 3; ++i)
                if (s->findChild<QLabel *>(QStringLiteral("Image1(%1)").arg(i))->isVisible())
                    out << QString::number(i);
            return out.join(',');
        };
        click(s, "Button3");
        QCoreApplication::processEvents();
        button(s, "Button6")->setFocus(Qt::TabFocusReason);
        timer(s, "Timer1")->fire();
        QCOMPARE(nameOf(QApplication::focusWidget()), QStringLiteral("Button6"));

        // The right meaning by its key, from 暂停: counted, and the focus stays.
        QTest::keyClick(QApplication::focusWidget(), char('1' + recitation(s)->rightButton()));
        QCOMPARE(caption(s, "Label5"), QStringLiteral("正确1个"));
        QCOMPARE(nameOf(QApplication::focusWidget()), QStringLiteral("Button6"));
        timer(s, "Timer1")->fire();
        QCOMPARE(nameOf(QApplication::focusWidget()), QStringLiteral("Button6"));
        QCOMPARE(caption(s, "Label4"), QStringLiteral("学习了第2个"));

        // Enter pauses and resumes; the open word is not answered by it.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(caption(s, "Button6"), QStringLiteral("继续"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(caption(s, "Button6"), QStringLiteral("暂停"));
        QCOMPARE(marks(), QString());
        QCOMPARE(recitation(s)->rightCount(), 1);

        // Enter on 再听 says the word again, and answers nothing.
        button(s, "Button7")->setFocus(Qt::TabFocusReason);
        speech(*ctx).log.clear();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(speech(*ctx).log,
                 QStringList{QStringLiteral("speak \"%1\"").arg(recitation(s)->spokenWord())});
        QCOMPARE(marks(), QString());

        // The keypad's digits answer too: a wrong one, silent, from 再听.
        const int before = clips(*ctx).log.size();
        const int wrong = recitation(s)->rightButton() == 0 ? 1 : 0;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(Qt::Key_1 + wrong), Qt::KeypadModifier);
        QCOMPARE(marks(), QString::number(recitation(s)->rightButton()));
        QCOMPARE(clips(*ctx).log.size(), before);
        QCOMPARE(caption(s, "Label5"), QStringLiteral("正确1个"));
        QCOMPARE(nameOf(QApplication::focusWidget()), QStringLiteral("Button7"));

        // Enter on "想不起来了" gives the next word up: the ding, the mark, no count.
        timer(s, "Timer1")->fire();
        button(s, "Button8")->setFocus(Qt::TabFocusReason);
        timer(s, "Timer1")->fire();
        QCOMPARE(nameOf(QApplication::focusWidget()), QStringLiteral("Button8"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(clips(*ctx).log.last(), played(core::jieguo::kMatch));
        QCOMPARE(marks(), QString::number(recitation(s)->rightButton()));
        QCOMPARE(recitation(s)->rightCount(), 1);
        QCOMPARE(caption(s, "Label4"), QStringLiteral("学习了第4个"));
    }

    // The operation table, closed by a click on its background, closes with Esc.
    void escClosesTheOperationTable() {
        open(QStringLiteral("jianfa"));
        click(current(), "Button8");
        QWidget *table = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == screens::kOperationTable && w->isVisible()) table = w;
        QVERIFY(table);
        QCoreApplication::processEvents();
        QVERIFY(table->isActiveWindow());
        QPointer<QWidget> gone = table;
        QTest::keyClick(table, Qt::Key_Escape);
        flushDeletes();
        QVERIFY(gone.isNull());
        QCOMPARE(nameOf(current()), screens::kMultiplication); // the drill stays
    }

    // The ring shows around the focused control once the keys are in use, never after the mouse,
    // on a combo box as on a button.
    void focusRingFollowsTheKeyboard() {
        open(QStringLiteral("less10"));
        QWidget *s = current();
        auto around = [&](const char *name) {
            QWidget *w = current()->findChild<QWidget *>(QString::fromLatin1(name));
            return QRect(w->mapTo(current(), QPoint(0, 0)), w->size()).adjusted(-4, -4, 4, 4);
        };
        // The colour on the ring's left edge, half way down.
        auto ringColour = [&] {
            const QRect r = ui::focusRingPlace(current());
            return current()->grab().toImage().pixelColor(r.left() + 2, r.center().y());
        };

        click(s, "Button11"); // the mouse: focus without a ring
        QVERIFY(button(s, "Button11")->hasFocus());
        QCOMPARE(ui::focusRingPlace(s), QRect());

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QVERIFY(button(s, "Button7")->hasFocus());
        QCOMPARE(ui::focusRingPlace(s), around("Button7"));
        QCOMPARE(ringColour(), ui::focusRingColor());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(ui::focusRingPlace(s), around("Button11"));

        // A press of the mouse puts the ring away at once.
        QTest::mousePress(button(s, "Button8"), Qt::LeftButton);
        QCOMPARE(ui::focusRingPlace(s), QRect());
        QTest::mouseRelease(button(s, "Button8"), Qt::LeftButton);
        finish();

        open(QStringLiteral("danzi"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(nameOf(QApplication::focusWidget()), QStringLiteral("Combo2"));
        QCOMPARE(ui::focusRingPlace(current()), around("Combo2"));
        QCOMPARE(ringColour(), ui::focusRingColor());
    }
};

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
