// A strip of equal-sized alpha images kept one under another in one 32-bit bitmap, each with a 32-bit value
// of its own, and up to 15 overlay slots naming images drawn over others.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "themed/win/TDIB32.h"

// Colours as the list's drawing takes them: 0x00BBGGRR, or one of these.
enum : std::uint32_t { dlColorNone = 0xFFFFFFFFu, dlColorDefault = 0xFF000000u };

class TDIBList32 : public TObject {
    CLASSLIB_CLASS(TDIBList32, TObject)
public:
    // Raises EDIB32Error "Invalid parameters" for a width or height not above 0.
    TDIBList32(int width, int height, int growStep);
    ~TDIBList32() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return count_; }
    int Capacity() const { return capacity_; }
    int GrowStep() const { return growStep_; }
    // The strip: image i in rows i x Height to (i + 1) x Height - 1.
    TDIB32* Strip() const { return strip_.get(); }

    // Empties the list and gives it a new image size and grow step (see TDIBList32()).
    void SetSize(int width, int height, int growStep);
    void Clear();
    // Size, images and values of another list; null empties this one.
    void Assign(const TDIBList32* source);
    // Same count and size and the same pixels.
    bool Equals(const TDIBList32* other);

    // Copies a Width x Height rectangle of source in as image index (appended for an index outside
    // 0..Count-1) and returns its index. Raises EDIB32Error "Invalid parameters" for a rectangle of another
    // size or a null source or the strip itself.
    int Add(TDIB32* source, const TRect& sourceRect, int index = -1);
    // One image of a system image list, its alpha derived from drawings on black and white.
    int AddFromImageList(HIMAGELIST list, int listIndex, int index = -1);
    // Makes room for count images at position, moving the later images and their values down.
    void Insert(int position, int count);
    // Removes one image; the later ones move up. Raises EDIB32Error "Invalid parameters" out of range.
    void Delete(int index);
    // Moves one image (with its value) to another place. Raises EDIB32Error "Invalid parameters" out of range.
    void Move(int from, int to);

    // A copy of one image. Raises EDIB32Error "Invalid parameters" out of range.
    TObjectPtr<TDIB32> Get(int index) const;
    // An icon of one image (the caller destroys it); null out of range.
    HICON GetIcon(int index) const;
    // Where image index lies in the strip.
    TRect GetRect(int index) const;

    std::uint32_t Value(int index) const;
    void SetValue(int index, std::uint32_t value);
    // Overlay slots 1-15: the image drawn over others whose style names the slot (-1: none).
    int Overlay(int slot) const;
    void SetOverlay(int slot, int index);

    // Draws image index at (x, y), at most width x height of it (0 or less: the whole image). background is
    // filled first unless it is dlColorNone or dlColorDefault or style bit 0 (transparent) is set. Style (the
    // system list's drawing flags): low 4 bits 0-1 draw plainly, 2 at a quarter and 4 at half strength tinted
    // with blend (dlColorDefault: the highlight colour; dlColorNone: no tint); bits 8-11 name an overlay slot.
    void Draw(int index, HDC dc, int x, int y, int width, int height, std::uint32_t background, std::uint32_t blend,
              unsigned style) const;

private:
    void CheckIndex(int index) const;
    void MoveImages(int from, int to, int count);

    int width_ = 0;
    int height_ = 0;
    int count_ = 0;
    int capacity_ = 0;
    int growStep_ = 1;
    TObjectPtr<TDIB32> strip_;
    std::vector<std::uint32_t> values_;
    std::array<int, 16> overlays_{};
};
