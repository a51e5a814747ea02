#include "toolbar/win/TTBCustomAccObject.h"
#include "classlib/win/WideChars.h"

namespace {

TTBCustomAccObject* gHead = nullptr;
std::atomic<int> gLive{0};
bool gComStarted = false;

struct TOleAcc {
    tb::TLresultFromObject lresultFromObject = nullptr;
    tb::TAccessibleObjectFromWindow accessibleObjectFromWindow = nullptr;
};

const TOleAcc& OleAcc() {
    static const TOleAcc binding = [] {
        TOleAcc b;
        if (HMODULE lib = ::LoadLibraryW(L"oleacc.dll")) {
            b.lresultFromObject = reinterpret_cast<tb::TLresultFromObject>(
                reinterpret_cast<void*>(::GetProcAddress(lib, "LresultFromObject")));
            b.accessibleObjectFromWindow = reinterpret_cast<tb::TAccessibleObjectFromWindow>(
                reinterpret_cast<void*>(::GetProcAddress(lib, "AccessibleObjectFromWindow")));
        }
        return b;
    }();
    return binding;
}

}  // namespace

std::recursive_mutex& TTBCustomAccObject::ListLock() {
    static std::recursive_mutex lock;
    return lock;
}

int TTBCustomAccObject::LiveCount() { return gLive.load(); }

TTBCustomAccObject::TTBCustomAccObject() {
    std::lock_guard<std::recursive_mutex> guard(ListLock());
    next_ = gHead;
    if (gHead) gHead->prev_ = this;
    gHead = this;
    ++gLive;
}

TTBCustomAccObject::~TTBCustomAccObject() {
    std::lock_guard<std::recursive_mutex> guard(ListLock());
    if (prev_) {
        prev_->next_ = next_;
    } else {
        gHead = next_;
    }
    if (next_) next_->prev_ = prev_;
    --gLive;
}

HRESULT TTBCustomAccObject::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, tb::kIIDAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG TTBCustomAccObject::AddRef() { return ++refs_; }

bool TTBCustomAccObject::TryAddRef() {
    ULONG refs = refs_.load();
    while (refs != 0) {
        if (refs_.compare_exchange_weak(refs, refs + 1)) return true;
    }
    return false;
}

ULONG TTBCustomAccObject::Release() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

// Late binding is not offered: clients use the interface's own entries.
HRESULT TTBCustomAccObject::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}
HRESULT TTBCustomAccObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}
HRESULT TTBCustomAccObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT TTBCustomAccObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

HRESULT TTBCustomAccObject::get_accValue(VARIANT child, BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    return Call(&child, [] { return S_FALSE; });
}
HRESULT TTBCustomAccObject::get_accDescription(VARIANT child, BSTR* text) { return get_accValue(child, text); }
HRESULT TTBCustomAccObject::get_accHelp(VARIANT child, BSTR* text) { return get_accValue(child, text); }
HRESULT TTBCustomAccObject::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    if (!file || !topic) return E_POINTER;
    *topic = 0;
    return get_accValue(child, file);
}
HRESULT TTBCustomAccObject::get_accSelection(VARIANT* children) {
    if (!children) return E_POINTER;
    ::VariantInit(children);
    return Call(nullptr, [] { return S_FALSE; });
}
HRESULT TTBCustomAccObject::put_accName(VARIANT child, BSTR) {
    return Call(&child, [] { return S_FALSE; });
}
HRESULT TTBCustomAccObject::put_accValue(VARIANT child, BSTR) { return put_accName(child, nullptr); }

void tb::DetachAccObject(TTBCustomAccObject*& slot) {
    std::lock_guard<std::recursive_mutex> guard(TTBCustomAccObject::ListLock());
    if (TTBCustomAccObject* object = slot) {
        slot = nullptr;
        object->Detach();
    }
}

tb::TLresultFromObject tb::LresultFromObjectProc() { return OleAcc().lresultFromObject; }
tb::TAccessibleObjectFromWindow tb::AccessibleObjectFromWindowProc() { return OleAcc().accessibleObjectFromWindow; }
bool tb::AccessibilityAvailable() { return OleAcc().lresultFromObject && OleAcc().accessibleObjectFromWindow; }

IDispatch* tb::StandardWindowObject(HWND window) {
    const TAccessibleObjectFromWindow proc = AccessibleObjectFromWindowProc();
    void* object = nullptr;
    if (!proc || !window || FAILED(proc(window, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch, &object))) {
        return nullptr;
    }
    return static_cast<IDispatch*>(object);
}

HRESULT tb::PutDispatch(VARIANT* out, IDispatch* object) {
    ::VariantInit(out);
    if (!object) return S_FALSE;
    out->vt = VT_DISPATCH;
    out->pdispVal = object;
    return S_OK;
}

HRESULT tb::PutText(BSTR* out, std::u16string_view text) {
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    *out = ::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

WideString tb::AltKeyName() {
    wchar_t name[64] = {};
    const LONG code = static_cast<LONG>(::MapVirtualKeyW(VK_MENU, 0)) << 16;
    const int length = ::GetKeyNameTextW(code, name, 64);
    if (length <= 0) return u"Alt";
    return FromWideChars(name, static_cast<std::size_t>(length));
}

void tb::StartAccessibility(bool isLibrary) {
    if (isLibrary || gComStarted) return;
    gComStarted = SUCCEEDED(::CoInitialize(nullptr));
}

void tb::EndAccessibility() {
    {
        std::lock_guard<std::recursive_mutex> guard(TTBCustomAccObject::ListLock());
        // Disconnecting drops the clients' references, which may free the object (it unlinks itself under
        // this same lock): hold it meanwhile and read its successor before letting it go.
        TTBCustomAccObject* object = gHead;
        while (object) {
            object->AddRef();
            ::CoDisconnectObject(static_cast<IAccessible*>(object), 0);
            TTBCustomAccObject* next = object->next_;
            object->Release();
            object = next;
        }
    }
    if (gComStarted) {
        ::CoUninitialize();
        gComStarted = false;
    }
}
