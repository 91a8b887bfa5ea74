#pragma once

#include <QRect>
#include <vector>

namespace core {

// Reading order of boxes on a screen: rows from top to bottom, each read left to right; columns
// whose rows line up are read as one grid, row by row, and a block beside rows it spans (the
// drill's button panel beside its four answers) is read after them. Returns indexes into places.
// Tab and the number keys follow it.
std::vector<int> readingOrder(const std::vector<QRect> &places);

} // namespace core
