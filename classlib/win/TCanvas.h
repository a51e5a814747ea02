// Drawing on a device context with a font, a pen and a brush of its own. The canvas selects its objects into
// the DC only when a drawing call needs them (RequiredState) and puts the stock objects back before the DC
// is given up or one of its objects changes.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/core/Geometry.h"
#include "classlib/core/TPersistent.h"
#include "classlib/core/TSet.h"
#include "classlib/core/TSyncObjects.h"
#include "classlib/win/TBrush.h"
#include "classlib/win/TFont.h"
#include "classlib/win/TPen.h"

class TGraphic;

enum TCanvasStates { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = TSet<TCanvasStates>;
enum TCanvasOrientation { coLeftToRight, coRightToLeft };
// A ternary raster operation for CopyRect and Draw (SRCCOPY, SRCAND, ...).
using TCopyMode = std::uint32_t;
inline constexpr TCopyMode cmSrcCopy = 0x00CC0020;

class TCanvas : public TPersistent {
    CLASSLIB_CLASS(TCanvas, TPersistent)
public:
    TCanvas();
    ~TCanvas() override;

    // The DC; asks CreateHandle for one when none is attached and raises EInvalidOperation "Canvas does not
    // allow drawing" when there is still none.
    HDC Handle();
    // Attaches the canvas to any DC (0 detaches). The objects selected into the previous DC are taken out
    // first; the canvas never frees a DC.
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return dc_ != nullptr; }

    TFont* Font() const { return font_.get(); }
    TPen* Pen() const { return pen_.get(); }
    TBrush* Brush() const { return brush_.get(); }
    // These copy the given object's properties into the canvas's own.
    void SetFont(TFont* font);
    void SetPen(TPen* pen);
    void SetBrush(TBrush* brush);

    // Makes sure the listed parts are ready: a DC, and the font, pen and brush selected into it.
    void RequiredState(TCanvasState required);
    // Takes the canvas's objects out of the DC and selects them again: after code that changed the DC's
    // selection behind the canvas's back (SaveDC/RestoreDC, SelectObject).
    void Refresh();
    TCanvasState State() const { return state_; }

    // Drawing. Coordinates are logical units of the DC; rectangles exclude their right and bottom edges.
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    TPoint PenPos();
    void SetPenPos(TPoint pos);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& rect) { Ellipse(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    void Polygon(const std::vector<TPoint>& points);
    void Polyline(const std::vector<TPoint>& points);
    void DrawFocusRect(const TRect& rect);
    TColor Pixels(int x, int y);
    void SetPixel(int x, int y, TColor color);

    // Text, in the canvas's font, with the brush as background (none for bsClear).
    void TextOut(int x, int y, const AnsiString& text);
    // The text clipped to rect, starting at (x, y).
    void TextRect(const TRect& rect, int x, int y, const AnsiString& text);
    TSize TextExtent(const AnsiString& text);
    int TextWidth(const AnsiString& text) { return TextExtent(text).cx; }
    int TextHeight(const AnsiString& text) { return TextExtent(text).cy; }
    // ETO_ flags added to every text call (ETO_RTLREADING, ETO_OPAQUE, ...).
    int TextFlags() const { return textFlags_; }
    void SetTextFlags(int flags) { textFlags_ = flags; }
    // Right-to-left: text is placed with its right end near x (the DC's text alignment carries TA_RTLREADING).
    TCanvasOrientation CanvasOrientation();

    // Graphics and other canvases.
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& rect, TGraphic* graphic);
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);
    TCopyMode CopyMode() const { return copyMode_; }
    void SetCopyMode(TCopyMode mode) { copyMode_ = mode; }

    // Exclusive use from one thread at a time (nests on one thread).
    void Lock();
    bool TryLock();
    void Unlock();
    int LockCount() const { return lockCount_; }

    // Raised around every drawing operation: before (OnChanging) and after (OnChange).
    virtual void Changing();
    virtual void Changed();
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    // Called when a DC is needed and none is attached; the base has none to give. Subclasses that get a DC
    // (a window's, a memory DC) attach it with SetHandle here.
    virtual void CreateHandle();
    // Puts the stock font, pen and brush back into the DC (before the DC is released or an object changes).
    void DeselectHandles();

private:
    // Changing, the required state, the drawing, Changed.
    template <class Fn>
    void Paint(TCanvasState required, Fn draw);
    void SelectCanvasFont();
    void SelectCanvasPen();
    void SelectCanvasBrush();
    void FontChanged(TObject* sender);
    void PenChanged(TObject* sender);
    void BrushChanged(TObject* sender);

    HDC dc_ = nullptr;
    TCanvasState state_;
    TObjectPtr<TFont> font_;
    TObjectPtr<TPen> pen_;
    TObjectPtr<TBrush> brush_;
    int textFlags_ = 0;
    TCopyMode copyMode_ = cmSrcCopy;
    TCriticalSection lock_;
    int lockCount_ = 0;
};
