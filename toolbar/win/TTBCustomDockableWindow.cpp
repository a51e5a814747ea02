#include "toolbar/win/TTBCustomDockableWindow.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "classlib/core/CodePages.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/TReader.h"
#include "classlib/core/TWriter.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TCustomForm.h"
#include "classlib/win/WindowDC.h"
#include "toolbar/core/WideStringValues.h"
#include "toolbar/win/FloatingWindows.h"
#include "toolbar/win/MessageHooks.h"
#include "toolbar/win/SystemSettings.h"
#include "toolbar/win/TTBDock.h"
#include "toolbar/win/TTBFloatingWindowParent.h"
#include "toolbar/win/WindowPainting.h"
#include "toolbar/win/WindowRects.h"

using tb::FromRECT;
using tb::PointOfLParam;
using tb::ScreenRectOf;
using tb::ToRECT;

namespace {

constexpr UINT kQuietPos = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

void FrameChanged(HWND wnd) { ::SetWindowPos(wnd, nullptr, 0, 0, 0, 0, kQuietPos | SWP_FRAMECHANGED); }

// Floating frames are components named by a fixed prefix and a running hexadecimal number, which keeps every
// frame's name unique in the process however many windows float. The prefix only marks a name as a floating
// frame's; it stands for nothing.
constexpr char kFloatingFrameNamePrefix[] = "NBFloatingWindowParent_";
int frameCounter = 0;

// The owner of the hook procedure's registration while the thread has floating windows.
constexpr char kFloatingWindowsHookOwner = 0;

}  // namespace

// ---- Construction ----

TTBCustomDockableWindow::TTBCustomDockableWindow(TComponent* owner) : TCustomControl(owner) {
    TControlStyle style = ControlStyle();
    style.Include(csAcceptsControls);
    SetControlStyle(style);
}

TTBCustomDockableWindow::~TTBCustomDockableWindow() { LeaveFloatingWindows(); }

// The hook procedure acts on the thread's floating windows alone, so it is registered while the thread has one.
// Registered for every dockable window from its creation on, it made each message sent to any window of the
// thread a round trip through the hook chain, although with no window floating it had nothing to do.
void TTBCustomDockableWindow::JoinFloatingWindows() {
    const bool first = tb::FloatingWindows().empty();
    tb::AddFloatingWindow(this);
    if (first)
        tb::InstallHookProc(&kFloatingWindowsHookOwner, &HookProc,
                            {hkWMActivate, hkWMActivateApp, hkWMWindowPosChanged, hkCBTDestroy});
}

void TTBCustomDockableWindow::LeaveFloatingWindows() {
    tb::RemoveFloatingWindow(this);
    if (tb::FloatingWindows().empty()) tb::UninstallHookProc(&kFloatingWindowsHookOwner, &HookProc);
}

void TTBCustomDockableWindow::BeforeDestruction() {
    // A loop still running on the stack learns that the window is gone and touches it no more.
    *alive_ = false;
    if (::GetCapture() && HandleAllocated() && ::GetCapture() == WindowHandle()) ::ReleaseCapture();
    LeaveFloatingWindows();
    TCustomControl::BeforeDestruction();
    for (TTBDock* d : {currentDock_, lastDock_, defaultDock_})
        if (d) d->RemoveWindow(this);
    if (TTBFloatingWindowParent* frame = floatParent_) {
        floatParent_ = nullptr;
        frame->window_ = nullptr;
        // The window leaves the frame first, so that freeing the frame does not take the window with it.
        if (Parent() == frame) TCustomControl::SetParent(nullptr);
        Free(frame);
    }
}

void TTBCustomDockableWindow::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.WindowClass.style &= ~static_cast<UINT>(CS_VREDRAW | CS_HREDRAW);
}

void TTBCustomDockableWindow::CreateWnd() {
    TCustomControl::CreateWnd();
    if (!caption_.empty()) ::SetWindowTextA(WindowHandle(), WideToAnsi(caption_).c_str());
}

// ---- Properties ----

void TTBCustomDockableWindow::SetAutoResize(bool value) {
    if (value == autoResize_) return;
    autoResize_ = value;
    if (value) Arrange();
}

void TTBCustomDockableWindow::SetCaption(const WideString& value) {
    if (value == caption_) return;
    caption_ = value;
    settingCaption_ = true;
    TScopeExit guard([this] { settingCaption_ = false; });
    const AnsiString ansi = WideToAnsi(caption_);
    Perform(WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>(ansi.c_str()));
    Perform(CM_TEXTCHANGED);
    if (TTBFloatingWindowParent* frame = FloatingParent()) frame->SetCaptionW(caption_);
}

void TTBCustomDockableWindow::SetDockPos(int value) {
    dockPos_ = value;
    if (docked_) currentDock_->ArrangeToolbars();
}

void TTBCustomDockableWindow::SetDockRow(int value) {
    dockRow_ = value;
    if (docked_) currentDock_->ArrangeToolbars();
}

void TTBCustomDockableWindow::SetFullSize(bool value) {
    if (value == fullSize_) return;
    fullSize_ = value;
    if (docked_) currentDock_->ArrangeToolbars();
}

void TTBCustomDockableWindow::SetStretch(bool value) {
    if (value == stretch_) return;
    stretch_ = value;
    if (docked_) currentDock_->ArrangeToolbars();
}

void TTBCustomDockableWindow::SetCurrentDock(TTBDock* value) {
    if (ComponentState().Contains(csLoading)) return;
    if (value)
        SetParent(value);
    else
        SetParent(WindowForm());
}

void TTBCustomDockableWindow::SetDefaultDock(TTBDock* value) {
    if (value == defaultDock_) return;
    defaultDock_ = value;
    if (value) value->FreeNotification(this);
}

void TTBCustomDockableWindow::SetLastDock(TTBDock* value) {
    if (useLastDock_ && currentDock_) value = currentDock_;
    if (value == lastDock_) return;
    if (lastDock_ && lastDock_ != Parent()) lastDock_->RemoveWindow(this);
    lastDock_ = value;
    if (value) {
        useLastDock_ = true;
        value->FreeNotification(this);
        value->AddWindow(this);
    }
}

void TTBCustomDockableWindow::SetUseLastDock(bool value) {
    if (value == useLastDock_) return;
    useLastDock_ = value;
    if (value) {
        SetLastDock(currentDock_);
    } else {
        TTBDock* old = lastDock_;
        lastDock_ = nullptr;
        if (old && old != Parent()) old->RemoveWindow(this);
    }
}

void TTBCustomDockableWindow::SetHideWhenInactive(bool value) {
    if (value == hideWhenInactive_) return;
    hideWhenInactive_ = value;
    UpdateVisibility();
}

void TTBCustomDockableWindow::SetCloseButton(bool value) {
    if (value == closeButton_) return;
    closeButton_ = value;
    if (TTBFloatingWindowParent* frame = FloatingParent())
        frame->RedrawNCArea(TTBFloatingWindowParent::kCaption | TTBFloatingWindowParent::kCloseButton);
}

void TTBCustomDockableWindow::SetCloseButtonWhenDocked(bool value) {
    if (value == closeButtonWhenDocked_) return;
    closeButtonWhenDocked_ = value;
    if (docked_ && HandleAllocated()) {
        FrameChanged(Handle());
        currentDock_->ArrangeToolbars();
    }
}

void TTBCustomDockableWindow::SetBorderStyle(TTBDockableBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    if (docked_ && HandleAllocated()) FrameChanged(Handle());
}

void TTBCustomDockableWindow::SetDragHandleStyle(TTBDragHandleStyle value) {
    if (value == dragHandleStyle_) return;
    dragHandleStyle_ = value;
    if (docked_ && HandleAllocated()) {
        FrameChanged(Handle());
        currentDock_->ArrangeToolbars();
    }
}

void TTBCustomDockableWindow::SetResizable(bool value) {
    if (value == resizable_) return;
    resizable_ = value;
    // The frame changes its sizing border in place: re-creating its window would re-create this one too.
    if (TTBFloatingWindowParent* frame = FloatingParent(); frame && frame->HandleAllocated()) {
        HWND f = frame->Handle();
        LONG_PTR style = ::GetWindowLongPtrA(f, GWL_STYLE);
        style = value ? (style | WS_THICKFRAME) : (style & ~static_cast<LONG_PTR>(WS_THICKFRAME));
        ::SetWindowLongPtrA(f, GWL_STYLE, style);
        FrameChanged(f);
        Arrange();
    }
}

void TTBCustomDockableWindow::SetShowCaption(bool value) {
    if (value == showCaption_) return;
    showCaption_ = value;
    if (TTBFloatingWindowParent* frame = FloatingParent()) {
        if (frame->HandleAllocated()) FrameChanged(frame->Handle());
        Arrange();
    }
}

void TTBCustomDockableWindow::SetFloatingMode(TTBFloatingMode value) {
    if (value == floatingMode_) return;
    floatingMode_ = value;
    if (HandleAllocated()) Perform(CM_SHOWINGCHANGED);
}

void TTBCustomDockableWindow::SetFloatingPosition(TPoint value) {
    floatingPosition_ = value;
    if (TTBFloatingWindowParent* frame = FloatingParent())
        frame->SetBounds(value.X, value.Y, frame->Width(), frame->Height());
}

TTBFloatingWindowParent* TTBCustomDockableWindow::CreateFloatingParent() {
    return Create<TTBFloatingWindowParent>(nullptr);
}

TTBFloatingWindowParent* TTBCustomDockableWindow::FloatingParent() const {
    return floating_ ? dynamic_cast<TTBFloatingWindowParent*>(Parent()) : nullptr;
}

void TTBCustomDockableWindow::SetFloating(bool value) {
    if (value == floating_) return;
    TCustomForm* form = WindowForm();
    if (!value) {
        SetParent(form);
        return;
    }
    if (!form) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    if (!floatParent_ || floatParent_->ParentForm() != form) {
        auto* frame = CreateFloatingParent();
        TScopeExit freeOnError([frame] { Free(frame); });
        frame->window_ = this;
        frame->FreeNotification(this);
        frame->SetParentForm(form);
        char name[48];
        std::snprintf(name, sizeof name, "%s%.8x", kFloatingFrameNamePrefix, static_cast<unsigned>(++frameCounter));
        frame->SetName(name);
        frame->SetCaptionW(caption_);
        frame->SetBorderStyle(bsToolWindow);
        const tb::TNCExtents nc =
            tb::FloatingNCExtents(GetFloatingBorderSize(), showCaption_, ::GetSystemMetrics(SM_CYSMCAPTION));
        frame->SetBounds(0, 0, Width() + nc.Total().cx, Height() + nc.Total().cy);
        frame->SetShowHint(true);
        frame->SetVisible(true);
        freeOnError.Dismiss();
        if (floatParent_ && floatParent_ != Parent()) Free(floatParent_);
        floatParent_ = frame;
    }
    form->FreeNotification(this);
    SetParent(floatParent_);
    TCustomControl::SetBounds(0, 0, Width(), Height());
}

void TTBCustomDockableWindow::AddDockForm(TCustomForm* form) {
    if (std::find(dockForms_.begin(), dockForms_.end(), form) != dockForms_.end()) return;
    dockForms_.push_back(form);
    form->FreeNotification(this);
}

void TTBCustomDockableWindow::RemoveDockForm(TCustomForm* form) { std::erase(dockForms_, form); }

void TTBCustomDockableWindow::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == defaultDock_) defaultDock_ = nullptr;
    if (component == lastDock_) lastDock_ = nullptr;
    if (component == currentDock_) {
        currentDock_ = nullptr;
        docked_ = false;
    }
    if (auto* form = dynamic_cast<TCustomForm*>(component)) RemoveDockForm(form);
    if (component == floatParent_) {
        floatParent_ = nullptr;
        floating_ = false;
        LeaveFloatingWindows();
    } else if (floatParent_ && component == floatParent_->ParentForm()) {
        // The form this window floats for goes away.
        if (floatParent_ != Parent()) {
            TTBFloatingWindowParent* frame = floatParent_;
            floatParent_ = nullptr;
            frame->window_ = nullptr;
            Free(frame);
        } else if (floatingMode_ == fmOnTopOfAllForms) {
            floatParent_->SetParentForm(nullptr);
        } else {
            SetParent(nullptr);
        }
    }
}

// ---- Forms ----

TCustomForm* TTBCustomDockableWindow::WindowForm() const {
    if (floating_ && floatParent_ && Parent() == floatParent_) return floatParent_->ParentForm();
    TCustomForm* outer = nullptr;
    for (TWinControl* p = Parent(); p; p = p->Parent())
        if (auto* f = dynamic_cast<TCustomForm*>(p)) outer = f;
    if (outer && outer->Is<TTBFloatingWindowParent>())
        return static_cast<TTBFloatingWindowParent*>(outer)->ParentForm();
    return outer;
}

TCustomForm* TTBCustomDockableWindow::TopForm() const {
    TCustomForm* form = WindowForm();
    if (form && form->FormStyle() == fsMDIChild && Application && Application->MainForm())
        return Application->MainForm();
    return form;
}

// ---- Closing and double-click ----

void TTBCustomDockableWindow::Close() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    if (!canClose) return;
    SetVisible(false);
    if (OnClose) OnClose(this);
}

void TTBCustomDockableWindow::DoubleClick() {
    if (docked_) {
        if (dblClickUndock_ && dockMode_ == dmCanFloat) {
            SetFloating(true);
            MoveOnScreen(true);
        }
        return;
    }
    if (!floating_) return;
    if (lastDock_) {
        SetParent(lastDock_);
    } else if (defaultDock_) {
        dockRow_ = 0;
        dockPos_ = -8;
        SetParent(defaultDock_);
    }
}

// ---- Moving between parents ----

void TTBCustomDockableWindow::SetParent(TWinControl* value) {
    if (value == Parent()) {
        TCustomControl::SetParent(value);
        return;
    }
    const bool destroying = Destroying();
    auto* newDock = dynamic_cast<TTBDock*>(value);
    auto* newFrame = dynamic_cast<TTBFloatingWindowParent*>(value);
    auto* oldDock = dynamic_cast<TTBDock*>(Parent());
    auto* oldFrame = dynamic_cast<TTBFloatingWindowParent*>(Parent());
    if (!destroying && value) {
        if (OnDockChanging) OnDockChanging(this, newFrame != nullptr, newDock);
        if (OnRecreating) OnRecreating(this);
    }

    ++hideCount_;
    ++moveReportsOff_;
    if (oldDock) oldDock->BeginUpdate();
    if (newDock) newDock->BeginUpdate();
    BeginUpdate();
    {
        TScopeExit finish([&] {
            EndUpdate();
            if (newDock) newDock->EndUpdate();
            if (oldDock) oldDock->EndUpdate();
            --moveReportsOff_;
            --hideCount_;
        });
        DockChangingHidden(newFrame != nullptr, newDock);
        shrunkLength_ = 0;

        if (oldDock && !(useLastDock_ && lastDock_ == oldDock)) oldDock->RemoveWindow(this);

        // The window survives the move: detached, re-parented by the system, attached again.
        HWND wnd = value ? WindowHandle() : nullptr;
        {
            TScopeExit fromParent([&] {
                currentDock_ = dynamic_cast<TTBDock*>(Parent());
                docked_ = currentDock_ != nullptr;
                floating_ = dynamic_cast<TTBFloatingWindowParent*>(Parent()) != nullptr;
            });
            if (wnd) {
                SetWindowHandle(nullptr);
                TCustomControl::SetParent(nullptr);
            }
            currentDock_ = newDock;
            docked_ = newDock != nullptr;
            floating_ = newFrame != nullptr;
            if (wnd) {
                TCustomControl::SetParent(value);
                SetWindowHandle(wnd);
                ::SetParent(wnd, value->Handle());
                FrameChanged(wnd);
            } else {
                TCustomControl::SetParent(value);
            }
        }
        effectiveRow_ = -1;
        if (oldDock) oldDock->UpdateVisibleList(this);

        if (newFrame) {
            JoinFloatingWindows();
            newFrame->SetBounds(floatingPosition_.X, floatingPosition_.Y, newFrame->Width(), newFrame->Height());
        } else {
            LeaveFloatingWindows();
        }
        if (oldFrame && oldFrame != newFrame && !smoothDragging_) {
            // The frame may be on the stack (its caption started this); it goes once its messages are done.
            if (floatParent_ == oldFrame) floatParent_ = nullptr;
            oldFrame->window_ = nullptr;
            oldFrame->SetVisible(false);
            oldFrame->Release();
        }
        if (newDock) {
            if (!useLastDock_ || smoothDragging_)
                newDock->AddWindow(this);
            else {
                SetLastDock(newDock);
                newDock->AddWindow(this);
            }
        }
        Arrange();
    }
    UpdateVisibility();
    if (!destroying && value) {
        if (OnRecreated) OnRecreated(this);
        if (OnDockChanged) OnDockChanged(this);
    }
}

void TTBCustomDockableWindow::DockChangingHidden(bool floating, TTBDock* newDock) {
    if (!Destroying() && OnDockChangingHidden) OnDockChangingHidden(this, floating, newDock);
}

// ---- Sizing ----

void TTBCustomDockableWindow::EndUpdate() {
    if (updateCount_ <= 0) return;
    if (--updateCount_ == 0 && arrangeNeeded_) Arrange();
}

TTBDockType TTBCustomDockableWindow::CurrentDockType() const {
    return docked_ && currentDock_ ? tb::DockTypeOf(currentDock_->Position()) : floating_ ? dtFloating : dtNotDocked;
}

void TTBCustomDockableWindow::Arrange() {
    if (updateCount_ > 0 || ComponentState().Contains(csLoading) || !Parent()) {
        arrangeNeeded_ = true;
        return;
    }
    arrangeNeeded_ = false;
    TSize client;
    OrderControls(true, CurrentDockType(), currentDock_, client);
    if (autoResize_ || docked_ || floating_) ResizeToClientSize(client);
}

void TTBCustomDockableWindow::ResizeToClientSize(TSize client) {
    if (docked_) {
        currentDock_->ArrangeToolbars();
        return;
    }
    const TSize nc = GetDockedNCArea().Total();
    int w = client.cx + nc.cx, h = client.cy + nc.cy;
    if (!floating_) {
        if (Anchors().Contains(akLeft) && Anchors().Contains(akRight)) w = Width();
        if (Anchors().Contains(akTop) && Anchors().Contains(akBottom)) h = Height();
    }
    ++sizingCount_;
    TScopeExit done([this] { --sizingCount_; });
    SetBounds(Left(), Top(), w, h);
}

void TTBCustomDockableWindow::SetBounds(int left, int top, int width, int height) {
    if (floating_) {
        if (TTBFloatingWindowParent* frame = FloatingParent()) {
            const TSize nc =
                tb::FloatingNCExtents(GetFloatingBorderSize(), showCaption_, ::GetSystemMetrics(SM_CYSMCAPTION))
                    .Total();
            frame->SetBounds(frame->Left(), frame->Top(), width + nc.cx, height + nc.cy);
        }
        left = top = 0;
    }
    if (sizingCount_ == 0 && (width != Width() || height != Height())) SizeChanging(width, height);
    TCustomControl::SetBounds(left, top, width, height);
}

void TTBCustomDockableWindow::MoveOnScreen(bool onlyIfFullyOffscreen) {
    TTBFloatingWindowParent* frame = FloatingParent();
    if (!frame) return;
    const TRect r = frame->BoundsRect();
    const RECT area = tb::GetWorkArea(true, ToRECT(r));
    const TRect moved = tb::MoveOnScreen(r, FromRECT(area), onlyIfFullyOffscreen);
    if (moved == r) return;
    floatingPosition_ = moved.TopLeft();
    frame->SetBounds(moved.Left, moved.Top, moved.Width(), moved.Height());
}

void TTBCustomDockableWindow::Loaded() {
    TCustomControl::Loaded();
    // A frame read back from a stream lies where the stream says: a position off every monitor comes onto the
    // work area (a run-time stream keeps a place that still shows on some monitor).
    if (FloatingParent()) MoveOnScreen(savedAtRunTime_);
    Arrange();
}

void TTBCustomDockableWindow::DefineProperties(TFiler* filer) {
    TCustomControl::DefineProperties(filer);
    filer->DefineProperty(
        "SavedAtRunTime", [this](TReader& r) { savedAtRunTime_ = r.ReadBoolean(); },
        [](TWriter& w) { w.WriteBoolean(true); }, true);
    filer->DefineProperty(
        "Caption", [this](TReader& r) { SetCaption(tb::ReadWideStringValue(r)); },
        [this](TWriter& w) { tb::WriteWideStringValue(w, caption_); }, !caption_.empty());
}

// ---- Floating visibility ----

bool TTBCustomDockableWindow::ShouldBeVisible() {
    tb::TVisibilityState s;
    s.Showing = Showing();
    s.Suspended = hideCount_ > 0;
    s.Floating = floating_;
    s.Mode = floatingMode_;
    TCustomForm* form = WindowForm();
    s.Form = form && form->HandleAllocated() ? tb::IdOf(form->Handle()) : 0;
    s.HideWhenInactive = hideWhenInactive_;
    return tb::ShouldBeVisible(tb::TSystemWindowQuery{}, s);
}

void TTBCustomDockableWindow::UpdateVisibility() {
    if (!HandleAllocated()) return;
    // Seen on the screen: a floating window counts as hidden while its frame is.
    const bool visible = ::IsWindowVisible(Handle()) != FALSE;
    if (visible != ShouldBeVisible())
        Perform(CM_SHOWINGCHANGED);
    else if (visible && floating_)
        UpdateCaptionState();
}

void TTBCustomDockableWindow::UpdateCaptionState() {
    TTBFloatingWindowParent* frame = FloatingParent();
    if (!frame || !frame->HandleAllocated()) return;
    const tb::TCaptionState state =
        tb::FloatingCaptionState(tb::TSystemWindowQuery{}, tb::IdOf(frame->Handle()), floatingMode_);
    if (state == tb::TCaptionState::Unchanged) return;
    const bool inactive = state == tb::TCaptionState::Inactive;
    if (inactive == captionInactive_) return;
    captionInactive_ = inactive;
    frame->RedrawNCArea(TTBFloatingWindowParent::kAllParts);
}

void TTBCustomDockableWindow::UpdateTopmostFlag() {
    TTBFloatingWindowParent* frame = FloatingParent();
    if (!HandleAllocated() || !frame || !frame->HandleAllocated()) return;
    HWND f = frame->Handle();
    const bool wanted = tb::WantedTopmost(tb::TSystemWindowQuery{}, floatingMode_, ::IsWindowEnabled(Handle()) != FALSE,
                                          tb::IdOf(::GetWindow(f, GW_OWNER)));
    const bool now = (::GetWindowLongPtrA(f, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (wanted != now)
        ::SetWindowPos(f, wanted ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TTBCustomDockableWindow::CMShowingChanged(TMessage& message) {
    message.Result = 0;
    if (!HandleAllocated()) return;
    const bool visible = ShouldBeVisible();
    if (TTBFloatingWindowParent* frame = FloatingParent()) {
        HWND f = frame->Handle();
        if (visible) {
            if (floatingMode_ == fmOnTopOfAllForms) {
                if (Application)
                    ::SetWindowLongPtrA(f, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(Application->Handle()));
            } else if (TCustomForm* top = TopForm(); top && top->HandleAllocated()) {
                HWND form = top->Handle();
                if (::GetWindow(f, GW_OWNER) != form) {
                    ::SetWindowLongPtrA(f, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(form));
                    const bool topmost = (::GetWindowLongPtrA(f, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
                    const tb::TWindowId after = tb::FrameInsertAfter(tb::TSystemWindowQuery{}, tb::IdOf(form), topmost);
                    ::SetWindowPos(f, after ? tb::WindowOf(after) : HWND_TOP, 0, 0, 0, 0,
                                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                }
            }
            UpdateCaptionState();
        }
        UpdateTopmostFlag();
        frame->SetShouldShow(visible);
        frame->Perform(CM_SHOWINGCHANGED);
    }
    const bool wasActive = ::GetActiveWindow() == Handle();
    ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, kQuietPos | (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    if (!visible && wasActive)
        if (HWND other = tb::FindOtherThreadWindow(Handle())) ::SetActiveWindow(other);
}

void TTBCustomDockableWindow::HookProc(TTBHookKind kind, HWND window, WPARAM wParam, LPARAM lParam) {
    switch (kind) {
        case hkWMActivate:
        case hkWMActivateApp:
            for (TTBCustomDockableWindow* w : tb::FloatingWindows()) w->UpdateVisibility();
            break;
        case hkWMWindowPosChanged: {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (!pos || !(pos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED))) break;
            for (TTBCustomDockableWindow* w : tb::FloatingWindows()) {
                if (w->floatingMode_ != fmOnTopOfParentForm || !w->HandleAllocated()) continue;
                TCustomForm* form = w->WindowForm();
                if (!form || !form->HandleAllocated()) continue;
                if (window == form->Handle() || ::IsChild(window, form->Handle())) w->UpdateVisibility();
            }
            break;
        }
        case hkCBTDestroy: {
            HWND destroyed = reinterpret_cast<HWND>(wParam);
            for (TTBCustomDockableWindow* w : tb::FloatingWindows()) {
                TTBFloatingWindowParent* frame = w->FloatingParent();
                if (frame && frame->HandleAllocated() && ::GetWindow(frame->Handle(), GW_OWNER) == destroyed &&
                    Application)
                    ::SetWindowLongPtrA(frame->Handle(), GWLP_HWNDPARENT,
                                        reinterpret_cast<LONG_PTR>(Application->Handle()));
            }
            break;
        }
        default: break;
    }
}
