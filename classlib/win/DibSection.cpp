#include "classlib/win/DibSection.h"

TGdiHandle<HBITMAP> CreateTopDownDibSection(std::int32_t width, std::int32_t height, WORD bitsPerPixel, void*& bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    bits = nullptr;
    TGdiHandle<HBITMAP> section(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || bits == nullptr) {
        // A section without pixels is of no use to anyone reading them.
        bits = nullptr;
        return TGdiHandle<HBITMAP>();
    }
    return section;
}
