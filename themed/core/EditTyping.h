// What the themed edit items decide while the user types into their field: which keys count as typing,
// whether a change of the text came from typing (and may be completed) or from a paste, which line of a
// list completes the typed text, and what part of the completed text is left selected.
#pragma once
#include <bitset>
#include <string>

namespace skin {

// Keys that type a character: space, digits and letters, the numeric keypad, and the punctuation keys.
bool IsPrintableKey(unsigned virtualKey);

// The printable keys held down in the field. A key counts once however often it repeats, and forgetting
// every key when the field loses the focus keeps a key released elsewhere from counting for ever; so a
// text change with no key down (a paste with the mouse) is never taken for typing.
class TTypedKeys {
public:
    void KeyDown(unsigned virtualKey);
    void KeyUp(unsigned virtualKey);
    void Reset() { down_.reset(); }
    bool Typing() const { return down_.any(); }
    int Count() const { return static_cast<int>(down_.count()); }

private:
    std::bitset<256> down_;
};

// The line that completes typed, -1 for none: lines are looked at in order and those shorter than typed
// skipped; among the lines that begin with typed (by matches(line, typed)) the shortest wins, the earlier
// one between equal lengths, and a line exactly as long as typed ends the search at once. An empty typed
// text finds nothing.
template <class Lines, class Matches>
int FindCompletion(const std::u16string& typed, const Lines& lines, int count, Matches matches) {
    if (typed.empty()) return -1;
    int best = -1;
    std::size_t bestLength = 0;
    for (int i = 0; i < count; ++i) {
        const std::u16string line = lines(i);
        if (line.size() < typed.size()) continue;
        if (best >= 0 && line.size() >= bestLength) continue;
        if (!matches(line, typed)) continue;
        best = i;
        bestLength = line.size();
        if (bestLength == typed.size()) break;
    }
    return best;
}

struct TTextSelection {
    int start = 0;
    int end = 0;
};
// After a completion the part the user did not type stays selected, so that typing on replaces it.
TTextSelection CompletionSelection(const std::u16string& typed, const std::u16string& completed);

}  // namespace skin
