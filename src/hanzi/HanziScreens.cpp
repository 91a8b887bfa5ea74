#include "app/AppContext.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "hanzi/LessonScreen.h"

#include <QComboBox>
#include <QPushButton>

namespace hanzi {

namespace {
// A lesson chosen and its third entry on show; without content the screen is shown as a user
// sees it (nothing to choose, stepping off).
void thirdEntry(QWidget *screen, app::AppContext &) {
    auto *combo = screen->findChild<QComboBox *>(QStringLiteral("Combo1"));
    if (!combo->isEnabled() || combo->count() == 0) return;
    combo->setCurrentIndex(0);
    emit combo->activated(0);
    for (int i = 0; i < 3; ++i)
        screen->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
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
}

} // namespace hanzi
