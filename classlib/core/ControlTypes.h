// Value types shared by every control: alignment, anchors, shift state, mouse buttons, control style, size
// constraints, and the event signatures of controls and forms.
#pragma once
#include <cstdint>

#include "classlib/core/Geometry.h"
#include "classlib/core/Method.h"
#include "classlib/core/TSet.h"
#include "classlib/core/TShortCut.h"
#include "classlib/core/Types.h"

class TObject;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
using TAlignSet = TSet<TAlign>;

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

// TShiftState (ssShift, ssAlt, ssCtrl, mouse buttons, ssDouble) comes with the shortcut values.

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// What an owner-drawn item (menu item, list or combo box entry) looks like at the moment it is drawn.
enum TOwnerDrawStateFlag {
    odSelected,
    odGrayed,
    odDisabled,
    odChecked,
    odFocused,
    odDefault,
    odHotLight,
    odInactive,
    odNoAccel,
    odNoFocusRect,
    odReserved1,
    odReserved2,
    odComboBoxEdit
};
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;

enum TControlStyleFlag {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
    csNeedsBorderPaint,
    csParentBackground,
    // Tab and Shift+Tab on the form go round this control's own controls only, as in a window of its own.
    csTabGroup,
};
using TControlStyle = TSet<TControlStyleFlag>;

// Limits on a control's size; 0 means no limit.
struct TSizeConstraintsData {
    std::int32_t MinWidth = 0;
    std::int32_t MinHeight = 0;
    std::int32_t MaxWidth = 0;
    std::int32_t MaxHeight = 0;
    friend bool operator==(const TSizeConstraintsData&, const TSizeConstraintsData&) = default;
};

// A mouse pointer shape: 0 is the control's default, negative numbers are the library's built-in shapes,
// positive numbers are shapes the program installs in the screen's cursor table.
using TCursor = std::int16_t;
enum : TCursor {
    crDefault = 0,
    crNone = -1,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crSizeNESW = -6,
    crSizeNS = -7,
    crSizeNWSE = -8,
    crSizeWE = -9,
    crUpArrow = -10,
    crHourGlass = -11,
    crNo = -18,
    crAppStart = -19,
    crHelp = -20,
    crHandPoint = -21,
    crSizeAll = -22,
};

// Reading order and alignment of text: left to right, or right to left with alignment mirrored, not mirrored,
// or only the reading order changed.
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// Horizontal alignment of a control's text (labels, panels, the text beside a check box).
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Which window a form or dialog shown modally is placed above: none chosen (the application window), the
// one set by the caller, or the active form.
enum TPopupMode { pmNone, pmManual, pmAuto };

// Result of a modal form or dialog: any integer; these are the common ones.
using TModalResult = int;
enum : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

using TMouseEvent = Method<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = Method<void(TObject* sender, TShiftState shift, int x, int y)>;
using TMouseWheelEvent =
    Method<void(TObject* sender, TShiftState shift, int wheelDelta, TPoint mousePos, bool& handled)>;
using TKeyEvent = Method<void(TObject* sender, std::uint16_t& key, TShiftState shift)>;
using TKeyPressEvent = Method<void(TObject* sender, char& key)>;
using TContextPopupEvent = Method<void(TObject* sender, TPoint mousePos, bool& handled)>;
