#include "unicode/win/UniControls.h"

#include <cstdio>

#include "classlib/core/FileSystem.h"
#include "classlib/core/Format.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/UnitRegistry.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TControlActionLink.h"
#include "classlib/win/THintWindow.h"
#include "classlib/win/WindowDC.h"
#include "classlib/win/WideChars.h"
#include "unicode/core/CodePages.h"
#include "unicode/core/DefaultFormFont.h"
#include "unicode/core/PairedStrings.h"
#include "unicode/core/TWideComponentHelper.h"
#include "unicode/core/UniExceptions.h"
#include "unicode/win/TUniHintWindow.h"
#include "unicode/win/TWinControlTrap.h"
#include "unicode/win/UniControlsState.h"
#include "unicode/win/WideFiles.h"

namespace uni {

namespace {

constexpr char16_t kClassSuffix[] = u".UnicodeClass";

LRESULT CALLBACK FirstWideWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Whether the screen offers a font family of that name.
int CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool HasFontFamily(const wchar_t* name) {
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    std::swprintf(lf.lfFaceName, LF_FACESIZE, L"%ls", name);
    bool found = false;
    const TWindowDC dc;
    if (!dc) return false;
    ::EnumFontFamiliesExW(dc.Get(), &lf, &NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

void StartUp() {
    LayerState& s = State();
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;  // 148 bytes
    ::GetVersionExA(&version);
    s.unicodePlatform = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    s.platformV51 = version.dwMajorVersion > 5 || (version.dwMajorVersion == 5 && version.dwMinorVersion >= 1);
    SetDefaultFormFont(ChooseDefaultFormFont(version.dwMajorVersion, HasFontFamily(L"Segoe UI")));

    s.destroyWindowMessage = ::RegisterWindowMessageA("UniUnicodeLayer.DestroyWindow");
    s.windowAtom = ::GlobalAddAtomA(WindowAtomName().c_str());
    if (!s.windowAtom) RaiseLastWin32Error();
    s.controlAtom = ::GlobalAddAtomA(ControlAtomName().c_str());
    if (!s.controlAtom) RaiseLastWin32Error();
    s.finalized = false;
}

void ShutDown() {
    LayerState& s = State();
    if (s.windowAtom) ::GlobalDeleteAtom(s.windowAtom);
    if (s.controlAtom) ::GlobalDeleteAtom(s.controlAtom);
    s.windowAtom = s.controlAtom = 0;
    ReleaseTraps();
    FreeWideComponentHelpers();
    s.finalized = true;
}

LRESULT CALLBACK FirstWideWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LayerState& s = State();
    TWinControl* control = s.creationControl;
    if (!control) return ::DefWindowProcW(wnd, msg, wParam, lParam);
    s.creationControl = nullptr;
    control->SetWindowHandle(wnd);
    TWinControlTrap* trap = TrapOf(control, true);
    trap->Attach(wnd, control->ObjectInstance());
    if ((::GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CHILD) && ::GetWindowLongPtrW(wnd, GWLP_ID) == 0)
        ::SetWindowLongPtrW(wnd, GWLP_ID, reinterpret_cast<LONG_PTR>(wnd));
    // Marked as the library marks its own windows, so that FindControl finds the control.
    if (s.controlAtom) ::SetPropA(wnd, MAKEINTATOM(s.controlAtom), control);
    if (s.windowAtom) ::SetPropA(wnd, MAKEINTATOM(s.windowAtom), control);
    return ::CallWindowProcW(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(wnd, GWLP_WNDPROC)), wnd, msg, wParam,
                             lParam);
}

TWideControlHelper* HelperOf(TControl* control, bool create) { return FindWideControlHelper(control, create); }

}  // namespace

LayerState& State() {
    static LayerState state;
    return state;
}

bool UnicodePlatform() { return State().unicodePlatform; }
bool PlatformV51() { return State().platformV51; }
std::uint32_t DestroyWindowMessage() { return State().destroyWindowMessage; }

void RegisterUniControlsUnit() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    classlib::RegisterUnit("UniControls", StartUp, ShutDown, UniControlsUnitOrder);
}

WideString WindowTextW(HWND wnd) {
    const int length = ::GetWindowTextLengthW(wnd);
    WideString text(static_cast<std::size_t>(length) + 1, u'\0');
    const int got = ::GetWindowTextW(wnd, WideBuffer(text), length + 1);
    text.resize(static_cast<std::size_t>(got < 0 ? 0 : got));
    return text;
}

WideString FromAnsi(const AnsiString& text) { return DecodeCodePage(text, 0); }
AnsiString ToAnsi(const WideString& text) { return EncodeCodePage(text, 0); }

void RaiseLastWin32Error() {
    const DWORD code = ::GetLastError();
    throw EOSError(Format("System Error.  Code: %d.\n%s", {static_cast<int>(code), SysErrorMessage(code)}), code);
}

void RegisterWideWindowClass(const TCreateParams& params, WideString& wideClassName) {
    wideClassName = FromAnsi(params.WinClassName) + kClassSuffix;
    const auto* name = WideCStr(wideClassName);
    HINSTANCE instance = params.WindowClass.hInstance;
    WNDCLASSW existing{};
    if (::GetClassInfoW(instance, name, &existing)) {
        if (existing.lpfnWndProc == &FirstWideWindowProc) return;
        if (!::UnregisterClassW(name, instance)) RaiseLastWin32Error();
    }
    const WNDCLASSA& a = params.WindowClass;
    WNDCLASSW wc{};
    wc.style = a.style;
    wc.lpfnWndProc = &FirstWideWindowProc;
    wc.cbClsExtra = a.cbClsExtra;
    wc.cbWndExtra = a.cbWndExtra;
    wc.hInstance = instance;
    wc.hIcon = a.hIcon;
    wc.hCursor = a.hCursor;
    wc.hbrBackground = a.hbrBackground;
    WideString menuName;
    if (a.lpszMenuName && !IS_INTRESOURCE(a.lpszMenuName)) {
        menuName = FromAnsi(a.lpszMenuName);
        wc.lpszMenuName = WideCStr(menuName);
    } else {
        wc.lpszMenuName = reinterpret_cast<const wchar_t*>(a.lpszMenuName);
    }
    wc.lpszClassName = name;
    if (!::RegisterClassW(&wc)) RaiseLastWin32Error();
}

void CreateWideWindow(TWinControl* control, const TCreateParams& params, const wchar_t* subClass) {
    WNDPROC wideDefault = &::DefWindowProcW;
    WNDCLASSW system{};
    if (subClass && *subClass && ::GetClassInfoW(nullptr, subClass, &system)) wideDefault = system.lpfnWndProc;
    CreateWideWindowWith(control, params, wideDefault, [&](const wchar_t* className) {
        return ::CreateWindowExW(params.ExStyle, className, nullptr, params.Style, params.X, params.Y, params.Width,
                                 params.Height, params.WndParent, nullptr, params.WindowClass.hInstance, params.Param);
    });
}

void CreateWideWindowWith(TWinControl* control, const TCreateParams& params, WNDPROC wideDefault,
                          const std::function<HWND(const wchar_t* className)>& create) {
    LayerState& s = State();
    TrapOf(control, true)->PrepareDefaultProcedure(wideDefault);
    WideString className;
    RegisterWideWindowClass(params, className);
    s.creationControl = control;
    HWND wnd = nullptr;
    {
        TScopeExit clear([&] { s.creationControl = nullptr; });
        wnd = create(WideCStr(className));
    }
    if (!wnd) RaiseLastWin32Error();
    SubClassUnicodeControl(control, params.Caption ? params.Caption : "");
}

void SubClassUnicodeControl(TWinControl* control, const AnsiString& caption) {
    HWND wnd = control->WindowHandle();
    if (!wnd || !::IsWindowUnicode(wnd))
        throw EUniInternalError("Internal Error: SubClassUnicodeControl.Control is not Unicode.");
    TWinControlTrap* trap = TrapOf(control, true);
    if (trap->Window() != wnd) trap->Attach(wnd, reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(wnd, GWLP_WNDPROC)));
    trap->HookWindowProc();
    SetControlWideText(control, GetStoredWideText(control, FromAnsi(caption)));
}

bool IsUnicodeControlWindow(HWND wnd) {
    if (!wnd) return false;
    TWinControl* control = FindControl(wnd);
    TWinControlTrap* trap = control ? TrapOf(control, false) : nullptr;
    return trap && trap->Window() == wnd;
}

WideString GetStoredWideText(TWinControl* control, const WideString& defaultText) {
    TWideControlHelper* helper = HelperOf(control, false);
    if (!helper) return defaultText;
    return ReadPairedWideString(helper->WideCaption, ToAnsi(defaultText));
}

void SetStoredWideText(TWinControl* control, const WideString& text) { HelperOf(control, true)->WideCaption = text; }

WideString GetControlWideText(TControl* control) {
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (!windowed) {
        TWideControlHelper* helper = HelperOf(control, false);
        return helper ? ReadPairedWideString(helper->WideCaption, control->Text()) : FromAnsi(control->Text());
    }
    if (HWND wnd = windowed->WindowHandle())
        return ::IsWindowUnicode(wnd) ? WindowTextW(wnd) : FromAnsi(control->Text());
    // No window: the stored text, while the library's 8-bit text (which it may have changed meanwhile) still
    // matches it.
    return GetStoredWideText(windowed, FromAnsi(control->Text()));
}

void SetControlWideText(TControl* control, const WideString& text) {
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (!windowed) {
        WritePairedWideString(text, HelperOf(control, true)->WideCaption, control->Text(),
                              [control](const AnsiString& a) { control->SetText(a); });
        return;
    }
    HWND wnd = windowed->WindowHandle();
    if (wnd && !::IsWindowUnicode(wnd)) {
        control->SetText(ToAnsi(text));
        return;
    }
    if (wnd) {
        if (WindowTextW(wnd) == text) return;
        SwitchSetWindowText(wnd, text);
        control->Perform(CM_TEXTCHANGED);
        return;
    }
    SetStoredWideText(windowed, text);
    control->SetText(ToAnsi(text));
}

WideString GetControlWideHint(TControl* control) {
    TWideControlHelper* helper = HelperOf(control, false);
    return helper ? ReadPairedWideString(helper->WideHint, control->Hint()) : FromAnsi(control->Hint());
}

void SetControlWideHint(TControl* control, const WideString& hint) {
    WritePairedWideString(hint, HelperOf(control, true)->WideHint, control->Hint(),
                          [control](const AnsiString& a) { control->SetHint(a); });
}

bool IsWideCaptionStored(TControl* control) {
    TControlActionLink* link = control->ActionLink();
    return !link || !link->IsCaptionLinked();
}

bool IsWideHintStored(TControl* control) {
    TControlActionLink* link = control->ActionLink();
    return !link || !link->IsHintLinked();
}

WideString FindWideHint(TControl* control) {
    for (TControl* c = control; c; c = c->Parent()) {
        WideString hint = GetControlWideHint(c);
        if (!hint.empty()) return hint;
    }
    return WideString();
}

void PrepareUnicodeHint(THintInfo& info) {
    if (info.HintWindowClass.Class() == THintWindow::StaticClass())
        info.HintWindowClass = THintWindowClass::Of<TUniCustomHintWindow>();
    if (!info.HintWindowClass || !info.HintWindowClass->InheritsFrom(TUniCustomHintWindow::StaticClass())) return;
    info.HintData = &info;
    info.HintStr = ToAnsi(ShortWideHint(FindWideHint(info.HintControl)));
    // The library adds the shortcut of the control's action to the hint; so does a Unicode hint.
    info.HintStr += HintShortCutSuffix(info.HintControl, info.HintStr);
}

}  // namespace uni
