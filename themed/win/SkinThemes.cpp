#include "themed/win/SkinThemes.h"

#include <algorithm>

#include "classlib/core/Exceptions.h"
#include "classlib/core/Format.h"
#include "classlib/core/StringUtils.h"
#include "classlib/core/UnitRegistry.h"
#include "classlib/win/ObjectInstance.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/WindowDC.h"
#include "themed/win/SkinResources.h"

namespace {

struct TThemeEntry {
    AnsiString name;
    TSkinThemeFactory factory;
    TSkinTheme* instance = nullptr;
    int refCount = 0;
};

std::vector<TThemeEntry>& Registry() {
    static std::vector<TThemeEntry> registry;
    return registry;
}

TSkinSystemState systemState;
TColor hotLightColor = clHighlight;
TSkinThemeManager* manager = nullptr;

bool ApplicationActive() { return Application && Application->Active(); }

bool NTAtLeastXP() {
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof(v);
    if (!::GetVersionExA(&v)) return false;
    return v.dwPlatformId == VER_PLATFORM_WIN32_NT &&
           (v.dwMajorVersion > 5 || (v.dwMajorVersion == 5 && v.dwMinorVersion >= 1));
}

void FreeAllThemes() {
    for (TThemeEntry& e : Registry()) {
        Free(e.instance);
        e.instance = nullptr;
    }
    Registry().clear();
}

}  // namespace

void RegisterSkinTheme(const AnsiString& name, TSkinThemeFactory factory) {
    if (name.empty() || !factory) throw Exception("Cannot register theme");
    const AnsiString stored = name.substr(0, 255);
    if (FindThemeIndex(stored) >= 0) throw Exception(Format("Theme %s is already registered", {stored}));
    Registry().push_back(TThemeEntry{stored, std::move(factory), nullptr, 0});
}

int FindThemeIndex(const AnsiString& name) {
    const std::vector<TThemeEntry>& r = Registry();
    for (std::size_t i = 0; i < r.size(); ++i) {
        if (CompareTextAscii(r[i].name, name) == 0) return int(i);
    }
    return -1;
}

TSkinTheme* GetSkinTheme(const AnsiString& name) {
    const int index = FindThemeIndex(name);
    if (index < 0) throw Exception("Unknown theme " + name);
    TThemeEntry& entry = Registry()[std::size_t(index)];
    if (!entry.instance) {
        TSkinTheme* theme = entry.factory(entry.name);
        if (!theme) throw Exception("Cannot register theme");
        Registry()[std::size_t(index)].instance = theme;
        TMessage message;
        message.Msg = CM_SKINTHEMECHANGE;
        message.WParam = ApplicationActive() ? 1 : 0;
        theme->Dispatch(message);
    }
    TThemeEntry& current = Registry()[std::size_t(index)];
    ++current.refCount;
    return current.instance;
}

void ReleaseSkinTheme(TSkinTheme*& theme) {
    // A null variable matches no entry: an entry without an instance is not "held" by it.
    if (!theme) return;
    auto& r = Registry();
    auto it = std::find_if(r.begin(), r.end(), [&](const TThemeEntry& e) { return e.instance == theme; });
    if (it == r.end()) throw Exception("Cannot release theme");
    if (it->refCount <= 0) throw Exception("Cannot release theme " + it->name);
    if (--it->refCount == 0) {
        TSkinTheme* instance = it->instance;
        it->instance = nullptr;
        theme = nullptr;
        Free(instance);
    }
}

void RegisterSysChangeNotification(TObject* object) {
    if (manager) manager->Register(object);
}

void UnregisterSysChangeNotification(TObject* object) {
    if (manager) manager->Unregister(object);
}

const TSkinSystemState& SkinSystem() { return systemState; }
TColor SkinHotLightColor() { return hotLightColor; }
TSkinThemeManager* SkinThemeManager() { return manager; }

TSkinThemeManager::TSkinThemeManager() {
    window_ = AllocateHWnd(MakeMethod<&TSkinThemeManager::WndProc>(this));
    UpdateSystemState();
}

TSkinThemeManager::~TSkinThemeManager() {
    CloseStyles();
    DeallocateHWnd(window_);
}

void TSkinThemeManager::SetVisualStylesAllowed(bool value) {
    if (visualStylesAllowed_ == value) return;
    visualStylesAllowed_ = value;
    UpdateSystemState();
}

void TSkinThemeManager::Register(TObject* object) {
    if (object && std::find(notifyList_.begin(), notifyList_.end(), object) == notifyList_.end())
        notifyList_.push_back(object);
}

void TSkinThemeManager::Unregister(TObject* object) {
    notifyList_.erase(std::remove(notifyList_.begin(), notifyList_.end(), object), notifyList_.end());
}

std::intptr_t TSkinThemeManager::Broadcast(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    TMessage message;
    message.Msg = msg;
    message.WParam = wParam;
    message.LParam = lParam;
    // A receiver may unregister itself or others (and be freed): walk a copy, and pass over whoever has
    // left the list in the meantime.
    const std::vector<TObject*> receivers = notifyList_;
    for (TObject* object : receivers) {
        if (std::find(notifyList_.begin(), notifyList_.end(), object) == notifyList_.end()) continue;
        object->Dispatch(message);
    }
    return message.Result;
}

void TSkinThemeManager::CloseStyles() {
    for (HTHEME& h : systemState.styles) {
        if (h) ::CloseThemeData(h);
        h = nullptr;
    }
    systemState.visualStyles = false;
}

void TSkinThemeManager::UpdateSystemState() {
    skin::RebuildSharedDrawingObjects();
    TSkinSystemState& s = systemState;
    {
        TWindowDC screen;
        s.lowColor = ::GetDeviceCaps(screen.Get(), BITSPIXEL) * ::GetDeviceCaps(screen.Get(), PLANES) < 12;
    }
    s.faceIsWhite = ColorToRGB(clBtnFace) == 0xFFFFFF;
    s.faceIsWhiteOrLowColor = s.faceIsWhite || s.lowColor;

    // Each class is opened on its own: a style that lacks a class (Wine's own has no "EXPLORERBAR") keeps
    // the rest. Visual styles count as on only when the classes painted through are all there.
    CloseStyles();
    if (NTAtLeastXP() && visualStylesAllowed_ && ::IsThemeActive()) {
        static const wchar_t* const names[scStyleClassCount] = {
            L"BUTTON", L"SCROLLBAR", L"REBAR", L"TOOLBAR", L"WINDOW", L"COMBOBOX", L"EXPLORERBAR", L"STATUS", L"SPIN"};
        for (int i = 0; i < scStyleClassCount; ++i) s.styles[std::size_t(i)] = ::OpenThemeData(window_, names[i]);
        s.visualStyles = s.styles[scButton] && s.styles[scScrollBar] && s.styles[scRebar] && s.styles[scToolbar] &&
                         s.styles[scStatus];
        if (!s.visualStyles) CloseStyles();
    }

    s.toolbarColor = clBtnFace;
    s.toolbarTextColor = clBtnText;
    if (s.visualStyles) {
        COLORREF c = 0;
        if (SUCCEEDED(::GetThemeColor(s.styles[scToolbar], 0, 0, skin::tmFillColor, &c))) s.toolbarColor = TColor(c);
        if (SUCCEEDED(::GetThemeColor(s.styles[scToolbar], 0, 0, skin::tmTextColor, &c)))
            s.toolbarTextColor = TColor(c);
    }

    s.flatMenus = false;
    if (NTAtLeastXP()) {
        BOOL flat = FALSE;
        if (::SystemParametersInfoA(SPI_GETFLATMENU, 0, &flat, 0)) s.flatMenus = flat != FALSE;
    }
    s.menuColor = clMenu;
    s.menuTextColor = clMenuText;
}

void TSkinThemeManager::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_SYSCOLORCHANGE:
        case WM_DISPLAYCHANGE:
        case WM_THEMECHANGED:
            UpdateSystemState();
            skin::EmptyDrawingObjectCache();
            Broadcast(CM_SKINTHEMECHANGE, tcColorsChanged, 0);
            Broadcast(CM_SKINTHEMECHANGE, tcDisplayChanged, 0);
            Broadcast(CM_SKINTHEMECHANGE, tcStyleChanged, 0);
            break;
        case WM_ACTIVATEAPP:
            Broadcast(CM_SKINTHEMECHANGE, message.WParam ? tcAppActivated : tcAppDeactivated, 0);
            break;
        default: break;
    }
    message.Result = ::DefWindowProcA(window_, message.Msg, message.WParam, message.LParam);
}

void RegisterSkinThemesUnit() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    RegisterSkinResourcesUnit();
    classlib::RegisterUnit(
        "SkinThemes",
        [] {
            hotLightColor = ::GetSysColorBrush(COLOR_HOTLIGHT) ? clHotLight : clHighlight;
            Registry().clear();
            manager = Create<TSkinThemeManager>();
        },
        [] {
            Free(manager);
            manager = nullptr;
            FreeAllThemes();
        },
        220);
}
