#include "core/Random.h"

#include <chrono>

namespace core {

Random::Random() {
    randomize();
}

double Random::rnd() {
    if (!scripted_.empty()) {
        double v = scripted_.front();
        scripted_.pop_front();
        return v;
    }
    double v = dist_(engine_);
    return v >= 1.0 ? 0.0 : v;
}

void Random::randomize() {
    if (pinned_) return;
    auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    engine_.seed(static_cast<std::uint64_t>(now) ^ 0x9E3779B97F4A7C15ull);
}

void Random::pin(std::uint64_t seed) {
    pinned_ = true;
    engine_.seed(seed);
}

} // namespace core
