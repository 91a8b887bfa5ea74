#include "core/FourChoice.h"

#include <cmath>
#include <vector>

namespace core {

namespace {

// Redraws of a wrong answer before a listed pool is searched for what is left; a pool that
// cannot be listed gives up after kMaxDraws (all but impossible with a free candidate).
constexpr int kQuickDraws = 32;
constexpr int kMaxDraws = 1000;

int drawSlot(Random &rnd) {
    return rnd.countFrom(4, 1);
}

} // namespace

bool drawFresh(Random &rnd, const WrongPool &pool, const std::function<QString(double)> &caption,
               const QStringList &taken, double *key) {
    const auto usable = [&](const QString &text) {
        return !text.trimmed().isEmpty() && !taken.contains(text);
    };
    const auto left = [&] {
        std::vector<double> keys;
        for (int i = 0; i < pool.count; ++i)
            if (usable(caption(pool.at(i)))) keys.push_back(pool.at(i));
        return keys;
    };
    const bool listed = pool.count != WrongPool::kUnlisted;
    if (!pool.draw || (listed && pool.count <= 0)) return false;
    // A small pool is looked over first, so an exhausted one costs no draws.
    if (listed && pool.count <= kQuickDraws && left().empty()) return false;
    const int draws = listed ? kQuickDraws : kMaxDraws;
    for (int tries = 0; tries < draws; ++tries) {
        const double k = pool.draw();
        if (usable(caption(k))) {
            *key = k;
            return true;
        }
    }
    if (!listed) return false;
    // Few candidates left: pick among those, so a small pool never loops.
    const std::vector<double> keys = left();
    if (keys.empty()) return false;
    *key = keys[static_cast<std::size_t>(rnd.countFrom(static_cast<int>(keys.size()), 0))];
    return true;
}

FourChoice placeFourChoice(Random &rnd, Globals &g, double rightKey,
                           const std::function<QString(double)> &caption, const WrongPool &pool,
                           const ChoiceRules &rules) {
    FourChoice out;
    QStringList used; // captions already on a button: the right one first
    const auto drawWrong = [&](double *key) { return drawFresh(rnd, pool, caption, used, key); };

    std::array<int, 4> places{};
    do
        places[0] = drawSlot(rnd);
    while (rules.avoidLastSlot && places[0] == g.lastAnswerSlot);
    if (rules.avoidLastSlot) g.lastAnswerSlot = places[0];
    out.rightSlot = places[0];
    out.captions[places[0] - 1] = caption(rightKey);
    out.filled[places[0] - 1] = true;
    used << out.captions[places[0] - 1];

    for (int w = 1; w <= 3; ++w) {
        const auto taken = [&](int s) {
            for (int i = 0; i < w; ++i)
                if (places[i] == s) return true;
            return false;
        };
        if (w == 3 && rules.fourthSlot == ChoiceRules::FourthSlot::LeftOver) {
            places[3] = 10 - places[0] - places[1] - places[2];
        } else {
            do
                places[w] = drawSlot(rnd);
            while (taken(places[w]));
        }
        double key = 0;
        if (drawWrong(&key)) {
            const QString text = caption(key);
            out.captions[places[w] - 1] = text;
            out.filled[places[w] - 1] = true;
            out.wrongKeys[w - 1] = key;
            used << text;
            ++out.wrongFilled;
        }
    }

    out.places = places;
    return out;
}

} // namespace core
