// The decisions of the themed controls that need no window: the minimum sizes of a panel over its aligned
// children, the text-drawing flags of a text object, the layout of a button (text margins, its height, the
// split of a combo button, where image and text go), a link's and a check box's geometry, the item record a
// button gives the theme, the check-box state word and cycle, and the check rule of grouped buttons.
// Margins are TRect values whose four fields are the widths of the four sides.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "classlib/core/ControlTypes.h"
#include "classlib/core/Geometry.h"
#include "themed/core/SkinItemInfo.h"

namespace skin {

using TEdges = TRect;

// The system's text-drawing flags, by their values.
enum : std::uint32_t {
    kDtCenter = 0x1,
    kDtRight = 0x2,
    kDtVCenter = 0x4,
    kDtWordBreak = 0x10,
    kDtSingleLine = 0x20,
    kDtExpandTabs = 0x40,
    kDtCalcRect = 0x400,
    kDtNoPrefix = 0x800,
    kDtPathEllipsis = 0x4000,
    kDtEndEllipsis = 0x8000,
    kDtHidePrefix = 0x100000,
};

TRect ShrinkRect(const TRect& r, const TEdges& edges);

// ---- Alignment panels -------------------------------------------------------------------------------------

// One child as a panel that sums its children sees it. MinWidth and MinHeight count for a client-aligned
// child: a themed control's own minimum, else its minimum constraint.
struct TChildExtent {
    TAlign Align = alNone;
    bool Visible = true;
    int Width = 0, Height = 0;
    int MinWidth = 0, MinHeight = 0;
};
int ChildHeight(const TChildExtent& child);
int ChildWidth(const TChildExtent& child);

// Where the children of a panel go: the client less margins and paddings, and a pixel more on each side
// for a border.
TRect PanelChildArea(const TRect& client, const TEdges& margins, const TEdges& paddings, bool border);
// The sum over visible top- and bottom-aligned children (client-aligned ones by their minimum), plus the
// vertical margins and paddings and 2 for a border; the width the same over left- and right-aligned ones.
int PanelMinHeight(const std::vector<TChildExtent>& children, const TEdges& margins, const TEdges& paddings,
                   bool border);
int PanelMinWidth(const std::vector<TChildExtent>& children, const TEdges& margins, const TEdges& paddings,
                  bool border);

// ---- Text objects -----------------------------------------------------------------------------------------

enum TTextWrapping { twNone, twEndEllipsis, twPathEllipsis, twWrap };

// Alignment (mirrored right to left), wrapping, tab expansion, and the accelerator: hidden until keyboard
// cues show with showAccelChar, not processed at all without it.
std::uint32_t TextDrawFlags(TAlignment alignment, bool rightToLeft, TTextWrapping wrapping, bool showAccelChar,
                            bool cuesVisible);
// The text a caption is measured as: an empty one, or a lone "&", keeps one line's height with a blank.
std::u16string MeasuredCaption(const std::u16string& caption);

// ---- Buttons ----------------------------------------------------------------------------------------------

enum TButtonStyle { bsNormal, bsFlat, bsSystem };
enum TButtonLayout { blGlyphLeft, blGlyphTop, blGlyphRight, blGlyphBottom };

// What the button layout depends on. ImageWidth/ImageHeight count only with HasImages.
struct TButtonShape {
    int BorderSize = 4;
    int GlyphSpacing = 4;
    TButtonLayout Layout = blGlyphLeft;
    TAlignment Alignment = taCenter;
    bool HasText = false;
    bool HasImages = false;
    int ImageWidth = 0, ImageHeight = 0;
    bool DropDown = false;  // a drop-down menu is set
    bool Combo = false;     // the arrow is a part of its own
    int SplitWidth = 11;    // theme integer metric 10
    int ArrowWidth = 8;     // metric 20
    int ArrowSpacing = 3;   // metric 21
};

TEdges ButtonTextMargins(const TButtonShape& s);
// The height the button asks for inside its margins; textHeight is the text object's measure (text margins
// included).
int ButtonTextHeight(const TButtonShape& s, int textHeight);

struct TButtonFrame {
    TRect Main;     // the frame painted as the button (the whole area unless split)
    TRect Arrow;    // the combo's arrow part, or the plain drop-down arrow; empty when there is none
    TRect Content;  // where image and text go
};
TButtonFrame ButtonFrame(const TRect& area, const TButtonShape& s);
// A press at x (client) lies in the combo arrow part.
bool InComboArrow(const TRect& area, const TButtonShape& s, int x);

struct TButtonContent {
    TRect Image;                  // empty without an image
    TRect Text;                   // empty without text
    std::uint32_t TextAlign = 0;  // the alignment flag the text is drawn with
};
// measure(width) gives the size of the text drawn in that width.
TButtonContent PlaceButtonContent(const TRect& content, const TButtonShape& s,
                                  const std::function<TSize(int width)>& measure);

struct TButtonState {
    TButtonStyle Style = bsNormal;
    bool Enabled = true;
    bool Pushed = false;  // the mouse pressed it
    bool Hot = false;
    bool KeyPushed = false;  // Space holds it
    bool DropDownOpen = false;
    bool Combo = false;
    bool ShowsComboArrow = false;
    bool Checked = false;
};
TSkinItemInfo ButtonItemInfo(const TButtonState& s);

// The check rule of grouped buttons: sibling holds every button of the same parent, self among them. Setting
// self's Checked (or re-applying it after a group change) follows: forced off without a group, a checked
// button stays checked unless its group allows all unchecked, and checking unchecks the rest of the group
// and hands them its AllowAllUnchecked.
struct TGroupedButton {
    int GroupIndex = 0;
    bool Checked = false;
    bool AllowAllUnchecked = false;
};
// Returns whether anything changed.
bool ApplyGroupCheck(std::vector<TGroupedButton*>& siblings, TGroupedButton* self, bool value);

// ---- Links, check boxes, radio buttons -----------------------------------------------------------------------

TEdges LinkTextMargins(bool rightAligned, bool image, int imageWidth);
// The image's rectangle inside the client less margins: 2 pixels from its side, centred vertically.
TRect LinkImageRect(const TRect& inner, bool rightAligned, int imageWidth, int imageHeight);

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
TCheckBoxState ToggledState(TCheckBoxState state, bool allowGrayed);
// The 13 x 13 glyph inside the client less margins.
TRect CheckGlyphRect(const TRect& inner, bool rightAligned);
TEdges CheckTextMargins(bool rightAligned);
int CheckStateWord(int check, bool enabled, bool hot, bool keyPushed, bool pushed, bool focused);

}  // namespace skin
