// Feeds arbitrary bytes to the PNG reader. Whatever it decodes must also survive a write and a second
// read unchanged, so the writer's choice of encoding is exercised on every decoded image too.
#include <cstdint>
#include <cstring>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "classlib/core/Stream.h"
#include "themed/core/TPNGReader.h"
#include "themed/core/TPNGWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TCustomMemoryStream in;
    in.SetPointer(const_cast<std::uint8_t*>(data), std::int64_t(size));
    TPNGReader reader;
    reader.SetMaxPixels(1u << 20);
    try {
        reader.LoadFromStream(in);
    } catch (const Exception&) {
        return 0;
    }
    if (reader.Pixels().empty()) return 0;
    if (reader.Pixels().size() != std::size_t(reader.Width()) * reader.Height()) __builtin_trap();
    if (reader.Pixels().size() > (1u << 16)) return 0;

    TPNGWriter writer(std::int32_t(reader.Width()), reader.Pixels().data(), std::int32_t(reader.Width()),
                      std::int32_t(reader.Height()));
    TMemoryStream out;
    writer.SaveToStream(out);
    out.SetPosition(0);
    TPNGReader again;
    again.LoadFromStream(out);
    if (again.Pixels() != reader.Pixels()) __builtin_trap();
    return 0;
}
