#include "app/HelpScreen.h"

#include "app/AppContext.h"
#include "app/MainWindow.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "ui/Backdrop.h"
#include "ui/Fonts.h"
#include "ui/Keyboard.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace app {

QStringList helpLines() {
    return {
        QStringLiteral("               Lumibo" LUMIBO_VERSION),
        QStringLiteral("本软件是在3.0 的基础上，调整后发行的。"),
        QStringLiteral("1.软件适合3－8岁儿童，包括加法，减法，乘法，"),
        QStringLiteral("除法,认字，学词组，学唐诗,学成语,学儿童英语"),
        QStringLiteral("2.如果采用电脑直接教育儿童，最好让儿童离电"),
        QStringLiteral("脑1米外，保护儿童视力，本软件数字和汉字均比"),
        QStringLiteral("较大，就是为了保护儿童视力考虑。如果采用电"),
        QStringLiteral("脑幻灯教学，则不必考虑视力，可进行全班教学"),
        QStringLiteral(",效果很好。"),
        QStringLiteral("3.经测试，进行本软件教学4个月后（每天平均2"),
        QStringLiteral("小时)，4－5岁儿童的数学能力可达到小学三年级"),
        QStringLiteral("水平，且口算能力相当强，汉语识字将近2000字"),
        QStringLiteral("超过小学三年级水平，您也可以做个测试，将结"),
        QStringLiteral("果发给我。"),
        QStringLiteral("4. 软件使用相当简单，您一看就会，儿童可以在"),
        QStringLiteral("家长教会后自己玩，边玩边学，尤其算术很容易"),
        QStringLiteral("上瘾，锻炼儿童算术的口算能力，为将来学习的"),
        QStringLiteral("逻辑思维打下坚实的基础。"),
        QStringLiteral("5.安装后英语无声音，请将我附带的三个TTS发音"),
        QStringLiteral("引擎安装"),
        QStringLiteral("(ttssetup.exe,ttsapi.exe,spchapi.exe)"),
        QStringLiteral("6.安装过程中，电脑弹出对话，一律单击\"忽略\"."),
    };
}

HelpScreen::HelpScreen(AppContext &ctx)
    : ui::Screen(screens::kHelp, QStringLiteral("Lumibo帮助"), 7335, 6135) {
    new ui::Backdrop(ui::Backdrop::Scene::LightBlue, this);

    auto *text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("Text1"));
    text->setGeometry(ui::twRect(120, 120, 6975, 4815));
    text->setFont(ui::simSun(15));
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    // A slim scroll bar, so the longest line keeps its last character in view.
    text->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background: #ffc0cb; color: #0000ff; border: 1px solid #e091a6; }"
                       "QScrollBar:vertical { width: 8px; background: #ffe4ea; }"
                       "QScrollBar::handle:vertical { background: #e091a6; min-height: 24px; }"
                       "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0px; }"));
    text->document()->setDocumentMargin(2);
    // Every line ends with a line break, the last one too.
    text->setPlainText(helpLines().join(QLatin1Char('\n')) + QLatin1Char('\n'));

    auto *ok = new ui::FlatButton(QStringLiteral("Button1"), QStringLiteral("知道了"), this, 10.5);
    ok->setGeometry(ui::twRect(120, 5160, 6975, 735));
    connect(ok, &QPushButton::clicked, this, [&ctx] { ctx.navigator().returnToMain(); });
    ui::markBack(ok);
    text->setAccessibleName(QStringLiteral("帮助"));
}

} // namespace app
