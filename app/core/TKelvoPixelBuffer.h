// A rectangle of pixels that owns its memory. Rows are padded to 4 bytes; new memory is zero-filled.
#pragma once
#include <cstdint>
#include <memory>

#include "app/core/TKelvoPixels.h"
#include "classlib/core/Owned.h"

class TKelvoPixelBuffer : public TKelvoPixels {
public:
    // Largest block one buffer may hold (bytes); larger requests raise EOutOfMemory before allocating.
    static constexpr std::int64_t MaxBytes = std::int64_t(1) << 30;

    // An empty 24-bit buffer.
    TKelvoPixelBuffer();
    TKelvoPixelBuffer(std::uint16_t format, const TKelvoRect& rect);
    ~TKelvoPixelBuffer() override;

    // Nothing when rect equals the current bounds; else takes new memory for rect, copies the overlap of
    // old and new when keep is set, then releases the old memory. When the new memory cannot be had
    // (size overflow, limit or allocation failure) it raises and the buffer stays as it was.
    void SetBounds(const TKelvoRect& rect, bool keep);
    void SetBoundsNoCopy(const TKelvoRect& rect) { SetBounds(rect, false); }
    // Sets the format, then SetBounds(rect, false). The memory is always renewed when the format changes.
    void SetFormatAndBounds(std::uint16_t format, const TKelvoRect& rect);
    // Bounds and stride to 0, memory released.
    void Clear();
    // Exchanges contents (memory, bounds, format) with another buffer; never fails.
    void Swap(TKelvoPixelBuffer& other) noexcept;
    // Size of the owned block in bytes.
    std::int64_t MemorySize() const { return size_; }

private:
    static void FreeMemory(Byte* p) noexcept;
    using TMemory = TOwned<Byte, FreeMemory>;
    TMemory memory_;
    std::int64_t size_ = 0;
};
