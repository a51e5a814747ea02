// The Windows painters of the imaging layer: the block goes to the system as a top-down device-independent
// bitmap straight from its memory (no copy, no section), through StretchDIBits, which screens, memory DCs and
// printers all take.
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/Win32.h"
#include "imaging/core/LBitmap.h"

namespace {

// Draws the rows source.Top .. source.Bottom - 1 of the block. Those rows are handed over as a DIB of their own
// (its first row is source.Top), so that the source's vertical origin is 0 whatever convention the system uses
// for the y origin of a top-down DIB, and nothing outside the block is ever read.
bool Stretch(HDC dc, const TLBitmapHandle& handle, const TRect& source, const TRect& dest) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = handle.Width;
    info.bmiHeader.biHeight = -source.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(handle.BitsPerPixel);
    info.bmiHeader.biCompression = BI_RGB;
    const Byte* rows = handle.Memory + std::size_t(source.Top) * std::size_t(handle.BytesPerLine);
    const int lines = ::StretchDIBits(dc, dest.Left, dest.Top, dest.Width(), dest.Height(), source.Left, 0,
                                      source.Width(), source.Height(), rows, &info, DIB_RGB_COLORS, SRCCOPY);
    return lines != 0 && lines != int(GDI_ERROR);
}

bool Usable(TLDeviceContext dc, const TLBitmapHandle* handle) {
    return dc != nullptr && handle != nullptr && handle->Allocated && handle->Memory != nullptr;
}

int Paint(HDC dc, const TLBitmapHandle& handle, TRect source, TRect dest, const TRect* destClip) {
    if (!L_ClipSourceAndDest(TRect{0, 0, handle.Width, handle.Height}, source, dest)) return L_ERROR_INVALID_PARAMETER;
    const int saved = ::SaveDC(dc);
    if (saved == 0) return L_ERROR_PAINT;
    TScopeExit restore([&] { ::RestoreDC(dc, saved); });
    if (destClip != nullptr &&
        ::IntersectClipRect(dc, destClip->Left, destClip->Top, destClip->Right, destClip->Bottom) == ERROR)
        return L_ERROR_PAINT;
    // Reduction drops whole rows and columns rather than blending them: exact pixels, and fast on large images.
    ::SetStretchBltMode(dc, COLORONCOLOR);
    return Stretch(dc, handle, source, dest) ? L_SUCCESS : L_ERROR_PAINT;
}

}  // namespace

int L_PaintDC(TLDeviceContext dc, const TLBitmapHandle* handle, const TRect* source, const TRect* sourceClip,
              const TRect* dest, const TRect* destClip, std::uint32_t rop) {
    if (!Usable(dc, handle)) return L_ERROR_NO_BITMAP;
    if (source == nullptr || dest == nullptr || sourceClip != nullptr || rop != L_SRCCOPY)
        return L_ERROR_INVALID_PARAMETER;
    if (destClip != nullptr && destClip->IsEmpty()) return L_SUCCESS;  // nothing to draw, nothing wrong
    return Paint(dc, *handle, *source, *dest, destClip);
}

int L_PrintBitmapExt(TLDeviceContext dc, const TLBitmapHandle* handle, std::int32_t left, std::int32_t top,
                     std::int32_t width, std::int32_t height, int flags) {
    if (!Usable(dc, handle)) return L_ERROR_NO_BITMAP;
    if (width <= 0 || height <= 0) return L_ERROR_INVALID_PARAMETER;
    return Paint(dc, *handle, TRect{0, 0, handle->Width, handle->Height}, Bounds(left, top, width, height), nullptr);
}
