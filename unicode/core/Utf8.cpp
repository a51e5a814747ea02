#include "unicode/core/Utf8.h"

#include "classlib/core/CodePages.h"

namespace uni {

AnsiString EncodeUtf8(const WideString& text) { return Utf8Encode(text); }

WideString DecodeUtf8(const AnsiString& text) { return Utf8Decode(text); }

}  // namespace uni
