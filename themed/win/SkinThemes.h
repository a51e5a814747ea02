// What a theme is, the registry of themes by name, and the theme manager that follows system changes.
//
// A theme answers colours, margins and metrics and paints every part of items, toolbars, docks, popups,
// panels and status bars from the item information records of themed/core/SkinItemInfo.h. Themes are
// registered by name with a factory; the first GetSkinTheme of a name creates the one instance, later ones
// share it by a reference count that ReleaseSkinTheme gives back.
//
// The manager owns a hidden window. On a system colour, display or visual-style change it re-reads the
// shared system state (SkinSystem()), rebuilds the shared drawing objects and tells every registered object
// through message 1336 with parameters 1, 2 and 3 in turn; activation of the application gives 4, its
// deactivation 5. A theme just created gets 1336 with the application's active flag (0 or 1). Objects get
// the message through their Dispatch (handler tables by number). An object may unregister itself, or others,
// while a broadcast runs: it then gets no further message of that broadcast.
//
// Start-up: RegisterSkinThemesUnit() before classlib::Startup(); the unit starts after the shared drawing
// resources (themed/win/SkinResources.h) and stops before them. Everything runs on the user-interface thread.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "classlib/core/Geometry.h"
#include "classlib/core/Messages.h"
#include "classlib/core/TColor.h"
#include "classlib/core/TObject.h"
#include "classlib/win/Win32.h"
#include "themed/core/DefaultThemeRules.h"
#include "themed/core/SkinItemInfo.h"

#include <uxtheme.h>

class TCustomImageList;

namespace skin {
// Visual-style property numbers the themes read.
enum : int { tmContentMargins = 3602, tmCaptionMargins = 3603, tmFillColor = 3802, tmTextColor = 3803 };
}  // namespace skin

constexpr std::uint32_t CM_SKINTHEMECHANGE = 1336;
enum : std::uintptr_t {
    tcColorsChanged = 1,
    tcDisplayChanged = 2,
    tcStyleChanged = 3,
    tcAppActivated = 4,
    tcAppDeactivated = 5
};

class TSkinTheme : public TObject {
    CLASSLIB_CLASS(TSkinTheme, TObject)
public:
    explicit TSkinTheme(const AnsiString& name) : name_(name) {}
    const AnsiString& Name() const { return name_; }

    virtual TPoint GetImageOffset(const skin::TSkinItemInfo& info) = 0;
    virtual TColor GetItemColor(const skin::TSkinItemInfo& info) = 0;
    // The second result: see DefaultItemTextColor.
    virtual std::pair<TColor, bool> GetItemTextColor(const skin::TSkinItemInfo& info) = 0;
    virtual std::pair<TColor, bool> GetItemImageBackground(const skin::TSkinItemInfo& info) = 0;
    virtual skin::TMargins GetMargins(int kind) = 0;
    virtual int GetPopupShadowType() = 0;
    virtual TSize GetViewBorder(std::int32_t viewType) = 0;
    virtual TColor GetViewColor(std::int32_t viewType) = 0;
    virtual skin::TMargins GetViewMargins(std::int32_t viewType) = 0;
    // color clDefault: the view type's colour.
    virtual void PaintBackgnd(HDC dc, const TRect& paintRect, const TRect& clipRect, TColor color,
                              std::int32_t viewType) = 0;
    virtual void PaintButton(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info) = 0;
    // color clDefault: the item's text colour.
    virtual void PaintCaption(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info, std::u16string_view text,
                              unsigned format, TColor color) = 0;
    virtual void PaintCheckMark(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info) = 0;
    virtual void PaintChevron(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info) = 0;
    virtual void PaintEditFrame(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info,
                                const skin::TSkinEditFrameInfo& frame) = 0;
    virtual void PaintEditButton(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info,
                                 const skin::TSkinEditButtonInfo& button) = 0;
    // position: 1 top, 2 bottom, 3 left, 4 right.
    virtual void PaintDock(HDC dc, const TRect& clientRect, const TRect& dockRect, int position) = 0;
    virtual void PaintDockPanelNCArea(HDC dc, const TRect& rect, const skin::TSkinWindowFrameInfo& frame) = 0;
    virtual void PaintDropDownArrow(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info) = 0;
    virtual void PaintFloatingBorder(HDC dc, const TRect& rect, const skin::TSkinWindowFrameInfo& frame) = 0;
    virtual void PaintFrame(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info) = 0;
    virtual void PaintImage(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info, TCustomImageList* images,
                            int index) = 0;
    // kind: a DFCS_CAPTION... button (DFCS_CAPTIONCLOSE, DFCS_CAPTIONMIN, ...).
    virtual void PaintMDIButton(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info, unsigned kind) = 0;
    virtual void PaintMenuItem(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info) = 0;
    virtual void PaintMenuItemFrame(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info) = 0;
    // up: the arrow points up (the upper button of a long popup).
    virtual void PaintPageScrollButton(HDC dc, const TRect& rect, bool up, bool hot) = 0;
    virtual void PaintPopupNCArea(HDC dc, const TRect& rect, const skin::TSkinPopupFrameInfo& frame) = 0;
    virtual void PaintSeparator(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info, bool horizontal,
                                bool lineSeparator) = 0;
    virtual void PaintToolbarNCArea(HDC dc, const TRect& rect, const skin::TSkinWindowFrameInfo& frame) = 0;
    // kind 0 check box, 1 radio button; state: check state 0/1/2, 4 disabled, 8 hot, 16 pushed, 32 focused.
    virtual void PaintFrameControl(HDC dc, const TRect& rect, int kind, int state) = 0;
    // part 0 background, 1 pane, 2 the pane at the end, 3 size grip.
    virtual void PaintStatusBar(HDC dc, const TRect& rect, int part) = 0;
    virtual int GetIntegerMetrics(int index) = 0;
    virtual bool GetBooleanMetrics(int index) = 0;

private:
    AnsiString name_;
};

using TSkinThemeFactory = std::function<TSkinTheme*(const AnsiString& name)>;

// Raises Exception "Cannot register theme" for an empty name or factory, "Theme %s is already registered"
// for a name equal to a registered one ignoring ASCII case. Names longer than 255 characters are cut.
void RegisterSkinTheme(const AnsiString& name, TSkinThemeFactory factory);
template <class T>
void RegisterSkinTheme(const AnsiString& name) {
    RegisterSkinTheme(name, [](const AnsiString& n) -> TSkinTheme* { return Create<T>(n); });
}
int FindThemeIndex(const AnsiString& name);
// "Unknown theme <name>" for a name not registered.
TSkinTheme* GetSkinTheme(const AnsiString& name);
// Gives one reference back; the last frees the theme and clears theme. A null theme does nothing.
// "Cannot release theme" when no entry holds it.
void ReleaseSkinTheme(TSkinTheme*& theme);

void RegisterSysChangeNotification(TObject* object);
void UnregisterSysChangeNotification(TObject* object);

// The visual-style classes the manager opens.
enum TSkinStyleClass {
    scButton,
    scScrollBar,
    scRebar,
    scToolbar,
    scWindow,
    scComboBox,
    scExplorerBar,
    scStatus,
    scSpin,
    scStyleClassCount
};

// The system state the themes read, refreshed on every system change.
struct TSkinSystemState {
    bool lowColor = false;
    bool faceIsWhite = false;
    bool faceIsWhiteOrLowColor = false;
    // Visual styles are active and the classes painted through (button, scroll bar, rebar, toolbar,
    // status) are open. A class the system's style lacks stays null.
    bool visualStyles = false;
    std::array<HTHEME, scStyleClassCount> styles{};
    TColor toolbarColor = clBtnFace;
    TColor toolbarTextColor = clBtnText;
    bool flatMenus = false;
    TColor menuColor = clMenu;
    TColor menuTextColor = clMenuText;
};
const TSkinSystemState& SkinSystem();
// The hot-light colour of the themes: the system's when it has a brush for it, else the highlight colour.
TColor SkinHotLightColor();

class TSkinThemeManager : public TObject {
    CLASSLIB_CLASS(TSkinThemeManager, TObject)
public:
    TSkinThemeManager();
    ~TSkinThemeManager() override;

    HWND Window() const { return window_; }
    bool VisualStylesAllowed() const { return visualStylesAllowed_; }
    // Switching visual styles off (or on again) re-reads the system state; nothing is broadcast.
    void SetVisualStylesAllowed(bool value);
    int FlatMenuStyle() const { return flatMenuStyle_; }

    void Register(TObject* object);
    void Unregister(TObject* object);
    // Dispatches one message record to every registered object in list order; the record's final result.
    std::intptr_t Broadcast(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);
    void UpdateSystemState();

private:
    void WndProc(TMessage& message);
    void CloseStyles();

    bool visualStylesAllowed_ = true;
    int flatMenuStyle_ = 0;
    std::vector<TObject*> notifyList_;
    HWND window_ = nullptr;
};

// The one manager while the unit runs (null before and after).
TSkinThemeManager* SkinThemeManager();

void RegisterSkinThemesUnit();
