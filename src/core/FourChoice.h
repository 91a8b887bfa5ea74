#pragma once

#include "core/Globals.h"
#include "core/Random.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

namespace core {

// How a four-choice question puts its answers on the buttons.
struct ChoiceRules {
    // The right answer never sits on the button that held the previous right answer
    // (Globals::lastAnswerSlot, kept across questions and screens). Off: any button.
    bool avoidLastSlot = true;
    // The fourth button is drawn like the others, or is simply the one left over.
    enum class FourthSlot { Drawn, LeftOver };
    FourthSlot fourthSlot = FourthSlot::Drawn;
};

// Where the wrong answers come from. Answers are keys (a number, a letter's index, a record's
// position); the caption function turns a key into the text on its button.
struct WrongPool {
    std::function<double()> draw; // one candidate at random
    // Every candidate the draw can give, when there are few enough to list: count and the k-th
    // (0-based). Used only when the pool may be exhausted; kUnlisted: too many to run out.
    static constexpr int kUnlisted = -1;
    int count = kUnlisted;
    std::function<double(int)> at;
};

// One candidate of the pool whose caption is neither blank nor among taken, drawn at random into
// key; false when none is left. Bounded: a small listed pool that has run out costs no draws, and
// after a few repeats the candidates left are listed and one of them picked.
bool drawFresh(Random &rnd, const WrongPool &pool, const std::function<QString(double)> &caption,
               const QStringList &taken, double *key);

struct FourChoice {
    std::array<QString, 4> captions; // buttons 1..4
    std::array<bool, 4> filled{};    // an unfilled button stays empty and disabled
    int rightSlot = 0;               // 1..4
    // The buttons of the right answer and of the three wrong ones, in the order they were drawn.
    std::array<int, 4> places{};
    std::array<double, 3> wrongKeys{}; // in the order drawn; 0 where not filled
    int wrongFilled = 0;
};

// Puts the right answer on a random button, then draws three wrong answers, each with its
// button, in the order right, (button, answer) × 3. Wrong answers differ from the right one and
// from each other by caption, so two records of the same text never show as two equal buttons;
// an empty caption is never offered. When the pool holds fewer usable answers than buttons, the
// buttons left over stay unfilled: the placement never loops forever.
// Sets lastAnswerSlot when avoiding it.
FourChoice placeFourChoice(Random &rnd, Globals &g, double rightKey,
                           const std::function<QString(double)> &caption, const WrongPool &pool,
                           const ChoiceRules &rules = {});

} // namespace core
