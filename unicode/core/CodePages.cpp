#include "unicode/core/CodePages.h"

#include <atomic>
#include <mutex>

#include "unicode/core/Utf7.h"
#include "unicode/core/Utf8.h"

namespace uni {
namespace {

std::mutex gConverterLock;
SystemCodePageConverter gConverter;
// 0 = not read yet.
std::atomic<int> gDefaultUserCodePage{0};

SystemCodePageConverter CurrentConverter() {
    std::lock_guard<std::mutex> lock(gConverterLock);
    return gConverter;
}

}  // namespace

SystemCodePageConverter SetSystemCodePageConverter(const SystemCodePageConverter& converter) {
    std::lock_guard<std::mutex> lock(gConverterLock);
    SystemCodePageConverter previous = gConverter;
    gConverter = converter;
    gDefaultUserCodePage = 0;
    return previous;
}

int DefaultUserCodePage() {
    int cp = gDefaultUserCodePage.load();
    if (cp != 0) return cp;
    const SystemCodePageConverter c = CurrentConverter();
    cp = c.ansiCodePage ? c.ansiCodePage() : 1252;
    gDefaultUserCodePage = cp;
    return cp;
}

WideString DecodeCodePage(const AnsiString& text, int codePage) {
    if (codePage == CP_UTF7_) return DecodeUtf7(text);
    if (codePage == CP_UTF8_) return DecodeUtf8(text);
    if (text.empty()) return WideString();
    const SystemCodePageConverter c = CurrentConverter();
    return c.toWide ? c.toWide(text, codePage) : WideString();
}

AnsiString EncodeCodePage(const WideString& text, int codePage) {
    if (codePage == CP_UTF7_) return EncodeUtf7(text);
    if (codePage == CP_UTF8_) return EncodeUtf8(text);
    if (text.empty()) return AnsiString();
    const SystemCodePageConverter c = CurrentConverter();
    return c.fromWide ? c.fromWide(text, codePage) : AnsiString();
}

void SwapUnitBytes(WideString& text) {
    for (char16_t& u : text) {
        if (u == 0) break;
        u = char16_t((u >> 8) | (u << 8));
    }
}

}  // namespace uni
