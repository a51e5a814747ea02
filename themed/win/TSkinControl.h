// The base of the themed controls: a light windowed control painted over its parent's background, with hot
// tracking, push and focus handling and keyboard cues.
//
// Hot tracking: one control of the process is hot at a time. A mouse move over an enabled control makes it
// the hot one (the previous one leaves) and starts the one shared 125 ms timer, which checks the control
// under the pointer and lets the hot one leave once the pointer is elsewhere; leaving stops the timer, so
// nothing polls while no control is hot. The timer is made by the first control and freed with the last.
#pragma once
#include "classlib/core/Method.h"
#include "classlib/win/TCustomControl.h"
#include "themed/win/TSkinNexus.h"

class TTimer;

class TSkinControl : public TCustomControl {
    CLASSLIB_COMPONENT(TSkinControl, TCustomControl)
    CLASSLIB_MESSAGES(TSkinControl, CLASSLIB_ON(WM_ERASEBKGND, &TSkinControl::WMEraseBkgnd),
                      CLASSLIB_ON(WM_KILLFOCUS, &TSkinControl::WMKillFocus),
                      CLASSLIB_ON(WM_UPDATEUISTATE, &TSkinControl::WMUpdateUIState),
                      CLASSLIB_ON(CM_ENABLEDCHANGED, &TSkinControl::CMEnabledChanged),
                      CLASSLIB_ON(CM_SKINTHEMECHANGED, &TSkinControl::CMThemeChanged))

    explicit TSkinControl(TComponent* owner);
    ~TSkinControl() override;

    bool Hot() const { return hot_; }
    bool Pushed() const { return pushed_; }
    bool KeyPushed() const { return keyPushed_; }
    // A press takes the focus only when the focus already is inside the parent (and then does not scroll).
    bool SmartFocus() const { return smartFocus_; }
    void SetSmartFocus(bool value) { smartFocus_ = value; }
    bool KeyboardCuesVisible() const { return cuesVisible_; }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    virtual void MouseEntered();
    virtual void MouseLeft();
    // What a panel that sums its children counts for this control when it is client-aligned.
    virtual int GetMinHeight() { return Height(); }
    virtual int GetMinWidth() { return Width(); }

    // The control that is hot now, and whether the shared timer runs (null and false when none is hot).
    static TSkinControl* HotControl();
    static bool HotTimerRunning();

protected:
    void CreateWnd() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void KeyUp(std::uint16_t& key, TShiftState shift) override;

    // Space presses and clicks the control.
    void SetSpaceClicks(bool value) { spaceClicks_ = value; }
    // Whether a press takes the focus at all (a label leaves it where it is).
    void SetFocusOnPress(bool value) { focusOnPress_ = value; }
    void SetPushed(bool value);
    void EnterHot();
    void LeaveHot();
    // A themed control answers the nexus's theme change with a full repaint.
    void CMThemeChanged(TMessage& message);

    void WMEraseBkgnd(TMessage& message);
    void WMKillFocus(TMessage& message);
    void WMUpdateUIState(TMessage& message);
    void CMEnabledChanged(TMessage& message);

private:
    void HotTimer(TObject* sender);
    void TakeFocus();

    bool hot_ = false;
    bool pushed_ = false;
    bool keyPushed_ = false;
    bool spaceClicks_ = false;
    bool smartFocus_ = false;
    bool focusOnPress_ = true;
    bool cuesVisible_ = true;
};
