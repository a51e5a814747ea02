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

namespace {

// The items with same-width ones at their common width, in along-the-line coordinates (width along the line,
// height across it).
std::vector<TLayoutItem> ItemsAlongTheLine(const std::vector<TLayoutItem>& source, bool vertical) {
    std::vector<TLayoutItem> items = source;
    int sameWidth = 0;
    for (const auto& item : items) {
        if (item.sameWidth && item.candidate) sameWidth = std::max(sameWidth, item.width);
    }
    for (auto& item : items) {
        if (item.sameWidth && item.candidate) item.width = sameWidth;
        if (vertical) std::swap(item.width, item.height);
    }
    return items;
}

// The candidates without separators that would stand first, doubled or last; chevron is the first chevron
// item's index (-1 when there is none), which is never shown here.
std::vector<bool> ShownCandidates(const std::vector<TLayoutItem>& items, int& chevron) {
    std::vector<bool> shown(items.size());
    chevron = -1;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].chevron) {
            if (chevron < 0) chevron = static_cast<int>(i);
        } else {
            shown[i] = items[i].candidate;
        }
    }
    return PruneSeparators(items, shown);
}

// Where the shown items went, before the lines are aligned.
struct TPlacement {
    std::vector<std::vector<std::size_t>> lines;  // a toolbar's lines of items
    std::vector<bool> stacked;                    // items on a line of their own (menu rows)
    int sizeX = 0;
    int sizeY = 0;
    bool wrapped = false;
};

// Places the shown items line by line: toolbar items side by side, wrapping at wrap (> 0), a separator that
// would wrap becoming a line separator between the lines; other items one under the other.
class TLinePlacer {
public:
    TLinePlacer(const TLayoutInput& input, const std::vector<TLayoutItem>& items, const std::vector<bool>& shown,
                const TRect& margins, int wrap, std::vector<TLayoutViewer>& out)
        : input_(input),
          items_(items),
          shown_(shown),
          m_(margins),
          wrap_(wrap),
          out_(out),
          x_(margins.Left),
          lineTop_(margins.Top) {
        placed_.stacked.resize(items.size());
        placed_.sizeX = margins.Left;
        placed_.sizeY = margins.Top;
    }

    TPlacement Run() {
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (!shown_[i]) continue;
            TRect& b = out_[i].bounds;
            if (input_.isToolbar || items_[i].toolbarSize) {
                if (WrapsBefore(i)) continue;
                PlaceOnLine(i);
            } else {
                FinishLine();
                b = TRect{m_.Left, lineTop_, m_.Left + items_[i].width, lineTop_ + items_[i].height};
                lineTop_ += items_[i].height;
                placed_.stacked[i] = true;
            }
            placed_.sizeX = std::max(placed_.sizeX, b.Right);
            placed_.sizeY = std::max(placed_.sizeY, b.Bottom);
        }
        FinishLine();
        placed_.sizeY = std::max(placed_.sizeY, lineTop_);
        return placed_;
    }

private:
    // Starts a new line when item i does not fit on this one. A separator whose group (up to the next
    // separator) does not fit becomes a line separator instead, and true says item i is done.
    bool WrapsBefore(std::size_t i) {
        if (wrap_ <= 0 || line_.empty()) return false;
        const TLayoutItem& item = items_[i];
        if (!item.separator) {
            if (x_ + item.width > wrap_) {
                FinishLine();
                placed_.wrapped = true;
            }
            return false;
        }
        int group = 0;
        for (std::size_t j = i + 1; j < items_.size() && !(shown_[j] && items_[j].separator); ++j) {
            if (shown_[j]) group += items_[j].width;
        }
        if (x_ + item.width + group <= wrap_) return false;
        FinishLine();
        out_[i].bounds = TRect{m_.Left, lineTop_, m_.Left, lineTop_ + kLineSeparatorThickness};
        out_[i].lineSeparator = true;
        lineTop_ += kLineSeparatorThickness;
        placed_.sizeY = std::max(placed_.sizeY, lineTop_);
        placed_.wrapped = true;
        return true;
    }

    void PlaceOnLine(std::size_t i) {
        const TLayoutItem& item = items_[i];
        out_[i].bounds = TRect{x_, lineTop_, x_ + item.width, lineTop_ + item.height};
        x_ += item.width;
        lineThick_ = std::max(lineThick_, item.height);
        line_.push_back(i);
    }

    // Ends the current line: on a toolbar its items are centred across it (separators and stretched items
    // fill it).
    void FinishLine() {
        if (line_.empty()) return;
        if (input_.isToolbar) {
            for (const std::size_t i : line_) {
                TRect& b = out_[i].bounds;
                if (items_[i].separator || items_[i].stretch) {
                    b.Top = lineTop_;
                    b.Bottom = lineTop_ + lineThick_;
                } else {
                    b.Top = lineTop_ + (lineThick_ - items_[i].height) / 2;
                    b.Bottom = b.Top + items_[i].height;
                }
            }
            placed_.lines.push_back(line_);
        }
        lineTop_ += lineThick_;
        lineThick_ = 0;
        line_.clear();
        x_ = m_.Left;
    }

    const TLayoutInput& input_;
    const std::vector<TLayoutItem>& items_;
    const std::vector<bool>& shown_;
    const TRect m_;
    const int wrap_;
    std::vector<TLayoutViewer>& out_;
    TPlacement placed_;
    std::vector<std::size_t> line_;
    int x_;
    int lineTop_;
    int lineThick_ = 0;
};

// Right-aligned items move to the line's end; a toolbar line of one stretched item, a line separator and a
// menu row run across the whole length (sizeX), so that the highlight and the separators span it.
void AlignLines(const TLayoutInput& input, const std::vector<TLayoutItem>& items, const TPlacement& placed,
                const TRect& m, int wrap, std::vector<TLayoutViewer>& out) {
    const int sizeX = placed.sizeX;
    const int alignEnd = wrap > 0 ? std::min(wrap, sizeX) : sizeX;
    for (const auto& members : placed.lines) {
        const auto first =
            std::find_if(members.begin(), members.end(), [&](std::size_t i) { return items[i].rightAlign; });
        if (first == members.end()) continue;
        const int shift = alignEnd - out[members.back()].bounds.Right;
        if (shift <= 0) continue;
        for (auto it = first; it != members.end(); ++it) {
            out[*it].bounds.Left += shift;
            out[*it].bounds.Right += shift;
        }
    }
    if (input.isToolbar) {
        for (const auto& members : placed.lines) {
            if (members.size() == 1 && items[members[0]].stretch) {
                out[members[0]].bounds.Left = m.Left;
                out[members[0]].bounds.Right = sizeX;
            }
        }
    }
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (out[i].lineSeparator || placed.stacked[i]) {
            out[i].bounds.Left = m.Left;
            out[i].bounds.Right = sizeX;
        }
    }
}

// A menu taller than its maximum height scrolls: the rows move up by the offset, and rows under the scroll
// arrows are clipped.
void ScrollTallMenu(const TLayoutInput& input, TLayoutResult& result) {
    if (input.isToolbar || input.maxHeight <= 0 || input.maxHeight >= result.size.Y) return;
    const int limit = result.size.Y - input.maxHeight;
    const int offset = std::clamp(input.scrollOffset, 0, limit);
    result.scrollOffset = offset;
    result.upArrow = offset > 0;
    result.downArrow = offset < limit;
    for (auto& v : result.viewers) {
        if (!v.shown) continue;
        v.bounds.Top -= offset;
        v.bounds.Bottom -= offset;
        if ((result.upArrow && v.bounds.Top < kMenuScrollArrowHeight) ||
            (result.downArrow && v.bounds.Bottom > input.maxHeight - kMenuScrollArrowHeight)) {
            v.shown = false;
            v.clipped = true;
        }
    }
    result.size.Y = input.maxHeight;
}

}  // namespace

TLayoutResult LayoutView(const TLayoutInput& input, const std::vector<TLayoutItem>& source) {
    const std::size_t n = source.size();
    const bool vertical = input.orientation == TTBViewOrientation::Vertical;
    TLayoutResult result;
    result.viewers.resize(n);
    auto& out = result.viewers;

    const std::vector<TLayoutItem> items = ItemsAlongTheLine(source, vertical);
    const TRect m = vertical ? Transpose(input.margins) : input.margins;
    const TPoint base = vertical ? TPoint{input.baseSize.Y, input.baseSize.X} : input.baseSize;

    int chevron = -1;
    std::vector<bool> shown = ShownCandidates(items, chevron);
    const int total = TotalLength(items, shown);
    result.chevronUsed = chevron >= 0 && input.chevronOffset > 0 && input.chevronOffset < total;
    if (result.chevronUsed) result.chevronEnabled = HideBehindChevron(input, items, shown, out);

    int cross = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (shown[i]) cross = std::max(cross, items[i].height);
    }
    int wrap = input.wrapOffset;
    if (wrap > 0) wrap = std::max(1, wrap - m.Right);

    TPlacement placed = TLinePlacer(input, items, shown, m, wrap, out).Run();
    // The length the lines run to: at least the base size, and the wrap offset once a line wrapped.
    placed.sizeX = std::max(placed.sizeX, base.X - m.Right);
    if (placed.wrapped) placed.sizeX = std::max(placed.sizeX, wrap);
    AlignLines(input, items, placed, m, wrap, out);

    const int sizeX = placed.sizeX;
    TPoint size{std::max(sizeX + m.Right, base.X), std::max(placed.sizeY + m.Bottom, base.Y)};
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
    result.size = size;
    ScrollTallMenu(input, result);
    for (auto& v : out) {
        if (!v.shown && !v.clipped) v.bounds = TRect{};
    }
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
