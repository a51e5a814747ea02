#include "unicode/core/HotKeys.h"

#include "classlib/core/CodePages.h"

namespace uni {

int HotkeyPosW(std::u16string_view caption) {
    int found = 0;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (i + 1 >= caption.size()) break;
        if (caption[i + 1] == u'&') {
            ++i;  // a literal "&"
            continue;
        }
        found = static_cast<int>(i + 2);
        ++i;
    }
    return found;
}

WideString HotkeyCharW(std::u16string_view caption) {
    const int pos = HotkeyPosW(caption);
    return pos == 0 ? WideString() : WideString(1, caption[static_cast<std::size_t>(pos - 1)]);
}

WideString StripHotkeyW(std::u16string_view caption, bool farEast) {
    WideString text(caption);
    if (farEast) {
        // "(&X)" after the first character: the group names the hot key of a caption in a script without
        // Latin letters, and goes whole.
        const std::size_t open = text.find(u"(&");
        if (open != WideString::npos && open >= 1 && open + 3 < text.size() && text[open + 2] != u'&' &&
            text[open + 3] == u')')
            text.erase(open, 4);
    }
    WideString result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&') {
                result += u'&';
                ++i;
            }
            continue;
        }
        result += text[i];
    }
    return result;
}

bool SameCaptionW(std::u16string_view a, std::u16string_view b, bool farEast) {
    return CompareTextSystem(StripHotkeyW(a, farEast), StripHotkeyW(b, farEast)) == 0;
}

bool SameCaptionCaseW(std::u16string_view a, std::u16string_view b, bool farEast) {
    return StripHotkeyW(a, farEast) == StripHotkeyW(b, farEast);
}

bool IsHotkeyCharW(WideChar typed, std::u16string_view caption) {
    const WideString hot = HotkeyCharW(caption);
    return !hot.empty() && classlib::SimpleUpper(hot[0]) == classlib::SimpleUpper(typed);
}

}  // namespace uni
