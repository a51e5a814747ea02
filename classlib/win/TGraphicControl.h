// A control without a window of its own: its parent paints it (PaintControls) and routes the mouse to it.
// Paint draws on Canvas, which is attached to the parent's device context, moved to the control's place.
#pragma once
#include <memory>

#include "classlib/win/TControl.h"
#include "classlib/win/TControlCanvas.h"

class TGraphicControl : public TControl {
    CLASSLIB_COMPONENT(TGraphicControl, TControl)
    CLASSLIB_MESSAGES(TGraphicControl, CLASSLIB_ON(WM_PAINT, &TGraphicControl::WMPaint))

    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    TCanvas* Canvas() const { return canvas_.get(); }

protected:
    virtual void Paint() {}
    void WMPaint(TMessage& message);

private:
    TObjectPtr<TControlCanvas> canvas_;
};
