#include "ui/ColumnWidths.h"

#include <algorithm>
#include <cstddef>

std::vector<int> ShareColumnWidths(int width, const std::vector<ColumnShare>& columns)
{
    auto weight = [&](size_t i) { return static_cast<long long>(std::max(columns[i].relative, 0)); };
    std::vector<int> widths(columns.size(), 0);
    std::vector<bool> atMinimum(columns.size(), false);
    // Each round settles at least one more column at its minimum, or ends.
    for (;;) {
        long long room = width;
        long long shares = 0;
        for (size_t i = 0; i < columns.size(); ++i) {
            if (atMinimum[i])
                room -= widths[i];
            else
                shares += weight(i);
        }
        bool settled = false;
        for (size_t i = 0; i < columns.size(); ++i) {
            if (atMinimum[i])
                continue;
            long long share = shares > 0 && room > 0 ? room * weight(i) / shares : 0;
            if (share < columns[i].minimum) {
                widths[i] = columns[i].minimum;
                atMinimum[i] = true;
                settled = true;
            } else {
                widths[i] = static_cast<int>(share);
            }
        }
        if (!settled)
            return widths;
    }
}
