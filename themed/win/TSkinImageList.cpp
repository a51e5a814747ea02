#include "themed/win/TSkinImageList.h"

#include "classlib/core/ScopeGuard.h"
#include "classlib/core/StringUtils.h"
#include "classlib/core/TForwardingFiler.h"
#include "classlib/win/TCanvas.h"
#include "themed/core/PngDIB.h"

namespace {

// Passes every entry to the real filer except "Bitmap", which is only ever read, by the given handler.
class TBitmapEntryRedirect : public TForwardingFiler {
public:
    TBitmapEntryRedirect(TFiler& inner, TStreamProc read) : TForwardingFiler(inner), read_(std::move(read)) {}
    void DefineBinaryProperty(const AnsiString& name, const TStreamProc& read, const TStreamProc& write,
                              bool hasData) override {
        if (SameTextAscii(name, "Bitmap"))
            Inner().DefineBinaryProperty(name, read_, nullptr, false);
        else
            Inner().DefineBinaryProperty(name, read, write, hasData);
    }

private:
    TStreamProc read_;
};

// A colour as the alpha list draws with it.
std::uint32_t ListValue(TColor color) {
    if (color == clNone) return dlColorNone;
    if (color == clDefault) return dlColorDefault;
    return std::uint32_t(ColorToRGB(color));
}

}  // namespace

TSkinImageList::TSkinImageList(TComponent* owner) : TSkinImageList(owner, 16, 16) {}

TSkinImageList::TSkinImageList(TComponent* owner, int width, int height) : TCustomImageList(owner, width, height) {
    ++guard_;
    TScopeExit unguard([this] { --guard_; });
    SetColorDepth(cd32Bit);
    alphaList_ = MakeObject<TDIBList32>(Width(), Height(), AllocBy());
}

TSkinImageList::~TSkinImageList() { ++guard_; }

void TSkinImageList::AddIconOf(int index) {
    HICON icon = alphaList_->GetIcon(index);
    if (!icon) return;
    ::ImageList_ReplaceIcon(Handle(), -1, icon);
    ::DestroyIcon(icon);
}

int TSkinImageList::AddImage(TDIB32* source, const TRect& sourceRect) {
    const int index = alphaList_->Add(source, sourceRect);
    AddIconOf(index);
    Change();
    return index;
}

void TSkinImageList::TakeFromSystemList(int first, int count) {
    for (int i = 0; i < count; ++i) alphaList_->AddFromImageList(Handle(), first + i, first + i);
}

int TSkinImageList::Add(TBitmap* image, TBitmap* mask) {
    TUpdateGuard update(*this);
    const int before = Count();
    const int first = TCustomImageList::Add(image, mask);
    if (first >= 0) TakeFromSystemList(first, Count() - before);
    return first;
}

int TSkinImageList::AddMasked(TBitmap* image, TColor maskColor) {
    TUpdateGuard update(*this);
    const int before = Count();
    const int first = TCustomImageList::AddMasked(image, maskColor);
    if (first >= 0) TakeFromSystemList(first, Count() - before);
    return first;
}

int TSkinImageList::AddIcon(TIcon* icon) {
    TUpdateGuard update(*this);
    const int index = TCustomImageList::AddIcon(icon);
    if (index >= 0) TakeFromSystemList(index, 1);
    return index;
}

void TSkinImageList::Insert(int index, TBitmap* image, TBitmap* mask) {
    TUpdateGuard update(*this);
    const int before = Count();
    TCustomImageList::Insert(index, image, mask);
    TakeFromSystemList(index, Count() - before);
}

void TSkinImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
    TUpdateGuard update(*this);
    TCustomImageList::Replace(index, image, mask);
    alphaList_->Delete(index);
    TakeFromSystemList(index, 1);
}

void TSkinImageList::Delete(int index) {
    TUpdateGuard update(*this);
    TCustomImageList::Delete(index);
    alphaList_->Delete(index);
}

void TSkinImageList::Clear() {
    alphaList_->Clear();
    TCustomImageList::Clear();
}

void TSkinImageList::Assign(TPersistent* source) {
    if (!source) {
        Clear();
        return;
    }
    if (auto* skin = dynamic_cast<TSkinImageList*>(source)) {
        if (skin == this) return;
        {
            ++guard_;
            TScopeExit unguard([this] { --guard_; });
            TCustomImageList::Assign(skin);
            alphaList_->Assign(skin->alphaList_.get());
        }
        Change();
        return;
    }
    if (auto* list = dynamic_cast<TCustomImageList*>(source)) {
        Clear();
        // Outside an update, so the alpha list takes the new size at once.
        SetWidth(list->Width());
        SetHeight(list->Height());
        TUpdateGuard update(*this);
        for (int i = 0; i < list->Count(); ++i) {
            alphaList_->AddFromImageList(list->Handle(), i);
            AddIconOf(i);
        }
        Change();
        return;
    }
    TCustomImageList::Assign(source);
}

void TSkinImageList::Change() {
    if (!Updating() && guard_ == 0 && alphaList_ &&
        (alphaList_->Width() != Width() || alphaList_->Height() != Height()))
        alphaList_->SetSize(Width(), Height(), std::max(1, AllocBy()));
    TCustomImageList::Change();
}

void TSkinImageList::DoDraw(int index, TCanvas* canvas, int x, int y, std::uint32_t style, bool enabled) {
    if (!canvas || index < 0 || index >= alphaList_->Count()) return;
    HDC dc = canvas->Handle();
    if (enabled)
        alphaList_->Draw(index, dc, x, y, 0, 0, ListValue(BkColor()), ListValue(BlendColor()), style);
    else
        alphaList_->Strip()->DrawDisabled(dc, x, y, alphaList_->GetRect(index));
}

// ---- streaming ----

void TSkinImageList::DefineProperties(TFiler* filer) {
    TBitmapEntryRedirect redirect(*filer, [this](TStream& stream) { ReadBitmap(stream); });
    TCustomImageList::DefineProperties(&redirect);
    bool hasImages;
    if (auto* ancestor = dynamic_cast<TSkinImageList*>(filer->Ancestor()))
        hasImages = !alphaList_->Equals(ancestor->alphaList_.get());
    else
        hasImages = filer->Ancestor() != nullptr || alphaList_->Count() > 0;
    filer->DefineBinaryProperty(
        "PngDIB", [this](TStream& stream) { ReadPngDIB(stream); }, [this](TStream& stream) { WritePngDIB(stream); },
        hasImages);
}

void TSkinImageList::ReadBitmap(TStream& stream) {
    if (loaded_) return;
    loaded_ = true;
    TUpdateGuard update(*this);
    ReadData(stream);
    // The system list took its size from the data: the alpha list follows before taking the images.
    alphaList_->SetSize(Width(), Height(), std::max(1, AllocBy()));
    TakeFromSystemList(0, Count());
}

void TSkinImageList::ReadPngDIB(TStream& stream) {
    if (loaded_) return;
    loaded_ = true;
    std::vector<std::uint32_t> strip;
    const std::int32_t count = themed::ReadPngDIB(stream, Width(), Height(), strip);
    if (count <= 0) return;
    TDIB32 image;
    image.SetSize(Width(), Height());
    const std::size_t imagePixels = std::size_t(Width()) * std::size_t(Height());
    TUpdateGuard update(*this);
    for (std::int32_t i = 0; i < count; ++i) {
        std::copy_n(strip.begin() + std::ptrdiff_t(imagePixels * std::size_t(i)), imagePixels, image.Pixels());
        AddImage(&image, image.Bounds());
    }
}

void TSkinImageList::WritePngDIB(TStream& stream) {
    const int count = alphaList_->Count();
    themed::WritePngDIB(stream, count, Width(), Height(), count > 0 ? alphaList_->Strip()->Pixels() : nullptr);
}
