// A themed link: text underlined while the pointer is on it, an optional image beside it, the hand cursor,
// a tab stop, and clicks from the mouse, Space, Enter and its accelerator.
#pragma once
#include "themed/win/TSkinTextObject.h"

class TCustomImageList;

class TSkinCustomLink : public TSkinTextObject {
    CLASSLIB_COMPONENT(TSkinCustomLink, TSkinTextObject)

    explicit TSkinCustomLink(TComponent* owner);

    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);

    void AdjustFont(TFont* font) override;
    TSize GetTextSize() override;
    TRect GetTextMargins() override;
    TRect GetFocusRect() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void Paint() override;

private:
    bool ImageShown() const;
    bool RightAligned() { return GetTextAlignment() == taRightJustify; }

    TCustomImageList* images_ = nullptr;
    int imageIndex_ = -1;
};

class TSkinLink : public TSkinCustomLink {
    CLASSLIB_COMPONENT(TSkinLink, TSkinCustomLink)
    explicit TSkinLink(TComponent* owner) : TSkinCustomLink(owner) {}
};
