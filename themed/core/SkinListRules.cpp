#include "themed/core/SkinListRules.h"

#include <algorithm>
#include <cstdlib>

namespace skin {

int ListVisibleLines(int count, int maxVisible) {
    maxVisible = std::max(maxVisible, 1);
    if (maxVisible < count) return maxVisible;
    return count <= 0 ? 1 : count;
}

TListStart ListStartAt(int count, int maxVisible, int itemIndex) {
    TListStart start;
    if (itemIndex < 0 || itemIndex >= count) return start;
    start.offset = ListScrollIntoView(itemIndex, 0, ListVisibleLines(count, maxVisible), count);
    start.highlighted = itemIndex;
    return start;
}

int ListLineAtPoint(int x, int y, int width, int barWidth, int lineHeight, int offset, int visible, int count) {
    // Integer division truncates toward zero: a point just above the first line would count as that line.
    if (x < 0 || x > width - barWidth || y < 0 || lineHeight <= 0) return -1;
    const int line = y / lineHeight + offset;
    if (line < offset || line >= offset + visible || line >= count) return -1;
    return line;
}

int ListScrollIntoView(int index, int offset, int visible, int count) {
    if (index < 0 || index >= count) return offset;
    if (index < offset) return index;
    if (index >= offset + visible) return index - visible + 1;
    return offset;
}

int ClampListIndex(int target, int count) { return std::min(std::max(target, 0), count - 1); }

int ListKeyTarget(TListKey key, int highlighted, int visible, int count) {
    switch (key) {
        case TListKey::Enter: return highlighted >= 0 && highlighted < count ? highlighted : -1;
        case TListKey::PageUp: return ClampListIndex(highlighted - visible, count);
        case TListKey::PageDown: return ClampListIndex(highlighted + visible, count);
        case TListKey::Home: return ClampListIndex(0, count);
        case TListKey::End: return ClampListIndex(count - 1, count);
        case TListKey::Up: return ClampListIndex(highlighted - 1, count);
        case TListKey::Down: return ClampListIndex(highlighted + 1, count);
    }
    return -1;
}

TListAutoScroll ListAutoScrollSpeed(int distance) {
    const int d = std::abs(distance);
    if (d < 10) return {150, 1};
    if (d < 30) return {100, 1};
    if (d <= 50) return {100, 2};
    return {100, 4};
}

int TListWheel::Add(int delta) {
    pending_ += delta;
    int lines = 0;
    while (std::abs(pending_) >= 120) {
        const int notch = pending_ > 0 ? 120 : -120;
        pending_ -= notch;
        lines += notch > 0 ? 1 : -1;
    }
    return lines;
}

}  // namespace skin
