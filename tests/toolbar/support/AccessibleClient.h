// The accessibility path as a screen reader takes it, for window tests of menus and toolbars: the client
// object of a window through AccessibleObjectFromWindow (which sends WM_GETOBJECT and unmarshals the
// answer), then its children and their answers. AccMenuBarHost is the test menu bar whose window answers
// WM_GETOBJECT with its view's object, as toolbar and popup windows do.
//
//   AccessibleRef bar = AccessibleOf(host->Handle());
//   AccessibleRef file = ChildOf(bar, 1);
//   EXPECT_EQ(AccName(file), u"File");
#pragma once
#include <string>

#include "classlib/core/Types.h"
#include "classlib/win/Win32.h"
#include "classlib/win/WideChars.h"
#include "tests/toolbar/support/MenuBarHost.h"
#include "toolbar/win/TTBCustomAccObject.h"
#include "toolbar/win/TTBViewAccObject.h"

#include <oleacc.h>

namespace toolbartest {

class AccMenuBarHost : public MenuBarHost {
public:
    using MenuBarHost::MenuBarHost;

protected:
    void WndProc(TMessage& message) override {
        if (message.Msg == WM_GETOBJECT && tb::AnswerGetObject(View(), message)) return;
        MenuBarHost::WndProc(message);
    }
};

// One counted reference to an IAccessible.
class AccessibleRef {
public:
    AccessibleRef() = default;
    explicit AccessibleRef(IAccessible* object) : object_(object) {}
    AccessibleRef(const AccessibleRef& other) : object_(other.object_) {
        if (object_) object_->AddRef();
    }
    AccessibleRef& operator=(AccessibleRef other) {
        std::swap(object_, other.object_);
        return *this;
    }
    ~AccessibleRef() { Reset(); }
    void Reset() {
        if (object_) object_->Release();
        object_ = nullptr;
    }
    IAccessible* operator->() const { return object_; }
    IAccessible* Get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    IAccessible* object_ = nullptr;
};

inline VARIANT ChildId(LONG id) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}
inline VARIANT Self() { return ChildId(CHILDID_SELF); }

// The IAccessible of a dispatch interface, taking its reference; none for null.
inline AccessibleRef FromDispatch(IDispatch* object) {
    if (!object) return AccessibleRef();
    void* accessible = nullptr;
    const HRESULT hr = object->QueryInterface(tb::kIIDAccessible, &accessible);
    object->Release();
    return SUCCEEDED(hr) ? AccessibleRef(static_cast<IAccessible*>(accessible)) : AccessibleRef();
}

// The client object of a window, as a screen reader gets it.
inline AccessibleRef AccessibleOf(HWND window) {
    void* object = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), tb::kIIDAccessible, &object))) {
        return AccessibleRef();
    }
    return AccessibleRef(static_cast<IAccessible*>(object));
}

inline AccessibleRef ChildOf(const AccessibleRef& parent, LONG id) {
    IDispatch* child = nullptr;
    if (parent->get_accChild(ChildId(id), &child) != S_OK) return AccessibleRef();
    return FromDispatch(child);
}

// A text answer; the HRESULT goes to *result when asked for.
template <class Getter>
WideString AccText(Getter getter, HRESULT* result = nullptr) {
    BSTR text = nullptr;
    const HRESULT hr = getter(&text);
    if (result) *result = hr;
    WideString value = text ? FromWideChars(text, ::SysStringLen(text)) : WideString();
    ::SysFreeString(text);
    return value;
}
inline WideString AccName(const AccessibleRef& a, HRESULT* result = nullptr) {
    return AccText([&](BSTR* t) { return a->get_accName(Self(), t); }, result);
}
inline WideString AccDefaultAction(const AccessibleRef& a, HRESULT* result = nullptr) {
    return AccText([&](BSTR* t) { return a->get_accDefaultAction(Self(), t); }, result);
}
inline WideString AccShortcut(const AccessibleRef& a, HRESULT* result = nullptr) {
    return AccText([&](BSTR* t) { return a->get_accKeyboardShortcut(Self(), t); }, result);
}

// An integer answer (role, state); -1 when it is not a VT_I4.
inline LONG AccRole(const AccessibleRef& a) {
    VARIANT v;
    ::VariantInit(&v);
    if (a->get_accRole(Self(), &v) != S_OK || v.vt != VT_I4) return -1;
    return v.lVal;
}
inline LONG AccState(const AccessibleRef& a) {
    VARIANT v;
    ::VariantInit(&v);
    if (a->get_accState(Self(), &v) != S_OK || v.vt != VT_I4) return -1;
    return v.lVal;
}

}  // namespace toolbartest
