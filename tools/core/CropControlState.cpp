#include "tools/core/CropControlState.h"

#include "tools/core/ToolHandles.h"

bool CropMouseDown(TCropControlState& c, TKelvoPoint p, int part, const TKelvoRect& imageArea) {
    if (c.State == CropIdle) {
        if (!RectHolds(imageArea, p)) return false;
        c.Anchor = p;
        c.Selection = MakeRect(p.X, p.Y, p.X + 1, p.Y + 1);
        c.State = CropDragging;
        return true;
    }
    if (c.State == CropShown && part >= PartInside) {
        c.Anchor = p;
        c.StartSelection = c.Selection;
        c.Part = part;
        c.State = CropAdjusting;
        return true;
    }
    return false;
}

bool CropMouseMove(TCropControlState& c, TKelvoPoint p, const TKelvoRect& imageArea, TCropRatio ratio) {
    const TKelvoRect before = c.Selection;
    if (c.State == CropDragging) {
        c.Selection = DragNewCropRect(c.Anchor, p, imageArea, ratio, c.Selection);
    } else if (c.State == CropAdjusting) {
        const std::int32_t dx = p.X - c.Anchor.X, dy = p.Y - c.Anchor.Y;
        c.Selection = c.Part == PartInside
                          ? MoveCropRect(c.StartSelection, dx, dy, imageArea)
                          : DragCropHandle(c.StartSelection, c.Part, dx, dy, imageArea, ratio, c.Selection);
    }
    return c.Selection != before;
}

TCropAction CropMouseUp(TCropControlState& c, bool rightButton, int part) {
    if (c.State == CropShown && part < PartInside) return rightButton ? TCropAction::Cancel : TCropAction::Apply;
    if (c.State == CropDragging || c.State == CropAdjusting) c.State = CropShown;
    return TCropAction::None;
}

TCropAction CropDoubleClick(const TCropControlState& c, int part) {
    return c.State == CropShown && part < PartInside ? TCropAction::Apply : TCropAction::None;
}

TCropAction CropKey(const TCropControlState& c, int key) {
    if (c.State == CropIdle) return TCropAction::None;
    if (key == KeyEscape) return TCropAction::Cancel;
    // An empty selection has nothing to crop to.
    if (key == KeyEnter && !c.Selection.IsEmpty()) return TCropAction::Apply;
    return TCropAction::None;
}
