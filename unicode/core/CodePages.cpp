#include "unicode/core/CodePages.h"

#include "classlib/core/CodePages.h"
#include "classlib/core/Exceptions.h"
#include "unicode/core/Utf7.h"
#include "unicode/core/Utf8.h"

namespace uni {

int DefaultUserCodePage() { return int(SystemAnsiCodePage()); }

WideString DecodeCodePage(const AnsiString& text, int codePage) {
    if (codePage == CP_UTF7_) return DecodeUtf7(text);
    if (codePage == CP_UTF8_) return DecodeUtf8(text);
    if (text.empty() || codePage < 0) return WideString();
    try {
        return AnsiToWide(text, std::uint32_t(codePage));
    } catch (const EConvertError&) {
        return WideString();
    }
}

AnsiString EncodeCodePage(const WideString& text, int codePage) {
    if (codePage == CP_UTF7_) return EncodeUtf7(text);
    if (codePage == CP_UTF8_) return EncodeUtf8(text);
    if (text.empty() || codePage < 0) return AnsiString();
    try {
        return WideToAnsi(text, std::uint32_t(codePage));
    } catch (const EConvertError&) {
        return AnsiString();
    }
}

void SwapUnitBytes(WideString& text) {
    for (char16_t& u : text) {
        if (u == 0) break;
        u = char16_t((u >> 8) | (u << 8));
    }
}

}  // namespace uni
