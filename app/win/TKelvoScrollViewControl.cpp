#include "app/win/TKelvoScrollViewControl.h"

#include <algorithm>
#include <limits>

#include "classlib/core/ScopeGuard.h"

TKelvoScrollViewControl::TKelvoScrollViewControl(TComponent* owner) : TKelvoViewControl(owner) {}

void TKelvoScrollViewControl::GetContentBounds(TKelvoRect& rect) {
    const TKelvoMapMode& map = MapMode();
    const TKelvoPoint origin = map.LogicalToDevicePoint(TKelvoPoint{0, 0});
    rect = TKelvoRect{origin.X, origin.Y, origin.X, origin.Y};
    for (int i = 0; i < ObjectCount(); ++i) {
        TKelvoViewObject* object = GetObject(i);
        if (!object->IsVisible() || (object->Flags() & KelvoViewNoExtent)) continue;
        TKelvoRect bounds;
        object->GetDeviceBounds(map, bounds);
        rect = UniteRects(rect, bounds);
    }
}

void TKelvoScrollViewControl::FullClientSize(std::int32_t& width, std::int32_t& height) {
    width = ClientWidth();
    height = ClientHeight();
    if (!HandleAllocated()) return;
    const LONG_PTR style = ::GetWindowLongPtrA(WindowHandle(), GWL_STYLE);
    if (style & WS_VSCROLL) width += ::GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL) height += ::GetSystemMetrics(SM_CYHSCROLL);
}

void TKelvoScrollViewControl::ComputeScroll(std::int32_t& dx, std::int32_t& dy, std::int32_t& excessY,
                                            std::int32_t& excessX) {
    TKelvoRect content;
    GetContentBounds(content);
    TKelvoScrollInput in;
    in.ContentWidth = ClampToInt32(content.Width());
    in.ContentHeight = ClampToInt32(content.Height());
    FullClientSize(in.ClientWidth, in.ClientHeight);
    in.VBarWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    in.HBarHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    in.OriginX = MapMode().ViewportOrgX;
    in.OriginY = MapMode().ViewportOrgY;
    const TKelvoScrollResult r = ::ComputeScroll(in);
    dx = r.DeltaX;
    dy = r.DeltaY;
    excessX = r.ExcessX;
    excessY = r.ExcessY;
}

void TKelvoScrollViewControl::HoldScrollBars(bool hold) {
    if (hold == barsHeld_) return;
    barsHeld_ = hold;
    if (!hold) Recalculate();
}

void TKelvoScrollViewControl::UpdateScrollBars(std::int32_t excessX, std::int32_t excessY) {
    if (!HandleAllocated() || barsHeld_) return;
    std::int32_t width = 0, height = 0;
    FullClientSize(width, height);
    if (width <= 0 || height <= 0) return;
    // The room the content has once the bars this excess brings are shown.
    if (excessY > 0) width -= ::GetSystemMetrics(SM_CXVSCROLL);
    if (excessX > 0) height -= ::GetSystemMetrics(SM_CYHSCROLL);
    updatingBars_ = true;
    TScopeExit done([&] { updatingBars_ = false; });
    const auto set = [&](int bar, const TKelvoScrollBarSetting& s) {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = s.Min;
        info.nMax = s.Max;
        info.nPage = UINT(s.Page);
        info.nPos = s.Pos;
        ::SetScrollInfo(WindowHandle(), bar, &info, TRUE);
    };
    set(SB_HORZ, ScrollBarSetting(excessX, width, MapMode().ViewportOrgX));
    set(SB_VERT, ScrollBarSetting(excessY, height, MapMode().ViewportOrgY));
}

void TKelvoScrollViewControl::CorrectOrigin(std::int32_t& excessX, std::int32_t& excessY) {
    std::int32_t dx = 0, dy = 0;
    ComputeScroll(dx, dy, excessY, excessX);
    MapMode().ViewportOrgX += dx;
    MapMode().ViewportOrgY += dy;
}

void TKelvoScrollViewControl::Recalculate() {
    std::int32_t excessX = 0, excessY = 0;
    CorrectOrigin(excessX, excessY);
    UpdateScrollBars(excessX, excessY);
    Invalidate();
}

void TKelvoScrollViewControl::Update() {
    Recalculate();
    TKelvoViewControl::Update();
}

void TKelvoScrollViewControl::Resize() {
    TKelvoViewControl::Resize();
    if (updatingBars_) return;
    std::int32_t dx = 0, dy = 0, excessX = 0, excessY = 0;
    ComputeScroll(dx, dy, excessY, excessX);
    if (dx != 0 || dy != 0) ScrollBy(dx, dy);
    UpdateScrollBars(excessX, excessY);
}

void TKelvoScrollViewControl::ScrollBy(std::int32_t dx, std::int32_t dy) {
    if (dx == 0 && dy == 0) return;
    MapMode().ViewportOrgX += dx;
    MapMode().ViewportOrgY += dy;
    if (!HandleAllocated()) return;
    ::ScrollWindowEx(WindowHandle(), dx, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    ::UpdateWindow(WindowHandle());
}

void TKelvoScrollViewControl::Scroll(std::int32_t dx, std::int32_t dy) {
    std::int32_t cx = 0, cy = 0, excessX = 0, excessY = 0;
    ComputeScroll(cx, cy, excessY, excessX);
    ScrollBy(dx, dy);
    UpdateScrollBars(excessX, excessY);
}

void TKelvoScrollViewControl::ClampScrollDelta(std::int32_t& dx, std::int32_t& dy) {
    std::int32_t cx = 0, cy = 0, excessX = 0, excessY = 0;
    ComputeScroll(cx, cy, excessY, excessX);
    ::ClampScrollDelta(dx, dy, MapMode().ViewportOrgX, MapMode().ViewportOrgY, excessX, excessY);
}

void TKelvoScrollViewControl::CenterOn(TKelvoPoint logical) {
    const TKelvoPoint at = MapMode().LogicalToDevicePoint(logical);
    MapMode().ViewportOrgX = ClampToInt32(std::int64_t(MapMode().ViewportOrgX) + ClientWidth() / 2 - at.X);
    MapMode().ViewportOrgY = ClampToInt32(std::int64_t(MapMode().ViewportOrgY) + ClientHeight() / 2 - at.Y);
    std::int32_t excessX = 0, excessY = 0;
    CorrectOrigin(excessX, excessY);
    UpdateScrollBars(excessX, excessY);
    Invalidate();
}

void TKelvoScrollViewControl::WMHScroll(TMessage& message) { ScrollBarMessage(message, SB_HORZ); }
void TKelvoScrollViewControl::WMVScroll(TMessage& message) { ScrollBarMessage(message, SB_VERT); }

void TKelvoScrollViewControl::ScrollBarMessage(TMessage& message, int bar) {
    if (message.LParam != 0) {
        // From a scroll-bar control among the children: theirs, not the view's.
        DispatchInherited<TKelvoScrollViewControl>(this, message);
        return;
    }
    message.Result = 0;
    if (!HandleAllocated()) return;
    inScroll_ = true;
    TScopeExit done([&] { inScroll_ = false; });
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    if (!::GetScrollInfo(WindowHandle(), bar, &info)) return;
    const std::int32_t request = std::int32_t(message.WParam & 0xFFFF);
    const TKelvoScrollBarState state{info.nMin, info.nMax, std::int32_t(info.nPage), info.nPos, info.nTrackPos};
    const std::int32_t delta = ScrollRequestDelta(request, state, lineStep_);
    if (delta == 0) return;
    info.fMask = SIF_POS;
    info.nPos += delta;
    ::SetScrollInfo(WindowHandle(), bar, &info, request != KelvoThumbTrack);
    if (bar == SB_HORZ)
        ScrollBy(-delta, 0);
    else
        ScrollBy(0, -delta);
}

bool TKelvoScrollViewControl::WheelNotTaken(TShiftState shift, int wheelDelta, TKelvoPoint) {
    UINT lines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    if (lines == 0) return false;
    const bool sideways = shift.Contains(ssShift);
    std::int32_t step = 0;
    if (lines == WHEEL_PAGESCROLL) {
        const std::int32_t page = sideways ? ClientWidth() : ClientHeight();
        step = KelvoMulDiv(page, 3, 4);
    } else {
        step = ClampToInt32(std::int64_t(std::min<UINT>(lines, 100)) * lineStep_);
    }
    // A notch (120) away from the user scrolls up or left: the origin grows.
    std::int32_t move = KelvoMulDiv(wheelDelta, step, WHEEL_DELTA);
    std::int32_t dx = sideways ? move : 0, dy = sideways ? 0 : move;
    ClampScrollDelta(dx, dy);
    if (dx == 0 && dy == 0) return true;
    Scroll(dx, dy);
    return true;
}
