#include "unicode/core/TUniStringList.h"

#include "classlib/core/CodePages.h"

int uni::detail::WideListCompare::Sensitive(const WideString& a, const WideString& b) { return WideCompareStr(a, b); }

int uni::detail::WideListCompare::Insensitive(const WideString& a, const WideString& b) {
    return CompareTextSystem(a, b);
}
