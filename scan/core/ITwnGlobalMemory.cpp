#include "scan/core/ITwnGlobalMemory.h"

ITwnGlobalMemory::~ITwnGlobalMemory() = default;

namespace twn {

namespace {

// Keeps a block locked for the lifetime of the guard.
class TLockGuard {
public:
    TLockGuard(ITwnGlobalMemory& memory, TTwnHandle handle)
        : memory_(memory), handle_(handle), data_(handle ? memory.Lock(handle) : nullptr) {}
    ~TLockGuard() {
        if (data_) memory_.Unlock(handle_);
    }
    TLockGuard(const TLockGuard&) = delete;
    TLockGuard& operator=(const TLockGuard&) = delete;
    void* Data() const { return data_; }

private:
    ITwnGlobalMemory& memory_;
    TTwnHandle handle_;
    void* data_;
};

}  // namespace

bool ReadContainer(ITwnGlobalMemory& memory, TTwnHandle handle, std::uint16_t containerType, TTwnRecord& record) {
    if (handle == 0) return false;
    const std::size_t size = memory.Size(handle);
    TLockGuard lock(memory, handle);
    if (!lock.Data()) return false;
    return UnpackContainer(containerType, static_cast<const Byte*>(lock.Data()), size, record);
}

TTwnHandle WriteContainer(ITwnGlobalMemory& memory, std::uint16_t containerType, const TTwnRecord& record) {
    const std::size_t size = PackedBlockSize(containerType, record);
    const TTwnHandle handle = memory.Alloc(size);
    if (handle == 0) return 0;
    bool written = false;
    {
        TLockGuard lock(memory, handle);
        if (lock.Data() && memory.Size(handle) >= size) {
            PackContainer(containerType, record, static_cast<Byte*>(lock.Data()), size);
            written = true;
        }
    }
    if (!written) {
        memory.Free(handle);
        return 0;
    }
    return handle;
}

}  // namespace twn
