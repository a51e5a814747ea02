#include "classlib/win/TBitmap.h"

#include <cstring>

#include "classlib/core/BmpFormat.h"
#include "classlib/core/TResourceStream.h"
#include "classlib/win/WindowDC.h"

namespace {
struct TDibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

std::vector<std::uint32_t> DefaultPalette(int bitCount) {
    static const std::uint32_t kVga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                           0x008080, 0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00,
                                           0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    std::vector<std::uint32_t> palette;
    if (bitCount == 1) return {0x000000, 0xFFFFFF};
    if (bitCount > 8) return palette;
    palette.assign(kVga, kVga + 16);
    if (bitCount == 8) {
        // The 16 standard colours, a 6x6x6 colour cube and a ramp of greys.
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    palette.push_back(std::uint32_t(r * 51) << 16 | std::uint32_t(g * 51) << 8 | std::uint32_t(b * 51));
        for (int i = 1; i <= 24; ++i) {
            std::uint32_t v = std::uint32_t(i * 255 / 25);
            palette.push_back(v << 16 | v << 8 | v);
        }
    }
    return palette;
}

int ScreenBitsPerPixel() {
    static const int bits = [] {
        const TWindowDC dc;
        const int bpp = dc ? ::GetDeviceCaps(dc.Get(), BITSPIXEL) * ::GetDeviceCaps(dc.Get(), PLANES) : 32;
        return bpp > 8 ? 32 : 8;
    }();
    return bits;
}

int BitsOf(TPixelFormat format) {
    switch (format) {
        case pf1bit: return 1;
        case pf4bit: return 4;
        case pf8bit: return 8;
        case pf24bit: return 24;
        case pf32bit: return 32;
        default: return ScreenBitsPerPixel();
    }
}

TPixelFormat FormatOfBits(int bits) {
    switch (bits) {
        case 1: return pf1bit;
        case 4: return pf4bit;
        case 8: return pf8bit;
        case 24: return pf24bit;
        default: return pf32bit;
    }
}

TDibInfo MakeInfo(int width, int height, int bitCount, const std::vector<std::uint32_t>& palette) {
    TDibInfo info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bitCount);
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = static_cast<DWORD>(palette.size());
    for (std::size_t i = 0; i < palette.size() && i < 256; ++i) {
        info.colors[i].rgbRed = static_cast<BYTE>(palette[i] >> 16);
        info.colors[i].rgbGreen = static_cast<BYTE>(palette[i] >> 8);
        info.colors[i].rgbBlue = static_cast<BYTE>(palette[i]);
    }
    return info;
}

// A bottom-up DIB section; bits receives the address of its pixels.
HBITMAP CreateDib(int width, int height, int bitCount, const std::vector<std::uint32_t>& palette, void** bits) {
    if (width <= 0 || height <= 0) throw EInvalidGraphic("Invalid bitmap size");
    TDibInfo info = MakeInfo(width, height, bitCount, palette);
    HBITMAP dib = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, bits, nullptr, 0);
    if (!dib || !*bits) throw EOutOfResources("Out of system resources");
    return dib;
}

}  // namespace

// ---- TBitmapCanvas

TBitmapCanvas::TBitmapCanvas(TBitmap* bitmap) : bitmap_(bitmap) {}

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::CreateHandle() {
    if (memoryDc_) return;
    memoryDc_ = TMemoryDC(bitmap_->bitmap_.Get());
    SetHandle(memoryDc_.Get());
}

void TBitmapCanvas::FreeContext() {
    if (!memoryDc_) return;
    SetHandle(nullptr);
    memoryDc_.Reset();
}

// ---- TBitmap

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    // The DC must let go of the bitmap before the bitmap is deleted.
    canvas_.reset();
}

int TBitmap::BitsPerPixel() const { return BitsOf(pixelFormat_); }

int TBitmap::RowBytes() const { return static_cast<int>(DibRowStride(width_, BitsPerPixel())); }

void TBitmap::FreeCanvasContext() {
    if (canvas_) canvas_->FreeContext();
}

void TBitmap::AdoptDib(HBITMAP dib, int width, int height, TPixelFormat format, std::vector<std::uint32_t> palette) {
    FreeCanvasContext();
    bitmap_.Reset(dib);
    bits_ = nullptr;
    if (dib) {
        DIBSECTION section{};
        ::GetObjectA(dib, sizeof(section), &section);
        bits_ = section.dsBm.bmBits;
    }
    width_ = dib ? width : 0;
    height_ = dib ? height : 0;
    pixelFormat_ = format;
    palette_ = std::move(palette);
}

void TBitmap::Recreate(int width, int height, TPixelFormat format) {
    if (width < 0 || height < 0) throw EInvalidGraphic("Invalid bitmap size");
    int bits = BitsOf(format);
    std::vector<std::uint32_t> palette =
        (format == pixelFormat_ && !palette_.empty()) ? palette_ : DefaultPalette(bits);
    if (width == 0 || height == 0) {
        AdoptDib(nullptr, 0, 0, format, std::move(palette));
        // Keep the requested size in the axis that is not zero, as a later resize of the other one needs it.
        width_ = width;
        height_ = height;
        Changed(this);
        return;
    }
    void* newBits = nullptr;
    TGdiHandle<HBITMAP> dib(CreateDib(width, height, bits, palette, &newBits));
    {
        TMemoryDC target(dib.Get());
        // A new picture starts white; what fits of the old one is copied over it.
        ::PatBlt(target.Get(), 0, 0, width, height, WHITENESS);
        if (bitmap_) {
            FreeCanvasContext();
            TMemoryDC source(bitmap_.Get());
            ::BitBlt(target.Get(), 0, 0, std::min(width, width_), std::min(height, height_), source.Get(), 0, 0,
                     SRCCOPY);
        }
    }
    AdoptDib(dib.Release(), width, height, format, std::move(palette));
    Changed(this);
}

void TBitmap::SetWidth(int width) {
    if (width != width_) Recreate(width, height_, pixelFormat_);
}

void TBitmap::SetHeight(int height) {
    if (height != height_) Recreate(width_, height, pixelFormat_);
}

void TBitmap::SetSize(int width, int height) {
    if (width != width_ || height != height_) Recreate(width, height, pixelFormat_);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format != pixelFormat_) Recreate(width_, height_, format);
}

void* TBitmap::ScanLine(int y) {
    if (!bitmap_ || y < 0 || y >= height_) throw EInvalidGraphic("Scan line index out of range");
    // Drawing through the DC may still be queued.
    ::GdiFlush();
    return static_cast<Byte*>(bits_) + std::size_t(height_ - 1 - y) * std::size_t(RowBytes());
}

TCanvas* TBitmap::Canvas() {
    if (!canvas_) {
        canvas_ = MakeObject<TBitmapCanvas>(this);
        canvas_->OnChange = MakeMethod<&TBitmap::CanvasChanged>(this);
    }
    return canvas_.get();
}

void TBitmap::CanvasChanged(TObject*) { Changed(this); }

HBITMAP TBitmap::Handle() { return bitmap_.Get(); }

void TBitmap::SetHandle(HBITMAP bitmap) {
    if (bitmap == bitmap_.Get()) return;
    if (!bitmap) {
        AdoptDib(nullptr, 0, 0, pixelFormat_, {});
        Changed(this);
        return;
    }
    BITMAP bm{};
    if (::GetObjectType(bitmap) != OBJ_BITMAP || ::GetObjectA(bitmap, sizeof(bm), &bm) == 0)
        throw EInvalidGraphic("Invalid bitmap handle");
    TGdiHandle<HBITMAP> taken(bitmap);
    int depth = bm.bmBitsPixel * bm.bmPlanes;
    TPixelFormat format = FormatOfBits(depth);
    int bits = BitsOf(format);
    std::vector<std::uint32_t> palette = DefaultPalette(bits);
    void* newBits = nullptr;
    TGdiHandle<HBITMAP> dib(CreateDib(bm.bmWidth, bm.bmHeight, bits, palette, &newBits));
    TDibInfo info = MakeInfo(bm.bmWidth, bm.bmHeight, bits, palette);
    {
        const TWindowDC screen;
        ::GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(bm.bmHeight), newBits,
                    reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    }
    if (bits <= 8) {
        // GetDIBits reports the colour table the pixels were written with.
        palette.resize(std::size_t(1) << bits);
        for (std::size_t i = 0; i < palette.size(); ++i)
            palette[i] = std::uint32_t(info.colors[i].rgbRed) << 16 | std::uint32_t(info.colors[i].rgbGreen) << 8 |
                         info.colors[i].rgbBlue;
        TDibInfo table = MakeInfo(bm.bmWidth, bm.bmHeight, bits, palette);
        TMemoryDC dc(dib.Get());
        ::SetDIBColorTable(dc.Get(), 0, static_cast<UINT>(palette.size()), table.colors);
    }
    AdoptDib(dib.Release(), bm.bmWidth, bm.bmHeight, format, std::move(palette));
    Changed(this);
}

HBITMAP TBitmap::ReleaseHandle() {
    FreeCanvasContext();
    HBITMAP result = bitmap_.Release();
    AdoptDib(nullptr, 0, 0, pixelFormat_, {});
    Changed(this);
    return result;
}

void TBitmap::Draw(TCanvas* canvas, const TRect& rect) {
    if (Empty() || !canvas) return;
    HDC dest = canvas->Handle();
    HDC source = Canvas()->Handle();
    int w = rect.Width(), h = rect.Height();
    if (!Transparent()) {
        ::SetStretchBltMode(dest, COLORONCOLOR);
        ::StretchBlt(dest, rect.Left, rect.Top, w, h, source, 0, 0, width_, height_, canvas->CopyMode());
        return;
    }
    // A monochrome mask, white where the picture has the transparent colour, lets the background through
    // there: dest ^ src, masked, ^ src again leaves dest under the white part and src elsewhere.
    TGdiHandle<HBITMAP> mask(::CreateBitmap(width_, height_, 1, 1, nullptr));
    if (!mask) throw EOutOfResources("Out of system resources");
    TMemoryDC maskDc(mask.Get());
    COLORREF oldSourceBk = ::SetBkColor(source, static_cast<COLORREF>(ColorToRGB(TransparentColor())));
    ::BitBlt(maskDc.Get(), 0, 0, width_, height_, source, 0, 0, SRCCOPY);
    ::SetBkColor(source, oldSourceBk);
    COLORREF oldText = ::SetTextColor(dest, RGB(0, 0, 0));
    COLORREF oldBk = ::SetBkColor(dest, RGB(255, 255, 255));
    ::SetStretchBltMode(dest, COLORONCOLOR);
    ::StretchBlt(dest, rect.Left, rect.Top, w, h, source, 0, 0, width_, height_, SRCINVERT);
    ::StretchBlt(dest, rect.Left, rect.Top, w, h, maskDc.Get(), 0, 0, width_, height_, SRCAND);
    ::StretchBlt(dest, rect.Left, rect.Top, w, h, source, 0, 0, width_, height_, SRCINVERT);
    ::SetTextColor(dest, oldText);
    ::SetBkColor(dest, oldBk);
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const AnsiString& name) { LoadFromResource(instance, name); }

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id) { LoadFromResource(instance, id); }

void TBitmap::LoadFromResource(HINSTANCE instance, const TResourceId& id) {
    TResourceStream stream(reinterpret_cast<TModuleHandle>(instance), id, rtBitmap);
    LoadDib(ReadPackedDib(static_cast<const Byte*>(stream.Memory()), std::size_t(stream.Size())));
}

void TBitmap::LoadDib(const TDibImage& image) {
    TPixelFormat format = FormatOfBits(image.BitCount);
    std::vector<std::uint32_t> palette = image.Palette;
    void* bits = nullptr;
    TGdiHandle<HBITMAP> dib(CreateDib(image.Width, image.Height, image.BitCount, palette, &bits));
    std::size_t stride = image.Stride();
    for (std::int32_t y = 0; y < image.Height; ++y)
        std::memcpy(static_cast<Byte*>(bits) + std::size_t(image.Height - 1 - y) * stride, image.Row(y), stride);
    AdoptDib(dib.Release(), image.Width, image.Height, format, std::move(palette));
    Changed(this);
}

void TBitmap::LoadFromStream(TStream& stream) {
    std::int64_t remaining = stream.Remaining();
    if (remaining <= 0) {
        AdoptDib(nullptr, 0, 0, pixelFormat_, {});
        Changed(this);
        return;
    }
    // Only the bytes of this one file are taken when the header tells how many there are, so that a bitmap
    // inside a larger stream leaves the stream just after it.
    Byte header[14] = {};
    std::int32_t headerBytes = static_cast<std::int32_t>(std::min<std::int64_t>(remaining, sizeof(header)));
    stream.ReadBuffer(header, headerBytes);
    std::uint64_t claimed = BmpFileSize(header, std::size_t(headerBytes));
    std::uint64_t total =
        (claimed >= sizeof(header) && claimed <= std::uint64_t(remaining)) ? claimed : std::uint64_t(remaining);
    if (total > 0x7FFFFFFF) throw EInvalidGraphic("Bitmap image is not valid: too large");
    std::vector<Byte> data(static_cast<std::size_t>(total));
    std::memcpy(data.data(), header, std::size_t(headerBytes));
    if (total > std::uint64_t(headerBytes))
        stream.ReadBuffer(data.data() + headerBytes, static_cast<std::int32_t>(total - std::uint64_t(headerBytes)));
    LoadDib(ReadBmpFile(data.data(), data.size()));
}

void TBitmap::SaveToStream(TStream& stream) {
    if (Empty()) return;
    TDibImage image;
    image.Width = width_;
    image.Height = height_;
    image.BitCount = BitsPerPixel();
    image.Palette = palette_;
    std::size_t stride = image.Stride();
    image.Pixels.resize(stride * std::size_t(height_));
    for (int y = 0; y < height_; ++y) std::memcpy(image.Row(y), ScanLine(y), stride);
    std::vector<Byte> file = WriteBmpFile(image);
    stream.WriteBuffer(file.data(), static_cast<std::int32_t>(file.size()));
}

void TBitmap::Assign(TPersistent* source) {
    if (!source) {
        AdoptDib(nullptr, 0, 0, pixelFormat_, {});
        Changed(this);
        return;
    }
    if (auto* other = dynamic_cast<TBitmap*>(source)) {
        if (other == this) return;
        transparentColor_ = other->transparentColor_;
        transparentMode_ = other->transparentMode_;
        if (other->Empty()) {
            AdoptDib(nullptr, 0, 0, other->pixelFormat_, other->palette_);
            width_ = other->width_;
            height_ = other->height_;
        } else {
            void* bits = nullptr;
            int bitCount = other->BitsPerPixel();
            TGdiHandle<HBITMAP> dib(CreateDib(other->width_, other->height_, bitCount, other->palette_, &bits));
            ::GdiFlush();
            std::memcpy(bits, other->bits_, std::size_t(other->RowBytes()) * std::size_t(other->height_));
            AdoptDib(dib.Release(), other->width_, other->height_, other->pixelFormat_, other->palette_);
        }
        // SetTransparent raises the change; call Changed ourselves when it does not change.
        bool wasTransparent = Transparent();
        SetTransparent(other->Transparent());
        if (wasTransparent == other->Transparent()) Changed(this);
        return;
    }
    if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
        Recreate(0, 0, pixelFormat_);
        Recreate(graphic->Width(), graphic->Height(), pixelFormat_);
        if (!Empty()) {
            Canvas()->Brush()->SetColor(clWhite);
            Canvas()->FillRect(Rect(0, 0, width_, height_));
            Canvas()->Draw(0, 0, graphic);
        }
        return;
    }
    inherited::Assign(source);
}

TColor TBitmap::TransparentColor() {
    if (transparentMode_ == tmFixed && transparentColor_ != clDefault) return transparentColor_;
    if (Empty()) return clDefault;
    return Canvas()->Pixels(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
    transparentColor_ = color;
    transparentMode_ = color == clDefault ? tmAuto : tmFixed;
    Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    if (mode == transparentMode_) return;
    if (mode == tmAuto)
        SetTransparentColor(clDefault);
    else
        SetTransparentColor(TransparentColor());
}
