// The sort and the binary search that every list of the library shares (pointer lists, 8-bit and wide string
// lists), so that they order and find items exactly alike.
#pragma once

namespace classlib {

// Quicksort of the index range lo..hi with the middle item as pivot; not stable, so callers that need a fixed
// order add a tie-break. compare(i, p) compares item i with item p, exchange(i, j) swaps two items. The pivot is
// followed by index as items move, and the scans stop at the range ends, so a compare that is not a consistent
// order cannot walk them out of the list.
template <class Compare, class Exchange>
void QuickSortIndexes(int lo, int hi, const Compare& compare, const Exchange& exchange) {
    while (lo < hi) {
        int i = lo;
        int j = hi;
        int p = (lo + hi) >> 1;
        do {
            while (i < hi && compare(i, p) < 0) ++i;
            while (j > lo && compare(j, p) > 0) --j;
            if (i <= j) {
                exchange(i, j);
                if (p == i) {
                    p = j;
                } else if (p == j) {
                    p = i;
                }
                ++i;
                --j;
            }
        } while (i <= j);
        if (lo < j) QuickSortIndexes(lo, j, compare, exchange);
        lo = i;
    }
}

// Binary search of count sorted items; compareWithKey(i) compares item i with the key. Returns whether the key
// was found; index is where it stands, or where it would be inserted. With stopAtEqual the search ends at the
// first equal item it meets (a list without duplicates has one); without, it goes on to the first of them.
template <class CompareWithKey>
bool FindSorted(int count, bool stopAtEqual, const CompareWithKey& compareWithKey, int& index) {
    bool found = false;
    int lo = 0;
    int hi = count - 1;
    while (lo <= hi) {
        const int mid = (lo + hi) >> 1;
        const int c = compareWithKey(mid);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (stopAtEqual) lo = mid;
            }
        }
    }
    index = lo;
    return found;
}

}  // namespace classlib
