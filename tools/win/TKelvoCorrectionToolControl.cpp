#include "tools/win/TKelvoCorrectionToolControl.h"

#include <algorithm>

#include "app/core/KelvoToolRules.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoGraphicsView.h"
#include "app/win/TKelvoViewCanvas.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/TTimer.h"
#include "tools/core/CorrectionRules.h"
#include "tools/core/EdgeSnap.h"
#include "tools/win/TKelvoCorrectionTool.h"

namespace {

constexpr std::int32_t kArrowStep = 10;
// Snapping looks this many screen pixels to either side of the line.
constexpr double kSnapScreenPixels = 10;

}  // namespace

TKelvoCorrectionToolControl::TKelvoCorrectionToolControl(TKelvoGraphicsTool& tool, TKelvoGraphicsView& view)
    : TKelvoGraphicsToolControl(tool, view) {}

TKelvoCorrectionToolControl::~TKelvoCorrectionToolControl() = default;

TKelvoCorrectionTool* TKelvoCorrectionToolControl::CorrectionTool() const {
    return dynamic_cast<TKelvoCorrectionTool*>(Tool());
}

void TKelvoCorrectionToolControl::InitControl() {
    timer_ = MakeObject<TTimer>(nullptr);
    timer_->SetEnabled(false);
    timer_->SetInterval(1);
    timer_->OnTimer = MakeMethod<&TKelvoCorrectionToolControl::TimerTick>(this);
}

std::int32_t TKelvoCorrectionToolControl::ImageWidth() const { return View().Document().GetPixels().Width(); }
std::int32_t TKelvoCorrectionToolControl::ImageHeight() const { return View().Document().GetPixels().Height(); }

TRealPoint TKelvoCorrectionToolControl::ImagePoint(TKelvoPoint device) const {
    const TKelvoMapMode& map = View().MapMode();
    return {map.DeviceToLogicalXF(device.X), map.DeviceToLogicalYF(device.Y)};
}

void TKelvoCorrectionToolControl::Show() {
    SetBounds(MakeRect(0, 0, ImageWidth(), ImageHeight()));
    TKelvoGraphicsToolControl::Show();
}

void TKelvoCorrectionToolControl::Hide() {
    StopDrawing(false);
    guide_ = GuideNone;
    TKelvoGraphicsToolControl::Hide();
}

bool TKelvoCorrectionToolControl::MouseDown(TMouseButton button, TShiftState shift, TKelvoPoint point) {
    TKelvoCorrectionTool* tool = CorrectionTool();
    if (!Shown() || !tool || button != mbLeft) return false;
    if (!tool->Enabled() || tool->Busy()) return true;
    const TRealPoint p = ImagePoint(point);
    if (!(p.X >= 0 && p.Y >= 0 && p.X < ImageWidth() && p.Y < ImageHeight())) return true;
    pointer_ = point;
    start_ = end_ = p;
    drawing_ = true;
    guide_ = NextGuideState(guide_, TGuideEvent::LineStarted);
    snap_ = shift.Contains(ssCtrl);
    if (timer_) timer_->SetEnabled(true);
    Invalidate();
    return true;
}

void TKelvoCorrectionToolControl::FollowPointer() {
    end_ = ImagePoint(pointer_);
    if (!snap_) return;
    const double reach =
        kSnapScreenPixels * std::abs(View().MapMode().DeviceToLogicalXF(1) - View().MapMode().DeviceToLogicalXF(0));
    const TSnappedLine snapped = SnapLineToEdge(View().Document().GetPixels(), start_, end_, reach / 2);
    start_ = snapped.Start;
    end_ = snapped.End;
}

bool TKelvoCorrectionToolControl::MouseMove(TShiftState shift, TKelvoPoint point) {
    if (!Shown()) return false;
    pointer_ = point;
    if (!drawing_) {
        const TRealPoint p = ImagePoint(point);
        const bool inside = p.X >= 0 && p.Y >= 0 && p.X < ImageWidth() && p.Y < ImageHeight();
        const int before = guide_;
        SetGuide(NextGuideState(guide_, inside ? TGuideEvent::PointerInside : TGuideEvent::PointerOutside));
        if (before != GuideNone) Invalidate();
        return false;
    }
    snap_ = shift.Contains(ssCtrl);
    FollowPointer();
    Invalidate();
    return true;
}

bool TKelvoCorrectionToolControl::MouseUp(TMouseButton button, TShiftState, TKelvoPoint point) {
    if (!Shown() || button != mbLeft || !drawing_) return false;
    pointer_ = point;
    FollowPointer();
    StopDrawing(true);
    return true;
}

void TKelvoCorrectionToolControl::StopDrawing(bool finish) {
    if (timer_) timer_->SetEnabled(false);
    if (!drawing_) return;
    drawing_ = false;
    Invalidate();
    if (finish) LineFinished(start_, end_);
}

bool TKelvoCorrectionToolControl::KeyDown(std::uint16_t& key, TShiftState shift) {
    TKelvoCorrectionTool* tool = CorrectionTool();
    if (!Shown() || !tool) return false;
    TKelvoGraphicsEditor* editor = TKelvoGraphicsTool::Editor();
    std::int32_t dx = 0, dy = 0;
    switch (key) {
        case VK_LEFT: dx = kArrowStep; break;
        case VK_RIGHT: dx = -kArrowStep; break;
        case VK_UP: dy = kArrowStep; break;
        case VK_DOWN: dy = -kArrowStep; break;
        case VK_F2:
            if (!shift.Contains(ssAlt)) return false;
            tool->LearnLensProfile();
            return true;
        case KelvoKeyZoomIn:
            if (editor) editor->ZoomIn(nullptr);
            return true;
        case KelvoKeyZoomOut:
            if (editor) editor->ZoomOut(nullptr);
            return true;
        case VK_MENU:
            if (!drawing_) return false;
            FollowPointer();
            StopDrawing(true);
            return true;
        case VK_CONTROL:
            if (!drawing_) {
                if (guide_ != GuideCross) return false;
                anchor_ = ImagePoint(pointer_);
                SetGuide(NextGuideState(guide_, TGuideEvent::CtrlDown));
                return true;
            }
            snap_ = true;
            FollowPointer();
            Invalidate();
            return true;
        default: return false;
    }
    View().ClampScrollDelta(dx, dy);
    View().Scroll(dx, dy);
    return true;
}

void TKelvoCorrectionToolControl::SetGuide(int state) {
    if (state == guide_) return;
    guide_ = state;
    Invalidate();
}

bool TKelvoCorrectionToolControl::KeyUp(std::uint16_t& key, TShiftState) {
    if (!Shown()) return false;
    if (!drawing_) {
        SetGuide(NextGuideState(guide_, key == VK_CONTROL ? TGuideEvent::CtrlUp : TGuideEvent::OtherKeyUp));
        return false;
    }
    if (key != VK_CONTROL) return false;
    snap_ = false;
    FollowPointer();
    Invalidate();
    return true;
}

void TKelvoCorrectionToolControl::TimerTick(TObject*) {
    if (!drawing_) return;
    TKelvoGraphicsView& view = View();
    const TKelvoRect image = view.MapMode().LogicalToDeviceRect(MakeRect(0, 0, ImageWidth(), ImageHeight()));
    const std::int32_t w = view.ClientWidth(), h = view.ClientHeight();
    TImageBeyond beyond;
    beyond.Left = image.Left < 0;
    beyond.Top = image.Top < 0;
    beyond.Right = image.Right > w;
    beyond.Bottom = image.Bottom > h;
    const TAutoScroll s = AutoScrollDelta(pointer_.X, pointer_.Y, w, h, beyond);
    if (s.Dx == 0 && s.Dy == 0) return;
    std::int32_t dx = s.Dx, dy = s.Dy;
    view.ClampScrollDelta(dx, dy);
    if (dx == 0 && dy == 0) return;
    view.Scroll(dx, dy);
    FollowPointer();
    Invalidate();
}

void TKelvoCorrectionToolControl::PaintGuide(TKelvoViewCanvas& canvas) {
    const TKelvoMapMode& map = canvas.MapMode();
    HDC dc = canvas.MemoryDC();
    // The lines stay on the image (its area, as the view shows it): the grey margin around it is not this
    // control's to paint, and what is drawn there would stay when the pointer moves on.
    const TKelvoRect image = map.LogicalToDeviceRect(View().Document().GetImageRect());
    const TKelvoRect box = MakeRect(std::max<std::int32_t>(image.Left, 0), std::max<std::int32_t>(image.Top, 0),
                                    std::min<std::int32_t>(image.Right, View().ClientWidth()),
                                    std::min<std::int32_t>(image.Bottom, View().ClientHeight()));
    const int rop = ::SetROP2(dc, R2_XORPEN);
    auto cross = [&](COLORREF colour, int x, int y, int gap) {
        TGdiHandle<HPEN> pen(::CreatePen(PS_SOLID, 1, colour));
        HGDIOBJ old = ::SelectObject(dc, pen.Get());
        const int segments[4][4] = {{box.Left, y, x - gap, y},
                                    {x + gap + 1, y, box.Right, y},
                                    {x, box.Top, x, y - gap},
                                    {x, y + gap + 1, x, box.Bottom}};
        for (const auto& s : segments) {
            ::MoveToEx(dc, s[0], s[1], nullptr);
            ::LineTo(dc, s[2], s[3]);
        }
        ::SelectObject(dc, old);
    };
    auto device = [&](double x, double y) {
        return TKelvoPoint{std::int32_t(map.LogicalToDeviceXF(x)), std::int32_t(map.LogicalToDeviceYF(y))};
    };
    if (guide_ == GuideCross) {
        cross(RGB(255, 255, 255), pointer_.X, pointer_.Y, 5);
    } else if (guide_ == GuideAnchored) {
        const TRealPoint pointer = ImagePoint(pointer_);
        const TGuidePoint second = GuideSecondPoint({anchor_.X, anchor_.Y}, {pointer.X, pointer.Y});
        const TKelvoPoint a = device(anchor_.X, anchor_.Y);
        const TKelvoPoint b = device(second.X, second.Y);
        const TKelvoPoint m = device(2 * anchor_.X - second.X, 2 * anchor_.Y - second.Y);
        cross(RGB(255, 255, 0), a.X, a.Y, 0);
        if (b.X != a.X || b.Y != a.Y) {
            cross(RGB(255, 255, 255), b.X, b.Y, 0);
            cross(RGB(255, 255, 255), m.X, m.Y, 0);
        }
    }
    ::SetROP2(dc, rop);
}

void TKelvoCorrectionToolControl::PaintOverlay(TKelvoViewCanvas& canvas) {
    PaintMarks(canvas);
    if (!drawing_) {
        PaintGuide(canvas);
        return;
    }
    const TKelvoMapMode& map = canvas.MapMode();
    HDC dc = canvas.MemoryDC();
    TGdiHandle<HPEN> pen(::CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    HGDIOBJ old = ::SelectObject(dc, pen.Get());
    const int rop = ::SetROP2(dc, R2_XORPEN);
    ::MoveToEx(dc, int(map.LogicalToDeviceXF(start_.X)), int(map.LogicalToDeviceYF(start_.Y)), nullptr);
    ::LineTo(dc, int(map.LogicalToDeviceXF(end_.X)), int(map.LogicalToDeviceYF(end_.Y)));
    ::SetROP2(dc, rop);
    ::SelectObject(dc, old);
}
