// The accessibility objects of views and item viewers: reference-counted COM objects that screen readers
// reach through WM_GETOBJECT. An object may outlive what it describes while a client still holds it, so
// its target is only a weak link: the view or viewer detaches its object when it goes, and from then on
// every call answers E_FAIL. Every live object sits in one list under one lock, so that the program can
// cut them off from their clients at its end (EndAccessibility).
//
// Lock rule: the links between an object and its target (the target's slot and the object's pointer)
// change only under the list's lock, so the last Release may come from any thread, before or after the
// target is gone. The calls themselves arrive on the target's thread: clients reach the objects through
// the marshaled proxy LresultFromObject hands out.
//
// oleacc.dll is bound by name on first use; without it no objects are handed out.
#pragma once
#include <atomic>
#include <mutex>
#include <string_view>

#include "classlib/core/Types.h"
#include "classlib/win/Win32.h"
#include <oleacc.h>

namespace tb {
void EndAccessibility();
}

class TTBCustomAccObject : public IAccessible {
public:
    TTBCustomAccObject(const TTBCustomAccObject&) = delete;
    TTBCustomAccObject& operator=(const TTBCustomAccObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

    // What neither a view nor a viewer has: S_FALSE with an empty answer (a value, a description, help, a
    // selection); names and values cannot be set (S_FALSE).
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

    // Clears the target; called under the list's lock.
    virtual void Detach() = 0;

    // A new reference unless the last one is already gone (the object is being destroyed, perhaps on
    // another thread, and waits for the lock to unlink itself). Under the list's lock.
    bool TryAddRef();

    // The lock of the list of live objects and of the links to their targets.
    static std::recursive_mutex& ListLock();
    // How many objects are alive.
    static int LiveCount();

protected:
    TTBCustomAccObject();
    virtual ~TTBCustomAccObject();
    virtual bool IsDetached() const = 0;

    // Runs body unless the object is detached (E_FAIL) or child, when given, is not CHILDID_SELF
    // (E_INVALIDARG); an exception inside answers E_UNEXPECTED.
    template <class F>
    HRESULT Call(const VARIANT* child, F&& body) noexcept {
        try {
            if (IsDetached()) return E_FAIL;
            if (child && !IsSelf(*child)) return E_INVALIDARG;
            return body();
        } catch (...) {
            return E_UNEXPECTED;
        }
    }

    static bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

private:
    friend void tb::EndAccessibility();
    std::atomic<ULONG> refs_{1};
    TTBCustomAccObject* prev_ = nullptr;
    TTBCustomAccObject* next_ = nullptr;
};

namespace tb {

// IID_IAccessible, {618736E0-3C3D-11CF-810C-00AA00389B71}.
inline constexpr GUID kIIDAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// Detaches the object in a target's slot and clears the slot (under the list's lock).
void DetachAccObject(TTBCustomAccObject*& slot);

// oleacc's entry points, bound on first use; null when missing.
using TLresultFromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using TAccessibleObjectFromWindow = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
TLresultFromObject LresultFromObjectProc();
TAccessibleObjectFromWindow AccessibleObjectFromWindowProc();
bool AccessibilityAvailable();

// The system's standard accessible object of a window (OBJID_WINDOW, IDispatch); null when it fails.
IDispatch* StandardWindowObject(HWND window);

// Puts an object into a VARIANT (VT_DISPATCH, taking the reference) or VT_EMPTY for none; S_FALSE for none.
HRESULT PutDispatch(VARIANT* out, IDispatch* object);
// A BSTR of text, S_FALSE with null when text is empty.
HRESULT PutText(BSTR* out, std::u16string_view text);

// The name of the Alt key as the keyboard layout reports it; "Alt" without one.
WideString AltKeyName();

// Start-up (not in a library): COM for this thread. End: every live object is cut off from its clients,
// COM is released when its start succeeded.
void StartAccessibility(bool isLibrary);
void EndAccessibility();

}  // namespace tb
