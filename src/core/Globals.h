#pragma once

#include <QString>

namespace core {

// The values that outlive a screen, each with its reason. They live for the whole run, start at
// 0 or empty and are never saved. A screen's own working values are its members.
struct Globals {
    // Never reset: the right answer never sits on the same button two questions running, even
    // across screens (the drills, the letter games and the word games share it).
    int lastAnswerSlot = 0;

    // The poem on show on the poem screens, -1 before the first choice.
    int currentPoem = -1;
};

} // namespace core
