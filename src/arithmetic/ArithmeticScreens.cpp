#include "arithmetic/DrillKinds.h"

#include "app/AppContext.h"
#include "app/MenuTable.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "arithmetic/OperationTableWindow.h"

#include <QPushButton>

namespace arithmetic {

namespace {

QWidget *createDrill(app::AppContext &ctx, const DrillKind &kind) {
    auto *screen = new DrillScreen(ctx, kind);
    QObject::connect(screen, &DrillScreen::tableRequested, screen,
                     [&ctx](const QString &table) { OperationTableWindow::open(ctx, table); });
    return screen;
}

void clickStart(QWidget *screen, app::AppContext &) {
    if (auto *start = screen->findChild<QPushButton *>(QStringLiteral("Button7"))) start->click();
}

// Re-opens the olympiad screen's state as a menu item would leave it, then starts it.
app::GalleryShot olympiadShot(const QString &file, const char *item, std::initializer_list<double> draws) {
    const QString itemName = QString::fromLatin1(item);
    const std::deque<double> script(draws);
    return {file, [itemName, script](QWidget *screen, app::AppContext &ctx) {
                auto *drill = qobject_cast<DrillScreen *>(screen);
                if (const app::MenuItem *menu = app::findMenuItem(itemName); menu && drill)
                    drill->applyMenuChoice(menu->choice);
                ctx.random.script(script);
                clickStart(screen, ctx);
            }};
}

app::GalleryShot tableShot(const QString &file, const QString &table) {
    return {file, [table](QWidget *screen, app::AppContext &) {
                if (auto *w = qobject_cast<OperationTableWindow *>(screen))
                    if (const OperationTable *t = findOperationTable(table)) w->showTable(*t);
            }};
}

} // namespace

void registerScreens(app::ScreenRegistry &r) {
    r.add({screens::kAddition,
           [](app::AppContext &ctx) -> QWidget * { return createDrill(ctx, additionDrill()); },
           {{QStringLiteral("jiafa10-question"), clickStart}},
           QStringLiteral("less31")});
    r.add({screens::kSubtraction,
           [](app::AppContext &ctx) -> QWidget * { return createDrill(ctx, subtractionDrill()); },
           {{QStringLiteral("jianfa100-question"), clickStart}},
           QStringLiteral("minus104")});
    r.add({screens::kMultiplication,
           [](app::AppContext &ctx) -> QWidget * { return createDrill(ctx, multiplicationDrill()); },
           {{QStringLiteral("chenfa100-question"), clickStart}},
           QStringLiteral("jianfa")});
    r.add({screens::kDivision,
           [](app::AppContext &ctx) -> QWidget * { return createDrill(ctx, divisionDrill()); },
           {{QStringLiteral("chufa100-question"), clickStart}},
           QStringLiteral("chufa")});
    // The chains shown: 9×9×8 (a three-digit answer), 3×4+10÷2-6 and 0.6:1.5=2:?.
    r.add({screens::kOlympiad,
           [](app::AppContext &ctx) -> QWidget * { return createDrill(ctx, olympiadDrill()); },
           {olympiadShot(screens::kOlympiad, "slj7", {2.5 / 9, 3.5 / 9, 1.5 / 9, 4.5 / 9, 5.5 / 9}),
            olympiadShot(QStringLiteral("jjccform-连乘"), "slj4", {8.5 / 9, 8.5 / 9, 7.5 / 9}),
            olympiadShot(QStringLiteral("jjccform-比例"), "slj8", {1.5 / 9, 2.5 / 9, 4.5 / 9, 0.25})},
           QStringLiteral("slj7")});
    r.add({screens::kOperationTable,
           [](app::AppContext &) -> QWidget * {
               auto *w = new OperationTableWindow;
               w->showTable(*findOperationTable(QStringLiteral("加法口诀表")));
               return w;
           },
           {tableShot(QStringLiteral("口诀表-加法"), QStringLiteral("加法口诀表")),
            tableShot(QStringLiteral("口诀表-减法"), QStringLiteral("减法口诀表")),
            tableShot(QStringLiteral("口诀表-乘法"), QStringLiteral("乘法口诀表"))},
           {}});
}

} // namespace arithmetic
