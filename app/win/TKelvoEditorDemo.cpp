// The editor's part in demonstrations: undoing and redoing as commands, and the Undo and Redo buttons as targets.
#include "app/core/KelvoEditorDemo.h"
#include "app/win/TKelvoEditor.h"
#include "classlib/core/StringUtils.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinToolbar.h"
#include "toolbar/win/TTBItemViewer.h"
#include "toolbar/win/TTBView.h"

void TKelvoEditor::ExecuteDemoCommand(IKelvoDemoPlayback&, const AnsiString& command, bool& handled, IKelvoDemoMacro&,
                                      const TKelvoProperties&) {
    handled = true;
    if (command == "UNDO")
        UndoCommand(this);
    else if (command == "REDO")
        RedoCommand(this);
    else
        handled = false;
}

void TKelvoEditor::GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& point) {
    AnsiString name;
    if (!DemoParamText(params, 0, name)) return;
    name = UpperCase(name);
    if (name == "UNDO")
        found = ToolButtonCentre(UndoButton, point);
    else if (name == "REDO")
        found = ToolButtonCentre(RedoButton, point);
}

bool TKelvoEditor::ToolButtonCentre(TSkinItem* button, TPoint& point) const {
    if (!button || !StandardToolbar) return false;
    TTBItemViewer* viewer = StandardToolbar->View()->Find(button);
    if (!viewer || !viewer->Show()) return false;
    const TRect bounds = viewer->BoundsRect();
    point = viewer->View()->Window()->ClientToScreen(
        Point(bounds.Left + bounds.Width() / 2, bounds.Top + bounds.Height() / 2));
    return true;
}
