#include "app/win/TKelvoFrame.h"

#include "app/win/KelvoHooks.h"

namespace {
void EnableChildren(TWinControl& parent, bool value) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* child = parent.Controls(i);
        child->SetEnabled(value);
        if (auto* windowed = dynamic_cast<TWinControl*>(child)) EnableChildren(*windowed, value);
    }
}
}  // namespace

TKelvoFrame::~TKelvoFrame() {
    StopHooks();
}

void TKelvoFrame::AfterConstruction() {
    TKelvoFrameBase::AfterConstruction();
    if (kelvo::InitializesItself(*this)) Initialize();
}

void TKelvoFrame::BeforeDestruction() {
    StopHooks();
    TKelvoFrameBase::BeforeDestruction();
}

void TKelvoFrame::StopHooks() {
    kelvo::StopHooks(MakeMethod<&TKelvoFrame::Localize>(this), MakeMethod<&TKelvoFrame::UpdateState>(this));
}

void TKelvoFrame::Localize() {}

void TKelvoFrame::UpdateState() {}

void TKelvoFrame::Initialize() {
    controlsEnabled_ = true;
    kelvo::StartHooks(MakeMethod<&TKelvoFrame::Localize>(this), MakeMethod<&TKelvoFrame::UpdateState>(this));
}

void TKelvoFrame::LoadState(TKelvoSDFReader&) {}

void TKelvoFrame::SaveState(TKelvoSDFWriter&) {}

void TKelvoFrame::Start() {}

void TKelvoFrame::SetControlsEnabled(bool value) {
    if (value == controlsEnabled_) return;
    EnableChildren(*this, value);
    controlsEnabled_ = value;
}
