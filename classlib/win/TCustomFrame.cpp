#include "classlib/win/TCustomFrame.h"

#include "classlib/win/BuildRoot.h"

TCustomFrame::TCustomFrame(TComponent* owner) : TScrollingWinControl(owner) {
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 320, 240);
}

TCustomFrame::~TCustomFrame() = default;

void TCustomFrame::AfterConstruction() {
    if (buildPending_) {
        buildPending_ = false;
        if (ClassType() != TFrame::StaticClass() && ClassType() != TCustomFrame::StaticClass())
            BuildRootComponent(this, TFrame::StaticClass());
    }
    TScrollingWinControl::AfterConstruction();
}
