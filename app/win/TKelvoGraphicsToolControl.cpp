#include "app/win/TKelvoGraphicsToolControl.h"

#include "app/win/TKelvoGraphicsTool.h"
#include "app/win/TKelvoGraphicsView.h"

TKelvoGraphicsToolControl::TKelvoGraphicsToolControl(TKelvoGraphicsTool& tool, TKelvoGraphicsView& view)
    : tool_(&tool), view_(view) {
    TKelvoGraphicsToolControl::Reset();
    tool.AddControl(this);
}

TKelvoGraphicsToolControl::~TKelvoGraphicsToolControl() {
    if (tool_) tool_->RemoveControl(this);
}

void TKelvoGraphicsToolControl::AddToView(TKelvoGraphicsView& view, TKelvoGraphicsToolControl* control) {
    view.AddObject(control);
}

void TKelvoGraphicsToolControl::Show() {
    shown_ = true;
    SetVisible(true);
}

void TKelvoGraphicsToolControl::Hide() {
    shown_ = false;
    SetVisible(false);
}

void TKelvoGraphicsToolControl::SetVisible(bool value) {
    if (value == IsVisible()) return;
    // The area is taken while visible: hiding repaints where it was, showing where it now is.
    if (!value) Invalidate();
    TKelvoViewObject::SetVisible(value);
    if (value) Invalidate();
}

void TKelvoGraphicsToolControl::Reset() { SetFlags(KelvoViewHasOverlay | KelvoViewNoExtent); }

void TKelvoGraphicsToolControl::Invalidate() {
    if (!view_.HandleAllocated()) return;
    TKelvoRect r;
    const std::uint8_t flags = Flags();
    // The update rectangle counts body and overlay whether or not the object is visible now.
    SetFlags(std::uint8_t(flags | KelvoViewVisible));
    GetDeviceBounds(view_.MapMode(), r);
    SetFlags(flags);
    if (r.IsEmpty()) return;
    RECT rect{r.Left, r.Top, r.Right, r.Bottom};
    ::InvalidateRect(view_.Handle(), &rect, FALSE);
}

void TKelvoGraphicsToolControl::RequeryCursor() { view_.RequeryCursor(); }
