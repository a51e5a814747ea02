#include "unicode/win/TUniFrame.h"

#include "classlib/win/BuildRoot.h"
#include "unicode/core/WideProperties.h"
#include "unicode/win/TUniAction.h"
#include "unicode/win/UniActionLinks.h"
#include "unicode/win/UniControls.h"

void TUniCustomFrame::DefineProperties(TFiler* filer) {
    TCustomFrame::DefineProperties(filer);
    uni::DefineWideProperties(filer, this);
}

void TUniCustomFrame::AfterConstruction() {
    TCustomFrame::AfterConstruction();
    if (OnCreate) OnCreate(this);
}

void TUniCustomFrame::BeforeDestruction() {
    FireOnDestroy(OnDestroy, this);
    TCustomFrame::BeforeDestruction();
}

WideString TUniCustomFrame::Hint() { return uni::GetControlWideHint(this); }
void TUniCustomFrame::SetHint(const WideString& value) { uni::SetControlWideHint(this, value); }

void TUniCustomFrame::CreateWindowHandle(const TCreateParams& params) { uni::CreateWideWindow(this, params, nullptr); }

void TUniCustomFrame::ActionChange(TObject* sender, bool checkDefaults) {
    uni::ApplyWideActionTexts(this, sender, checkDefaults);
    TCustomFrame::ActionChange(sender, checkDefaults);
}

TControlActionLinkClass TUniCustomFrame::GetActionLinkClass() { return uni::WideActionLinkClassFor(this); }
