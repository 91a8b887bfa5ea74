#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "arithmetic/DrillScreen.h"
#include "support/TestSupport.h"
#include "ui/Timer.h"

#include <QPointer>
#include <QProgressBar>

using namespace testing_support;

// The window 口诀表, opened from the drills' table buttons.
class OperationTableTest : public QObject {
    Q_OBJECT

    std::unique_ptr<app::AppContext> ctx;
    QWidget *drill = nullptr;

    QWidget *openDrill(const char *item) {
        drill = ctx->navigator().open(*app::findMenuItem(QString::fromLatin1(item)));
        return drill;
    }
    // The table window as a user sees it: a shown top-level window of that name.
    static QWidget *tableWindow() {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("口诀表") && w->isVisible()) return w;
        return nullptr;
    }
    static QStringList lines(QWidget *w) {
        QStringList out;
        for (int i = 0; i < 9; ++i)
            out << caption(w, QStringLiteral("Label1(%1)").arg(i));
        return out;
    }

  private slots:
    void init() { ctx = app::AppContext::forTests(QDir::tempPath(), 3); }
    void cleanup() {
        ctx.reset();
        flushDeletes();
        QVERIFY(!tableWindow());
    }

    void tables_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("addition") << "less10"
                                  << "加法口诀表"
                                  << QStringList{
                                         "1+1=2",
                                         "1+2=3  2+1=3",
                                         "1+3=4  2+2=4  3+1=4",
                                         "1+4=5  2+3=5  3+2=5  4+1=5",
                                         "1+5=6  2+4=6  3+3=6  4+2=6  5+1=6",
                                         "1+6=7  2+5=7  3+4=7  4+3=7  5+2=7  6+1=7 ",
                                         "1+7=8  2+6=8  3+5=8  4+4=8  5+3=8  6+2=8  7+1=8",
                                         "1+8=9  2+7=9  3+6=9  4+5=9  5+4=9  6+3=9  7+2=9  8+1=9",
                                         "1+9=10 2+8=10 3+7=10 4+6=10 5+5=10 6+4=10 7+3=10 8+2=10 9+1=10 "};
        // The first minus of each line is the full-width U+FF0D, written out here as its bytes.
        const QString fw = QString::fromUtf8("\xEF\xBC\x8D");
        QTest::newRow("subtraction")
            << "minus102"
            << "减法口诀表"
            << QStringList{"2" + fw + "1=1",
                           "3" + fw + "2=1   3-1=2",
                           "4" + fw + "3=1   4-2=2  4-1=3",
                           "5" + fw + "4=1   5-3=2  5-2=3  5-1=4",
                           "6" + fw + "5=1   6-4=2  6-3=3  6-2=4  6-1=5",
                           "7" + fw + "6=1   7-5=2  7-4=3  7-3=4  7-2=5  7-1=6 ",
                           "8" + fw + "7=1   8-6=2  8-5=3  8-4=4  8-3=5  8-2=6  8-1=7",
                           "9" + fw + "8=1   9-7=2  9-6=3  9-5=4  9-4=5  9-3=6  9-2=7  9-1=8",
                           "10" + fw + "9=1  10-8=2 10-7=3 10-6=4 10-5=5 10-4=6 10-3=7 10-2=8 10-1=9"};
        const QString x = QString::fromUtf8("\xC3\x97");
        QStringList times{"1x1=1",
                          "1x2=2 2x2=4",
                          "1x3=3 2x3=6  3x3=9",
                          "1x4=4 2x4=8  3x4=12 4x4=16",
                          "1x5=5 2x5=10 3x5=15 4x5=20 5x5=25",
                          "1x6=6 2x6=12 3x6=18 4x6=24 5x6=30 6x6=36 ",
                          "1x7=7 2x7=14 3x7=21 4x7=28 5x7=35 6x7=42 7x7=49",
                          "1x8=8 2x8=16 3x8=24 4x8=32 5x8=40 6x8=48 7x8=56 8x8=64",
                          "1x9=9 2x9=18 3x9=27 4x9=36 5x9=45 6x9=54 7x9=63 8x9=72 9x9=81 "};
        for (QString &line : times)
            line.replace(u'x', x);
        QTest::newRow("multiplication") << "jianfa"
                                        << "乘法口诀表" << times;
    }

    // The drill's Button8 opens the window over the drill, titled and filled line by line.
    void tables() {
        QFETCH(QString, item);
        QFETCH(QString, name);
        QFETCH(QStringList, expected);
        openDrill(qPrintable(item));
        QCOMPARE(caption(drill, "Button8"), name);
        click(drill, "Button8");
        QWidget *w = tableWindow();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), name);
        QCOMPARE(caption(w, "Label2"), name);
        const QStringList shown = lines(w);
        for (int i = 0; i < 9; ++i)
            QCOMPARE(shown[i].toUtf8(), expected[i].toUtf8());
        // Each line is drawn whole: its label grows to its text.
        for (int i = 0; i < 9; ++i) {
            auto *label = w->findChild<QLabel *>(QStringLiteral("Label1(%1)").arg(i));
            QVERIFY(label->width() >= QFontMetrics(label->font()).horizontalAdvance(label->text()));
            QVERIFY(label->geometry().right() < w->width());
        }
        QCOMPARE(w->size(), QSize(ui::twips(11070), ui::twips(6765)));
        // It opens on top: the drill stays the current screen.
        QCOMPARE(ctx->navigator().current(), drill);
        QVERIFY(drill->isVisible());
    }

    void clickOnALineKeepsItClickBesideClosesIt() {
        openDrill("less10");
        click(drill, "Button8");
        QWidget *w = tableWindow();
        QPointer<QWidget> guard(w);
        auto *board = w->findChild<QWidget *>(QStringLiteral("Picture1"));
        QCOMPARE(board->toolTip(), QStringLiteral("单击关闭口诀表窗口"));
        for (const char *label : {"Label1(0)", "Label1(8)", "Label2"}) {
            QTest::mouseClick(w->findChild<QLabel *>(QString::fromLatin1(label)), Qt::LeftButton);
            flushDeletes();
            QVERIFY2(guard && w->isVisible(), label);
        }
        // Beside the lines, in the lower right corner.
        QTest::mouseClick(board, Qt::LeftButton, {}, QPoint(board->width() - 10, board->height() - 10));
        flushDeletes();
        QVERIFY(guard.isNull());
        QVERIFY(!tableWindow());
        // The drill is untouched, and its table button opens a fresh window.
        QCOMPARE(ctx->navigator().current(), drill);
        click(drill, "Button8");
        QVERIFY(tableWindow());
    }

    // The drill keeps running under the window: countdown, clock and answer buttons.
    void drillKeepsRunning() {
        openDrill("jianfa");
        click(drill, "Button7");
        auto *countdown = drill->findChild<ui::Timer *>(QStringLiteral("Timer2"));
        auto *clock = drill->findChild<ui::Timer *>(QStringLiteral("Timer1"));
        click(drill, "Button8");
        QVERIFY(tableWindow());
        QVERIFY(countdown->isEnabled() && clock->isEnabled());
        for (int i = 0; i < 5; ++i)
            countdown->fire();
        QCOMPARE(drill->findChild<QProgressBar *>(QStringLiteral("Progress1"))->value(), 5);
        for (int k = 1; k <= 4; ++k) {
            const QString name = QStringLiteral("Button9(%1)").arg(k);
            if (caption(drill, name) ==
                QString::number(qobject_cast<arithmetic::DrillScreen *>(drill)->question()->answer)) {
                click(drill, name);
                break;
            }
        }
        QCOMPARE(caption(drill, "Button13"), QStringLiteral("正确1道题,错误0道题,"));
        QVERIFY(tableWindow());
    }

    // It outlives the drill, and another drill's table button replaces its content.
    void outlivesTheDrillAndIsReplaced() {
        openDrill("less20");
        click(drill, "Button8");
        QPointer<QWidget> w = tableWindow();
        click(drill, "Button1");
        flushDeletes();
        QCOMPARE(ctx->navigator().current()->objectName(), QStringLiteral("Main"));
        QVERIFY(w && w->isVisible());
        QCOMPARE(caption(w, "Label2"), QStringLiteral("加法口诀表"));

        openDrill("minus104");
        click(drill, "Button8");
        QCOMPARE(tableWindow(), w.data()); // still the one window
        QCOMPARE(w->windowTitle(), QStringLiteral("减法口诀表"));
        QCOMPARE(caption(w, "Label1(0)"), QString::fromUtf8("2\xEF\xBC\x8D"
                                                            "1=1"));
        click(drill, "Button8");
        int windows = 0;
        for (QWidget *top : QApplication::topLevelWidgets())
            windows += top->objectName() == QStringLiteral("口诀表") && top->isVisible();
        QCOMPARE(windows, 1);
    }

    void quitClosesIt() {
        openDrill("less10");
        click(drill, "Button8");
        QPointer<QWidget> w = tableWindow();
        ctx->navigator().quit();
        flushDeletes();
        QVERIFY(!w || !w->isVisible());
        QVERIFY(!tableWindow());
    }
};

QTEST_MAIN(OperationTableTest)
#include "OperationTableTest.moc"
