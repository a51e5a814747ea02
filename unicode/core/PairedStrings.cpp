#include "unicode/core/PairedStrings.h"

#include "unicode/core/CodePages.h"

namespace uni {

WideString ReadPairedWideString(WideString& wideStr, const AnsiString& ansiStr) {
    if (EncodeCodePage(wideStr, 0) != ansiStr) wideStr = DecodeCodePage(ansiStr, 0);
    return wideStr;
}

void WritePairedWideString(const WideString& value, WideString& wideStr, const AnsiString& ansiStr,
                           const std::function<void(const AnsiString&)>& setAnsi) {
    if (value == ReadPairedWideString(wideStr, ansiStr)) return;
    const AnsiString narrow = EncodeCodePage(value, 0);
    // The ANSI text is copied before setAnsi runs: the caller's 8-bit string may be the very one it changes.
    const AnsiString current = ansiStr;
    if (DecodeCodePage(narrow, 0) != value && narrow == current) setAnsi(AnsiString());
    wideStr = value;
    setAnsi(narrow);
}

}  // namespace uni
