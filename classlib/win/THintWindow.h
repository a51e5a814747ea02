// The hint window (a small top-most popup with the hint text) and the record a control receives with
// CM_HINTSHOW, in which it may change what is shown, where, and by which window class.
#pragma once
#include "classlib/core/MessageDispatch.h"
#include "classlib/core/TColor.h"
#include "classlib/win/TCustomControl.h"

class THintWindow;

// LParam of CM_HINTSHOW. A handler may change every field; a non-zero answer shows no hint. HintStr is passed
// on to the hint window byte for byte (it may hold text of any code page, or UTF-8).
struct THintInfo {
    TControl* HintControl = nullptr;
    TClassOf<THintWindow> HintWindowClass;
    // Screen position of the hint's top-left corner.
    TPoint HintPos;
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    // While the pointer stays inside this rectangle (client coordinates of HintControl) the hint stays;
    // leaving it asks the control again.
    TRect CursorRect;
    // The pointer in client coordinates of HintControl.
    TPoint CursorPos;
    // Milliseconds until the control is asked again (0: not while the pointer stays), and until the hint
    // hides (0: never by time).
    int ReshowTimeout = 0;
    int HideTimeout = 0;
    AnsiString HintStr;
    void* HintData = nullptr;
};

class THintWindow : public TCustomControl {
    CLASSLIB_COMPONENT(THintWindow, TCustomControl)
    CLASSLIB_MESSAGES(THintWindow, CLASSLIB_ON(CM_TEXTCHANGED, &THintWindow::CMTextChanged),
                      CLASSLIB_ON(WM_NCHITTEST, &THintWindow::WMNCHitTest),
                      CLASSLIB_ON(WM_NCPAINT, &THintWindow::WMNCPaint))

    explicit THintWindow(TComponent* owner);

    // Shows hint inside rect (screen coordinates; kept on the monitor) without taking activation; the window is
    // Visible and Showing until ReleaseHandle.
    virtual void ActivateHint(TRect rect, const AnsiString& hint);
    virtual void ActivateHintData(TRect rect, const AnsiString& hint, void* data);
    // The rectangle (at 0, 0) that fits hint wrapped to maxWidth.
    virtual TRect CalcHintRect(int maxWidth, const AnsiString& hint, void* data);
    // Whether msg (a key or mouse-button message) should take the hint down.
    virtual bool IsHintMsg(const MSG& msg);
    // Hides the window (Visible and Showing turn false) by destroying it; the next activation makes it again.
    void ReleaseHandle();
    // The text shown, exactly as the last activation passed it.
    const AnsiString& HintText() const { return hintText_; }

    bool CanAutoSize(int& newWidth, int& newHeight) override;
    bool CanResize(int& newWidth, int& newHeight) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    void CMTextChanged(TMessage& message);
    void WMNCHitTest(TMessage& message);
    void WMNCPaint(TMessage& message);

private:
    AnsiString hintText_;
};
