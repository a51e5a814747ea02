#include "toolbar/core/KeySearch.h"

namespace tb {

namespace {

struct TPass {
    bool accelerators;
    bool enabled;
};

bool Matches(const TKeySearchItem& item, const TPass& pass, char16_t key, TSameCharFn sameChar) {
    if (!item.candidate || item.enabled != pass.enabled) return false;
    if (pass.accelerators) return item.accel != 0 && sameChar(item.accel, key);
    return item.accel == 0 && key != u' ' && item.firstChar != 0 && sameChar(item.firstChar, key);
}

// The first match going round once from the viewer after from; -1 for none.
int NextMatch(const std::vector<TKeySearchItem>& items, int from, const TPass& pass, char16_t key,
              TSameCharFn sameChar) {
    const int n = static_cast<int>(items.size());
    int i = (from < 0 || from >= n) ? n - 1 : from;
    for (int step = 0; step < n; ++step) {
        i = (i + 1) % n;
        if (Matches(items[static_cast<std::size_t>(i)], pass, key, sameChar)) return i;
    }
    return -1;
}

}  // namespace

TKeySearchResult FindViewerByKey(const std::vector<TKeySearchItem>& items, int from, char16_t key,
                                 bool acceleratorsOnly, TSameCharFn sameChar) {
    static constexpr TPass kPasses[] = {{true, true}, {true, false}, {false, true}, {false, false}};
    TKeySearchResult result;
    for (const TPass& pass : kPasses) {
        if (acceleratorsOnly && !pass.accelerators) break;
        const int match = NextMatch(items, from, pass, key, sameChar);
        if (match < 0) continue;
        result.index = match;
        result.onlyMatch = !pass.enabled || NextMatch(items, match, pass, key, sameChar) == match;
        return result;
    }
    return result;
}

}  // namespace tb
