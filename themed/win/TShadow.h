// Drop-shadow windows around a popup. Each piece is a tool window of its own that the mouse passes
// through: with UpdateLayeredWindow and AlphaBlend a layered window of per-pixel alpha (mode 1), with
// AlphaBlend alone the alpha drawn over what lies below when it is erased (mode 2), otherwise a plain window
// in the button-shadow colour (mode 0). The bitmap of a piece is exactly its own size.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/core/Geometry.h"
#include "classlib/core/TObject.h"
#include "classlib/win/Win32.h"

class TDIB32;

class TShadow : public TObject {
    CLASSLIB_CLASS(TShadow, TObject)
public:
    // bounds in screen coordinates; ends: skin::shadowSoftStart / shadowSoftEnd.
    TShadow(const TRect& bounds, unsigned ends, bool noAlpha, std::uint8_t opacity, bool saveBits);
    ~TShadow() override;

    HWND Handle() const { return window_; }
    int Mode() const { return mode_; }
    const TRect& Bounds() const { return bounds_; }
    unsigned Ends() const { return ends_; }
    std::uint8_t Opacity() const { return opacity_; }
    // Shows the piece without activating it (mode 1 hands its bitmap to the system first).
    void Show();
    // The piece's bitmap: colour 0, the shadow's alpha in each pixel's top byte.
    void BuildBitmap(TDIB32& dib);

protected:
    virtual void FillShadowBitmap(TDIB32& dib) = 0;

private:
    static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void EraseBackground(HDC dc);

    TRect bounds_;
    unsigned ends_;
    std::uint8_t opacity_;
    int mode_;
    HWND window_ = nullptr;
};

// Below a popup: darkest at the top row.
class THorzShadow : public TShadow {
    CLASSLIB_CLASS(THorzShadow, TShadow)
public:
    using TShadow::TShadow;

protected:
    void FillShadowBitmap(TDIB32& dib) override;
};

// Right of a popup: darkest at the left column.
class TVertShadow : public TShadow {
    CLASSLIB_CLASS(TVertShadow, TShadow)
public:
    using TShadow::TShadow;

protected:
    void FillShadowBitmap(TDIB32& dib) override;
};

// The pieces around one popup (joined to its opener when they touch), each shown, with save-bits windows.
class TShadows : public TObject {
    CLASSLIB_CLASS(TShadows, TObject)
public:
    TShadows(const TRect& popup, const TRect& opener, bool noAlpha, std::uint8_t opacity, int size);
    // Places every piece right after wndAfter in the z-order (no move, size or activation; shown).
    void SetZOrder(HWND wndAfter);
    int Count() const { return int(pieces_.size()); }
    TShadow* Piece(int index) const { return pieces_[std::size_t(index)].get(); }

private:
    std::vector<TObjectPtr<TShadow>> pieces_;
};
