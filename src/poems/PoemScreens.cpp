#include "app/AppContext.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "poems/PoemGameScreen.h"
#include "poems/PoemStudyScreen.h"
#include "services/ContentSchema.h"

namespace poems {

void registerScreens(app::ScreenRegistry &r) {
    r.add({.name = screens::kPoemStudy,
           .create = [](app::AppContext &ctx) -> QWidget * { return new PoemStudyScreen(ctx); },
           .tables = {services::kPoems}});
    r.add({.name = screens::kPoemGame,
           .create = [](app::AppContext &ctx) -> QWidget * { return new PoemGameScreen(ctx); },
           .tables = {services::kPoems}});
}

} // namespace poems
