#include "classlib/win/TCustomControl.h"

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {
    canvas_ = MakeObject<TControlCanvas>();
    canvas_->SetControl(this);
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC dc) {
    canvas_->PaintOn(dc, [this] { Paint(); });
}

void TCustomControl::DestroyWindowHandle() {
    canvas_->FreeHandle();
    TWinControl::DestroyWindowHandle();
}
