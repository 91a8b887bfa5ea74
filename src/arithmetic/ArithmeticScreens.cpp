#include "arithmetic/DrillKinds.h"

#include "app/AppContext.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "arithmetic/OperationTableWindow.h"

namespace arithmetic {

namespace {

QWidget *createDrill(app::AppContext &ctx, const DrillKind &kind) {
    auto *screen = new DrillScreen(ctx, kind);
    QObject::connect(screen, &DrillScreen::tableRequested, screen,
                     [&ctx](const QString &table) { OperationTableWindow::open(ctx, table); });
    return screen;
}

} // namespace

void registerScreens(app::ScreenRegistry &r) {
    for (const DrillKind *kind :
         {&additionDrill(), &subtractionDrill(), &multiplicationDrill(), &divisionDrill(), &olympiadDrill()})
        r.add({.name = kind->screenName,
               .create = [kind](app::AppContext &ctx) -> QWidget * { return createDrill(ctx, *kind); }});
    r.add({.name = screens::kOperationTable, .create = [](app::AppContext &) -> QWidget * {
               auto *w = new OperationTableWindow;
               w->showTable(*findOperationTable(QStringLiteral("加法口诀表")));
               return w;
           }});
}

} // namespace arithmetic
