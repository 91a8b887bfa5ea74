#include "geometry/ShapeQuestion.h"

#include "core/FourChoice.h"
#include "geometry/ShapeCatalogue.h"

namespace geometry {

int drawShapeItem(core::Random &rnd, core::Globals &g) {
    g.menuMode = rnd.range(ShapeCatalogue::kCount, 1);
    return g.menuMode;
}

std::array<QString, 4> placeShapeNames(core::Random &rnd, core::Globals &g, int item) {
    const core::WrongPool pool{[&rnd] { return double(rnd.range(ShapeCatalogue::kWrongPool, 1)); },
                               ShapeCatalogue::kWrongPool, [](int i) { return double(i + 1); }};
    const core::ChoiceRules rules{.avoidLastSlot = false,
                                  .fourthSlot = core::ChoiceRules::FourthSlot::LeftOver};
    return core::placeFourChoice(
               rnd, g, item, [](double k) { return ShapeCatalogue::name(int(k)); }, pool, rules)
        .captions;
}

} // namespace geometry
