#include "classlib/win/TCanvas.h"

#include "classlib/win/TGraphic.h"

namespace {
const TCanvasState kObjectStates{csFontValid, csPenValid, csBrushValid};

static_assert(sizeof(TPoint) == sizeof(POINT) && sizeof(TRect) == sizeof(RECT) && sizeof(TSize) == sizeof(SIZE));

const RECT* AsRect(const TRect& r) { return reinterpret_cast<const RECT*>(&r); }
}  // namespace

TCanvas::TCanvas() : font_(MakeObject<TFont>()), pen_(MakeObject<TPen>()), brush_(MakeObject<TBrush>()) {
    font_->OnChange = MakeMethod<&TCanvas::FontChanged>(this);
    pen_->OnChange = MakeMethod<&TCanvas::PenChanged>(this);
    brush_->OnChange = MakeMethod<&TCanvas::BrushChanged>(this);
}

TCanvas::~TCanvas() {
    // The objects must leave the DC before they are freed; the DC itself belongs to whoever attached it.
    SetHandle(nullptr);
}

HDC TCanvas::Handle() {
    RequiredState(TCanvasState{csHandleValid});
    return dc_;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == dc_) return;
    if (dc_) {
        DeselectHandles();
        state_.Exclude(csHandleValid);
    }
    dc_ = dc;
    if (dc_) state_.Include(csHandleValid);
}

void TCanvas::SetFont(TFont* font) { font_->Assign(font); }
void TCanvas::SetPen(TPen* pen) { pen_->Assign(pen); }
void TCanvas::SetBrush(TBrush* brush) { brush_->Assign(brush); }

void TCanvas::CreateHandle() {}

void TCanvas::RequiredState(TCanvasState required) {
    TCanvasState needed = required - state_;
    if (needed.Empty()) return;
    if (needed.Contains(csHandleValid)) {
        CreateHandle();
        if (!dc_) throw EInvalidOperation("Canvas does not allow drawing");
        state_.Include(csHandleValid);
    }
    if (needed.Contains(csFontValid)) SelectCanvasFont();
    if (needed.Contains(csPenValid)) SelectCanvasPen();
    if (needed.Contains(csBrushValid)) SelectCanvasBrush();
}

void TCanvas::SelectCanvasFont() {
    ::SelectObject(dc_, font_->Handle());
    ::SetTextColor(dc_, static_cast<COLORREF>(ColorToRGB(font_->Color())));
    state_.Include(csFontValid);
}

void TCanvas::SelectCanvasPen() {
    ::SelectObject(dc_, pen_->Handle());
    ::SetROP2(dc_, pen_->Rop2());
    state_.Include(csPenValid);
}

void TCanvas::SelectCanvasBrush() {
    ::UnrealizeObject(brush_->Handle());
    ::SelectObject(dc_, brush_->Handle());
    if (brush_->Style() == bsSolid) {
        ::SetBkColor(dc_, static_cast<COLORREF>(ColorToRGB(brush_->Color())));
        ::SetBkMode(dc_, OPAQUE);
    } else {
        // Hatch lines are drawn in the brush colour over the background, which the brush leaves alone.
        ::SetBkColor(dc_, ~static_cast<COLORREF>(ColorToRGB(brush_->Color())) & 0xFFFFFF);
        ::SetBkMode(dc_, TRANSPARENT);
    }
    state_.Include(csBrushValid);
}

void TCanvas::DeselectHandles() {
    if (dc_ && !(state_ * kObjectStates).Empty()) {
        ::SelectObject(dc_, ::GetStockObject(SYSTEM_FONT));
        ::SelectObject(dc_, ::GetStockObject(BLACK_PEN));
        ::SelectObject(dc_, ::GetStockObject(HOLLOW_BRUSH));
    }
    state_ = state_ - kObjectStates;
}

void TCanvas::Refresh() {
    DeselectHandles();
    if (dc_) RequiredState(kObjectStates);
}

void TCanvas::FontChanged(TObject*) {
    if (state_.Contains(csFontValid)) {
        state_.Exclude(csFontValid);
        if (dc_) ::SelectObject(dc_, ::GetStockObject(SYSTEM_FONT));
    }
}

void TCanvas::PenChanged(TObject*) {
    if (state_.Contains(csPenValid)) {
        state_.Exclude(csPenValid);
        if (dc_) ::SelectObject(dc_, ::GetStockObject(BLACK_PEN));
    }
}

void TCanvas::BrushChanged(TObject*) {
    if (state_.Contains(csBrushValid)) {
        state_.Exclude(csBrushValid);
        if (dc_) ::SelectObject(dc_, ::GetStockObject(HOLLOW_BRUSH));
    }
}

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

template <class Fn>
void TCanvas::Paint(TCanvasState required, Fn draw) {
    Changing();
    RequiredState(required);
    draw();
    Changed();
}

void TCanvas::MoveTo(int x, int y) {
    RequiredState(TCanvasState{csHandleValid});
    ::MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    Paint(TCanvasState{csHandleValid, csPenValid, csBrushValid}, [&] { ::LineTo(dc_, x, y); });
}

TPoint TCanvas::PenPos() {
    RequiredState(TCanvasState{csHandleValid});
    POINT p{};
    ::GetCurrentPositionEx(dc_, &p);
    return TPoint{p.x, p.y};
}

void TCanvas::SetPenPos(TPoint pos) { MoveTo(pos.X, pos.Y); }

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Paint(TCanvasState{csHandleValid, csPenValid, csBrushValid}, [&] { ::Rectangle(dc_, x1, y1, x2, y2); });
}

void TCanvas::FillRect(const TRect& rect) {
    Paint(TCanvasState{csHandleValid, csBrushValid}, [&] { ::FillRect(dc_, AsRect(rect), brush_->Handle()); });
}

void TCanvas::FrameRect(const TRect& rect) {
    Paint(TCanvasState{csHandleValid, csBrushValid}, [&] { ::FrameRect(dc_, AsRect(rect), brush_->Handle()); });
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    Paint(TCanvasState{csHandleValid, csPenValid, csBrushValid}, [&] { ::Ellipse(dc_, x1, y1, x2, y2); });
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
    Paint(TCanvasState{csHandleValid, csPenValid, csBrushValid}, [&] { ::RoundRect(dc_, x1, y1, x2, y2, x3, y3); });
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    if (points.empty()) return;
    Paint(TCanvasState{csHandleValid, csPenValid, csBrushValid},
          [&] { ::Polygon(dc_, reinterpret_cast<const POINT*>(points.data()), static_cast<int>(points.size())); });
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    if (points.empty()) return;
    Paint(TCanvasState{csHandleValid, csPenValid, csBrushValid},
          [&] { ::Polyline(dc_, reinterpret_cast<const POINT*>(points.data()), static_cast<int>(points.size())); });
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    Paint(TCanvasState{csHandleValid, csBrushValid}, [&] { ::DrawFocusRect(dc_, AsRect(rect)); });
}

TColor TCanvas::Pixels(int x, int y) {
    RequiredState(TCanvasState{csHandleValid});
    return static_cast<TColor>(::GetPixel(dc_, x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    Paint(TCanvasState{csHandleValid, csPenValid},
          [&] { ::SetPixel(dc_, x, y, static_cast<COLORREF>(ColorToRGB(color))); });
}

void TCanvas::TextOut(int x, int y, const AnsiString& text) {
    Paint(TCanvasState{csHandleValid, csFontValid, csBrushValid}, [&] {
        const int width = TextWidth(text);
        if (CanvasOrientation() == coRightToLeft) x += width + 1;
        ::ExtTextOutA(dc_, x, y, static_cast<UINT>(textFlags_), nullptr, text.data(), static_cast<UINT>(text.size()),
                      nullptr);
        ::MoveToEx(dc_, x + width, y, nullptr);
    });
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const AnsiString& text) {
    Paint(TCanvasState{csHandleValid, csFontValid, csBrushValid}, [&] {
        UINT options = ETO_CLIPPED | static_cast<UINT>(textFlags_);
        if (brush_->Style() != bsClear) options |= ETO_OPAQUE;
        ::ExtTextOutA(dc_, x, y, options, AsRect(rect), text.data(), static_cast<UINT>(text.size()), nullptr);
    });
}

TSize TCanvas::TextExtent(const AnsiString& text) {
    RequiredState(TCanvasState{csHandleValid, csFontValid});
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
    return TSize{size.cx, size.cy};
}

TCanvasOrientation TCanvas::CanvasOrientation() {
    RequiredState(TCanvasState{csHandleValid});
    return (::GetTextAlign(dc_) & TA_RTLREADING) ? coRightToLeft : coLeftToRight;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    Paint(TCanvasState{csHandleValid}, [&] { graphic->Draw(this, Bounds(x, y, graphic->Width(), graphic->Height())); });
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
    if (!graphic) return;
    Paint(TCanvasState{csHandleValid}, [&] { graphic->Draw(this, rect); });
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) {
    if (!source) return;
    // The brush takes part in copy modes that combine a pattern (MERGECOPY, PATCOPY...).
    Paint(TCanvasState{csHandleValid, csBrushValid}, [&] {
        HDC sourceDc = source->Handle();
        ::StretchBlt(dc_, dest.Left, dest.Top, dest.Width(), dest.Height(), sourceDc, sourceRect.Left, sourceRect.Top,
                     sourceRect.Width(), sourceRect.Height(), copyMode_);
    });
}

void TCanvas::Lock() {
    lock_.Enter();
    ++lockCount_;
}

bool TCanvas::TryLock() {
    if (!lock_.TryEnter()) return false;
    ++lockCount_;
    return true;
}

void TCanvas::Unlock() {
    if (lockCount_ <= 0) throw EInvalidOperation("Canvas is not locked");
    --lockCount_;
    lock_.Leave();
}
