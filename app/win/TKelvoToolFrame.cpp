#include "app/win/TKelvoToolFrame.h"

#include "classlib/core/FormBuilder.h"
#include "themed/win/TSkinToolbar.h"

namespace {
constexpr int kBelowToolbar = 6;
}

TKelvoToolFrame::TKelvoToolFrame(TComponent* owner) : TKelvoFrame(owner) {}

void TKelvoToolFrame::RegisterBuilder() { RegisterFormBuilder(StaticClass(), &TKelvoToolFrame::Build); }

void TKelvoToolFrame::Build(TComponent* root) {
    auto* frame = static_cast<TKelvoToolFrame*>(root);
    frame->SetWidth(178);
    frame->SetHeight(63);
    frame->Toolbar = Create<TSkinToolbar>(frame);
    frame->Toolbar->SetName("Toolbar");
    frame->Toolbar->SetBorderStyle(dbsNone);
    frame->Toolbar->SetParent(frame);
    frame->Toolbar->SetAlign(alTop);
    frame->Toolbar->OnResize = MakeMethod<&TKelvoToolFrame::ToolbarResize>(frame);
}

void TKelvoToolFrame::ToolbarResize(TObject*) { SetHeight(Toolbar->Height() + kBelowToolbar); }
