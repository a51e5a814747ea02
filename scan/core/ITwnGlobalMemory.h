// Movable memory blocks through which capability containers travel to and from a data source, behind an interface
// so that the container exchange works the same over the system's global memory and over plain heap memory.
#pragma once
#include <cstddef>
#include <cstdint>

#include "scan/core/TwnRecords.h"

using TTwnHandle = std::uintptr_t;

class ITwnGlobalMemory {
public:
    virtual ~ITwnGlobalMemory();
    // A new zero-filled movable block; 0 when none can be had.
    virtual TTwnHandle Alloc(std::size_t size) = 0;
    // Locks the block and returns its address; nullptr when the handle is not a block.
    virtual void* Lock(TTwnHandle handle) = 0;
    virtual void Unlock(TTwnHandle handle) = 0;
    virtual void Free(TTwnHandle handle) = 0;
    // The block's usable size in bytes; 0 for a bad handle.
    virtual std::size_t Size(TTwnHandle handle) = 0;
};

namespace twn {

// Reads the packed container of the given type from the block into an internal record. The announced items are
// checked against the block's own size. False (record untouched) for a null or unlockable handle or a container
// that does not fit. The block is not freed.
bool ReadContainer(ITwnGlobalMemory& memory, TTwnHandle handle, std::uint16_t containerType, TTwnRecord& record);
// Packs the internal record into a new block; 0 when no block can be had. Raises EConvertError for an invalid
// record.
TTwnHandle WriteContainer(ITwnGlobalMemory& memory, std::uint16_t containerType, const TTwnRecord& record);

}  // namespace twn
