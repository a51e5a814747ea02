#include "tools/win/TKelvoPersp4ToolFrame.h"

#include "classlib/core/FormBuilder.h"
#include "tools/win/KelvoImageToolSupport.h"
#include "tools/win/TUniMyTrack4Bar.h"
#include "unicode/win/TUniButton.h"
#include "unicode/win/TUniGroupBox.h"

namespace {
constexpr int kButtonHeight = 25;
constexpr int kGap = 4;
}  // namespace

TKelvoPersp4ToolFrame::TKelvoPersp4ToolFrame(TComponent* owner) : TKelvoCorrectionToolFrame(owner) {}

void TKelvoPersp4ToolFrame::RegisterBuilder() { RegisterFormBuilder(StaticClass(), &TKelvoPersp4ToolFrame::Build); }

void TKelvoPersp4ToolFrame::Build(TComponent* root) {
    auto* f = static_cast<TKelvoPersp4ToolFrame*>(root);
    f->TBRefSize = Create<TUniButton>(f);
    f->TBRefSize->SetName("TBRefSize");
    f->TBRefSize->SetParent(f->TGBRefRecSize);
}

TUniMyTrackBar* TKelvoPersp4ToolFrame::MakeDistortionTrackBar() {
    return kelvo::MakeControl<TUniMyTrack4Bar>(this, tgbDistor, "DistorTrackBar", 0, 0, 0, 0);
}

void TKelvoPersp4ToolFrame::ArrangeRefButton() {
    const int grow = kButtonHeight + kGap;
    const int groupHeight = TGBRefRecSize->Height();
    TBRefSize->SetBounds(8, groupHeight - kGap, TGBRefRecSize->Width() - 16, kButtonHeight);
    TGBRefRecSize->SetHeight(groupHeight + grow);
    btFinish->SetTop(btFinish->Top() + grow);
    SetHeight(Height() + grow);
}
