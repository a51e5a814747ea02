// Typing into a combo box with auto-completion, in UTF-16 units and without the window: the search text a
// drop-down list collects, and the completion an edit style offers.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "classlib/core/Types.h"

namespace uni {

// Keys typed further apart than this start a new search.
inline constexpr std::uint32_t kAutoCompleteDelayMs = 1250;

// The search text of a drop-down list: characters typed in quick succession.
class TAutoCompleteSearch {
public:
    // The text to look up when ch is typed at now (ms): the kept text plus ch, or ch alone once the delay
    // passed. Accept keeps it (the character found an item).
    WideString Candidate(WideChar ch, std::uint32_t now);
    void Accept(WideChar ch, std::uint32_t now);
    void Backspace();
    const WideString& Text() const { return text_; }

private:
    WideString text_;
    std::uint32_t last_ = 0;
    bool any_ = false;
};

// The first item that begins with prefix, ignoring case; -1 when none (or prefix is empty).
int FindItemByPrefix(const std::vector<WideString>& items, std::u16string_view prefix);

// An edit style's completion: the typed text followed by the rest of item, and where the selected rest
// starts and how long it is.
struct TCompletion {
    WideString text;
    int selStart = 0;
    int selLength = 0;
};
TCompletion CompleteTyped(std::u16string_view typed, std::u16string_view item);

}  // namespace uni
