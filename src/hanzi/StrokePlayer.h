#pragma once

namespace hanzi {

// The timing of the stroke-order animation: each stroke grows along its centre line in kDrawMs,
// then a kPauseMs rest before the next, as a brush is lifted and set down again. Time is what the
// screen's timer hands it, tick by tick, so a test drives it without a clock.
class StrokePlayer {
  public:
    // About 0.6 s a stroke: slow enough for a child's eye to follow the brush, quick enough that
    // a character of twenty strokes is written in under twenty seconds.
    static constexpr int kDrawMs = 600;
    static constexpr int kPauseMs = 200;
    static constexpr int kStepMs = kDrawMs + kPauseMs;

    explicit StrokePlayer(int strokeCount = 0) : count_(strokeCount) {}

    int strokeCount() const { return count_; }

    // From a blank grid, every stroke one after another.
    void playAll();
    // One stroke a press: the next stroke grows and the player stops when it is written. A press
    // while a stroke grows completes it at once and starts the next; after the last stroke it
    // starts again from a blank grid.
    void step();
    // Only this stroke, the ones before it shown as written: a hint while tracing.
    void playOne(int stroke);
    // Every stroke written, nothing moving.
    void showAll();

    // Time passes; whether anything on show changed.
    bool advance(int ms);

    // A stroke grows, or the rest after it runs.
    bool running() const { return current_ >= 0; }
    // Strokes written in full (they are the first ones, in writing order).
    int finished() const { return finished_; }
    // The stroke growing now, or -1 (also in the rest); and how much of it is written, 0..1.
    int current() const { return current_ >= 0 && elapsed_ < kDrawMs ? current_ : -1; }
    double fraction() const;
    // The stroke the child watches: the one growing, else the last one written (1-based, 0 for
    // a blank grid).
    int strokeOnShow() const { return current() >= 0 ? current() + 1 : finished_; }

  private:
    void start(int stroke);

    int count_ = 0;
    int finished_ = 0;
    int current_ = -1;
    int elapsed_ = 0;     // in the current stroke, pause included
    bool continues_ = false; // after this stroke, the next one
};

} // namespace hanzi
