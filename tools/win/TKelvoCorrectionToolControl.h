// The on-image part of a correction tool: the user drags a line over the image (the rubber line, drawn in
// XOR white), the view scrolls while the pointer is at its edge, Ctrl snaps the line to the strongest edge
// of the image nearby, and the finished line goes to the derived control (LineFinished). The keys: the
// arrows scroll by 10 pixels, Alt+F2 learns the lens profile, "+" and "-" zoom, Alt ends a line. While no
// line is drawn a guide helps to judge what is level and plumb: a cross-hair through the pointer, and while
// Ctrl is held, lines through an anchor and through a second point and its mirror image about the anchor.
#pragma once
#include <cstdint>

#include "app/win/TKelvoGraphicsToolControl.h"
#include "classlib/core/TObject.h"
#include "classlib/win/TTimer.h"
#include "tools/core/Geometry.h"

class TKelvoCorrectionTool;

class TKelvoCorrectionToolControl : public TKelvoGraphicsToolControl {
    CLASSLIB_CLASS(TKelvoCorrectionToolControl, TKelvoGraphicsToolControl)

public:
    TKelvoCorrectionToolControl(TKelvoGraphicsTool& tool, TKelvoGraphicsView& view);
    ~TKelvoCorrectionToolControl() override;

    void InitControl() override;
    void Show() override;
    void Hide() override;
    bool MouseDown(TMouseButton button, TShiftState shift, TKelvoPoint point) override;
    bool MouseMove(TShiftState shift, TKelvoPoint point) override;
    bool MouseUp(TMouseButton button, TShiftState shift, TKelvoPoint point) override;
    bool KeyDown(std::uint16_t& key, TShiftState shift) override;
    bool KeyUp(std::uint16_t& key, TShiftState shift) override;
    void PaintOverlay(TKelvoViewCanvas& canvas) override;

    bool Drawing() const { return drawing_; }
    // The guide (tools/core/CorrectionRules.h) and its anchor in image coordinates.
    int GuideState() const { return guide_; }
    const TRealPoint& GuideAnchor() const { return anchor_; }
    // The line as drawn (image coordinates), after snapping while Ctrl is held.
    const TRealPoint& LineStart() const { return start_; }
    const TRealPoint& LineEnd() const { return end_; }

protected:
    // A line was drawn from start to end (image coordinates; the two may be equal: a click).
    virtual void LineFinished(const TRealPoint& start, const TRealPoint& end) = 0;
    // Marks of the derived control, painted in the overlay (device coordinates through the canvas's map).
    virtual void PaintMarks(TKelvoViewCanvas& canvas) {}
    TKelvoCorrectionTool* CorrectionTool() const;
    // The image point under a device point.
    TRealPoint ImagePoint(TKelvoPoint device) const;
    // The working image's size.
    std::int32_t ImageWidth() const;
    std::int32_t ImageHeight() const;

private:
    void StopDrawing(bool finish);
    void TimerTick(TObject* sender);
    // end_ from the pointer, snapped when Ctrl is held.
    void FollowPointer();
    void SetGuide(int state);
    void PaintGuide(TKelvoViewCanvas& canvas);

    TObjectPtr<TTimer> timer_;
    bool drawing_ = false;
    bool snap_ = false;
    TRealPoint start_;
    TRealPoint end_;
    TKelvoPoint pointer_{};
    int guide_ = 0;
    TRealPoint anchor_;
};
