#pragma once

#include "hanzi/StrokeGeometry.h"
#include "services/StrokeData.h"

namespace hanzi {

// How closely a drawn line must follow a stroke, as fractions of the side of the grid the
// character fills (services::kStrokeBox units). Chosen so that a five-year-old with a mouse
// writes the strokes of lesson 1 (一 二 三 四 五 六 七 八 九 十) right, while a line along another
// stroke of the same character is refused. On a grid of 400 pixels, 0.1 of it is 40 pixels.
struct StrokeTolerance {
    // The line starts within this of the stroke's start and ends within this of its end. A
    // child lands the mouse within about a sixth of the grid of where it aims, and this stays
    // below the 0.24 of the grid between the starts of 三's two upper strokes, the nearest
    // starts in lesson 1, so that setting down on the next stroke is not taken for this one.
    static constexpr double kEndpoint = 0.15 * services::kStrokeBox;
    // Every point of the line lies within this of the stroke's median, and every point of the
    // median within this of the line: a child's line wobbles and drifts by up to a tenth of the
    // grid, and a line along the neighbouring stroke of 三 (0.24 away) still falls outside.
    static constexpr double kNearMedian = 0.15 * services::kStrokeBox;
    // The line runs the stroke's way: the cosine between each bit of the line and the median
    // beside it, averaged along the line, is at least this (within 60 degrees on average). A
    // wobbly line scores about 0.8, a line drawn to and fro about 0, a reversed one -1.
    static constexpr double kDirectionAgreement = 0.5;
    // A line longer than the stroke by this factor plus the slack is a scribble. Wobble and
    // overshoot make a child's line up to half as long again as the stroke; the slack lets a
    // dot, whose own length is tiny, be written as a short dash.
    static constexpr double kLengthFactor = 1.6;
    static constexpr double kLengthSlack = 0.15 * services::kStrokeBox;
    // A line shorter than this is a tap (a click with a little jitter) and has no direction of
    // its own: it is right for a dot when it lands on it, within kEndpoint of both its ends.
    static constexpr double kTap = 0.04 * services::kStrokeBox;
    // Lines are compared at points this far apart along them: fine enough for the shortest dot.
    static constexpr double kSampleStep = 0.01 * services::kStrokeBox;
};

enum class StrokeVerdict {
    Right,
    NothingDrawn, // no point at all
    OffTheStroke, // the line strays from the stroke, or leaves a part of it out
    Scribble,     // the line goes to and fro, or is far longer than the stroke
    Backwards,    // the line runs against the way the stroke is written
    MissedStart,  // the line starts away from the stroke's start
    MissedEnd,    // the line ends away from the stroke's end
};

// Whether a line drawn by the child (points in the order drawn, in the stroke box's units) writes
// the stroke whose median is given. The first fault found is the verdict: first whether the line
// keeps near the stroke, then its length and direction, its start and end, and last whether it
// leaves out a part of the stroke.
StrokeVerdict matchStroke(const Polyline &drawn, const Polyline &median);

} // namespace hanzi
