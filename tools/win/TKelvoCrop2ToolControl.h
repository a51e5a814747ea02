// The crop selection on one view: a drag draws it, its eight handles resize it and a drag inside moves it,
// held to the tool's ratio; Enter or a click outside applies the crop, Esc or a right click outside cancels.
// While shown, the image outside the selection is darkened and the handles are drawn inverted.
#pragma once
#include "app/win/TKelvoGraphicsToolControl.h"
#include "tools/core/CropControlState.h"

class TKelvoCrop2Tool;

class TKelvoCrop2ToolControl : public TKelvoGraphicsToolControl {
    CLASSLIB_CLASS(TKelvoCrop2ToolControl, TKelvoGraphicsToolControl)

public:
    TKelvoCrop2ToolControl(TKelvoGraphicsTool& tool, TKelvoGraphicsView& view);

    const TCropControlState& State() const { return state_; }
    // Back to no selection (after an apply or a cancel).
    void ResetSelection();
    // The image changed its size (an undo or redo): the area follows; a selection no longer inside it goes.
    void ImageChanged();

    void InitControl() override;
    void Show() override;
    void Hide() override;
    bool GetCursor(TShiftState shift, TKelvoPoint point, int& cursor) override;
    bool MouseDown(TMouseButton button, TShiftState shift, TKelvoPoint point) override;
    bool MouseMove(TShiftState shift, TKelvoPoint point) override;
    bool MouseUp(TMouseButton button, TShiftState shift, TKelvoPoint point) override;
    bool KeyDown(std::uint16_t& key, TShiftState shift) override;
    // The image's view rectangle, 5 pixels larger while the handles are shown (they reach beyond it).
    void GetOverlayRect(const TKelvoMapMode& map, TKelvoRect& rect) override;
    void PaintOverlay(TKelvoViewCanvas& canvas) override;

private:
    TKelvoCrop2Tool& CropTool() const;
    TKelvoRect ImageArea() const;
    // The part of the shown selection under a view point (nothing unless the handles are shown).
    int PartAt(TKelvoPoint point) const;
    void Carry(TCropAction action);

    TCropControlState state_;
};
