// A windowed control that paints itself: Paint draws on Canvas, which is attached to the paint device
// context for the time of the call.
#pragma once
#include <memory>

#include "classlib/win/TControlCanvas.h"
#include "classlib/win/TWinControl.h"

class TCustomControl : public TWinControl {
    CLASSLIB_COMPONENT(TCustomControl, TWinControl)

    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;

    TCanvas* Canvas() const { return canvas_.get(); }

protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;
    void DestroyWindowHandle() override;

private:
    TObjectPtr<TControlCanvas> canvas_;
};
