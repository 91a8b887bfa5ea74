// The shapes quiz as a child uses it: open it from the menu, press "开始", pick names.
#include "geometry/ShapesScreen.h"
#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "geometry/ShapeCatalogue.h"
#include "support/TestSupport.h"
#include "ui/DrawingSurface.h"

#include <QMainWindow>

using namespace testing_support;

namespace {
const QColor kBack(192, 192, 255);
const QString kRightClip = testing_support::played(core::jieguo::kRight);
const QString kWrongClip = testing_support::played(core::jieguo::kWrong);
} // namespace

class ShapesScreenTest : public QObject {
    Q_OBJECT

    std::unique_ptr<app::AppContext> ctx;
    QWidget *screen = nullptr;
    geometry::ShapesScreen *shapes() const { return qobject_cast<geometry::ShapesScreen *>(screen); }

    QStringList answers() {
        QStringList c;
        for (int k = 1; k <= 4; ++k)
            c << caption(screen, QStringLiteral("Button9(%1)").arg(k));
        return c;
    }
    bool answersEnabled(bool enabled) {
        for (int k = 1; k <= 4; ++k)
            if (button(screen, QStringLiteral("Button9(%1)").arg(k))->isEnabled() != enabled) return false;
        return true;
    }
    ui::DrawingSurface *surface() {
        return screen->findChild<ui::DrawingSurface *>(QStringLiteral("Picture3"));
    }
    // The main window's menu item, as the child picks it.
    void openFromMenu() {
        auto *main = qobject_cast<QMainWindow *>(ctx->navigator().current());
        QVERIFY(main);
        QAction *tx1 = main->findChild<QAction *>(QStringLiteral("tx1"));
        QVERIFY(tx1 && tx1->isEnabled());
        tx1->trigger();
        flushDeletes();
        screen = ctx->navigator().current();
        QCOMPARE(screen->objectName(), QStringLiteral("tpform"));
    }

  private slots:
    void init() {
        ctx = app::AppContext::forTests(QDir::tempPath(), 5);
        ctx->navigator().showMain();
    }
    void cleanup() {
        ctx.reset();
        flushDeletes();
    }

    void loadShowsTheEmptyGrid() {
        openFromMenu();
        QCOMPARE(screen->windowTitle(), QStringLiteral("图形学习"));
        QVERIFY(screen->isVisible());
        QCOMPARE(caption(screen, "Label1"), QStringLiteral("小朋友认识"));
        QCOMPARE(caption(screen, "Label2"), QStringLiteral("左边的图形和色彩吗？"));
        QCOMPARE(caption(screen, "Button7"), QStringLiteral("开始"));
        QCOMPARE(caption(screen, "Button1"), QStringLiteral("返回"));
        QVERIFY(button(screen, "Button7")->isEnabled());
        QVERIFY(answersEnabled(false));
        QCOMPARE(answers(), QStringList(4, QStringLiteral(" ")));
        QCOMPARE(clips(*ctx).plays(), QStringList());

        ui::DrawingSurface *s = surface();
        QCOMPARE(s->size(), QSize(433, 433)); // 6495 twips square
        QCOMPARE(s->backColor(), kBack);
        QCOMPARE(s->colorAt(-95, 95), kBack);
        QCOMPARE(s->colorAt(-90, 95), QColor(255, 255, 0));
        QCOMPARE(s->colorAt(50, 0), QColor(0, 0, 255));

        // The question texts fit their labels.
        for (const char *name : {"Label1", "Label2"}) {
            auto *l = screen->findChild<QLabel *>(QString::fromLatin1(name));
            QVERIFY(QFontMetrics(l->font()).horizontalAdvance(l->text()) <= l->width());
            QVERIFY(l->geometry().left() >= s->geometry().right());
        }
    }

    void startOnceThenRightAndWrongNames() {
        openFromMenu();
        // 圆 on Button9(2); wrong 坐标轴, 直线, 线段.
        ctx->random.script({0.35, 0.3, 0.0, 0.0, 0.6, 0.2, 0.4});
        click(screen, "Button7");
        QVERIFY(!button(screen, "Button7")->isEnabled());
        QVERIFY(answersEnabled(true));
        QCOMPARE(answers(), (QStringList{"坐标轴", "圆", "直线", "线段"}));
        QCOMPARE(shapes()->item(), geometry::Shape::Circle);
        QCOMPARE(surface()->colorAt(70, 0), QColor(255, 0, 0));

        // A wrong name sounds and changes nothing.
        const QImage before = surface()->image().copy();
        click(screen, "Button9(1)");
        click(screen, "Button9(4)");
        QCOMPARE(clips(*ctx).plays(), (QStringList{kWrongClip, kWrongClip}));
        QCOMPARE(answers(), (QStringList{"坐标轴", "圆", "直线", "线段"}));
        QVERIFY(answersEnabled(true));
        QCOMPARE(surface()->image(), before);

        // The right name sounds and the next item is on show at once; it may sit on the
        // same button again. 正方体 on Button9(2); wrong 钝角, 锐角, 直线.
        ctx->random.script({0.43, 0.3, 0.9, 0.99, 0.0, 0.5, 0.2});
        click(screen, "Button9(2)");
        QCOMPARE(clips(*ctx).plays().last(), kRightClip);
        QCOMPARE(answers(), (QStringList{"锐角", "正方体", "直线", "钝角"}));
        QCOMPARE(surface()->colorAt(-30, -30), QColor(0, 0, 255));
        QCOMPARE(surface()->colorAt(70, 0), kBack);
        QVERIFY(!button(screen, "Button7")->isEnabled());

        click(screen, "Button9(2)");
        QCOMPARE(clips(*ctx).plays().size(), 4);
        QCOMPARE(clips(*ctx).plays().last(), kRightClip);
        const QString right = QStringLiteral("Button9(%1)").arg(shapes()->rightButton());
        QCOMPARE(caption(screen, right), geometry::ShapeCatalogue::name(shapes()->item()));
    }

    // A session runs from "开始" until the screen is put away: the names asked and pressed.
    void session() {
        openFromMenu();
        auto &rec = record(*ctx);
        click(screen, "Button7");
        const QString asked = caption(screen, QStringLiteral("Button9(%1)").arg(shapes()->rightButton()));
        const QString wrong = QStringLiteral("Button9(%1)").arg(shapes()->rightButton() % 4 + 1);
        const QString given = caption(screen, wrong);
        click(screen, wrong);
        click(screen, QStringLiteral("Button9(%1)").arg(shapes()->rightButton()));
        click(screen, QStringLiteral("Button9(%1)").arg(shapes()->rightButton()));
        rec.clock = rec.clock.addSecs(125);
        click(screen, "Button1");
        QCOMPARE(rec.rounds.size(), 1);
        const services::Round &r = rec.rounds[0];
        QCOMPARE(roundLine(r), QStringLiteral("tpform geometry : 2 right, 1 wrong, 125 s"));
        QCOMPARE(missList(r), QStringList{asked + QStringLiteral("→") + given});
    }

    void returnAndComeBack() {
        openFromMenu();
        click(screen, "Button7");
        click(screen, "Button1");
        flushDeletes();
        QCOMPARE(ctx->navigator().current()->objectName(), QStringLiteral("Main"));
        QVERIFY(ctx->navigator().current()->isVisible());

        // A new visit starts afresh: "开始" once more, the empty grid, no names.
        openFromMenu();
        QVERIFY(button(screen, "Button7")->isEnabled());
        QVERIFY(answersEnabled(false));
        QCOMPARE(surface()->colorAt(-95, 95), kBack);
        QCOMPARE(surface()->colorAt(50, 0), QColor(0, 0, 255));
    }
};

QTEST_MAIN(ShapesScreenTest)
#include "ShapesScreenTest.moc"
