#include "app/ScreenRegistry.h"
#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "support/TestSupport.h"

// Every registered screen builds headless on the shipped content, and every enabled menu
// item opens the screen it names with its caption in place.
class ScreenRegistryTest : public QObject {
    Q_OBJECT

  private slots:
    // The gallery states tick check boxes whose choice is remembered.
    void initTestCase() { testing_support::useOwnSettings(); }

    void everyScreenBuilds() {
        for (const app::ScreenEntry &entry : app::ScreenRegistry::instance().entries()) {
            auto ctx = app::AppContext::forTests(QStringLiteral(LUMIBO_BUILD_DIR));
            QWidget *w = entry.name == QStringLiteral("Main") ? ctx->navigator().showMain()
                                                              : ctx->navigator().open(entry.name);
            QVERIFY2(w, qPrintable(entry.name));
            QCOMPARE(w->objectName(), entry.name);
            QVERIFY(w->isVisible());
            QVERIFY(!w->windowTitle().isEmpty());
            for (const app::GalleryShot &shot : entry.shots)
                shot.prepare(w, *ctx);
            ctx.reset();
            testing_support::flushDeletes();
        }
    }

    void everyMenuItemOpensItsScreen() {
        for (const app::TopMenu &top : app::menuTable())
            for (const app::MenuItem &item : top.items) {
                if (item.kind != app::MenuItem::Kind::Open ||
                    !app::ScreenRegistry::instance().find(item.screen))
                    continue;
                auto ctx = app::AppContext::forTests(QStringLiteral(LUMIBO_BUILD_DIR));
                QWidget *w = ctx->navigator().open(item);
                QVERIFY2(w, qPrintable(item.name));
                QCOMPARE(w->objectName(), item.screen);
                ctx.reset();
                testing_support::flushDeletes();
            }
    }
};

QTEST_MAIN(ScreenRegistryTest)
#include "ScreenRegistryTest.moc"
