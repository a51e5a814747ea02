// Load and save of a 6000 x 4000 JPEG through the program's path (ReadGraphicsFile, WriteGraphicsFile)
// against the same work done by GDI+ called directly, in the same run and the same GDI+ session:
//   load: GdipCreateBitmapFromFile, lock as 24-bit RGB into a caller's buffer, unlock, dispose;
//   save: GdipCreateBitmapFromScan0 over the pixels, GdipSaveImageToFile at quality 80.
// Our load does more by design (property items, a copy of the pixels as the original image), our save
// removes thumbnail tags and sets the resolution. Our file carries a camera's EXIF (make, model, dates, focal
// length, a maker note), written by GDI+ or, where GDI+ writes none (Wine), by the program, and read back. Each measure
// is the best of the runs, taken in turns.
//
//   winbench_GraphicsIOBench.exe [runs (default 5)] [folder for the two files (default: the temp folder)]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/core/KelvoExifRead.h"
#include "app/core/KelvoPixelOps.h"
#include "app/win/KelvoEncoders.h"
#include "app/win/KelvoGraphicsIO.h"
#include "tests/app/support/ExifBuilder.h"
#include "tests/app/support/GdiPlusDecode.h"
#include "classlib/win/WideChars.h"

using namespace Gdiplus;

namespace {

constexpr std::int32_t Width = 6000, Height = 4000;
constexpr GUID QualityParameter = {0x1D5BE4B5, 0xFA4A, 0x452D, {0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB}};

double Now() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// A photo-like image: smooth gradients with fine texture, so the encoder has real work.
void Fill(TKelvoPixels& p) {
    std::uint32_t seed = 12345;
    for (std::int32_t y = 0; y < p.Height(); ++y)
        for (std::int32_t x = 0; x < p.Width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 28) - 8;
            MakeBGR(p.PixelAddress(x, y), Byte(std::clamp(x / 24 + noise, 0, 255)),
                    Byte(std::clamp(y / 16 + noise, 0, 255)), Byte(std::clamp((x + y) / 40 + noise, 0, 255)));
        }
}

bool DirectSave(const std::u16string& name, const TKelvoPixels& pixels, const CLSID& jpeg) {
    GpBitmap* bitmap = nullptr;
    if (DllExports::GdipCreateBitmapFromScan0(pixels.Width(), pixels.Height(), pixels.Stride(), PixelFormat24bppRGB,
                                              pixels.Bits(), &bitmap) != Ok)
        return false;
    ULONG quality = 80;
    EncoderParameters parameters{};
    parameters.Count = 1;
    parameters.Parameter[0] = {QualityParameter, 1, EncoderParameterValueTypeLong, &quality};
    const bool ok = DllExports::GdipSaveImageToFile(bitmap, WideCStr(name), &jpeg, &parameters) == Ok;
    DllExports::GdipDisposeImage(bitmap);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::string folder;
    if (argc > 2) {
        folder = argv[2];
    } else {
        char temp[MAX_PATH];
        folder.assign(temp, ::GetTempPathA(MAX_PATH, temp));
    }
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    const std::string oursName = folder + "vantorel-bench-ours.jpg", directName = folder + "vantorel-bench-gdip.jpg";
    const std::u16string ours(oursName.begin(), oursName.end()), direct(directName.begin(), directName.end());

    TKelvoGdiPlusUser gdiplus;  // held for the whole run, as the editor's format table holds it
    CLSID jpeg{};
    if (!gdiplus.Use() || GetEncoderClsid(u"image/jpeg", jpeg) < 0) {
        std::fprintf(stderr, "GDI+ or its JPEG encoder is not available\n");
        return 1;
    }
    TKelvoPixelBuffer pixels(KelvoFormatBGR24, TKelvoRect{0, 0, Width, Height});
    Fill(pixels);
    const std::vector<Byte> camera = exiftest::CameraBlock(true, 1, "Canon", "EOS 5", 50, 1, {});
    TKelvoProperties cameraProperties;
    ReadTiffMetadata(TKelvoMemoryTiffSource(camera.data(), camera.size()), true, cameraProperties);

    double bestOursSave = 1e300, bestDirectSave = 1e300, bestOursLoad = 1e300, bestDirectLoad = 1e300;
    for (int run = 0; run < runs; ++run) {
        double t = Now();
        TKelvoProperties properties;
        properties.Assign(cameraProperties);
        if (!WriteGraphicsFile(ours, KelvoFormatJPEG, pixels, TKelvoRect{}, properties, TKelvoResolution{}, 80))
            return std::fprintf(stderr, "our save failed\n"), 1;
        bestOursSave = std::min(bestOursSave, Now() - t);
        t = Now();
        if (!DirectSave(direct, pixels, jpeg)) return std::fprintf(stderr, "GDI+ save failed\n"), 1;
        bestDirectSave = std::min(bestDirectSave, Now() - t);

        // The targets are made before and freed after the clock, on both sides: only the load is timed.
        {
            TKelvoLTBitmap working;
            TKelvoProperties read;
            TKelvoResolution resolution;
            std::int32_t id = 0;
            t = Now();
            if (!ReadGraphicsFile(ours, working, read, resolution, id))
                return std::fprintf(stderr, "our load failed\n"), 1;
            bestOursLoad = std::min(bestOursLoad, Now() - t);
            if (run == 0) std::printf("property items read back: %d\n", read.GetCount());
        }
        {
            TKelvoPixelBuffer into;
            t = Now();
            if (!benchsupport::DecodeWithGdiPlus(direct, into)) return std::fprintf(stderr, "GDI+ load failed\n"), 1;
            bestDirectLoad = std::min(bestDirectLoad, Now() - t);
        }
    }
    ::DeleteFileA(oursName.c_str());
    ::DeleteFileA(directName.c_str());

    std::printf("%d x %d JPEG, quality 80, best of %d runs\n", Width, Height, runs);
    std::printf("load: ours %.1f ms, GDI+ %.1f ms, overhead %+.1f %%\n", bestOursLoad, bestDirectLoad,
                (bestOursLoad / bestDirectLoad - 1) * 100);
    std::printf("save: ours %.1f ms, GDI+ %.1f ms, overhead %+.1f %%\n", bestOursSave, bestDirectSave,
                (bestOursSave / bestDirectSave - 1) * 100);
    return 0;
}
