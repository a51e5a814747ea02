#include "toolbar/win/TTBHintWindow.h"

#include "classlib/core/CodePages.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TFont.h"
#include "classlib/win/WindowDC.h"
#include "classlib/win/WideChars.h"
#include "unicode/win/UniControls.h"

namespace {

constexpr UINT kSpiGetToolTipAnimation = 0x1016;
constexpr UINT kSpiGetToolTipFade = 0x1018;
// A hint shown this soon after the previous one (ms), or this long in UTF-8 bytes, appears at once.
constexpr std::uint32_t kAnimationPause = 250;
constexpr std::size_t kAnimationMaxBytes = 100;
constexpr DWORD kAnimationTime = 100;

using AnimateWindowFn = BOOL(WINAPI*)(HWND, DWORD, DWORD);

// Looked up by name: older systems have no window animation.
AnimateWindowFn AnimateWindowFunction() {
    static const auto fn = reinterpret_cast<AnimateWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "AnimateWindow")));
    return fn;
}

bool SystemFlag(UINT action) {
    BOOL value = FALSE;
    return ::SystemParametersInfoW(action, 0, &value, 0) && value;
}

}  // namespace

void TTBHintWindow::ActivateHintData(TRect rect, const AnsiString& hint, void*) { ActivateHint(rect, hint); }

void TTBHintWindow::ActivateHint(TRect rect, const AnsiString& hint) {
    activating_ = true;
    TScopeExit done([this] {
        lastActivation_ = ::GetTickCount();
        activating_ = false;
    });
    caption_ = Utf8Decode(hint);
    // Screen readers read the window text: the wide hint, not its UTF-8 bytes.
    uni::SetControlWideText(this, caption_);
    rect.Bottom += 4;
    // The owner: never on the task bar, and gone with the application.
    if (Application && Application->Handle()) SetParentWindow(Application->Handle());
    SetBoundsRect(rect);

    // Inside the virtual screen (whose origin is negative with a monitor left of or above the primary one);
    // the left and top edges win for a hint larger than the desktop.
    const TRect desktop{::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
                        ::GetSystemMetrics(SM_XVIRTUALSCREEN) + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                        ::GetSystemMetrics(SM_YVIRTUALSCREEN) + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    int left = Left(), top = Top();
    const int width = Width(), height = Height();
    if (top + height > desktop.Bottom) top = desktop.Bottom - height;
    if (left + width > desktop.Right) left = desktop.Right - width;
    if (left < desktop.Left) left = desktop.Left;
    if (top < desktop.Top) top = desktop.Top;
    SetBounds(left, top, width, height);

    HWND wnd = Handle();
    ::SetWindowPos(wnd, HWND_TOPMOST, left, top, width, height, SWP_NOACTIVATE);

    // Unsigned difference: right also when the tick count has wrapped round since.
    const std::uint32_t elapsed = ::GetTickCount() - lastActivation_;
    const AnimateWindowFn animate = AnimateWindowFunction();
    if (elapsed > kAnimationPause && hint.size() < kAnimationMaxBytes && animate &&
        SystemFlag(kSpiGetToolTipAnimation)) {
        DWORD flags;
        if (SystemFlag(kSpiGetToolTipFade)) {
            flags = AW_BLEND;
        } else {
            POINT cursor{};
            ::GetCursorPos(&cursor);
            flags = cursor.y > top ? AW_VER_NEGATIVE : AW_VER_POSITIVE;
        }
        animate(wnd, kAnimationTime, flags | AW_SLIDE);
    }
    ::ShowWindow(wnd, SW_SHOWNOACTIVATE);
    // The library's own idea of the window follows: Visible and Showing until ReleaseHandle.
    if (Visible())
        UpdateShowing();
    else
        SetVisible(true);
    Invalidate();
}

TRect TTBHintWindow::CalcHintRect(int maxWidth, const AnsiString& hint, void*) {
    return MeasureWideHint(maxWidth, Utf8Decode(hint));
}

bool TTBHintWindow::CanResize(int& newWidth, int& newHeight) {
    if (changingText_) return false;
    return TUniCustomHintWindow::CanResize(newWidth, newHeight);
}

void TTBHintWindow::CMTextChanged(TMessage& message) {
    {
        changingText_ = true;
        TScopeExit changed([this] { changingText_ = false; });
        DispatchInherited<TTBHintWindow>(this, message);
    }
    if (activating_) return;
    // Measured on a screen DC: a text change alone must not make the window.
    SIZE size{};
    const TWindowDC dc;
    if (dc) {
        HGDIOBJ old = ::SelectObject(dc.Get(), Font()->Handle());
        ::GetTextExtentPoint32W(dc.Get(), WideCStr(caption_), static_cast<int>(caption_.size()), &size);
        ::SelectObject(dc.Get(), old);
    }
    SetBounds(Left(), Top(), size.cx + 6, size.cy + 4);
}
