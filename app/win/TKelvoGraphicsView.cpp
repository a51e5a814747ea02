#include "app/win/TKelvoGraphicsView.h"

#include <vector>

#include "app/core/KelvoViewPaint.h"
#include "app/core/TKelvoGraphicsDocument.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoViewCanvas.h"
#include "app/core/KelvoToolRules.h"
#include "classlib/win/TScreen.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TCustomForm.h"

namespace {

// The demonstration target that takes image points.
const AnsiString RecordTarget = "Image";

}  // namespace

TKelvoGraphicDocumentView::TKelvoGraphicDocumentView(TKelvoGraphicsDocument& document) : document_(document) {
    SetFlags(KelvoViewVisible | KelvoViewHasBody | KelvoViewStandalone);
    SetBounds(document.Working().GetBounds());
}

void TKelvoGraphicDocumentView::PaintBody(TKelvoViewCanvas& canvas) {
    TKelvoRect dest;
    GetBodyRect(canvas.MapMode(), dest);
    const TKelvoRect clip = canvas.ClipBox();
    // Only the pixels the clip shows are drawn: a repaint costs the window, not the image.
    const TKelvoVisiblePart part = VisibleImagePart(document_.Working().GetBounds(), dest, clip);
    if (!part.Dest.IsEmpty()) document_.Working().Draw(canvas.MemoryDC(), part.Dest, clip, part.Source);
    canvas.ExcludeFromClip(dest);
}

TKelvoGraphicsView::TKelvoGraphicsView(TComponent* owner, TKelvoGraphicsDocument& document)
    : TKelvoScrollViewControl(owner), document_(document) {
    auto layer = std::make_unique<TKelvoGraphicDocumentView>(document);
    layer_ = layer.get();
    AddObject(layer.release());
}

TKelvoGraphicsView::~TKelvoGraphicsView() {
    if (link_) link_->view_ = nullptr;
}

TKelvoZoom TKelvoGraphicsView::Zoom() { return TKelvoZoom{MapMode().ViewportExtX, MapMode().WindowExtX}; }

void TKelvoGraphicsView::SetZoom(const TKelvoZoom& zoom) {
    if (zoom.Viewport <= 0 || zoom.Window <= 0) return;
    const TKelvoPoint centre = MapMode().DeviceToLogicalPoint(MakePoint(ClientWidth() / 2, ClientHeight() / 2));
    TKelvoMapMode& map = MapMode();
    map.ViewportExtX = map.ViewportExtY = zoom.Viewport;
    map.WindowExtX = map.WindowExtY = zoom.Window;
    Recalculate();
    CenterOn(centre);
    Invalidate();
}

void TKelvoGraphicsView::ImageChanged() {
    layer_->SetBounds(document_.Working().GetBounds());
    Recalculate();
}

void TKelvoGraphicsView::MouseMove(TShiftState shift, int x, int y) {
    if (!mouseInside_) {
        mouseInside_ = true;
        RouteToToolControls([](TKelvoGraphicsToolControl& c) { return c.MouseEnter(); });
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, Handle(), 100};
        ::TrackMouseEvent(&track);
        auto* form = Application ? Application->MainForm() : nullptr;
        if (form && form->HandleAllocated() && ::GetForegroundWindow() == form->Handle() && !Focused() && CanFocus())
            SetFocus();
    }
    if (OnPointerStatus) {
        const TKelvoPoint point = MapMode().DeviceToLogicalPoint(MakePoint(x, y));
        OnPointerStatus(point, StatusColourAt(document_.GetPixels(), point));
    }
    if (IKelvoDemoPlayback* recorder = Recorder()) recorder->RecordMouseMove(RecordTarget, ImagePoint(x, y));
    // The base offers the move to the objects, the topmost first.
    TKelvoScrollViewControl::MouseMove(shift, x, y);
}

void TKelvoGraphicsView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    // A middle-button press has no script line to replay it.
    IKelvoDemoPlayback* recorder = Recorder();
    if (recorder && (button == mbLeft || button == mbRight))
        recorder->RecordMouseDown(RecordTarget, ImagePoint(x, y), button == mbRight);
    TKelvoScrollViewControl::MouseDown(button, shift, x, y);
}

void TKelvoGraphicsView::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    IKelvoDemoPlayback* recorder = Recorder();
    if (recorder && (button == mbLeft || button == mbRight))
        recorder->RecordMouseUp(RecordTarget, ImagePoint(x, y), button == mbRight);
    TKelvoScrollViewControl::MouseUp(button, shift, x, y);
}

void TKelvoGraphicsView::DoExit() {
    TKelvoScrollViewControl::DoExit();
    std::vector<TKelvoGraphicsToolControl*> controls;
    for (int i = 0; i < ObjectCount(); ++i)
        if (auto* control = dynamic_cast<TKelvoGraphicsToolControl*>(GetObject(i))) controls.push_back(control);
    // Collected first: a control that gives a tool back may change which controls are shown, not the list.
    for (TKelvoGraphicsToolControl* control : controls) control->FocusLost();
}

IKelvoDemoPlayback* TKelvoGraphicsView::Recorder() {
    TKelvoGraphicsEditor* editor = TKelvoGraphicsEditor::Instance();
    return editor ? editor->Recorder : nullptr;
}

TPoint TKelvoGraphicsView::ImagePoint(int x, int y) {
    const TKelvoPoint point = MapMode().DeviceToLogicalPoint(MakePoint(x, y));
    return TPoint{point.X, point.Y};
}

int TKelvoGraphicsView::ObjectWheelDelta(int wheelDelta) { return KelvoWheelStep(wheelDelta); }

void TKelvoGraphicsView::WMGetDlgCode(TMessage& message) { message.Result = DLGC_WANTALLKEYS | DLGC_WANTARROWS; }

void TKelvoGraphicsView::WMMouseLeave(TMessage& message) {
    if (mouseInside_) {
        mouseInside_ = false;
        RouteToToolControls([](TKelvoGraphicsToolControl& c) { return c.MouseLeave(); });
    }
    DispatchInherited<TKelvoScrollViewControl>(this, message);
}

void TKelvoGraphicsView::WMSetCursor(TMessage& message) {
    if (reinterpret_cast<HWND>(message.WParam) != Handle() || message.LParamLo() != HTCLIENT) {
        if (mouseInside_) {
            TMessage leave{};
            leave.Msg = CM_MOUSELEAVE;
            WMMouseLeave(leave);
        }
        DispatchInherited<TKelvoScrollViewControl>(this, message);
        return;
    }
    POINT pt{};
    ::GetCursorPos(&pt);
    const TPoint client = ScreenToClient(TPoint{pt.x, pt.y});
    const TShiftState shift = KeyboardStateToShiftState();
    int cursor = 0;
    RouteToToolControls([&](TKelvoGraphicsToolControl& c) {
        return c.GetCursor(shift, TKelvoPoint{client.X, client.Y}, cursor);
    });
    if (Screen) ::SetCursor(Screen->Cursors(cursor));
    message.Result = 1;
}

void TKelvoGraphicsView::RequeryCursor() {
    if (!HandleAllocated()) return;
    POINT pt{};
    ::GetCursorPos(&pt);
    if (::WindowFromPoint(pt) != Handle()) return;
    ::SendMessageW(Handle(), WM_SETCURSOR, WPARAM(Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

TKelvoGraphicsViewLink::TKelvoGraphicsViewLink(TKelvoGraphicsView* view) : view_(view) {
    if (view_) view_->link_ = this;
}

TKelvoGraphicsViewLink::~TKelvoGraphicsViewLink() {
    if (!view_) return;
    view_->link_ = nullptr;
    Free(view_);
}

void TKelvoGraphicsViewLink::InvalidateImageRect(const TKelvoRect& rect) {
    if (!view_ || !view_->HandleAllocated()) return;
    const TKelvoRect device = InflateRectBy(view_->MapMode().LogicalToDeviceRect(rect), 1, 1);
    RECT r{device.Left, device.Top, device.Right, device.Bottom};
    ::InvalidateRect(view_->Handle(), &r, FALSE);
}

void TKelvoGraphicsViewLink::ImageChanged() {
    if (view_) view_->ImageChanged();
}
