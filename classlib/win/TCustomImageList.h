// Image lists: a set of equal-sized images (with masks) kept in one system image list, drawn normally,
// blended, as a mask or in an embossed disabled look, and kept in property streams as the system list's
// own data. Controls and menus that show images from a list learn of its changes through change links.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/core/Stream.h"
#include "classlib/core/TColor.h"
#include "classlib/core/TComponent.h"
#include "classlib/win/Win32.h"

class TCanvas;
class TBitmap;
class TIcon;
class TCustomImageList;

// How Draw shows an image when no style is passed: dsFocus and dsSelected blend it with BlendColor (25 % and
// 50 %), dsNormal draws it over BkColor (transparently when BkColor is clNone), dsTransparent always draws it
// through its mask.
enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
// itImage draws the image, itMask its mask.
enum TImageType { itImage, itMask };
// Colour depth of the system list; cdDeviceDependent uses the display's.
enum TColorDepth { cdDeviceDependent, cd4Bit, cd8Bit, cd16Bit, cd24Bit, cd32Bit };

// Tells one client that an image list changed. A link is registered with one list at a time; it leaves the
// list when it is destroyed, and the list forgets its links (Sender becomes null) when it is destroyed first.
class TChangeLink : public TObject {
    CLASSLIB_CLASS(TChangeLink, TObject)
public:
    TChangeLink() = default;
    ~TChangeLink() override;

    TCustomImageList* Sender() const { return sender_; }
    // Moves the link to another list (or to none).
    void SetSender(TCustomImageList* value);
    // Calls OnChange with the list as sender.
    virtual void Change();

    TNotifyEvent OnChange;

private:
    friend class TCustomImageList;
    TCustomImageList* sender_ = nullptr;
};

class TCustomImageList : public TComponent {
    CLASSLIB_COMPONENT(TCustomImageList, TComponent)
public:
    // A list of 16 x 16 images growing 4 at a time.
    explicit TCustomImageList(TComponent* owner);
    // A list of width x height images.
    TCustomImageList(TComponent* owner, int width, int height);
    ~TCustomImageList() override;

    // Image size. Changing either empties the list, because the system list's images have one size.
    // Raises EInvalidOperation for a size below 1.
    int Width() const { return width_; }
    void SetWidth(int value);
    int Height() const { return height_; }
    void SetHeight(int value);
    // How many images the system list makes room for at a time (at least 1).
    int AllocBy() const { return allocBy_; }
    void SetAllocBy(int value);
    // The kind of system list. Changing either empties the list.
    TColorDepth ColorDepth() const { return colorDepth_; }
    void SetColorDepth(TColorDepth value);
    bool Masked() const { return masked_; }
    void SetMasked(bool value);
    // The colour under images drawn with dsNormal (clNone: transparent) and the colour dsFocus and
    // dsSelected blend with (clNone: none, clDefault: the system highlight colour).
    TColor BkColor() const { return bkColor_; }
    void SetBkColor(TColor value);
    TColor BlendColor() const { return blendColor_; }
    void SetBlendColor(TColor value);
    TDrawingStyle DrawingStyle() const { return drawingStyle_; }
    void SetDrawingStyle(TDrawingStyle value);
    TImageType ImageType() const { return imageType_; }
    void SetImageType(TImageType value);

    // The system list, made on first use. The list owns it.
    HIMAGELIST Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    int Count() const;

    // Adding images. Each returns the index of the first image added, or -1 when nothing was added.
    // Add: the image and its mask (null: none); a bitmap wider than Width gives one image per Width pixels.
    virtual int Add(TBitmap* image, TBitmap* mask);
    // AddMasked: the pixels of maskColor become transparent. A bitmap wider than Width adds
    // width / Width images, left to right; a remainder narrower than Width is dropped, and a bitmap
    // narrower than Width adds nothing.
    virtual int AddMasked(TBitmap* image, TColor maskColor);
    virtual int AddIcon(TIcon* icon);
    // Inserts before index (0..Count; Count appends), cell by cell as Add. The images after index are drawn
    // out and put back one place further on, which flattens any per-pixel alpha they had onto black.
    // Raises EInvalidOperation for another index.
    virtual void Insert(int index, TBitmap* image, TBitmap* mask);
    // Replaces one image. Raises EInvalidOperation for an index out of range.
    virtual void Replace(int index, TBitmap* image, TBitmap* mask);
    // Removes one image. Raises EInvalidOperation for an index out of range.
    virtual void Delete(int index);
    virtual void Clear();

    // image becomes a Width x Height copy of the image over BkColor (black when that is clNone or
    // clDefault). Raises EInvalidOperation for an index out of range.
    void GetBitmap(int index, TBitmap* image);
    // icon takes an icon made from the image and its mask. Raises EInvalidOperation for an index out of range.
    void GetIcon(int index, TIcon* icon);

    // Draws image index at (x, y) in DrawingStyle and ImageType; a disabled image is drawn embossed: its
    // darker pixels (see DrawDisabled) in the button-highlight colour one pixel down and right, then in the
    // button-shadow colour in place. An index out of range draws nothing.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
    void Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, TImageType type, bool enabled = true);

    // Takes size, kind, colours, styles and images from another image list; other sources as TPersistent.
    void Assign(TPersistent* source) override;

    // Change notification: links are told, then OnChange. Between BeginUpdate and the matching
    // EndUpdate changes are held back; EndUpdate reports one change if any was held.
    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return updateCount_ > 0; }
    virtual void Change();

    // The system list's data as the entry "Bitmap" and the list's position as "Left" and "Top".
    void DefineProperties(TFiler* filer) override;
    // The system list's data in its own storage format.
    void ReadData(TStream& stream);
    void WriteData(TStream& stream);

    // The system drawing flags (ILD_*) of a style and image type.
    static std::uint32_t DrawFlags(TDrawingStyle style, TImageType type);
    // A colour as the system list takes it: clNone -> CLR_NONE, clDefault -> CLR_DEFAULT, else its RGB.
    static COLORREF ListColor(TColor color);

    TNotifyEvent OnChange;

protected:
    // Draws one image with the given ILD_* flags; every Draw ends here.
    virtual void DoDraw(int index, TCanvas* canvas, int x, int y, std::uint32_t style, bool enabled = true);
    // The embossed disabled look into dc: pixels of the image whose brightness (R + 2G + B) / 4 is below
    // 192 and that its mask shows.
    void DrawDisabled(HDC dc, int index, int x, int y);
    // Throws EInvalidOperation unless 0 <= index < Count (or <= Count when allowEnd).
    void CheckIndex(int index, bool allowEnd = false) const;
    // Drops the system list; the next Handle() makes an empty one.
    void FreeHandle();

private:
    void SetSize(int width, int height);
    // Adds every whole Width-wide cell of image (see AddMasked); with useMaskColor the pixels of maskColor
    // become transparent, else mask (may be null) is the mask. Returns the first new index or -1.
    int AddCells(TBitmap* image, TBitmap* mask, bool useMaskColor, COLORREF maskColor);
    // Moves the count images from first on to index, shifting those between.
    void MoveImages(int first, int count, int index);

    HIMAGELIST handle_ = nullptr;
    int width_ = 16;
    int height_ = 16;
    int allocBy_ = 4;
    TColorDepth colorDepth_ = cdDeviceDependent;
    bool masked_ = true;
    TColor bkColor_ = clNone;
    TColor blendColor_ = clNone;
    TDrawingStyle drawingStyle_ = dsNormal;
    TImageType imageType_ = itImage;
    int updateCount_ = 0;
    bool changedWhileUpdating_ = false;
    std::vector<TChangeLink*> links_;
};

class TImageList : public TCustomImageList {
    CLASSLIB_COMPONENT(TImageList, TCustomImageList)
public:
    explicit TImageList(TComponent* owner) : TCustomImageList(owner) {}
    TImageList(TComponent* owner, int width, int height) : TCustomImageList(owner, width, height) {}
};
