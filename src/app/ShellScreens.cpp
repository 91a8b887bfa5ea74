#include "app/AppContext.h"
#include "app/HelpScreen.h"
#include "app/MainWindow.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "app/SingleInstance.h"
#include "ui/Backdrop.h"

namespace app {

void registerShellScreens(ScreenRegistry &r) {
    // A second start's message, as it shows over the desktop.
    const GalleryShot running{screens::kMain + QStringLiteral("-running"), [](QWidget *, AppContext &) {
                                  ui::makeMessage(nullptr, QMessageBox::Information, alreadyRunningTitle(),
                                                  alreadyRunningText())
                                      ->show();
                              }};
    r.add({screens::kMain, [](AppContext &ctx) -> QWidget * { return new MainWindow(ctx); }, {running}, {}});
    r.add({screens::kHelp, [](AppContext &ctx) -> QWidget * { return new HelpScreen(ctx); }, {}, {}});
}

} // namespace app
