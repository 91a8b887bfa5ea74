#include "app/AppContext.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "poems/PoemGameScreen.h"
#include "poems/PoemStudyScreen.h"
#include "services/ContentSchema.h"
#include "ui/Timer.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>

namespace poems {

namespace {
// 咏鹅 on show (白毛浮绿水: ü), tone marks off or on.
app::GalleryShot poemShot(const QString &file, bool toneMarks) {
    return {file, [=](QWidget *s, app::AppContext &) {
                s->findChild<QCheckBox *>(QStringLiteral("Check1"))->setChecked(toneMarks);
                s->findChild<QListWidget *>(QStringLiteral("List1"))->setCurrentRow(0);
            }};
}

// The game with two lines typed into the first two slots.
void twoLinesPlaced(QWidget *screen, app::AppContext &) {
    auto *game = static_cast<PoemGameScreen *>(screen);
    auto *timer = screen->findChild<ui::Timer *>(QStringLiteral("Timer1"));
    for (int j = 1; j <= 2; ++j) {
        screen->findChild<QPushButton *>(QStringLiteral("Button1(%1)").arg(j))->click();
        for (int ticks = 0; game->busy() && ticks < 1000; ++ticks)
            timer->fire();
    }
}
} // namespace

void registerScreens(app::ScreenRegistry &r) {
    r.add({.name = screens::kPoemStudy,
           .create = [](app::AppContext &ctx) -> QWidget * { return new PoemStudyScreen(ctx); },
           .shots = {poemShot(screens::kPoemStudy, false),
                     poemShot(screens::kPoemStudy + QStringLiteral("-tones"), true)},
           .tables = {services::kPoems}});
    r.add({.name = screens::kPoemGame,
           .create = [](app::AppContext &ctx) -> QWidget * { return new PoemGameScreen(ctx); },
           .shots = {{screens::kPoemGame, twoLinesPlaced}},
           .galleryMenuItem = QStringLiteral("tangshiyx"),
           .tables = {services::kPoems}});
}

} // namespace poems
