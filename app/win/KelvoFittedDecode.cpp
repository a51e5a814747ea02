#include "app/win/KelvoFittedDecode.h"

#include <algorithm>
#include <new>

#include "app/core/KelvoExifRead.h"
#include "app/core/KelvoResample.h"
#include "app/core/TKelvoProperties.h"
#include "classlib/core/Owned.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/Win32.h"
#include "classlib/win/WideChars.h"

#include <wincodec.h>

namespace {

void ReleaseCom(IUnknown* object) { object->Release(); }

template <class T>
using TComOwned = TOwned<T, ReleaseCom>;

std::int32_t RowStride(std::int32_t width) { return (width * 3 + 3) & ~3; }

// The largest whole picture decoded for a preview: 24-bit, about 85 megapixels.
constexpr std::uint64_t kMaxWholeBytes = std::uint64_t(256) << 20;

// The whole frame, 24-bit.
bool DecodeWhole(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, std::int32_t width, std::int32_t height,
                 TKelvoFittedPicture& decoded) {
    IWICFormatConverter* converterOut = nullptr;
    if (FAILED(factory->CreateFormatConverter(&converterOut))) return false;
    const TComOwned<IWICFormatConverter> converter(converterOut);
    if (FAILED(converter->Initialize(frame, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return false;
    const std::int32_t stride = RowStride(width);
    // A picture too big for one block of this process is refused before anything is allocated.
    if (std::uint64_t(stride) * std::uint64_t(height) > kMaxWholeBytes) return false;
    std::vector<std::uint8_t> bits;
    try {
        bits.resize(std::size_t(stride) * std::size_t(height));
    } catch (const std::bad_alloc&) {
        return false;  // the address space of a 32-bit process is short of it
    }
    if (FAILED(converter->CopyPixels(nullptr, UINT(stride), UINT(bits.size()), bits.data()))) return false;
    decoded = TKelvoFittedPicture{width, height, stride, std::move(bits)};
    return true;
}

// The frame reduced to fit the box with its aspect kept.
bool DecodeFittedFrame(IWICImagingFactory* factory, IWICBitmapDecoder* decoder, std::int32_t boxWidth,
                       std::int32_t boxHeight, TKelvoFittedPicture& picture) {
    IWICBitmapFrameDecode* frameOut = nullptr;
    if (FAILED(decoder->GetFrame(0, &frameOut))) return false;
    const TComOwned<IWICBitmapFrameDecode> frame(frameOut);
    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 || width > 65535 || height > 65535)
        return false;
    const double scale = std::min(double(boxWidth) / width, double(boxHeight) / height);
    const std::int32_t w = std::clamp(std::int32_t(width * scale + 0.5), 1, boxWidth);
    const std::int32_t h = std::clamp(std::int32_t(height * scale + 0.5), 1, boxHeight);
    TKelvoFittedPicture decoded;
    if (!DecodeWhole(factory, frame.get(), std::int32_t(width), std::int32_t(height), decoded)) return false;

    // Reduced with the photo resize's own filter.
    TKelvoFittedPicture fitted{w, h, RowStride(w), std::vector<std::uint8_t>(std::size_t(RowStride(w)) * h)};
    TKelvoPixels source, target;
    source.Init(TKelvoRect{0, 0, decoded.Width, decoded.Height}, decoded.Bits.data(), KelvoFormatBGR24, decoded.Stride);
    target.Init(TKelvoRect{0, 0, w, h}, fitted.Bits.data(), KelvoFormatBGR24, fitted.Stride);
    const TKelvoRect all{0, 0, w, h};
    Resample(target, all, all, TLanczosResampler(), source.GetBounds(), source);
    picture = std::move(fitted);
    return true;
}

// The JPEG preview a camera (or the program's own demonstrations) stores in the file's EXIF block, which
// comes within the file's first 64 KB; empty when there is none.
std::vector<std::uint8_t> EmbeddedPreview(const std::u16string& fileName) {
    constexpr DWORD kHead = 0x10000 + 0x100;
    HANDLE file = ::CreateFileW(WideCStr(fileName), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    const TOwned<void, ::CloseHandle> owned(file);
    std::vector<std::uint8_t> head(kHead);
    DWORD read = 0;
    if (!::ReadFile(file, head.data(), kHead, &read, nullptr)) return {};
    head.resize(read);
    TKelvoCustomProperties properties;
    std::uint32_t size = 0;
    if (ReadJpegMetadata(head.data(), head.size(), properties) <= 0 ||
        !properties.GetValueSize(TagThumbnailData, size, 1) || size == 0)
        return {};
    std::vector<std::uint8_t> preview(size);
    if (!properties.GetValue(TagThumbnailData, preview.data(), 1, size)) return {};
    return preview;
}

}  // namespace

bool KelvoDecodeFitted(const std::u16string& fileName, std::int32_t boxWidth, std::int32_t boxHeight,
                       TKelvoFittedPicture& picture) {
    if (boxWidth <= 0 || boxHeight <= 0) return false;
    // The imaging component is a COM server: this thread takes part for the call (S_FALSE when it already did,
    // which is balanced as well; a thread set up for another model serves as it is).
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    TScopeExit leave([com] {
        if (SUCCEEDED(com)) ::CoUninitialize();
    });
    if (FAILED(com) && com != RPC_E_CHANGED_MODE) return false;
    IWICImagingFactory* factoryOut = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(&factoryOut))))
        return false;
    const TComOwned<IWICImagingFactory> factory(factoryOut);

    // The stored preview, when there is one, spares decoding the whole picture.
    std::vector<std::uint8_t> preview = EmbeddedPreview(fileName);
    if (!preview.empty()) {
        IWICStream* streamOut = nullptr;
        IWICBitmapDecoder* decoderOut = nullptr;
        if (SUCCEEDED(factory->CreateStream(&streamOut))) {
            const TComOwned<IWICStream> stream(streamOut);
            if (SUCCEEDED(stream->InitializeFromMemory(preview.data(), DWORD(preview.size()))) &&
                SUCCEEDED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                           &decoderOut))) {
                const TComOwned<IWICBitmapDecoder> decoder(decoderOut);
                if (DecodeFittedFrame(factory.get(), decoder.get(), boxWidth, boxHeight, picture)) return true;
            }
        }
    }
    IWICBitmapDecoder* decoderOut = nullptr;
    if (FAILED(factory->CreateDecoderFromFilename(WideCStr(fileName), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoderOut)))
        return false;
    const TComOwned<IWICBitmapDecoder> decoder(decoderOut);
    return DecodeFittedFrame(factory.get(), decoder.get(), boxWidth, boxHeight, picture);
}
