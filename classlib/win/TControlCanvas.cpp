#include "classlib/win/TControlCanvas.h"

#include "classlib/win/TWinControl.h"

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* control) {
    if (control_ == control) return;
    FreeHandle();
    control_ = control;
}

void TControlCanvas::FreeHandle() {
    if (!ownDC_) return;
    SetHandle(nullptr);
    ownDC_.reset();
}

void TControlCanvas::CreateHandle() {
    if (!control_) return;
    FreeHandle();
    HWND wnd = nullptr;
    if (control_->IsWindowed()) {
        wnd = static_cast<TWinControl*>(control_)->Handle();
    } else if (control_->Parent()) {
        wnd = control_->Parent()->Handle();
    } else {
        return;
    }
    TWindowDC own = TWindowDC::Ex(wnd, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (!own) return;
    HDC dc = own.Get();
    if (!control_->IsWindowed()) {
        // A graphic control draws in its own coordinates, inside its own rectangle of the parent.
        ::SetViewportOrgEx(dc, control_->Left(), control_->Top(), nullptr);
        ::IntersectClipRect(dc, 0, 0, control_->Width(), control_->Height());
    }
    ownDC_ = std::move(own);
    SetHandle(dc);
}
