#include "app/AppContext.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "poems/PoemGameScreen.h"
#include "poems/PoemStudyScreen.h"
#include "ui/Timer.h"

#include <QListWidget>
#include <QPushButton>

namespace poems {

namespace {
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
    r.add({screens::kPoemStudy,
           [](app::AppContext &ctx) -> QWidget * { return new PoemStudyScreen(ctx); },
           {{screens::kPoemStudy,
             [](QWidget *s, app::AppContext &) {
                 s->findChild<QListWidget *>(QStringLiteral("List1"))->setCurrentRow(5);
             }}},
           {}});
    r.add({screens::kPoemGame,
           [](app::AppContext &ctx) -> QWidget * { return new PoemGameScreen(ctx); },
           {{screens::kPoemGame, twoLinesPlaced}},
           QStringLiteral("tangshiyx")});
}

} // namespace poems
