#include "app/AppContext.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "maintenance/DataFormScreen.h"
#include "services/ContentSchema.h"

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
    // It names every table the file lacks or that holds nothing.
    std::vector<int> all;
    for (int slot = 1; slot <= services::kTableCount; ++slot)
        all.push_back(slot);
    r.add({.name = screens::kMaintenance,
           .create = [](app::AppContext &ctx) -> QWidget * { return new DataFormScreen(ctx); },
           .shots = {question},
           .tables = all});
}
} // namespace maintenance
