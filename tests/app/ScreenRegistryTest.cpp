#include "app/ScreenRegistry.h"
#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "gallery/GalleryStates.h"
#include "support/TestSupport.h"

#include <QCloseEvent>
#include <QLineEdit>

// Every registered screen builds headless on the shipped content, every menu item names a
// registered screen, and screens can open child screens.
class ScreenRegistryTest : public QObject {
    Q_OBJECT

    // A parent that opens a child, and the child: a test-only pair.
    static app::ScreenRegistry childPair() {
        app::ScreenRegistry r;
        r.add({QStringLiteral("Main"), [](app::AppContext &) -> QWidget * {
                   auto *w = new QWidget;
                   w->setObjectName(QStringLiteral("Main"));
                   return w;
               }});
        r.add({QStringLiteral("parent"), [](app::AppContext &ctx) -> QWidget * {
                   auto *w = new QWidget;
                   w->setObjectName(QStringLiteral("parent"));
                   auto *choice = new QLineEdit(w);
                   choice->setObjectName(QStringLiteral("choice"));
                   auto *go = new QPushButton(QStringLiteral("go"), w);
                   go->setObjectName(QStringLiteral("go"));
                   QObject::connect(go, &QPushButton::clicked, w,
                                    [&ctx] { ctx.navigator().openChild(QStringLiteral("child")); });
                   return w;
               }});
        r.add({QStringLiteral("child"), [](app::AppContext &ctx) -> QWidget * {
                   auto *w = new QWidget;
                   w->setObjectName(QStringLiteral("child"));
                   auto *back = new QPushButton(QStringLiteral("back"), w);
                   back->setObjectName(QStringLiteral("back"));
                   QObject::connect(back, &QPushButton::clicked, w, [&ctx] { ctx.navigator().leave(); });
                   return w;
               }});
        return r;
    }

  private slots:
    // The gallery states tick check boxes whose choice is remembered.
    void initTestCase() { testing_support::useOwnSettings(); }

    void everyScreenBuilds() {
        for (const app::ScreenEntry &entry : app::ScreenRegistry::instance().entries()) {
            auto ctx = app::AppContext::forTests(QStringLiteral(LUMIBO_BUILD_DIR));
            QWidget *w = entry.name == screens::kMain ? ctx->navigator().showMain()
                                                      : ctx->navigator().open(entry.name);
            QVERIFY2(w, qPrintable(entry.name));
            QCOMPARE(w->objectName(), entry.name);
            QVERIFY(w->isVisible());
            QVERIFY(!w->windowTitle().isEmpty());
            for (const gallery::State &state : gallery::statesOf(entry.name).states) {
                const QString problem = state.apply(w, *ctx);
                QVERIFY2(problem.isEmpty(), qUtf8Printable(problem));
            }
            ctx.reset();
            testing_support::flushDeletes();
        }
    }

    // The gallery's states and menu items name registered screens and menu items, so none is
    // left unrendered.
    void galleryStatesNameRegisteredScreens() {
        for (const auto &[screen, states] : gallery::statesByScreen()) {
            QVERIFY2(app::ScreenRegistry::instance().find(screen), qUtf8Printable(screen));
            QVERIFY2(states.menuItem.isEmpty() || app::findMenuItem(states.menuItem),
                     qUtf8Printable(screen + ": " + states.menuItem));
        }
    }

    // A state brought onto a screen without the controls it needs says which one it missed,
    // rather than reaching through a null.
    void aStateSaysWhichControlItMisses() {
        auto ctx = app::AppContext::forTests(QStringLiteral(LUMIBO_BUILD_DIR));
        QWidget *help = ctx->navigator().open(screens::kHelp);
        QVERIFY(help);
        const gallery::State &start = gallery::statesOf(screens::kAddition).states.front();
        QCOMPARE(start.apply(help, *ctx),
                 start.file + ": " + screens::kHelp + ": no control Button7 (QPushButton)");
        ctx.reset();
        testing_support::flushDeletes();
    }

    // Every menu item that opens a screen names a registered one, which opens with its name and
    // takes the item's choice.
    void everyMenuItemOpensItsScreen() {
        const auto &registry = app::ScreenRegistry::instance();
        for (const app::TopMenu &top : app::menuTable())
            for (const app::MenuItem &item : top.items) {
                if (item.kind != app::MenuItem::Kind::Open) continue;
                QVERIFY2(registry.find(item.screen),
                         qPrintable(item.name + " names the unknown screen " + item.screen));
                auto ctx = app::AppContext::forTests(QStringLiteral(LUMIBO_BUILD_DIR));
                QWidget *w = ctx->navigator().open(item);
                QVERIFY2(w, qPrintable(item.name));
                QCOMPARE(w->objectName(), item.screen);
                // What the item chooses reaches a screen that takes it.
                if (!item.choice.isEmpty())
                    QVERIFY2(dynamic_cast<app::MenuChoiceTarget *>(w),
                             qPrintable(item.name + " chooses in vain"));
                ctx.reset();
                testing_support::flushDeletes();
            }
    }

    void childScreens_data() {
        QTest::addColumn<QString>("how"); // how the child is left
        QTest::newRow("its leave") << "leave";
        QTest::newRow("its frame") << "frame";
    }

    // The parent stays hidden with its state while the child runs and comes back as it was.
    void childScreens() {
        QFETCH(QString, how);
        const app::ScreenRegistry pair = childPair();
        auto ctx = app::AppContext::forTests(QDir::tempPath());
        ctx->useRegistry(&pair);
        QWidget *parent = ctx->navigator().open(QStringLiteral("parent"));
        parent->findChild<QLineEdit *>(QStringLiteral("choice"))->setText(QStringLiteral("第3册"));
        testing_support::click(parent, QStringLiteral("go"));
        QWidget *child = ctx->navigator().current();
        QCOMPARE(child->objectName(), QStringLiteral("child"));
        QVERIFY(!parent->isVisible());
        QCOMPARE(ctx->navigator().parents(), QList<QWidget *>{parent});

        if (how == QStringLiteral("leave"))
            testing_support::click(child, QStringLiteral("back"));
        else
            child->close();
        QCoreApplication::processEvents();
        testing_support::flushDeletes();
        QCOMPARE(ctx->navigator().current(), parent);
        QVERIFY(parent->isVisible());
        QCOMPARE(parent->findChild<QLineEdit *>(QStringLiteral("choice"))->text(), QStringLiteral("第3册"));
        QVERIFY(ctx->navigator().parents().isEmpty());

        // The parent's own leave goes to the main window, as any screen's does.
        ctx->navigator().leave();
        testing_support::flushDeletes();
        QCOMPARE(ctx->navigator().current()->objectName(), QStringLiteral("Main"));
    }

    // Quit closes parent and child; a menu item opened from the main window unloads both.
    void quitAndMenuUnloadBoth() {
        const app::ScreenRegistry pair = childPair();
        auto ctx = app::AppContext::forTests(QDir::tempPath());
        ctx->useRegistry(&pair);
        QPointer<QWidget> parent = ctx->navigator().open(QStringLiteral("parent"));
        testing_support::click(parent, QStringLiteral("go"));
        QPointer<QWidget> child = ctx->navigator().current();
        ctx->navigator().open(QStringLiteral("parent"));
        testing_support::flushDeletes();
        QVERIFY(!parent && !child);

        parent = ctx->navigator().current();
        testing_support::click(parent, QStringLiteral("go"));
        child = ctx->navigator().current();
        ctx->navigator().quit();
        testing_support::flushDeletes();
        QVERIFY(!parent && !child);
        QVERIFY(!ctx->navigator().current());
    }
};

QTEST_MAIN(ScreenRegistryTest)
#include "ScreenRegistryTest.moc"
