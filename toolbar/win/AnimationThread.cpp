#include "toolbar/win/AnimationThread.h"

#include <atomic>
#include <memory>

#include "classlib/core/Messages.h"
#include "classlib/core/Owned.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/MemoryDC.h"
#include "classlib/win/WindowDC.h"
#include "toolbar/core/MenuAnimation.h"

namespace {

using TUpdateLayeredWindow = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);

TUpdateLayeredWindow UpdateLayeredWindowProc() {
    static const TUpdateLayeredWindow proc = reinterpret_cast<TUpdateLayeredWindow>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "UpdateLayeredWindow")));
    return proc;
}

// What the worker shares with the UI thread: set before it starts, then only the atomics change.
struct TPacing {
    HWND window = nullptr;
    std::uint32_t id = 0;
    std::uint32_t startTick = 0;
    std::uint32_t duration = 0;
    int startValue = 0;
    POINT cursor{};
    RECT client{};  // in screen coordinates
    std::atomic<int> current{0};
    std::atomic<bool> terminate{false};
    std::atomic<bool> finished{false};
    std::atomic<long> pending{0};
};

struct TAnimation {
    std::uint32_t lastId = 0;
    bool fade = false;
    unsigned direction = 0;
    int width = 0;
    int height = 0;
    TGdiHandle<HBITMAP> bitmap;  // declared before the DC that holds it: freed after it
    TMemoryDC capture;
    std::unique_ptr<TPacing> pacing;
    TOwned<void, ::CloseHandle> worker;

    ~TAnimation() { tb::EndAnimation(nullptr); }
};

thread_local TAnimation gAnimation;

void WaitStep(const TPacing& p, std::uint32_t since) {
    while (!p.terminate && ::GetTickCount() - since < tb::kAnimationStepInterval) ::Sleep(tb::kAnimationSleep);
}

DWORD WINAPI Pace(void* parameter) {
    TPacing& p = *static_cast<TPacing*>(parameter);
    while (!p.terminate) {
        const std::uint32_t now = ::GetTickCount();
        const tb::TAnimationStep step = tb::AnimationStep(p.startTick, now, p.duration, p.startValue);
        if (step.stop || !::IsWindow(p.window)) break;
        POINT cursor{};
        if (::GetCursorPos(&cursor) && (cursor.x != p.cursor.x || cursor.y != p.cursor.y) &&
            ::PtInRect(&p.client, cursor)) {
            break;  // the user reached the menu: show it whole
        }
        if (step.value > p.current) {
            p.current = step.value;
            if (::InterlockedExchange(reinterpret_cast<volatile LONG*>(&p.pending), 1) == 0) {
                ::SendNotifyMessageW(p.window, tb::kAnimationStepMessage, 0, static_cast<LPARAM>(p.id));
            }
        }
        WaitStep(p, now);
    }
    p.finished = true;
    ::SendNotifyMessageW(p.window, tb::kAnimationStepMessage, 0, static_cast<LPARAM>(p.id));
    return 0;
}

void ShowCapture(HWND window, int x, int y) {
    TAnimation& a = gAnimation;
    TWindowDC dc(window, true);
    ::BitBlt(dc.Get(), x, y, a.width, a.height, a.capture.Get(), 0, 0, SRCCOPY);
}

// Undoes the layered style or the region, shows the whole image, frees it and tells the window.
void Finish() {
    TAnimation& a = gAnimation;
    const HWND animated = a.pacing->window;
    a.pacing.reset();
    if (::IsWindow(animated)) {
        if (a.fade) {
            ::SetWindowLongPtrW(animated, GWL_EXSTYLE, ::GetWindowLongPtrW(animated, GWL_EXSTYLE) & ~WS_EX_LAYERED);
        } else {
            ::SetWindowRgn(animated, nullptr, FALSE);
        }
        ShowCapture(animated, 0, 0);
    }
    a.capture.Reset();
    a.bitmap.Reset();
    ::SendNotifyMessageW(animated, tb::kAnimationEndMessage, 0, 0);
}

}  // namespace

bool tb::MenuAnimationWanted(unsigned direction, bool& fade) {
    BOOL animation = FALSE;
    BOOL fading = FALSE;
    ::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &animation, 0);
    ::SystemParametersInfoW(SPI_GETMENUFADE, 0, &fading, 0);
    fade = fading != FALSE;
    return animation && (fade || direction != 0);
}

std::uint32_t tb::AnimationId() { return gAnimation.lastId; }

bool tb::AnimationRunning(HWND window) {
    return gAnimation.pacing && gAnimation.worker && gAnimation.pacing->window == window;
}

void tb::StartAnimation(HWND window, bool fade, unsigned direction) {
    EndAnimation(nullptr);
    TAnimation& a = gAnimation;
    auto pacing = std::make_unique<TPacing>();
    pacing->window = window;
    pacing->id = ++a.lastId;
    a.fade = fade && UpdateLayeredWindowProc() != nullptr;
    a.direction = direction;
    ::GetCursorPos(&pacing->cursor);
    ::GetClientRect(window, &pacing->client);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&pacing->client), 2);
    RECT r{};
    ::GetWindowRect(window, &r);
    a.width = r.right - r.left;
    a.height = r.bottom - r.top;

    {
        TWindowDC dc(window, true);
        a.bitmap.Reset(::CreateCompatibleBitmap(dc.Get(), a.width, a.height));
        a.capture = TMemoryDC(a.bitmap.Get(), dc.Get());
    }
    ::SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(a.capture.Get()),
                   PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);

    if (a.fade) {
        pacing->duration = kFadeDuration;
        pacing->startValue = kFadeStartValue;
        ::SetWindowLongPtrW(window, GWL_EXSTYLE, ::GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
        POINT position{r.left, r.top};
        SIZE size{a.width, a.height};
        POINT origin{0, 0};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(kFadeStartValue), 0};
        UpdateLayeredWindowProc()(window, nullptr, &position, &size, a.capture.Get(), &origin, 0, &blend, ULW_ALPHA);
    } else {
        pacing->duration = kSlideDuration;
        pacing->startValue = kSlideStartValue;
        ::SetWindowRgn(window, ::CreateRectRgn(0, 0, 0, 0), FALSE);
    }
    pacing->current = pacing->startValue;
    // 0x425F: no size, move, z-order, redraw or activation, show, no owner z-order, asynchronous.
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_SHOWWINDOW |
                       SWP_NOOWNERZORDER | SWP_ASYNCWINDOWPOS);

    pacing->startTick = ::GetTickCount();
    a.pacing = std::move(pacing);
    DWORD threadId = 0;
    HANDLE thread = ::CreateThread(nullptr, 0, &Pace, a.pacing.get(), CREATE_SUSPENDED, &threadId);
    if (!thread) {
        Finish();  // no pacing: the window shows whole at once
        return;
    }
    a.worker.reset(thread);
    ::ResumeThread(thread);
}

bool tb::HandleAnimationStep(HWND window, const TMessage& message) {
    if (message.Msg != kAnimationStepMessage) return false;
    TAnimation& a = gAnimation;
    TPacing* p = a.pacing.get();
    if (!p || p->window != window || static_cast<std::uint32_t>(message.LParam) != p->id) return true;
    if (p->finished) {
        EndAnimation(window);
        return true;
    }
    const int value = p->current;
    if (a.fade) {
        BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(value), 0};
        UpdateLayeredWindowProc()(window, nullptr, nullptr, nullptr, nullptr, nullptr, 0, &blend, ULW_ALPHA);
    } else {
        const TPoint offset = SlideOffset(a.width, a.height, value, a.direction);
        ::SetWindowRgn(window, ::CreateRectRgn(offset.X, offset.Y, offset.X + a.width, offset.Y + a.height), FALSE);
        ShowCapture(window, offset.X, offset.Y);
    }
    p->pending = 0;
    return true;
}

void tb::EndAnimation(HWND window) {
    TAnimation& a = gAnimation;
    if (!a.worker || !a.pacing || (window && a.pacing->window != window)) return;
    a.pacing->terminate = true;
    ::WaitForSingleObject(a.worker.get(), INFINITE);
    a.worker.reset();
    Finish();
}
