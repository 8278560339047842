#pragma once
#include <vector>

// A column's claim on a list's width: its share of the room, and the width
// below which its texts would be cut.
struct ColumnShare {
    int relative = 1;
    int minimum = 0;
};

// The widths of columns sharing `width` in their proportions, where no column
// is narrower than its minimum: the columns a share would cut keep their
// minimum and the others share what is left. When even the minimums do not
// fit, every column has its minimum (the list scrolls sideways).
std::vector<int> ShareColumnWidths(int width, const std::vector<ColumnShare>& columns);
