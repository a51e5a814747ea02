#include "themed/win/TSkinLink.h"

#include <algorithm>

#include "classlib/win/TCustomImageList.h"
#include "classlib/win/TFont.h"

TSkinCustomLink::TSkinCustomLink(TComponent* owner) : TSkinTextObject(owner) {
    SetCursor(crHandPoint);
    SetTabStop(true);
    SetSmartFocus(true);
    SetSpaceClicks(true);
}

void TSkinCustomLink::SetImages(TCustomImageList* value) {
    if (images_ == value) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = value;
    if (value) value->FreeNotification(this);
    Changed();
}

void TSkinCustomLink::SetImageIndex(int value) {
    if (imageIndex_ == value) return;
    imageIndex_ = value;
    Changed();
}

void TSkinCustomLink::Notification(TComponent* component, TOperation operation) {
    TSkinTextObject::Notification(component, operation);
    if (operation == opRemove && component == images_) {
        images_ = nullptr;
        Changed();
    }
}

bool TSkinCustomLink::ImageShown() const { return images_ && imageIndex_ >= 0 && imageIndex_ < images_->Count(); }

void TSkinCustomLink::AdjustFont(TFont* font) {
    if (!Hot()) return;
    TFontStyles style = font->Style();
    style.Include(fsUnderline);
    font->SetStyle(style);
}

TRect TSkinCustomLink::GetTextMargins() {
    return skin::LinkTextMargins(RightAligned(), ImageShown(), ImageShown() ? images_->Width() : 0);
}

TSize TSkinCustomLink::GetTextSize() {
    TSize size = TSkinTextObject::GetTextSize();
    if (ImageShown()) size.cy = std::max(size.cy, images_->Height() + 4);
    return size;
}

TRect TSkinCustomLink::GetFocusRect() {
    TRect r = MeasuredTextRect();
    if (ImageShown()) {
        const TRect inner = skin::ShrinkRect(ClientRect(), Margins()->Edges());
        if (RightAligned())
            r.Right = inner.Right - 2;
        else
            r.Left = inner.Left + 2;
    }
    return Rect(r.Left - 2, r.Top, r.Right + 2, r.Bottom);
}

void TSkinCustomLink::Paint() {
    TSkinTextObject::Paint();
    if (!ImageShown()) return;
    const TRect inner = skin::ShrinkRect(ClientRect(), Margins()->Edges());
    const TRect image = skin::LinkImageRect(inner, RightAligned(), images_->Width(), images_->Height());
    SkinPaintControlImage(Canvas()->Handle(), image, Enabled() ? 0u : unsigned{skin::cdfDisabled}, images_,
                          imageIndex_);
}
