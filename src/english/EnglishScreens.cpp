#include "app/AppContext.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "english/BookChoiceScreen.h"
#include "english/LinkGameScreen.h"
#include "english/RecitationScreen.h"
#include "english/WordStudyScreen.h"
#include "services/ContentSchema.h"
#include "ui/Timer.h"

#include <QListWidget>

namespace english {

namespace {

// The gallery's book: 剑桥少儿英语第一册, its first group.
constexpr int kGalleryBook = 6;

// A book chosen on the selection screen.
void bookChosen(QWidget *screen, app::AppContext &) {
    screen->findChild<QListWidget *>(QStringLiteral("List1"))->setCurrentRow(kGalleryBook);
}

// A word screen opened as its selection screen would open it: given the choice made there,
// then "开始".
void handedOver(QWidget *screen, app::AppContext &ctx, const BookChoiceKind &kind, int book = kGalleryBook) {
    BookChoice chosen;
    {
        BookChoiceScreen choice(ctx, kind);
        choice.chooseBook(book);
        chosen = choice.choice();
    }
    static_cast<WordScreen *>(screen)->handOver(chosen);
    screen->findChild<QPushButton *>(QStringLiteral("Button3"))->click();
}

void wordOnShow(QWidget *screen, app::AppContext &ctx) {
    handedOver(screen, ctx, studyChoice());
    for (int i = 0; i < 4; ++i)
        screen->findChild<QPushButton *>(QStringLiteral("Button6"))->click();
}

void recitationQuestion(QWidget *screen, app::AppContext &ctx) {
    handedOver(screen, ctx, recitationChoice());
    ctx.random.script({0.5}); // the right meaning on the middle button
    screen->findChild<ui::Timer *>(QStringLiteral("Timer1"))->fire();
    for (int i = 0; i < 40; ++i)
        screen->findChild<ui::Timer *>(QStringLiteral("Timer3"))->fire();
}

void dealtBoard(QWidget *screen, app::AppContext &ctx) {
    // 人教版第六册: its first level holds the longest phrases of all the books.
    handedOver(screen, ctx, linkGameChoice(), 5);
    for (int i = 0; i < 30; ++i)
        screen->findChild<ui::Timer *>(QStringLiteral("Timer1"))->fire();
}

} // namespace

void registerScreens(app::ScreenRegistry &r) {
    // The selection screens read every book: a book is chosen there, and its word screen opened.
    std::vector<int> books;
    for (int b = 1; b <= services::kEnglishBooks; ++b)
        books.push_back(b);
    for (const BookChoiceKind *kind : {&studyChoice(), &recitationChoice(), &linkGameChoice()})
        r.add(
            {.name = kind->screenName,
             .create = [kind](app::AppContext &ctx) -> QWidget * { return new BookChoiceScreen(ctx, *kind); },
             .shots = {{kind->screenName + QStringLiteral("-book"), bookChosen}},
             .tables = books});
    r.add({screens::kWordStudy,
           [](app::AppContext &ctx) -> QWidget * { return new WordStudyScreen(ctx); },
           {{screens::kWordStudy, wordOnShow}},
           {}});
    r.add({screens::kRecitation,
           [](app::AppContext &ctx) -> QWidget * { return new RecitationScreen(ctx); },
           {{screens::kRecitation, recitationQuestion}},
           {}});
    r.add({screens::kLinkGame,
           [](app::AppContext &ctx) -> QWidget * { return new LinkGameScreen(ctx); },
           {{screens::kLinkGame, dealtBoard}},
           {}});
}

} // namespace english
