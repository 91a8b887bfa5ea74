#include "app/ScreenRegistry.h"

namespace geometry {

void registerScreens(app::ScreenRegistry &) {}

} // namespace geometry
