#include "unicode/core/StreamCharSet.h"

#include <cstring>

#include "classlib/core/Checked.h"
#include "unicode/core/CodePages.h"
#include "unicode/core/Utf8.h"

namespace uni {

StreamCharSet DetectStreamCharSet(TStream& stream) {
    const std::int64_t start = stream.Position();
    const std::int64_t left = stream.Size() - start;
    unsigned char mark[3] = {};
    if (left >= 2) {
        stream.ReadBuffer(mark, 2);
        if (mark[0] == 0xFF && mark[1] == 0xFE) return StreamCharSet::Utf16LE;
        if (mark[0] == 0xFE && mark[1] == 0xFF) return StreamCharSet::Utf16BE;
        stream.SetPosition(start);
    }
    if (left > 2) {
        stream.ReadBuffer(mark, 3);
        if (mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF) return StreamCharSet::Utf8;
        stream.SetPosition(start);
    }
    return StreamCharSet::Ansi;
}

WideString ReadStreamText(TStream& stream, StreamCharSet charSet) {
    const std::int64_t left = stream.Size() - stream.Position();
    if (left <= 0) return WideString();
    const std::int32_t n = CheckedCast<std::int32_t>(left);
    if (charSet == StreamCharSet::Utf16LE || charSet == StreamCharSet::Utf16BE) {
        WideString text(std::size_t(n / 2), u'\0');
        if (!text.empty()) stream.ReadBuffer(text.data(), CheckedMul<std::int32_t>(std::int32_t(text.size()), 2));
        // The units were read in the machine's order, which is little-endian on every target.
        if (charSet == StreamCharSet::Utf16BE)
            for (char16_t& u : text) u = char16_t((u >> 8) | (u << 8));
        return text;
    }
    AnsiString bytes(std::size_t(n), '\0');
    stream.ReadBuffer(bytes.data(), n);
    return charSet == StreamCharSet::Utf8 ? DecodeUtf8(bytes) : DecodeCodePage(bytes, 0);
}

}  // namespace uni
