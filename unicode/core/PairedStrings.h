// A wide text kept beside its 8-bit twin, which the class library may change on its own. The wide text
// holds unless the 8-bit side no longer matches it; then the 8-bit side wins.
#pragma once
#include <functional>

#include "classlib/core/Types.h"

namespace uni {

// Brings wideStr in step with ansiStr (when the 8-bit form of wideStr differs from ansiStr, wideStr becomes
// ansiStr widened) and returns it.
WideString ReadPairedWideString(WideString& wideStr, const AnsiString& ansiStr);

// Sets both sides to value. Nothing happens when value already is the synced wide text. When value does not
// survive the system code page and its 8-bit form equals the present 8-bit text, setAnsi is first called
// with an empty text, so that whoever watches the 8-bit side sees a change.
void WritePairedWideString(const WideString& value, WideString& wideStr, const AnsiString& ansiStr,
                           const std::function<void(const AnsiString&)>& setAnsi);

}  // namespace uni
