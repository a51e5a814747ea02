#include "app/win/TKelvoViewControl.h"

#include <vector>

#include "classlib/core/ScopeGuard.h"

TKelvoViewControl::TKelvoViewControl(TComponent* owner)
    : TWinControl(owner), objects_(MakeObject<TKelvoViewObjectList>()), canvas_(MakeObject<TKelvoViewCanvas>()) {
    SetTabStop(true);
}

TKelvoViewControl::~TKelvoViewControl() = default;

void TKelvoViewControl::SetBackgroundColor(COLORREF value) {
    if (value == canvas_->BackgroundColor()) return;
    canvas_->SetBackgroundColor(value);
    Invalidate();
}

void TKelvoViewControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TKelvoViewControl::WMEraseBkgnd(TMessage& message) { message.Result = 1; }

void TKelvoViewControl::WMPaint(TMessage& message) {
    PaintView();
    message.Result = 0;
}

void TKelvoViewControl::PaintView() {
    if (!canvas_->BeginPaint(Handle())) return;
    TScopeExit end([&] { canvas_->EndPaint(); });
    std::vector<TKelvoViewObject*> objects;
    objects.reserve(std::size_t(objects_->Count()));
    for (int i = 0; i < objects_->Count(); ++i) objects.push_back(objects_->Objects(i));
    PaintViewObjects(*canvas_, canvas_->MapMode(), objects.data(), objects.size());
}

void TKelvoViewControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TWinControl::MouseDown(button, shift, x, y);
    RouteToObjects([&](TKelvoViewObject& o) { return o.MouseDown(button, shift, TKelvoPoint{x, y}); });
}

void TKelvoViewControl::MouseMove(TShiftState shift, int x, int y) {
    TWinControl::MouseMove(shift, x, y);
    RouteToObjects([&](TKelvoViewObject& o) { return o.MouseMove(shift, TKelvoPoint{x, y}); });
}

void TKelvoViewControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TWinControl::MouseUp(button, shift, x, y);
    RouteToObjects([&](TKelvoViewObject& o) { return o.MouseUp(button, shift, TKelvoPoint{x, y}); });
}

void TKelvoViewControl::KeyDown(std::uint16_t& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key != 0 && RouteToObjects([&](TKelvoViewObject& o) { return o.KeyDown(key, shift); })) key = 0;
}

void TKelvoViewControl::KeyUp(std::uint16_t& key, TShiftState shift) {
    TWinControl::KeyUp(key, shift);
    if (key != 0 && RouteToObjects([&](TKelvoViewObject& o) { return o.KeyUp(key, shift); })) key = 0;
}

bool TKelvoViewControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    // The wheel message carries a screen point.
    const TPoint client = ScreenToClient(mousePos);
    const TKelvoPoint at{client.X, client.Y};
    const int delta = ObjectWheelDelta(wheelDelta);
    if (RouteToObjects([&](TKelvoViewObject& o) { return o.MouseWheel(shift, delta, at); })) return true;
    if (TWinControl::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
    return WheelNotTaken(shift, wheelDelta, at);
}

bool TKelvoViewControl::WheelNotTaken(TShiftState, int, TKelvoPoint) { return false; }
