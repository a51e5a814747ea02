// The base of every visual control: position inside a parent, visibility, text, font and colour, mouse
// input, hints, actions, and the message path every control has: Perform sends a message through the
// public WindowProc (which other code may hook), WndProc dispatches it to the handler tables, and what no
// table handles reaches DefaultHandler.
#pragma once
#include <cstdint>
#include <memory>

#include "classlib/core/ControlTypes.h"
#include "classlib/core/MessageDispatch.h"
#include "classlib/core/Messages.h"
#include "classlib/core/TActionLink.h"
#include "classlib/core/TColor.h"
#include "classlib/core/TComponent.h"
#include "classlib/win/Win32.h"

class TWinControl;
class TFont;
class TPopupMenu;
class TControlActionLink;
class TControl;

// Transient conditions of a control.
enum TControlStateFlag {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking,
};
using TControlState = TSet<TControlStateFlag>;

using TControlActionLinkClass = TClassOf<TControlActionLink>;

class TControl : public TComponent {
    CLASSLIB_COMPONENT(TControl, TComponent)
    CLASSLIB_MESSAGES(
        TControl, CLASSLIB_ON(WM_LBUTTONDOWN, &TControl::WMLButtonDown),
        CLASSLIB_ON(WM_RBUTTONDOWN, &TControl::WMOtherButtonDown),
        CLASSLIB_ON(WM_MBUTTONDOWN, &TControl::WMOtherButtonDown),
        CLASSLIB_ON(WM_LBUTTONDBLCLK, &TControl::WMLButtonDblClk),
        CLASSLIB_ON(WM_RBUTTONDBLCLK, &TControl::WMOtherButtonDown),
        CLASSLIB_ON(WM_MBUTTONDBLCLK, &TControl::WMOtherButtonDown), CLASSLIB_ON(WM_LBUTTONUP, &TControl::WMLButtonUp),
        CLASSLIB_ON(WM_RBUTTONUP, &TControl::WMOtherButtonUp), CLASSLIB_ON(WM_MBUTTONUP, &TControl::WMOtherButtonUp),
        CLASSLIB_ON(WM_MOUSEMOVE, &TControl::WMMouseMove), CLASSLIB_ON(WM_CANCELMODE, &TControl::WMCancelMode),
        CLASSLIB_ON(WM_CONTEXTMENU, &TControl::WMContextMenu),
        CLASSLIB_ON(CM_VISIBLECHANGED, &TControl::CMVisibleChanged),
        CLASSLIB_ON(CM_ENABLEDCHANGED, &TControl::CMEnabledChanged),
        CLASSLIB_ON(CM_FONTCHANGED, &TControl::CMFontChanged), CLASSLIB_ON(CM_COLORCHANGED, &TControl::CMColorChanged),
        CLASSLIB_ON(CM_PARENTFONTCHANGED, &TControl::CMParentFontChanged),
        CLASSLIB_ON(CM_PARENTCOLORCHANGED, &TControl::CMParentColorChanged),
        CLASSLIB_ON(CM_PARENTSHOWHINTCHANGED, &TControl::CMParentShowHintChanged),
        CLASSLIB_ON(CM_HITTEST, &TControl::CMHitTest))

    explicit TControl(TComponent* owner);
    ~TControl() override;
    void BeforeDestruction() override;

    // Parent. Setting it removes the control from the old parent and inserts it into the new one; a control
    // cannot be its own parent (EInvalidOperation).
    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* value);
    TComponent* GetParentComponent() const override;
    bool HasParent() const override;
    void SetParentComponent(TComponent* value) override;

    // Bounds, relative to the parent's client area.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    // Applies the constraints, asks CanResize, moves the control and re-aligns its parent.
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }

    // The client area in the control's own coordinates; a non-windowed control's is its whole size.
    virtual TRect ClientRect();
    int ClientWidth() { return ClientRect().Width(); }
    int ClientHeight() { return ClientRect().Height(); }
    void SetClientWidth(int value);
    void SetClientHeight(int value);
    // The screen position of the client area's top-left corner.
    virtual TPoint ClientOrigin();
    TPoint ClientToScreen(TPoint p) {
        TPoint o = ClientOrigin();
        return TPoint{p.X + o.X, p.Y + o.Y};
    }
    TPoint ScreenToClient(TPoint p) {
        TPoint o = ClientOrigin();
        return TPoint{p.X - o.X, p.Y - o.Y};
    }

    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    void Show();
    void Hide();
    // Whether the control is on screen: visible, with every parent showing.
    virtual bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value);

    TAlign Align() const { return align_; }
    // Aligning also sets the anchors the alignment implies (alTop: left, top and right).
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors value);
    const TSizeConstraintsData& Constraints() const { return constraints_; }
    void SetConstraints(const TSizeConstraintsData& value);
    bool AutoSize() const { return autoSize_; }
    virtual void SetAutoSize(bool value);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont* Font() const { return font_.get(); }
    // Copies value into the control's font.
    void SetFont(TFont* value);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);

    // Text: read and written through Perform (WM_GETTEXTLENGTH, WM_GETTEXT, WM_SETTEXT), so that whatever
    // hooks WindowProc sees every access; a change is followed by CM_TEXTCHANGED.
    AnsiString Text() { return GetText(); }
    void SetText(const AnsiString& value);
    AnsiString Caption() { return GetText(); }
    void SetCaption(const AnsiString& value) { SetText(value); }
    AnsiString GetText();
    int GetTextLen();
    // Copies at most bufSize - 1 bytes and a terminating zero; returns the number copied.
    int GetTextBuf(char* buffer, int bufSize);
    void SetTextBuf(const char* buffer);

    const AnsiString& Hint() const { return hint_; }
    void SetHint(const AnsiString& value) { hint_ = value; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value);
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* value);

    TBasicAction* Action() const;
    void SetAction(TBasicAction* value);
    TControlActionLink* ActionLink() const { return actionLink_.get(); }

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle value) { controlStyle_ = value; }
    TControlState ControlState() const { return controlState_; }
    void SetControlState(TControlState value) { controlState_ = value; }

    // Mouse capture: a windowed control captures with its own window, a non-windowed one with its parent's.
    bool MouseCapture();
    void SetMouseCapture(bool value);
    // Sends WM_CANCELMODE to the capturing control and the focused control of this control's top parent,
    // unless either is sender.
    void SendCancelMode(TControl* sender);

    // The message path.
    std::intptr_t Perform(std::uint32_t msg, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
    TWndMethod WindowProc;
    // The method WindowProc starts with (this control's own WndProc), for code that hooks the chain.
    TWndMethod OwnWindowProc() { return MakeMethod<&TControl::WndProc>(this); }
    virtual void WndProc(TMessage& message);
    // Text messages are answered from the control's own text; everything else is left alone.
    void DefaultHandler(TMessage& message) override;

    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront() { SetZOrder(true); }
    void SendToBack() { SetZOrder(false); }

    // Lets the action link update the control (idle action cycle).
    virtual void InitiateAction();
    // Runs the wheel through OnMouseWheel; true when handled.
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    virtual void Click();
    virtual void DblClick();

    // Graphic children are painted by their parent; this asks for it (or invalidates the window).
    virtual bool IsWindowed() const { return false; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnResize;
    TContextPopupEvent OnContextPopup;

    void Notification(TComponent* component, TOperation operation) override;

protected:
    friend class TWinControl;
    friend class TControlActionLink;

    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Resize();
    // May change the requested size; false refuses the resize.
    virtual bool CanResize(int& newWidth, int& newHeight);
    // The size AutoSize should give; false keeps the current one.
    virtual bool CanAutoSize(int& newWidth, int& newHeight);
    // Applies AutoSize when it is on.
    virtual void AdjustSize();
    virtual void DoContextPopup(TPoint mousePos, bool& handled);
    virtual TControlActionLinkClass GetActionLinkClass();
    // Copies the action's values into the control; with checkDefaults only those still at their defaults.
    virtual void ActionChange(TObject* sender, bool checkDefaults);
    // Asks the parent to align its children again when this control is aligned or anchored.
    virtual void RequestAlign();
    virtual void SetZOrder(bool topMost);
    virtual void VisibleChanging() {}
    // Repaints the control's area on its parent.
    void InvalidateControl(bool isVisible, bool isOpaque);
    // The bounds set by alignment, which leave the anchoring base alone.
    void SetAlignedBounds(const TRect& r);

    void WMLButtonDown(TMessage& message);
    void WMLButtonDblClk(TMessage& message);
    void WMLButtonUp(TMessage& message);
    // Right and middle buttons: presses (single and double) and releases.
    void WMOtherButtonDown(TMessage& message);
    void WMOtherButtonUp(TMessage& message);
    void WMMouseMove(TMessage& message);
    void WMCancelMode(TMessage& message);
    void WMContextMenu(TMessage& message);
    void CMVisibleChanged(TMessage& message);
    void CMEnabledChanged(TMessage& message);
    void CMFontChanged(TMessage& message);
    void CMColorChanged(TMessage& message);
    void CMParentFontChanged(TMessage& message);
    void CMParentColorChanged(TMessage& message);
    void CMParentShowHintChanged(TMessage& message);
    void CMHitTest(TMessage& message);

    // State kept for the windowed subclass.
    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    AnsiString text_;
    TControlStyle controlStyle_;
    TControlState controlState_;
    TColor color_ = clWindow;
    bool visible_ = true;
    bool enabled_ = true;
    bool parentFont_ = true;
    bool parentColor_ = true;

private:
    void DoMouseDown(TMessage& message, TMouseButton button, TShiftState shift);
    void DoMouseUp(TMessage& message, TMouseButton button);
    void FontChanged(TObject* sender);
    void DoActionChange(TObject* sender);
    // Applies the constraints and CanResize to new bounds; false when nothing is left to change.
    bool CheckNewBounds(int& left, int& top, int& width, int& height);
    void ApplyBounds(int left, int top, int width, int height);
    void UpdateAnchorBase();

    TAlign align_ = alNone;
    TAnchors anchors_{akLeft, akTop};
    TSizeConstraintsData constraints_;
    bool autoSize_ = false;
    TObjectPtr<TFont> font_;
    AnsiString hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    int helpContext_ = 0;
    TCursor cursor_ = crDefault;
    TPopupMenu* popupMenu_ = nullptr;
    TObjectPtr<TControlActionLink> actionLink_;
    bool applyingAlignment_ = false;

    // Alignment bookkeeping: the place among siblings of the same alignment at the last alignment, and
    // the bounds and parent client size that anchoring measures from.
    int alignOrder_ = 0;
    TRect anchorBase_;
    TSize anchorParentSize_;
};

// The control that holds the mouse capture (windowed or not), or null.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);

// The shift state of a mouse message's key flags (MK_*).
TShiftState KeysToShiftState(std::uintptr_t keys);
