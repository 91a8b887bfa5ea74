#include "app/AppContext.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "pinyin/PinyinChartScreen.h"
#include "pinyin/PinyinGamesScreen.h"
#include "pinyin/PinyinSpellingScreen.h"
#include "services/ContentSchema.h"

namespace pinyin {

void registerScreens(app::ScreenRegistry &r) {
    r.add({.name = screens::kPinyinChart,
           .create = [](app::AppContext &ctx) -> QWidget * { return new PinyinChartScreen(ctx); }});
    r.add({.name = screens::kPinyinGames,
           .create = [](app::AppContext &ctx) -> QWidget * { return new PinyinGamesScreen(ctx); }});
    r.add({.name = screens::kPinyinSpelling,
           .create = [](app::AppContext &ctx) -> QWidget * { return new PinyinSpellingScreen(ctx); },
           .tables = {services::kSingleCharacters}});
}

} // namespace pinyin
