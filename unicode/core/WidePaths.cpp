#include "unicode/core/WidePaths.h"

#include <string>

#include "classlib/core/Paths.h"
#include "classlib/core/StringUtils.h"

namespace uni {
namespace {

// Index just after the last "\" or ":", 0 when there is neither.
std::size_t NameStart(const WideString& name) {
    const std::size_t p = name.find_last_of(kWidePathDelimiters);
    return p == WideString::npos ? 0 : p + 1;
}

// Index of the extension's dot, npos when the name part has no dot.
std::size_t ExtStart(const WideString& name) {
    const std::size_t dot = name.rfind(u'.');
    if (dot == WideString::npos || dot < NameStart(name)) return WideString::npos;
    return dot;
}

}  // namespace

WideString AddTrailingBackslashW(const WideString& name) {
    if (!name.empty() && name.back() == u'\\') return name;
    return name + u'\\';
}

WideString RemoveTrailingBackslashW(const WideString& name) {
    if (!name.empty() && name.back() == u'\\') return name.substr(0, name.size() - 1);
    return name;
}

WideString FilePathOfW(const WideString& name) { return name.substr(0, NameStart(name)); }

WideString FileNameOfW(const WideString& name) { return name.substr(NameStart(name)); }

WideString FileExtOfW(const WideString& name) {
    const std::size_t dot = ExtStart(name);
    return dot == WideString::npos ? WideString() : name.substr(dot);
}

WideString ReplaceFileExtW(const WideString& name, const WideString& ext) {
    const std::size_t dot = ExtStart(name);
    return (dot == WideString::npos ? name : name.substr(0, dot)) + ext;
}

std::vector<WideString> SplitAtCharW(const WideString& text, WideChar separator) {
    std::vector<WideString> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t p = text.find(separator, start);
        if (p == WideString::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, p - start));
        start = p + 1;
    }
}

WideString SystemErrorTextFromRaw(const WideString& systemText, std::uint32_t code, const WideString& source) {
    auto blank = [](char16_t c) { return c <= u' '; };
    std::size_t b = 0, e = systemText.size();
    while (b < e && blank(systemText[b])) ++b;
    while (e > b && blank(systemText[e - 1])) --e;
    if (b < e) return systemText.substr(b, e - b);
    return u"Unspecified error (" + WidenBytes(std::to_string(std::int32_t(code))) + u") from " + source + u".";
}

}  // namespace uni
