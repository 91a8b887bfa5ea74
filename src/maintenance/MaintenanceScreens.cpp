#include "app/AppContext.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "maintenance/DataFormScreen.h"
#include "services/ContentSchema.h"

namespace maintenance {
void registerScreens(app::ScreenRegistry &r) {
    // It names every table the file lacks or that holds nothing.
    std::vector<int> all;
    for (int slot = 1; slot <= services::kTableCount; ++slot)
        all.push_back(slot);
    r.add({.name = screens::kMaintenance,
           .create = [](app::AppContext &ctx) -> QWidget * { return new DataFormScreen(ctx); },
           .tables = all});
}
} // namespace maintenance
