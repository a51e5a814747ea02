#include "classlib/win/TPicture.h"

#include <mutex>

#include "classlib/core/Paths.h"
#include "classlib/core/StringUtils.h"
#include "classlib/core/TFileStream.h"

namespace {
struct TFileFormat {
    AnsiString extension;  // lower case, without the dot
    AnsiString description;
    TGraphicClass graphicClass;
};

struct TFileFormats {
    std::mutex lock;
    std::vector<TFileFormat> formats{
        {"bmp", "Bitmaps", TGraphicClass::Of<TBitmap>()},
        {"ico", "Icons", TGraphicClass::Of<TIcon>()},
    };
};

TFileFormats& Formats() {
    static TFileFormats formats;
    return formats;
}

AnsiString ExtensionOf(const AnsiString& fileName) {
    AnsiString extension = ExtractFileExt(fileName);
    return extension.empty() ? extension : extension.substr(1);
}

TObjectPtr<TGraphic> NewGraphic(TGraphicClass graphicClass) {
    return TObjectPtr<TGraphic>(graphicClass.Create(nullptr));
}
}  // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Replace(TObjectPtr<TGraphic> graphic) {
    graphic_ = std::move(graphic);
    if (graphic_) graphic_->OnChange = MakeMethod<&TPicture::Changed>(this);
    Changed(this);
}

void TPicture::SetGraphic(TGraphic* graphic) {
    if (!graphic) {
        Replace(nullptr);
        return;
    }
    if (graphic == graphic_.get()) return;
    TObjectPtr<TGraphic> copy = NewGraphic(TGraphicClass(graphic->ClassType()));
    copy->Assign(graphic);
    Replace(std::move(copy));
}

TBitmap* TPicture::Bitmap() {
    if (!dynamic_cast<TBitmap*>(graphic_.get())) Replace(MakeObject<TBitmap>());
    return static_cast<TBitmap*>(graphic_.get());
}

TIcon* TPicture::Icon() {
    if (!dynamic_cast<TIcon*>(graphic_.get())) Replace(MakeObject<TIcon>());
    return static_cast<TIcon*>(graphic_.get());
}

int TPicture::Width() const { return graphic_ ? graphic_->Width() : 0; }

int TPicture::Height() const { return graphic_ ? graphic_->Height() : 0; }

void TPicture::LoadFromFile(const AnsiString& fileName) {
    AnsiString extension = ExtensionOf(fileName);
    TGraphicClass graphicClass = FileFormatClass(extension);
    if (!graphicClass) throw CreateFmt<EInvalidGraphic>("Unknown picture file extension (.%s)", {extension});
    TObjectPtr<TGraphic> graphic = NewGraphic(graphicClass);
    graphic->LoadFromFile(fileName);
    Replace(std::move(graphic));
}

void TPicture::LoadFromStream(TStream& stream, const AnsiString& extension) {
    TGraphicClass graphicClass = FileFormatClass(extension);
    if (!graphicClass) throw CreateFmt<EInvalidGraphic>("Unknown picture file extension (.%s)", {extension});
    TObjectPtr<TGraphic> graphic = NewGraphic(graphicClass);
    graphic->LoadFromStream(stream);
    Replace(std::move(graphic));
}

void TPicture::SaveToFile(const AnsiString& fileName) {
    if (graphic_) graphic_->SaveToFile(fileName);
}

void TPicture::Assign(TPersistent* source) {
    if (!source) {
        SetGraphic(nullptr);
        return;
    }
    if (auto* picture = dynamic_cast<TPicture*>(source)) {
        SetGraphic(picture->Graphic());
        return;
    }
    if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
        SetGraphic(graphic);
        return;
    }
    inherited::Assign(source);
}

void TPicture::Changed(TObject*) {
    if (OnChange) OnChange(this);
}

void TPicture::RegisterFileFormat(const AnsiString& extension, const AnsiString& description,
                                  TGraphicClass graphicClass) {
    if (!graphicClass) throw EInvalidGraphic("No graphic class given for ." + extension);
    AnsiString key = LowerCase(extension);
    TFileFormats& registry = Formats();
    std::lock_guard<std::mutex> hold(registry.lock);
    for (TFileFormat& format : registry.formats)
        if (format.extension == key) {
            format.description = description;
            format.graphicClass = graphicClass;
            return;
        }
    registry.formats.push_back(TFileFormat{key, description, graphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass graphicClass) {
    TFileFormats& registry = Formats();
    std::lock_guard<std::mutex> hold(registry.lock);
    std::erase_if(registry.formats, [&](const TFileFormat& f) { return f.graphicClass == graphicClass; });
}

TGraphicClass TPicture::FileFormatClass(const AnsiString& extension) {
    AnsiString key = LowerCase(extension);
    TFileFormats& registry = Formats();
    std::lock_guard<std::mutex> hold(registry.lock);
    for (const TFileFormat& format : registry.formats)
        if (format.extension == key) return format.graphicClass;
    return nullptr;
}

AnsiString TPicture::GraphicFilter(TGraphicClass graphicClass) {
    TFileFormats& registry = Formats();
    std::lock_guard<std::mutex> hold(registry.lock);
    AnsiString masks, entries;
    for (const TFileFormat& format : registry.formats) {
        if (graphicClass && !format.graphicClass->InheritsFrom(graphicClass)) continue;
        AnsiString mask = "*." + format.extension;
        if (!masks.empty()) masks += ';';
        masks += mask;
        entries += '|' + format.description + " (" + mask + ")|" + mask;
    }
    if (masks.empty()) return AnsiString();
    return "All (" + masks + ")|" + masks + entries;
}
