// A control with a window of its own: it owns the window's life (creation through virtual steps that
// subclasses and the Unicode layer replace, destruction that keeps the text, re-creation), holds child
// controls and aligns them, paints itself and its non-windowed children, reflects child notifications back
// to the child window, and takes part in the keyboard, focus and mouse paths.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/win/ObjectInstance.h"
#include "classlib/win/TControl.h"
#include "classlib/win/TCreateParams.h"

class TWinControl : public TControl {
    CLASSLIB_COMPONENT(TWinControl, TControl)
    CLASSLIB_MESSAGES(
        TWinControl, CLASSLIB_ON(WM_PAINT, &TWinControl::WMPaint),
        CLASSLIB_ON(WM_ERASEBKGND, &TWinControl::WMEraseBkgnd),
        CLASSLIB_ON(WM_PRINTCLIENT, &TWinControl::WMPrintClient), CLASSLIB_ON(WM_COMMAND, &TWinControl::WMReflect),
        CLASSLIB_ON(WM_NOTIFY, &TWinControl::WMReflect), CLASSLIB_ON(WM_CTLCOLORMSGBOX, &TWinControl::WMReflect),
        CLASSLIB_ON(WM_CTLCOLOREDIT, &TWinControl::WMReflect), CLASSLIB_ON(WM_CTLCOLORLISTBOX, &TWinControl::WMReflect),
        CLASSLIB_ON(WM_CTLCOLORBTN, &TWinControl::WMReflect), CLASSLIB_ON(WM_CTLCOLORDLG, &TWinControl::WMReflect),
        CLASSLIB_ON(WM_CTLCOLORSCROLLBAR, &TWinControl::WMReflect),
        CLASSLIB_ON(WM_CTLCOLORSTATIC, &TWinControl::WMReflect), CLASSLIB_ON(WM_DRAWITEM, &TWinControl::WMReflect),
        CLASSLIB_ON(WM_MEASUREITEM, &TWinControl::WMReflect), CLASSLIB_ON(WM_DELETEITEM, &TWinControl::WMReflect),
        CLASSLIB_ON(WM_COMPAREITEM, &TWinControl::WMReflect), CLASSLIB_ON(WM_HSCROLL, &TWinControl::WMReflect),
        CLASSLIB_ON(WM_VSCROLL, &TWinControl::WMReflect),
        CLASSLIB_ON(WM_WINDOWPOSCHANGED, &TWinControl::WMWindowPosChanged),
        CLASSLIB_ON(WM_SETFOCUS, &TWinControl::WMSetFocus), CLASSLIB_ON(WM_KILLFOCUS, &TWinControl::WMKillFocus),
        CLASSLIB_ON(WM_KEYDOWN, &TWinControl::WMKeyDown), CLASSLIB_ON(WM_SYSKEYDOWN, &TWinControl::WMKeyDown),
        CLASSLIB_ON(WM_KEYUP, &TWinControl::WMKeyUp), CLASSLIB_ON(WM_SYSKEYUP, &TWinControl::WMKeyUp),
        CLASSLIB_ON(WM_CHAR, &TWinControl::WMChar), CLASSLIB_ON(WM_MOUSEWHEEL, &TWinControl::WMMouseWheel),
        CLASSLIB_ON(WM_SETCURSOR, &TWinControl::WMSetCursor), CLASSLIB_ON(WM_HELP, &TWinControl::WMHelp),
        CLASSLIB_ON(WM_NCDESTROY, &TWinControl::WMNCDestroy), CLASSLIB_ON(CN_KEYDOWN, &TWinControl::CNKeyDown),
        CLASSLIB_ON(CN_SYSKEYDOWN, &TWinControl::CNKeyDown), CLASSLIB_ON(CN_CHAR, &TWinControl::CNChar),
        CLASSLIB_ON(CN_SYSCHAR, &TWinControl::CNSysChar), CLASSLIB_ON(CM_DIALOGKEY, &TWinControl::CMBroadcastKey),
        CLASSLIB_ON(CM_DIALOGCHAR, &TWinControl::CMBroadcastKey), CLASSLIB_ON(CM_ENTER, &TWinControl::CMEnter),
        CLASSLIB_ON(CM_EXIT, &TWinControl::CMExit), CLASSLIB_ON(CM_SHOWINGCHANGED, &TWinControl::CMShowingChanged),
        CLASSLIB_ON(CM_VISIBLECHANGED, &TWinControl::CMVisibleChanged),
        CLASSLIB_ON(CM_ENABLEDCHANGED, &TWinControl::CMEnabledChanged),
        CLASSLIB_ON(CM_FONTCHANGED, &TWinControl::CMFontChanged),
        CLASSLIB_ON(CM_COLORCHANGED, &TWinControl::CMColorChanged),
        CLASSLIB_ON(CM_SHOWHINTCHANGED, &TWinControl::CMShowHintChanged),
        CLASSLIB_ON(CM_RECREATEWND, &TWinControl::CMRecreateWnd),
        CLASSLIB_ON(CM_SYSCOLORCHANGE, &TWinControl::CMBroadcastToChildren),
        CLASSLIB_ON(CM_WININICHANGE, &TWinControl::CMBroadcastToChildren))

    explicit TWinControl(TComponent* owner);
    // Destroys the window (children first); the children leave this parent (their owner frees them).
    ~TWinControl() override;
    void BeforeDestruction() override;

    bool IsWindowed() const override { return true; }

    // The window, made on first use (with the parent's first).
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded();
    // The window as it is, without creating one. Setting 0 detaches a live window from this control (the
    // window, its children and its procedure stay as they are, and nothing is created while detached);
    // setting a window attaches it (the caller then moves it with the system's SetParent).
    HWND WindowHandle() const { return handle_; }
    void SetWindowHandle(HWND value);
    // A raw parent window for a control without a parent control.
    HWND ParentWindow() const { return parentWindow_; }
    void SetParentWindow(HWND value);
    // The procedure unhandled messages go to (DefWindowProcA, or a system class's procedure).
    WNDPROC DefWndProc() const { return defWndProc_; }
    void SetDefWndProc(WNDPROC value) { defWndProc_ = value; }
    // The procedure of the window: this control's object instance, which calls MainWndProc.
    WNDPROC ObjectInstance() const { return objectInstance_.Proc(); }

    // Every message the window receives: WindowProc inside a catch-all.
    void MainWndProc(TMessage& message);
    void WndProc(TMessage& message) override;
    // CallWindowProcA(DefWndProc, ...) while there is a window; the control's own text answers otherwise.
    void DefaultHandler(TMessage& message) override;

    // The window steps.
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& params);
    // Keeps the text for the next window, then destroys the window.
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    virtual void CreateHandle();
    // Destroys the children's windows first, then this one.
    virtual void DestroyHandle();
    // Makes the window again (through CM_RECREATEWND) when there is one.
    void RecreateWnd();
    // Builds on a system window class: copies its description into params and keeps the control's class name.
    void CreateSubClass(TCreateParams& params, const char* systemClassName);

    // Children: non-windowed controls first, then windowed ones, each in insertion order.
    int ControlCount() const { return static_cast<int>(controls_.size() + winControls_.size()); }
    TControl* Controls(int index) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool ContainsControl(TControl* control) const;
    // The child under point (client coordinates), topmost first; disabled ones only when allowed, windowed
    // ones only when allowed.
    TControl* ControlAtPos(TPoint point, bool allowDisabled, bool allowWinControls = false);
    // Sends message to every child in turn until one answers non-zero.
    void Broadcast(TMessage& message);
    // Sends msg to every child (as a notification from the parent).
    void NotifyControls(std::uint32_t msg);

    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    // Windowed children and their children, in tab order.
    virtual void GetTabOrderList(std::vector<TWinControl*>& list);
    // The next child (at any depth) after current in tab order, or null.
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent);
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

    // Raises EInvalidOperation "Cannot focus a disabled or invisible window" unless CanFocus.
    virtual void SetFocus();
    virtual bool CanFocus();
    bool Focused();

    bool Showing() const override { return showing_; }
    TRect ClientRect() override;
    TPoint ClientOrigin() override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetParent(TWinControl* value) override;
    void Invalidate() override;
    void Update() override;
    void Repaint() override;

    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
    bool ParentBackground() const { return controlStyle_.Contains(csParentBackground); }
    void SetParentBackground(bool value);

    // Alignment of the children.
    void DisableAlign();
    void EnableAlign();
    void Realign();
    bool AlignDisabled() const { return alignLevel_ > 0; }
    // The client area with AdjustClientRect applied: where the children are aligned and anchored.
    TRect AlignArea();
    // Aligns the children again after a change of control (which wins ties with its neighbours).
    void AlignControlsFor(TControl* control);

    // Painting.
    void PaintHandler(TMessage& message);
    virtual void PaintWindow(HDC dc);
    // Paints the non-windowed children from first (all when null) into dc, each at its place and clipped.
    void PaintControls(HDC dc, TControl* first);

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    // The key paths, callable on another control (the form previews its controls' keys this way).
    bool DoKeyDown(TMessage& message);
    bool DoKeyUp(TMessage& message);
    bool DoKeyPress(TMessage& message);

protected:
    virtual void KeyDown(std::uint16_t& key, TShiftState shift);
    virtual void KeyUp(std::uint16_t& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void DoEnter();
    virtual void DoExit();
    // Places the aligned and anchored children inside rect (the adjusted client area).
    virtual void AlignControls(TControl* control, TRect& rect);
    // The part of the client area the children are aligned in.
    virtual void AdjustClientRect(TRect& rect);
    // Shows or hides the window and the children's windows as Showing changes.
    void UpdateShowing();
    void SetZOrder(bool topMost) override;
    // Whether a mouse message belongs to a non-windowed child (under the point, or capturing); sends it there.
    bool IsControlMouseMsg(TMessage& message);
    // Reads the bounds back from the window.
    void UpdateBounds();

    void WMPaint(TMessage& message);
    void WMEraseBkgnd(TMessage& message);
    void WMPrintClient(TMessage& message);
    void WMReflect(TMessage& message);
    void WMWindowPosChanged(TMessage& message);
    void WMSetFocus(TMessage& message);
    void WMKillFocus(TMessage& message);
    void WMKeyDown(TMessage& message);
    void WMKeyUp(TMessage& message);
    void WMChar(TMessage& message);
    void WMMouseWheel(TMessage& message);
    void WMSetCursor(TMessage& message);
    // Help on a window (F1, or a click after the "?" of the caption) goes to the application with the help
    // context of the window's control or its nearest parent that has one; without any it is dropped.
    void WMHelp(TMessage& message);
    void WMNCDestroy(TMessage& message);
    void CNKeyDown(TMessage& message);
    void CNChar(TMessage& message);
    void CNSysChar(TMessage& message);
    void CMBroadcastKey(TMessage& message);
    void CMEnter(TMessage& message);
    void CMExit(TMessage& message);
    void CMShowingChanged(TMessage& message);
    void CMVisibleChanged(TMessage& message);
    void CMEnabledChanged(TMessage& message);
    void CMFontChanged(TMessage& message);
    void CMColorChanged(TMessage& message);
    void CMShowHintChanged(TMessage& message);
    void CMRecreateWnd(TMessage& message);
    void CMBroadcastToChildren(TMessage& message);

private:
    friend class TControl;
    friend LRESULT CALLBACK InitWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void RegisterWindowClass(TCreateParams& params);
    // The parent form's turn first when it previews its controls' keys.
    bool FormPreviews(TMessage& message, bool (TWinControl::*step)(TMessage&));
    // A key-down or key-up through handler; true when the handler consumed the key (set it to 0).
    bool DoVirtualKey(TMessage& message, void (TWinControl::*handler)(std::uint16_t&, TShiftState));
    void DoAlign();
    void PaintDoubleBuffered();
    HWND ParentHandleForCreation();

    HWND handle_ = nullptr;
    HWND parentWindow_ = nullptr;
    WNDPROC defWndProc_ = nullptr;
    // Set by CreateSubClass: the window is a system control, whose own child windows are its business.
    bool builtOnSystemClass_ = false;
    TObjectInstance objectInstance_{MakeMethod<&TWinControl::MainWndProc>(this)};
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> winControls_;
    std::vector<TWinControl*> tabList_;
    bool showing_ = false;
    // The live window while detached (WindowHandle set to 0): it still reaches the default procedure.
    HWND detached_ = nullptr;
    bool tabStop_ = false;
    bool doubleBuffered_ = false;
    int alignLevel_ = 0;
};

// The initial procedure of every window class the library registers: attaches the new window to the control
// under creation, marks it with the two window properties and hands the message on.
LRESULT CALLBACK InitWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The control whose window is being created on this thread, or null.
TWinControl* CreationControl();
// The library's control for a window of this process (read from the window's mark), or null.
TWinControl* FindControl(HWND wnd);
// The control (windowed or not, at any depth) under a screen point; disabled ones only when allowed.
TControl* FindDragTarget(TPoint screenPos, bool allowDisabled);
// The shift state from a key message's lParam (Alt from bit 29) and the current Shift and Ctrl keys.
TShiftState KeyDataToShiftState(std::intptr_t keyData);
TShiftState KeyboardStateToShiftState();
// The names of the two global atoms the library marks its windows with: the window mark ("Vantorel" and the
// process id) and the control mark ("ControlOfs", the module instance and the thread id).
AnsiString WindowAtomName();
AnsiString ControlAtomName();
// The module instance the library registers its window classes in.
HINSTANCE LibraryInstance();
