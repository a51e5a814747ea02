#include "classlib/win/TCustomForm.h"

#include <algorithm>

#include "classlib/core/ScopeGuard.h"
#include "classlib/core/TCustomActionList.h"
#include "classlib/core/TShortCut.h"
#include "classlib/win/BuildRoot.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TControlCanvas.h"
#include "classlib/win/TMainMenu.h"
#include "classlib/win/TScreen.h"

namespace {

// The first id the MDI client gives its children's entries in the window menu.
constexpr UINT MDIFirstChildId = 0xFF00;

bool IsKeyPressed(int virtualKey) { return GetKeyState(virtualKey) < 0; }

// Everything in a tree of controls, parents before children.
template <class F>
void ForEachControl(TWinControl* parent, F&& f) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        f(c);
        if (auto* w = dynamic_cast<TWinControl*>(c)) ForEachControl(w, f);
    }
}

bool Contains(TWinControl* outer, TControl* inner) {
    for (TControl* c = inner; c; c = c->Parent())
        if (c == outer) return true;
    return false;
}

}  // namespace

TCustomForm* GetParentForm(TControl* control) {
    for (TControl* c = control; c; c = c->Parent())
        if (auto* form = dynamic_cast<TCustomForm*>(c)) return form;
    return nullptr;
}

TCustomForm* ValidParentForm(TControl* control) {
    TCustomForm* form = GetParentForm(control);
    if (!form)
        throw CreateFmt<EInvalidOperation>("Control '%s' has no parent window",
                                           {control ? control->Name() : AnsiString()});
    return form;
}

// ---- Creation and destruction ----

TCustomForm::TCustomForm(TComponent* owner) : TCustomForm(owner, NoBuilders) { buildPending_ = true; }

TCustomForm::TCustomForm(TComponent* owner, TNoBuilders) : TScrollingWinControl(owner) {
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    // A form is hidden until shown.
    visible_ = false;
    SetParentColor(false);
    SetParentFont(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
}

TCustomForm::~TCustomForm() {
    if (joinedScreen_ && Screen) Screen->RemoveForm(this);
    // The window goes while this class's handlers (menu bar, MDI client) are still in place.
    if (HandleAllocated()) DestroyHandle();
}

void TCustomForm::AfterConstruction() {
    if (Screen && !joinedScreen_) {
        Screen->AddForm(this);
        joinedScreen_ = true;
    }
    if (buildPending_) {
        buildPending_ = false;
        if (ClassType() != TForm::StaticClass() && ClassType() != TCustomForm::StaticClass())
            InitFromBuilders(TForm::StaticClass());
    }
    if (oldCreateOrder_) DoCreate();
    TScrollingWinControl::AfterConstruction();
    if (!oldCreateOrder_) DoCreate();
}

void TCustomForm::BeforeDestruction() {
    TScrollingWinControl::BeforeDestruction();
    DoDestroy();
}

void TCustomForm::InitFromBuilders(TClass rootAncestor) {
    formState_.Include(fsCreating);
    TScopeExit created([this] { formState_.Exclude(fsCreating); });
    BuildRootComponent(this, rootAncestor);
}

void TCustomForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

void TCustomForm::DoDestroy() { FireOnDestroy(OnDestroy, this); }

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TScrollingWinControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == menu_) menu_ = nullptr;
    if (component == popupParent_) popupParent_ = nullptr;
    if (component == activeControl_) activeControl_ = nullptr;
    if (component == focusedControl_) focusedControl_ = nullptr;
}

// ---- Showing ----

void TCustomForm::Show() {
    SetVisible(true);
    BringToFront();
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide && !ComponentState().Contains(csDestroying)) OnHide(this);
}

void TCustomForm::PlaceOnShow() {
    if (Parent() || (position_ != poScreenCenter && position_ != poMainFormCenter)) return;
    TRect area =
        Screen ? Screen->WorkAreaRect() : Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    if (position_ == poMainFormCenter && Application) {
        TCustomForm* main = Application->MainForm();
        if (main && main != this && main->Visible()) area = main->BoundsRect();
    }
    SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2, Width(), Height());
}

void TCustomForm::CMShowingChanged(TMessage& message) {
    if (Parent()) {  // a form placed inside another control shows like any child window
        if (Showing())
            DoShow();
        else
            DoHide();
        DispatchInherited<TCustomForm>(this, message);
        NoteVisible();
        return;
    }
    formState_.Include(fsShowing);
    TScopeExit shown([this] {
        formState_.Exclude(fsShowing);
        NoteVisible();
    });
    HWND wnd = Handle();
    if (Showing()) {
        DoShow();
        PlaceOnShow();
        // The main form has the task-bar button; it may have got its window before it became the main form.
        LONG_PTR ex = GetWindowLongPtrA(wnd, GWL_EXSTYLE);
        if (Application && Application->MainForm() == this && !(ex & WS_EX_APPWINDOW))
            SetWindowLongPtrA(wnd, GWL_EXSTYLE, ex | WS_EX_APPWINDOW);
        int cmd = windowState_ == wsMaximized   ? SW_SHOWMAXIMIZED
                  : windowState_ == wsMinimized ? SW_SHOWMINIMIZED
                                                : SW_SHOWNORMAL;
        ShowWindow(wnd, cmd);
        // A child of an MDI frame becomes the frame's active child when it appears.
        if (formState_.Contains(fsCreatedMDIChild))
            SendMessageA(GetParent(wnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(wnd), 0);
    } else {
        DoHide();
        ShowWindow(wnd, SW_HIDE);
    }
}

void TCustomForm::NoteVisible() {
    if (HandleAllocated() && IsWindowVisible(WindowHandle()))
        formState_.Include(fsVisible);
    else
        formState_.Exclude(fsVisible);
}

// ---- Modal forms and closing ----

int TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || formState_.Contains(fsModal) || formStyle_ == fsMDIChild)
        throw EInvalidOperation("Cannot make a visible window modal");
    if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    if (Application) Application->ModalStarted();
    formState_.Include(fsModal);
    // The window active before gets the activation back afterwards, and with it (as any form does) the
    // focus on its active control.
    HWND previous = GetActiveWindow();
    void* disabled = Application ? Application->DisableTaskWindows(nullptr) : nullptr;
    TScopeExit restore([&] {
        if (Application) Application->EnableTaskWindows(disabled);
        if (previous && IsWindow(previous)) SetActiveWindow(previous);
        formState_.Exclude(fsModal);
        if (Application) Application->ModalFinished();
    });
    // Cleared before showing: OnShow may already decide the result, and the loop then ends at once.
    modalResult_ = mrNone;
    Show();
    TScopeExit hide([this] { Hide(); });
    SetActiveWindow(Handle());
    SetForegroundWindow(Handle());
    for (;;) {
        // A terminating application ends the loop at once: waiting for a message could last forever,
        // and CloseQuery is not asked (it could refuse for ever).
        if (!Application || Application->Terminated()) {
            modalResult_ = mrCancel;
            break;
        }
        Application->HandleMessage();
        if (modalResult_ != mrNone && !Application->Terminated()) {
            CloseModal();
            if (modalResult_ != mrNone) break;
        }
    }
    return modalResult_;
}

void TCustomForm::CloseModal() {
    TCloseAction action = caHide;
    if (!CloseQuery())
        action = caNone;
    else
        DoClose(action);
    switch (action) {
        case caNone: modalResult_ = mrNone; break;
        case caFree: Release(); break;
        default: break;
    }
}

void TCustomForm::Close() {
    if (formState_.Contains(fsModal)) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    if (formStyle_ == fsMDIChild) action = borderIcons_.Contains(biMinimize) ? caMinimize : caNone;
    DoClose(action);
    if (action == caNone) return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
        case caHide: Hide(); break;
        case caMinimize: SetWindowState(wsMinimized); break;
        case caFree: Release(); break;
        default: break;
    }
}

bool TCustomForm::CloseQuery() {
    if (formStyle_ == fsMDIForm)
        for (int i = 0; i < MDIChildCount(); ++i)
            if (!MDIChildren(i)->CloseQuery()) return false;
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TCustomForm::Release() {
    // The message needs a window to go to, even for a form that was never shown.
    PostMessageA(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::CMRelease(TMessage&) { Free(this); }

void TCustomForm::WMClose(TMessage& message) {
    Close();
    message.Result = 0;
}

// ---- Window ----

void TCustomForm::CreateParams(TCreateParams& params) {
    TScrollingWinControl::CreateParams(params);
    if (Parent() || ParentWindow()) return;
    params.Style &= ~static_cast<DWORD>(WS_CHILD | WS_GROUP | WS_TABSTOP | WS_VISIBLE);
    params.Style |= WS_CLIPCHILDREN;
    // The owner window: the popup parent chosen by the caller, the active form, else the application window.
    HWND owner = nullptr;
    if (popupMode_ == pmManual && popupParent_ && popupParent_ != this)
        owner = popupParent_->Handle();
    else if (popupMode_ == pmAuto && Screen && Screen->ActiveCustomForm() && Screen->ActiveCustomForm() != this &&
             Screen->ActiveCustomForm()->HandleAllocated())
        owner = Screen->ActiveCustomForm()->Handle();
    if (!owner && Application) owner = Application->Handle();
    params.WndParent = owner;
    if (Application && Application->MainForm() == this) params.ExStyle |= WS_EX_APPWINDOW;
    if (position_ == poDefault) params.X = params.Y = params.Width = params.Height = CW_USEDEFAULT;

    switch (borderStyle_) {
        case bsNone: params.Style |= WS_POPUP; break;
        case bsSingle: params.Style |= WS_CAPTION; break;
        case bsSizeable: params.Style |= WS_CAPTION | WS_THICKFRAME; break;
        case bsDialog:
            params.Style |= WS_POPUP | WS_CAPTION;
            params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
            break;
        case bsToolWindow:
            params.Style |= WS_CAPTION;
            params.ExStyle |= WS_EX_TOOLWINDOW;
            break;
        case bsSizeToolWin:
            params.Style |= WS_CAPTION | WS_THICKFRAME;
            params.ExStyle |= WS_EX_TOOLWINDOW;
            break;
    }
    if (borderStyle_ != bsNone) {
        if (borderIcons_.Contains(biSystemMenu)) params.Style |= WS_SYSMENU;
        bool boxes = borderStyle_ == bsSingle || borderStyle_ == bsSizeable;
        if (boxes && borderIcons_.Contains(biMinimize)) params.Style |= WS_MINIMIZEBOX;
        if (boxes && borderIcons_.Contains(biMaximize)) params.Style |= WS_MAXIMIZEBOX;
        // The system shows the help button only without minimize and maximize boxes.
        if (borderIcons_.Contains(biHelp) && !(params.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
            params.ExStyle |= WS_EX_CONTEXTHELP;
    }
    if (formStyle_ == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
    if (formStyle_ == fsMDIChild) params.ExStyle |= WS_EX_MDICHILD;
}

void TCustomForm::CreateWindowHandle(const TCreateParams& params) {
    if (formStyle_ != fsMDIChild || Parent()) {
        formState_.Exclude(fsCreatedMDIChild);
        TScrollingWinControl::CreateWindowHandle(params);
        return;
    }
    TCustomForm* frame = Application ? Application->MainForm() : nullptr;
    if (!frame || frame == this || !frame->ClientHandle())
        throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    HWND wnd = CreateMDIWindowA(params.WinClassName, params.Caption, params.Style & ~static_cast<DWORD>(WS_POPUP),
                                params.X, params.Y, params.Width, params.Height, frame->ClientHandle(),
                                params.WindowClass.hInstance, reinterpret_cast<LPARAM>(params.Param));
    if (!wnd) throw EOSError("Cannot create window", GetLastError());
    formState_.Include(fsCreatedMDIChild);
}

void TCustomForm::CreateWnd() {
    TScrollingWinControl::CreateWnd();
    if (formStyle_ == fsMDIForm) CreateMDIClient();
    if (menu_ && !Parent() && formStyle_ != fsMDIChild) menu_->SetWindowHandle(Handle());
    ApplyLayeredAttributes();
}

void TCustomForm::DestroyWnd() {
    if (menu_ && menu_->WindowHandle() == WindowHandle()) menu_->SetWindowHandle(nullptr);
    TScrollingWinControl::DestroyWnd();
}

void TCustomForm::WMDestroy(TMessage& message) {
    // The native menu outlives the window: it belongs to the menu component.
    if (menu_ && menu_->WindowHandle() == WindowHandle()) menu_->SetWindowHandle(nullptr);
    DispatchInherited<TCustomForm>(this, message);
    clientHandle_ = nullptr;
    active_ = false;
}

void TCustomForm::DefaultHandler(TMessage& message) {
    HWND wnd = WindowHandle();
    if (wnd && clientHandle_ && message.Msg != WM_SIZE) {
        message.Result = DefFrameProcA(wnd, clientHandle_, message.Msg, message.WParam, message.LParam);
        return;
    }
    if (wnd && formState_.Contains(fsCreatedMDIChild)) {
        message.Result = DefMDIChildProcA(wnd, message.Msg, message.WParam, message.LParam);
        return;
    }
    TScrollingWinControl::DefaultHandler(message);
}

void TCustomForm::CreateMDIClient() {
    CLIENTCREATESTRUCT info{};
    info.hWindowMenu = nullptr;
    info.idFirstChild = MDIFirstChildId;
    TRect r = ClientRect();
    clientHandle_ =
        CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL, r.Left,
                        r.Top, r.Width(), r.Height(), Handle(), nullptr, GetModuleHandleA(nullptr), &info);
    if (!clientHandle_) throw EOSError("Cannot create the MDI client window", GetLastError());
    Realign();
}

void TCustomForm::AlignControls(TControl* control, TRect& rect) {
    TScrollingWinControl::AlignControls(control, rect);
    if (!clientHandle_) return;
    // The MDI client fills what the aligned controls leave of the client area.
    TRect r = ClientRect();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible()) continue;
        TRect b = c->BoundsRect();
        switch (c->Align()) {
            case alTop: r.Top = std::max(r.Top, b.Bottom); break;
            case alBottom: r.Bottom = std::min(r.Bottom, b.Top); break;
            case alLeft: r.Left = std::max(r.Left, b.Right); break;
            case alRight: r.Right = std::min(r.Right, b.Left); break;
            case alClient: r.Right = r.Left; break;
            default: break;
        }
    }
    SetWindowPos(clientHandle_, HWND_BOTTOM, r.Left, r.Top, std::max(r.Width(), 0), std::max(r.Height(), 0),
                 SWP_NOACTIVATE);
}

void TCustomForm::ApplyLayeredAttributes() {
    if (!HandleAllocated() || Parent()) return;
    HWND wnd = Handle();
    LONG_PTR ex = GetWindowLongPtrA(wnd, GWL_EXSTYLE);
    if (alphaBlend_ || transparentColor_) {
        if (!(ex & WS_EX_LAYERED)) SetWindowLongPtrA(wnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
        DWORD flags = (alphaBlend_ ? LWA_ALPHA : 0) | (transparentColor_ ? LWA_COLORKEY : 0);
        SetLayeredWindowAttributes(wnd, static_cast<COLORREF>(ColorToRGB(transparentColorValue_)), alphaBlendValue_,
                                   flags);
    } else if (ex & WS_EX_LAYERED) {
        SetWindowLongPtrA(wnd, GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        RedrawWindow(wnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

// ---- Properties ----

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    if (borderStyle_ == value) return;
    borderStyle_ = value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
    if (borderIcons_ == value) return;
    borderIcons_ = value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle value) {
    if (formStyle_ == value) return;
    formStyle_ = value;
    if (HandleAllocated()) RecreateWnd();
}

TWindowState TCustomForm::WindowState() const { return windowState_; }

void TCustomForm::SetWindowState(TWindowState value) {
    if (windowState_ == value) return;
    windowState_ = value;
    if (HandleAllocated() && Showing() && !Parent())
        ShowWindow(WindowHandle(), value == wsMinimized   ? SW_MINIMIZE
                                   : value == wsMaximized ? SW_MAXIMIZE
                                                          : SW_RESTORE);
}

void TCustomForm::WMSize(TMessage& message) {
    // A window the system minimised, maximised or restored updates WindowState (hidden ones report nothing).
    if (!Parent() && WindowHandle() && IsWindowVisible(WindowHandle())) {
        switch (message.WParam) {
            case SIZE_MINIMIZED: windowState_ = wsMinimized; break;
            case SIZE_MAXIMIZED: windowState_ = wsMaximized; break;
            case SIZE_RESTORED: windowState_ = wsNormal; break;
            default: break;
        }
    }
    DispatchInherited<TCustomForm>(this, message);
}

void TCustomForm::SetAlphaBlend(bool value) {
    alphaBlend_ = value;
    ApplyLayeredAttributes();
}

void TCustomForm::SetAlphaBlendValue(std::uint8_t value) {
    alphaBlendValue_ = value;
    ApplyLayeredAttributes();
}

void TCustomForm::SetTransparentColor(bool value) {
    transparentColor_ = value;
    ApplyLayeredAttributes();
}

void TCustomForm::SetTransparentColorValue(TColor value) {
    transparentColorValue_ = value;
    ApplyLayeredAttributes();
}

void TCustomForm::SetPopupParent(TCustomForm* value) {
    if (popupParent_ == value) return;
    if (popupParent_) popupParent_->RemoveFreeNotification(this);
    popupParent_ = value;
    if (value) {
        value->FreeNotification(this);
        popupMode_ = pmManual;
    }
    // The owner of a live window follows without making the window again.
    if (HandleAllocated() && !Parent() && !ParentWindow()) {
        HWND owner = value && value != this ? value->Handle() : (Application ? Application->Handle() : nullptr);
        SetWindowLongPtrA(WindowHandle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    }
}

void TCustomForm::SetMenu(TMainMenu* value) {
    if (menu_ == value) return;
    if (menu_) {
        if (menu_->WindowHandle() && menu_->WindowHandle() == WindowHandle()) menu_->SetWindowHandle(nullptr);
        menu_->RemoveFreeNotification(this);
    }
    menu_ = value;
    if (!value) return;
    value->FreeNotification(this);
    if (HandleAllocated() && !Parent() && formStyle_ != fsMDIChild) value->SetWindowHandle(WindowHandle());
}

TCanvas* TCustomForm::Canvas() {
    if (!canvas_) {
        canvas_ = MakeObject<TControlCanvas>();
        canvas_->SetControl(this);
    }
    return canvas_.get();
}

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

void TCustomForm::PaintWindow(HDC dc) {
    Canvas();
    canvas_->PaintOn(dc, [this] { Paint(); });
}

// ---- Activation and focus ----

void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::WMActivate(TMessage& message) {
    DispatchInherited<TCustomForm>(this, message);
    bool nowActive = message.WParamLo() != WA_INACTIVE;
    if (nowActive == active_) return;
    active_ = nowActive;
    // A form on its way out tells nobody: the handlers' objects may already be gone.
    if (ComponentState().Contains(csDestroying)) return;
    if (nowActive) {
        formState_.Include(fsActivated);
        if (Screen) Screen->SetFocusedForm(this, activeControl_);
        Activate();
    } else {
        Deactivate();
    }
}

void TCustomForm::WMSetFocus(TMessage& message) {
    DispatchInherited<TCustomForm>(this, message);
    // The form's window passes the focus on to the control that had it.
    if (activeControl_ && activeControl_ != this && activeControl_->CanFocus()) ::SetFocus(activeControl_->Handle());
}

void TCustomForm::SetWindowFocus() {
    if (!HandleAllocated()) return;
    if (activeControl_ && activeControl_->CanFocus())
        ::SetFocus(activeControl_->Handle());
    else
        ::SetFocus(Handle());
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control == this) control = nullptr;
    if (control && !ComponentState().Contains(csLoading) && (!Contains(this, control) || !control->CanFocus()))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    activeControl_ = control;
    if (control) control->FreeNotification(this);
    if (active_ && control && !ComponentState().Contains(csLoading)) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* control) {
    bool wasActive = active_;
    SetActiveControl(control);
    // A hidden form focuses the control once it is shown and activated.
    if (!wasActive && CanFocus()) SetFocus();
}

void TCustomForm::SetFocus() {
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    if (Parent()) {
        TScrollingWinControl::SetFocus();
        return;
    }
    HWND wnd = Handle();
    if (GetActiveWindow() != wnd) {
        SetForegroundWindow(wnd);
        SetActiveWindow(wnd);
    }
    SetWindowFocus();
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
    if (ComponentState().Contains(csDestroying)) return false;
    focusedControl_ = control;
    if (control) control->FreeNotification(this);
    if (control && control != this) {
        activeControl_ = control;
        // Scrolling parents with AutoScroll bring the control into view.
        if (scrollOnFocus_)
            for (TWinControl* p = control->Parent(); p; p = p->Parent()) {
                if (auto* s = dynamic_cast<TScrollingWinControl*>(p)) s->AutoScrollInView(control);
                if (p == this) break;
            }
    }
    if (Screen) Screen->SetFocusedForm(this, control);
    return true;
}

void TCustomForm::FocusWithoutScrolling(TWinControl* control) {
    if (!control->CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    TScopeExit restore([this, previous = scrollOnFocus_] { scrollOnFocus_ = previous; });
    scrollOnFocus_ = false;
    ::SetFocus(control->Handle());
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
    if (!control) return;
    if (focusedControl_ && Contains(control, focusedControl_)) focusedControl_ = removing ? control->Parent() : nullptr;
    if (activeControl_ && Contains(control, activeControl_)) activeControl_ = nullptr;
}

// ---- Keyboard ----

bool TCustomForm::IsShortCut(TMessage& message) {
    bool handled = false;
    if (OnShortCut) OnShortCut(message, handled);
    if (!handled && menu_) handled = menu_->IsShortCut(message);
    if (!handled) {
        TShortCut shortCut =
            ::ShortCut(static_cast<std::uint16_t>(message.WParam), KeyDataToShiftState(message.LParam));
        if (shortCut != scNone)
            for (int i = 0; i < ComponentCount() && !handled; ++i)
                if (auto* list = dynamic_cast<TCustomActionList*>(Components(i))) handled = list->IsShortCut(shortCut);
    }
    return handled;
}

void TCustomForm::CMDialogKey(TMessage& message) {
    if (!IsKeyPressed(VK_MENU)) {
        switch (message.WParam) {
            case VK_TAB:
                if (!IsKeyPressed(VK_CONTROL)) {
                    TWinControl* scope = this;
                    for (TWinControl* p = activeControl_ ? activeControl_->Parent() : nullptr; p && p != this;
                         p = p->Parent())
                        if (p->ControlStyle().Contains(csTabGroup)) {
                            scope = p;
                            break;
                        }
                    scope->SelectNext(activeControl_, !IsKeyPressed(VK_SHIFT), true);
                    message.Result = 1;
                    return;
                }
                break;
            case VK_LEFT:
            case VK_RIGHT:
            case VK_UP:
            case VK_DOWN:
                if (activeControl_ && activeControl_->Parent()) {
                    activeControl_->Parent()->SelectNext(
                        activeControl_, message.WParam == VK_RIGHT || message.WParam == VK_DOWN, false);
                    message.Result = 1;
                    return;
                }
                break;
            default: break;
        }
    }
    DispatchInherited<TCustomForm>(this, message);
}

void TCustomForm::CMDialogChar(TMessage& message) {
    DispatchInherited<TCustomForm>(this, message);
    const bool alt = (static_cast<std::uintptr_t>(message.LParam) & 0x20000000u) != 0;
    if (message.Result != 0 || !alt || message.WParam == 0 || Parent() || !HandleAllocated()) return;
    // An Alt+letter none of the controls took opens the form's menu. The system would hand the command to
    // the focused child window, where the form (and the application's hooks) would never see it.
    SendMessageA(Handle(), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(message.WParam));
    message.Result = 1;
}

void TCustomForm::WMSysCommand(TMessage& message) {
    // The application window's hooks see the command first (a menu bar takes Alt+letter this way).
    if (Application && Application->Handle() &&
        SendMessageA(Application->Handle(), CM_APPSYSCOMMAND, message.WParam, message.LParam) != 0) {
        message.Result = 0;
        return;
    }
    DispatchInherited<TCustomForm>(this, message);
}

// ---- Menus ----

void TCustomForm::WMCommand(TMessage& message) {
    // Menu commands come without a control window.
    if (message.LParam == 0 && message.WParamHi() == 0 && menu_ && menu_->DispatchCommand(message.WParamLo())) {
        message.Result = 0;
        return;
    }
    DispatchInherited<TCustomForm>(this, message);
}

void TCustomForm::WMInitMenuPopup(TMessage& message) {
    if (menu_ && menu_->DispatchPopup(reinterpret_cast<HMENU>(message.WParam))) {
        message.Result = 0;
        return;
    }
    DispatchInherited<TCustomForm>(this, message);
}

void TCustomForm::WMDrawItem(TMessage& message) {
    auto* info = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
    if (info && info->CtlType == ODT_MENU && menu_ && menu_->DispatchDrawItem(*info)) {
        message.Result = TRUE;
        return;
    }
    DispatchInherited<TCustomForm>(this, message);
}

void TCustomForm::WMMeasureItem(TMessage& message) {
    auto* info = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
    if (info && info->CtlType == ODT_MENU && menu_ && menu_->DispatchMeasureItem(*info)) {
        message.Result = TRUE;
        return;
    }
    DispatchInherited<TCustomForm>(this, message);
}

// ---- Actions ----

void TCustomForm::UpdateActions() {
    if (ComponentState().Contains(csDestroying) || !Showing() || !Enabled()) return;
    if (menu_) menu_->Items()->InitiateAction();
    // Hidden controls too: their action's update may be what shows them again.
    ForEachControl(this, [](TControl* c) { c->InitiateAction(); });
}

bool TCustomForm::OfferAction(TBasicAction* action, bool (TComponent::*offer)(TBasicAction*)) {
    if (!action || ComponentState().Contains(csDestroying)) return false;
    if (activeControl_ && (activeControl_->*offer)(action)) return true;
    if ((this->*offer)(action)) return true;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* control = Controls(i);
        if (control != activeControl_ && (control->*offer)(action)) return true;
    }
    return false;
}

void TCustomForm::CMActionExecute(TMessage& message) {
    message.Result = OfferAction(reinterpret_cast<TBasicAction*>(message.LParam), &TComponent::ExecuteAction) ? 1 : 0;
}

void TCustomForm::CMActionUpdate(TMessage& message) {
    message.Result = OfferAction(reinterpret_cast<TBasicAction*>(message.LParam), &TComponent::UpdateAction) ? 1 : 0;
}

// ---- MDI ----

TCustomForm* TCustomForm::ActiveMDIChild() {
    if (!clientHandle_) return nullptr;
    auto wnd = reinterpret_cast<HWND>(SendMessageA(clientHandle_, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<TCustomForm*>(FindControl(wnd));
}

int TCustomForm::MDIChildCount() {
    int n = 0;
    if (clientHandle_ && Screen)
        for (int i = 0; i < Screen->CustomFormCount(); ++i) {
            TCustomForm* f = Screen->CustomForms(i);
            if (f->formStyle_ == fsMDIChild && f->WindowHandle() && GetParent(f->WindowHandle()) == clientHandle_) ++n;
        }
    return n;
}

TCustomForm* TCustomForm::MDIChildren(int index) {
    int n = 0;
    if (clientHandle_ && Screen)
        for (int i = 0; i < Screen->CustomFormCount(); ++i) {
            TCustomForm* f = Screen->CustomForms(i);
            if (f->formStyle_ == fsMDIChild && f->WindowHandle() && GetParent(f->WindowHandle()) == clientHandle_) {
                if (n == index) return f;
                ++n;
            }
        }
    throw CreateFmt<EListError>("List index out of bounds (%d)", {index});
}
