#include "arithmetic/ArithmeticScreens.h"

#include "app/AppContext.h"
#include "app/ScreenRegistry.h"

#include <QPushButton>

namespace arithmetic {

const DrillKind &additionDrill() {
    static const DrillKind kind{QStringLiteral("jiafa10"),
                                QStringLiteral("一位数加一位数"),
                                QStringLiteral("一位数加一位数"),
                                QStringLiteral("+"),
                                3663,
                                10871,
                                QStringLiteral("加法口诀表"),
                                additionQuestion};
    return kind;
}

namespace {

QWidget *createDrill(app::AppContext &ctx, const DrillKind &kind) {
    auto *screen = new DrillScreen(ctx, kind);
    // The operation-table window is not part of the program yet.
    if (auto *table = screen->findChild<QPushButton *>(QStringLiteral("Button8")))
        table->setEnabled(false);
    return screen;
}

void clickStart(QWidget *screen, app::AppContext &) {
    if (auto *start = screen->findChild<QPushButton *>(QStringLiteral("Button7")))
        start->click();
}

} // namespace

void registerScreens(app::ScreenRegistry &r) {
    r.add({QStringLiteral("jiafa10"),
           [](app::AppContext &ctx) -> QWidget * { return createDrill(ctx, additionDrill()); },
           {{QStringLiteral("jiafa10-question"), clickStart}},
           QStringLiteral("less31")});
}

} // namespace arithmetic
