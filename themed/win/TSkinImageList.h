// An image list whose images keep their per-pixel alpha. The images live in an alpha strip; the system image
// list beside it holds the same images (as icons) for code that draws through the system list. Property
// streams keep the images as one PNG strip under "PngDIB".
#pragma once
#include "classlib/win/TCustomImageList.h"
#include "themed/win/TDIBList32.h"

class TSkinImageList : public TCustomImageList {
    CLASSLIB_COMPONENT(TSkinImageList, TCustomImageList)
public:
    explicit TSkinImageList(TComponent* owner);
    TSkinImageList(TComponent* owner, int width, int height);
    ~TSkinImageList() override;

    TDIBList32* AlphaList() const { return alphaList_.get(); }

    // Adds a Width x Height rectangle of an alpha image to both lists; returns its index.
    int AddImage(TDIB32* source, const TRect& sourceRect);

    // The class library's ways of adding images put them into both lists: what the system list makes of
    // them is taken into the alpha list, its alpha derived.
    int Add(TBitmap* image, TBitmap* mask) override;
    int AddMasked(TBitmap* image, TColor maskColor) override;
    int AddIcon(TIcon* icon) override;
    void Insert(int index, TBitmap* image, TBitmap* mask) override;
    void Replace(int index, TBitmap* image, TBitmap* mask) override;
    void Delete(int index) override;
    void Clear() override;

    // Null clears; another skin list is copied whole; another image list gives its size and its images,
    // their alpha derived; anything else goes to the base class.
    void Assign(TPersistent* source) override;
    // A changed Width or Height empties the alpha list and gives it the new size.
    void Change() override;

    // "Left" and "Top", "Bitmap" (the system list's data, read only) and "PngDIB" (the images as PNG).
    void DefineProperties(TFiler* filer) override;
    void ReadPngDIB(TStream& stream);
    void WritePngDIB(TStream& stream);

protected:
    void DoDraw(int index, TCanvas* canvas, int x, int y, std::uint32_t style, bool enabled = true) override;

private:
    void ReadBitmap(TStream& stream);
    // Takes count images of the system list from first on into the alpha list at the same places.
    void TakeFromSystemList(int first, int count);
    void AddIconOf(int index);

    TObjectPtr<TDIBList32> alphaList_;
    // Only the first of "Bitmap" and "PngDIB" counts when a stream is read.
    bool loaded_ = false;
    // Held while the two lists are being changed together, so Change leaves the alpha list alone.
    int guard_ = 0;
};
