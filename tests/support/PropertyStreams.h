// Writing and reading a persistent object's properties through the property stream, for tests of stream entries.
#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "classlib/core/Stream.h"
#include "classlib/core/TReader.h"
#include "classlib/core/TWriter.h"

namespace testsupport {

inline std::vector<Byte> StreamBytes(TMemoryStream& s) {
    const Byte* b = static_cast<const Byte*>(s.Memory());
    return std::vector<Byte>(b, b + s.Size());
}

// The properties of p as the stream holds them (followed by the list end); an ancestor leaves out what it shares.
inline std::vector<Byte> WriteProperties(TPersistent* p, TPersistent* ancestor = nullptr) {
    TMemoryStream s;
    TWriter w(s);
    w.SetAncestor(ancestor);
    w.WriteProperties(p);
    w.WriteListEnd();
    return StreamBytes(s);
}

inline void ReadProperties(const std::vector<Byte>& bytes, TPersistent* p) {
    TCustomMemoryStream s;
    s.SetPointer(const_cast<Byte*>(bytes.data()), std::int64_t(bytes.size()));
    TReader r(s);
    r.ReadProperties(p);
}

inline bool ContainsText(const std::vector<Byte>& bytes, const std::string& text) {
    return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
}

}  // namespace testsupport
