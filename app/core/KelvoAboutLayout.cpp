#include "app/core/KelvoAboutLayout.h"
#include "app/core/KelvoTextIds.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsSeparator(char16_t c) { return c == u'/' || c == u':' || c == u'\\'; }

}  // namespace

WideString KelvoAboutLinkHost(const WideString& text) {
    const std::size_t colon = text.find(u':');
    if (colon == WideString::npos) return text;
    std::size_t begin = colon + 1;
    while (begin < text.size() && IsSeparator(text[begin])) ++begin;
    std::size_t end = begin;
    while (end < text.size() && !IsSeparator(text[end])) ++end;
    return text.substr(begin, end - begin);
}

WideString KelvoAboutLabelText(const TKelvoAboutEntry& entry, const WideString& text) {
    WideString shown = entry.Flags & KelvoAboutLink ? KelvoAboutLinkHost(text) : text;
    if (entry.Flags & KelvoAboutColon) shown += u':';
    return shown;
}

int TKelvoAboutLayout::Scale(int v) const {
    if (m_.PictureWidth <= 0) return v;
    // MulDiv's rounding, without overflow for any int32 position.
    const long long product = static_cast<long long>(v) * m_.ShownWidth;
    const long long half = m_.PictureWidth / 2;
    const long long rounded = product >= 0 ? (product + half) / m_.PictureWidth : (product - half) / m_.PictureWidth;
    return static_cast<int>(std::clamp<long long>(rounded, INT32_MIN, INT32_MAX));
}

TKelvoAboutPlace TKelvoAboutLayout::Next(const TKelvoAboutEntry& entry) {
    TKelvoAboutPlace place;
    if (entry.Flags & KelvoAboutSameLine) {
        place.Left = previousRight_ + m_.AverageCharWidth;
        place.Top = previousTop_;
    } else {
        if (entry.Left != 0) blockLeft_ = Scale(entry.Left);
        place.Left = blockLeft_;
        place.Top = entry.Top != 0 ? Scale(entry.Top) : runningY_ + 2 * m_.ExternalLeading;
        const int lineHeight = m_.TextHeight + m_.ExternalLeading;
        runningY_ = place.Top + static_cast<int>(std::lround(double(lineHeight) * double(entry.Spacing)));
    }
    if (entry.Width != 0) place.Width = Scale(entry.Width);
    if (entry.Height != 0) place.Height = Scale(entry.Height);
    previousTop_ = place.Top;
    return place;
}

std::vector<std::int32_t> KelvoAboutTabs(const TKelvoAboutEntry* entries, int count) {
    std::vector<std::int32_t> tabs{0};
    for (int i = 0; i < count; ++i)
        if (entries[i].TabIndex > 0 && std::find(tabs.begin(), tabs.end(), entries[i].TabIndex) == tabs.end())
            tabs.push_back(entries[i].TabIndex);
    return tabs;
}

bool KelvoAboutLabelShows(const std::vector<std::int32_t>& tabs, int selected, std::int32_t tabIndex) {
    if (tabIndex < 0) return true;
    return selected >= 0 && selected < static_cast<int>(tabs.size()) &&
           tabs[static_cast<std::size_t>(selected)] == tabIndex;
}

std::int32_t KelvoAboutTabTextId(std::int32_t tabIndex) {
    switch (tabIndex) {
        case 0: return KelvoTextAbout;
        case 1: return KelvoTextAboutSecondTab;
        case 2: return KelvoTextAboutThirdTab;
        default: return 0;
    }
}
