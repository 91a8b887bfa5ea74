#include "app/AppContext.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "maintenance/DataFormScreen.h"

namespace maintenance {
void registerScreens(app::ScreenRegistry &r) {
    r.add({screens::kMaintenance,
           [](app::AppContext &ctx) -> QWidget * { return new DataFormScreen(ctx); },
           {},
           {}});
}
} // namespace maintenance
