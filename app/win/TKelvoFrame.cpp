#include "app/win/TKelvoFrame.h"

namespace {
void EnableChildren(TWinControl& parent, bool value) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* child = parent.Controls(i);
        child->SetEnabled(value);
        if (auto* windowed = dynamic_cast<TWinControl*>(child)) EnableChildren(*windowed, value);
    }
}
}  // namespace

void TKelvoFrame::Initialize() {
    controlsEnabled_ = true;
    TKelvoHookedControl::Initialize();
}

void TKelvoFrame::SetControlsEnabled(bool value) {
    if (value == controlsEnabled_) return;
    EnableChildren(*this, value);
    controlsEnabled_ = value;
}
