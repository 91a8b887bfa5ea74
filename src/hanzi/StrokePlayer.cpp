#include "hanzi/StrokePlayer.h"

#include <algorithm>

namespace hanzi {

void StrokePlayer::start(int stroke) {
    if (stroke >= count_) {
        current_ = -1;
        return;
    }
    finished_ = stroke;
    current_ = stroke;
    elapsed_ = 0;
}

void StrokePlayer::playAll() {
    continues_ = true;
    start(0);
}

void StrokePlayer::step() {
    continues_ = false;
    if (current_ >= 0) {
        // The press completes the stroke still growing.
        finished_ = current_ + 1;
        current_ = -1;
    }
    start(finished_ >= count_ ? 0 : finished_);
}

void StrokePlayer::playOne(int stroke) {
    continues_ = false;
    start(std::clamp(stroke, 0, std::max(count_ - 1, 0)));
}

void StrokePlayer::showAll() {
    continues_ = false;
    current_ = -1;
    finished_ = count_;
}

double StrokePlayer::fraction() const {
    return current() < 0 ? 0 : double(elapsed_) / kDrawMs;
}

bool StrokePlayer::advance(int ms) {
    if (current_ < 0 || ms <= 0) return false;
    elapsed_ += ms;
    // A long tick may carry the animation over several strokes; each is written in full.
    while (current_ >= 0) {
        if (elapsed_ < kDrawMs) return true;
        finished_ = current_ + 1;
        if (!continues_ || finished_ >= count_) {
            current_ = -1;
            return true;
        }
        if (elapsed_ < kStepMs) return true; // the rest between strokes: the last one is on show
        elapsed_ -= kStepMs;
        current_ = finished_;
    }
    return true;
}

} // namespace hanzi
