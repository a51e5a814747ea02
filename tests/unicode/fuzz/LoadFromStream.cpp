// Loads arbitrary bytes as a wide text file: character-set detection by byte-order mark, then the text of
// that character set. Nothing may be read past the stream, and a text saved as UTF-16 with its mark must
// load back unchanged.
#include <cstdint>
#include <cstdlib>

#include "unicode/core/StreamCharSet.h"
#include "unicode/core/TUniStringList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TCustomMemoryStream stream;
    stream.SetPointer(const_cast<std::uint8_t*>(data), std::int64_t(size));
    // The first byte chooses a start position, so detection is also tried from inside the stream.
    const std::int64_t start = size > 0 ? data[0] % (std::int64_t(size) + 1) : 0;
    stream.SetPosition(start);
    const StreamCharSet cs = uni::DetectStreamCharSet(stream);
    const std::int64_t afterMark = stream.Position();
    const std::int64_t expected = cs == StreamCharSet::Ansi ? start : cs == StreamCharSet::Utf8 ? start + 3 : start + 2;
    if (afterMark != expected) std::abort();
    const WideString text = uni::ReadStreamText(stream, cs);
    if (stream.Position() > std::int64_t(size)) std::abort();
    if (cs != StreamCharSet::Ansi && text.size() > size) std::abort();

    TMemoryStream saved;
    const unsigned char mark[2] = {0xFF, 0xFE};
    saved.WriteBuffer(mark, 2);
    if (!text.empty()) saved.WriteBuffer(text.data(), std::int32_t(text.size() * 2));
    saved.SetPosition(0);
    if (uni::DetectStreamCharSet(saved) != StreamCharSet::Utf16LE) std::abort();
    if (uni::ReadStreamText(saved, StreamCharSet::Utf16LE) != text) std::abort();

    // The whole list: load the same bytes, save them with the mark and load them back unchanged.
    TUniStringList list;
    stream.SetPosition(0);
    list.LoadFromStream(stream);
    TMemoryStream again;
    list.SaveToStream(again);
    again.SetPosition(0);
    TUniStringList back;
    back.LoadFromStream(again);
    if (back.Count() != list.Count()) std::abort();
    for (int i = 0; i < list.Count(); ++i)
        if (back[i] != list[i]) std::abort();
    return 0;
}
