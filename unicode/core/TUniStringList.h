// The Unicode layer's wide string list that keeps its lines and objects itself: optional sorting with
// binary search, duplicate rules and change events, by the same rules as the class library's 8-bit list.
#pragma once
#include "classlib/core/BasicStringList.h"
#include "unicode/core/TUniStrings.h"

class TUniStringList;

namespace uni::detail {
struct WideListCompare {
    static int Sensitive(const WideString& a, const WideString& b);
    static int Insensitive(const WideString& a, const WideString& b);
};
}  // namespace uni::detail

using TUniStringListBase =
    classlib::BasicStringList<TUniStringList, TUniStrings, WideString, uni::detail::WideListCompare>;
using TUniStringListSortCompare = TUniStringListBase::SortCompare;

class TUniStringList : public TUniStringListBase {
    CLASSLIB_CLASS(TUniStringList, TUniStrings)

public:
    TUniStringList() = default;
};
