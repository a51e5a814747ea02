#include "toolbar/core/ViewLayout.h"

#include <algorithm>

namespace tb {

namespace {

TRect Transpose(TRect r) { return TRect{r.Top, r.Left, r.Bottom, r.Right}; }

void HideLeadingAndDoubledSeparators(const std::vector<TLayoutItem>& items, std::vector<bool>& shown) {
    bool afterSeparatorOrStart = true;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!shown[i]) continue;
        if (items[i].separator) {
            if (afterSeparatorOrStart) shown[i] = false;
            afterSeparatorOrStart = true;
        } else {
            afterSeparatorOrStart = false;
        }
    }
}

int TotalLength(const std::vector<TLayoutItem>& items, const std::vector<bool>& shown) {
    int total = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (shown[i]) total += items[i].width;
    }
    return total;
}

// Hides viewers behind the chevron until the shown ones end at its offset. Returns whether an item that is
// not a control went behind it.
bool HideBehindChevron(const TLayoutInput& input, const std::vector<TLayoutItem>& items, std::vector<bool>& shown,
                       std::vector<TLayoutViewer>& out) {
    const int n = static_cast<int>(items.size());
    std::vector<int> order;  // hiding order: lowest priority first
    if (input.priority.empty()) {
        for (int i = n - 1; i >= 0; --i) order.push_back(i);
    } else {
        for (auto it = input.priority.rbegin(); it != input.priority.rend(); ++it) {
            if (*it >= 0 && *it < n) order.push_back(*it);
        }
    }
    bool enabled = false;
    while (TotalLength(items, shown) > input.chevronOffset) {
        int last = n - 1;
        while (last >= 0 && !shown[static_cast<std::size_t>(last)]) --last;
        if (last >= 0 && items[static_cast<std::size_t>(last)].separator) {
            shown[static_cast<std::size_t>(last)] = false;
            continue;
        }
        int remaining = 0;
        for (int i = 0; i < n; ++i) {
            if (shown[static_cast<std::size_t>(i)] && !items[static_cast<std::size_t>(i)].separator) ++remaining;
        }
        if (remaining <= 2) break;
        const auto next = std::find_if(order.begin(), order.end(), [&](int i) {
            return shown[static_cast<std::size_t>(i)] && !items[static_cast<std::size_t>(i)].separator;
        });
        if (next == order.end()) break;
        const auto k = static_cast<std::size_t>(*next);
        shown[k] = false;
        out[k].offEdge = true;
        if (!items[k].control) enabled = true;
        // Separators that now stand first or doubled go; a trailing one goes only when room is still short.
        HideLeadingAndDoubledSeparators(items, shown);
    }
    return enabled;
}

}  // namespace

TRect ViewMargins(TTBViewOrientation orientation) {
    if (orientation == TTBViewOrientation::Floating) return TRect{4, 2, 4, 1};
    return TRect{};
}

std::vector<bool> PruneSeparators(const std::vector<TLayoutItem>& items, std::vector<bool> shown) {
    HideLeadingAndDoubledSeparators(items, shown);
    for (std::size_t i = items.size(); i-- > 0;) {
        if (!shown[i]) continue;
        if (!items[i].separator) break;
        shown[i] = false;
    }
    return shown;
}

TLayoutResult LayoutView(const TLayoutInput& input, const std::vector<TLayoutItem>& source) {
    const std::size_t n = source.size();
    const bool vertical = input.orientation == TTBViewOrientation::Vertical;
    TLayoutResult result;
    result.viewers.resize(n);
    auto& out = result.viewers;

    // Same width, on the real widths; then everything in along-the-line coordinates.
    std::vector<TLayoutItem> items = source;
    int sameWidth = 0;
    for (const auto& item : items) {
        if (item.sameWidth && item.candidate) sameWidth = std::max(sameWidth, item.width);
    }
    for (auto& item : items) {
        if (item.sameWidth && item.candidate) item.width = sameWidth;
        if (vertical) std::swap(item.width, item.height);
    }
    const TRect m = vertical ? Transpose(input.margins) : input.margins;
    const TPoint base = vertical ? TPoint{input.baseSize.Y, input.baseSize.X} : input.baseSize;

    std::vector<bool> shown(n);
    int chevron = -1;
    for (std::size_t i = 0; i < n; ++i) {
        if (items[i].chevron) {
            if (chevron < 0) chevron = static_cast<int>(i);
        } else {
            shown[i] = items[i].candidate;
        }
    }
    shown = PruneSeparators(items, shown);

    const int total = TotalLength(items, shown);
    result.chevronUsed = chevron >= 0 && input.chevronOffset > 0 && input.chevronOffset < total;
    if (result.chevronUsed) result.chevronEnabled = HideBehindChevron(input, items, shown, out);

    int cross = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (shown[i]) cross = std::max(cross, items[i].height);
    }
    int wrap = input.wrapOffset;
    if (wrap > 0) wrap = std::max(1, wrap - m.Right);

    // Placing, line by line.
    std::vector<std::vector<std::size_t>> lines;
    std::vector<bool> stacked(n);
    std::vector<std::size_t> line;
    int x = m.Left;
    int lineTop = m.Top;
    int lineThick = 0;
    int sizeX = m.Left;
    int sizeY = m.Top;
    bool wrapped = false;
    const auto finishLine = [&] {
        if (line.empty()) return;
        if (input.isToolbar) {
            for (const std::size_t i : line) {
                TRect& b = out[i].bounds;
                if (items[i].separator || items[i].stretch) {
                    b.Top = lineTop;
                    b.Bottom = lineTop + lineThick;
                } else {
                    b.Top = lineTop + (lineThick - items[i].height) / 2;
                    b.Bottom = b.Top + items[i].height;
                }
            }
            lines.push_back(line);
        }
        lineTop += lineThick;
        lineThick = 0;
        line.clear();
        x = m.Left;
    };
    for (std::size_t i = 0; i < n; ++i) {
        if (!shown[i]) continue;
        const TLayoutItem& item = items[i];
        TRect& b = out[i].bounds;
        if (input.isToolbar || item.toolbarSize) {
            if (wrap > 0 && !line.empty()) {
                if (item.separator) {
                    int group = 0;
                    for (std::size_t j = i + 1; j < n && !(shown[j] && items[j].separator); ++j) {
                        if (shown[j]) group += items[j].width;
                    }
                    if (x + item.width + group > wrap) {
                        finishLine();
                        b = TRect{m.Left, lineTop, m.Left, lineTop + kLineSeparatorThickness};
                        out[i].lineSeparator = true;
                        lineTop += kLineSeparatorThickness;
                        sizeY = std::max(sizeY, lineTop);
                        wrapped = true;
                        continue;
                    }
                } else if (x + item.width > wrap) {
                    finishLine();
                    wrapped = true;
                }
            }
            b = TRect{x, lineTop, x + item.width, lineTop + item.height};
            x += item.width;
            lineThick = std::max(lineThick, item.height);
            line.push_back(i);
        } else {
            finishLine();
            b = TRect{m.Left, lineTop, m.Left + item.width, lineTop + item.height};
            lineTop += item.height;
            stacked[i] = true;
        }
        sizeX = std::max(sizeX, b.Right);
        sizeY = std::max(sizeY, b.Bottom);
    }
    finishLine();
    sizeY = std::max(sizeY, lineTop);

    // The length the lines run to: at least the base size, and the wrap offset once a line wrapped.
    sizeX = std::max(sizeX, base.X - m.Right);
    if (wrapped) sizeX = std::max(sizeX, wrap);
    const int alignEnd = wrap > 0 ? std::min(wrap, sizeX) : sizeX;
    for (const auto& members : lines) {
        const auto first = std::find_if(members.begin(), members.end(), [&](std::size_t i) { return items[i].rightAlign; });
        if (first == members.end()) continue;
        const int shift = alignEnd - out[members.back()].bounds.Right;
        if (shift <= 0) continue;
        for (auto it = first; it != members.end(); ++it) {
            out[*it].bounds.Left += shift;
            out[*it].bounds.Right += shift;
        }
    }
    if (input.isToolbar) {
        for (const auto& members : lines) {
            if (members.size() == 1 && items[members[0]].stretch) {
                out[members[0]].bounds.Left = m.Left;
                out[members[0]].bounds.Right = sizeX;
            }
        }
    }
    // A line separator spans the lines it divides, so that its line is seen; menu rows are as wide as the
    // menu, so that the highlight and the separators run across it.
    for (std::size_t i = 0; i < n; ++i) {
        if (out[i].lineSeparator || stacked[i]) {
            out[i].bounds.Left = m.Left;
            out[i].bounds.Right = sizeX;
        }
    }

    TPoint size{std::max(sizeX + m.Right, base.X), std::max(sizeY + m.Bottom, base.Y)};
    if (result.chevronUsed) {
        const int at = std::max(input.chevronOffset, sizeX);
        out[static_cast<std::size_t>(chevron)].bounds = TRect{at, m.Top, at + input.chevronSize, m.Top + cross};
        shown[static_cast<std::size_t>(chevron)] = true;
        size.X = std::max(size.X, at + input.chevronSize + m.Right);
    }
    for (std::size_t i = 0; i < n; ++i) out[i].shown = shown[i];

    if (vertical) {
        for (auto& v : out) v.bounds = Transpose(v.bounds);
        std::swap(size.X, size.Y);
    }

    // A menu taller than its maximum height scrolls.
    if (!input.isToolbar && input.maxHeight > 0 && input.maxHeight < size.Y) {
        const int limit = size.Y - input.maxHeight;
        const int offset = std::clamp(input.scrollOffset, 0, limit);
        result.scrollOffset = offset;
        result.upArrow = offset > 0;
        result.downArrow = offset < limit;
        for (auto& v : out) {
            if (!v.shown) continue;
            v.bounds.Top -= offset;
            v.bounds.Bottom -= offset;
            if ((result.upArrow && v.bounds.Top < kMenuScrollArrowHeight) ||
                (result.downArrow && v.bounds.Bottom > input.maxHeight - kMenuScrollArrowHeight)) {
                v.shown = false;
                v.clipped = true;
            }
        }
        size.Y = input.maxHeight;
    }
    for (auto& v : out) {
        if (!v.shown && !v.clipped) v.bounds = TRect{};
    }
    result.size = size;
    return result;
}

bool LayoutChanged(const std::vector<TLayoutViewer>& before, const std::vector<TLayoutViewer>& after) {
    if (before.size() != after.size()) return true;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i].bounds != after[i].bounds || before[i].shown != after[i].shown ||
            before[i].lineSeparator != after[i].lineSeparator) {
            return true;
        }
    }
    return false;
}

int NextSelectable(const std::vector<bool>& selectable, int from, bool forward) {
    const int n = static_cast<int>(selectable.size());
    if (n == 0) return -1;
    int i = (from < 0 || from >= n) ? -1 : from;
    for (int step = 0; step < n; ++step) {
        if (i < 0) {
            i = forward ? 0 : n - 1;
        } else {
            i = forward ? (i + 1) % n : (i + n - 1) % n;
        }
        if (selectable[static_cast<std::size_t>(i)]) return i;
    }
    return -1;
}

}  // namespace tb
