// UTF-7 (RFC 2152) between UTF-16 and 8-bit text, in the form this program writes it: the optional direct
// characters are written directly and a shifted run is closed with "-" only where the next character
// would otherwise be read as part of it.
#pragma once
#include "classlib/core/Types.h"

namespace uni {

// Encodes every 16-bit unit on its own (a surrogate pair becomes two shifted units).
AnsiString EncodeUtf7(const WideString& text);

// Decodes UTF-7. Raises EUniGeneralError "Invalid UTF7" when the input is malformed: a byte above 127,
// an empty shifted run ("+" followed by neither a base64 character nor "-"), or a shifted run that ends
// with bits left over that are not zero.
WideString DecodeUtf7(const AnsiString& text);

// True when c belongs to the base64 alphabet of UTF-7 (A-Z, a-z, 0-9, "+", "/").
bool IsUtf7Base64Char(char c);

}  // namespace uni
