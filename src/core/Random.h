#pragma once

#include <cstdint>
#include <deque>
#include <random>

namespace core {

// The program's one random generator. Whole numbers are drawn as Int(rnd() * n + m).
// Tests pin it with a fixed seed, or script the exact values the next draws return.
class Random {
  public:
    Random();

    // A uniform value in [0, 1). Scripted values come first, in order.
    double rnd();
    // One of count whole numbers counting from first, each as likely: first .. first + count - 1,
    // drawn as Int(rnd() * count + first).
    int countFrom(int count, int first) { return static_cast<int>(rnd() * count + first); }

    // Re-seed from the clock; a pinned generator ignores it, so tests stay repeatable.
    void randomize();

    void pin(std::uint64_t seed);
    bool pinned() const { return pinned_; }
    // The next draws return these values (each in [0, 1)), then the generator carries on.
    void script(std::initializer_list<double> values) { scripted_.insert(scripted_.end(), values); }
    void script(const std::deque<double> &values) {
        scripted_.insert(scripted_.end(), values.begin(), values.end());
    }
    std::size_t scriptedLeft() const { return scripted_.size(); }

  private:
    std::mt19937_64 engine_;
    std::uniform_real_distribution<double> dist_{0.0, 1.0};
    std::deque<double> scripted_;
    bool pinned_ = false;
};

} // namespace core
