// The decisions of the default theme that need no drawing: colours by view and item state, margins, borders
// and metrics. Colours are TColor values (system colours stay system colours until painted). Inputs from the
// system (visual-style answers, frame metrics) come in through TDefaultThemeInputs.
#pragma once
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "classlib/core/Geometry.h"
#include "classlib/core/TColor.h"
#include "themed/core/SkinItemInfo.h"

namespace skin {

// The theme's colour cache.
struct TThemeColorCache {
    TColor ToolbarColor = clBtnFace;
    TColor ToolbarTextColor = clBtnText;
    TColor DockColor = clBtnFace;
    TColor DockPanelColor = clBtnFace;
    TColor StatusBarColor = clBtnFace;
};

struct TDefaultThemeInputs {
    bool visualStyles = false;
    bool flatMenus = false;
    TColor menuColor = clMenu;
    TColor menuTextColor = clMenuText;
    TSize sizeFrame{4, 4};   // SM_CXSIZEFRAME, SM_CYSIZEFRAME
    TSize fixedFrame{3, 3};  // SM_CXFIXEDFRAME, SM_CYFIXEDFRAME
    // Visual-style answers; empty when the query failed (the classic value is used then).
    std::optional<TRect> toolbarItemMargins;  // "TOOLBAR" part 1, hot state: content margins
    std::optional<TRect> statusPaneMargins;   // "STATUS" part 1: content rectangle inside 100 x 100
    std::optional<int> splitArrowWidth;       // "TOOLBAR" part 4
};

// Margins as left, top, right, bottom distances.
using TMargins = TRect;

// Margin kinds.
enum : int { mkItem = 1, mkMenu = 2, mkStatusPane = 3 };

// Integer metric indices.
enum : int {
    imSplitArrowWidth = 10,
    imImageTextSpace = 20,
    imMenuImageMargin = 21,
    imMenuItemFrame = 32,
    imMenuLeftCaptionMargin = 33,
    imMenuRightCaptionMargin = 34,
    imSeparatorSize = 35,
    imMenuSeparatorMargin = 36,
    imMenuImageTextSpace = 37,
    imToolbarSeparatorSize = 50,
    imEditFrameWidth = 60,
    imEditTextMarginHorz = 61,
    imEditTextMarginVert = 62,
    imEditButtonWidth = 65,
    imEditMenuMiddleWidth = 66,
};
enum : int { bmVisualStyles = 5 };

TColor DefaultViewColor(std::int32_t viewType, const TThemeColorCache& cache, const TDefaultThemeInputs& in);
TColor DefaultItemColor(const TSkinItemInfo& info, const TThemeColorCache& cache, const TDefaultThemeInputs& in);
// The second result is true for an item of a chevron popup.
std::pair<TColor, bool> DefaultItemImageBackground(const TSkinItemInfo& info, const TThemeColorCache& cache,
                                                   const TDefaultThemeInputs& in);
// The second result is true for a menu-bar item while the application is inactive.
std::pair<TColor, bool> DefaultItemTextColor(const TSkinItemInfo& info, const TDefaultThemeInputs& in);
TMargins DefaultMargins(int kind, const TDefaultThemeInputs& in);
TSize DefaultViewBorder(std::int32_t viewType, const TDefaultThemeInputs& in);
TMargins DefaultViewMargins(std::int32_t viewType);
int DefaultIntegerMetric(int index, const TDefaultThemeInputs& in);
bool DefaultBooleanMetric(int index, const TDefaultThemeInputs& in);
TPoint DefaultImageOffset(const TSkinItemInfo& info);
// The "TOOLBAR" state a button is drawn in with visual styles.
int ToolbarButtonState(const TSkinItemInfo& info);

// Glyph outlines around a centre.
std::vector<TPoint> CheckTickPolygon(int cx, int cy);
std::vector<TPoint> CheckTickHighlight(int cx, int cy);
// The right-pointing submenu arrow of an item rectangle; menuCheckWidth is the system menu-check width.
std::vector<TPoint> SubmenuArrow(const TRect& item, int menuCheckWidth);

}  // namespace skin
