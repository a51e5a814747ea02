#include "unicode/core/RadioGroupLayout.h"

#include <algorithm>

namespace uni {

std::vector<TRect> ArrangeRadioButtons(const TRadioGroupMetrics& m) {
    std::vector<TRect> rects;
    const int n = m.buttonCount;
    if (n <= 0) return rects;
    const int c = std::clamp(m.columns, kMinRadioColumns, kMaxRadioColumns);
    const int rows = (n + c - 1) / c;
    const int columnWidth = std::max(0, (m.width - 10) / c);
    // The rows share what is left below the caption line; the remainder is split above and below them.
    const int room = std::max(0, m.height - m.textHeight - 5);
    const int rowHeight = room / rows;
    const int top = (room % rows) / 2 + m.textHeight + 1;
    rects.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const int column = i / rows, row = i % rows;
        int left = column * columnWidth + 8;
        if (m.rightToLeft) left = m.clientWidth - left - columnWidth;
        const int y = top + row * rowHeight;
        rects.push_back(TRect{left, y, left + columnWidth, y + rowHeight});
    }
    return rects;
}

}  // namespace uni
