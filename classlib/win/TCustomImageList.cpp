#include "classlib/win/TCustomImageList.h"

#include <algorithm>
#include <cstring>

#include "classlib/core/TFiler.h"
#include "classlib/core/TReader.h"
#include "classlib/core/TWriter.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/DibSection.h"
#include "classlib/win/MemoryDC.h"
#include "classlib/win/TBitmap.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/TIcon.h"
#include "classlib/win/TStreamAdapter.h"

namespace {

// A top-down DIB section of bitsPerPixel (24 or 32) with its pixels reachable through bits.
TGdiHandle<HBITMAP> MakeDib(int width, int height, WORD bitsPerPixel, void** bits = nullptr) {
    void* pixels = nullptr;
    TGdiHandle<HBITMAP> dib = CreateTopDownDibSection(width, height, bitsPerPixel, pixels);
    if (!dib) throw EOutOfResources("Cannot create a bitmap");
    if (bits) *bits = pixels;
    return dib;
}

void FillDC(HDC dc, int width, int height, COLORREF color) {
    const RECT r{0, 0, width, height};
    TGdiHandle<HBRUSH> brush(::CreateSolidBrush(color));
    ::FillRect(dc, &r, brush.Get());
}

// A width x height copy of source's top-left part over fill: the system list may change the bitmaps it is
// given (a masked add blackens the transparent pixels), and the source may be selected into its own DC.
TGdiHandle<HBITMAP> CopyPart(TBitmap* source, int width, int height, WORD bitsPerPixel, COLORREF fill) {
    TGdiHandle<HBITMAP> copy = MakeDib(width, height, bitsPerPixel);
    TMemoryDC dc(copy.Get());
    FillDC(dc.Get(), width, height, fill);
    ::BitBlt(dc.Get(), 0, 0, std::min(width, source->Width()), std::min(height, source->Height()),
             source->Canvas()->Handle(), 0, 0, SRCCOPY);
    return copy;
}

// The same for a mask: monochrome, white (transparent) where the source mask has no pixels.
TGdiHandle<HBITMAP> CopyMask(TBitmap* source, int width, int height) {
    TGdiHandle<HBITMAP> copy(::CreateBitmap(width, height, 1, 1, nullptr));
    if (!copy) throw EOutOfResources("Cannot create a bitmap");
    TMemoryDC dc(copy.Get());
    ::PatBlt(dc.Get(), 0, 0, width, height, WHITENESS);
    ::BitBlt(dc.Get(), 0, 0, std::min(width, source->Width()), std::min(height, source->Height()),
             source->Canvas()->Handle(), 0, 0, SRCCOPY);
    return copy;
}

constexpr int kDisabledInkLimit = 192;
// Draws the set bits of a monochrome bitmap in brush colour and leaves the other pixels of the target.
constexpr DWORD kRopPaintSetBits = 0x00B8074A;

}  // namespace

// ---- TChangeLink ----

TChangeLink::~TChangeLink() {
    if (sender_) sender_->UnRegisterChanges(this);
}

void TChangeLink::SetSender(TCustomImageList* value) {
    if (value == sender_) return;
    if (sender_) sender_->UnRegisterChanges(this);
    if (value) value->RegisterChanges(this);
}

void TChangeLink::Change() {
    if (OnChange) OnChange(sender_);
}

// ---- TCustomImageList ----

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::TCustomImageList(TComponent* owner, int width, int height) : TComponent(owner) {
    if (width < 1 || height < 1) throw EInvalidOperation("Invalid image size");
    width_ = width;
    height_ = height;
}

TCustomImageList::~TCustomImageList() {
    for (TChangeLink* link : links_) link->sender_ = nullptr;
    links_.clear();
    FreeHandle();
}

void TCustomImageList::FreeHandle() {
    if (handle_) ::ImageList_Destroy(handle_);
    handle_ = nullptr;
}

HIMAGELIST TCustomImageList::Handle() {
    if (!handle_) {
        UINT flags = ILC_COLORDDB;
        switch (colorDepth_) {
            case cdDeviceDependent: flags = ILC_COLORDDB; break;
            case cd4Bit: flags = ILC_COLOR4; break;
            case cd8Bit: flags = ILC_COLOR8; break;
            case cd16Bit: flags = ILC_COLOR16; break;
            case cd24Bit: flags = ILC_COLOR24; break;
            case cd32Bit: flags = ILC_COLOR32; break;
        }
        if (masked_) flags |= ILC_MASK;
        handle_ = ::ImageList_Create(width_, height_, flags, allocBy_, allocBy_);
        if (!handle_) throw EOutOfResources("Cannot create an image list");
        ::ImageList_SetBkColor(handle_, bkColor_ == clDefault ? CLR_NONE : ListColor(bkColor_));
    }
    return handle_;
}

int TCustomImageList::Count() const { return handle_ ? ::ImageList_GetImageCount(handle_) : 0; }

void TCustomImageList::SetSize(int width, int height) {
    if (width < 1 || height < 1) throw EInvalidOperation("Invalid image size");
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    // Keeps the handle that others may hold; the system list drops its images with the new size.
    if (handle_ && !::ImageList_SetIconSize(handle_, width, height)) FreeHandle();
    Change();
}

void TCustomImageList::SetWidth(int value) { SetSize(value, height_); }
void TCustomImageList::SetHeight(int value) { SetSize(width_, value); }

void TCustomImageList::SetAllocBy(int value) { allocBy_ = std::max(1, value); }

void TCustomImageList::SetColorDepth(TColorDepth value) {
    if (value == colorDepth_) return;
    colorDepth_ = value;
    FreeHandle();
    Change();
}

void TCustomImageList::SetMasked(bool value) {
    if (value == masked_) return;
    masked_ = value;
    FreeHandle();
    Change();
}

void TCustomImageList::SetBkColor(TColor value) {
    if (value == bkColor_) return;
    bkColor_ = value;
    if (handle_) ::ImageList_SetBkColor(handle_, value == clDefault ? CLR_NONE : ListColor(value));
    Change();
}

void TCustomImageList::SetBlendColor(TColor value) {
    if (value == blendColor_) return;
    blendColor_ = value;
    Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle value) {
    if (value == drawingStyle_) return;
    drawingStyle_ = value;
    Change();
}

void TCustomImageList::SetImageType(TImageType value) {
    if (value == imageType_) return;
    imageType_ = value;
    Change();
}

COLORREF TCustomImageList::ListColor(TColor color) {
    if (color == clNone) return CLR_NONE;
    if (color == clDefault) return CLR_DEFAULT;
    return static_cast<COLORREF>(ColorToRGB(color));
}

std::uint32_t TCustomImageList::DrawFlags(TDrawingStyle style, TImageType type) {
    std::uint32_t flags = ILD_NORMAL;
    switch (style) {
        case dsFocus: flags = ILD_FOCUS; break;
        case dsSelected: flags = ILD_SELECTED; break;
        case dsNormal: flags = ILD_NORMAL; break;
        case dsTransparent: flags = ILD_TRANSPARENT; break;
    }
    if (type == itMask) flags |= ILD_MASK;
    return flags;
}

void TCustomImageList::CheckIndex(int index, bool allowEnd) const {
    const int count = Count();
    if (index < 0 || index > count || (index == count && !allowEnd))
        throw CreateFmt<EInvalidOperation>("Invalid image list index (%d)", {index});
}

// ---- adding and removing ----

int TCustomImageList::AddCells(TBitmap* image, TBitmap* mask, bool useMaskColor, COLORREF maskColor) {
    if (!image || image->Width() < width_) return -1;
    // Whole cells only: a remainder narrower than Width would become an image cut short.
    const int cellsWidth = image->Width() / width_ * width_;
    HIMAGELIST list = Handle();
    int first;
    if (useMaskColor) {
        // Rows below the source are filled with the mask colour, so they stay transparent.
        TGdiHandle<HBITMAP> copy = CopyPart(image, cellsWidth, height_, 24, maskColor);
        first = ::ImageList_AddMasked(list, copy.Get(), maskColor);
    } else {
        TGdiHandle<HBITMAP> copy = CopyPart(image, cellsWidth, height_, 32, RGB(0, 0, 0));
        TGdiHandle<HBITMAP> maskCopy;
        if (mask) maskCopy = CopyMask(mask, cellsWidth, height_);
        first = ::ImageList_Add(list, copy.Get(), maskCopy.Get());
    }
    return first;
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
    const int first = AddCells(image, mask, false, 0);
    if (first >= 0) Change();
    return first;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
    const int first = AddCells(image, nullptr, true, static_cast<COLORREF>(ColorToRGB(maskColor)));
    if (first >= 0) Change();
    return first;
}

int TCustomImageList::AddIcon(TIcon* icon) {
    if (!icon || !icon->Handle()) return -1;
    const int index = ::ImageList_ReplaceIcon(Handle(), -1, icon->Handle());
    if (index >= 0) Change();
    return index;
}

void TCustomImageList::MoveImages(int first, int count, int index) {
    // The images are drawn out and put back in their new order: the system list's own exchange of two
    // images is not dependable on every system.
    struct Cell {
        TGdiHandle<HBITMAP> image;
        TGdiHandle<HBITMAP> mask;
    };
    std::vector<Cell> cells;
    for (int p = index; p < first + count; ++p) {
        const int source = p < index + count ? first + (p - index) : p - count;
        Cell cell{MakeDib(width_, height_, 32), TGdiHandle<HBITMAP>(::CreateBitmap(width_, height_, 1, 1, nullptr))};
        if (!cell.mask) throw EOutOfResources("Cannot create a bitmap");
        {
            TMemoryDC dc(cell.image.Get());
            FillDC(dc.Get(), width_, height_, RGB(0, 0, 0));
            ::ImageList_DrawEx(handle_, source, dc.Get(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
        }
        {
            TMemoryDC dc(cell.mask.Get());
            ::PatBlt(dc.Get(), 0, 0, width_, height_, WHITENESS);
            ::ImageList_DrawEx(handle_, source, dc.Get(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_MASK);
        }
        cells.push_back(std::move(cell));
    }
    for (int p = index; p < first + count; ++p) {
        const Cell& cell = cells[static_cast<std::size_t>(p - index)];
        ::ImageList_Replace(handle_, p, cell.image.Get(), cell.mask.Get());
    }
}

void TCustomImageList::Insert(int index, TBitmap* image, TBitmap* mask) {
    CheckIndex(index, true);
    const int before = Count();
    const int first = AddCells(image, mask, false, 0);
    if (first < 0) return;
    MoveImages(first, Count() - before, index);
    Change();
}

void TCustomImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
    CheckIndex(index);
    if (!image) return;
    TGdiHandle<HBITMAP> copy = CopyPart(image, width_, height_, 32, RGB(0, 0, 0));
    TGdiHandle<HBITMAP> maskCopy;
    if (mask) maskCopy = CopyMask(mask, width_, height_);
    if (!::ImageList_Replace(handle_, index, copy.Get(), maskCopy.Get()))
        throw EInvalidOperation("Failed to replace image");
    Change();
}

void TCustomImageList::Delete(int index) {
    CheckIndex(index);
    ::ImageList_Remove(handle_, index);
    Change();
}

void TCustomImageList::Clear() {
    if (handle_) ::ImageList_Remove(handle_, -1);
    Change();
}

void TCustomImageList::GetBitmap(int index, TBitmap* image) {
    CheckIndex(index);
    if (!image) return;
    image->SetSize(width_, height_);
    const COLORREF under = (bkColor_ == clNone || bkColor_ == clDefault) ? RGB(0, 0, 0) : ListColor(bkColor_);
    HDC dc = image->Canvas()->Handle();
    FillDC(dc, width_, height_, under);
    ::ImageList_DrawEx(handle_, index, dc, 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
}

void TCustomImageList::GetIcon(int index, TIcon* icon) {
    CheckIndex(index);
    if (!icon) return;
    HICON h = ::ImageList_GetIcon(handle_, index, ILD_NORMAL);
    if (!h) throw EOutOfResources("Cannot make an icon from the image");
    icon->SetHandle(h);
}

// ---- drawing ----

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
    Draw(canvas, x, y, index, drawingStyle_, imageType_, enabled);
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, TImageType type,
                            bool enabled) {
    if (!canvas) return;
    DoDraw(index, canvas, x, y, DrawFlags(style, type), enabled);
}

void TCustomImageList::DoDraw(int index, TCanvas* canvas, int x, int y, std::uint32_t style, bool enabled) {
    if (!handle_ || index < 0 || index >= Count()) return;
    HDC dc = canvas->Handle();
    if (enabled)
        ::ImageList_DrawEx(handle_, index, dc, x, y, 0, 0, ListColor(bkColor_), ListColor(blendColor_), style);
    else
        DrawDisabled(dc, index, x, y);
}

void TCustomImageList::DrawDisabled(HDC dc, int index, int x, int y) {
    const int w = width_;
    const int h = height_;
    // The image over white: the mask leaves white around it, and white is never ink.
    void* bits = nullptr;
    TGdiHandle<HBITMAP> colour = MakeDib(w, h, 32, &bits);
    {
        TMemoryDC colourDC(colour.Get());
        FillDC(colourDC.Get(), w, h, RGB(255, 255, 255));
        ::ImageList_DrawEx(handle_, index, colourDC.Get(), 0, 0, w, h, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
        ::GdiFlush();
    }
    // Ink: one bit per pixel, rows padded to 16 bits, leftmost pixel in the highest bit.
    const int stride = (w + 15) / 16 * 2;
    std::vector<Byte> ink(static_cast<std::size_t>(stride) * static_cast<std::size_t>(h), 0);
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(row) * w + col];
            const int brightness = (((p >> 16) & 0xFF) + 2 * ((p >> 8) & 0xFF) + (p & 0xFF)) / 4;
            if (brightness < kDisabledInkLimit)
                ink[static_cast<std::size_t>(row) * stride + col / 8] |= static_cast<Byte>(0x80 >> (col % 8));
        }
    TGdiHandle<HBITMAP> mono(::CreateBitmap(w, h, 1, 1, ink.data()));
    if (!mono) throw EOutOfResources("Cannot create a bitmap");
    TMemoryDC monoDC(mono.Get());
    const COLORREF oldText = ::SetTextColor(dc, RGB(255, 255, 255));
    const COLORREF oldBack = ::SetBkColor(dc, RGB(0, 0, 0));
    const struct {
        TColor color;
        int offset;
    } passes[] = {{clBtnHighlight, 1}, {clBtnShadow, 0}};
    for (const auto& pass : passes) {
        TGdiHandle<HBRUSH> brush(::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(pass.color))));
        const HGDIOBJ oldBrush = ::SelectObject(dc, brush.Get());
        ::BitBlt(dc, x + pass.offset, y + pass.offset, w, h, monoDC.Get(), 0, 0, kRopPaintSetBits);
        ::SelectObject(dc, oldBrush);
    }
    ::SetTextColor(dc, oldText);
    ::SetBkColor(dc, oldBack);
}

// ---- copying, changes, streaming ----

void TCustomImageList::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TCustomImageList*>(source);
    if (!other) {
        TComponent::Assign(source);
        return;
    }
    if (other == this) return;
    HIMAGELIST copy = nullptr;
    if (other->handle_) {
        copy = ::ImageList_Duplicate(other->handle_);
        if (!copy) throw EOutOfResources("Cannot copy the image list");
    }
    FreeHandle();
    handle_ = copy;
    width_ = other->width_;
    height_ = other->height_;
    allocBy_ = other->allocBy_;
    colorDepth_ = other->colorDepth_;
    masked_ = other->masked_;
    bkColor_ = other->bkColor_;
    blendColor_ = other->blendColor_;
    drawingStyle_ = other->drawingStyle_;
    imageType_ = other->imageType_;
    Change();
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
    if (!link) return;
    if (link->sender_ && link->sender_ != this) link->sender_->UnRegisterChanges(link);
    if (std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
    link->sender_ = this;
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
    if (!link) return;
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
    if (link->sender_ == this) link->sender_ = nullptr;
}

void TCustomImageList::BeginUpdate() { ++updateCount_; }

void TCustomImageList::EndUpdate() {
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0 && changedWhileUpdating_) {
        changedWhileUpdating_ = false;
        Change();
    }
}

void TCustomImageList::Change() {
    if (updateCount_ > 0) {
        changedWhileUpdating_ = true;
        return;
    }
    if (ComponentState().Contains(csDestroying)) return;
    // A client may unregister itself or another client while it is told.
    const std::vector<TChangeLink*> snapshot = links_;
    for (TChangeLink* link : snapshot)
        if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->Change();
    if (OnChange) OnChange(this);
}

void TCustomImageList::ReadData(TStream& stream) {
    IStream* adapter = TStreamAdapter::Create(&stream);
    HIMAGELIST list = ::ImageList_Read(adapter);
    adapter->Release();
    if (!list) throw EReadError("Failed to read image list data from stream");
    int cx = 0;
    int cy = 0;
    if (!::ImageList_GetIconSize(list, &cx, &cy) || cx < 1 || cy < 1) {
        ::ImageList_Destroy(list);
        throw EReadError("Failed to read image list data from stream");
    }
    FreeHandle();
    handle_ = list;
    width_ = cx;
    height_ = cy;
    ::ImageList_SetBkColor(handle_, bkColor_ == clDefault ? CLR_NONE : ListColor(bkColor_));
    Change();
}

void TCustomImageList::WriteData(TStream& stream) {
    IStream* adapter = TStreamAdapter::Create(&stream);
    const BOOL ok = ::ImageList_Write(Handle(), adapter);
    adapter->Release();
    if (!ok) throw EWriteError("Failed to write image list data to stream");
}

void TCustomImageList::DefineProperties(TFiler* filer) {
    TComponent::DefineProperties(filer);
    // Left and Top: the signed low and high halves of DesignInfo; written unless an ancestor has the same.
    const auto half = [this](int shift) { return static_cast<std::int16_t>(DesignInfo() >> shift); };
    const auto* ancestor = dynamic_cast<const TComponent*>(filer->Ancestor());
    const auto ancestorHalf = [ancestor](int shift) {
        return static_cast<std::int16_t>(ancestor->DesignInfo() >> shift);
    };
    for (const auto& [name, shift] : {std::pair<const char*, int>{"Left", 0}, std::pair<const char*, int>{"Top", 16}}) {
        filer->DefineProperty(
            name,
            [this, shift](TReader& reader) {
                const auto value = static_cast<std::uint16_t>(reader.ReadInteger());
                const auto keep = static_cast<std::uint32_t>(DesignInfo()) & ~(0xFFFFu << shift);
                SetDesignInfo(static_cast<std::int32_t>(keep | (std::uint32_t(value) << shift)));
            },
            [half, shift](TWriter& writer) { writer.WriteInteger(half(shift)); },
            !ancestor || ancestorHalf(shift) != half(shift));
    }
    // The images: only when there are some and an ancestor list does not hold the same.
    bool hasImages = Count() > 0;
    if (auto* ancestorList = dynamic_cast<TCustomImageList*>(filer->Ancestor()); hasImages && ancestorList) {
        TMemoryStream mine;
        TMemoryStream theirs;
        WriteData(mine);
        if (ancestorList->Count() > 0) ancestorList->WriteData(theirs);
        hasImages = mine.Size() != theirs.Size() ||
                    std::memcmp(mine.Memory(), theirs.Memory(), static_cast<std::size_t>(mine.Size())) != 0;
    }
    filer->DefineBinaryProperty(
        "Bitmap", [this](TStream& stream) { ReadData(stream); }, [this](TStream& stream) { WriteData(stream); },
        hasImages);
}
