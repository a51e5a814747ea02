#include "app/core/TKelvoPixelBuffer.h"

#include <cstdlib>
#include <cstring>
#include <atomic>
#include <thread>
#include <utility>

#include "classlib/core/Checked.h"
#include "classlib/core/Exceptions.h"

namespace {

// The last photo-sized block given back, kept for the next request of the same size: opening one photo after
// another of the same camera, or turning one, then reuses memory the system has already handed over instead of
// having every page of a new block faulted in again, which costs more than decoding into it. A request of
// another large size frees it first, so it never stands in the way of memory the program asks for. Sanitizer
// builds free every block, so that a use after the free is still caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool KeepSpareBlock = false;
#else
constexpr bool KeepSpareBlock = true;
#endif
constexpr std::int64_t SpareBlockMinBytes = std::int64_t(8) << 20;

// Pixel buffers may be made and freed on any thread, also while static objects go away: the spare is set up
// before anything runs and never torn down, and its lock is a flag held for a few instructions.
struct TSpareBlock {
    std::atomic_flag Busy;
    Byte* Block = nullptr;
    std::int64_t Size = 0;
};
constinit TSpareBlock spare;

class TSpareLock {
public:
    TSpareLock() {
        while (spare.Busy.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
    }
    ~TSpareLock() { spare.Busy.clear(std::memory_order_release); }
    TSpareLock(const TSpareLock&) = delete;
    TSpareLock& operator=(const TSpareLock&) = delete;
};

// size > 0 zero-filled bytes, or null.
Byte* AllocateZeroed(std::int64_t size) {
    if (KeepSpareBlock && size >= SpareBlockMinBytes) {
        Byte* kept = nullptr;
        Byte* other = nullptr;
        {
            TSpareLock guard;
            (spare.Size == size ? kept : other) = spare.Block;
            spare.Block = nullptr;
        }
        std::free(other);
        if (kept) return static_cast<Byte*>(std::memset(kept, 0, std::size_t(size)));
    }
    return static_cast<Byte*>(std::calloc(std::size_t(size), 1));
}

void GiveBack(Byte* block, std::int64_t size) noexcept {
    if (KeepSpareBlock && block && size >= SpareBlockMinBytes) {
        TSpareLock guard;
        std::swap(spare.Block, block);
        spare.Size = size;
    }
    std::free(block);  // the one kept before, or this one
}

}  // namespace

void TKelvoPixelBuffer::FreeMemory(Byte* p) noexcept { std::free(p); }

TKelvoPixelBuffer::TKelvoPixelBuffer() { SetFormat(KelvoFormatBGR24); }

TKelvoPixelBuffer::TKelvoPixelBuffer(std::uint16_t format, const TKelvoRect& rect) { SetFormatAndBounds(format, rect); }

TKelvoPixelBuffer::~TKelvoPixelBuffer() { GiveBack(memory_.release(), size_); }

void TKelvoPixelBuffer::SetBounds(const TKelvoRect& rect, bool keep) {
    if (rect == GetBounds() && (memory_ || rect.IsEmpty())) return;
    TKelvoRect target = rect;
    if (target.Width() < 0 || target.Height() < 0) RaiseRangeError(0, 0);
    const std::int32_t width = CheckedCast<std::int32_t>(target.Width());
    const std::int32_t height = CheckedCast<std::int32_t>(target.Height());
    const std::int32_t stride = PixelRowStride(Format(), width);
    const std::int64_t size = CheckedMul<std::int64_t>(stride, height);
    if (size > MaxBytes) throw EOutOfMemory("Pixel buffer too large");

    TMemory memory;
    if (size > 0) {
        memory.reset(AllocateZeroed(size));
        if (!memory) throw EOutOfMemory("Out of memory");
    }
    // Build the new descriptor aside so that the old pixels can be copied over before they go.
    TKelvoPixels fresh;
    fresh.Init(target, memory.get(), Format(), size > 0 ? stride : 0);
    if (keep && memory_ && memory) fresh.CopyFrom(*this);

    GiveBack(memory_.release(), size_);
    memory_ = std::move(memory);
    size_ = size;
    SetDescriptor(target, memory_.get(), size > 0 ? stride : 0);
}

void TKelvoPixelBuffer::SetFormatAndBounds(std::uint16_t format, const TKelvoRect& rect) {
    if (format != Format()) {
        // The old memory has the wrong row layout for the new format: drop it first.
        Clear();
        SetFormat(format);
    }
    SetBounds(rect, false);
}

void TKelvoPixelBuffer::Clear() {
    GiveBack(memory_.release(), size_);
    size_ = 0;
    SetDescriptor(TKelvoRect{}, nullptr, 0);
}

void TKelvoPixelBuffer::Swap(TKelvoPixelBuffer& other) noexcept {
    const TKelvoRect ra = GetBounds(), rb = other.GetBounds();
    const std::int32_t sa = Stride(), sb = other.Stride();
    const std::uint16_t fa = Format(), fb = other.Format();
    std::swap(memory_, other.memory_);
    std::swap(size_, other.size_);
    SetFormat(fb);
    SetDescriptor(rb, memory_.get(), sb);
    other.SetFormat(fa);
    other.SetDescriptor(ra, other.memory_.get(), sa);
}
