// The hand tool: dragging with the left button pans the view. Holding Space takes the hand from whatever tool
// is current and releasing it gives that tool back; the "+" and "-" keys zoom in and out from any tool.
#pragma once
#include "app/core/KelvoToolRules.h"
#include "app/win/TKelvoGraphicsTool.h"
#include "app/win/TKelvoGraphicsToolControl.h"

class TKelvoScrollTool : public TKelvoGraphicsTool {
    CLASSLIB_COMPONENT(TKelvoScrollTool, TKelvoGraphicsTool)

    explicit TKelvoScrollTool(TComponent* owner);

    // The take-over while Space is held (one for all views: the keyboard goes to one view at a time).
    TKelvoToolTakeover& SpaceTakeover() { return takeover_; }

private:
    TKelvoToolTakeover takeover_{this};
};

class TKelvoScrollToolControl : public TKelvoGraphicsToolControl {
    CLASSLIB_CLASS(TKelvoScrollToolControl, TKelvoGraphicsToolControl)

public:
    TKelvoScrollToolControl(TKelvoGraphicsTool& tool, TKelvoGraphicsView& view);

    bool KeyDown(std::uint16_t& key, TShiftState shift) override;
    bool KeyUp(std::uint16_t& key, TShiftState shift) override;
    bool GetCursor(TShiftState shift, TKelvoPoint point, int& cursor) override;
    bool MouseDown(TMouseButton button, TShiftState shift, TKelvoPoint point) override;
    bool MouseMove(TShiftState shift, TKelvoPoint point) override;
    bool MouseUp(TMouseButton button, TShiftState shift, TKelvoPoint point) override;
    void Hide() override;
    // Space held when the focus left: the tool it replaced comes back; a drag ends.
    void FocusLost() override;

private:
    TKelvoScrollTool& HandTool() const { return static_cast<TKelvoScrollTool&>(*Tool()); }
    // Carries out a give-back the rules decided.
    bool GiveBackOn(TKelvoHandKey decision);

    TKelvoPanDrag drag_;
};
