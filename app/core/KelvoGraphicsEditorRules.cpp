#include "app/core/KelvoGraphicsEditorRules.h"

#include <array>
#include <cstdlib>

#include "app/core/KelvoDocumentRules.h"
#include "app/core/TKelvoPixels.h"
#include "classlib/core/CodePages.h"
#include "unicode/core/WidePaths.h"

namespace {

constexpr std::array<TKelvoZoom, KelvoZoomStepCount> Steps{
    {{1, 16}, {1, 12}, {1, 8}, {1, 7}, {1, 6}, {1, 5}, {1, 4}, {1, 3}, {1, 2},  {3, 4}, {1, 1},
     {3, 2},  {2, 1},  {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}, {12, 1}, {16, 1}}};

constexpr std::u16string_view ImageExtensions = u".KVI;.JPG;.JPEG;.TIF;.TIFF;.PNG;.BMP;.RLE;.DIB";

}  // namespace

TKelvoZoom ZoomStep(std::int32_t index) { return Steps.at(std::size_t(index)); }

std::int32_t ZoomPerMille(const TKelvoZoom& zoom) {
    if (zoom.Window == 0) return 0;
    // 64-bit: a best-fit zoom holds view and image sizes, whose product with 1000 leaves 32 bits.
    const std::int64_t numerator = std::int64_t(1000) * zoom.Viewport;
    const std::int64_t denominator = zoom.Window;
    const std::int64_t magnitude = (std::llabs(numerator) + std::llabs(denominator) / 2) / std::llabs(denominator);
    return std::int32_t((numerator < 0) != (denominator < 0) ? -magnitude : magnitude);
}

TKelvoZoom ZoomInFrom(const TKelvoZoom& current) {
    const std::int32_t now = ZoomPerMille(current);
    for (const TKelvoZoom& step : Steps)
        if (ZoomPerMille(step) > now) return step;
    return Steps.back();
}

TKelvoZoom ZoomOutFrom(const TKelvoZoom& current) {
    const std::int32_t now = ZoomPerMille(current);
    for (auto step = Steps.rbegin(); step != Steps.rend(); ++step)
        if (ZoomPerMille(*step) < now) return *step;
    return Steps.front();
}

bool BestFitZoom(std::int32_t viewWidth, std::int32_t viewHeight, std::int32_t imageWidth, std::int32_t imageHeight,
                 TKelvoZoom& zoom) {
    if (viewWidth <= 0 || viewHeight <= 0 || imageWidth <= 0 || imageHeight <= 0) return false;
    // h / H >= w / W, without dividing.
    if (std::int64_t(imageHeight) * viewWidth >= std::int64_t(imageWidth) * viewHeight)
        zoom = TKelvoZoom{viewHeight, imageHeight};
    else
        zoom = TKelvoZoom{viewWidth, imageWidth};
    return true;
}

bool OpeningZoom(std::int32_t viewWidth, std::int32_t viewHeight, std::int32_t imageWidth, std::int32_t imageHeight,
                 TKelvoZoom& zoom) {
    if (imageWidth <= viewWidth && imageHeight <= viewHeight) {
        zoom = TKelvoZoom{1, 1};
        return true;
    }
    return BestFitZoom(viewWidth, viewHeight, imageWidth, imageHeight, zoom);
}

bool IsBrowsableImageName(const std::u16string& name) {
    const std::u16string extension = WideUpperCase(uni::FileExtOfW(name));
    return extension.size() >= 3 && ImageExtensions.find(extension) != std::u16string_view::npos;
}

TKelvoImageList BuildImageList(const std::u16string& folder, const std::vector<TKelvoFolderEntry>& entries,
                               const std::u16string& openedFile) {
    TKelvoImageList list;
    for (const TKelvoFolderEntry& entry : entries) {
        if (entry.Directory || !IsBrowsableImageName(entry.Name)) continue;
        std::u16string path = folder + entry.Name;
        if (list.Index < 0 && CompareTextSystem(path, openedFile) == 0) list.Index = std::int32_t(list.Paths.size());
        list.Paths.push_back(std::move(path));
    }
    return list;
}

std::int32_t NextImageIndex(const TKelvoImageList& list) {
    const std::int32_t next = list.Index + 1;
    return next < std::int32_t(list.Paths.size()) ? next : -1;
}

std::int32_t PrevImageIndex(const TKelvoImageList& list) {
    return list.Index > 0 && !list.Paths.empty() ? list.Index - 1 : -1;
}

TKelvoRGB StatusColourAt(const TKelvoPixels& pixels, const TKelvoPoint& point) {
    const TKelvoRect bounds = pixels.GetBounds();
    if (!pixels.Bits() || pixels.BytesPerPixel() < 3 || point.X < bounds.Left || point.X >= bounds.Right ||
        point.Y < bounds.Top || point.Y >= bounds.Bottom)
        return TKelvoRGB{};
    const Byte* pixel = pixels.PixelAddress(point.X, point.Y);
    return TKelvoRGB{pixel[2], pixel[1], pixel[0]};
}
