#include "unicode/win/WideCanvasText.h"
#include "classlib/win/WideChars.h"

namespace uni {

void CanvasTextOutW(TCanvas* canvas, int x, int y, const WideString& text) {
    canvas->Changing();
    canvas->RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
    const int width = CanvasTextWidthW(canvas, text);
    if (canvas->CanvasOrientation() == coRightToLeft) x += width + 1;
    HDC dc = canvas->Handle();
    ::ExtTextOutW(dc, x, y, static_cast<UINT>(canvas->TextFlags()), nullptr, WideCStr(text),
                  static_cast<UINT>(text.size()), nullptr);
    canvas->MoveTo(x + width, y);
    canvas->Changed();
}

TSize CanvasTextExtentW(TCanvas* canvas, const WideString& text) {
    canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
    SIZE size{0, 0};
    if (!::GetTextExtentPoint32W(canvas->Handle(), WideCStr(text), static_cast<int>(text.size()), &size))
        size = SIZE{0, 0};
    return TSize{size.cx, size.cy};
}

int CanvasTextWidthW(TCanvas* canvas, const WideString& text) { return CanvasTextExtentW(canvas, text).cx; }

int CanvasTextHeightW(TCanvas* canvas, const WideString& text) { return CanvasTextExtentW(canvas, text).cy; }

}  // namespace uni
