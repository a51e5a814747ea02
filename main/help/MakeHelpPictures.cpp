// MakeHelpPictures PHOTOS OUT: the before and after pictures of the help pages, made from the demonstrations'
// photographs (PHOTOS/Facade.png, LensFacade.png and Sideways.png, the build's PNG copies of the JPEG files) by the
// correction code of the program itself, with the same settings as the demonstrations. The text tool's picture
// blends PHOTOS/TextMask.png (white text on black, the size of its box) as the tool blends its rendered text. Each
// picture is written to OUT at half size as <tool>-before.png and <tool>-after.png; a before picture shows what the
// user draws or clicks (reference lines, corners, the crop frame).
//
// Built natively for the build machine, so the pictures cost no emulated Windows process.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/core/KelvoPixelOps.h"
#include "app/core/KelvoResample.h"
#include "app/core/TKelvoPixelBuffer.h"
#include "app/core/TPixelResampler.h"
#include "classlib/core/Stream.h"
#include "themed/core/TPNGReader.h"
#include "themed/core/TPNGWriter.h"
#include "tools/core/BrightnessContrast.h"
#include "tools/core/Persp4Setup.h"
#include "tools/core/ReferenceLine.h"
#include "tools/core/TKelvoLensProfile.h"
#include "tools/core/TKelvoPersp4Mapping.h"
#include "tools/core/TKelvoPerspectiveMapping.h"
#include "tools/core/TextBox.h"

namespace {

struct TColour {
    Byte R, G, B;
};
constexpr TColour kMark{255, 214, 0};  // what the user drew: the yellow of the program's guide
constexpr TColour kOutline{0, 0, 0};

TKelvoRect Whole(std::int32_t width, std::int32_t height) { return TKelvoRect{0, 0, width, height}; }

// Pixel buffers are neither copied nor moved: each picture is held by its owner.
using TPicture = std::unique_ptr<TKelvoPixelBuffer>;

TPicture NewPicture(std::int32_t width, std::int32_t height) {
    return std::make_unique<TKelvoPixelBuffer>(KelvoFormatBGR24, Whole(width, height));
}

TPicture ReadPng(const std::string& path) {
    TMemoryStream stream;
    stream.LoadFromFile(path);
    TPNGReader reader;
    reader.LoadFromStream(stream);
    const std::int32_t width = std::int32_t(reader.Width()), height = std::int32_t(reader.Height());
    TPicture picture = NewPicture(width, height);
    TKelvoPixels& pixels = *picture;
    const themed::TPixelArray& argb = reader.Pixels();
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint32_t p = argb[std::size_t(y) * std::size_t(width) + std::size_t(x)];
            Byte* out = pixels.PixelAddress(x, y);
            out[0] = Byte(p), out[1] = Byte(p >> 8), out[2] = Byte(p >> 16);
        }
    return picture;
}

void WritePng(const TKelvoPixels& pixels, const std::string& path) {
    std::vector<std::uint32_t> argb;
    argb.reserve(std::size_t(pixels.Width()) * std::size_t(pixels.Height()));
    for (std::int32_t y = pixels.Top(); y < pixels.Top() + pixels.Height(); ++y)
        for (std::int32_t x = pixels.Left(); x < pixels.Left() + pixels.Width(); ++x) {
            const Byte* p = pixels.PixelAddress(x, y);
            argb.push_back(0xFF000000u | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0]);
        }
    TMemoryStream stream;
    TPNGWriter(pixels.Width(), argb.data(), pixels.Width(), pixels.Height()).SaveToStream(stream);
    stream.SaveToFile(path);
}

// The picture at half its size, through the resampler the resize tool uses.
TPicture Half(const TKelvoPixels& source) {
    TPicture half = NewPicture(std::max(source.Width() / 2, 1), std::max(source.Height() / 2, 1));
    const TLanczosResampler lanczos(3.0);
    Resample(*half, half->GetBounds(), half->GetBounds(), lanczos, source.GetBounds(), source);
    return half;
}

TPicture Copy(const TKelvoPixels& source) {
    TPicture copy = NewPicture(source.Width(), source.Height());
    copy->CopyFrom(source);
    return copy;
}

// The part of source inside area, as a picture of its own.
TPicture Part(const TKelvoPixels& source, const TKelvoRect& area) {
    TPicture part = NewPicture(std::int32_t(area.Width()), std::int32_t(area.Height()));
    part->CopyRect(0, 0, area, source);
    return part;
}

void Plot(TKelvoPixels& pixels, std::int32_t x, std::int32_t y, TColour colour) {
    if (x < 0 || y < 0 || x >= pixels.Width() || y >= pixels.Height()) return;
    Byte* p = pixels.PixelAddress(x, y);
    p[0] = colour.B, p[1] = colour.G, p[2] = colour.R;
}

// A line of the given width from a to b, in the picture's own coordinates.
void Line(TKelvoPixels& pixels, TRealPoint a, TRealPoint b, double width, TColour colour) {
    const double length = std::hypot(b.X - a.X, b.Y - a.Y);
    const int steps = std::max(1, int(std::ceil(length * 2)));
    const int r = int(std::ceil(width / 2));
    for (int i = 0; i <= steps; ++i) {
        const double x = a.X + (b.X - a.X) * i / steps, y = a.Y + (b.Y - a.Y) * i / steps;
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx)
                if (dx * dx + dy * dy <= width * width / 4)
                    Plot(pixels, std::int32_t(std::lround(x)) + dx, std::int32_t(std::lround(y)) + dy, colour);
    }
}

// A line the user drew: yellow with a dark edge, so that it shows on sky and on plaster alike.
void Drawn(TKelvoPixels& pixels, TRealPoint a, TRealPoint b) {
    Line(pixels, a, b, 4, kOutline);
    Line(pixels, a, b, 2, kMark);
}

// A clicked point: a ring as the four-point tool marks it, drawn larger so that it reads at half size.
void Ring(TKelvoPixels& pixels, TRealPoint centre) {
    for (int i = 0; i < 64; ++i) {
        const double a = i * 2 * 3.14159265358979 / 64, b = (i + 1) * 2 * 3.14159265358979 / 64;
        const TRealPoint p{centre.X + 7 * std::cos(a), centre.Y + 7 * std::sin(a)};
        const TRealPoint q{centre.X + 7 * std::cos(b), centre.Y + 7 * std::sin(b)};
        Drawn(pixels, p, q);
    }
}

TRealPoint HalfPoint(TRealPoint p) { return TRealPoint{p.X / 2, p.Y / 2}; }

// A frame the user dragged, given in the full picture's pixels, on its half-size copy.
void Frame(TKelvoPixels& half, const TKelvoRect& frame) {
    const TRealPoint tl{frame.Left / 2.0, frame.Top / 2.0}, br{(frame.Right - 1) / 2.0, (frame.Bottom - 1) / 2.0};
    const TRealPoint tr{br.X, tl.Y}, bl{tl.X, br.Y};
    Drawn(half, tl, tr), Drawn(half, tr, br), Drawn(half, br, bl), Drawn(half, bl, tl);
}

// The render of a correction tool's Finish: full quality over the whole photograph, cut to the image area the
// crop type leaves.
TPicture Render(TKelvoCorrectionMapping& mapping, const TKelvoPixels& source) {
    TPicture target = NewPicture(source.Width(), source.Height());
    mapping.Quality = 2;
    const TKelvoRect area = RenderCorrection(mapping, source, *target, source.GetBounds(), nullptr);
    if (area == source.GetBounds()) return target;
    return Part(*target, area);
}

struct TPictures {
    std::string Out;
    void Pair(const std::string& tool, const TPicture& before, const TPicture& after) const {
        WritePng(*before, Out + "/" + tool + "-before.png");
        WritePng(*after, Out + "/" + tool + "-after.png");
    }
};

// Reference lines along both sides of a leaning facade; optionally the lens correction of the demonstration.
void Perspective(const TPictures& pictures, const std::string& tool, const TKelvoPixels& photo,
                 const std::vector<std::pair<TRealPoint, TRealPoint>>& lines, std::optional<int> lensValue) {
    TKelvoPerspectiveMapping mapping;
    TConvergenceLimits limits;
    for (const auto& [a, b] : lines) AddReferenceLine(mapping.History, limits, a, b, photo.Height(), photo.Width());
    mapping.RefWidth = photo.Width();
    mapping.RefHeight = photo.Height();
    if (lensValue) {
        mapping.LensK = LensCoefficient(DistortionManual, *lensValue, std::nullopt);
        mapping.LensOn = mapping.LensK != 0;
    }
    TPicture before = Half(photo);
    for (const auto& [a, b] : lines) Drawn(*before, HalfPoint(a), HalfPoint(b));
    pictures.Pair(tool, before, Half(*Render(mapping, photo)));
}

// The four corners of the facade clicked one after the other; the result cropped to the corrected area.
void FourPoint(const TPictures& pictures, const TKelvoPixels& photo, const std::vector<TRealPoint>& corners) {
    TPersp4Setup setup;
    setup.Points = corners;
    setup.Setup(TPersp4Reference{});
    TKelvoPersp4Mapping mapping;
    mapping.Geometry = setup.Geometry;
    mapping.CropType = CropToInscribed;
    TPicture before = Half(photo);
    for (const TRealPoint& c : corners) Ring(*before, HalfPoint(c));
    pictures.Pair("four-point", before, Half(*Render(mapping, photo)));
}

// The sideways photograph: cropped, turned a quarter to the left and brightened, each step on the last one's
// result, as its demonstration does; then a text written on it.
void CropRotateBrighten(const TPictures& pictures, const TKelvoPixels& photo, const TKelvoPixels& textMask) {
    const TKelvoRect frame{2, 2, 436, 637};
    TPicture cropped = Part(photo, frame);
    TPicture before = Half(photo);
    Frame(*before, frame);
    pictures.Pair("crop", before, Half(*cropped));

    TPicture turned = std::make_unique<TKelvoPixelBuffer>();
    if (!RotatePixelsLeft(*cropped, *turned)) throw std::runtime_error("the photograph cannot be turned");
    pictures.Pair("rotate", Half(*cropped), Half(*turned));

    TPicture brighter = Copy(*turned);
    ApplyToneTable(*turned, *brighter, ToneTableOfLine(BrightnessContrastLine(35, 0)));
    pictures.Pair("brightness", Half(*turned), Half(*brighter));

    TPicture automatic = Copy(*turned);
    ApplyToneTable(*turned, *automatic, ToneTableOfLine(AutoCorrection(ScanAutoLevels(*turned)).Line));
    WritePng(*Half(*automatic), pictures.Out + "/brightness-auto.png");

    // A line of white text in a box along the bottom of the brightened picture.
    const TTextBox box{TKelvoRect{20, 360, 20 + textMask.Width(), 360 + textMask.Height()}};
    TPicture framed = Half(*brighter);
    Frame(*framed, box.Box);
    TPicture written = Copy(*brighter);
    BlendTextMask(*written, box, textMask, TTextBlend{ColorModeSelected, 0xFFFFFF, false});
    pictures.Pair("text", framed, Half(*written));
}

// A new size: the after picture is shown at its real size beside the before picture.
void Resize(const TPictures& pictures, const TKelvoPixels& photo) {
    TPicture before = Half(photo);
    TPicture after = Half(*before);
    pictures.Pair("resize", before, after);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: MakeHelpPictures PHOTOS OUT\n");
        return 2;
    }
    try {
        const std::string photos = argv[1];
        const TPictures pictures{argv[2]};
        const TPicture facade = ReadPng(photos + "/Facade.png");
        const TPicture lensFacade = ReadPng(photos + "/LensFacade.png");
        const TPicture sideways = ReadPng(photos + "/Sideways.png");
        // Facade.png: the facade's corners are (196, 52), (444, 52), (560, 430) and (80, 430).
        Perspective(pictures, "perspective", *facade, {{{196, 52}, {80, 430}}, {{444, 52}, {560, 430}}}, std::nullopt);
        Perspective(pictures, "lens", *lensFacade, {{{152, 42}, {43, 431}}, {{488, 42}, {597, 431}}}, 12);
        FourPoint(pictures, *facade, {{196, 52}, {444, 52}, {560, 430}, {80, 430}});
        const TPicture textMask = ReadPng(photos + "/TextMask.png");
        CropRotateBrighten(pictures, *sideways, *textMask);
        Resize(pictures, *facade);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "MakeHelpPictures: %s\n", e.what());
        return 1;
    }
    return 0;
}
