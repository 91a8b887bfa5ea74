#include "app/AppContext.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "english/BookChoiceScreen.h"
#include "english/LinkGameScreen.h"
#include "english/RecitationScreen.h"
#include "english/WordStudyScreen.h"
#include "services/ContentSchema.h"

namespace english {

void registerScreens(app::ScreenRegistry &r) {
    // The selection screens read every book: a book is chosen there, and its word screen opened.
    std::vector<int> books;
    for (int b = 1; b <= services::kEnglishBooks; ++b)
        books.push_back(b);
    for (const BookChoiceKind *kind : {&studyChoice(), &recitationChoice(), &linkGameChoice()})
        r.add(
            {.name = kind->screenName,
             .create = [kind](app::AppContext &ctx) -> QWidget * { return new BookChoiceScreen(ctx, *kind); },
             .tables = books});
    r.add({.name = screens::kWordStudy,
           .create = [](app::AppContext &ctx) -> QWidget * { return new WordStudyScreen(ctx); }});
    r.add({.name = screens::kRecitation,
           .create = [](app::AppContext &ctx) -> QWidget * { return new RecitationScreen(ctx); }});
    r.add({.name = screens::kLinkGame,
           .create = [](app::AppContext &ctx) -> QWidget * { return new LinkGameScreen(ctx); }});
}

} // namespace english
