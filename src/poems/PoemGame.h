#pragma once

#include "core/Random.h"

#include <QString>
#include <array>

namespace poems {

// The order game's rules, apart from any window.
struct PoemGame {
    // Where each line goes: line i (0-based) is shown on line button place[i] (1..4).
    // Three places are drawn together until they differ; the fourth is the one left.
    static std::array<int, 4> shuffle(core::Random &rnd);

    // The slots hold the poem's lines in order, compared as exact texts.
    static bool inOrder(const std::array<QString, 4> &placed, const std::array<QString, 4> &lines);

    // The poem after a solved one: the next in the list, or a random one other than the one just
    // solved; -1 when there is none (the last poem in order, a list of one poem).
    static int next(core::Random &rnd, bool inListOrder, int solved, int count);

    // "共有108首唐诗", and with poem k (0-based) on show "共有108首唐诗  这是第1首".
    static QString countText(int count);
    static QString countText(int count, int k);
};

} // namespace poems
