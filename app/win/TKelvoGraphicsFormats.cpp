#include "app/win/TKelvoGraphicsFormats.h"

#include "app/core/KelvoPixelOps.h"
#include "unicode/win/WideFiles.h"

using namespace Gdiplus;

TKelvoGraphicsThumbnail::TKelvoGraphicsThumbnail(const std::u16string& fileName, std::int32_t width,
                                                 std::int32_t height) {
    if (width <= 0 || height <= 0 || !gdiplus_.Use()) return;
    TGdipImage source;
    bool wasKVI = false;
    if (!OpenGdipImage(fileName, source, wasKVI)) return;
    UINT w = 0, h = 0;
    if (DllExports::GdipGetImageWidth(source.Get(), &w) != Ok ||
        DllExports::GdipGetImageHeight(source.Get(), &h) != Ok || w == 0 || h == 0 || w > UINT(INT32_MAX) ||
        h > UINT(INT32_MAX))
        return;

    // The orientation item alone decides the turn.
    TKelvoProperties properties;
    ReadImageMetadata(fileName, source.Get(), properties);
    std::uint16_t orientation = 1;
    GetOrientation(properties, orientation);
    // The stored image lies on its side for 6 and 8: fit it into the box lying the same way.
    std::int32_t boxW = width, boxH = height;
    if (OrientationSwapsSides(orientation)) std::swap(boxW, boxH);
    std::int32_t fitW = 0, fitH = 0;
    if (!FitProportional(std::int32_t(w), std::int32_t(h), boxW, boxH, fitW, fitH) || fitW <= 0 || fitH <= 0) return;
    if (DllExports::GdipGetImageThumbnail(source.Get(), UINT(fitW), UINT(fitH), image_.Out(), nullptr, nullptr) != Ok ||
        !image_)
        return;
    const std::int32_t turn = RotateFlipForOrientation(orientation);
    if (turn != 0 && DllExports::GdipImageRotateFlip(image_.Get(), RotateFlipType(turn)) != Ok) {
        image_.Reset();
        return;
    }
    width_ = OrientationSwapsSides(orientation) ? fitH : fitW;
    height_ = OrientationSwapsSides(orientation) ? fitW : fitH;
}

TKelvoGraphicsThumbnail::~TKelvoGraphicsThumbnail() { image_.Reset(); }

void TKelvoGraphicsThumbnail::Draw(TLDeviceContext dc, const TKelvoRect& rect, TKelvoRect& drawn) {
    drawn = TKelvoRect{};
    if (!image_ || dc == nullptr) return;
    const std::int32_t left = std::int32_t(rect.Left + (rect.Width() - width_) / 2);
    const std::int32_t top = std::int32_t(rect.Top + (rect.Height() - height_) / 2);
    GpGraphics* graphics = nullptr;
    if (DllExports::GdipCreateFromHDC(dc, &graphics) != Ok || !graphics) return;
    const GpStatus status = DllExports::GdipDrawImageRectI(graphics, image_.Get(), left, top, width_, height_);
    DllExports::GdipDeleteGraphics(graphics);
    if (status == Ok) drawn = TKelvoRect{left, top, left + width_, top + height_};
}

std::unique_ptr<TKelvoFileInfo> TKelvoGraphicsFormats::GetFileInfo(const std::u16string& fileName) const {
    if (!uni::FileExistsW(fileName)) return nullptr;
    UseGdiPlus();
    return std::make_unique<TKelvoGraphicsFileInfo>(fileName, ReadGraphicsFileInfo(fileName, Texts()));
}

std::unique_ptr<TKelvoThumbnail> TKelvoGraphicsFormats::GetThumbnail(const std::u16string& fileName, std::int32_t width,
                                                                     std::int32_t height) const {
    UseGdiPlus();
    auto thumbnail = std::make_unique<TKelvoGraphicsThumbnail>(fileName, width, height);
    if (!thumbnail->Valid()) return nullptr;
    return thumbnail;
}

bool TKelvoGraphicsFormats::Read(const std::u16string& fileName, TKelvoLTBitmap& working,
                                 TKelvoCustomProperties& properties, TKelvoResolution& resolution,
                                 std::int32_t& formatId) const {
    UseGdiPlus();
    return ReadGraphicsFile(fileName, working, properties, resolution, formatId);
}

bool TKelvoGraphicsFormats::Write(const std::u16string& fileName, std::int32_t formatId, const TKelvoPixels& pixels,
                                  const TKelvoRect& imageRect, TKelvoCustomProperties& properties,
                                  const TKelvoResolution& resolution) const {
    UseGdiPlus();
    return WriteGraphicsFile(fileName, formatId, pixels, imageRect, properties, resolution, jpegQuality_);
}
