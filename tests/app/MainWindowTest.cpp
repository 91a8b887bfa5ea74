#include "app/MainWindow.h"
#include "app/HelpScreen.h"
#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "app/ScreenRegistry.h"
#include "arithmetic/DrillScreen.h"
#include "support/TestSupport.h"
#include "ui/Fonts.h"
#include "ui/Timer.h"

#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>

using namespace testing_support;

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<app::AppContext> ctx;
    QTemporaryDir dir;

    QMainWindow *main() { return qobject_cast<QMainWindow *>(ctx->navigator().current()); }
    QAction *action(const QString &name) { return main()->findChild<QAction *>(name); }

  private slots:
    void init() {
        ctx = app::AppContext::forTests(dir.path());
        ctx->navigator().showMain();
    }
    void cleanup() {
        ctx.reset();
        flushDeletes();
    }

    void windowAndTitleLetters() {
        QCOMPARE(main()->objectName(), QStringLiteral("Main"));
        QCOMPARE(main()->windowTitle(), QStringLiteral("Lumibo-V3.5"));
        QCOMPARE(main()->centralWidget()->size(), QSize(586, 384));
        QString letters;
        for (int i = 1; i <= 6; ++i)
            letters += caption(main(), QStringLiteral("Label%1").arg(i));
        QCOMPARE(letters, QStringLiteral("Lumibo"));
        QCOMPARE(caption(main(), "Label7"), QStringLiteral("V3.5"));
        QCOMPARE(caption(main(), "Command1"), QStringLiteral("数据库"));
        auto *t = main()->findChild<ui::Timer *>(QStringLiteral("Timer1"));
        QVERIFY(t->isEnabled());
        QCOMPARE(t->interval(), 300);
    }

    // Every top menu and item, with control names, captions and separators in order.
    void menuBarInOrder() {
        const QStringList expected = {
            "jiafa 少儿加法: less10 一位数加一位数(和小于10) | less20 一位数加一位数(和大于10) | line1 - | "
            "less30 一位数加两位数(和小于50) | less31 一位数加两位数(和大于50) | line2 - | "
            "less40 两位数加两位数(和小于100) | less41 两位数加两位数(和大于100)",
            "chenfa 少儿减法: minus100 一位数减一位数 | line3 - | minus102 两位数减一位数 | line4 - | "
            "minus104 两位数减两位数",
            "cfcf 少儿乘除: jianfa 少儿乘法 | line7 - | chufa 少儿除法",
            "jjcc 奥数培训: slj1 连加口算 | slj2 连减口算 | slj3 加减混合 | line5 - | slj4 连乘口算 | slj5 "
            "连除口算 | "
            "slj6 乘除混合 | line6 - | slj7 四则混合 | slj8 比例计算",
            "pic 图形学习: tx1 认识几何图形",
            "renzi 少儿认字: py1 学习拼音 | py2 学拼音游戏(单韵母) | py3 学拼音游戏(复韵母) | py4 "
            "学拼音游戏(后鼻韵母) | "
            "py5 学拼音游戏(声母) | py6 学拼音游戏(全部字母) | py9 汉字找拼音 | line10 - | danzi 认识单字 | "
            "zuci 学习组词 | line9 - | tyc 同义词 | fyc 反义词 | cmy 猜谜语 | line12 - | chenyu 成语学习 | "
            "tangshi 唐诗学习 | tangshiyx 唐诗游戏",
            "endlish 少儿英语: yy1 学习单词 | yy2 背诵单词 | yy3 连连看(游戏)",
            "jiazhang 家长: xuexijilu 学习记录",
            "help 帮助: bangzhu 软件帮助 | aboutauthor 关于作者 | tuichu 退出",
        };
        QStringList seen;
        for (QAction *top : main()->menuBar()->actions()) {
            QStringList items;
            for (QAction *a : top->menu()->actions())
                items << a->objectName() + " " + (a->isSeparator() ? QStringLiteral("-") : a->text());
            seen << top->objectName() + " " + top->text() + ": " + items.join(" | ");
        }
        QCOMPARE(seen, expected);
    }

    void itemsEnabledOnlyWhenTheirScreenExists() {
        QVERIFY(action("less10")->isEnabled());
        QVERIFY(action("bangzhu")->isEnabled());
        QVERIFY(action("aboutauthor")->isEnabled());
        QVERIFY(action("tuichu")->isEnabled());
        for (const app::TopMenu &top : app::menuTable())
            for (const app::MenuItem &item : top.items)
                if (item.kind == app::MenuItem::Kind::Open)
                    QCOMPARE(action(item.name)->isEnabled(), ctx->registry().find(item.screen) != nullptr);
    }

    void less31OpensTheAdditionDrillInMode4() {
        QPointer<QWidget> oldMain = main();
        action("less31")->trigger();
        flushDeletes();
        QVERIFY(oldMain.isNull()); // the main window is unloaded
        QWidget *s = ctx->navigator().current();
        QCOMPARE(s->objectName(), QStringLiteral("jiafa10"));
        QCOMPARE(s->windowTitle(), QStringLiteral("一位数加两位数(和大于50)"));
        QCOMPARE(caption(s, "Label2"), QStringLiteral("一位数加两位数(和大于50)"));
        QCOMPARE(qobject_cast<arithmetic::DrillScreen *>(s)->mode(), 4);
        QVERIFY(s->isVisible());
        click(s, "Button7");
        QVERIFY(caption(s, "Button2").toInt() >= 41);

        // Return: the screen goes, a fresh main window runs the start-up steps again.
        const int opensBefore = clips(*ctx).log.filter("open").size();
        click(s, "Button1");
        flushDeletes();
        QVERIFY(ctx->navigator().current()->objectName() == QStringLiteral("Main"));
        QVERIFY(main() != nullptr && main()->isVisible());
        QCOMPARE(clips(*ctx).log.filter("open").size(), opensBefore + 1);
        QCOMPARE(speech(*ctx).log.filter("register").size(), 2);
    }

    void command1OpensTheMaintenanceScreen() {
        click(main(), "Command1");
        QCOMPARE(ctx->navigator().current()->objectName(), QStringLiteral("dataform"));
    }

    void startupWritesNothingIntoStudyDat() {
        // No store file is created, and an existing one is left byte for byte.
        QVERIFY(!QFile::exists(dir.filePath("study.dat")));
        QFile f(dir.filePath("study.dat"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        const QByteArray bytes("SQLite format 3\0 fixed content", 30);
        f.write(bytes);
        f.close();
        ctx->navigator().showMain();
        action("tuichu")->trigger();
        QFile g(dir.filePath("study.dat"));
        QVERIFY(g.open(QIODevice::ReadOnly));
        QCOMPARE(g.readAll(), bytes);
    }

    void helpScreen() {
        action("bangzhu")->trigger();
        QWidget *s = ctx->navigator().current();
        QCOMPARE(s->objectName(), QStringLiteral("帮助1"));
        QCOMPARE(s->windowTitle(), QStringLiteral("Lumibo帮助"));
        const QString text = s->findChild<QPlainTextEdit *>("Text1")->toPlainText();
        const QStringList lines = text.split('\n');
        QCOMPARE(lines.size(), 23); // 22 lines, each ended by a line break
        QCOMPARE(lines[0], QStringLiteral("               Lumibo3.5"));
        QCOMPARE(lines[2], QStringLiteral("1.软件适合3－8岁儿童，包括加法，减法，乘法，"));
        QCOMPARE(lines[9], QStringLiteral("3.经测试，进行本软件教学4个月后（每天平均2"));
        QCOMPARE(lines[10], QStringLiteral("小时)，4－5岁儿童的数学能力可达到小学三年级"));
        QCOMPARE(lines[21], QStringLiteral("6.安装过程中，电脑弹出对话，一律单击\"忽略\"."));
        QCOMPARE(lines[22], QString());
        QCOMPARE(caption(s, "Button1"), QStringLiteral("知道了"));
        click(s, "Button1");
        flushDeletes();
        QCOMPARE(ctx->navigator().current()->objectName(), QStringLiteral("Main"));
    }

    void aboutBox() {
        action("aboutauthor")->trigger();
        auto *box = main()->findChild<QMessageBox *>("aboutBox");
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->windowTitle(), QStringLiteral("关于"));
        const QStringList lines = box->text().split('\n');
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines[0], QStringLiteral(" Lumibo3.5"));
        QCOMPARE(lines[1], QString());
        QCOMPARE(lines[2], QStringLiteral(" 作者:Lumibo 开发组"));
        QCOMPARE(lines[3], QStringLiteral(" email: lumibo@example.org"));
        QVERIFY(lines[4].startsWith(QStringLiteral("通讯地址：")));
        QVERIFY(lines[5].contains(QStringLiteral("   tel:")));
        QVERIFY(main()->isVisible());
        box->button(QMessageBox::Ok)->click();
    }

    void quitClosesEveryWindow() {
        action("less10")->trigger();
        QWidget *s = ctx->navigator().current();
        click(s, "Button7");
        ctx->navigator().quit();
        flushDeletes();
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    }

    void closingAScreenByItsFrameReturnsToMain() {
        action("less10")->trigger();
        QWidget *s = ctx->navigator().current();
        s->close();
        QCoreApplication::processEvents();
        flushDeletes();
        QCOMPARE(ctx->navigator().current()->objectName(), QStringLiteral("Main"));
    }

    // Without a CJK font every Chinese caption would be boxes; fail here instead.
    void screenFontsHaveChineseGlyphs() {
        for (double pt : {10.5, 15.0, 26.25, 72.0}) {
            const QFont f = ui::simSun(pt);
            QVERIFY2(QFontMetrics(f).inFont(QChar(0x5C11)), qPrintable(QFontInfo(f).family())); // 少
            QVERIFY(QFontMetrics(f).inFont(QChar(0x6570)));                                     // 数
        }
        QVERIFY(QFontMetrics(action("less10")->font()).inFont(QChar(0x52A0)) ||
                QFontMetrics(QApplication::font()).inFont(QChar(0x52A0)));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
