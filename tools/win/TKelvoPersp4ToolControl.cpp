#include "tools/win/TKelvoPersp4ToolControl.h"

#include <cmath>

#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoGraphicsView.h"
#include "app/win/TKelvoViewCanvas.h"
#include "tools/core/CorrectionRules.h"
#include "tools/win/TKelvoPersp4Tool.h"

namespace {

constexpr std::uint16_t kKeyZoomIn = 187;
constexpr std::uint16_t kKeyZoomOut = 189;
constexpr std::int32_t kArrowScroll = 10;

// A pen and a brush selected into a device context for the life of the object.
class TSelectedPen {
public:
    TSelectedPen(HDC dc, COLORREF colour) : dc_(dc), pen_(::CreatePen(PS_SOLID, 1, colour)) {
        oldPen_ = ::SelectObject(dc_, pen_);
        oldBrush_ = ::SelectObject(dc_, ::GetStockObject(NULL_BRUSH));
    }
    ~TSelectedPen() {
        ::SelectObject(dc_, oldBrush_);
        ::SelectObject(dc_, oldPen_);
        ::DeleteObject(pen_);
    }
    TSelectedPen(const TSelectedPen&) = delete;
    TSelectedPen& operator=(const TSelectedPen&) = delete;

private:
    HDC dc_;
    HPEN pen_;
    HGDIOBJ oldPen_;
    HGDIOBJ oldBrush_;
};

}  // namespace

TKelvoPersp4ToolControl::TKelvoPersp4ToolControl(TKelvoGraphicsTool& tool, TKelvoGraphicsView& view)
    : TKelvoGraphicsToolControl(tool, view) {}

TKelvoPersp4ToolControl::~TKelvoPersp4ToolControl() = default;

TKelvoPersp4Tool* TKelvoPersp4ToolControl::Persp4Tool() const { return dynamic_cast<TKelvoPersp4Tool*>(Tool()); }

void TKelvoPersp4ToolControl::InitControl() {
    timer_ = MakeObject<TTimer>(nullptr);
    timer_->SetEnabled(false);
    timer_->SetInterval(1);
    timer_->OnTimer = MakeMethod<&TKelvoPersp4ToolControl::AutoScrollTick>(this);
}

void TKelvoPersp4ToolControl::Hide() {
    drawing_ = false;
    if (timer_) timer_->SetEnabled(false);
    TKelvoGraphicsToolControl::Hide();
}

bool TKelvoPersp4ToolControl::ImagePoint(TKelvoPoint point, TRealPoint& image) const {
    const TKelvoMapMode& map = View().MapMode();
    image.X = map.DeviceToLogicalXF(point.X);
    image.Y = map.DeviceToLogicalYF(point.Y);
    const TKelvoRect bounds = View().Document().GetPixels().GetBounds();
    return image.X >= bounds.Left && image.X < bounds.Right && image.Y >= bounds.Top && image.Y < bounds.Bottom;
}

bool TKelvoPersp4ToolControl::MouseDown(TMouseButton button, TShiftState, TKelvoPoint point) {
    TKelvoPersp4Tool* tool = Persp4Tool();
    if (!Shown() || !tool || button != mbLeft || !tool->Enabled() || tool->Busy()) return false;
    TRealPoint image;
    if (!ImagePoint(point, image)) return false;
    start_ = end_ = image;
    pointer_ = point;
    drawing_ = true;
    if (timer_) timer_->SetEnabled(true);
    Invalidate();
    return true;
}

bool TKelvoPersp4ToolControl::MouseMove(TShiftState, TKelvoPoint point) {
    if (!Shown()) return false;
    pointer_ = point;
    if (!drawing_) return false;
    const TKelvoMapMode& map = View().MapMode();
    end_ = TRealPoint{map.DeviceToLogicalXF(point.X), map.DeviceToLogicalYF(point.Y)};
    Invalidate();
    return true;
}

bool TKelvoPersp4ToolControl::MouseUp(TMouseButton button, TShiftState, TKelvoPoint) {
    if (!drawing_ || button != mbLeft) return false;
    EndDrag();
    return true;
}

void TKelvoPersp4ToolControl::EndDrag() {
    drawing_ = false;
    if (timer_) timer_->SetEnabled(false);
    Invalidate();
    if (TKelvoPersp4Tool* tool = Persp4Tool()) tool->Pick(start_, end_);
}

bool TKelvoPersp4ToolControl::KeyDown(std::uint16_t& key, TShiftState shift) {
    TKelvoPersp4Tool* tool = Persp4Tool();
    TKelvoGraphicsEditor* editor = TKelvoGraphicsTool::Editor();
    if (!Shown() || !tool || !editor) return false;
    if (key == VK_MENU && drawing_) {
        EndDrag();
        return true;
    }
    if (key == VK_F2 && shift.Contains(ssAlt)) {
        tool->LearnLensProfile();
        return true;
    }
    std::int32_t dx = 0, dy = 0;
    switch (key) {
        case VK_LEFT: dx = kArrowScroll; break;
        case VK_RIGHT: dx = -kArrowScroll; break;
        case VK_UP: dy = kArrowScroll; break;
        case VK_DOWN: dy = -kArrowScroll; break;
        case kKeyZoomIn: editor->ZoomIn(nullptr); return true;
        case kKeyZoomOut: editor->ZoomOut(nullptr); return true;
        default: return false;
    }
    View().ClampScrollDelta(dx, dy);
    View().Scroll(dx, dy);
    return true;
}

void TKelvoPersp4ToolControl::AutoScrollTick(TObject*) {
    if (!drawing_) return;
    const TKelvoMapMode& map = View().MapMode();
    const TKelvoRect image = map.LogicalToDeviceRect(View().Document().GetPixels().GetBounds());
    const std::int32_t w = View().ClientWidth(), h = View().ClientHeight();
    const TImageBeyond beyond{image.Left<0, image.Right> w, image.Top<0, image.Bottom> h};
    TAutoScroll delta = AutoScrollDelta(pointer_.X, pointer_.Y, w, h, beyond);
    if (delta.Dx == 0 && delta.Dy == 0) return;
    View().ClampScrollDelta(delta.Dx, delta.Dy);
    if (delta.Dx == 0 && delta.Dy == 0) return;
    View().Scroll(delta.Dx, delta.Dy);
    // The line's end stays under the pointer while the image moves.
    end_ = TRealPoint{map.DeviceToLogicalXF(pointer_.X), map.DeviceToLogicalYF(pointer_.Y)};
    Invalidate();
}

void TKelvoPersp4ToolControl::GetOverlayRect(const TKelvoMapMode&, TKelvoRect& rect) {
    rect = MakeRect(0, 0, View().ClientWidth(), View().ClientHeight());
}

void TKelvoPersp4ToolControl::PaintOverlay(TKelvoViewCanvas& canvas) {
    TKelvoPersp4Tool* tool = Persp4Tool();
    if (!tool) return;
    const HDC dc = canvas.MemoryDC();
    const TKelvoMapMode& map = canvas.MapMode();
    const auto device = [&](const TRealPoint& p) {
        return TKelvoPoint{static_cast<std::int32_t>(std::lround(map.LogicalToDeviceXF(p.X))),
                           static_cast<std::int32_t>(std::lround(map.LogicalToDeviceYF(p.Y)))};
    };
    const int oldRop = ::SetROP2(dc, R2_COPYPEN);
    for (const TRealPoint& p : tool->Points()) {
        const TKelvoPoint d = device(p);
        {
            TSelectedPen white(dc, RGB(255, 255, 255));
            ::Ellipse(dc, d.X - 3, d.Y - 3, d.X + 4, d.Y + 4);
        }
        TSelectedPen black(dc, RGB(0, 0, 0));
        ::Ellipse(dc, d.X - 4, d.Y - 4, d.X + 5, d.Y + 5);
    }
    if (drawing_) {
        ::SetROP2(dc, R2_XORPEN);
        TSelectedPen white(dc, RGB(255, 255, 255));
        const TKelvoPoint a = device(start_), b = device(end_);
        ::MoveToEx(dc, a.X, a.Y, nullptr);
        ::LineTo(dc, b.X, b.Y);
    }
    ::SetROP2(dc, oldRop);
}
