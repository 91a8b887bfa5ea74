#include "app/AppContext.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "poems/PoemStudyScreen.h"

#include <QListWidget>

namespace poems {

void registerScreens(app::ScreenRegistry &r) {
    r.add({screens::kPoemStudy,
           [](app::AppContext &ctx) -> QWidget * { return new PoemStudyScreen(ctx); },
           {{screens::kPoemStudy,
             [](QWidget *s, app::AppContext &) {
                 s->findChild<QListWidget *>(QStringLiteral("List1"))->setCurrentRow(5);
             }}},
           {}});
}

} // namespace poems
