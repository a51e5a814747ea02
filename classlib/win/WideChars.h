// The one bridge between the program's UTF-16 text (char16_t: WideString, std::u16string_view) and the
// system's wide calls, which take wchar_t (UTF-16 on Windows as well).
//
//   ::SetWindowTextW(wnd, WideCStr(caption));                 // a zero-terminated argument: a WideString
//   ::DrawTextW(dc, WideChars(view), int(view.size()), ...);  // a counted one: any view, which may have no zero
//   ::GetWindowTextW(wnd, WideBuffer(text), length + 1);      // a buffer the system fills
//   const WideString name = FromWideChars(found.cFileName);   // text the system gives back
#pragma once
#include <cstddef>
#include <string_view>

#include "classlib/core/Types.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the system's wide characters are UTF-16 units");

// The zero-terminated text of s (a WideString always carries its terminator).
inline const wchar_t* WideCStr(const WideString& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
inline const wchar_t* WideCStr(const char16_t* s) { return reinterpret_cast<const wchar_t*>(s); }
// The characters of s, for a call that is given their number too: a view need not end in a zero.
inline const wchar_t* WideChars(std::u16string_view s) { return reinterpret_cast<const wchar_t*>(s.data()); }
// The characters of s for the system to write into (its size, plus the terminator WideString keeps).
inline wchar_t* WideBuffer(WideString& s) { return reinterpret_cast<wchar_t*>(s.data()); }
inline wchar_t* WideBuffer(char16_t* s) { return reinterpret_cast<wchar_t*>(s); }

// The text up to the zero of s (empty for a null pointer).
inline WideString FromWideChars(const wchar_t* s) {
    return s ? WideString(reinterpret_cast<const char16_t*>(s)) : WideString();
}
// The first count characters of s.
inline WideString FromWideChars(const wchar_t* s, std::size_t count) {
    return WideString(reinterpret_cast<const char16_t*>(s), count);
}
// The same characters seen as UTF-16 units, not copied.
inline const char16_t* FromWideData(const wchar_t* s) { return reinterpret_cast<const char16_t*>(s); }
