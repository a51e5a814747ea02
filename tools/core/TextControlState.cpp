#include "tools/core/TextControlState.h"

#include "tools/core/ToolHandles.h"

bool TextMouseDown(TTextControlState& c, TKelvoPoint p, int part, const TKelvoRect& imageArea) {
    if (c.State == TextNone) {
        if (!RectHolds(imageArea, p)) return false;
        c.Anchor = p;
        c.Box = TTextBox{MakeRect(p.X, p.Y, p.X + 1, p.Y + 1)};
        c.State = TextDrawing;
        return true;
    }
    if (c.State == TextPlaced && part >= PartInside) {
        c.Hit = part;
        c.Anchor = p;
        c.StartBox = c.Box;
        c.State = TextAdjusting;
        return true;
    }
    return false;
}

bool TextMouseMove(TTextControlState& c, TKelvoPoint p, const TKelvoRect& imageArea, bool& rescale) {
    rescale = false;
    const TTextBox before = c.Box;
    if (c.State == TextDrawing) {
        c.Box = DragNewTextBox(c.Anchor, p, imageArea);
    } else if (c.State == TextAdjusting && c.Hit >= PartInside) {
        c.Box = DragTextBox(c.StartBox, c.Hit, p.X - c.Anchor.X, p.Y - c.Anchor.Y, imageArea);
    } else {
        return false;
    }
    // The stretched text must always have the box's size: the blend reads it by box coordinates.
    rescale = c.Box.Box.Width() != before.Box.Width() || c.Box.Box.Height() != before.Box.Height();
    return !(c.Box == before);
}

TTextAction TextMouseUp(TTextControlState& c, bool rightButton, int part) {
    if (c.State == TextDrawing || c.State == TextAdjusting) {
        if (rightButton) return TTextAction::None;
        c.State = TextPlaced;
        return TextBoxIsClick(c.Box.Box) ? TTextAction::Cancel : TTextAction::None;
    }
    if (c.State != TextPlaced) return TTextAction::None;
    if (rightButton) return TTextAction::Cancel;
    return part < PartInside ? TTextAction::Commit : TTextAction::None;
}

TTextAction TextKey(const TTextControlState& c, int key) {
    if (c.State != TextPlaced) return TTextAction::None;
    if (key == KeyEnter) return TTextAction::Commit;
    if (key == KeyEscape) return TTextAction::Cancel;
    return TTextAction::None;
}
