#include "themed/win/TShadow.h"

#include "classlib/win/TApplication.h"
#include "themed/core/ShadowGeometry.h"
#include "themed/win/SkinResources.h"
#include "themed/win/TDIB32.h"
#include "toolbar/win/SystemSettings.h"

namespace {

constexpr const char* kShadowClass = "VantorelShadow";
constexpr const char* kShadowSaveBitsClass = "VantorelShadowSaveBits";

const char* ShadowClass(bool saveBits) {
    static bool registered = false;
    if (!registered) {
        HINSTANCE module = ::GetModuleHandleA(nullptr);
        for (bool sb : {false, true}) {
            WNDCLASSA c{};
            c.style = sb ? CS_SAVEBITS : 0;
            c.lpfnWndProc = &::DefWindowProcA;
            c.hInstance = module;
            c.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
            c.lpszClassName = sb ? kShadowSaveBitsClass : kShadowClass;
            ::RegisterClassA(&c);
        }
        registered = true;
    }
    return saveBits ? kShadowSaveBitsClass : kShadowClass;
}

void FillAlpha(TDIB32& dib, const std::vector<std::uint8_t>& alpha) {
    std::uint32_t* p = dib.Pixels();
    if (!p) return;
    for (std::size_t i = 0; i < alpha.size(); ++i) p[i] = std::uint32_t(alpha[i]) << 24;
}

}  // namespace

TShadow::TShadow(const TRect& bounds, unsigned ends, bool noAlpha, std::uint8_t opacity, bool saveBits)
    : bounds_(bounds),
      ends_(ends),
      opacity_(opacity),
      mode_(skin::ChooseShadowMode(noAlpha, skin::BoundUpdateLayeredWindow() != nullptr,
                                   skin::BoundAlphaBlend() != nullptr)) {
    HWND owner = Application ? Application->Handle() : nullptr;
    window_ = ::CreateWindowExA(WS_EX_TOOLWINDOW, ShadowClass(saveBits), "", WS_POPUP, bounds.Left, bounds.Top,
                                bounds.Width(), bounds.Height(), owner, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (!window_) return;
    ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TShadow::WndProc));
}

TShadow::~TShadow() {
    if (window_) {
        ::SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&::DefWindowProcA));
        ::DestroyWindow(window_);
    }
}

void TShadow::BuildBitmap(TDIB32& dib) {
    dib.SetSize(bounds_.Width(), bounds_.Height());
    FillShadowBitmap(dib);
}

void TShadow::Show() {
    if (!window_) return;
    if (mode_ == 1) {
        ::SetWindowLongPtrA(window_, GWL_EXSTYLE, ::GetWindowLongPtrA(window_, GWL_EXSTYLE) | WS_EX_LAYERED);
        TDIB32 dib;
        BuildBitmap(dib);
        if (!dib.Empty()) {
            POINT position{bounds_.Left, bounds_.Top};
            SIZE size{bounds_.Width(), bounds_.Height()};
            POINT origin{0, 0};
            BLENDFUNCTION blend{AC_SRC_OVER, 0, opacity_, AC_SRC_ALPHA};
            skin::BoundUpdateLayeredWindow()(window_, nullptr, &position, &size, dib.DC(), &origin, 0, &blend,
                                             ULW_ALPHA);
        }
    }
    ::ShowWindow(window_, SW_SHOWNOACTIVATE);
}

void TShadow::EraseBackground(HDC dc) {
    RECT client{0, 0, bounds_.Width(), bounds_.Height()};
    if (mode_ == 2) {
        // What lies below is painted first; the shadow's alpha then darkens it.
        tb::ProcessPaintMessages();
        TDIB32 dib;
        BuildBitmap(dib);
        if (!dib.Empty()) {
            BLENDFUNCTION blend{AC_SRC_OVER, 0, opacity_, AC_SRC_ALPHA};
            skin::BoundAlphaBlend()(dc, 0, 0, dib.Width(), dib.Height(), dib.DC(), 0, 0, dib.Width(), dib.Height(),
                                    blend);
        }
        return;
    }
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNSHADOW));
}

LRESULT CALLBACK TShadow::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TShadow*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA));
    switch (msg) {
        case WM_NCHITTEST: return HTTRANSPARENT;
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_ERASEBKGND:
            if (self) self->EraseBackground(reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            ::BeginPaint(wnd, &ps);
            ::EndPaint(wnd, &ps);
            return 0;
        }
        default: return ::DefWindowProcA(wnd, msg, wParam, lParam);
    }
}

void THorzShadow::FillShadowBitmap(TDIB32& dib) {
    FillAlpha(dib, skin::HorzShadowAlpha(dib.Width(), dib.Height(), Ends()));
}

void TVertShadow::FillShadowBitmap(TDIB32& dib) {
    FillAlpha(dib, skin::VertShadowAlpha(dib.Width(), dib.Height(), Ends()));
}

TShadows::TShadows(const TRect& popup, const TRect& opener, bool noAlpha, std::uint8_t opacity, int size) {
    const int s = skin::EffectiveShadowSize(size, noAlpha, skin::BoundUpdateLayeredWindow() != nullptr,
                                            skin::BoundAlphaBlend() != nullptr);
    for (const skin::TShadowPiece& p : skin::ShadowPieces(popup, opener, s)) {
        TObjectPtr<TShadow> piece;
        if (p.horizontal)
            piece = MakeObject<THorzShadow>(p.bounds, p.ends, noAlpha, opacity, true);
        else
            piece = MakeObject<TVertShadow>(p.bounds, p.ends, noAlpha, opacity, true);
        piece->Show();
        pieces_.push_back(std::move(piece));
    }
}

void TShadows::SetZOrder(HWND wndAfter) {
    for (const auto& p : pieces_) {
        if (p->Handle())
            ::SetWindowPos(p->Handle(), wndAfter, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
}
