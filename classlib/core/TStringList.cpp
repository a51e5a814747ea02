#include "classlib/core/TStringList.h"

#include "classlib/core/StringUtils.h"

int classlib::detail::AnsiListCompare::Sensitive(const AnsiString& a, const AnsiString& b) {
    return AnsiCompareStr(a, b);
}

int classlib::detail::AnsiListCompare::Insensitive(const AnsiString& a, const AnsiString& b) {
    return CompareTextSystem(a, b);
}
