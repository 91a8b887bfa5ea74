#include "geometry/ShapeQuestion.h"

namespace geometry {

Shape drawShapeItem(core::Random &rnd) {
    return ShapeCatalogue::at(rnd.countFrom(ShapeCatalogue::kCount, 1));
}

core::FourChoice placeShapeNames(core::Random &rnd, core::Globals &g, Shape item) {
    const core::WrongPool pool{[&rnd] { return double(rnd.countFrom(ShapeCatalogue::kWrongPool, 1)); },
                               ShapeCatalogue::kWrongPool, [](int i) { return double(i + 1); }};
    const core::ChoiceRules rules{.avoidLastSlot = false,
                                  .fourthSlot = core::ChoiceRules::FourthSlot::LeftOver};
    return core::placeFourChoice(
        rnd, g, ShapeCatalogue::place(item), [](double k) { return ShapeCatalogue::name(int(k)); }, pool,
        rules);
}

} // namespace geometry
