#include "unicode/core/AutoCompleteMatch.h"

#include "classlib/core/CodePages.h"

namespace uni {

WideString TAutoCompleteSearch::Candidate(WideChar ch, std::uint32_t now) {
    // Unsigned difference: a tick count that wrapped still measures the gap.
    const bool fresh = !any_ || now - last_ > kAutoCompleteDelayMs;
    return (fresh ? WideString() : text_) + ch;
}

void TAutoCompleteSearch::Accept(WideChar ch, std::uint32_t now) {
    text_ = Candidate(ch, now);
    last_ = now;
    any_ = true;
}

void TAutoCompleteSearch::Backspace() {
    if (!text_.empty()) text_.pop_back();
}

int FindItemByPrefix(const std::vector<WideString>& items, std::u16string_view prefix) {
    if (prefix.empty()) return -1;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const WideString& item = items[i];
        if (item.size() >= prefix.size() &&
            CompareTextSystem(std::u16string_view(item).substr(0, prefix.size()), prefix) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

TCompletion CompleteTyped(std::u16string_view typed, std::u16string_view item) {
    TCompletion result;
    result.text = WideString(typed);
    if (item.size() > typed.size()) result.text += item.substr(typed.size());
    result.selStart = static_cast<int>(typed.size());
    result.selLength = static_cast<int>(result.text.size() - typed.size());
    return result;
}

}  // namespace uni
