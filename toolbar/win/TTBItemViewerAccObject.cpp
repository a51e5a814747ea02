#include "toolbar/win/TTBItemViewerAccObject.h"

#include <vector>

#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TWinControl.h"
#include "toolbar/core/AccessibilityRules.h"
#include "toolbar/core/TTBCustomItem.h"
#include "toolbar/core/TTBSeparatorItem.h"
#include "toolbar/win/TTBControlItem.h"
#include "toolbar/win/TTBItemViewer.h"
#include "toolbar/win/TTBView.h"
#include "toolbar/win/TTBViewAccObject.h"

namespace {

bool InMenu(const TTBView* view) { return view->IsPopup() || (view->Style() & kVssMenuBar) != 0; }

bool InMenuMode(TTBView* view) { return (view->GetRootView()->State() & kVsModal) != 0; }

bool HasSubmenu(const TTBItemViewer* viewer) { return viewer->Item()->ItemStyle().Contains(tbisSubmenu); }

bool SubmenuOpen(const TTBItemViewer* viewer) {
    return viewer->View()->OpenViewer() == viewer && viewer->View()->OpenView() != nullptr;
}

tb::TAccViewerKind ViewerKind(const TTBItemViewer* viewer) {
    if (dynamic_cast<const TTBControlItem*>(viewer->Item())) return tb::TAccViewerKind::Control;
    if (dynamic_cast<const TTBSeparatorItem*>(viewer->Item())) return tb::TAccViewerKind::Separator;
    return tb::TAccViewerKind::Item;
}

}  // namespace

bool tb::IsViewerAvailable(const TTBItemViewer* viewer) {
    const TTBCustomItem* item = viewer->Item();
    if (!item->Visible() || !item->Enabled()) return false;
    TWinControl* control = viewer->View()->Window();
    if (!control || !control->HandleAllocated()) return false;
    const HWND window = control->WindowHandle();
    if (!::IsWindowVisible(window)) return false;
    for (HWND w = window; w; w = (::GetWindowLongPtrW(w, GWL_STYLE) & WS_CHILD) ? ::GetParent(w) : nullptr) {
        if (!::IsWindowEnabled(w)) return false;
    }
    if (InMenuMode(viewer->View())) return true;
    const HWND active = ::GetActiveWindow();
    return active && (active == window || ::IsChild(active, window));
}

IDispatch* tb::ViewerAccObject(TTBItemViewer* viewer) {
    if (!AccessibilityAvailable()) return nullptr;
    std::lock_guard<std::recursive_mutex> guard(TTBCustomAccObject::ListLock());
    TTBCustomAccObject*& slot = viewer->AccObjectSlot();
    // The caller gets a new reference; the viewer keeps only the weak slot. An object whose last reference
    // went on another thread is replaced (it clears the slot only while it is still in it).
    if (!slot || !slot->TryAddRef()) slot = new TTBItemViewerAccObject(viewer);
    return slot;
}

TTBItemViewerAccObject::TTBItemViewerAccObject(TTBItemViewer* viewer) : viewer_(viewer) {}

TTBItemViewerAccObject::~TTBItemViewerAccObject() {
    std::lock_guard<std::recursive_mutex> guard(ListLock());
    if (viewer_ && viewer_->AccObjectSlot() == this) viewer_->AccObjectSlot() = nullptr;
}

void TTBItemViewerAccObject::Detach() {
    viewer_ = nullptr;
    // The viewer goes on its own thread: a click posted there for it no longer runs, and gives back the
    // reference it held (which may be the last).
    if (clickPending_) {
        clickPending_ = false;
        tb::CancelDeferredClicks(this);
        Release();
    }
}

void TTBItemViewerAccObject::DeferredClick() {
    clickPending_ = false;
    TScopeExit release([this] { Release(); });
    if (!viewer_) return;
    TTBView* view = viewer_->View();
    view->Select(viewer_, false);
    view->RunMenuLoop(2);  // the loop executes the selection at once: the submenu opens, the item runs
}

HRESULT TTBItemViewerAccObject::accDoDefaultAction(VARIANT child) {
    return Call(&child, [&]() -> HRESULT {
        if (!tb::IsViewerAvailable(viewer_)) return E_FAIL;
        TTBView* view = viewer_->View();
        if (InMenuMode(view)) {
            // Inside the running loop (the client's call came through its message pump): act as Enter does.
            view->Select(viewer_, false);
            view->ExecuteSelected(false);
            return S_OK;
        }
        if (clickPending_) return S_OK;
        AddRef();
        if (tb::PostDeferredClick(this) < 0) {
            Release();
            return E_FAIL;
        }
        clickPending_ = true;
        return S_OK;
    });
}

HRESULT TTBItemViewerAccObject::get_accParent(IDispatch** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    return Call(nullptr, [&] {
        *parent = tb::ViewAccObject(viewer_->View());
        return *parent ? S_OK : S_FALSE;
    });
}

HRESULT TTBItemViewerAccObject::get_accChildCount(LONG* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return Call(nullptr, [&] {
        *count = SubmenuOpen(viewer_) ? 1 : 0;
        return S_OK;
    });
}

HRESULT TTBItemViewerAccObject::get_accChild(VARIANT child, IDispatch** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    return Call(nullptr, [&]() -> HRESULT {
        if (IsSelf(child)) {
            AddRef();
            *object = this;
            return S_OK;
        }
        if (child.vt == VT_I4 && child.lVal == 1 && SubmenuOpen(viewer_)) {
            *object = tb::ViewAccObject(viewer_->View()->OpenView());
            return *object ? S_OK : S_FALSE;
        }
        return E_INVALIDARG;
    });
}

HRESULT TTBItemViewerAccObject::get_accName(VARIANT child, BSTR* name) {
    if (!name) return E_POINTER;
    *name = nullptr;
    return Call(&child, [&] {
        return tb::PutText(name, tb::AccViewerName(viewer_->GetCaptionText(), viewer_->IsToolbarStyle(),
                                                   viewer_->Item()->GetShortCutText()));
    });
}

HRESULT TTBItemViewerAccObject::get_accRole(VARIANT child, VARIANT* role) {
    if (!role) return E_POINTER;
    ::VariantInit(role);
    return Call(&child, [&] {
        role->vt = VT_I4;
        const std::int32_t own = viewer_->GetAccRole();
        role->lVal = own ? own : tb::AccViewerRole(ViewerKind(viewer_), InMenu(viewer_->View()), HasSubmenu(viewer_));
        return S_OK;
    });
}

HRESULT TTBItemViewerAccObject::get_accValue(VARIANT child, BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    return Call(&child, [&] {
        WideString text;
        if (!viewer_->GetAccValue(text)) return S_FALSE;
        return tb::PutText(value, text);
    });
}

HRESULT TTBItemViewerAccObject::get_accState(VARIANT child, VARIANT* state) {
    if (!state) return E_POINTER;
    ::VariantInit(state);
    return Call(&child, [&] {
        TTBView* view = viewer_->View();
        tb::TAccViewerFacts facts;
        facts.selected = view->Selected() == viewer_;
        facts.menuMode = InMenuMode(view);
        facts.mouseOverWithCapture = view->MouseOverSelected() && view->Capture();
        facts.hasSubmenu = HasSubmenu(viewer_);
        facts.shownOrClipped = viewer_->Show() || viewer_->Clipped();
        facts.available = tb::IsViewerAvailable(viewer_);
        facts.enabled = viewer_->Item()->Enabled();
        facts.checked = viewer_->Item()->Checked();
        state->vt = VT_I4;
        state->lVal = static_cast<LONG>(tb::AccViewerState(facts));
        return S_OK;
    });
}

HRESULT TTBItemViewerAccObject::get_accKeyboardShortcut(VARIANT child, BSTR* text) {
    if (!text) return E_POINTER;
    *text = nullptr;
    return Call(&child, [&] {
        const bool inMenu = InMenu(viewer_->View());
        return tb::PutText(text, tb::AccKeyboardShortcut(viewer_->Item()->Caption(), inMenu,
                                                         inMenu ? WideString() : tb::AltKeyName()));
    });
}

HRESULT TTBItemViewerAccObject::get_accFocus(VARIANT* child) {
    if (!child) return E_POINTER;
    ::VariantInit(child);
    return Call(nullptr, [&] {
        TTBView* view = viewer_->View();
        if (!InMenuMode(view) || view->Selected() != viewer_) return S_FALSE;
        child->vt = VT_I4;
        child->lVal = CHILDID_SELF;
        return S_OK;
    });
}

HRESULT TTBItemViewerAccObject::get_accDefaultAction(VARIANT child, BSTR* text) {
    if (!text) return E_POINTER;
    *text = nullptr;
    return Call(&child, [&] {
        if (!tb::IsViewerAvailable(viewer_)) return S_FALSE;
        return tb::PutText(text,
                           tb::AccDefaultAction(SubmenuOpen(viewer_), HasSubmenu(viewer_), InMenu(viewer_->View())));
    });
}

HRESULT TTBItemViewerAccObject::accSelect(LONG flags, VARIANT child) {
    return Call(&child, [&]() -> HRESULT {
        if (flags != SELFLAG_TAKEFOCUS) return E_INVALIDARG;
        if (!tb::IsViewerAvailable(viewer_) || !(viewer_->Show() || viewer_->Clipped())) return E_FAIL;
        viewer_->View()->Select(viewer_, false);
        return S_OK;
    });
}

HRESULT TTBItemViewerAccObject::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    return Call(&child, [&] {
        const TRect b = viewer_->BoundsRect();
        const TPoint p = viewer_->View()->Window()->ClientToScreen(b.TopLeft());
        *left = p.X;
        *top = p.Y;
        *width = b.Width();
        *height = b.Height();
        return S_OK;
    });
}

HRESULT TTBItemViewerAccObject::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    if (!end) return E_POINTER;
    ::VariantInit(end);
    return Call(&start, [&]() -> HRESULT {
        TTBView* view = viewer_->View();
        if (direction == tb::kNavFirstChild || direction == tb::kNavLastChild) {
            if (!SubmenuOpen(viewer_)) return S_FALSE;
            return tb::PutDispatch(end, tb::ViewAccObject(view->OpenView()));
        }
        std::vector<bool> available(static_cast<std::size_t>(view->ViewerCount()));
        for (int i = 0; i < view->ViewerCount(); ++i) {
            available[static_cast<std::size_t>(i)] = tb::IsViewerAvailable(view->Viewers(i));
        }
        const int target = tb::AccNavigateSibling(available, view->IndexOf(viewer_), direction);
        if (target < 0) return S_FALSE;
        return tb::PutDispatch(end, tb::ViewerAccObject(view->Viewers(target)));
    });
}

HRESULT TTBItemViewerAccObject::accHitTest(LONG x, LONG y, VARIANT* child) {
    if (!child) return E_POINTER;
    ::VariantInit(child);
    return Call(nullptr, [&] {
        const TRect b = viewer_->BoundsRect();
        const TPoint p = viewer_->View()->Window()->ClientToScreen(b.TopLeft());
        if (x < p.X || y < p.Y || x >= p.X + b.Width() || y >= p.Y + b.Height()) return S_FALSE;
        child->vt = VT_I4;
        child->lVal = CHILDID_SELF;
        return S_OK;
    });
}
