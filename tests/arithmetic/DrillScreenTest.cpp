#include "arithmetic/DrillScreen.h"
#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "support/TestSupport.h"
#include "ui/Backdrop.h"
#include "ui/Timer.h"

#include <QMainWindow>
#include <QProgressBar>

using namespace testing_support;

class DrillScreenTest : public QObject {
    Q_OBJECT

    std::unique_ptr<app::AppContext> ctx;
    QWidget *screen = nullptr;

    QWidget *openAddition(const char *item = "less10") {
        screen = ctx->navigator().open(*app::findMenuItem(QString::fromLatin1(item)));
        return screen;
    }
    ui::Timer *timer(const char *name) { return testing_support::timer(screen, QString::fromLatin1(name)); }
    arithmetic::DrillScreen *drill() const { return qobject_cast<arithmetic::DrillScreen *>(screen); }
    // The right answer of the question on show.
    double correct() const { return drill()->question() ? drill()->question()->answer : 0; }
    int bar() { return testing_support::bar(screen); }
    QString answerButton(bool right) {
        const QString answer = caption(screen, "Button2").isEmpty() ? QString() : QString::number(correct());
        return testing_support::answerButton(screen, answer, right);
    }

  private slots:
    void init() {
        ctx = app::AppContext::forTests(QDir::tempPath(), 42);
        openAddition();
    }
    void cleanup() {
        ctx.reset();
        flushDeletes();
    }

    void beforeStart() {
        QCOMPARE(screen->windowTitle(), QStringLiteral("一位数加一位数(和小于10)"));
        QCOMPARE(caption(screen, "Button10"), QStringLiteral(" 成绩"));
        QCOMPARE(caption(screen, "Button13"), QStringLiteral("正误"));
        QCOMPARE(caption(screen, "Button6"), QStringLiteral("?"));
        for (int k = 1; k <= 4; ++k)
            QVERIFY(!button(screen, QStringLiteral("Button9(%1)").arg(k))->isEnabled());
        QVERIFY(button(screen, "Button7")->isEnabled());
        QVERIFY(!timer("Timer1")->isEnabled());
        QVERIFY(!timer("Timer2")->isEnabled());
        QCOMPARE(clips(*ctx).plays(), QStringList{played(core::jieguo::kAdditionGreeting)});
    }

    void startAndClock() {
        click(screen, "Button7");
        QVERIFY(!button(screen, "Button7")->isEnabled());
        QVERIFY(timer("Timer1")->isEnabled() && timer("Timer2")->isEnabled());
        timer("Timer1")->fire();
        QCOMPARE(caption(screen, "Button10"), QStringLiteral("0分时间1"));
        const int a = caption(screen, "Button2").toInt(), b = caption(screen, "Button4").toInt();
        QVERIFY(a + b < 10);
        QCOMPARE(correct(), double(a + b));
    }

    void rightAndWrongScores() {
        click(screen, "Button7");
        click(screen, answerButton(true));
        const QString wrong = answerButton(false);
        click(screen, wrong);
        // The wrong button alone is disabled, the answer is shown, the question stays.
        QVERIFY(!button(screen, wrong)->isEnabled());
        QCOMPARE(caption(screen, "Button6"), QString::number(correct()));
        int enabled = 0;
        for (int k = 1; k <= 4; ++k)
            enabled += button(screen, QStringLiteral("Button9(%1)").arg(k))->isEnabled();
        QCOMPARE(enabled, 3);
        timer("Timer1")->fire();
        timer("Timer1")->fire();
        QCOMPARE(caption(screen, "Button13"), QStringLiteral("正确1道题,错误1道题,"));
        QCOMPARE(caption(screen, "Button10"), QStringLiteral("成绩50分--时间2秒"));
        click(screen, answerButton(true));
        QCOMPARE(caption(screen, "Button13"), QStringLiteral("正确2道题,错误1道题,"));
        QCOMPARE(caption(screen, "Button10"), QStringLiteral("成绩66分--时间2秒"));
        QCOMPARE(caption(screen, "Button6"), QStringLiteral("?"));
        QCOMPARE(clips(*ctx).plays(),
                 (QStringList{played(core::jieguo::kAdditionGreeting), played(core::jieguo::kRight),
                              played(core::jieguo::kWrong), played(core::jieguo::kRight)}));
    }

    // The question as its tiles show it.
    QString shownQuestion() {
        return QStringLiteral("%1 %2 %3 =")
            .arg(caption(screen, "Button2"), caption(screen, "Button3"), caption(screen, "Button4"));
    }

    // Twenty questions make a round: its counts, its one miss (the question and the answer
    // pressed) and its time by the recorder's clock; the next round starts with question 21.
    void roundOfTwentyQuestions() {
        auto &rec = record(*ctx);
        click(screen, "Button7");
        const QString first = shownQuestion();
        const QString wrong = answerButton(false);
        const QString given = caption(screen, wrong);
        click(screen, wrong);
        rec.clock = rec.clock.addSecs(95);
        for (int q = 0; q < 19; ++q)
            click(screen, answerButton(true));
        QVERIFY(rec.rounds.isEmpty());
        // Running out settles a question too.
        for (int i = 0; i < 100; ++i)
            timer("Timer2")->fire();
        QCOMPARE(rec.rounds.size(), 1);
        const services::Round &r = rec.rounds[0];
        QCOMPARE(roundLine(r), QStringLiteral("jiafa10 arithmetic 一位数加一位数(和小于10): 19 right, 1 wrong, 95 s"));
        QCOMPARE(missList(r), QStringList{first + QStringLiteral("→") + given});
        QCOMPARE(r.misses[0].list, QStringLiteral("jiafa10"));
        QVERIFY(first.endsWith(QStringLiteral(" =")) && first.count(QLatin1Char(' ')) == 3);
        // The screen's own tally runs on across rounds.
        QCOMPARE(caption(screen, "Button13"), QStringLiteral("正确19道题,错误1道题,"));
        rec.clock = rec.clock.addSecs(7);
        click(screen, answerButton(true));
        click(screen, "Button1");
        QCOMPARE(rec.rounds.size(), 2);
        QCOMPARE(rec.rounds[1].right, 1);
        QCOMPARE(rec.rounds[1].seconds, 7);
    }

    // A round left early is handed over once, when the screen is put away; a visit with no
    // answer leaves nothing.
    void roundLeftEarly() {
        auto &rec = record(*ctx);
        click(screen, "Button1");
        QVERIFY(rec.rounds.isEmpty());
        screen = ctx->navigator().open(*app::findMenuItem("slj1"));
        click(screen, "Button7");
        const QString asked = caption(screen, "Button2") + QStringLiteral(" =");
        const QString wrong = answerButton(false);
        const QString given = caption(screen, wrong);
        click(screen, wrong);
        click(screen, answerButton(true));
        rec.clock = rec.clock.addSecs(42);
        click(screen, "Button1");
        flushDeletes();
        QCOMPARE(rec.rounds.size(), 1);
        const services::Round &r = rec.rounds[0];
        QCOMPARE(roundLine(r), QStringLiteral("jjccform arithmetic 连加口算(和小于60): 1 right, 1 wrong, 42 s"));
        QCOMPARE(missList(r), QStringList{asked + QStringLiteral("→") + given});
    }

    void countdown_data() {
        QTest::addColumn<QString>("item");
        QTest::newRow("addition") << "less10";
        QTest::newRow("subtraction") << "minus104";
        QTest::newRow("multiplication") << "jianfa";
        QTest::newRow("division") << "chufa";
        QTest::newRow("olympiad") << "slj1";
    }

    // Every drill: the answer shows at tick 80, a wrong press meanwhile does not stop the
    // countdown, and at 100 the next question comes with nothing played or counted for running out.
    void countdown() {
        QFETCH(QString, item);
        screen = ctx->navigator().open(*app::findMenuItem(item));
        clips(*ctx).log.clear();
        click(screen, "Button7");
        for (int i = 0; i < 79; ++i)
            timer("Timer2")->fire();
        QCOMPARE(caption(screen, "Button6"), QStringLiteral("?"));
        timer("Timer2")->fire();
        QCOMPARE(bar(), 80);
        QCOMPARE(caption(screen, "Button6"), QString::number(correct()));
        click(screen, testing_support::answerButton(screen, QString::number(correct()), false));
        for (int i = 0; i < 20; ++i)
            timer("Timer2")->fire();
        QCOMPARE(bar(), 0);
        QCOMPARE(caption(screen, "Button6"), QStringLiteral("?"));
        for (int k = 1; k <= 4; ++k)
            QVERIFY(button(screen, QStringLiteral("Button9(%1)").arg(k))->isEnabled());
        QCOMPARE(drill()->rightCount(), 0);
        QCOMPARE(drill()->wrongCount(), 1);
        QVERIFY(timer("Timer2")->isEnabled());
        QCOMPARE(clips(*ctx).plays(), QStringList{played(core::jieguo::kWrong)});
        for (int i = 0; i < 100; ++i)
            timer("Timer2")->fire();
        QCOMPARE(clips(*ctx).plays().size(), 1);
        QCOMPARE(drill()->wrongCount(), 1);
    }

    void pauseFreezesTheBarNotTheClock() {
        click(screen, "Button7");
        timer("Timer2")->fire();
        click(screen, "Button11");
        QCOMPARE(caption(screen, "Button11"), QStringLiteral("继续"));
        QVERIFY(!timer("Timer2")->isEnabled());
        QVERIFY(timer("Timer1")->isEnabled());
        timer("Timer1")->fire();
        QCOMPARE(caption(screen, "Button10"), QStringLiteral("0分时间1"));
        click(screen, "Button11");
        QCOMPARE(caption(screen, "Button11"), QStringLiteral("暂停"));
        QVERIFY(timer("Timer2")->isEnabled());
        timer("Timer2")->fire();
        QCOMPARE(bar(), 2);
        // A right answer ends a pause.
        click(screen, "Button11");
        click(screen, answerButton(true));
        QCOMPARE(caption(screen, "Button11"), QStringLiteral("暂停"));
        QVERIFY(timer("Timer2")->isEnabled());
    }

    void pauseTwiceBeforeStart() {
        click(screen, "Button11");
        click(screen, "Button11");
        QVERIFY(timer("Timer2")->isEnabled());
        for (int i = 0; i < 80; ++i)
            timer("Timer2")->fire();
        // Nothing was asked yet in this run: the reveal shows an empty answer.
        QCOMPARE(caption(screen, "Button6"), QString());
        for (int i = 0; i < 20; ++i)
            timer("Timer2")->fire();
        QVERIFY(!caption(screen, "Button2").isEmpty() && caption(screen, "Button2") != "A");
        for (int k = 1; k <= 4; ++k)
            QVERIFY(button(screen, QStringLiteral("Button9(%1)").arg(k))->isEnabled());
        QVERIFY(!timer("Timer1")->isEnabled());
        QVERIFY(button(screen, "Button7")->isEnabled());
    }

    void lastAnswerSlotCarriesAcrossVisits() {
        for (int visit = 0; visit < 30; ++visit) {
            click(screen, "Button7");
            const int lastOfVisit = ctx->globals.lastAnswerSlot;
            click(screen, button(screen, "Button1")->objectName());
            flushDeletes();
            openAddition(visit % 2 ? "less41" : "less20");
            click(screen, "Button7");
            QVERIFY(drill()->question()->choice.rightSlot != lastOfVisit);
            click(screen, "Button1");
            flushDeletes();
            openAddition();
        }
    }

    // The other operation drills are the same screen with their own row.
    void otherDrills_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("screenName");
        QTest::addColumn<QString>("windowCaption");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QChar>("sign");
        QTest::addColumn<QString>("loadClip");
        QTest::addColumn<QString>("tableButton");
        QTest::addColumn<int>("subtractMode");
        QTest::newRow("minus100") << "minus100"
                                  << "jianfa100"
                                  << "一位数减一位数"
                                  << "一位数减一位数" << QChar(0xFF0D)
                                  << played(core::jieguo::kSubtractionGreeting) << "减法口诀表" << 1;
        QTest::newRow("minus102") << "minus102"
                                  << "jianfa100"
                                  << "两位数减一位数"
                                  << "两位数减一位数" << QChar(0xFF0D)
                                  << played(core::jieguo::kSubtractionGreeting) << "减法口诀表" << 2;
        QTest::newRow("minus104") << "minus104"
                                  << "jianfa100"
                                  << "两位数减两位数"
                                  << "两位数减两位数" << QChar(0xFF0D)
                                  << played(core::jieguo::kSubtractionGreeting) << "减法口诀表" << 3;
        QTest::newRow("jianfa") << "jianfa"
                                << "chenfa100"
                                << "乘法学习"
                                << "乘法口诀学习" << QChar(0x00D7)
                                << played(core::jieguo::kMultiplicationGreeting) << "乘法口诀表" << 0;
        QTest::newRow("chufa") << "chufa"
                               << "chufa100"
                               << "除法学习"
                               << "少儿除法学习" << QChar(0x00F7) << played(core::jieguo::kDivisionGreeting)
                               << "" << 0;
    }

    void otherDrills() {
        QFETCH(QString, item);
        QFETCH(QString, screenName);
        QFETCH(QString, windowCaption);
        QFETCH(QString, title);
        QFETCH(QChar, sign);
        QFETCH(QString, loadClip);
        QFETCH(QString, tableButton);
        QFETCH(int, subtractMode);
        clips(*ctx).log.clear();
        screen = ctx->navigator().open(*app::findMenuItem(item));
        QCOMPARE(screen->objectName(), screenName);
        QCOMPARE(screen->windowTitle(), windowCaption);
        QCOMPARE(caption(screen, "Label2"), title);
        QCOMPARE(caption(screen, "Button3"), QString(sign));
        QCOMPARE(clips(*ctx).plays(), QStringList{loadClip});
        if (subtractMode) QCOMPARE(drill()->mode(), subtractMode);
        auto *table = screen->findChild<QPushButton *>(QStringLiteral("Button8"));
        QCOMPARE(table ? table->text() : QString(), tableButton);
        if (table) QVERIFY(table->isEnabled());

        click(screen, "Button7");
        const double a = caption(screen, "Button2").toDouble(), b = caption(screen, "Button4").toDouble();
        const double expected = screenName == "jianfa100" ? a - b : screenName == "chenfa100" ? a * b : a / b;
        QCOMPARE(correct(), expected);
        QVERIFY(expected >= 0);
        click(screen, answerButton(false));
        click(screen, answerButton(true));
        QCOMPARE(caption(screen, "Button13"), QStringLiteral("正确1道题,错误1道题,"));
        QCOMPARE(caption(screen, "Button10"), QStringLiteral("成绩50分--时间0秒"));
        QCOMPARE(clips(*ctx).plays(),
                 (QStringList{loadClip, played(core::jieguo::kWrong), played(core::jieguo::kRight)}));
        timer("Timer1")->fire();
        QCOMPARE(caption(screen, "Button10"), QStringLiteral("成绩50分--时间1秒"));
    }

    // Without a table button the division screen stacks its controls and narrows its tiles.
    void divisionLayout() {
        screen = ctx->navigator().open(*app::findMenuItem(QStringLiteral("chufa")));
        QVERIFY(!screen->findChild<QWidget *>(QStringLiteral("Button8")));
        QStringList order{"Button7", "Button11", "Button13", "Button10", "Button1"};
        for (int i = 1; i < order.size(); ++i) {
            QWidget *above = screen->findChild<QWidget *>(order[i - 1]),
                    *below = screen->findChild<QWidget *>(order[i]);
            QCOMPARE(below->x(), above->x());
            QVERIFY(below->y() >= above->y() + above->height());
        }
        for (const char *tile : {"Button2", "Button3", "Button4", "Button5"})
            QCOMPARE(button(screen, tile)->width(), ui::twips(1935));
    }

    // Every item of the arithmetic menus opens a drill that starts, takes a right answer and
    // returns to the main window, all through the main window's menu.
    void everyArithmeticItemWorks() {
        for (const char *top : {"jiafa", "chenfa", "cfcf", "jjcc"}) {
            for (const app::TopMenu &menu : app::menuTable()) {
                if (menu.name != QLatin1String(top)) continue;
                for (const app::MenuItem &item : menu.items) {
                    if (item.kind != app::MenuItem::Kind::Open) continue;
                    auto *main = qobject_cast<QMainWindow *>(ctx->navigator().showMain());
                    QAction *action = main->findChild<QAction *>(item.name);
                    QVERIFY2(action && action->isEnabled(), qPrintable(item.name));
                    action->trigger();
                    flushDeletes();
                    screen = ctx->navigator().current();
                    QCOMPARE(screen->objectName(), item.screen);
                    click(screen, "Button7");
                    const QString right = answerButton(true);
                    QVERIFY2(!right.isEmpty(), qPrintable(item.name));
                    click(screen, right);
                    QCOMPARE(drill()->rightCount(), 1);
                    QVERIFY(caption(screen, "Button13").startsWith(QStringLiteral("正确1道")));
                    click(screen, "Button1");
                    flushDeletes();
                    QCOMPARE(ctx->navigator().current()->objectName(), QStringLiteral("Main"));
                }
            }
        }
    }

    void threeDigitAnswersFit_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QString>("question");
        QTest::newRow("sums over 100") << "less41" << QList<double>{0.99, 0.99} << "100";
        QTest::newRow("9×9×9") << "slj4" << QList<double>{0.99, 0.99, 0.99} << "9×9×9";
    }

    // The largest answers and questions stay whole on their buttons and tiles.
    void threeDigitAnswersFit() {
        QFETCH(QString, item);
        QFETCH(QList<double>, draws);
        QFETCH(QString, question);
        screen = ctx->navigator().open(*app::findMenuItem(item));
        for (double d : draws)
            ctx->random.script({d});
        click(screen, "Button7");
        QCOMPARE(caption(screen, "Button2"), question);
        QVERIFY(correct() >= 100);
        for (const char *name : {"Button9(1)", "Button9(2)", "Button9(3)", "Button9(4)", "Button2"}) {
            auto *b = button(screen, name);
            QVERIFY2(QFontMetrics(b->font()).horizontalAdvance(b->text()) < b->width(), name);
        }
    }
};

QTEST_MAIN(DrillScreenTest)
#include "DrillScreenTest.moc"
