#include "hanzi/StrokeGeometry.h"

#include <QLineF>
#include <algorithm>
#include <cmath>
#include <limits>

namespace hanzi {

double polylineLength(const Polyline &line) {
    double length = 0;
    for (std::size_t i = 1; i < line.size(); ++i)
        length += QLineF(line[i - 1], line[i]).length();
    return length;
}

QPointF pointAtLength(const Polyline &line, double distance) {
    if (line.empty()) return {};
    if (distance <= 0) return line.front();
    for (std::size_t i = 1; i < line.size(); ++i) {
        const double piece = QLineF(line[i - 1], line[i]).length();
        if (distance <= piece && piece > 0) return line[i - 1] + (line[i] - line[i - 1]) * (distance / piece);
        distance -= piece;
    }
    return line.back();
}

Polyline partialPolyline(const Polyline &line, double fraction) {
    if (line.empty()) return {};
    if (fraction >= 1) return line;
    double left = std::max(fraction, 0.0) * polylineLength(line);
    Polyline out{line.front()};
    for (std::size_t i = 1; i < line.size(); ++i) {
        const double piece = QLineF(line[i - 1], line[i]).length();
        if (piece >= left) {
            if (left > 0) out.push_back(line[i - 1] + (line[i] - line[i - 1]) * (left / piece));
            return out;
        }
        out.push_back(line[i]);
        left -= piece;
    }
    return out;
}

Polyline resampled(const Polyline &line, double step) {
    if (line.empty()) return {};
    const double length = polylineLength(line);
    if (length <= 0 || step <= 0) return {line.front()};
    const int pieces = std::max(1, static_cast<int>(std::ceil(length / step)));
    Polyline out;
    out.reserve(pieces + 1);
    // Walks the line once: the points come in order along it.
    std::size_t i = 1;
    double before = 0; // length of the line up to point i - 1
    for (int k = 0; k <= pieces; ++k) {
        const double at = length * k / pieces;
        while (i + 1 < line.size() && before + QLineF(line[i - 1], line[i]).length() < at) {
            before += QLineF(line[i - 1], line[i]).length();
            ++i;
        }
        const double piece = QLineF(line[i - 1], line[i]).length();
        const double t = piece > 0 ? std::clamp((at - before) / piece, 0.0, 1.0) : 0.0;
        out.push_back(line[i - 1] + (line[i] - line[i - 1]) * t);
    }
    out.back() = line.back();
    return out;
}

NearestPoint nearestOnPolyline(QPointF p, const Polyline &line) {
    NearestPoint best{.distance = std::numeric_limits<double>::infinity(), .piece = 0};
    if (line.empty()) return best;
    if (line.size() == 1) return {.distance = QLineF(p, line.front()).length(), .piece = 0};
    for (std::size_t i = 1; i < line.size(); ++i) {
        const QPointF a = line[i - 1], ab = line[i] - a;
        const double squared = QPointF::dotProduct(ab, ab);
        const double t = squared > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / squared, 0.0, 1.0) : 0.0;
        const double d = QLineF(p, a + ab * t).length();
        if (d < best.distance) best = {.distance = d, .piece = static_cast<int>(i - 1)};
    }
    return best;
}

} // namespace hanzi
