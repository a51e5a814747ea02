// The 8-bit string list that keeps its lines and objects itself: optional sorting with binary search,
// duplicate rules, change events (the rules live in BasicStringList, shared with the wide list).
#pragma once
#include "classlib/core/BasicStringList.h"
#include "classlib/core/TStrings.h"

class TStringList;

namespace classlib::detail {
struct AnsiListCompare {
    static int Sensitive(const AnsiString& a, const AnsiString& b);
    static int Insensitive(const AnsiString& a, const AnsiString& b);
};
}  // namespace classlib::detail

using TStringListBase = classlib::BasicStringList<TStringList, TStrings, AnsiString, classlib::detail::AnsiListCompare>;
using TStringListSortCompare = TStringListBase::SortCompare;

class TStringList : public TStringListBase {
    CLASSLIB_CLASS(TStringList, TStrings)

public:
    TStringList() = default;
};
