// UTF-8 between UTF-16 and 8-bit strings: the class library's coder.
#pragma once
#include "classlib/core/Types.h"

namespace uni {

// A surrogate pair becomes one four-byte sequence; a surrogate without its partner is written as U+FFFD.
AnsiString EncodeUtf8(const WideString& text);

// Malformed input never raises: what cannot be decoded becomes U+FFFD; characters above U+FFFF become
// surrogate pairs.
WideString DecodeUtf8(const AnsiString& text);

}  // namespace uni
