// Parses arbitrary bytes as a state file and reads everything it finds with every typed read.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/core/TKelvoSDFReader.h"
#include "classlib/core/Stream.h"

namespace {

void ReadAll(TKelvoSDFReader& r, const TKelvoSDFItems& items) {
    for (const TKelvoSDFElement& e : items.Values) {
        std::int32_t i;
        bool b;
        double d;
        WideString w;
        r.ReadInteger(e.ItemId, i);
        r.ReadBool(e.ItemId, b);
        r.ReadDouble(e.ItemId, d);
        r.ReadWideString(e.ItemId, w);
        std::vector<Byte> buf(e.Size);
        r.ReadBinary(e.ItemId, buf.data(), e.Size);
        r.ReadBinary(e.ItemId, buf.data(), 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<Byte> copy(data, data + size);
    TCustomMemoryStream view;
    view.SetPointer(copy.data(), std::int64_t(copy.size()));
    TKelvoSDFReader r(&view);
    ReadAll(r, r.Root());
    // Enter every node by its id from its parent and read its values, including the key as id 0.
    const auto& nodes = r.Nodes();
    for (std::size_t n = 0; n < nodes.size() && n < 4096; ++n) {
        r.Reset();
        std::vector<std::size_t> path;
        for (std::int32_t k = std::int32_t(n); k >= 0; k = nodes[std::size_t(k)].Parent) path.push_back(std::size_t(k));
        bool entered = true;
        for (auto it = path.rbegin(); it != path.rend() && entered; ++it)
            entered = r.OpenIntNode(nodes[*it].Element.ItemId);
        if (!entered) continue;
        ReadAll(r, nodes[n].Items);
        std::int32_t key;
        r.ReadInteger(0, key);
        r.CloseNode();
    }
    return 0;
}
