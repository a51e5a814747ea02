// Reads arbitrary bytes as the editor's state node: the recent files never exceed the list's size, every name
// is one a string item held, and the reader ends at the root.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/core/KelvoDocumentRules.h"
#include "app/core/TKelvoSDFReader.h"
#include "classlib/core/Stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<Byte> copy(data, data + size);
    TCustomMemoryStream view;
    view.SetPointer(copy.data(), std::int64_t(copy.size()));
    TKelvoSDFReader reader(&view);
    std::vector<std::u16string> names;
    LoadRecentFiles(reader, names);
    if (names.size() > std::size_t(KelvoRecentFilesMax) || !reader.AtRoot()) std::abort();
    for (const std::u16string& n : names)
        if (n.empty()) std::abort();
    return 0;
}
