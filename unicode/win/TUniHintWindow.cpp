#include "unicode/win/TUniHintWindow.h"

#include "classlib/core/ScopeGuard.h"
#include "classlib/core/TCustomAction.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/TFont.h"
#include "classlib/win/TScreen.h"
#include "classlib/win/WindowDC.h"
#include "classlib/win/WideChars.h"
#include "unicode/win/UniControls.h"
#include "unicode/win/WideFiles.h"

namespace {

// Text flags: no prefix, word break; with DT_CALCRECT for measuring.
constexpr UINT kPaintFlags = DT_NOPREFIX | DT_WORDBREAK;                  // 0x810
constexpr UINT kMeasureFlags = DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK;  // 0xC10

UINT ReadingOrderFlags() { return Application && Application->UseRightToLeftReading() ? DT_RTLREADING : 0; }

const THintInfo* HintRecord(const void* data) { return static_cast<const THintInfo*>(data); }

}  // namespace

namespace uni {

bool IsUnicodeHint(const void* data, TClass hintWindowClass) {
    const THintInfo* info = HintRecord(data);
    return info && info->HintData == data && hintWindowClass &&
           hintWindowClass->InheritsFrom(TUniCustomHintWindow::StaticClass());
}

AnsiString HintShortCutSuffix(TControl* control, const AnsiString& hint) {
    if (!control || hint.empty() || !Application || !Application->HintShortCuts()) return AnsiString();
    auto* action = dynamic_cast<TCustomAction*>(control->Action());
    if (!action || action->ShortCut() == 0) return AnsiString();
    const AnsiString text = ShortCutToText(action->ShortCut());
    return text.empty() ? AnsiString() : " (" + text + ")";
}

WideString WideTextOfUnicodeHint(const AnsiString& hint, const void* data) {
    WideString text = FromAnsi(hint);
    const THintInfo* info = HintRecord(data);
    if (!info || text.empty()) return text;
    const WideString shortHint = ShortWideHint(FindWideHint(info->HintControl));
    const AnsiString ansiShort = ToAnsi(shortHint);
    if (hint == ansiShort) return shortHint;
    const AnsiString suffix = HintShortCutSuffix(info->HintControl, ansiShort);
    if (!suffix.empty() && hint == ansiShort + suffix) return shortHint + FromAnsi(suffix);
    return text;
}

}  // namespace uni

void TUniCustomHintWindow::CreateWindowHandle(const TCreateParams& params) {
    uni::CreateWideWindow(this, params, nullptr);
}

void TUniCustomHintWindow::ActivateHint(TRect rect, const AnsiString& hint) {
    activating_ = true;
    TScopeExit done([this] { activating_ = false; });
    THintWindow::ActivateHint(rect, hint);
}

void TUniCustomHintWindow::ActivateHintData(TRect rect, const AnsiString& hint, void* data) {
    if (!uni::IsUnicodeHint(data, ClassType())) {
        THintWindow::ActivateHintData(rect, hint, data);
        return;
    }
    {
        const bool wasBlocked = blockPaint_, wasActivating = activating_;
        blockPaint_ = activating_ = true;
        TScopeExit restore([&] {
            blockPaint_ = wasBlocked;
            activating_ = wasActivating;
        });
        THintWindow::ActivateHintData(rect, hint, data);
        uni::SetControlWideText(this, uni::WideTextOfUnicodeHint(hint, data));
    }
    Invalidate();
    Update();
}

TRect TUniCustomHintWindow::CalcHintRect(int maxWidth, const AnsiString& hint, void* data) {
    if (!uni::IsUnicodeHint(data, ClassType())) return THintWindow::CalcHintRect(maxWidth, hint, data);
    return MeasureWideHint(maxWidth, uni::WideTextOfUnicodeHint(hint, data));
}

TRect TUniCustomHintWindow::MeasureWideHint(int maxWidth, const WideString& text) {
    RECT r{0, 0, maxWidth, 0};
    const TWindowDC dc;
    if (dc) {
        HGDIOBJ old = ::SelectObject(dc.Get(), Font()->Handle());
        uni::SwitchDrawText(dc.Get(), text, -1, r, kMeasureFlags | ReadingOrderFlags());
        ::SelectObject(dc.Get(), old);
    }
    return TRect{r.left, r.top, r.right + 6, r.bottom + 2};
}

void TUniCustomHintWindow::Paint() {
    if (blockPaint_) return;
    TRect r = ClientRect();
    r.Left += 2;
    r.Top += 2;
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    canvas->Font()->SetColor(Screen && Screen->HintFont() ? Screen->HintFont()->Color() : clInfoText);
    canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
    HDC dc = canvas->Handle();
    ::SetBkMode(dc, TRANSPARENT);
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    uni::SwitchDrawText(dc, uni::GetControlWideText(this), -1, rc, kPaintFlags | ReadingOrderFlags());
}

void TUniCustomHintWindow::CMTextChanged(TMessage& message) {
    DispatchInherited<THintWindow>(this, message);
    if (activating_) return;
    // Sized to the text on one line; an activation places the window afterwards.
    const WideString text = uni::GetControlWideText(this);
    SIZE size{};
    const TWindowDC dc;
    if (dc) {
        HGDIOBJ old = ::SelectObject(dc.Get(), Font()->Handle());
        ::GetTextExtentPoint32W(dc.Get(), WideCStr(text), static_cast<int>(text.size()), &size);
        ::SelectObject(dc.Get(), old);
    }
    SetBounds(Left(), Top(), size.cx + 6, size.cy + 6);
}
