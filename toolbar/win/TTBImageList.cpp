#include "toolbar/win/TTBImageList.h"

#include "classlib/core/ScopeGuard.h"
#include "classlib/core/StringUtils.h"
#include "classlib/core/TForwardingFiler.h"

namespace {

// Passes every entry on to the real filer, but writes "Bitmap" (the list's own images) only when allowed.
class TImagesEntryFilter : public TForwardingFiler {
public:
    TImagesEntryFilter(TFiler& inner, bool writeImages) : TForwardingFiler(inner), writeImages_(writeImages) {}
    void DefineBinaryProperty(const AnsiString& name, const TStreamProc& read, const TStreamProc& write,
                              bool hasData) override {
        Inner().DefineBinaryProperty(name, read, write, hasData && (writeImages_ || !SameTextAscii(name, "Bitmap")));
    }

private:
    bool writeImages_;
};

}  // namespace

TTBCustomImageList::TTBCustomImageList(TComponent* owner)
    : TImageList(owner),
      checkedLink_(MakeObject<TChangeLink>()),
      disabledLink_(MakeObject<TChangeLink>()),
      hotLink_(MakeObject<TChangeLink>()),
      imagesBitmap_(MakeObject<TBitmap>()) {
    for (TChangeLink* link : {checkedLink_.get(), disabledLink_.get(), hotLink_.get()})
        link->OnChange = MakeMethod<&TTBCustomImageList::ImagesChanged>(this);
    imagesBitmap_->OnChange = MakeMethod<&TTBCustomImageList::ImagesBitmapChanged>(this);
}

TTBCustomImageList::~TTBCustomImageList() = default;

void TTBCustomImageList::SetCheckedImages(TCustomImageList* value) { SetImages(checkedImages_, *checkedLink_, value); }

void TTBCustomImageList::SetDisabledImages(TCustomImageList* value) {
    SetImages(disabledImages_, *disabledLink_, value);
}

void TTBCustomImageList::SetHotImages(TCustomImageList* value) { SetImages(hotImages_, *hotLink_, value); }

void TTBCustomImageList::SetImages(TCustomImageList*& field, TChangeLink& link, TCustomImageList* value) {
    if (value == this) value = nullptr;
    if (field == value) return;
    field = value;
    link.SetSender(value);
    if (value) value->FreeNotification(this);
    if (!ComponentState().Contains(csLoading) && !ComponentState().Contains(csDestroying)) Change();
}

void TTBCustomImageList::ImagesChanged(TObject*) { Change(); }

void TTBCustomImageList::SetImagesBitmap(TBitmap* value) { imagesBitmap_->Assign(value); }

void TTBCustomImageList::SetImagesBitmapMaskColor(TColor value) {
    if (imagesBitmapMaskColor_ == value) return;
    imagesBitmapMaskColor_ = value;
    FillFromImagesBitmap();
}

void TTBCustomImageList::ImagesBitmapChanged(TObject*) { FillFromImagesBitmap(); }

void TTBCustomImageList::FillFromImagesBitmap() {
    if (imagesBitmap_->Empty()) return;
    // One change for the whole refill.
    TUpdateGuard update(*this);
    Clear();
    AddMasked(imagesBitmap_.get(), imagesBitmapMaskColor_);
}

void TTBCustomImageList::DrawState(TCanvas* canvas, int x, int y, int index, bool enabled, bool hot, bool checked) {
    if (!enabled && disabledImages_)
        disabledImages_->Draw(canvas, x, y, index, true);
    else if (checked && checkedImages_)
        checkedImages_->Draw(canvas, x, y, index, enabled);
    else if (hot && hotImages_)
        hotImages_->Draw(canvas, x, y, index, enabled);
    else
        Draw(canvas, x, y, index, enabled);
}

void TTBCustomImageList::Notification(TComponent* component, TOperation operation) {
    TImageList::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == checkedImages_) SetCheckedImages(nullptr);
    if (component == disabledImages_) SetDisabledImages(nullptr);
    if (component == hotImages_) SetHotImages(nullptr);
}

void TTBCustomImageList::DefineProperties(TFiler* filer) {
    TImagesEntryFilter filter(*filer, imagesBitmap_->Empty());
    TImageList::DefineProperties(&filter);
}
