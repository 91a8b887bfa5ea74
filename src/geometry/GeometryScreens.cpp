#include "app/AppContext.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "geometry/ShapeCatalogue.h"
#include "geometry/ShapesScreen.h"

#include <QPushButton>

namespace geometry {

namespace {

// The gallery shows every item: the generator's next values pick item k and, so the pictures
// show each place in turn, the button of its name; then "开始".
app::GalleryShot itemShot(int k) {
    return {QStringLiteral("tpform-%1").arg(k, 2, 10, QLatin1Char('0')),
            [k](QWidget *screen, app::AppContext &ctx) {
                ctx.random.script({(k - 0.5) / ShapeCatalogue::kCount, ((k - 1) % 4 + 0.5) / 4});
                if (auto *start = screen->findChild<QPushButton *>(QStringLiteral("Button7"))) start->click();
            }};
}

} // namespace

void registerScreens(app::ScreenRegistry &r) {
    std::vector<app::GalleryShot> shots;
    for (int k = 1; k <= ShapeCatalogue::kCount; ++k)
        shots.push_back(itemShot(k));
    r.add({screens::kShapes, [](app::AppContext &ctx) -> QWidget * { return new ShapesScreen(ctx); },
           std::move(shots), QStringLiteral("tx1")});
}

} // namespace geometry
