// Item sizes come from whatever the viewers measure (themes, fonts, language files): lays out arbitrary
// views and checks what the layout promises: it ends, never shows a separator first, last or doubled,
// keeps two items besides separators when a chevron hides the rest, and a scrolling menu fits its height.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "toolbar/core/KeySearch.h"
#include "toolbar/core/PopupPosition.h"
#include "toolbar/core/ViewLayout.h"

namespace {

struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    int Byte() { return at < size ? data[at++] : 0; }
    int Value() { return Byte() | (Byte() & 0x7F) << 8; }  // 0..32767: pixel sizes
};

bool SameChar(char16_t a, char16_t b) { return a == b; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Reader r{data, size};
    tb::TLayoutInput in;
    const int flags = r.Byte();
    in.orientation = static_cast<tb::TTBViewOrientation>(flags % 3);
    in.isToolbar = (flags & 4) != 0;
    in.margins = tb::ViewMargins(in.orientation);
    in.wrapOffset = (flags & 8) ? r.Value() : 0;
    in.chevronOffset = (flags & 16) ? r.Value() : 0;
    in.chevronSize = r.Byte();
    in.maxHeight = (flags & 32) ? r.Value() : 0;
    in.scrollOffset = r.Value() - 16384;
    const int count = r.Byte() % 40;
    std::vector<tb::TLayoutItem> items(static_cast<std::size_t>(count));
    for (auto& item : items) {
        const int bits = r.Byte();
        item.width = r.Byte() * 3;
        item.height = r.Byte();
        item.candidate = (bits & 1) != 0;
        item.separator = (bits & 2) != 0;
        item.toolbarSize = (bits & 4) != 0;
        item.rightAlign = (bits & 8) != 0;
        item.stretch = (bits & 16) != 0;
        item.sameWidth = (bits & 32) != 0;
        item.control = (bits & 64) != 0;
        item.chevron = (bits & 128) != 0 && (&item == &items.back());
        if (r.Byte() & 1) in.priority.push_back(r.Byte() % (count + 2) - 1);  // also indices out of range
    }
    const tb::TLayoutResult result = tb::LayoutView(in, items);
    if (result.viewers.size() != items.size()) std::abort();

    // Separators: never the first or the last shown, never two in a row (before the chevron or menu
    // scrolling hides items).
    bool clipped = false;
    for (const auto& v : result.viewers) clipped = clipped || v.clipped;
    int last = -1;
    int nonSeparators = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!result.viewers[i].shown || items[i].chevron) continue;
        if (items[i].separator && (last < 0 || items[static_cast<std::size_t>(last)].separator) &&
            !result.chevronUsed && !clipped) {
            std::abort();
        }
        if (!items[i].separator) ++nonSeparators;
        last = static_cast<int>(i);
    }
    if (!result.chevronUsed && !clipped && last >= 0 && items[static_cast<std::size_t>(last)].separator) std::abort();
    if (result.chevronUsed && !clipped) {
        int candidates = 0;
        for (const auto& item : items) candidates += item.candidate && !item.separator && !item.chevron;
        if (nonSeparators < (candidates < 2 ? candidates : 2)) std::abort();
    }
    if (!in.isToolbar && in.maxHeight > 0 && result.size.Y > in.maxHeight) std::abort();

    // Keyboard search over the same viewers ends and finds only candidates.
    std::vector<tb::TKeySearchItem> keys(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        keys[i] =
            tb::TKeySearchItem{result.viewers[i].shown, (items[i].height & 1) != 0,
                               static_cast<char16_t>(items[i].width % 5), static_cast<char16_t>(items[i].height % 5)};
    }
    const tb::TKeySearchResult found =
        tb::FindViewerByKey(keys, r.Byte() % (count + 1) - 1, static_cast<char16_t>(r.Byte() % 5), false, SameChar);
    if (found.index >= 0 && !keys[static_cast<std::size_t>(found.index)].candidate) std::abort();

    // A placed popup never starts left of or above its work area when it fits there.
    tb::TPopupPlacementInput place;
    place.kind = static_cast<tb::TTBPopupKind>(r.Byte() % 6);
    place.alignment = static_cast<tb::TTBPopupAlignment>(r.Byte() % 3);
    place.area = TRect{0, 0, r.Value() + 1, r.Value() + 1};
    place.parent = Bounds(r.Value() - 1000, r.Value() - 1000, r.Byte(), r.Byte());
    place.point = TPoint{r.Value() - 1000, r.Value() - 1000};
    place.size = TPoint{r.Value() % 2000, r.Value() % 2000};
    place.parentOpenedLeft = (r.Byte() & 1) != 0;
    const tb::TPopupPlacement p = tb::GetPopupPosition(place);
    if (p.position.X < place.area.Left) std::abort();
    if (place.size.Y <= place.area.Height() &&
        (p.position.Y < place.area.Top || p.position.Y + place.size.Y > place.area.Bottom)) {
        std::abort();
    }
    return 0;
}
