// Wide string properties in property streams: written as wide-string values (a 32-bit length and UTF-16),
// read back from a wide value or from an 8-bit one (widened from the system code page).
#pragma once
#include "classlib/core/TReader.h"
#include "classlib/core/TWriter.h"

namespace tb {

inline void WriteWideStringValue(TWriter& writer, const WideString& value) { writer.WriteWideString(value); }
inline WideString ReadWideStringValue(TReader& reader) { return reader.ReadWideString(); }

}  // namespace tb
