#include "app/win/TKelvoScrollTool.h"

#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoGraphicsView.h"

TKelvoScrollTool::TKelvoScrollTool(TComponent* owner) : TKelvoGraphicsTool(owner) {
    controlClass_ = &TKelvoGraphicsToolControl::Create<TKelvoScrollToolControl>;
}

TKelvoScrollToolControl::TKelvoScrollToolControl(TKelvoGraphicsTool& tool, TKelvoGraphicsView& view)
    : TKelvoGraphicsToolControl(tool, view) {}

bool TKelvoScrollToolControl::KeyDown(std::uint16_t& key, TShiftState) {
    TKelvoGraphicsEditor* editor = TKelvoGraphicsTool::Editor();
    if (!Tool() || !editor) return false;
    switch (HandKeyDown(key, Shown())) {
        case TKelvoHandKey::Take: {
            TKelvoEditorToolSelection selection(*editor);
            HandTool().SpaceTakeover().Take(selection);
            return true;
        }
        case TKelvoHandKey::ZoomIn: editor->ZoomIn(nullptr); return false;
        case TKelvoHandKey::ZoomOut: editor->ZoomOut(nullptr); return false;
        default: return false;
    }
}

bool TKelvoScrollToolControl::KeyUp(std::uint16_t& key, TShiftState) {
    return Tool() && GiveBackOn(HandKeyUp(key, HandTool().SpaceTakeover().Pending()));
}

void TKelvoScrollToolControl::FocusLost() {
    // The button's release will not be seen either (another window is active): the drag ends here.
    drag_.Stop();
    if (Tool()) GiveBackOn(HandFocusLost(HandTool().SpaceTakeover().Pending()));
}

bool TKelvoScrollToolControl::GiveBackOn(TKelvoHandKey decision) {
    TKelvoGraphicsEditor* editor = TKelvoGraphicsTool::Editor();
    if (!editor || decision != TKelvoHandKey::GiveBack) return false;
    TKelvoEditorToolSelection selection(*editor);
    HandTool().SpaceTakeover().GiveBack(selection);
    return true;
}

bool TKelvoScrollToolControl::GetCursor(TShiftState, TKelvoPoint, int& cursor) {
    if (!Shown()) return false;
    cursor = TKelvoGraphicsEditor::HandCursor;
    return true;
}

bool TKelvoScrollToolControl::MouseDown(TMouseButton button, TShiftState, TKelvoPoint point) {
    return drag_.Down(button, point, Shown());
}

bool TKelvoScrollToolControl::MouseMove(TShiftState, TKelvoPoint point) {
    std::int32_t dx = 0, dy = 0;
    if (!Shown() || !drag_.Move(point, dx, dy)) return false;
    View().ClampScrollDelta(dx, dy);
    View().Scroll(dx, dy);
    drag_.Moved(dx, dy);
    return true;
}

bool TKelvoScrollToolControl::MouseUp(TMouseButton button, TShiftState, TKelvoPoint) {
    return drag_.Up(button, Shown());
}

void TKelvoScrollToolControl::Hide() {
    drag_.Stop();
    TKelvoGraphicsToolControl::Hide();
}
