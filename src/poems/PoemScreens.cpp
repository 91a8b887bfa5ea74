#include "app/AppContext.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "poems/PoemStudyScreen.h"

#include <QCheckBox>
#include <QListWidget>

namespace poems {

namespace {
// 咏鹅 on show (白毛浮绿水: ü), tone marks off or on.
app::GalleryShot poemShot(const QString &file, bool toneMarks) {
    return {file, [=](QWidget *s, app::AppContext &) {
                s->findChild<QCheckBox *>(QStringLiteral("Check1"))->setChecked(toneMarks);
                s->findChild<QListWidget *>(QStringLiteral("List1"))->setCurrentRow(0);
            }};
}
} // namespace

void registerScreens(app::ScreenRegistry &r) {
    r.add({screens::kPoemStudy, [](app::AppContext &ctx) -> QWidget * { return new PoemStudyScreen(ctx); },
           {poemShot(screens::kPoemStudy, false), poemShot(screens::kPoemStudy + QStringLiteral("-tones"), true)},
           {}});
}

} // namespace poems
