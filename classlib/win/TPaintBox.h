// A rectangle on its parent that the program paints in OnPaint, on Canvas.
#pragma once
#include "classlib/win/TGraphicControl.h"

class TPaintBox : public TGraphicControl {
    CLASSLIB_COMPONENT(TPaintBox, TGraphicControl)

    explicit TPaintBox(TComponent* owner);

    TNotifyEvent OnPaint;

protected:
    // Gives the canvas the box's font and colour, then raises OnPaint.
    void Paint() override;
};
