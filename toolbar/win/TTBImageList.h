// The toolbar library's image list. Its own images may come from one strip bitmap (ImagesBitmap, with a mask
// colour), and three further lists may stand in for its images when an item is checked, disabled or hot
// (selected). Item viewers draw through DrawState when an item's list is one of these.
#pragma once
#include "classlib/core/TColor.h"
#include "classlib/win/TBitmap.h"
#include "classlib/win/TCustomImageList.h"

class TTBCustomImageList : public TImageList {
    CLASSLIB_COMPONENT(TTBCustomImageList, TImageList)
public:
    explicit TTBCustomImageList(TComponent* owner);
    ~TTBCustomImageList() override;

    // Each of the three lists: this list itself counts as none; the list's changes are this list's changes,
    // and freeing it sets the property back to none.
    TCustomImageList* CheckedImages() const { return checkedImages_; }
    void SetCheckedImages(TCustomImageList* value);
    TCustomImageList* DisabledImages() const { return disabledImages_; }
    void SetDisabledImages(TCustomImageList* value);
    TCustomImageList* HotImages() const { return hotImages_; }
    void SetHotImages(TCustomImageList* value);

    // Owned. Whenever it changes and is not empty, the list is emptied and filled from it, one image per
    // image width, with ImagesBitmapMaskColor transparent. Setting it copies value.
    TBitmap* ImagesBitmap() const { return imagesBitmap_.get(); }
    void SetImagesBitmap(TBitmap* value);
    TColor ImagesBitmapMaskColor() const { return imagesBitmapMaskColor_; }
    void SetImagesBitmapMaskColor(TColor value);

    // Draws image index as an item in that state shows it: a disabled one from DisabledImages (in full colour),
    // else a checked one from CheckedImages, else a hot one from HotImages, else from this list (embossed when
    // disabled).
    void DrawState(TCanvas* canvas, int x, int y, int index, bool enabled, bool hot, bool checked);

    void Notification(TComponent* component, TOperation operation) override;
    // With a non-empty ImagesBitmap the list's own images are not written: the bitmap carries them.
    void DefineProperties(TFiler* filer) override;

private:
    void SetImages(TCustomImageList*& field, TChangeLink& link, TCustomImageList* value);
    void ImagesChanged(TObject* sender);
    void ImagesBitmapChanged(TObject* sender);
    void FillFromImagesBitmap();

    TCustomImageList* checkedImages_ = nullptr;
    TCustomImageList* disabledImages_ = nullptr;
    TCustomImageList* hotImages_ = nullptr;
    TObjectPtr<TChangeLink> checkedLink_;
    TObjectPtr<TChangeLink> disabledLink_;
    TObjectPtr<TChangeLink> hotLink_;
    TObjectPtr<TBitmap> imagesBitmap_;
    TColor imagesBitmapMaskColor_ = clFuchsia;
};

class TTBImageList : public TTBCustomImageList {
    CLASSLIB_COMPONENT(TTBImageList, TTBCustomImageList)
public:
    explicit TTBImageList(TComponent* owner) : TTBCustomImageList(owner) {}
};
