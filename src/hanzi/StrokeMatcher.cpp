#include "hanzi/StrokeMatcher.h"

#include <QLineF>
#include <cmath>

namespace hanzi {

namespace {

using T = StrokeTolerance;

// Every point of `points` within `limit` of `line`.
bool allNear(const Polyline &points, const Polyline &line, double limit) {
    for (QPointF p : points)
        if (nearestOnPolyline(p, line).distance > limit) return false;
    return true;
}

// The cosine between the line's bits and the median beside each, averaged by length along the
// line; 1 when the line has no length to judge by.
double directionAgreement(const Polyline &line, const Polyline &median) {
    double along = 0, total = 0;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const QPointF bit = line[i] - line[i - 1];
        const double length = std::hypot(bit.x(), bit.y());
        const NearestPoint near = nearestOnPolyline((line[i] + line[i - 1]) / 2, median);
        if (length <= 0 || median.size() < 2) continue;
        const QPointF way = median[near.piece + 1] - median[near.piece];
        const double wayLength = std::hypot(way.x(), way.y());
        if (wayLength <= 0) continue;
        along += QPointF::dotProduct(bit, way) / wayLength;
        total += length;
    }
    return total > 0 ? along / total : 1.0;
}

} // namespace

StrokeVerdict matchStroke(const Polyline &drawn, const Polyline &median) {
    if (drawn.empty()) return StrokeVerdict::NothingDrawn;
    if (median.empty()) return StrokeVerdict::OffTheStroke;
    const Polyline line = resampled(drawn, T::kSampleStep);
    const Polyline stroke = resampled(median, T::kSampleStep);

    if (!allNear(line, median, T::kNearMedian)) return StrokeVerdict::OffTheStroke;
    const double length = polylineLength(drawn);
    if (length > T::kLengthFactor * polylineLength(median) + T::kLengthSlack) return StrokeVerdict::Scribble;
    if (length >= T::kTap) {
        const double agreement = directionAgreement(line, median);
        if (agreement <= -T::kDirectionAgreement) return StrokeVerdict::Backwards;
        if (agreement < T::kDirectionAgreement) return StrokeVerdict::Scribble;
    }
    if (QLineF(drawn.front(), median.front()).length() > T::kEndpoint) return StrokeVerdict::MissedStart;
    if (QLineF(drawn.back(), median.back()).length() > T::kEndpoint) return StrokeVerdict::MissedEnd;
    // A line that cuts a corner can keep near the median and still leave the corner out.
    if (!allNear(stroke, drawn, T::kNearMedian)) return StrokeVerdict::OffTheStroke;
    return StrokeVerdict::Right;
}

} // namespace hanzi
