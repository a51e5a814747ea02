#include "tools/win/TKelvoPersp4ToolControl.h"

#include <cmath>

#include "app/win/TKelvoViewCanvas.h"
#include "classlib/win/GdiHandle.h"
#include "tools/win/TKelvoPersp4Tool.h"

namespace {

// How far a ring reaches beyond its point (device pixels).
constexpr std::int32_t kRingReach = 5;

// A ring from (x - inner, y - inner) to (x + inner + 1, y + inner + 1) with a clear brush.
void Ring(HDC dc, TKelvoPoint centre, int inner, COLORREF colour) {
    TGdiHandle<HPEN> pen(::CreatePen(PS_SOLID, 1, colour));
    const HGDIOBJ oldPen = ::SelectObject(dc, pen.Get());
    const HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
    ::Ellipse(dc, centre.X - inner, centre.Y - inner, centre.X + inner + 1, centre.Y + inner + 1);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
}

}  // namespace

void TKelvoPersp4ToolControl::GetOverlayRect(const TKelvoMapMode& map, TKelvoRect& rect) {
    TKelvoCorrectionToolControl::GetOverlayRect(map, rect);
    rect = MakeRect(rect.Left - kRingReach, rect.Top - kRingReach, rect.Right + kRingReach, rect.Bottom + kRingReach);
}

void TKelvoPersp4ToolControl::LineFinished(const TRealPoint& start, const TRealPoint& end) {
    if (auto* tool = dynamic_cast<TKelvoPersp4Tool*>(CorrectionTool())) tool->Pick(start, end);
}

void TKelvoPersp4ToolControl::PaintMarks(TKelvoViewCanvas& canvas) {
    auto* tool = dynamic_cast<TKelvoPersp4Tool*>(CorrectionTool());
    if (!tool) return;
    const HDC dc = canvas.MemoryDC();
    const TKelvoMapMode& map = canvas.MapMode();
    const int rop = ::SetROP2(dc, R2_COPYPEN);
    for (const TRealPoint& p : tool->Points()) {
        const TKelvoPoint d{static_cast<std::int32_t>(std::lround(map.LogicalToDeviceXF(p.X))),
                            static_cast<std::int32_t>(std::lround(map.LogicalToDeviceYF(p.Y)))};
        Ring(dc, d, 3, RGB(255, 255, 255));
        Ring(dc, d, 4, RGB(0, 0, 0));
    }
    ::SetROP2(dc, rop);
}
