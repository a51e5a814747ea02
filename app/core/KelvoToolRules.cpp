#include "app/core/KelvoToolRules.h"

bool TKelvoToolTakeover::Take(IKelvoToolSelection& selection) {
    if (selection.CurrentTool() == self_) return false;
    remembered_ = selection.CurrentTool();
    pending_ = true;
    selection.SetCurrentTool(self_);
    return true;
}

bool TKelvoToolTakeover::GiveBack(IKelvoToolSelection& selection) {
    if (!pending_) return false;
    pending_ = false;
    selection.SetCurrentTool(remembered_);
    return true;
}

TKelvoHandKey HandKeyDown(std::uint16_t key, bool shown) {
    if (key == KelvoKeySpace) return shown ? TKelvoHandKey::None : TKelvoHandKey::Take;
    if (key == KelvoKeyZoomIn) return TKelvoHandKey::ZoomIn;
    if (key == KelvoKeyZoomOut) return TKelvoHandKey::ZoomOut;
    return TKelvoHandKey::None;
}

TKelvoHandKey HandKeyUp(std::uint16_t key, bool takePending) {
    return key == KelvoKeySpace && takePending ? TKelvoHandKey::GiveBack : TKelvoHandKey::None;
}

TKelvoHandKey HandFocusLost(bool takePending) { return takePending ? TKelvoHandKey::GiveBack : TKelvoHandKey::None; }

bool TKelvoPanDrag::Down(TMouseButton button, TKelvoPoint point, bool shown) {
    if (!shown || button != mbLeft) return false;
    dragging_ = true;
    last_ = point;
    return true;
}

bool TKelvoPanDrag::Move(TKelvoPoint point, std::int32_t& dx, std::int32_t& dy) const {
    if (!dragging_) return false;
    dx = point.X - last_.X;
    dy = point.Y - last_.Y;
    return true;
}

void TKelvoPanDrag::Moved(std::int32_t dx, std::int32_t dy) {
    last_.X += dx;
    last_.Y += dy;
}

bool TKelvoPanDrag::Up(TMouseButton button, bool shown) {
    if (!shown || button != mbLeft || !dragging_) return false;
    dragging_ = false;
    return true;
}
