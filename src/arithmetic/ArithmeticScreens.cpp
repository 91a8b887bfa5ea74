#include "arithmetic/ArithmeticScreens.h"

#include "app/AppContext.h"
#include "app/MenuTable.h"
#include "app/ScreenRegistry.h"
#include "arithmetic/OperationTableWindow.h"

#include <QPushButton>

namespace arithmetic {

const DrillKind &additionDrill() {
    static const DrillKind kind{.screenName = QStringLiteral("jiafa10"),
                                .caption = QStringLiteral("一位数加一位数"),
                                .title = QStringLiteral("一位数加一位数"),
                                .operatorSign = QStringLiteral("+"),
                                .loadFrom = 3663,
                                .loadTo = 10871,
                                .tableButton = QStringLiteral("加法口诀表"),
                                .generate = additionQuestion};
    return kind;
}

const DrillKind &subtractionDrill() {
    static const DrillKind kind{.screenName = QStringLiteral("jianfa100"),
                                .caption = QStringLiteral("两位数减一位数"),
                                .title = QStringLiteral("两位数减一位数"),
                                .operatorSign = QStringLiteral("－"),
                                .loadFrom = 10870,
                                .loadTo = 13976,
                                .tableButton = QStringLiteral("减法口诀表"),
                                .generate = subtractionQuestion};
    return kind;
}

const DrillKind &multiplicationDrill() {
    static const DrillKind kind{.screenName = QStringLiteral("chenfa100"),
                                .caption = QStringLiteral("乘法学习"),
                                .title = QStringLiteral("乘法口诀学习"),
                                .operatorSign = QStringLiteral("×"),
                                .loadFrom = 13981,
                                .loadTo = 23253,
                                .tableButton = QStringLiteral("乘法口诀表"),
                                .generate = multiplicationQuestion};
    return kind;
}

const DrillKind &divisionDrill() {
    static const DrillKind kind{.screenName = QStringLiteral("chufa100"),
                                .caption = QStringLiteral("除法学习"),
                                .title = QStringLiteral("少儿除法学习"),
                                .operatorSign = QStringLiteral("÷"),
                                .loadFrom = 23253,
                                .loadTo = 31375,
                                .generate = divisionQuestion,
                                .narrowTiles = true};
    return kind;
}

const DrillKind &olympiadDrill() {
    // The menu item puts the variant's title on Button3 and the window caption.
    static const DrillKind kind{.screenName = QStringLiteral("jjccform"),
                                .caption = QStringLiteral("一位数加一位数"),
                                .title = QStringLiteral("Button"),
                                .generate = olympiadQuestion,
                                .layout = DrillKind::Layout::Expression,
                                .rightTo = 3227,
                                .tallyFormat = QStringLiteral("正确%1道,错误%2道")};
    return kind;
}

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
                if (const app::MenuItem *menu = app::findMenuItem(itemName)) {
                    menu->setVariables(ctx);
                    menu->setTexts(screen);
                }
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
    r.add({QStringLiteral("jiafa10"),
           [](app::AppContext &ctx) -> QWidget * { return createDrill(ctx, additionDrill()); },
           {{QStringLiteral("jiafa10-question"), clickStart}},
           QStringLiteral("less31")});
    r.add({QStringLiteral("jianfa100"),
           [](app::AppContext &ctx) -> QWidget * { return createDrill(ctx, subtractionDrill()); },
           {{QStringLiteral("jianfa100-question"), clickStart}},
           QStringLiteral("minus104")});
    r.add({QStringLiteral("chenfa100"),
           [](app::AppContext &ctx) -> QWidget * { return createDrill(ctx, multiplicationDrill()); },
           {{QStringLiteral("chenfa100-question"), clickStart}},
           QStringLiteral("jianfa")});
    r.add({QStringLiteral("chufa100"),
           [](app::AppContext &ctx) -> QWidget * { return createDrill(ctx, divisionDrill()); },
           {{QStringLiteral("chufa100-question"), clickStart}},
           QStringLiteral("chufa")});
    // The chains shown: 9×9×8 (a three-digit answer), 3×4+10÷2-6 and 0.6:1.5=2:?.
    r.add({QStringLiteral("jjccform"),
           [](app::AppContext &ctx) -> QWidget * { return createDrill(ctx, olympiadDrill()); },
           {olympiadShot(QStringLiteral("jjccform"), "slj7", {2.5 / 9, 3.5 / 9, 1.5 / 9, 4.5 / 9, 5.5 / 9}),
            olympiadShot(QStringLiteral("jjccform-连乘"), "slj4", {8.5 / 9, 8.5 / 9, 7.5 / 9}),
            olympiadShot(QStringLiteral("jjccform-比例"), "slj8", {1.5 / 9, 2.5 / 9, 4.5 / 9, 0.25})},
           QStringLiteral("slj7")});
    r.add({QStringLiteral("口诀表"),
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
