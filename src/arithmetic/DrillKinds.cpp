#include "arithmetic/DrillKinds.h"

#include "app/ScreenNames.h"

namespace arithmetic {

const DrillKind &additionDrill() {
    static const DrillKind kind{.screenName = screens::kAddition,
                                .caption = QStringLiteral("一位数加一位数"),
                                .title = QStringLiteral("一位数加一位数"),
                                .operatorSign = QStringLiteral("+"),
                                .greeting = core::jieguo::kAdditionGreeting,
                                .tableButton = QStringLiteral("加法口诀表"),
                                .generate = additionQuestion};
    return kind;
}

const DrillKind &subtractionDrill() {
    static const DrillKind kind{.screenName = screens::kSubtraction,
                                .caption = QStringLiteral("两位数减一位数"),
                                .title = QStringLiteral("两位数减一位数"),
                                .operatorSign = QStringLiteral("－"),
                                .greeting = core::jieguo::kSubtractionGreeting,
                                .tableButton = QStringLiteral("减法口诀表"),
                                .generate = subtractionQuestion};
    return kind;
}

const DrillKind &multiplicationDrill() {
    static const DrillKind kind{.screenName = screens::kMultiplication,
                                .caption = QStringLiteral("乘法学习"),
                                .title = QStringLiteral("乘法口诀学习"),
                                .operatorSign = QStringLiteral("×"),
                                .greeting = core::jieguo::kMultiplicationGreeting,
                                .tableButton = QStringLiteral("乘法口诀表"),
                                .generate = multiplicationQuestion};
    return kind;
}

const DrillKind &divisionDrill() {
    static const DrillKind kind{.screenName = screens::kDivision,
                                .caption = QStringLiteral("除法学习"),
                                .title = QStringLiteral("少儿除法学习"),
                                .operatorSign = QStringLiteral("÷"),
                                .greeting = core::jieguo::kDivisionGreeting,
                                .generate = divisionQuestion,
                                .narrowTiles = true};
    return kind;
}

const DrillKind &olympiadDrill() {
    // The menu item puts the variant's title on Button3 and the window caption.
    static const DrillKind kind{.screenName = screens::kOlympiad,
                                .caption = QStringLiteral("一位数加一位数"),
                                .title = QStringLiteral("Button"),
                                .generate = olympiadQuestion,
                                .layout = DrillKind::Layout::Expression,
                                .rightClip = core::jieguo::kRightWithPraise,
                                .tallyFormat = QStringLiteral("正确%1道,错误%2道")};
    return kind;
}

} // namespace arithmetic
