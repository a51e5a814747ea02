// Caption and hint texts of toolbar and menu items. In a caption a single "&" marks the accelerator (the
// character after it is underlined and reached with Alt) and "&&" stands for one literal "&"; a hint holds a
// short part and a long part separated by "|".
#pragma once
#include <cstdint>
#include <string_view>

#include "classlib/core/Types.h"

namespace tb {

// The character after the last single "&"; 0 when there is none, when the caption ends with a single "&",
// or when that character is half of a surrogate pair (no key produces it).
char16_t FindAccelChar(std::u16string_view caption);

// The caption as shown without underlines: single "&" marks removed, "&&" turned into "&".
WideString StripAccelChars(std::u16string_view caption);
// The same for an 8-bit caption in a multibyte code page: a lead byte and the byte after it are one
// character and never read as a "&" (a lead byte in the last position stays as it is).
using TLeadByteTest = bool (*)(unsigned char byte);
AnsiString StripAccelChars(std::string_view caption, TLeadByteTest isLeadByte);

// Every "&" doubled, so that a text (a file name in a menu) shows as it stands.
WideString EscapeAmpersandsW(std::u16string_view text);

// A menu text used as a label elsewhere: one trailing ":" removed from a text of two or more characters;
// otherwise a trailing "..." removed from a text of four or more.
WideString StripTrailingPunctuationW(std::u16string_view text);

// The part of a hint before the first "|" (the whole hint when there is none).
WideString GetShortHintW(std::u16string_view hint);
// The part after the first "|"; empty when there is none.
WideString GetLongHintW(std::u16string_view hint);

// a / b, rounded away from zero when there is a remainder. Raises EDivByZero for b = 0 and EIntOverflow
// for the one quotient that does not fit (INT32_MIN / -1).
std::int32_t DivRoundUp(std::int32_t a, std::int32_t b);

// A wide caption as 7-bit-safe ANSI text in codePage: "\" becomes "\\", and a character above 126 that does
// not come back unchanged from the code page becomes "\#", its code in upper-case hex (two digits at least)
// and ";".
AnsiString WideToEscapedAnsi(std::u16string_view text, std::uint32_t codePage);

}  // namespace tb
