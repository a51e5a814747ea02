// The theme nexus: the one object that holds the current theme and the list of themed controls, and passes
// the theme manager's changes on to them. Every themed window answers the view-type query (message 1261,
// both parameters 0) with its code (themed/core/SkinViewTypes.h); theme changes reach the listed controls
// as message 1338 with the manager's parameter (1 colours, 2 display, 3 visual style, 4 and 5 the
// application's activation) and 0.
//
// Start-up: RegisterSkinNexusUnit() before classlib::Startup(); its unit registers the theme "Default",
// creates the nexus on it after the theme manager and frees it before the manager stops. Themed controls
// register in their constructors and leave in their destructors; leaving after the nexus is gone is safe.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "classlib/core/MessageDispatch.h"
#include "classlib/core/TObject.h"
#include "classlib/win/Win32.h"
#include "themed/core/SkinItemLayout.h"
#include "themed/core/SkinViewTypes.h"
#include "themed/win/SkinThemes.h"

class TControl;
class TCustomImageList;
class TTBView;
class TWinControl;

constexpr std::uint32_t CM_SKINVIEWTYPE = 1261;
constexpr std::uint32_t CM_SKINTHEMECHANGED = 1338;

class TSkinNexus : public TObject {
    CLASSLIB_CLASS(TSkinNexus, TObject)
    CLASSLIB_MESSAGES(TSkinNexus, CLASSLIB_ON(CM_SKINTHEMECHANGE, &TSkinNexus::CMThemeChange))
public:
    // Takes the named theme from the registry and joins the theme manager's list.
    explicit TSkinNexus(const AnsiString& themeName);
    ~TSkinNexus() override;

    TSkinTheme* Theme() const { return theme_; }
    // The theme's item measures, asked once and again after each theme change.
    const skin::TSkinItemMetrics& ItemMetrics();
    // Adding a listed control does nothing; removing one not listed does nothing.
    void AddThemeNotification(TObject* control);
    void RemoveThemeNotification(TObject* control);
    const std::vector<TObject*>& Controls() const { return controls_; }

private:
    void CMThemeChange(TMessage& message);

    TSkinTheme* theme_ = nullptr;
    std::optional<skin::TSkinItemMetrics> metrics_;
    std::vector<TObject*> controls_;
    // The control the running broadcast is at (its index), so that leaving during one skips nobody.
    std::ptrdiff_t broadcastIndex_ = 0;
    bool broadcasting_ = false;
};

// The nexus while the unit runs, else null.
TSkinNexus* SkinNexus();
// The nexus's theme; raises EInvalidOperation "No current theme" when the unit does not run.
TSkinTheme& CurrentTheme();
// The nexus's item measures (the same condition).
const skin::TSkinItemMetrics& CurrentItemMetrics();

void RegisterSkinNexusUnit();

// The list of the nexus (nothing when it is gone).
void AddThemeNotification(TObject* control);
void RemoveThemeNotification(TObject* control);

// The view-type code of a window: its answer to 1261 when its class handles the message, else 0.
std::int32_t GetWinViewType(TControl* window);
// The code of a view's window; 0 for no view or a view without window.
std::int32_t GetViewType(const TTBView* view);

// Paints what lies behind a transparent control into dc (in the control's client coordinates): a dock
// parent its background, another parent its WM_ERASEBKGND with the DC moved into its coordinates (its
// colour when it does not erase); no parent, an MDI main form or a frame: button face.
void DrawParentBackground(TControl* control, HDC dc, const TRect& rect);
// Re-applies the client size and makes the system recompute and repaint the frame, then invalidates.
void RefreshFrame(TWinControl* window);

// The theme's drawing for controls outside toolbars by the flag word of SkinViewTypes.h.
TColor SkinControlTextColor(unsigned flags);
void SkinPaintControlCaption(HDC dc, const TRect& rect, unsigned flags, std::u16string_view text, unsigned format,
                             TColor color = clDefault);
void SkinPaintControlImage(HDC dc, const TRect& rect, unsigned flags, TCustomImageList* images, int index);
