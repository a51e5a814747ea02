// What the crop, rotate and resize tools share on screen: the tool panel they put their button and frame on,
// the stacking of a frame's parts from the top, the options link, the hourglass during a long operation,
// screen points of their buttons for demonstrations, and the lines they record.
#pragma once
#include <cstdint>
#include <initializer_list>

#include "classlib/core/ScopeGuard.h"
#include "classlib/core/TObject.h"
#include "classlib/core/Types.h"
#include "classlib/win/TScreen.h"

class IKelvoDemoPlayback;
class TComponent;
class TSkinAlignmentPanel;
class TWinControl;
class TControl;
class TKelvoGraphicsDocument;
class TKelvoToolPanelModule;
class TSkinItem;
class TSkinLink;
class TSkinToolbar;

namespace kelvo {

// The application's tool panel, or null when the program has none.
TKelvoToolPanelModule* FindToolPanel();

// A control of class T owned by owner on parent, with its name and bounds.
template <class T>
T* MakeControl(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width, int height) {
    T* control = Create<T>(owner);
    control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}
// A plain themed panel across a frame, height pixels high, that gives the themed controls on it its own
// background behind them.
TSkinAlignmentPanel* MakeFramePanel(TWinControl* frame, const char* name, int height);

// Places the visible controls one below the other from top, each at its own height, in the given order; the
// hidden ones keep no room. Returns the bottom of the last one.
int StackTopDown(std::initializer_list<TControl*> controls, int top);

// The options link's picture and text: "Hide Options" while they are shown, else "Show More Options".
void SetOptionsLink(TSkinLink& link, bool shown);

// The hourglass until the returned guard ends, then the pointer as it was.
inline auto HourglassCursor() {
    const TCursor old = Screen ? Screen->Cursor() : TCursor(crDefault);
    if (Screen) Screen->SetCursor(crHourGlass);
    return TScopeExit([old] {
        if (Screen) Screen->SetCursor(old);
    });
}

// The screen centre of a toolbar's item, or of a control; false while it is not shown.
bool ItemCentre(TSkinToolbar* toolbar, TSkinItem* item, TPoint& point);
bool ControlCentre(TControl* control, TPoint& point);

// The number in decimal digits.
WideString DecimalText(std::int32_t value);

// While recording: "MouseCurvedMove <target>", then the line.
void RecordMoveAndLine(IKelvoDemoPlayback* recorder, const AnsiString& target, const AnsiString& line);

}  // namespace kelvo
