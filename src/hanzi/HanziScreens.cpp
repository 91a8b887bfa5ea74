#include "app/AppContext.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "hanzi/LessonScreen.h"
#include "hanzi/WordGameScreen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

namespace hanzi {

namespace {
// A lesson chosen and an entry with ü on show (单字 绿, 词组 绿色), tone marks off or on. Without
// content the screen is shown as a user sees it (nothing to choose, stepping off).
void showEntry(QWidget *screen, int lesson, int steps, bool toneMarks) {
    screen->findChild<QCheckBox *>(QStringLiteral("Check1"))->setChecked(toneMarks);
    auto *combo = screen->findChild<QComboBox *>(QStringLiteral("Combo1"));
    if (!combo->isEnabled() || combo->count() <= lesson) return;
    combo->setCurrentIndex(lesson);
    emit combo->activated(lesson);
    for (int i = 0; i < steps; ++i)
        screen->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
}
app::GalleryShot entryShot(const QString &file, int lesson, int steps, bool toneMarks) {
    return {file, [=](QWidget *s, app::AppContext &) { showEntry(s, lesson, steps, toneMarks); }};
}
// A question a little way into the table: the third entry chosen from the list.
void thirdQuestion(QWidget *screen, app::AppContext &) {
    screen->findChild<QListWidget *>(QStringLiteral("List1"))->setCurrentRow(2);
}

void addWordGame(app::ScreenRegistry &r, const WordGameKind &kind) {
    r.add({.name = kind.screenName,
           .create = [&kind](app::AppContext &ctx) -> QWidget * { return new WordGameScreen(ctx, kind); },
           .shots = {{kind.screenName, thirdQuestion}},
           .galleryMenuItem = kind.menuItem,
           .tables = {kind.slot}});
}
} // namespace

void registerScreens(app::ScreenRegistry &r) {
    r.add({.name = screens::kCharacterLessons,
           .create = [](app::AppContext &ctx) -> QWidget * {
               return new LessonScreen(ctx, characterLessons());
           },
           .shots = {entryShot(screens::kCharacterLessons, 5, 4, false),
                     entryShot(screens::kCharacterLessons + QStringLiteral("-tones"), 5, 4, true)},
           .tables = {characterLessons().slot}});
    r.add({.name = screens::kWordGroupLessons,
           .create = [](app::AppContext &ctx) -> QWidget * {
               return new LessonScreen(ctx, wordGroupLessons());
           },
           .shots = {entryShot(screens::kWordGroupLessons, 8, 4, false),
                     entryShot(screens::kWordGroupLessons + QStringLiteral("-tones"), 8, 4, true)},
           .tables = {wordGroupLessons().slot}});
    for (const WordGameKind *kind : {&idioms(), &antonyms(), &synonyms(), &riddles()})
        addWordGame(r, *kind);
}

} // namespace hanzi
