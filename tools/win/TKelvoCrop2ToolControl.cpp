#include "tools/win/TKelvoCrop2ToolControl.h"

#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoGraphicsView.h"
#include "app/win/TKelvoViewCanvas.h"
#include "tools/core/ToolHandles.h"
#include "tools/win/TKelvoCrop2Tool.h"

namespace {

constexpr std::int32_t kHandleMargin = 5;

TCursor CursorOf(THandleCursor cursor) {
    switch (cursor) {
        case THandleCursor::SizeAll: return crSizeAll;
        case THandleCursor::SizeNS: return crSizeNS;
        case THandleCursor::SizeNESW: return crSizeNESW;
        case THandleCursor::SizeWE: return crSizeWE;
        case THandleCursor::SizeNWSE: return crSizeNWSE;
        case THandleCursor::Default: break;
    }
    return crDefault;
}

}  // namespace

TKelvoCrop2ToolControl::TKelvoCrop2ToolControl(TKelvoGraphicsTool& tool, TKelvoGraphicsView& view)
    : TKelvoGraphicsToolControl(tool, view) {}

TKelvoCrop2Tool& TKelvoCrop2ToolControl::CropTool() const { return static_cast<TKelvoCrop2Tool&>(*Tool()); }

TKelvoRect TKelvoCrop2ToolControl::ImageArea() const { return View().Document().GetImageRect(); }

void TKelvoCrop2ToolControl::InitControl() { SetBounds(ImageArea()); }

void TKelvoCrop2ToolControl::ResetSelection() {
    Invalidate();
    ResetCropControl(state_);
    SetBounds(ImageArea());
    Invalidate();
    RequeryCursor();
}

void TKelvoCrop2ToolControl::ImageChanged() {
    const TKelvoRect area = ImageArea();
    if (state_.State != CropIdle && !(IntersectRects(state_.Selection, area) == state_.Selection)) {
        ResetSelection();
        return;
    }
    Invalidate();
    SetBounds(area);
    Invalidate();
}

void TKelvoCrop2ToolControl::Show() {
    ResetCropControl(state_);
    SetBounds(ImageArea());
    TKelvoGraphicsToolControl::Show();
}

void TKelvoCrop2ToolControl::Hide() {
    TKelvoGraphicsToolControl::Hide();
    ResetCropControl(state_);
}

int TKelvoCrop2ToolControl::PartAt(TKelvoPoint point) const {
    if (state_.State != CropShown && state_.State != CropAdjusting) return PartNone;
    return HandleAt(View().MapMode().LogicalToDeviceRect(state_.Selection), point);
}

bool TKelvoCrop2ToolControl::GetCursor(TShiftState, TKelvoPoint point, int& cursor) {
    if (!Shown() || !Tool()) return false;
    switch (state_.State) {
        case CropShown: cursor = CursorOf(HandleCursor(PartAt(point))); break;
        case CropAdjusting: cursor = CursorOf(HandleCursor(state_.Part)); break;
        default: cursor = crCross; break;
    }
    return true;
}

bool TKelvoCrop2ToolControl::MouseDown(TMouseButton button, TShiftState shift, TKelvoPoint point) {
    if (!Shown() || !Tool()) return false;
    if (shift.Contains(ssDouble)) {
        ::MessageBeep(MB_OK);
        Carry(CropDoubleClick(state_, PartAt(point)));
        return true;
    }
    // The right button only cancels (on its release); a selection is made and changed with the left one.
    if (button != mbLeft) return true;
    SetBounds(ImageArea());
    const TKelvoPoint image = View().MapMode().DeviceToLogicalPoint(point);
    if (CropMouseDown(state_, image, PartAt(point), ImageArea())) {
        Invalidate();
        RequeryCursor();
    }
    return true;
}

bool TKelvoCrop2ToolControl::MouseMove(TShiftState, TKelvoPoint point) {
    if (!Shown() || !Tool()) return false;
    if (state_.State != CropDragging && state_.State != CropAdjusting) return false;
    const TKelvoPoint image = View().MapMode().DeviceToLogicalPoint(point);
    const TKelvoRect before = state_.Selection;
    if (CropMouseMove(state_, image, ImageArea(), CropTool().Ratio()) && !(before == state_.Selection)) Invalidate();
    if (TKelvoGraphicsEditor* editor = TKelvoGraphicsTool::Editor()) {
        editor->SetWidthStatus(state_.Selection.Width());
        editor->SetHeightStatus(state_.Selection.Height());
    }
    return true;
}

bool TKelvoCrop2ToolControl::MouseUp(TMouseButton button, TShiftState shift, TKelvoPoint point) {
    if (!Shown() || !Tool()) return false;
    // The release point counts as the drag's last: a move to it may not have come as a message of its own.
    if (button == mbLeft) MouseMove(shift, point);
    const std::uint8_t before = state_.State;
    const TCropAction action = CropMouseUp(state_, button == mbRight, PartAt(point));
    if (state_.State != before) {
        Invalidate();
        RequeryCursor();
    }
    Carry(action);
    return true;
}

bool TKelvoCrop2ToolControl::KeyDown(std::uint16_t& key, TShiftState) {
    if (!Shown() || !Tool()) return false;
    const TCropAction action = CropKey(state_, key);
    if (action == TCropAction::None) return false;
    Carry(action);
    return true;
}

void TKelvoCrop2ToolControl::Carry(TCropAction action) {
    if (action == TCropAction::Apply) CropTool().Perform();
    if (action == TCropAction::Cancel) CropTool().Cancel();
}

void TKelvoCrop2ToolControl::GetOverlayRect(const TKelvoMapMode& map, TKelvoRect& rect) {
    TKelvoGraphicsToolControl::GetOverlayRect(map, rect);
    if (state_.State == CropShown) rect = InflateRectBy(rect, kHandleMargin, kHandleMargin);
}

void TKelvoCrop2ToolControl::PaintOverlay(TKelvoViewCanvas& canvas) {
    if (state_.State == CropIdle) return;
    const TKelvoMapMode& map = canvas.MapMode();
    const TKelvoRect selection = map.LogicalToDeviceRect(state_.Selection);
    HDC dc = canvas.MemoryDC();
    if (state_.State == CropShown || state_.State == CropAdjusting) {
        // The shading is written straight into the back buffer, within what this paint may change.
        const TKelvoRect shaded = IntersectRects(map.LogicalToDeviceRect(ImageArea()), canvas.ClipBox());
        if (!shaded.IsEmpty()) {
            ::GdiFlush();
            TKelvoCanvasPixels& pixels = canvas.Pixels();
            TKelvoPixels part;
            part.Init(shaded, pixels.PixelAddress(shaded.Left, shaded.Top), pixels.Format(), pixels.Stride());
            DarkenOutside(part, selection);
        }
    }
    if (state_.State == CropShown) {
        for (int handle = PartTop; handle <= PartTopLeft; ++handle) {
            const TKelvoPoint p = HandlePoint(selection, handle);
            RECT outer{p.X - HandleRadius, p.Y - HandleRadius, p.X + HandleRadius + 1, p.Y + HandleRadius + 1};
            RECT inner{outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1};
            ::InvertRect(dc, &outer);
            ::InvertRect(dc, &inner);
        }
    }
    RECT focus{selection.Left, selection.Top, selection.Right, selection.Bottom};
    ::DrawFocusRect(dc, &focus);
}
