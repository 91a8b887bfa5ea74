#include "app/AppContext.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "geometry/ShapesScreen.h"

namespace geometry {

void registerScreens(app::ScreenRegistry &r) {
    r.add({.name = screens::kShapes,
           .create = [](app::AppContext &ctx) -> QWidget * { return new ShapesScreen(ctx); }});
}

} // namespace geometry
