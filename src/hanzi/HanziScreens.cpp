#include "app/AppContext.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "hanzi/LessonScreen.h"
#include "hanzi/WordGameScreen.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

namespace hanzi {

namespace {
// A lesson chosen and its third entry on show.
void thirdEntry(QWidget *screen, app::AppContext &) {
    auto *combo = screen->findChild<QComboBox *>(QStringLiteral("Combo1"));
    combo->setCurrentIndex(0);
    emit combo->activated(0);
    for (int i = 0; i < 3; ++i)
        screen->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
}

// A question a little way into the table: the third entry chosen from the list.
void thirdQuestion(QWidget *screen, app::AppContext &) {
    screen->findChild<QListWidget *>(QStringLiteral("List1"))->setCurrentRow(2);
}

void addWordGame(app::ScreenRegistry &r, const WordGameKind &kind) {
    r.add({kind.screenName,
           [&kind](app::AppContext &ctx) -> QWidget * { return new WordGameScreen(ctx, kind); },
           {{kind.screenName, thirdQuestion}},
           kind.menuItem});
}
} // namespace

void registerScreens(app::ScreenRegistry &r) {
    r.add({characterLessons().screenName,
           [](app::AppContext &ctx) -> QWidget * { return new LessonScreen(ctx, characterLessons()); },
           {{screens::kCharacterLessons, thirdEntry}},
           {}});
    r.add({wordGroupLessons().screenName,
           [](app::AppContext &ctx) -> QWidget * { return new LessonScreen(ctx, wordGroupLessons()); },
           {{screens::kWordGroupLessons, thirdEntry}},
           {}});
    for (const WordGameKind *kind : {&idioms(), &antonyms(), &synonyms(), &riddles()})
        addWordGame(r, *kind);
}

} // namespace hanzi
