// The four-point tool's part on a view: the user clicks the corners of something that is a rectangle in reality
// (or drags along an edge to set two at once). The picked points are drawn as rings, the drag as a rubber line;
// the view scrolls when the pointer reaches its edge while dragging.
#pragma once
#include "app/win/TKelvoGraphicsToolControl.h"
#include "classlib/win/TTimer.h"
#include "tools/core/Geometry.h"

class TKelvoPersp4Tool;

class TKelvoPersp4ToolControl : public TKelvoGraphicsToolControl {
    CLASSLIB_CLASS(TKelvoPersp4ToolControl, TKelvoGraphicsToolControl)

public:
    TKelvoPersp4ToolControl(TKelvoGraphicsTool& tool, TKelvoGraphicsView& view);
    ~TKelvoPersp4ToolControl() override;

    bool Drawing() const { return drawing_; }

    void InitControl() override;
    void Hide() override;
    bool MouseDown(TMouseButton button, TShiftState shift, TKelvoPoint point) override;
    bool MouseMove(TShiftState shift, TKelvoPoint point) override;
    bool MouseUp(TMouseButton button, TShiftState shift, TKelvoPoint point) override;
    bool KeyDown(std::uint16_t& key, TShiftState shift) override;
    void GetOverlayRect(const TKelvoMapMode& map, TKelvoRect& rect) override;
    void PaintOverlay(TKelvoViewCanvas& canvas) override;

private:
    TKelvoPersp4Tool* Persp4Tool() const;
    // The image position of a view point; false outside the image.
    bool ImagePoint(TKelvoPoint point, TRealPoint& image) const;
    // Ends the drag and hands it to the tool.
    void EndDrag();
    void AutoScrollTick(TObject* sender);

    bool drawing_ = false;
    TRealPoint start_;
    TRealPoint end_;
    TKelvoPoint pointer_{};
    TObjectPtr<TTimer> timer_;
};
