#include "classlib/win/ControlText.h"

#include <cstring>
#include <vector>

#include "classlib/core/CaptionText.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/TextLines.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/TFont.h"
#include "classlib/win/WideChars.h"
#include "classlib/win/Win32.h"
#include "classlib/win/WindowDC.h"

namespace {
unsigned char Upper(unsigned char c) {
    // CharUpperA takes a single character in the low word of its argument.
    return static_cast<unsigned char>(
        reinterpret_cast<std::uintptr_t>(::CharUpperA(reinterpret_cast<LPSTR>(static_cast<std::uintptr_t>(c)))));
}
}  // namespace

bool IsAccel(unsigned key, const AnsiString& caption) {
    const char accel = AccelChar(caption);
    if (accel == 0 || key == 0 || key > 0xFF) return false;
    return Upper(static_cast<unsigned char>(key)) == Upper(static_cast<unsigned char>(accel));
}

void CanvasDrawText(TCanvas* canvas, const AnsiString& text, TRect& rect, UINT flags) {
    canvas->RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
    RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    if (flags & DT_CALCRECT)
        ::DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &r, flags);
    else
        DrawTextAsMeasured(canvas->Handle(), AnsiToWide(text), r, flags);
    rect = TRect{r.left, r.top, r.right, r.bottom};
}

namespace {

bool LeftToSystem(HDC dc, std::u16string_view text, UINT flags) {
    constexpr UINT kSystemFlags = DT_CALCRECT | DT_WORDBREAK | DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS |
                                  DT_MODIFYSTRING | DT_EDITCONTROL | DT_RTLREADING | DT_PREFIXONLY | DT_TABSTOP |
                                  DT_EXTERNALLEADING | DT_INTERNAL;
    if (flags & kSystemFlags) return true;
    if ((flags & DT_EXPANDTABS) && text.find(u'\t') != std::u16string_view::npos) return true;
    // Steps are given per UTF-16 unit: a pair would get two.
    for (char16_t c : text)
        if (c >= 0xD800 && c <= 0xDFFF) return true;
    return (::GetLayout(dc) & LAYOUT_RTL) != 0 || (::GetTextAlign(dc) & TA_RTLREADING) != 0;
}

}  // namespace

void DrawTextAsMeasured(HDC dc, std::u16string_view text, RECT& rect, UINT flags) {
    if (LeftToSystem(dc, text, flags)) {
        ::DrawTextW(dc, WideChars(text), static_cast<int>(text.size()), &rect, flags);
        return;
    }
    const bool singleLine = (flags & DT_SINGLELINE) != 0;
    const bool prefixes = (flags & DT_NOPREFIX) == 0;
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    const int lineHeight = metrics.tmHeight;
    int y = rect.top;
    if (singleLine && (flags & DT_VCENTER))
        y = rect.top + (rect.bottom - rect.top - lineHeight) / 2;
    else if (singleLine && (flags & DT_BOTTOM))
        y = rect.bottom - lineHeight;
    const UINT oldAlign = ::SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    std::vector<int> ends, steps;
    for (const TTextLine& line : SplitTextLines(text, singleLine, prefixes)) {
        const int count = static_cast<int>(line.Shown.size());
        ends.assign(line.Shown.size(), 0);
        steps.assign(line.Shown.size(), 0);
        SIZE size{};
        if (count > 0) ::GetTextExtentExPointW(dc, WideChars(line.Shown), count, 0, nullptr, ends.data(), &size);
        for (int i = 0; i < count; ++i) steps[i] = ends[i] - (i > 0 ? ends[i - 1] : 0);
        int x = rect.left;
        if (flags & DT_CENTER)
            x = rect.left + (rect.right - rect.left - size.cx) / 2;
        else if (flags & DT_RIGHT)
            x = rect.right - size.cx;
        const UINT clip = (flags & DT_NOCLIP) ? 0 : ETO_CLIPPED;
        if (count > 0) ::ExtTextOutW(dc, x, y, clip, &rect, WideChars(line.Shown), count, steps.data());
        if (prefixes && !(flags & DT_HIDEPREFIX) && line.Source.size() != line.Shown.size()) {
            // The underline of the prefixed character, where the system's measurement puts it.
            RECT lineRect{rect.left, y, rect.right, y + lineHeight};
            ::DrawTextW(dc, WideChars(line.Source), static_cast<int>(line.Source.size()), &lineRect,
                        (flags & (DT_CENTER | DT_RIGHT | DT_NOCLIP)) | DT_SINGLELINE | DT_PREFIXONLY);
        }
        y += lineHeight;
    }
    ::SetTextAlign(dc, oldAlign);
}

int FontTextHeight(TFont* font) {
    // Group boxes ask at every alignment pass, nearly always for the same font; selecting a font into the
    // screen costs the windowing system far more than comparing its description.
    thread_local LOGFONTA lastFont{};
    thread_local int lastHeight = -1;
    const LOGFONTA description = font->LogFont();
    if (lastHeight >= 0 && std::memcmp(&description, &lastFont, sizeof description) == 0) return lastHeight;
    const TWindowDC dc;
    HGDIOBJ old = ::SelectObject(dc.Get(), font->Handle());
    SIZE size{};
    ::GetTextExtentPoint32A(dc.Get(), "0", 1, &size);
    ::SelectObject(dc.Get(), old);
    lastFont = description;
    lastHeight = size.cy;
    return size.cy;
}

UINT DrawTextAlignment(TAlignment alignment) {
    return alignment == taRightJustify ? DT_RIGHT : alignment == taCenter ? DT_CENTER : DT_LEFT;
}
