// UTF-8 between UTF-16 and 8-bit strings.
#pragma once
#include "classlib/core/Types.h"

namespace uni {

// Encodes UTF-16 as UTF-8; a surrogate pair becomes one four-byte sequence. A surrogate unit without its
// partner cannot be represented and is written as U+FFFD.
AnsiString EncodeUtf8(const WideString& text);

// Decodes UTF-8 to UTF-16; characters above U+FFFF become surrogate pairs. Malformed input never raises:
// each maximal ill-formed part (a stray continuation byte, a truncated sequence, an overlong form, an
// encoded surrogate, a value above U+10FFFF, the bytes C0, C1, F5-FF) becomes one U+FFFD, as the system
// conversion does.
WideString DecodeUtf8(const AnsiString& text);

}  // namespace uni
