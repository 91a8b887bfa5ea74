#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "arithmetic/DrillScreen.h"
#include "support/TestSupport.h"
#include "ui/Timer.h"

#include <QProgressBar>

using namespace testing_support;

// The olympiad screen jjccform, driven through its eight menu items.
class OlympiadScreenTest : public QObject {
    Q_OBJECT

    std::unique_ptr<app::AppContext> ctx;
    QWidget *screen = nullptr;

    QWidget *open(const QString &item) {
        screen = ctx->navigator().open(*app::findMenuItem(item));
        return screen;
    }
    ui::Timer *timer(const char *name) { return testing_support::timer(screen, QString::fromLatin1(name)); }
    arithmetic::DrillScreen *drill() const { return qobject_cast<arithmetic::DrillScreen *>(screen); }
    double correct() const { return drill()->question() ? drill()->question()->answer : 0; }
    QString answerButton(bool right) {
        return testing_support::answerButton(screen, QString::number(correct()), right);
    }
    // Int(Rnd * n + m) gives v for this Rnd.
    static double r(int n, int m, int v) { return (v - m + 0.5) / n; }

  private slots:
    void init() { ctx = app::AppContext::forTests(QDir::tempPath(), 7); }
    void cleanup() {
        ctx.reset();
        flushDeletes();
    }

    void variantsFromTheMenu_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("title");
        QTest::newRow("slj1") << "slj1" << 1 << "连加口算(和小于60)";
        QTest::newRow("slj2") << "slj2" << 2 << "连减口算(最大被减数50)";
        QTest::newRow("slj3") << "slj3" << 3 << "加减混合(结果最大80)";
        QTest::newRow("slj4") << "slj4" << 4 << "连乘口算";
        QTest::newRow("slj5") << "slj5" << 5 << "连除口算";
        QTest::newRow("slj6") << "slj6" << 6 << "乘除混合";
        QTest::newRow("slj7") << "slj7" << 7 << "四则混合";
        QTest::newRow("slj8") << "slj8" << 8 << "比例计算";
    }

    // Load state: title on Button3 and the caption, no clock, score, table button or sound.
    void variantsFromTheMenu() {
        QFETCH(QString, item);
        QFETCH(int, mode);
        QFETCH(QString, title);
        open(item);
        QCOMPARE(screen->objectName(), QStringLiteral("jjccform"));
        QCOMPARE(drill()->mode(), mode);
        QCOMPARE(caption(screen, "Button3"), title);
        QCOMPARE(screen->windowTitle(), title);
        QCOMPARE(button(screen, "Button5")->isVisible(), mode != 8);
        QCOMPARE(caption(screen, "Button6"), QStringLiteral("?"));
        QCOMPARE(caption(screen, "Button13"), QStringLiteral("正误"));
        QVERIFY(!screen->findChild<QWidget *>(QStringLiteral("Button10")));
        QVERIFY(!screen->findChild<QWidget *>(QStringLiteral("Button8")));
        QVERIFY(!timer("Timer1"));
        QVERIFY(!timer("Timer2")->isEnabled());
        QVERIFY(clips(*ctx).plays().isEmpty());
        for (int k = 1; k <= 4; ++k)
            QVERIFY(!button(screen, QStringLiteral("Button9(%1)").arg(k))->isEnabled());

        click(screen, "Button7");
        QCOMPARE(drill()->elapsedSeconds(), 0);
        QVERIFY(!button(screen, "Button7")->isEnabled());
        QVERIFY(!caption(screen, "Button2").isEmpty());
        QCOMPARE(caption(screen, "Button2").contains(u'='), mode == 8);
    }

    // 3×4+10÷2-6 on one tile; the right answer plays the longer stretch; the short tally.
    void answeringAScriptedChain() {
        open(QStringLiteral("slj7"));
        ctx->random.script({r(9, 1, 3), r(9, 1, 4), r(9, 1, 2), r(9, 1, 5), r(9, 1, 6)});
        click(screen, "Button7");
        QCOMPARE(caption(screen, "Button2"), QStringLiteral("3×4+10÷2-6"));
        QCOMPARE(correct(), 11.0);
        const QString wrong = answerButton(false);
        click(screen, wrong);
        QVERIFY(!button(screen, wrong)->isEnabled());
        QCOMPARE(caption(screen, "Button6"), QStringLiteral("11"));
        QCOMPARE(caption(screen, "Button13"), QStringLiteral("正确0道,错误1道"));
        click(screen, answerButton(true));
        QCOMPARE(caption(screen, "Button13"), QStringLiteral("正确1道,错误1道"));
        QCOMPARE(clips(*ctx).plays(),
                 (QStringList{played(core::jieguo::kWrong), played(core::jieguo::kRightWithPraise)}));
        // The next question is up.
        QCOMPARE(caption(screen, "Button6"), QStringLiteral("?"));
        click(screen, answerButton(true));
        QCOMPARE(caption(screen, "Button13"), QStringLiteral("正确2道,错误1道"));
    }

    void proportionInDecimals() {
        open(QStringLiteral("slj8"));
        ctx->random.script({r(9, 1, 1), r(9, 1, 2), r(9, 1, 3), 0.25});
        click(screen, "Button7");
        QCOMPARE(caption(screen, "Button2"), QStringLiteral("0.2:0.6=1:?"));
        QVERIFY(!button(screen, "Button5")->isVisible());
        click(screen, answerButton(true));
        QCOMPARE(caption(screen, "Button13"), QStringLiteral("正确1道,错误0道"));
    }

    void returnShowsTheMainWindow() {
        open(QStringLiteral("slj3"));
        click(screen, "Button7");
        click(screen, "Button1");
        flushDeletes();
        QCOMPARE(ctx->navigator().current()->objectName(), QStringLiteral("Main"));
    }
};

QTEST_MAIN(OlympiadScreenTest)
#include "OlympiadScreenTest.moc"
