// The Unicode track bar: the library's track bar in a Unicode "msctls_trackbar32" window with a wide hint.
#pragma once
#include "classlib/win/TTrackBar.h"
#include "unicode/win/UniStdControl.h"

class TUniTrackBar : public uni::TUniWindowed<TTrackBar> {
    CLASSLIB_COMPONENT(TUniTrackBar, TTrackBar)
    explicit TUniTrackBar(TComponent* owner) : TUniWindowed(owner, L"msctls_trackbar32") {}

protected:
    void CreateWindowHandle(const TCreateParams& params) override;
};
