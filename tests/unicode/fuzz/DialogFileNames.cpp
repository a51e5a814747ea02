// The dialog's name buffer and the filter text, from any bytes: the parser reads only the buffer it is
// given, every name it returns lies inside it, and a filter round-trips through its zero-separated form.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "unicode/core/FileDialogText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::uint8_t mode = data[0];
    ++data;
    --size;
    // An exactly sized heap copy: ASan catches any read past its end.
    std::vector<char16_t> buf(size / 2);
    if (!buf.empty()) std::memcpy(buf.data(), data, buf.size() * 2);
    const bool multi = (mode & 1) != 0;
    const char16_t sep = (mode & 2) ? u' ' : u'\0';
    const uni::TDialogFileNames names = uni::ReadDialogFileNames(buf.data(), buf.size(), multi, sep);
    if (names.files.empty()) std::abort();
    std::size_t total = 0;
    for (const auto& f : names.files) total += f.size();
    // Each joined name is the folder (at most the buffer, plus one "\") and a part of the buffer.
    if (total > names.files.size() * (2 * buf.size() + 1)) std::abort();

    const std::u16string_view filter(buf.data(), buf.size());
    if (filter.find(u'\0') == filter.npos && !filter.empty()) {
        const WideString text = uni::DialogFilterText(filter);
        if (text.size() != filter.size() + 2 || text[text.size() - 1] != 0 || text[text.size() - 2] != 0) std::abort();
        for (std::size_t i = 0; i < filter.size(); ++i)
            if ((filter[i] == u'|' ? u'\0' : filter[i]) != text[i]) std::abort();
    }
    const WideString dir = uni::TrimInitialDir(filter);
    if (dir.size() + 1 < filter.size()) std::abort();
    return 0;
}
