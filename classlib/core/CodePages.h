// Conversions between 8-bit text in a Windows code page and UTF-16, UTF-8 coding, and the comparisons and case
// mappings that depend on the system locale.
//
// Platform-free code calls only these functions. Natively they run on built-in tables (code pages 1252 and 1251,
// UTF-8, plus any single-byte table registered with RegisterSingleByteCodePage) and on simple case folding; the
// Windows build installs a backend over the system's conversion and comparison calls (classlib/win/Win32CodePages.h),
// so the same calls then follow the system exactly.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "classlib/core/Types.h"

// Code page numbers with a meaning of their own. Code page 0 always means the system ANSI code page.
constexpr std::uint32_t CodePageSystemAnsi = 0;
constexpr std::uint32_t CodePageUtf7 = 65000;
constexpr std::uint32_t CodePageUtf8 = 65001;

// What the Windows build replaces: conversions, comparisons and case mappings of the running system.
class TCodePageBackend {
public:
    virtual ~TCodePageBackend() = default;
    virtual std::uint32_t AnsiCodePage() = 0;
    // False when the code page is not available; the caller then raises.
    virtual bool ToWide(std::string_view s, std::uint32_t codePage, WideString& out) = 0;
    virtual bool ToAnsi(std::u16string_view w, std::uint32_t codePage, AnsiString& out) = 0;
    // <0, 0 or >0 in the user's locale, like the system's string comparison.
    virtual int CompareWide(std::u16string_view a, std::u16string_view b, bool ignoreCase) = 0;
    virtual int CompareAnsi(std::string_view a, std::string_view b, bool ignoreCase) = 0;
    virtual WideString UpperWide(std::u16string_view w) = 0;
    virtual WideString LowerWide(std::u16string_view w) = 0;
    virtual AnsiString UpperAnsi(std::string_view s) = 0;
    virtual AnsiString LowerAnsi(std::string_view s) = 0;
};

// Installs a backend (not owned; it must outlive its use); nullptr goes back to the built-in tables.
void SetCodePageBackend(TCodePageBackend* backend);
TCodePageBackend* GetCodePageBackend();

// The system ANSI code page: the backend's, or natively the value set by SetSystemAnsiCodePage (1252 at start).
std::uint32_t SystemAnsiCodePage();
// Natively: chooses the code page that code page 0 stands for (tests use 1251 to imitate a Cyrillic system).
void SetSystemAnsiCodePage(std::uint32_t codePage);

// Adds a single-byte code page to the built-in tables: upperHalf[i] is the character of byte 128 + i;
// bytes below 128 are ASCII.
void RegisterSingleByteCodePage(std::uint32_t codePage, const std::array<char16_t, 128>& upperHalf);

// 8-bit text in codePage (0 = system ANSI code page) to UTF-16 and back. Characters that the code page lacks become
// '?' (natively; the system may choose a similar-looking character). An unknown code page raises EConvertError.
WideString AnsiToWide(std::string_view s, std::uint32_t codePage = CodePageSystemAnsi);
AnsiString WideToAnsi(std::u16string_view w, std::uint32_t codePage = CodePageSystemAnsi);

// UTF-16 to UTF-8: an unpaired surrogate is written as U+FFFD.
AnsiString Utf8Encode(std::u16string_view w);
// UTF-8 to UTF-16: each byte that does not start a valid, complete, shortest sequence becomes one U+FFFD.
WideString Utf8Decode(std::string_view s);

// Locale comparisons of wide strings: <0, 0, >0. Natively by code unit after simple case folding.
int WideCompareStr(std::u16string_view a, std::u16string_view b);
int CompareTextSystem(std::u16string_view a, std::u16string_view b);  // see StringUtils.h
bool SameTextSystem(std::u16string_view a, std::u16string_view b);
WideString WideUpperCase(std::u16string_view w);
WideString WideLowerCase(std::u16string_view w);

namespace classlib {
// The built-in case mapping of one UTF-16 unit (ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic letters).
char16_t SimpleUpper(char16_t c);
char16_t SimpleLower(char16_t c);
}  // namespace classlib
