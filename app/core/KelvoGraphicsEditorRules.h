// The image editor's decisions without a window: the zoom steps and the zoom a view gets after an image opens,
// the images of a folder that Prev and Next walk through, and the colour the status bar shows under the
// pointer.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/core/KelvoGeometry.h"

class TKelvoPixels;

// A zoom as the view's map mode holds it: viewport extent : window extent (2 : 1 shows each pixel twice).
struct TKelvoZoom {
    std::int32_t Viewport = 1;
    std::int32_t Window = 1;
    friend bool operator==(const TKelvoZoom&, const TKelvoZoom&) = default;
};

inline constexpr std::int32_t KelvoZoomStepCount = 21;
// Step 0 .. 20, from 1:16 to 16:1; step 10 is 1:1.
TKelvoZoom ZoomStep(std::int32_t index);
// A zoom in thousandths, rounded to the nearest (halves away from zero), as zooms are compared.
std::int32_t ZoomPerMille(const TKelvoZoom& zoom);
// The first step larger than the current zoom (16:1 when none is), and the last step smaller than it (1:16
// when none is): a zoom between two steps goes to the neighbouring step on that side.
TKelvoZoom ZoomInFrom(const TKelvoZoom& current);
TKelvoZoom ZoomOutFrom(const TKelvoZoom& current);

// The zoom that shows a whole image of imageWidth x imageHeight in a view of viewWidth x viewHeight: the
// side that needs the stronger reduction decides (height on a tie). False, zoom untouched, when the view
// or the image has no area: there is nothing to fit into or to fit.
bool BestFitZoom(std::int32_t viewWidth, std::int32_t viewHeight, std::int32_t imageWidth, std::int32_t imageHeight,
                 TKelvoZoom& zoom);
// The zoom after an image opens: 1:1 when it fits the view both ways, else the best fit. False, zoom
// untouched, when the best fit has nothing to work with.
bool OpeningZoom(std::int32_t viewWidth, std::int32_t viewHeight, std::int32_t imageWidth, std::int32_t imageHeight,
                 TKelvoZoom& zoom);

// One entry of a folder listing.
struct TKelvoFolderEntry {
    std::u16string Name;  // without the folder
    bool Directory = false;
};
// A file name Prev and Next show: its extension (upper-cased, with the dot) has at least 3 characters and
// occurs in ".KVI;.JPG;.JPEG;.TIF;.TIFF;.PNG;.BMP;.RLE;.DIB", so ".JP" counts and ".TXT" does not.
bool IsBrowsableImageName(const std::u16string& name);
// The images of a folder in listing order, and where the opened file is among them.
struct TKelvoImageList {
    std::vector<std::u16string> Paths;  // folder + name
    std::int32_t Index = -1;            // the opened file's (names compared ignoring case), -1 when absent
};
// folder ends with its separator. Directories are never images, whatever their names end in.
TKelvoImageList BuildImageList(const std::u16string& folder, const std::vector<TKelvoFolderEntry>& entries,
                               const std::u16string& openedFile);
// The index Next or Prev moves to, or -1 when there is none (Next from -1 is the first image).
std::int32_t NextImageIndex(const TKelvoImageList& list);
std::int32_t PrevImageIndex(const TKelvoImageList& list);

// The colour of the image pixel under the pointer (image coordinates) as the R, G and B panels show it;
// 0, 0, 0 for a point outside the pixels.
struct TKelvoRGB {
    std::uint8_t R = 0, G = 0, B = 0;
    friend bool operator==(const TKelvoRGB&, const TKelvoRGB&) = default;
};
TKelvoRGB StatusColourAt(const TKelvoPixels& pixels, const TKelvoPoint& point);
