#pragma once

#include "app/Random.h"

#include <QList>

namespace testing_support {

// A pinned generator whose next draws are exactly these values.
inline app::Random scriptedRandom(std::uint64_t seed, const QList<double> &draws) {
    app::Random rnd;
    rnd.pin(seed);
    for (double d : draws)
        rnd.script({d});
    return rnd;
}

} // namespace testing_support
