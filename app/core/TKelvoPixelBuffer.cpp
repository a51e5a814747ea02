#include "app/core/TKelvoPixelBuffer.h"

#include <cstdlib>
#include <utility>

#include "classlib/core/Checked.h"
#include "classlib/core/Exceptions.h"

void TKelvoPixelBuffer::FreeMemory(Byte* p) noexcept { std::free(p); }

TKelvoPixelBuffer::TKelvoPixelBuffer() { SetFormat(KelvoFormatBGR24); }

TKelvoPixelBuffer::TKelvoPixelBuffer(std::uint16_t format, const TKelvoRect& rect) { SetFormatAndBounds(format, rect); }

TKelvoPixelBuffer::~TKelvoPixelBuffer() = default;

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
        memory.reset(static_cast<Byte*>(std::calloc(std::size_t(size), 1)));
        if (!memory) throw EOutOfMemory("Out of memory");
    }
    // Build the new descriptor aside so that the old pixels can be copied over before they go.
    TKelvoPixels fresh;
    fresh.Init(target, memory.get(), Format(), size > 0 ? stride : 0);
    if (keep && memory_ && memory) fresh.CopyFrom(*this);

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
    memory_.reset();
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
