#include "app/core/TKelvoFileFormats.h"

namespace {

struct DefaultText {
    std::int32_t Id;
    const char16_t* Text;
};

// The English texts of the format lists and of the open dialog's file information.
constexpr DefaultText DefaultTexts[] = {
    {KelvoTextFileOrientation, u"Orientation"},
    {KelvoTextAllSupported, u"All supported formats"},
    {KelvoTextAllFiles, u"All files"},
    {KelvoTextFileType, u"Type"},
    {KelvoTextFileSize, u"Size"},
    {KelvoTextFileCamera, u"Camera"},
    {KelvoTextFileDate, u"Date"},
};

}  // namespace

std::u16string KelvoDefaultText(std::int32_t id) {
    for (const DefaultText& t : DefaultTexts)
        if (t.Id == id) return t.Text;
    return {};
}

std::u16string KelvoText(TKelvoTextSource source, std::int32_t id) {
    std::u16string fallback = KelvoDefaultText(id);
    return source ? source(id, fallback) : fallback;
}

std::unique_ptr<TKelvoFileInfo> TKelvoFileFormats::GetFileInfo(const std::u16string&) const { return nullptr; }

std::unique_ptr<TKelvoThumbnail> TKelvoFileFormats::GetThumbnail(const std::u16string&, std::int32_t,
                                                                 std::int32_t) const {
    return nullptr;
}

TKelvoFileFormatArray TKelvoFileFormats::GetFormats() const {
    TKelvoFileFormatArray formats;
    const std::int32_t count = GetCount();
    for (std::int32_t i = 0; i < count; ++i)
        if (const TKelvoFileFormat* f = GetFormat(i)) formats.push_back(*f);
    return formats;
}

TKelvoFileFormatArray TKelvoFileFormats::GetOpenFormats() const {
    TKelvoFileFormatArray formats = GetFormats();
    std::u16string masks;
    for (const TKelvoFileFormat& f : formats) {
        if (!masks.empty()) masks += u';';
        masks += f.Mask;
    }
    formats.push_back(TKelvoFileFormat{0, KelvoText(texts_, KelvoTextAllSupported), masks, {}});
    formats.push_back(TKelvoFileFormat{0, KelvoText(texts_, KelvoTextAllFiles), u"*.*", {}});
    return formats;
}

std::int32_t TKelvoFileFormats::IndexOfId(std::int32_t id) const {
    const std::int32_t count = GetCount();
    for (std::int32_t i = 0; i < count; ++i) {
        const TKelvoFileFormat* f = GetFormat(i);
        if (f && f->Id == id) return i;
    }
    return -1;
}

std::u16string BuildFilterString(const TKelvoFileFormatArray& formats) {
    std::u16string filter;
    for (const TKelvoFileFormat& f : formats) {
        if (!filter.empty()) filter += u'|';
        std::u16string description = f.Description;
        for (char16_t& c : description)
            if (c == u'|') c = u' ';
        filter += description + u" (" + f.Mask + u")|" + f.Mask;
    }
    return filter;
}

std::int32_t IndexOfFileFormat(const TKelvoFileFormatArray& formats, std::int32_t id) {
    for (std::size_t i = 0; i < formats.size(); ++i)
        if (formats[i].Id == id) return std::int32_t(i);
    return -1;
}
