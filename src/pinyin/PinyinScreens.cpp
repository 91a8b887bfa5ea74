#include "app/AppContext.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "pinyin/LetterBoard.h"
#include "pinyin/PinyinChartScreen.h"
#include "pinyin/PinyinGamesScreen.h"
#include "pinyin/PinyinSpellingScreen.h"
#include "services/ContentSchema.h"
#include "ui/Widgets.h"

#include <QPushButton>

namespace pinyin {

namespace {

void clickStart(QWidget *screen, app::AppContext &) {
    if (auto *start = screen->findChild<QPushButton *>(QStringLiteral("Button7"))) start->click();
}

// A character on show with its first letters clicked, as a child halfway through it.
void spellingHalfway(QWidget *screen, app::AppContext &ctx) {
    clickStart(screen, ctx);
    auto *s = qobject_cast<PinyinSpellingScreen *>(screen);
    if (!s) return;
    const QList<int> letters = spell(s->expected());
    for (int i = 0; i + 1 < letters.size(); ++i)
        s->board()->button(letters[i])->click();
}

} // namespace

void registerScreens(app::ScreenRegistry &r) {
    r.add({screens::kPinyinChart,
           [](app::AppContext &ctx) -> QWidget * { return new PinyinChartScreen(ctx); },
           {},
           QStringLiteral("py1")});
    r.add({screens::kPinyinGames,
           [](app::AppContext &ctx) -> QWidget * { return new PinyinGamesScreen(ctx); },
           {{QStringLiteral("pyyx1form-question"), clickStart}},
           QStringLiteral("py6")});
    r.add({.name = screens::kPinyinSpelling,
           .create = [](app::AppContext &ctx) -> QWidget * { return new PinyinSpellingScreen(ctx); },
           .shots = {{QStringLiteral("pyyxform-character"), spellingHalfway}},
           .galleryMenuItem = QStringLiteral("py9"),
           .tables = {services::kSingleCharacters}});
}

} // namespace pinyin
