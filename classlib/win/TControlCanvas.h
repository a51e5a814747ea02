// A canvas on a control: outside painting it gets a device context of the control's window (a non-windowed
// control draws on its parent's window, moved to its place and clipped to it) and gives it back when the
// control paints again, loses its window, or the canvas is freed.
#pragma once
#include <optional>

#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/WindowDC.h"

class TControl;

class TControlCanvas : public TCanvas {
    CLASSLIB_CLASS(TControlCanvas, TCanvas)
public:
    TControlCanvas() = default;
    ~TControlCanvas() override;

    TControl* Control() const { return control_; }
    void SetControl(TControl* control);
    // Releases a device context this canvas fetched itself.
    void FreeHandle();
    // Draws with paint on dc (a paint message's device context), attached for the time of the call.
    template <class Paint>
    void PaintOn(HDC dc, Paint paint) {
        Lock();
        FreeHandle();
        SetHandle(dc);
        TScopeExit detach([this] {
            SetHandle(nullptr);
            Unlock();
        });
        paint();
    }

protected:
    void CreateHandle() override;

private:
    TControl* control_ = nullptr;
    std::optional<TWindowDC> ownDC_;  // the DC fetched outside painting, if any
};
