#pragma once

// Where every sound the program plays lies in its two wave files, in milliseconds [from, to).
// The sound generator lays the files out from these numbers, the screens play them by name and
// the tests check them: no clip time is written anywhere else.

namespace core {

struct Clip {
    int from = 0;
    int to = 0;
    constexpr int length() const { return to - from; }
    constexpr bool operator==(const Clip &) const = default;
};

// jieguo.wav: answer sounds, greetings and the match ding. Some stretches touch or overlap.
namespace jieguo {
inline constexpr Clip kRight{0, 1227};           // a right answer on the four-choice screens
inline constexpr Clip kRightWithPraise{0, 3227}; // the chime and spoken praise (chains, poem game)
inline constexpr Clip kWrong{3227, 3680};        // a wrong answer, kindly
inline constexpr Clip kAdditionGreeting{3663, 10871};
inline constexpr Clip kSubtractionGreeting{10870, 13976};
inline constexpr Clip kMultiplicationGreeting{13981, 23253};
inline constexpr Clip kDivisionGreeting{23253, 31375};
inline constexpr Clip kMatch{31227, 31667}; // a matched pair; giving up in the recitation

struct Named {
    const char *name;
    Clip clip;
};
inline constexpr Named kAll[] = {
    {"right", kRight},
    {"right with praise", kRightWithPraise},
    {"wrong", kWrong},
    {"addition greeting", kAdditionGreeting},
    {"subtraction greeting", kSubtractionGreeting},
    {"multiplication greeting", kMultiplicationGreeting},
    {"division greeting", kDivisionGreeting},
    {"match", kMatch},
};
// The last stretch ends here.
inline constexpr int kEndMs = kMatch.to;
} // namespace jieguo

// sound.wav: the pinyin letter sounds, one slice each, back to back in the letter table's order.
namespace letters {
inline constexpr int kCount = 47;
inline constexpr int kSliceMs = 500;
inline constexpr int kEndMs = kCount * kSliceMs;
// Letter k = 1..kCount.
constexpr Clip clip(int k) {
    return {(k - 1) * kSliceMs, k * kSliceMs};
}
} // namespace letters

} // namespace core
