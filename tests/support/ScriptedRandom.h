#pragma once

#include "core/Random.h"

#include <QList>

namespace testing_support {

// A pinned generator whose next draws are exactly these values.
inline core::Random scriptedRandom(std::uint64_t seed, const QList<double> &draws) {
    core::Random rnd;
    rnd.pin(seed);
    for (double d : draws)
        rnd.script({d});
    return rnd;
}

} // namespace testing_support
