#include "app/win/TKelvoViewCanvas.h"

#include <algorithm>

#include "classlib/core/ScopeGuard.h"
#include "classlib/win/DibSection.h"

namespace {

RECT ToRECT(const TKelvoRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

}  // namespace

TKelvoViewCanvas::TKelvoViewCanvas() : canvas_(MakeObject<TCanvas>()) {}

TKelvoViewCanvas::~TKelvoViewCanvas() {
    canvas_->SetHandle(nullptr);
    ReleaseBuffer();
}

bool TKelvoViewCanvas::EnsureBuffer(std::int32_t width, std::int32_t height) {
    if (section_ && width <= sectionWidth_ && height <= sectionHeight_) return true;
    // Grow to the larger of what was there and what is asked, so that paints of different corners do not
    // make the buffer again and again.
    const std::int32_t w = std::max(width, sectionWidth_), h = std::max(height, sectionHeight_);
    ReleaseBuffer();
    if (!memoryDC_) {
        try {
            memoryDC_ = TMemoryDC(nullptr);
        } catch (const EOutOfResources&) {
            return false;
        }
    }
    void* bits = nullptr;
    section_ = CreateTopDownDibSection(w, h, 24, bits);
    if (!section_) return false;
    memoryDC_.Select(section_.Get());
    bits_ = static_cast<Byte*>(bits);
    sectionWidth_ = w;
    sectionHeight_ = h;
    return true;
}

void TKelvoViewCanvas::ReleaseBuffer() {
    memoryDC_.Deselect();
    section_.Reset();
    bits_ = nullptr;
    sectionWidth_ = sectionHeight_ = 0;
}

bool TKelvoViewCanvas::BeginPaint(HWND window) {
    if (!update_) update_.Reset(::CreateRectRgn(0, 0, 0, 0));
    if (!update_) return false;
    const int kind = ::GetUpdateRgn(window, update_.Get(), FALSE);
    if (kind == NULLREGION || kind == ERROR) {
        // Nothing to paint; validated all the same, or the system would send WM_PAINT again and again.
        ::ValidateRect(window, nullptr);
        return false;
    }
    RECT box{};
    ::GetRgnBox(update_.Get(), &box);
    paintDC_ = ::BeginPaint(window, &paint_);
    window_ = window;
    box_ = TKelvoRect{box.left, box.top, box.right, box.bottom};
    if (paintDC_ == nullptr || box.right <= 0 || box.bottom <= 0 || !EnsureBuffer(box.right, box.bottom)) {
        ::EndPaint(window, &paint_);
        paintDC_ = nullptr;
        window_ = nullptr;
        return false;
    }
    const std::int32_t stride = PixelRowStride(KelvoFormatBGR24, sectionWidth_);
    pixels_.Init(TKelvoRect{0, 0, box.right, box.bottom}, bits_, KelvoFormatBGR24, stride);
    ::SelectClipRgn(memoryDC_.Get(), update_.Get());
    canvas_->SetHandle(memoryDC_.Get());
    depth_ = 0;
    return true;
}

void TKelvoViewCanvas::EndPaint() {
    if (window_ == nullptr) return;
    TScopeExit end([&] {
        canvas_->SetHandle(nullptr);
        ::SelectClipRgn(memoryDC_.Get(), nullptr);
        ::EndPaint(window_, &paint_);
        window_ = nullptr;
        paintDC_ = nullptr;
        depth_ = 0;
        ::SetRectRgn(update_.Get(), 0, 0, 0, 0);
        pixels_.Init(TKelvoRect{}, nullptr, KelvoFormatBGR24, 0);
    });
    ::GdiFlush();
    ::BitBlt(paintDC_, box_.Left, box_.Top, std::int32_t(box_.Width()), std::int32_t(box_.Height()), memoryDC_.Get(),
             box_.Left, box_.Top, SRCCOPY);
}

void TKelvoViewCanvas::PushState(TKelvoViewObject* object) {
    if (depth_ == int(stack_.size())) stack_.emplace_back();
    TClipEntry& entry = stack_[std::size_t(depth_)];
    if (!entry.Region) entry.Region.Reset(::CreateRectRgn(0, 0, 0, 0));
    entry.Object = object;
    entry.HadClip = entry.Region && ::GetClipRgn(memoryDC_.Get(), entry.Region.Get()) == 1;
    ++depth_;
}

bool TKelvoViewCanvas::PopState(TKelvoViewObject*& object) {
    if (depth_ == 0) return false;
    TClipEntry& entry = stack_[std::size_t(--depth_)];
    ::SelectClipRgn(memoryDC_.Get(), entry.HadClip ? entry.Region.Get() : nullptr);
    object = entry.Object;
    entry.Object = nullptr;
    return true;
}

bool TKelvoViewCanvas::ClipMeets(const TKelvoRect& rect) const {
    if (rect.IsEmpty()) return false;
    const RECT r = ToRECT(rect);
    return ::RectVisible(memoryDC_.Get(), &r) != FALSE;
}

bool TKelvoViewCanvas::ClipIsEmpty() const {
    RECT box{};
    return ::GetClipBox(memoryDC_.Get(), &box) == NULLREGION;
}

TKelvoRect TKelvoViewCanvas::ClipBox() const {
    RECT box{};
    if (::GetClipBox(memoryDC_.Get(), &box) == NULLREGION) return TKelvoRect{};
    return TKelvoRect{box.left, box.top, box.right, box.bottom};
}

void TKelvoViewCanvas::ExcludeFromClip(const TKelvoRect& rect) {
    if (!rect.IsEmpty()) ::ExcludeClipRect(memoryDC_.Get(), rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void TKelvoViewCanvas::FillBackground() {
    RECT box{};
    if (::GetClipBox(memoryDC_.Get(), &box) == NULLREGION) return;
    TGdiHandle<HBRUSH> brush(::CreateSolidBrush(background_));
    if (brush) ::FillRect(memoryDC_.Get(), &box, brush.Get());
}
