#include "classlib/win/TControl.h"

#include <algorithm>
#include <cstring>

#include "classlib/core/AlignArithmetic.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/TCustomAction.h"
#include "classlib/win/TControlActionLink.h"
#include "classlib/win/TFont.h"
#include "classlib/win/TPopupMenu.h"
#include "classlib/win/TWinControl.h"

namespace {

// The control that holds the capture through its parent's window (a non-windowed control).
TControl* g_captureControl = nullptr;

TPoint MessagePoint(const TMessage& message) {
    return TPoint{static_cast<std::int16_t>(message.LParamLo()), static_cast<std::int16_t>(message.LParamHi())};
}

bool IsDoubleClick(std::uint32_t msg) {
    return msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}

}  // namespace

TShiftState KeysToShiftState(std::uintptr_t keys) {
    TShiftState s;
    if (keys & MK_SHIFT) s.Include(ssShift);
    if (keys & MK_CONTROL) s.Include(ssCtrl);
    if (keys & MK_LBUTTON) s.Include(ssLeft);
    if (keys & MK_RBUTTON) s.Include(ssRight);
    if (keys & MK_MBUTTON) s.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

TControl* GetCaptureControl() {
    HWND capture = ::GetCapture();
    if (!capture) {
        g_captureControl = nullptr;
        return nullptr;
    }
    if (g_captureControl && g_captureControl->Parent() && g_captureControl->Parent()->WindowHandle() == capture)
        return g_captureControl;
    g_captureControl = nullptr;
    return FindControl(capture);
}

void SetCaptureControl(TControl* control) {
    g_captureControl = nullptr;
    ::ReleaseCapture();
    if (!control) return;
    if (control->IsWindowed()) {
        ::SetCapture(static_cast<TWinControl*>(control)->Handle());
    } else if (control->Parent()) {
        g_captureControl = control;
        ::SetCapture(control->Parent()->Handle());
    }
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
    WindowProc = MakeMethod<&TControl::WndProc>(this);
    controlStyle_ = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks};
    font_ = MakeObject<TFont>();
    font_->OnChange = MakeMethod<&TControl::FontChanged>(this);
}

TControl::~TControl() {
    if (g_captureControl == this) SetCaptureControl(nullptr);
    if (parent_) parent_->RemoveControl(this);
    actionLink_.reset();
}

void TControl::BeforeDestruction() {
    TComponent::BeforeDestruction();
    if (MouseCapture()) SetCaptureControl(nullptr);
    // Leave the parent while every override is still in place (the parent asks what kind of child it is).
    if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* value) {
    if (parent_ == value) return;
    for (TControl* p = value; p; p = p->parent_)
        if (p == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (parent_) parent_->RemoveControl(this);
    if (value) value->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const { return parent_; }
bool TControl::HasParent() const { return true; }
void TControl::SetParentComponent(TComponent* value) {
    if (auto* w = dynamic_cast<TWinControl*>(value)) SetParent(w);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (CheckNewBounds(left, top, width, height)) ApplyBounds(left, top, width, height);
}

bool TControl::CheckNewBounds(int& left, int& top, int& width, int& height) {
    width = std::max(0, ConstrainExtent(width, constraints_.MinWidth, constraints_.MaxWidth));
    height = std::max(0, ConstrainExtent(height, constraints_.MinHeight, constraints_.MaxHeight));
    if (left == left_ && top == top_ && width == width_ && height == height_) return false;
    if ((width != width_ || height != height_) && !CanResize(width, height)) {
        width = width_;
        height = height_;
        if (left == left_ && top == top_) return false;
    }
    return true;
}

// Moves a non-windowed control: repaints the old and the new area, then lets the parent align again.
void TControl::ApplyBounds(int left, int top, int width, int height) {
    bool resized = width != width_ || height != height_;
    InvalidateControl(visible_, false);
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (!applyingAlignment_) UpdateAnchorBase();
    InvalidateControl(visible_, false);
    if (!applyingAlignment_) RequestAlign();
    if (resized) Resize();
}

void TControl::SetAlignedBounds(const TRect& r) {
    TScopeExit restore([this, previous = applyingAlignment_] { applyingAlignment_ = previous; });
    applyingAlignment_ = true;
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TControl::UpdateAnchorBase() {
    anchorBase_ = BoundsRect();
    anchorParentSize_ = TSize{};
    if (parent_) {
        TRect area = parent_->AlignArea();
        anchorParentSize_ = TSize{area.Width(), area.Height()};
    }
}

TRect TControl::ClientRect() { return Rect(0, 0, width_, height_); }

TPoint TControl::ClientOrigin() {
    if (!parent_) return TPoint{left_, top_};
    TPoint o = parent_->ClientOrigin();
    return TPoint{o.X + left_, o.Y + top_};
}

void TControl::SetClientWidth(int value) { SetBounds(left_, top_, width_ - ClientWidth() + value, height_); }
void TControl::SetClientHeight(int value) { SetBounds(left_, top_, width_, height_ - ClientHeight() + value); }

void TControl::SetVisible(bool value) {
    if (visible_ == value) return;
    VisibleChanging();
    visible_ = value;
    Perform(CM_VISIBLECHANGED, value ? 1 : 0);
    RequestAlign();
}

void TControl::Show() { SetVisible(true); }
void TControl::Hide() { SetVisible(false); }

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetEnabled(bool value) {
    if (enabled_ == value) return;
    enabled_ = value;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetAlign(TAlign value) {
    if (align_ == value) return;
    TAlign old = align_;
    align_ = value;
    anchors_ = AnchorsForAlign(value, anchors_);
    if (value == alNone && old != alNone) UpdateAnchorBase();
    if (parent_) parent_->AlignControlsFor(this);
}

void TControl::SetAnchors(TAnchors value) {
    anchors_ = value;
    UpdateAnchorBase();
}

void TControl::SetConstraints(const TSizeConstraintsData& value) {
    constraints_ = value;
    SetBounds(left_, top_, width_, height_);
}

void TControl::SetAutoSize(bool value) {
    if (autoSize_ == value) return;
    autoSize_ = value;
    if (value) AdjustSize();
}

void TControl::AdjustSize() {
    if (!autoSize_) return;
    int w = width_, h = height_;
    if (CanAutoSize(w, h)) SetBounds(left_, top_, w, h);
}

bool TControl::CanResize(int&, int&) { return true; }
bool TControl::CanAutoSize(int&, int&) { return false; }

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::RequestAlign() {
    if (parent_ && align_ != alNone) parent_->AlignControlsFor(this);
}

void TControl::SetColor(TColor value) {
    if (color_ == value && !parentColor_) return;
    color_ = value;
    parentColor_ = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
    if (parentColor_ == value) return;
    parentColor_ = value;
    if (value && parent_) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetFont(TFont* value) { font_->Assign(value); }

void TControl::SetParentFont(bool value) {
    if (parentFont_ == value) return;
    parentFont_ = value;
    if (value && parent_) Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChanged(TObject*) {
    parentFont_ = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetShowHint(bool value) {
    parentShowHint_ = false;
    if (showHint_ == value) return;
    showHint_ = value;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value) {
    if (parentShowHint_ == value) return;
    parentShowHint_ = value;
    if (value && parent_) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetCursor(TCursor value) {
    if (cursor_ == value) return;
    cursor_ = value;
    Perform(CM_CURSORCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* value) {
    if (popupMenu_ == value) return;
    if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = value;
    if (value) value->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == popupMenu_) popupMenu_ = nullptr;
    if (actionLink_ && component == actionLink_->Action()) SetAction(nullptr);
}

// Text.

AnsiString TControl::GetText() {
    int len = GetTextLen();
    if (len <= 0) return AnsiString();
    AnsiString text(static_cast<std::size_t>(len) + 1, '\0');
    int got = GetTextBuf(text.data(), len + 1);
    text.resize(static_cast<std::size_t>(std::clamp(got, 0, len)));
    return text;
}

int TControl::GetTextLen() { return static_cast<int>(Perform(WM_GETTEXTLENGTH)); }

int TControl::GetTextBuf(char* buffer, int bufSize) {
    if (!buffer || bufSize <= 0) return 0;
    buffer[0] = '\0';
    int got = static_cast<int>(
        Perform(WM_GETTEXT, static_cast<std::uintptr_t>(bufSize), reinterpret_cast<std::intptr_t>(buffer)));
    got = std::clamp(got, 0, bufSize - 1);
    buffer[got] = '\0';
    return got;
}

void TControl::SetTextBuf(const char* buffer) {
    Perform(WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>(buffer ? buffer : ""));
    Perform(CM_TEXTCHANGED);
}

void TControl::SetText(const AnsiString& value) {
    if (GetText() == value) return;
    SetTextBuf(value.c_str());
}

// Actions.

TBasicAction* TControl::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

void TControl::SetAction(TBasicAction* value) {
    if (!value) {
        actionLink_.reset();
        controlStyle_.Exclude(csActionClient);
        return;
    }
    controlStyle_.Include(csActionClient);
    if (!actionLink_) actionLink_.reset(GetActionLinkClass().Create(this));
    actionLink_->SetAction(value);
    actionLink_->OnChange = MakeMethod<&TControl::DoActionChange>(this);
    ActionChange(value, ComponentState().Contains(csLoading));
    value->FreeNotification(this);
}

TControlActionLinkClass TControl::GetActionLinkClass() { return TControlActionLinkClass::Of<TControlActionLink>(); }

void TControl::DoActionChange(TObject* sender) {
    if (actionLink_ && sender == actionLink_.get()) ActionChange(actionLink_->Action(), false);
}

void TControl::ActionChange(TObject* sender, bool checkDefaults) {
    auto* action = dynamic_cast<TCustomAction*>(sender);
    if (!action) return;
    if (!checkDefaults || Caption().empty()) SetCaption(action->Caption());
    if (!checkDefaults || enabled_) SetEnabled(action->Enabled());
    if (!checkDefaults || helpContext_ == 0) SetHelpContext(action->HelpContext());
    if (!checkDefaults || hint_.empty()) SetHint(action->Hint());
    if (!checkDefaults || visible_) SetVisible(action->Visible());
    if (!checkDefaults || !OnClick) OnClick = action->OnExecute;
}

void TControl::InitiateAction() {
    if (actionLink_) actionLink_->Update();
}

void TControl::Click() {
    TBasicAction* action = Action();
    if (OnClick && !(action && OnClick == action->OnExecute))
        OnClick(this);
    else if (actionLink_ && action)
        actionLink_->Execute(this);
    else if (OnClick)
        OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

// Mouse.

bool TControl::MouseCapture() { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool value) {
    if (MouseCapture() == value) return;
    SetCaptureControl(value ? this : nullptr);
}

void TControl::SendCancelMode(TControl* sender) {
    TControl* capture = GetCaptureControl();
    if (capture && capture != sender) capture->Perform(WM_CANCELMODE);
    TControl* focused = FindControl(::GetFocus());
    if (focused && focused != sender && focused != capture) focused->Perform(WM_CANCELMODE);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    return handled;
}

void TControl::DoContextPopup(TPoint mousePos, bool& handled) {
    if (OnContextPopup) OnContextPopup(this, mousePos, handled);
}

void TControl::DoMouseDown(TMessage& message, TMouseButton button, TShiftState shift) {
    if (controlStyle_.Contains(csNoStdEvents)) return;
    TPoint p = MessagePoint(message);
    MouseDown(button, KeysToShiftState(message.WParam) + shift, p.X, p.Y);
}

void TControl::DoMouseUp(TMessage& message, TMouseButton button) {
    if (controlStyle_.Contains(csNoStdEvents)) return;
    TPoint p = MessagePoint(message);
    MouseUp(button, KeysToShiftState(message.WParam), p.X, p.Y);
}

void TControl::WMLButtonDown(TMessage& message) {
    SendCancelMode(this);
    DispatchInherited<TControl>(this, message);
    if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (controlStyle_.Contains(csClickEvents)) controlState_.Include(csClicked);
    controlState_.Include(csLButtonDown);
    DoMouseDown(message, mbLeft, {});
}

void TControl::WMLButtonDblClk(TMessage& message) {
    SendCancelMode(this);
    DispatchInherited<TControl>(this, message);
    if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (controlStyle_.Contains(csClickEvents)) DblClick();
    DoMouseDown(message, mbLeft, TShiftState{ssDouble});
}

void TControl::WMOtherButtonDown(TMessage& message) {
    DispatchInherited<TControl>(this, message);
    bool middle = message.Msg == WM_MBUTTONDOWN || message.Msg == WM_MBUTTONDBLCLK;
    TShiftState extra = IsDoubleClick(message.Msg) ? TShiftState{ssDouble} : TShiftState{};
    DoMouseDown(message, middle ? mbMiddle : mbRight, extra);
}

void TControl::WMLButtonUp(TMessage& message) {
    DispatchInherited<TControl>(this, message);
    if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(false);
    controlState_.Exclude(csLButtonDown);
    if (controlState_.Contains(csClicked)) {
        controlState_.Exclude(csClicked);
        if (ClientRect().Contains(MessagePoint(message))) Click();
    }
    DoMouseUp(message, mbLeft);
}

void TControl::WMOtherButtonUp(TMessage& message) {
    DispatchInherited<TControl>(this, message);
    DoMouseUp(message, message.Msg == WM_MBUTTONUP ? mbMiddle : mbRight);
}

void TControl::WMMouseMove(TMessage& message) {
    DispatchInherited<TControl>(this, message);
    if (controlStyle_.Contains(csNoStdEvents)) return;
    TPoint p = MessagePoint(message);
    MouseMove(KeysToShiftState(message.WParam), p.X, p.Y);
}

void TControl::WMCancelMode(TMessage& message) {
    DispatchInherited<TControl>(this, message);
    if (MouseCapture()) SetMouseCapture(false);
    controlState_.Exclude(csClicked);
    controlState_.Exclude(csLButtonDown);
}

void TControl::WMContextMenu(TMessage& message) {
    if (message.Result != 0) return;
    // A keyboard request carries -1 in both halves; any other value is a screen point, possibly negative.
    bool fromKeyboard = static_cast<std::uint32_t>(message.LParam) == 0xFFFFFFFFu;
    TPoint screen = fromKeyboard ? ClientToScreen(TPoint{0, 0}) : MessagePoint(message);
    TPoint local = fromKeyboard ? TPoint{-1, -1} : ScreenToClient(screen);
    bool handled = false;
    DoContextPopup(local, handled);
    if (handled) {
        message.Result = 1;
        return;
    }
    if (popupMenu_ && popupMenu_->AutoPopup()) {
        popupMenu_->SetPopupComponent(this);
        popupMenu_->Popup(screen.X, screen.Y);
        message.Result = 1;
        return;
    }
    DispatchInherited<TControl>(this, message);
}

// Notifications.

void TControl::CMVisibleChanged(TMessage&) { InvalidateControl(true, controlStyle_.Contains(csOpaque)); }
void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }
void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::CMParentFontChanged(TMessage&) {
    if (!parentFont_ || !parent_) return;
    font_->Assign(parent_->Font());
    parentFont_ = true;
}

void TControl::CMParentColorChanged(TMessage&) {
    if (!parentColor_ || !parent_) return;
    SetColor(parent_->Color());
    parentColor_ = true;
}

void TControl::CMParentShowHintChanged(TMessage&) {
    if (!parentShowHint_ || !parent_) return;
    if (showHint_ != parent_->ShowHint()) {
        showHint_ = parent_->ShowHint();
        Perform(CM_SHOWHINTCHANGED);
    }
}

void TControl::CMHitTest(TMessage& message) { message.Result = HTCLIENT; }

// The message path.

std::intptr_t TControl::Perform(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    TMessage message;
    message.Msg = msg;
    message.WParam = wParam;
    message.LParam = lParam;
    WindowProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& message) {
    // A control without double clicks sees a second press as a plain one.
    if (IsDoubleClick(message.Msg) && !controlStyle_.Contains(csDoubleClicks))
        message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
    Dispatch(message);
}

void TControl::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
        case WM_GETTEXT: {
            if (message.WParam == 0 || message.LParam == 0) {
                message.Result = 0;
                return;
            }
            auto* buffer = reinterpret_cast<char*>(message.LParam);
            std::size_t n = std::min<std::size_t>(text_.size(), message.WParam - 1);
            std::memcpy(buffer, text_.data(), n);
            buffer[n] = '\0';
            message.Result = static_cast<std::intptr_t>(n);
            return;
        }
        case WM_GETTEXTLENGTH: message.Result = static_cast<std::intptr_t>(text_.size()); return;
        case WM_SETTEXT:
            text_ = message.LParam ? reinterpret_cast<const char*>(message.LParam) : "";
            message.Result = 1;
            return;
        default: return;
    }
}

// Painting.

void TControl::InvalidateControl(bool isVisible, bool isOpaque) {
    if (!isVisible || !parent_ || !parent_->HandleAllocated()) return;
    RECT r{left_, top_, left_ + width_, top_ + height_};
    ::InvalidateRect(parent_->WindowHandle(), &r, isOpaque ? FALSE : TRUE);
}

void TControl::Invalidate() { InvalidateControl(visible_, controlStyle_.Contains(csOpaque)); }

void TControl::Update() {
    if (parent_) parent_->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::SetZOrder(bool topMost) {
    if (!parent_) return;
    auto& list = parent_->controls_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    if (topMost)
        list.push_back(this);
    else
        list.insert(list.begin(), this);
    Invalidate();
}
