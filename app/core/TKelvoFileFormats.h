// The file types a document class reads and writes: a numbered list of formats, the lists the open and save
// dialogs offer with their filter strings, and per-file information and thumbnails for the dialog's preview.
//
// Texts shown to the user come from a TKelvoTextSource: the program's localizer once it runs, the built-in
// English texts (KelvoDefaultText) until then and in tests.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/core/KelvoGeometry.h"
#include "app/core/KelvoTextIds.h"
#include "imaging/core/LBitmap.h"

// Localized text by id. The second argument is the built-in text, which the source returns when it has none.
using TKelvoTextSource = std::u16string (*)(std::int32_t id, const std::u16string& fallback);

// The built-in text of an id (empty for an id it does not know).
std::u16string KelvoDefaultText(std::int32_t id);
// The text of id from source (null: the built-in text).
std::u16string KelvoText(TKelvoTextSource source, std::int32_t id);

struct TKelvoFileFormat {
    std::int32_t Id = 0;
    std::u16string Description;
    std::u16string Mask;       // several masks joined by ";", as "*.jpg;*.jpeg"
    std::u16string Extension;  // with the dot
    friend bool operator==(const TKelvoFileFormat&, const TKelvoFileFormat&) = default;
};
using TKelvoFileFormatArray = std::vector<TKelvoFileFormat>;

// The description of one file for the open dialog's preview.
class TKelvoFileInfo {
public:
    explicit TKelvoFileInfo(std::u16string fileName) : fileName_(std::move(fileName)) {}
    virtual ~TKelvoFileInfo() = default;
    const std::u16string& FileName() const { return fileName_; }
    // Empty here.
    virtual std::u16string GetDescription() const { return {}; }

private:
    std::u16string fileName_;
};

// A preview image of one file.
class TKelvoThumbnail {
public:
    virtual ~TKelvoThumbnail() = default;
    // Draws into rect of dc; drawn receives the rectangle actually covered.
    virtual void Draw(TLDeviceContext dc, const TKelvoRect& rect, TKelvoRect& drawn) = 0;
};

class TKelvoFileFormats {
public:
    explicit TKelvoFileFormats(TKelvoTextSource texts = nullptr) : texts_(texts) {}
    virtual ~TKelvoFileFormats() = default;
    TKelvoFileFormats(const TKelvoFileFormats&) = delete;
    TKelvoFileFormats& operator=(const TKelvoFileFormats&) = delete;

    virtual std::int32_t GetCount() const = 0;
    // The record of index 0 .. GetCount() - 1; null outside.
    virtual const TKelvoFileFormat* GetFormat(std::int32_t index) const = 0;
    // Information on a file, or null (null here).
    virtual std::unique_ptr<TKelvoFileInfo> GetFileInfo(const std::u16string& fileName) const;
    // A preview of at most width x height, or null (null here).
    virtual std::unique_ptr<TKelvoThumbnail> GetThumbnail(const std::u16string& fileName, std::int32_t width,
                                                          std::int32_t height) const;
    // The save list: every format in order.
    virtual TKelvoFileFormatArray GetFormats() const;
    // The open list: every format, then "all supported" (id 0, every mask joined by ";") and "all files"
    // (id 0, "*.*"). The two added records carry id 0 like a real format: tell them by position, not id.
    virtual TKelvoFileFormatArray GetOpenFormats() const;

    // The first index i whose GetFormat(i) has the id, else -1.
    std::int32_t IndexOfId(std::int32_t id) const;
    TKelvoTextSource Texts() const { return texts_; }

private:
    TKelvoTextSource texts_;
};

// The dialog filter: for every record "Description (mask)|mask", joined by "|". A "|" inside a description
// (a translated text, say) would split the filter wrongly and becomes a space.
std::u16string BuildFilterString(const TKelvoFileFormatArray& formats);
// The first array index whose record has the id, else -1.
std::int32_t IndexOfFileFormat(const TKelvoFileFormatArray& formats, std::int32_t id);
