#include "classlib/win/TGraphicControl.h"

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {
    canvas_ = MakeObject<TControlCanvas>();
    canvas_->SetControl(this);
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WMPaint(TMessage& message) {
    // The parent paints its graphic children into its own device context, moved to the child's place.
    if (message.WParam) canvas_->PaintOn(reinterpret_cast<HDC>(message.WParam), [this] { Paint(); });
}
