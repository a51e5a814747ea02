#include "themed/core/StatusBarLayout.h"

#include <algorithm>

namespace skin {

std::vector<TStatusPanelPlace> ArrangeStatusPanels(const std::vector<TStatusPanelSpec>& panels, const TRect& client) {
    const int n = static_cast<int>(panels.size());
    const int available = client.Width();
    std::vector<TStatusPanelPlace> places(panels.size());
    long long sum = 0;
    int shown = 0;
    for (int i = 0; i < n; ++i) {
        places[i].Shown = panels[i].ViewPriority > 0;
        places[i].CurrentSize = panels[i].Size;
        if (places[i].Shown) {
            sum += panels[i].Size;
            ++shown;
        }
    }
    while (sum > available && shown >= 2) {
        int lowest = -1;
        for (int i = 0; i < n; ++i)
            if (places[i].Shown && (lowest < 0 || panels[i].ViewPriority <= panels[lowest].ViewPriority)) lowest = i;
        if (panels[lowest].ViewPriority >= 100) break;
        places[lowest].Shown = false;
        sum -= panels[lowest].Size;
        --shown;
    }
    if (sum < available) {
        std::vector<int> order;
        for (int i = 0; i < n; ++i)
            if (places[i].Shown && panels[i].StretchPriority > 0) order.push_back(i);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return panels[a].StretchPriority > panels[b].StretchPriority; });
        long long remainder = available - sum;
        for (int i : order) {
            const long long size = places[i].CurrentSize, grown = size + remainder, max = panels[i].MaxSize;
            if (max > 0 && max >= size && max < grown) {
                remainder -= max - size;
                places[i].CurrentSize = static_cast<int>(max);
                continue;
            }
            places[i].CurrentSize = static_cast<int>(grown);
            break;
        }
    }
    long long x = 0;
    const int top = client.Top + 2;
    for (TStatusPanelPlace& p : places) {
        if (p.Shown && x >= available) p.Shown = false;
        if (!p.Shown) continue;
        const long long right = x + p.CurrentSize;
        p.Bounds = Rect(client.Left + static_cast<int>(x), top, client.Left + static_cast<int>(right), client.Bottom);
        p.TouchesEnd = right == available;
        x = right;
    }
    return places;
}

TStatusPanelContent PlaceStatusPanelContent(const TRect& content, TAlignment alignment, bool image, int imageWidth,
                                            int imageHeight) {
    TStatusPanelContent out;
    const TRect r = Rect(content.Left + 1, content.Top, content.Right - 1, content.Bottom);
    out.Text = r;
    if (!image) return out;
    const int top = (r.Top + r.Bottom - imageHeight) / 2;
    switch (alignment) {
        case taLeftJustify:
            out.Image = Bounds(r.Left, top, imageWidth, imageHeight);
            out.Text.Left = out.Image.Right + 4;
            break;
        case taRightJustify:
            out.Image = Bounds(r.Right - imageWidth, top, imageWidth, imageHeight);
            out.Text.Right = out.Image.Left - 4;
            break;
        case taCenter: out.Image = Bounds((r.Left + r.Right - imageWidth) / 2, top, imageWidth, imageHeight); break;
    }
    return out;
}

TRect SizeGripRect(const TRect& client, int scrollBarWidth) {
    return Rect(client.Right - scrollBarWidth, client.Top + 3, client.Right, client.Bottom);
}

bool SizeGripActive(bool sizeGrip, bool formNormal, TPoint barBottomRight, TPoint formClientBottomRight) {
    return sizeGrip && formNormal && barBottomRight == formClientBottomRight;
}

int StatusPanelAt(const std::vector<TStatusPanelPlace>& places, TPoint p) {
    for (std::size_t i = 0; i < places.size(); ++i)
        if (places[i].Shown && places[i].Bounds.Contains(p)) return static_cast<int>(i);
    return -1;
}

}  // namespace skin
