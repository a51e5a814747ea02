#include "app/win/TKelvoGraphicsDocumentFormats.h"

#include <vector>

#include "app/core/TKelvoGraphicsDocument.h"
#include "app/win/KelvoExchangeFile.h"
#include "app/win/KelvoGraphicsIO.h"
#include "classlib/win/TScreen.h"

namespace {

// The hourglass for as long as the object lives, the pointer as it was afterwards, also when a format raises.
class THourglass {
public:
    THourglass() : old_(Screen ? Screen->Cursor() : TCursor(crDefault)) {
        if (Screen) Screen->SetCursor(crHourGlass);
    }
    ~THourglass() {
        if (Screen) Screen->SetCursor(old_);
    }
    THourglass(const THourglass&) = delete;
    THourglass& operator=(const THourglass&) = delete;

private:
    TCursor old_;
};

}  // namespace

TKelvoExchangeLoad TKelvoGraphicsDocumentFormats::LoadExchange(TKelvoGraphicsDocument& document,
                                                               const std::u16string& fileName) {
    TKelvoPixelBuffer pixels;
    std::vector<std::uint8_t> exifJpeg;
    if (!ReadExchangeFile(fileName, pixels, &exifJpeg)) return TKelvoExchangeLoad::NotExchange;
    // The file is the host's image, even when its pixels do not fit in memory: the load then fails rather
    // than trying GDI+ on it.
    if (!document.Working().Assign(pixels)) return TKelvoExchangeLoad::Failed;
    document.Properties().Clear();
    document.SetResolution(0, 0);
    TKelvoResolution resolution;
    // A trailer that does not decode is ignored.
    if (!exifJpeg.empty() &&
        ReadMemoryImageProperties(exifJpeg.data(), exifJpeg.size(), document.Properties(), resolution))
        document.SetResolution(resolution.X, resolution.Y);
    return TKelvoExchangeLoad::Loaded;
}

bool TKelvoGraphicsDocumentFormats::Load(TKelvoDocument& document, const std::u16string& fileName,
                                         std::int32_t& formatId) {
    auto* graphics = dynamic_cast<TKelvoGraphicsDocument*>(&document);
    if (!graphics) return false;
    THourglass hourglass;
    const TKelvoExchangeLoad exchange = LoadExchange(*graphics, fileName);
    if (exchange == TKelvoExchangeLoad::Failed) return false;
    if (exchange == TKelvoExchangeLoad::Loaded) {
        formatId = KelvoFormatExchange;
    } else {
        TKelvoResolution resolution;
        std::int32_t id = KelvoFormatOther;
        if (!table_.Read(fileName, graphics->Working(), graphics->Properties(), resolution, id)) return false;
        // Writing back into the file it came from is for the exchange reader's files alone.
        formatId = id == KelvoFormatExchange ? KelvoFormatOther : id;
        graphics->SetResolution(resolution.X, resolution.Y);
    }
    graphics->LoadedWorking();
    return true;
}

bool TKelvoGraphicsDocumentFormats::Save(TKelvoDocument& document, const std::u16string& fileName,
                                         std::int32_t formatId) {
    auto* graphics = dynamic_cast<TKelvoGraphicsDocument*>(&document);
    if (!graphics) return false;
    THourglass hourglass;
    if (formatId == KelvoFormatJPEG) {
        std::int32_t quality = table_.JpegQuality();
        if (!askJpegQuality_ || !askJpegQuality_(quality)) return false;
        table_.SetJpegQuality(quality);
    }
    graphics->BeforeSave();
    if (formatId == KelvoFormatExchange) return WriteExchangeFile(fileName, graphics->GetPixels());
    const TKelvoResolution resolution{graphics->ResolutionX(), graphics->ResolutionY()};
    return table_.Write(fileName, formatId, graphics->GetPixels(), graphics->GetImageRect(), graphics->Properties(),
                        resolution);
}
