// How wide text files are told apart by their first bytes, and how their text is read.
#pragma once
#include "classlib/core/Stream.h"
#include "classlib/core/Types.h"

enum class StreamCharSet { Ansi = 0, Utf16LE = 1, Utf16BE = 2, Utf8 = 3 };

namespace uni {

// Looks at the bytes from the stream's position: FF FE is UTF-16LE and FE FF UTF-16BE (the stream then
// stands after these two bytes), EF BB BF is UTF-8 (the stream stands after them); anything else is
// 8-bit text in the system code page and the position is left unchanged.
StreamCharSet DetectStreamCharSet(TStream& stream);

// Reads the rest of the stream as text of the given character set: UTF-16 as whole units (a last odd
// byte is dropped), UTF-8 decoded, 8-bit text converted from the system ANSI code page.
WideString ReadStreamText(TStream& stream, StreamCharSet charSet);

}  // namespace uni
