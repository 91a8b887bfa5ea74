#include "geometry/ShapeQuestion.h"

#include "geometry/ShapeCatalogue.h"

namespace geometry {

int drawShapeItem(app::Random &rnd, app::Globals &g) {
    g.menuMode = rnd.range(ShapeCatalogue::kCount, 1);
    return g.menuMode;
}

std::array<QString, 4> placeShapeNames(app::Random &rnd, app::Globals &g, int item) {
    auto slot = [&] { return rnd.range(4, 1); };
    auto wrong = [&] { return rnd.range(ShapeCatalogue::kWrongPool, 1); };
    std::array<QString, 4> captions;

    g.answerSlot1 = slot();
    captions[g.answerSlot1 - 1] = ShapeCatalogue::name(item);

    do
        g.answerSlot2 = slot();
    while (g.answerSlot2 == g.answerSlot1);
    int d1;
    do
        d1 = wrong();
    while (d1 == item);
    g.wrongChoice1 = d1;
    captions[g.answerSlot2 - 1] = ShapeCatalogue::name(d1);

    do
        g.answerSlot3 = slot();
    while (g.answerSlot3 == g.answerSlot1 || g.answerSlot3 == g.answerSlot2);
    int d2;
    do
        d2 = wrong();
    while (d2 == item || d2 == d1);
    g.wrongChoice2 = d2;
    captions[g.answerSlot3 - 1] = ShapeCatalogue::name(d2);

    g.answerSlot4 = 10 - g.answerSlot1 - g.answerSlot2 - g.answerSlot3;
    int d3;
    do
        d3 = wrong();
    while (d3 == item || d3 == d1 || d3 == d2);
    g.wrongChoice3 = static_cast<qint16>(d3);
    captions[g.answerSlot4 - 1] = ShapeCatalogue::name(d3);
    return captions;
}

} // namespace geometry
