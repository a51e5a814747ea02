#include "toolbar/win/TTBViewAccObject.h"

#include <vector>

#include "classlib/core/Messages.h"
#include "classlib/win/TWinControl.h"
#include "classlib/win/WideChars.h"
#include "toolbar/core/AccessibilityRules.h"
#include "toolbar/core/Captions.h"
#include "toolbar/win/TTBControlItem.h"
#include "toolbar/win/TTBItemViewer.h"
#include "toolbar/win/TTBItemViewerAccObject.h"
#include "toolbar/win/TTBView.h"

namespace {

std::vector<TTBItemViewer*> AccessibleViewers(TTBView* view) {
    std::vector<TTBItemViewer*> result;
    for (int i = 0; i < view->ViewerCount(); ++i) {
        if (view->Viewers(i)->IsAccessible()) result.push_back(view->Viewers(i));
    }
    return result;
}

// A viewer's object, or the standard object of the window of a control item's window control.
IDispatch* ChildObject(TTBItemViewer* viewer) {
    if (auto* controlItem = dynamic_cast<TTBControlItem*>(viewer->Item())) {
        if (auto* control = dynamic_cast<TWinControl*>(controlItem->Control())) {
            if (control->HandleAllocated()) {
                IDispatch* object = tb::StandardWindowObject(control->WindowHandle());
                if (!object) throw std::runtime_error("no accessible object for the control's window");
                return object;
            }
        }
    }
    return tb::ViewerAccObject(viewer);
}

HWND ViewWindow(TTBView* view) { return view->Window()->Handle(); }

}  // namespace

TTBViewAccObject::TTBViewAccObject(TTBView* view) : view_(view) {}

TTBViewAccObject::~TTBViewAccObject() {
    std::lock_guard<std::recursive_mutex> guard(ListLock());
    if (view_ && view_->AccObjectSlot() == this) view_->AccObjectSlot() = nullptr;
}

void TTBViewAccObject::Detach() { view_ = nullptr; }

IDispatch* tb::ViewAccObject(TTBView* view) {
    if (!AccessibilityAvailable()) return nullptr;
    std::lock_guard<std::recursive_mutex> guard(TTBCustomAccObject::ListLock());
    TTBCustomAccObject*& slot = view->AccObjectSlot();
    // The caller gets a new reference; the view keeps only the weak slot. An object whose last reference
    // went on another thread is replaced (it clears the slot only while it is still in it).
    if (!slot || !slot->TryAddRef()) slot = new TTBViewAccObject(view);
    return slot;
}

TTBItemViewer* tb::OpenerViewer(TTBView* view) {
    TTBView* parent = view->ParentView();
    return parent && parent->OpenView() == view ? parent->OpenViewer() : nullptr;
}

bool tb::AnswerGetObject(TTBView* view, TMessage& message) {
    if (static_cast<LONG>(static_cast<DWORD>(message.LParam)) != OBJID_CLIENT) return false;
    IDispatch* object = ViewAccObject(view);
    if (!object) return false;
    message.Result = LresultFromObjectProc()(kIIDAccessible, message.WParam, object);
    object->Release();
    return true;
}

HRESULT TTBViewAccObject::get_accParent(IDispatch** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    return Call(nullptr, [&]() -> HRESULT {
        if (TTBItemViewer* opener = tb::OpenerViewer(view_)) {
            *parent = tb::ViewerAccObject(opener);
        } else {
            *parent = tb::StandardWindowObject(ViewWindow(view_));
        }
        return *parent ? S_OK : S_FALSE;
    });
}

HRESULT TTBViewAccObject::get_accChildCount(LONG* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return Call(nullptr, [&] {
        *count = static_cast<LONG>(AccessibleViewers(view_).size());
        return S_OK;
    });
}

HRESULT TTBViewAccObject::get_accChild(VARIANT child, IDispatch** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    return Call(nullptr, [&]() -> HRESULT {
        if (child.vt != VT_I4 || child.lVal < 0) return E_INVALIDARG;
        if (child.lVal == CHILDID_SELF) {
            AddRef();
            *object = this;
            return S_OK;
        }
        const std::vector<TTBItemViewer*> viewers = AccessibleViewers(view_);
        if (static_cast<std::size_t>(child.lVal) > viewers.size()) return E_INVALIDARG;
        *object = ChildObject(viewers[static_cast<std::size_t>(child.lVal - 1)]);
        return *object ? S_OK : S_FALSE;
    });
}

HRESULT TTBViewAccObject::get_accName(VARIANT child, BSTR* name) {
    if (!name) return E_POINTER;
    *name = nullptr;
    return Call(&child, [&] {
        WideString text;
        if (TTBItemViewer* opener = tb::OpenerViewer(view_)) text = tb::StripAccelChars(opener->GetCaptionText());
        if (text.empty()) {
            const HWND window = ViewWindow(view_);
            const int length = ::GetWindowTextLengthW(window);
            if (length > 0) {
                std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
                const int got = ::GetWindowTextW(window, buffer.data(), length + 1);
                text = FromWideChars(buffer.data(), static_cast<std::size_t>(got));
            }
        }
        return tb::PutText(name, text);
    });
}

HRESULT TTBViewAccObject::get_accRole(VARIANT child, VARIANT* role) {
    if (!role) return E_POINTER;
    ::VariantInit(role);
    return Call(&child, [&] {
        role->vt = VT_I4;
        role->lVal = tb::AccViewRole(view_->IsPopup(), (view_->Style() & kVssMenuBar) != 0);
        return S_OK;
    });
}

HRESULT TTBViewAccObject::get_accState(VARIANT child, VARIANT* state) {
    if (!state) return E_POINTER;
    ::VariantInit(state);
    return Call(&child, [&] {
        state->vt = VT_I4;
        state->lVal = 0;
        return S_OK;
    });
}

HRESULT TTBViewAccObject::get_accKeyboardShortcut(VARIANT child, BSTR* text) {
    if (!text) return E_POINTER;
    *text = nullptr;
    return Call(&child, [&] {
        if (!(view_->Style() & kVssMenuBar)) return S_FALSE;
        return tb::PutText(text, tb::AltKeyName());
    });
}

HRESULT TTBViewAccObject::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    return Call(&child, [&] {
        RECT r{};
        if (!::GetWindowRect(ViewWindow(view_), &r)) return E_FAIL;
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    });
}

HRESULT TTBViewAccObject::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    if (!end) return E_POINTER;
    ::VariantInit(end);
    return Call(&start, [&] {
        const std::vector<TTBItemViewer*> viewers = AccessibleViewers(view_);
        if (viewers.empty() || (direction != tb::kNavFirstChild && direction != tb::kNavLastChild)) return S_FALSE;
        return tb::PutDispatch(end, ChildObject(direction == tb::kNavFirstChild ? viewers.front() : viewers.back()));
    });
}

HRESULT TTBViewAccObject::accHitTest(LONG x, LONG y, VARIANT* child) {
    if (!child) return E_POINTER;
    ::VariantInit(child);
    return Call(nullptr, [&] {
        const HWND window = ViewWindow(view_);
        RECT r{};
        const POINT screen{x, y};
        if (!::GetWindowRect(window, &r) || !::PtInRect(&r, screen)) return S_FALSE;
        POINT client = screen;
        ::ScreenToClient(window, &client);
        const HWND under = ::ChildWindowFromPointEx(window, client, CWP_SKIPINVISIBLE);
        if (under && under != window) return tb::PutDispatch(child, tb::StandardWindowObject(under));
        if (TTBItemViewer* viewer = view_->ViewerAtPoint(TPoint{client.x, client.y})) {
            return tb::PutDispatch(child, ChildObject(viewer));
        }
        child->vt = VT_I4;
        child->lVal = CHILDID_SELF;
        return S_OK;
    });
}

HRESULT TTBViewAccObject::accSelect(LONG, VARIANT child) {
    return Call(&child, [] { return DISP_E_MEMBERNOTFOUND; });
}

// What a view as a whole does not have: S_FALSE with an empty answer.
HRESULT TTBViewAccObject::get_accDefaultAction(VARIANT child, BSTR* text) { return get_accValue(child, text); }
HRESULT TTBViewAccObject::get_accFocus(VARIANT* child) {
    if (!child) return E_POINTER;
    ::VariantInit(child);
    return Call(nullptr, [] { return S_FALSE; });
}
HRESULT TTBViewAccObject::accDoDefaultAction(VARIANT child) {
    return Call(&child, [] { return S_FALSE; });
}
