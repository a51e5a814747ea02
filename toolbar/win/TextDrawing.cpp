#include "toolbar/win/TextDrawing.h"

#include <algorithm>
#include <cwchar>

#include "classlib/core/CodePages.h"
#include "classlib/core/FileSystem.h"
#include "classlib/win/WideChars.h"
#include "toolbar/core/Captions.h"
#include "toolbar/core/RotatedCaption.h"
#include "toolbar/win/SystemSettings.h"
#include "unicode/win/WinCodePages.h"

namespace tb {

namespace {

bool IsSystemLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != FALSE; }

// Floor division: the rotated text's offsets are rounded down also when the room is too small.
int HalfDown(int value) { return value >= 0 ? value / 2 : -((1 - value) / 2); }

int WidthOf(HDC dc, std::u16string_view text) {
    SIZE size{};
    if (text.empty() || !::GetTextExtentPoint32W(dc, WideChars(text), static_cast<int>(text.size()), &size)) return 0;
    return size.cx;
}

int CALLBACK FoundFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FaceExists(HDC dc, const wchar_t* face) {
    LOGFONTW probe{};
    probe.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(probe.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    ::EnumFontFamiliesExW(dc, &probe, &FoundFace, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

}  // namespace

int GetTextHeight(HDC dc) {
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc, &tm);
    return tm.tmHeight;
}

int GetTextWidth(HDC dc, std::string_view text, bool stripAccel) {
    const AnsiString shown = stripAccel ? StripAccelChars(text, &IsSystemLeadByte) : AnsiString(text);
    SIZE size{};
    if (shown.empty() || !::GetTextExtentPoint32A(dc, shown.data(), static_cast<int>(shown.size()), &size)) return 0;
    return size.cx;
}

int GetTextWidthW(HDC dc, std::u16string_view text, bool stripAccel) {
    if (!stripAccel) return WidthOf(dc, text);
    const WideString shown = StripAccelChars(text);
    SIZE size{};
    if (!::GetTextExtentPoint32W(dc, WideChars(shown), static_cast<int>(shown.size()), &size)) {
        const DWORD error = ::GetLastError();
        throw EOSError("A text could not be measured: " + SysErrorMessage(error), error);
    }
    return size.cx;
}

int DrawTextWide(HDC dc, std::u16string_view text, RECT& rect, UINT format) {
    if (IsWindowsNT()) return ::DrawTextW(dc, WideChars(text), static_cast<int>(text.size()), &rect, format);
    const AnsiString ansi = WideToAnsi(text);
    return ::DrawTextA(dc, ansi.data(), static_cast<int>(ansi.size()), &rect, format);
}

char16_t CharToWide(unsigned code) { return uni::WidenKeyChar(static_cast<std::uint16_t>(code)); }

bool FontFaceExists(HDC dc, const wchar_t* face) { return FaceExists(dc, face); }

TGdiHandle<HFONT> CreateRotatedFont(HDC dc) {
    LOGFONTW lf{};
    ::GetObjectW(::GetCurrentObject(dc, OBJ_FONT), sizeof lf, &lf);
    lf.lfEscapement = 2700;
    lf.lfOrientation = 2700;
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    // Bitmap faces cannot turn; Arial of the same character height can.
    if (std::wcscmp(lf.lfFaceName, L"MS Sans Serif") == 0 || std::wcscmp(lf.lfFaceName, L"Microsoft Sans Serif") == 0)
        std::wcscpy(lf.lfFaceName, L"Arial");
    wchar_t vertical[LF_FACESIZE] = L"@";
    std::wcsncat(vertical, lf.lfFaceName, LF_FACESIZE - 2);
    if (FaceExists(dc, vertical)) std::wcscpy(lf.lfFaceName, vertical);
    return TGdiHandle<HFONT>(::CreateFontIndirectW(&lf));
}

void DrawRotatedText(HDC dc, std::u16string_view caption, const RECT& rect, UINT format) {
    if (caption.empty()) return;
    TGdiHandle<HFONT> font = CreateRotatedFont(dc);
    const HGDIOBJ oldFont = ::SelectObject(dc, font.Get());
    const UINT oldAlign = ::SetTextAlign(dc, TA_BOTTOM);
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);

    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const TRotatedCaption shown =
        LayoutRotatedCaption(caption, format, height, [dc](const WideString& t) { return WidthOf(dc, t); });
    const int textWidth = WidthOf(dc, shown.text);
    const int x = rect.left + HalfDown(width - tm.tmHeight);
    const int y = (format & kDtCenter) ? rect.top + HalfDown(height - textWidth) : rect.top;
    const UINT options = (format & kDtNoClip) ? 0 : ETO_CLIPPED;
    ::ExtTextOutW(dc, x, y, options, &rect, WideChars(shown.text), static_cast<UINT>(shown.text.size()), nullptr);

    if (!(format & kDtHidePrefix) && shown.accelIndex >= 0) {
        const std::u16string_view text = shown.text;
        const int from = y + WidthOf(dc, text.substr(0, static_cast<std::size_t>(shown.accelIndex)));
        const int to = from + WidthOf(dc, text.substr(static_cast<std::size_t>(shown.accelIndex), 1));
        const int lineX = x + tm.tmDescent - 2;
        RECT line{lineX, from, lineX + 1, to};
        if (options & ETO_CLIPPED) {
            line.top = std::max(line.top, rect.top);
            line.bottom = std::min(line.bottom, rect.bottom);
        }
        TGdiHandle<HBRUSH> brush(::CreateSolidBrush(::GetTextColor(dc)));
        if (line.top < line.bottom) ::FillRect(dc, &line, brush.Get());
    }
    ::SetTextAlign(dc, oldAlign);
    ::SelectObject(dc, oldFont);
}

}  // namespace tb
