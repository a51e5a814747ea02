#include "toolbar/win/WindowPainting.h"

#include <vector>

#include "classlib/win/GdiHandle.h"

namespace tb {

namespace {

// WM_PRINT flags for a child printed as a whole: non-client, client, background and its own children.
constexpr LPARAM kPrintWhole = PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN;  // 30

// Prints other at its place relative to window, clipped to it.
void PrintAt(HDC dc, HWND window, HWND other) {
    RECT mine{}, theirs{};
    ::GetWindowRect(window, &mine);
    ::GetWindowRect(other, &theirs);
    const int saved = ::SaveDC(dc);
    POINT origin{};
    ::OffsetViewportOrgEx(dc, theirs.left - mine.left, theirs.top - mine.top, &origin);
    ::IntersectClipRect(dc, 0, 0, theirs.right - theirs.left, theirs.bottom - theirs.top);
    ::SendMessageA(other, WM_PRINT, reinterpret_cast<WPARAM>(dc), kPrintWhole);
    ::RestoreDC(dc, saved);
}

struct TOwnedSearch {
    HWND owner;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectOwned(HWND wnd, LPARAM param) {
    auto* search = reinterpret_cast<TOwnedSearch*>(param);
    if (::GetWindow(wnd, GW_OWNER) == search->owner && (::GetWindowLongPtrA(wnd, GWL_STYLE) & WS_VISIBLE))
        search->found.push_back(wnd);
    return TRUE;
}

TGdiHandle<HRGN> FrameRegion(const RECT& r, SIZE size) {
    TGdiHandle<HRGN> outer(::CreateRectRgnIndirect(&r));
    TGdiHandle<HRGN> inner(::CreateRectRgn(r.left + size.cx, r.top + size.cy, r.right - size.cx, r.bottom - size.cy));
    ::CombineRgn(outer.Get(), outer.Get(), inner.Get(), RGN_DIFF);
    return outer;
}

}  // namespace

void HandleWMPrint(HWND window, TMessage& message, TNCPaintProc paintNC, TObject* control) {
    message.Result = 0;
    const HDC dc = reinterpret_cast<HDC>(message.WParam);
    const LPARAM flags = message.LParam;
    if ((flags & PRF_CHECKVISIBLE) && !::IsWindowVisible(window)) return;
    if ((flags & PRF_NONCLIENT) && paintNC) {
        const int saved = ::SaveDC(dc);
        paintNC(window, dc, control);
        ::RestoreDC(dc, saved);
    }
    if (flags & PRF_CLIENT) {
        RECT windowRect{};
        ::GetWindowRect(window, &windowRect);
        POINT client{0, 0};
        ::ClientToScreen(window, &client);
        const int saved = ::SaveDC(dc);
        ::OffsetViewportOrgEx(dc, client.x - windowRect.left, client.y - windowRect.top, nullptr);
        if (flags & PRF_ERASEBKGND) ::SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        ::SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
        ::RestoreDC(dc, saved);
    }
    if (flags & PRF_CHILDREN) {
        // Bottom of the z-order first, so that the windows on top are painted over the others.
        for (HWND child = ::GetWindow(::GetWindow(window, GW_CHILD), GW_HWNDLAST); child;
             child = ::GetWindow(child, GW_HWNDPREV))
            if (::GetWindowLongPtrA(child, GWL_STYLE) & WS_VISIBLE) PrintAt(dc, window, child);
    }
    if (flags & PRF_OWNED) {
        TOwnedSearch search{window, {}};
        ::EnumWindows(&CollectOwned, reinterpret_cast<LPARAM>(&search));
        for (auto it = search.found.rbegin(); it != search.found.rend(); ++it) PrintAt(dc, window, *it);
    }
}

void SelectNCUpdateRgn(HWND window, HDC dc, HRGN region) {
    if (reinterpret_cast<std::uintptr_t>(region) <= 1) return;
    RECT r{};
    ::GetWindowRect(window, &r);
    if (::SelectClipRgn(dc, region) == ERROR) {
        TGdiHandle<HRGN> whole(::CreateRectRgnIndirect(&r));
        ::SelectClipRgn(dc, whole.Get());
    }
    ::OffsetClipRgn(dc, -r.left, -r.top);
}

void DrawHalftoneInvertRect(HDC dc, const RECT* newRect, SIZE newSize, const RECT* oldRect, SIZE oldSize) {
    static const WORD kPattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    if (!newRect && !oldRect) return;
    TGdiHandle<HRGN> region(::CreateRectRgn(0, 0, 0, 0));
    // Where the old and the new frame overlap nothing changes: inverting the difference of the two rings
    // erases one and draws the other at once, without flicker.
    if (newRect) {
        TGdiHandle<HRGN> ring = FrameRegion(*newRect, newSize);
        ::CombineRgn(region.Get(), region.Get(), ring.Get(), RGN_XOR);
    }
    if (oldRect) {
        TGdiHandle<HRGN> ring = FrameRegion(*oldRect, oldSize);
        ::CombineRgn(region.Get(), region.Get(), ring.Get(), RGN_XOR);
    }
    TGdiHandle<HBITMAP> bits(::CreateBitmap(8, 8, 1, 1, kPattern));
    TGdiHandle<HBRUSH> brush(::CreatePatternBrush(bits.Get()));
    const int saved = ::SaveDC(dc);
    ::SelectClipRgn(dc, region.Get());
    RECT box{};
    ::GetRgnBox(region.Get(), &box);
    ::SelectObject(dc, brush.Get());
    ::PatBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, PATINVERT);
    ::RestoreDC(dc, saved);
}

}  // namespace tb
