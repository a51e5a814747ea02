// Reads a capability container from raw memory as a data source would hand it over, adopts it and exercises
// every read and write operation. The first byte picks the container type and the capability, the rest is the
// container's block.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "scan/core/TTwnContainer.h"
#include "scan/core/TwnRecords.h"
#include "scan/core/TwnTypes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::uint16_t containerType = std::uint16_t(TWON_ARRAY + (data[0] & 3));
    const std::uint16_t capability = (data[0] & 4) ? ICAP_FRAMES : std::uint16_t(0x1118);
    // Copy into a block of exactly the remaining size so that any read past it is seen.
    std::vector<Byte> block(data + 1, data + size);

    TTwnRecord record;
    if (!twn::UnpackContainer(containerType, block.data(), block.size(), record)) return 0;

    // Packing and unpacking again gives the same record.
    std::vector<Byte> packed(twn::PackedBlockSize(containerType, record), 0);
    twn::PackContainer(containerType, record, packed.data(), packed.size());
    TTwnRecord again;
    if (!twn::UnpackContainer(containerType, packed.data(), packed.size(), again) || again != record) __builtin_trap();

    TTwnContainer c;
    if (!c.SetContainer(capability, containerType, record)) __builtin_trap();
    try {
        (void)c.GetCurrent();
        (void)c.Minimum();
        (void)c.Maximum();
        (void)c.Step();
        const std::int32_t count = c.Count();
        for (std::int32_t i = -1; i <= count && i < 64; ++i) (void)c.GetItem(i);
        for (std::int32_t i = 0; i < c.FrameCount() && i < 64; ++i) (void)c.Frame(i).Item();
        (void)c.IndexOf(c.GetItem(0));
        (void)c.CurrentAsOneValue();
        TTwnContainer copy;
        copy.Assign(c);
        copy.SetCurrent(TVariant(std::int32_t(7)));
        copy.AddItem(TVariant(std::int32_t(1)));
        copy.SetItemType(TWTY_STR255);
        (void)copy.GetItem(count);
        copy.Clear();
    } catch (const Exception&) {
        // Values the item type cannot hold are refused by raising; that is fine here.
    }
    return 0;
}
