#include "core/ReadingOrder.h"

#include <algorithm>
#include <climits>

namespace core {

namespace {

// Cut the boxes into rows where a gap runs across them all, else into columns.

struct Box {
    QRect r;
    int index;
};
using Boxes = std::vector<Box>;

// The groups of boxes that a gap along the axis separates, in order along it (rows when alongY).
std::vector<Boxes> bands(Boxes boxes, bool alongY) {
    auto from = [alongY](const Box &b) { return alongY ? b.r.y() : b.r.x(); };
    auto to = [alongY](const Box &b) { return alongY ? b.r.y() + b.r.height() : b.r.x() + b.r.width(); };
    std::stable_sort(boxes.begin(), boxes.end(),
                     [&](const Box &a, const Box &b) { return from(a) < from(b); });
    std::vector<Boxes> out;
    int end = INT_MIN;
    for (const Box &b : boxes) {
        if (out.empty() || from(b) >= end) {
            out.emplace_back();
            end = to(b);
        }
        out.back().push_back(b);
        end = std::max(end, to(b));
    }
    return out;
}

// Two columns whose rows line up: each has the same rows, and so have both together.
bool sameRows(const Boxes &a, const Boxes &b) {
    const std::size_t rows = bands(a, true).size();
    if (rows < 2 || bands(b, true).size() != rows) return false;
    Boxes both = a;
    both.insert(both.end(), b.begin(), b.end());
    return bands(both, true).size() == rows;
}

// The widest gap between neighbouring bands.
int widestGap(const std::vector<Boxes> &bands, bool alongY) {
    int widest = 0;
    for (std::size_t i = 1; i < bands.size(); ++i) {
        int end = INT_MIN, start = INT_MAX;
        for (const Box &b : bands[i - 1])
            end = std::max(end, alongY ? b.r.y() + b.r.height() : b.r.x() + b.r.width());
        for (const Box &b : bands[i])
            start = std::min(start, alongY ? b.r.y() : b.r.x());
        widest = std::max(widest, start - end);
    }
    return widest;
}

void order(const Boxes &boxes, std::vector<int> &out) {
    if (boxes.size() <= 1) {
        for (const Box &b : boxes)
            out.push_back(b.index);
        return;
    }
    const std::vector<Boxes> rows = bands(boxes, true);
    const std::vector<Boxes> columns = bands(boxes, false);
    // Neighbouring columns whose rows line up are one grid, read row by row.
    std::vector<Boxes> blocks;
    for (const Boxes &column : columns) {
        if (!blocks.empty() && sameRows(blocks.back(), column))
            blocks.back().insert(blocks.back().end(), column.begin(), column.end());
        else
            blocks.push_back(column);
    }
    // Columns apart from each other are read one after the other: where rows run across the
    // screen too, the wider gap tells which is the layout (a short gap in one column is no row).
    const bool byColumns =
        blocks.size() > 1 && (rows.size() == 1 || widestGap(columns, false) > widestGap(rows, true));
    if (byColumns) {
        for (const Boxes &block : blocks)
            order(block, out);
        return;
    }
    if (rows.size() > 1) {
        for (const Boxes &row : rows)
            order(row, out);
        return;
    }
    // Boxes that overlap every way: by their top, then their left.
    Boxes sorted = boxes;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Box &a, const Box &b) {
        return a.r.y() != b.r.y() ? a.r.y() < b.r.y() : a.r.x() < b.r.x();
    });
    for (const Box &b : sorted)
        out.push_back(b.index);
}

} // namespace

std::vector<int> readingOrder(const std::vector<QRect> &places) {
    Boxes boxes;
    for (std::size_t i = 0; i < places.size(); ++i)
        boxes.push_back({places[i], int(i)});
    std::vector<int> out;
    order(boxes, out);
    return out;
}

} // namespace core
