// The bitmap-handle imaging layer: a handle that describes a block of 24- or 32-bit top-down pixels in memory
// that the caller owns, and the calls that paint or print such a block into a device context.
//
//   TLBitmapHandle handle;
//   if (L_CreateBitmap(&handle, L_MEMORY_USER, width, height, 24, 0, nullptr, 0, memory, size) == L_SUCCESS)
//       L_PaintDC(dc, &handle, &source, nullptr, &dest, &clip, L_SRCCOPY);
//   L_FreeBitmap(&handle);   // the memory stays the caller's
//
// Every call answers L_SUCCESS (1) when it did its work and something else when it did not; none raises.
// The painting calls live in imaging/win; natively there is no device context and they fail.
#pragma once
#include <cstddef>
#include <cstdint>

#include "classlib/core/Geometry.h"
#include "classlib/core/Types.h"

// The system's device context, opaque to platform-free code (the same type as the Win32 HDC).
struct HDC__;
using TLDeviceContext = HDC__*;

inline constexpr int L_SUCCESS = 1;
inline constexpr int L_ERROR_INVALID_PARAMETER = -1;  // a bad size, format, memory type or rectangle
inline constexpr int L_ERROR_NO_BITMAP = -2;          // the handle describes no block
inline constexpr int L_ERROR_PAINT = -3;              // the system could not draw
inline constexpr int L_ERROR_NO_DEVICE = -4;          // no device contexts here (native builds)

// The only memory type the program uses: the caller allocates and frees the block.
inline constexpr int L_MEMORY_USER = 2;
// The raster operation of a plain copy (SRCCOPY).
inline constexpr std::uint32_t L_SRCCOPY = 0xCC0020;

struct TLBitmapHandle {
    bool Allocated = false;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t BitsPerPixel = 0;  // 24 (blue, green, red) or 32 (blue, green, red, alpha)
    std::int32_t BytesPerLine = 0;  // rows are padded to 4 bytes
    std::int32_t MemoryType = 0;
    Byte* Memory = nullptr;  // the top row first
    std::size_t Size = 0;
};

// Bytes of one row: ((width x bits + 31) div 32) x 4; -1 when that does not fit an int32.
std::int32_t L_BytesPerLine(std::int32_t width, std::int32_t bitsPerPixel);

// Fills the handle for a width x height block of bitsPerPixel (24 or 32) at memory, which must hold at least
// BytesPerLine x height bytes (size). Only L_MEMORY_USER, no palette. On failure the handle is left empty.
int L_CreateBitmap(TLBitmapHandle* handle, int memoryType, std::int32_t width, std::int32_t height,
                   std::int32_t bitsPerPixel, int order, const void* palette, int viewPerspective, void* memory,
                   std::size_t size);
// Empties the handle. The memory is the caller's and stays.
int L_FreeBitmap(TLBitmapHandle* handle);

// Paints the part source of the block (clipped to the block; the destination shrinks with it) stretched onto
// dest, drawing only inside destClip (nullptr: no clip). sourceClip must be nullptr. rop is L_SRCCOPY.
int L_PaintDC(TLDeviceContext dc, const TLBitmapHandle* handle, const TRect* source, const TRect* sourceClip,
              const TRect* dest, const TRect* destClip, std::uint32_t rop);
// Prints the whole block stretched onto (left, top, width, height) of a printer (or any) device context.
int L_PrintBitmapExt(TLDeviceContext dc, const TLBitmapHandle* handle, std::int32_t left, std::int32_t top,
                     std::int32_t width, std::int32_t height, int flags);

// The part of the destination that a clipped source covers: source is cut to bounds and dest keeps the same
// scale. False when nothing is left. Shared by the painters; platform-free so that it is tested natively.
bool L_ClipSourceAndDest(const TRect& bounds, TRect& source, TRect& dest);
