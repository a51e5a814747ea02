#include "imaging/core/LBitmap.h"

#include <cmath>

#include "classlib/core/PixelPlumbing.h"

std::int32_t L_BytesPerLine(std::int32_t width, std::int32_t bitsPerPixel) {
    if (width < 0 || bitsPerPixel <= 0) return -1;
    const std::uint64_t bytes = DibRowBytes(std::uint64_t(width), std::uint64_t(bitsPerPixel));
    return bytes > std::uint64_t(INT32_MAX) ? -1 : std::int32_t(bytes);
}

int L_CreateBitmap(TLBitmapHandle* handle, int memoryType, std::int32_t width, std::int32_t height,
                   std::int32_t bitsPerPixel, int order, const void* palette, int viewPerspective, void* memory,
                   std::size_t size) {
    if (handle == nullptr) return L_ERROR_INVALID_PARAMETER;
    *handle = TLBitmapHandle{};
    if (memoryType != L_MEMORY_USER || palette != nullptr || memory == nullptr) return L_ERROR_INVALID_PARAMETER;
    if (bitsPerPixel != 24 && bitsPerPixel != 32) return L_ERROR_INVALID_PARAMETER;
    if (width <= 0 || height <= 0) return L_ERROR_INVALID_PARAMETER;
    const std::int32_t bytesPerLine = L_BytesPerLine(width, bitsPerPixel);
    if (bytesPerLine < 0) return L_ERROR_INVALID_PARAMETER;
    // The painter hands the block to the system in one piece: its size must be addressable, and the memory
    // the caller gave must cover every row.
    const std::uint64_t needed = std::uint64_t(bytesPerLine) * std::uint64_t(height);
    if (needed > std::uint64_t(INT32_MAX) || size < needed) return L_ERROR_INVALID_PARAMETER;
    handle->Allocated = true;
    handle->Width = width;
    handle->Height = height;
    handle->BitsPerPixel = bitsPerPixel;
    handle->BytesPerLine = bytesPerLine;
    handle->MemoryType = memoryType;
    handle->Memory = static_cast<Byte*>(memory);
    handle->Size = size;
    return L_SUCCESS;
}

int L_FreeBitmap(TLBitmapHandle* handle) {
    if (handle == nullptr) return L_ERROR_INVALID_PARAMETER;
    *handle = TLBitmapHandle{};
    return L_SUCCESS;
}

bool L_ClipSourceAndDest(const TRect& bounds, TRect& source, TRect& dest) {
    if (source.IsEmpty() || dest.IsEmpty()) return false;
    TRect cut{source.Left > bounds.Left ? source.Left : bounds.Left, source.Top > bounds.Top ? source.Top : bounds.Top,
              source.Right < bounds.Right ? source.Right : bounds.Right,
              source.Bottom < bounds.Bottom ? source.Bottom : bounds.Bottom};
    if (cut.IsEmpty()) return false;
    if (cut == source) return true;
    // The destination edge of a source position, at the scale of the whole source onto the whole dest.
    const auto mapX = [&](std::int32_t x) {
        return std::int32_t(std::lround(dest.Left + double(x - source.Left) * (double(dest.Right) - dest.Left) /
                                                        (double(source.Right) - source.Left)));
    };
    const auto mapY = [&](std::int32_t y) {
        return std::int32_t(std::lround(dest.Top + double(y - source.Top) * (double(dest.Bottom) - dest.Top) /
                                                       (double(source.Bottom) - source.Top)));
    };
    TRect mapped{mapX(cut.Left), mapY(cut.Top), mapX(cut.Right), mapY(cut.Bottom)};
    if (mapped.IsEmpty()) return false;
    source = cut;
    dest = mapped;
    return true;
}
