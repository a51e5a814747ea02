#include "classlib/win/TPaintBox.h"

#include "classlib/win/TCanvas.h"

TPaintBox::TPaintBox(TComponent* owner) : TGraphicControl(owner) {
    TControlStyle style = ControlStyle();
    style.Include(csReplicatable);
    SetControlStyle(style);
    SetBounds(0, 0, 105, 105);
}

void TPaintBox::Paint() {
    Canvas()->SetFont(Font());
    Canvas()->Brush()->SetColor(Color());
    if (OnPaint) OnPaint(this);
}
