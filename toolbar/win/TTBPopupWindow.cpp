#include "toolbar/win/TTBPopupWindow.h"

#include <vector>

#include <mmsystem.h>

#include "classlib/core/CodePages.h"
#include "classlib/core/Messages.h"
#include "classlib/win/THintWindow.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TCreateParams.h"
#include "classlib/win/TFont.h"
#include "classlib/win/WindowDC.h"
#include "toolbar/core/MenuAnimation.h"
#include "toolbar/core/PopupPosition.h"
#include "toolbar/core/TTBCustomItem.h"
#include "toolbar/win/AnimationThread.h"
#include "toolbar/win/SystemSettings.h"
#include "toolbar/win/TTBItemViewer.h"
#include "toolbar/win/TTBViewAccObject.h"
#include "toolbar/win/ViewerPainting.h"
#include "toolbar/win/WindowPainting.h"

using namespace tb;

TTBPopupView::TTBPopupView(TComponent* owner, TTBView* parentView, TTBCustomItem* parentItem, TTBPopupWindow* window,
                           bool customizing)
    : TTBView(owner, parentView, parentItem, window, false, customizing) {}

void TTBPopupView::AutoSize(int width, int height) {
    auto* w = static_cast<TTBPopupWindow*>(Window());
    const TPoint border = w->BorderSize();
    w->SetBounds(w->Left(), w->Top(), width + 2 * border.X, height + 2 * border.Y);
}

HFONT TTBPopupView::GetFont() { return Window()->Font()->Handle(); }

TTBPopupWindow::TTBPopupWindow(TComponent* owner, TTBView* parentView, TTBCustomItem* parentItem, bool customizing)
    : TTBPopupWindow(owner, parentView, parentItem, customizing, nullptr) {}

TTBPopupWindow::TTBPopupWindow(TComponent* owner, TTBView* parentView, TTBCustomItem* parentItem, bool customizing,
                               TViewMaker makeView)
    : TCustomControl(owner), parentView_(parentView) {
    SetVisible(false);
    SetBounds(Left(), Top(), 320, 240);
    TControlStyle style = ControlStyle();
    style.Exclude(csCaptureMouse);
    SetControlStyle(style);
    SetShowHint(true);
    SetColor(clMenu);
    if (HFONT font = parentView ? parentView->GetFont() : GetMenuFont()) Font()->SetHandle(font);
    view_ = TObjectPtr<TTBPopupView>(makeView ? makeView(this, parentView, parentItem, this, customizing)
                                              : Create<TTBPopupView>(this, parentView, parentItem, this, customizing));
    view_->SetModal(true);
    if (parentView) {
        view_->SetStyle((view_->Style() & ~kVssHideAccels) | (parentView->Style() & kVssHideAccels));
        view_->ShowAccelMarks((parentView->State() & kVsShowAccels) != 0);
    } else {
        view_->SetStyle(view_->Style() | kVssHideAccels);
    }
    SetParentWindow(Application && Application->Handle() ? Application->Handle() : ::GetDesktopWindow());
}

TTBPopupWindow::~TTBPopupWindow() = default;

void TTBPopupWindow::BeforeDestruction() {
    if (view_) view_->CloseChildPopups();
    if (parentView_) parentView_->ForgetOpenPopup(this);
    DestroyHandle();
    view_.reset();
    TCustomControl::BeforeDestruction();
}

void TTBPopupWindow::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style = (params.Style & ~(WS_CHILD | 0x30000u)) | WS_POPUP;
    params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    params.WindowClass.style |= CS_SAVEBITS | CS_DROPSHADOW;
    params.WndParent = ParentWindow();
}

void TTBPopupWindow::CreateWnd() {
    TCustomControl::CreateWnd();
    if (parentView_ || uiStateInitialised_) return;
    // A menu of its own (no parent view) starts from the system's keyboard-cue state.
    uiStateInitialised_ = true;
    ::SendMessageA(WindowHandle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, 0), 0);
    const LRESULT state = ::SendMessageA(WindowHandle(), WM_QUERYUISTATE, 0, 0);
    view_->ShowAccelMarks((state & UISF_HIDEACCEL) == 0);
}

void TTBPopupWindow::DestroyWindowHandle() {
    if (HandleAllocated()) EndAnimation(WindowHandle());
    if (view_) view_->StopAllTimers();
    if (HandleAllocated()) ::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, WindowHandle(), OBJID_CLIENT, CHILDID_SELF);
    TCustomControl::DestroyWindowHandle();
}

void TTBPopupWindow::PaintFrame(HWND window, HDC dc, TObject* control) {
    RECT r{};
    ::GetWindowRect(window, &r);
    auto* self = static_cast<TTBPopupWindow*>(control);
    DrawPopupFrame(dc, TRect{r.left, r.top, r.right, r.bottom}, AreFlatMenusEnabled(),
                   static_cast<COLORREF>(ColorToRGB(self->Color())));
}

void TTBPopupWindow::PaintWindow(HDC dc) {
    view_->PaintAllViewers(dc);
    const TRect client = ClientRect();
    DrawScrollArrows(dc, client, view_->ShowsUpArrow(), view_->ShowsDownArrow());
}

namespace {

// An animated show: only for a window not yet visible whose view has nothing selected, when the parent view
// did not just close another popup, the system animates menus and no descendant declines (message 1578
// with wParam 1).
bool StartShowAnimation(TTBPopupWindow* window) {
    const HWND handle = window->WindowHandle();
    TTBView* parent = window->View() ? window->View()->ParentView() : nullptr;
    bool fade = false;
    if (::IsWindowVisible(handle) || !window->View() || window->View()->Selected() ||
        (parent && (parent->State() & kVsDropDownMenus)) || !MenuAnimationWanted(window->SlideDirection(), fade)) {
        return false;
    }
    if (::SendMessageA(handle, kPopupShowMessage, 1, 0) != 0) return false;
    StartAnimation(handle, fade, window->SlideDirection());
    return true;
}

}  // namespace

void TTBPopupWindow::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_NCCALCSIZE: {
            auto* r = reinterpret_cast<RECT*>(message.LParam);
            const TPoint border = BorderSize();
            ::InflateRect(r, -border.X, -border.Y);
            message.Result = 0;
            return;
        }
        case WM_NCPAINT: {
            TWindowDC dc(WindowHandle(), true);
            SelectNCUpdateRgn(WindowHandle(), dc.Get(), reinterpret_cast<HRGN>(message.WParam));
            PaintFrame(WindowHandle(), dc.Get(), this);
            message.Result = 0;
            return;
        }
        case WM_PRINT: HandleWMPrint(WindowHandle(), message, &TTBPopupWindow::PaintFrame, this); return;
        case WM_CLOSE: message.Result = 0; return;
        case WM_GETOBJECT:
            if (view_ && AnswerGetObject(view_.get(), message)) return;
            break;
        case WM_MOUSEACTIVATE: message.Result = MA_NOACTIVATE; return;
        case CM_HINTSHOW: {
            // The selected item's tooltip text, as UTF-8, while the pointer stays on it.
            auto* info = reinterpret_cast<THintInfo*>(message.LParam);
            TTBItemViewer* sel = view_ ? view_->Selected() : nullptr;
            if (sel) {
                info->CursorRect = sel->BoundsRect();
                info->HintStr = WideToAnsi(sel->GetHintText(), CodePageUtf8);
            } else {
                info->HintStr.clear();
            }
            message.Result = 0;
            return;
        }
        case WM_CANCELMODE:
            if (view_ && (view_->GetRootView()->State() & kVsModal)) view_->GetRootView()->CancelMode();
            break;
        case kAnimationStepMessage: HandleAnimationStep(WindowHandle(), message); return;
        case kAnimationEndMessage: ::SendNotifyMessageA(WindowHandle(), kPopupShowMessage, 2, 0); return;
        case WM_PAINT:
        case WM_ERASEBKGND: EndAnimation(WindowHandle()); break;
        case CM_SHOWINGCHANGED:
            if (HandleAllocated()) {
                if (Showing() && StartShowAnimation(this)) return;
                if (!Showing()) EndAnimation(WindowHandle());
            }
            break;
        default: break;
    }
    TCustomControl::WndProc(message);
    if (message.Msg == CM_SHOWINGCHANGED && Showing() && HandleAllocated()) {
        ::SendNotifyMessageA(WindowHandle(), kPopupShowMessage, 3, 0);
    }
}

namespace {

// Shows a placed popup: the program's first popup is painted before the "MenuPopup" sound plays, later
// ones play it first; then the menu-start events.
void ShowPopup(TTBPopupWindow* window) {
    static bool firstShown = false;
    const bool sound = NeedToPlaySound("MenuPopup");
    if (sound && firstShown) ::PlaySoundA("MenuPopup", nullptr, SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP);
    // The menus this one opens from are stacked on top again first, outermost first. Under Wine a submenu whose
    // items took seconds to gather (the scanner sources) found its parent menu still first in the windows' order
    // but shown under the main window: the submenu showed alone. A move to where a window already is changes
    // nothing, so each goes to the top of the plain windows (still above the main window) and back on top.
    std::vector<HWND> parents;
    for (TTBView* v = window->View() ? window->View()->ParentView() : nullptr; v; v = v->ParentView())
        if (auto* popup = dynamic_cast<TTBPopupWindow*>(v->Window()); popup && popup->HandleAllocated())
            parents.push_back(popup->WindowHandle());
    constexpr UINT kRestack = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    for (auto it = parents.rbegin(); it != parents.rend(); ++it) {
        ::SetWindowPos(*it, HWND_NOTOPMOST, 0, 0, 0, 0, kRestack);
        ::SetWindowPos(*it, HWND_TOPMOST, 0, 0, 0, 0, kRestack);
    }
    window->SetVisible(true);
    ::UpdateWindow(window->Handle());
    if (sound && !firstShown) ::PlaySoundA("MenuPopup", nullptr, SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP);
    firstShown = true;
    ::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, window->Handle(), OBJID_CLIENT, CHILDID_SELF);
    window->View()->NotifyFocusEvent();
}

}  // namespace

namespace {

// The item's own popup window class when it has one.
TObjectPtr<TTBPopupWindow> MakePopupWindow(TTBCustomItem* item, TTBView* parentView, bool customizing) {
    if (TTBPopupWindow* own = item->CreatePopupWindow(parentView, customizing)) return TObjectPtr<TTBPopupWindow>(own);
    return MakeObject<TTBPopupWindow>(nullptr, parentView, item, customizing);
}

}  // namespace

TTBPopupWindow* tb::CreatePopup(TTBView* parentView, TTBItemViewer* parentViewer, bool asSubmenu, bool selectFirst) {
    TTBCustomItem* item = parentViewer->Item();
    if (TTBCustomItem* linked = item->LinkSubitems()) linked->DoPopup(item, true);
    item->DoPopup(item, false);

    TObjectPtr<TTBPopupWindow> window = MakePopupWindow(item, parentView, parentView->Customizing());
    TTBPopupView* view = window->View();
    TTBView* chevronParent = item->GetChevronParentView();
    if (chevronParent) {
        view->SetChevronParentView(chevronParent);
        window->SetColor(clBtnFace);
    }
    const TRect b = parentViewer->BoundsRect();
    const TPoint topLeft = parentView->Window()->ClientToScreen(b.TopLeft());
    const TRect parent{topLeft.X, topLeft.Y, topLeft.X + b.Width(), topLeft.Y + b.Height()};
    TRect area = parentView->MonitorRect();
    if (area.IsEmpty()) {
        const RECT place = ToRECT(parent);
        const RECT work = GetWorkArea(true, place);
        area = TRect{work.left, work.top, work.right, work.bottom};
    }
    view->SetMonitorRect(area);
    const TPoint border = window->BorderSize();
    view->SetMaxHeight(area.Height() - 2 * border.Y);
    if (chevronParent) view->SetWrapOffset(area.Width());
    if (selectFirst || item->SelectFirstOnPopup()) view->Select(view->NextSelectable(nullptr, true), false);
    view->UpdatePositions();

    TPopupPlacementInput in;
    in.parent = parent;
    in.size = TPoint{window->Width(), window->Height()};
    in.area = area;
    in.dropRightAligned = ::GetSystemMetrics(SM_MENUDROPALIGNMENT) != 0;
    in.parentOpenedLeft = parentView->OpenedLeft();
    if (asSubmenu) {
        in.kind = TTBPopupKind::Submenu;
    } else if (chevronParent) {
        in.kind = parentView->Orientation() == TTBViewOrientation::Vertical ? TTBPopupKind::ChevronVertical
                                                                            : TTBPopupKind::ChevronHorizontal;
    } else {
        in.kind = parentView->Orientation() == TTBViewOrientation::Vertical ? TTBPopupKind::DropdownVertical
                                                                            : TTBPopupKind::DropdownHorizontal;
    }
    const TPopupPlacement placement = GetPopupPosition(in);
    view->SetOpenedLeft(placement.openedLeft);
    window->SetSlideDirection(placement.slide);
    window->SetBounds(placement.position.X, placement.position.Y, window->Width(), window->Height());

    TTBPopupWindow* shown = window.release();
    parentView->SetOpenPopup(parentViewer, view, shown);
    ShowPopup(shown);
    return shown;
}

bool tb::PopupMenuAt(TTBCustomItem* item, TPoint point, TTBPopupAlignment alignment, const TRect& keepClear) {
    if (TTBCustomItem* linked = item->LinkSubitems()) linked->DoPopup(item, true);
    item->DoPopup(item, false);
    TObjectPtr<TTBPopupWindow> window = MakePopupWindow(item, nullptr, false);
    TTBPopupView* view = window->View();
    const RECT work = GetWorkArea(true, POINT{point.X, point.Y});
    const TRect area{work.left, work.top, work.right, work.bottom};
    view->SetMonitorRect(area);
    view->SetMaxHeight(area.Height() - 2 * window->BorderSize().Y);
    view->UpdatePositions();
    TPopupPlacementInput in;
    in.kind = TTBPopupKind::AtPoint;
    in.point = point;
    in.alignment = alignment;
    in.keepClear = keepClear;
    in.size = TPoint{window->Width(), window->Height()};
    in.area = area;
    const TPopupPlacement placement = GetPopupPosition(in);
    window->SetSlideDirection(placement.slide);
    window->SetBounds(placement.position.X, placement.position.Y, window->Width(), window->Height());
    ShowPopup(window.get());
    // The view starts in the menu state as every popup view does; as the root it enters the loop itself.
    view->SetModal(false);
    const bool chosen = view->RunMenuLoop(0) == TTBDoneActionKind::ClickItem;
    return chosen;
}
