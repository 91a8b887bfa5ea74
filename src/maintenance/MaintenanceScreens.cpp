#include "app/AppContext.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "maintenance/DataFormScreen.h"

#include <QMessageBox>
#include <QPushButton>

namespace maintenance {
void registerScreens(app::ScreenRegistry &r) {
    // "删除重复字" asking before it changes anything.
    const app::GalleryShot question{screens::kMaintenance + QStringLiteral("-question"),
                                    [](QWidget *screen, app::AppContext &) {
                                        auto *form = static_cast<DataFormScreen *>(screen);
                                        form->setConfirm([form](const QString &q) {
                                            form->questionBox(q)->show();
                                            return false;
                                        });
                                        form->findChild<QPushButton *>(QStringLiteral("Command2"))->click();
                                    }};
    r.add({screens::kMaintenance,
           [](app::AppContext &ctx) -> QWidget * { return new DataFormScreen(ctx); },
           {question},
           {}});
}
} // namespace maintenance
