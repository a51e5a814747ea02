// The graphics editor's format table: JPEG, TIFF, PNG, BMP and KVI (ids 0..4), the JPEG quality of its saves,
// and the open dialog's file information and thumbnails through GDI+. The document's Load and Save read and
// write through ReadGraphicsFile and WriteGraphicsFile (app/win/KelvoGraphicsIO.h).
//
// The table holds a share of GDI+ (started on first use), so that GDI+ stays up for as long as the editor has
// its table; thumbnails hold a share of their own for as long as they live.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "app/core/KelvoGraphicsRules.h"
#include "app/core/TKelvoFileFormats.h"
#include "app/win/KelvoGdiPlus.h"
#include "app/win/KelvoGraphicsIO.h"

class TKelvoGraphicsFileInfo : public TKelvoFileInfo {
public:
    TKelvoGraphicsFileInfo(std::u16string fileName, std::u16string description)
        : TKelvoFileInfo(std::move(fileName)), description_(std::move(description)) {}
    // Type, size, date, orientation and camera, one "label: value" line each; empty when GDI+ cannot read
    // the file.
    std::u16string GetDescription() const override { return description_; }

private:
    std::u16string description_;
};

class TKelvoGraphicsThumbnail : public TKelvoThumbnail {
public:
    // A preview of the file fitting width x height (the box turned for orientations 6 and 8), turned upright.
    // Empty (Valid() false) when GDI+ cannot read the file.
    TKelvoGraphicsThumbnail(const std::u16string& fileName, std::int32_t width, std::int32_t height);
    ~TKelvoGraphicsThumbnail() override;
    bool Valid() const { return static_cast<bool>(image_); }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    // Centred in rect; drawn is the rectangle it covers (empty when nothing was drawn).
    void Draw(TLDeviceContext dc, const TKelvoRect& rect, TKelvoRect& drawn) override;

private:
    TKelvoGdiPlusUser gdiplus_;  // declared first: it outlives the image
    TGdipImage image_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
};

class TKelvoGraphicsFormats : public TKelvoFileFormats {
public:
    explicit TKelvoGraphicsFormats(TKelvoTextSource texts = nullptr) : TKelvoFileFormats(texts) {}

    std::int32_t GetCount() const override { return KelvoGraphicsFormatCount; }
    const TKelvoFileFormat* GetFormat(std::int32_t index) const override { return GraphicsFormatRow(index); }
    // Null when the file does not exist.
    std::unique_ptr<TKelvoFileInfo> GetFileInfo(const std::u16string& fileName) const override;
    // Null when GDI+ cannot read the file.
    std::unique_ptr<TKelvoThumbnail> GetThumbnail(const std::u16string& fileName, std::int32_t width,
                                                  std::int32_t height) const override;
    bool MaySave(std::int32_t formatId) const { return true; }

    std::int32_t JpegQuality() const { return jpegQuality_; }
    void SetJpegQuality(std::int32_t quality) { jpegQuality_ = ClampJpegQuality(quality); }

    // Load and Save of a graphics document call these: the file into the document's working bitmap,
    // properties and resolution, and the document's pixels (its image area) out as a format of the table. The JPEG
    // options dialog has set JpegQuality before Save calls Write.
    bool Read(const std::u16string& fileName, TKelvoLTBitmap& working, TKelvoCustomProperties& properties,
              TKelvoResolution& resolution, std::int32_t& formatId) const;
    bool Write(const std::u16string& fileName, std::int32_t formatId, const TKelvoPixels& pixels,
               const TKelvoRect& imageRect, TKelvoCustomProperties& properties,
               const TKelvoResolution& resolution) const;

private:
    // Keeps GDI+ running between reads while the table lives.
    bool UseGdiPlus() const { return gdiplus_.Use(); }

    mutable TKelvoGdiPlusUser gdiplus_;
    std::int32_t jpegQuality_ = KelvoDefaultJpegQuality;
};
