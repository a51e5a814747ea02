#include "classlib/win/Win32CodePages.h"

#include "classlib/core/Checked.h"
#include "classlib/core/Format.h"
#include "classlib/win/Win32.h"
#include "classlib/win/WideChars.h"

namespace classlib {
namespace {

int Length(std::size_t n) { return CheckedCast<int>(n); }

int UnitOrder(std::u16string_view a, std::u16string_view b) { return a.compare(b); }

class TWin32CodePages final : public TCodePageBackend {
public:
    std::uint32_t AnsiCodePage() override { return GetACP(); }

    bool ToWide(std::string_view s, std::uint32_t codePage, WideString& out) override {
        const int n = MultiByteToWideChar(codePage, 0, s.data(), Length(s.size()), nullptr, 0);
        if (n <= 0) return false;
        out.assign(std::size_t(n), u'\0');
        return MultiByteToWideChar(codePage, 0, s.data(), Length(s.size()), WideBuffer(out), n) == n;
    }

    bool ToAnsi(std::u16string_view w, std::uint32_t codePage, AnsiString& out) override {
        const int n = WideCharToMultiByte(codePage, 0, WideChars(w), Length(w.size()), nullptr, 0, nullptr, nullptr);
        if (n <= 0) return false;
        out.assign(std::size_t(n), '\0');
        return WideCharToMultiByte(codePage, 0, WideChars(w), Length(w.size()), out.data(), n, nullptr, nullptr) == n;
    }

    int CompareWide(std::u16string_view a, std::u16string_view b, bool ignoreCase) override {
        const int r = CompareStringW(LOCALE_USER_DEFAULT, ignoreCase ? NORM_IGNORECASE : 0, WideChars(a),
                                     Length(a.size()), WideChars(b), Length(b.size()));
        // 0 means the call failed: fall back to the order of the code units rather than calling them equal.
        return r == 0 ? UnitOrder(a, b) : r - CSTR_EQUAL;
    }

    int CompareAnsi(std::string_view a, std::string_view b, bool ignoreCase) override {
        const int r = CompareStringA(LOCALE_USER_DEFAULT, ignoreCase ? NORM_IGNORECASE : 0, a.data(), Length(a.size()),
                                     b.data(), Length(b.size()));
        return r == 0 ? a.compare(b) : r - CSTR_EQUAL;
    }

    WideString UpperWide(std::u16string_view w) override {
        WideString r(w);
        if (!r.empty()) CharUpperBuffW(WideBuffer(r), DWORD(Length(r.size())));
        return r;
    }

    WideString LowerWide(std::u16string_view w) override {
        WideString r(w);
        if (!r.empty()) CharLowerBuffW(WideBuffer(r), DWORD(Length(r.size())));
        return r;
    }

    AnsiString UpperAnsi(std::string_view s) override {
        AnsiString r(s);
        if (!r.empty()) CharUpperBuffA(r.data(), DWORD(Length(r.size())));
        return r;
    }

    AnsiString LowerAnsi(std::string_view s) override {
        AnsiString r(s);
        if (!r.empty()) CharLowerBuffA(r.data(), DWORD(Length(r.size())));
        return r;
    }
};

char LocaleChar(LCTYPE type, char fallback) {
    char buf[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf) <= 1) return fallback;
    return buf[0];
}

}  // namespace

TCodePageBackend& Win32CodePageBackend() {
    static TWin32CodePages backend;
    return backend;
}

void InstallWin32CodePages() { SetCodePageBackend(&Win32CodePageBackend()); }

void LoadLocaleSeparators() {
    SetDecimalSeparator(LocaleChar(LOCALE_SDECIMAL, '.'));
    SetThousandSeparator(LocaleChar(LOCALE_STHOUSAND, ','));
}

}  // namespace classlib
