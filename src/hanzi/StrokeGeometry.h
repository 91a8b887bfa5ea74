#pragma once

#include <QPointF>
#include <vector>

namespace hanzi {

// A line through points in order: a stroke's median, or a line a child drew.
using Polyline = std::vector<QPointF>;

double polylineLength(const Polyline &line);

// The point the given distance along the line from its start; the start for a distance at or
// below 0, the end at or beyond the line's length. An empty line gives (0, 0).
QPointF pointAtLength(const Polyline &line, double distance);

// The line from its start up to a fraction (0..1, clamped) of its length: the part of a stroke a
// brush has written by then. At 0 it is the start point alone; at 1 the whole line.
Polyline partialPolyline(const Polyline &line, double fraction);

// Points every step along the line, its first and last points included; a line of no length
// gives its first point alone.
Polyline resampled(const Polyline &line, double step);

// The point of the line nearest to p: how far it is, and on which piece (from point i to i + 1;
// 0 for a line of one point).
struct NearestPoint {
    double distance = 0;
    int piece = 0;
};
NearestPoint nearestOnPolyline(QPointF p, const Polyline &line);

} // namespace hanzi
