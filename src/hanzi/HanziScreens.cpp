#include "app/AppContext.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "hanzi/LessonScreen.h"
#include "hanzi/StrokeOrderScreen.h"
#include "hanzi/WordGameScreen.h"

namespace hanzi {

void registerScreens(app::ScreenRegistry &r) {
    for (const LessonKind *kind : {&characterLessons(), &wordGroupLessons()})
        r.add({.name = kind->screenName,
               .create = [kind](app::AppContext &ctx) -> QWidget * { return new LessonScreen(ctx, *kind); },
               .tables = {kind->slot}});
    // Opened from a lesson with its character; opened plainly it has none to show.
    r.add({.name = screens::kStrokeOrder,
           .create = [](app::AppContext &ctx) -> QWidget * { return new StrokeOrderScreen(ctx); }});
    for (const WordGameKind *kind : {&idioms(), &antonyms(), &synonyms(), &riddles()})
        r.add({.name = kind->screenName,
               .create = [kind](app::AppContext &ctx) -> QWidget * { return new WordGameScreen(ctx, *kind); },
               .tables = {kind->slot}});
}

} // namespace hanzi
