// Finding an item of an open menu or toolbar by a typed character: first by the accelerators of the
// enabled items, then of the disabled ones, then by the first letters of captions without an accelerator
// (enabled, then disabled). Each pass runs once round the viewers, starting after the current one.
#pragma once
#include <vector>

namespace tb {

struct TKeySearchItem {
    // Shown or clipped by menu scrolling, selectable, visible, with a shown and non-empty caption.
    bool candidate = false;
    bool enabled = false;
    char16_t accel = 0;      // the caption's accelerator character, 0 for none
    char16_t firstChar = 0;  // the caption's first character
};

struct TKeySearchResult {
    int index = -1;  // -1: no match
    // The match is the only one of its kind: among enabled items, the next match after it is itself;
    // a match among disabled items always counts as the only one.
    bool onlyMatch = false;
};

// Compares two characters without regard to case.
using TSameCharFn = bool (*)(char16_t a, char16_t b);

// from: the selected viewer (-1: none, the search starts at the first viewer).
TKeySearchResult FindViewerByKey(const std::vector<TKeySearchItem>& items, int from, char16_t key,
                                 bool acceleratorsOnly, TSameCharFn sameChar);

}  // namespace tb
