#include "toolbar/core/ToolbarSizing.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "classlib/core/Exceptions.h"

namespace tb {

int DockWrapOffset(TTBShrinkMode mode, bool verticalDock, TSize dockSize, TSize dockNCSize, TSize toolbarNCSize) {
    if (mode != tbsmWrap) return 0;
    const int length =
        verticalDock ? dockSize.cy - dockNCSize.cy - toolbarNCSize.cy : dockSize.cx - dockNCSize.cx - toolbarNCSize.cx;
    return std::max(0, length);
}

int DockChevronOffset(TTBShrinkMode mode, bool onCurrentDock, int shrunkLength, int ncLength) {
    if (mode != tbsmChevron || !onCurrentDock || shrunkLength <= 0) return 0;
    return std::max(0, shrunkLength - ncLength - kChevronSize);
}

TToolbarOffsets FreeToolbarOffsets(TTBShrinkMode mode, bool keepsWidth, int clientLength) {
    TToolbarOffsets o;
    if (!keepsWidth) return o;
    if (mode == tbsmChevron) o.chevron = std::max(0, clientLength - kChevronSize);
    if (mode == tbsmWrap) o.wrap = std::max(0, clientLength);
    return o;
}

int ToolbarMinShrinkSize(int topPriorityLength, int ncLength) { return topPriorityLength + ncLength + kChevronSize; }

namespace {

TFloatingSize Packed(int width, int height) {
    if (width < 0 || width > 0xFFFF || height < 0 || height > 0xFFFF) throw ERangeError("Range check error");
    return TFloatingSize{static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height)};
}

}  // namespace

std::vector<TFloatingSize> CollectFloatingSizes(int smallestWidth,
                                                const std::function<TFloatingMeasure(int wrapWidth)>& measure) {
    const TFloatingMeasure first = measure(0);
    std::vector<TFloatingSize> list{Packed(first.width, first.height)};
    int lastLines = first.lines;
    int w = first.width - 1;
    while (w >= smallestWidth) {
        const TFloatingMeasure m = measure(w);
        if (w < m.width) break;
        if (m.width != w) {
            // Nothing changes down to the width the items really take: go there at once.
            w = m.width;
            continue;
        }
        if (m.lines == lastLines) {
            list.back() = Packed(m.width, m.height);
        } else {
            list.push_back(Packed(m.width, m.height));
        }
        lastLines = m.lines;
        --w;
    }
    return list;
}

void SortFloatingSizes(std::vector<TFloatingSize>& sizes, bool byHeight) {
    std::stable_sort(sizes.begin(), sizes.end(), [byHeight](const TFloatingSize& a, const TFloatingSize& b) {
        return byHeight ? a.height < b.height : a.width < b.width;
    });
}

std::size_t NearestLength(const std::vector<int>& lengths, int length) {
    std::size_t at = 0;
    int best = INT_MAX;
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        const int d = std::abs(lengths[i] - length);
        if (d < best) {
            best = d;
            at = i;
        }
    }
    return at;
}

int FloatingStepThreshold(const std::vector<int>& sortedLengths, int currentLength) {
    const std::size_t at = NearestLength(sortedLengths, currentLength);
    int gap = INT_MAX;
    if (at > 0) gap = std::min(gap, std::abs(currentLength - sortedLengths[at - 1]));
    if (at + 1 < sortedLengths.size()) gap = std::min(gap, std::abs(sortedLengths[at + 1] - currentLength));
    if (gap == INT_MAX) return 12;
    return std::clamp(gap - 1, 0, 12);
}

int FloatingStep(const std::vector<int>& lengths, int current, int length, int threshold) {
    const int n = static_cast<int>(lengths.size());
    if (current < 0 || current >= n) return current;
    int at = current;
    if (length > lengths[static_cast<std::size_t>(current)]) {
        while (at + 1 < n && length >= lengths[static_cast<std::size_t>(at + 1)] - threshold) ++at;
    } else if (length < lengths[static_cast<std::size_t>(current)]) {
        while (at > 0 && length <= lengths[static_cast<std::size_t>(at - 1)] + threshold) --at;
    }
    return at;
}

}  // namespace tb
