#include "app/AppContext.h"
#include "app/HelpScreen.h"
#include "app/MainWindow.h"
#include "app/RecordPage.h"
#include "app/RestScreen.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"

namespace app {

void registerShellScreens(ScreenRegistry &r) {
    r.add(
        {.name = screens::kMain, .create = [](AppContext &ctx) -> QWidget * { return new MainWindow(ctx); }});
    r.add(
        {.name = screens::kHelp, .create = [](AppContext &ctx) -> QWidget * { return new HelpScreen(ctx); }});
    r.add({.name = screens::kLearningRecord,
           .create = [](AppContext &ctx) -> QWidget * { return new RecordPage(ctx); }});
    r.add({.name = screens::kRest, .create = [](AppContext &ctx) -> QWidget * { return new RestScreen(ctx); }});
}

} // namespace app
