#include "themed/win/TDIB32.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "classlib/core/Checked.h"
#include "classlib/core/FileSystem.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/DibSection.h"
#include "themed/core/AlphaPixels.h"
#include "themed/core/EDIB32Error.h"
#include "themed/core/Resample32.h"
#include "themed/core/TColorEffects.h"

namespace {

// Areas up to this size go through one scratch bitmap at once; larger ones row by row.
constexpr int kWholeAreaLimit = 64;

TRect Intersect(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
    if (r.IsEmpty()) return TRect{};
    return r;
}

// The source rectangle clipped to sourceBounds and its place at (x, y) clipped to targetBounds; both
// come back of equal size (empty when nothing is left).
struct TClippedCopy {
    TRect source;
    TPoint target;
};

TClippedCopy ClipCopy(const TRect& source, const TRect& sourceBounds, int x, int y, const TRect& targetBounds) {
    TRect s = Intersect(source, sourceBounds);
    if (s.IsEmpty()) return {};
    // Where the clipped source lands: moved with the part cut off its top-left.
    TRect t = Bounds(x + (s.Left - source.Left), y + (s.Top - source.Top), s.Width(), s.Height());
    const TRect visible = Intersect(t, targetBounds);
    if (visible.IsEmpty()) return {};
    s = Bounds(s.Left + (visible.Left - t.Left), s.Top + (visible.Top - t.Top), visible.Width(), visible.Height());
    return {s, visible.TopLeft()};
}

TRect ClipBox(HDC dc) {
    RECT box{};
    const int kind = ::GetClipBox(dc, &box);
    if (kind != SIMPLEREGION && kind != COMPLEXREGION) return TRect{};
    return TRect{box.left, box.top, box.right, box.bottom};
}

std::uint32_t PixelOf(COLORREF color) {
    return 0xFF000000u | (std::uint32_t(GetRValue(color)) << 16) | (std::uint32_t(GetGValue(color)) << 8) |
           GetBValue(color);
}

}  // namespace

TDIB32::TDIB32() = default;

TDIB32::~TDIB32() { Release(); }

void TDIB32::Release() {
    dc_.Reset();
    section_.Reset();
    bits_ = nullptr;
    width_ = 0;
    height_ = 0;
}

std::uint32_t* TDIB32::Pixels() {
    if (bits_) ::GdiFlush();
    return bits_;
}

void TDIB32::SetSize(int width, int height, bool keepContent) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    TObjectPtr<TDIB32> old;
    if (keepContent && !Empty()) old = Clone();
    Release();
    if (width == 0 || height == 0) return;
    // Sized in 64 bits: the system takes the pixel count of a too-large request as an error, never wraps.
    CheckedMul<std::int32_t>(CheckedMul<std::int32_t>(width, height), 4);
    void* bits = nullptr;
    section_ = CreateTopDownDibSection(width, height, 32, bits);
    if (!section_) {
        const DWORD error = ::GetLastError();
        throw EOSError("Cannot create a bitmap: " + SysErrorMessage(error), error);
    }
    TScopeExit undo([this] { section_.Reset(); });
    dc_ = TMemoryDC(section_.Get());
    undo.Dismiss();
    bits_ = static_cast<std::uint32_t*>(bits);
    width_ = width;
    height_ = height;
    if (old) old->CopyRect(this, 0, 0, old->Bounds());
}

void TDIB32::Fill(std::uint32_t value) { FillRect(Bounds(), value); }

void TDIB32::FillRect(const TRect& rect, std::uint32_t value) {
    const TRect r = Intersect(rect, Bounds());
    if (r.IsEmpty()) return;
    for (int y = r.Top; y < r.Bottom; ++y) std::fill_n(Row(y) + r.Left, r.Width(), value);
}

void TDIB32::Assign(const TDIB32* source) {
    if (source == this) return;
    if (!source || source->Empty()) {
        SetSize(0, 0);
        return;
    }
    SetSize(source->width_, source->height_);
    ::GdiFlush();
    std::memcpy(Pixels(), source->bits_, std::size_t(width_) * std::size_t(height_) * 4);
}

TObjectPtr<TDIB32> TDIB32::Clone() {
    auto copy = MakeObject<TDIB32>();
    copy->TakeOver(this);
    return copy;
}

void TDIB32::TakeOver(TDIB32* source) {
    if (!source || source == this) throw EDIB32Error("Invalid parameters");
    Release();
    section_ = std::move(source->section_);
    dc_ = std::move(source->dc_);
    bits_ = std::exchange(source->bits_, nullptr);
    width_ = std::exchange(source->width_, 0);
    height_ = std::exchange(source->height_, 0);
}

// ---- plain copies ----

void TDIB32::Draw(HDC dc, const TRect& target) const { Draw(dc, target, Bounds()); }

void TDIB32::Draw(HDC dc, int x, int y, const TRect& source) const {
    if (!dc || !bits_) return;
    ::BitBlt(dc, x, y, source.Width(), source.Height(), dc_.Get(), source.Left, source.Top, SRCCOPY);
}

void TDIB32::Draw(HDC dc, const TRect& target, const TRect& source) const {
    if (!dc || !bits_) return;
    ::StretchBlt(dc, target.Left, target.Top, target.Width(), target.Height(), dc_.Get(), source.Left, source.Top,
                 source.Width(), source.Height(), SRCCOPY);
}

void TDIB32::CopyRect(TDIB32* target, int x, int y, const TRect& source, bool exchange) {
    if (!target) return;
    const TClippedCopy c = ClipCopy(source, Bounds(), x, y, target->Bounds());
    if (c.source.IsEmpty()) return;
    const std::size_t n = std::size_t(c.source.Width());
    std::vector<std::uint32_t> swap(exchange ? n : 0);
    // Within one bitmap a move downwards goes bottom row first, so no row is overwritten before it is read.
    const bool bottomFirst = target == this && c.target.Y > c.source.Top;
    for (int i = 0; i < c.source.Height(); ++i) {
        const int row = bottomFirst ? c.source.Height() - 1 - i : i;
        std::uint32_t* from = Row(c.source.Top + row) + c.source.Left;
        std::uint32_t* to = target->Row(c.target.Y + row) + c.target.X;
        if (exchange) {
            std::memcpy(swap.data(), to, n * 4);
            std::memmove(to, from, n * 4);
            std::memcpy(from, swap.data(), n * 4);
        } else {
            std::memmove(to, from, n * 4);
        }
    }
}

void TDIB32::AlphaCompose(TDIB32* target, int x, int y, const TRect& source, unsigned constantAlpha) {
    if (!target || constantAlpha == 0) return;
    const TClippedCopy c = ClipCopy(source, Bounds(), x, y, target->Bounds());
    for (int row = 0; row < c.source.Height(); ++row)
        themed::BlendRow(Row(c.source.Top + row) + c.source.Left, target->Row(c.target.Y + row) + c.target.X,
                         c.source.Width(), std::min(constantAlpha, 255u));
}

// ---- composing into a context ----

template <class RowOp>
void TDIB32::ComposeIntoDC(HDC dc, int x, int y, const TRect& source, RowOp op) {
    if (!dc || Empty()) return;
    const TRect clip = ClipBox(dc);
    if (clip.IsEmpty()) return;
    const TClippedCopy c = ClipCopy(source, Bounds(), x, y, clip);
    const TRect& s = c.source;
    if (s.IsEmpty()) return;
    const bool whole = s.Width() <= kWholeAreaLimit && s.Height() <= kWholeAreaLimit;
    TDIB32 scratch;
    scratch.SetSize(s.Width(), whole ? s.Height() : 1);
    for (int row = 0; row < s.Height(); row += scratch.height_) {
        const int rows = scratch.height_;
        ::BitBlt(scratch.dc_.Get(), 0, 0, s.Width(), rows, dc, c.target.X, c.target.Y + row, SRCCOPY);
        for (int r = 0; r < rows; ++r) op(Row(s.Top + row + r) + s.Left, scratch.Row(r), s.Width());
        ::BitBlt(dc, c.target.X, c.target.Y + row, s.Width(), rows, scratch.dc_.Get(), 0, 0, SRCCOPY);
    }
    ::GdiFlush();
}

void TDIB32::AlphaDraw(HDC dc, int x, int y, const TRect& source, unsigned constantAlpha) {
    if (constantAlpha == 0) return;
    const unsigned alpha = std::min(constantAlpha, 255u);
    ComposeIntoDC(dc, x, y, source, [alpha](const std::uint32_t* from, std::uint32_t* to, int n) {
        themed::BlendRow(from, to, n, alpha);
    });
}

void TDIB32::DrawWithEffects(HDC dc, int x, int y, const TColorEffects& effects, const TRect& source) {
    ComposeIntoDC(dc, x, y, source,
                  [&effects](const std::uint32_t* from, std::uint32_t* to, int n) { effects.ApplyRow(from, to, n); });
}

void TDIB32::DrawDisabled(HDC dc, int x, int y, const TRect& source) {
    const TRect s = Intersect(source, Bounds());
    if (!dc || s.IsEmpty()) return;
    TDIB32 mask;
    mask.SetSize(s.Width(), s.Height());
    std::vector<std::uint8_t> alphas(std::size_t(s.Width()) * std::size_t(s.Height()));
    for (int row = 0; row < s.Height(); ++row)
        for (int col = 0; col < s.Width(); ++col)
            alphas[std::size_t(row) * std::size_t(s.Width()) + std::size_t(col)] =
                themed::DisabledMaskAlpha(Row(s.Top + row)[s.Left + col]);
    const auto paint = [&](int colorIndex, int at) {
        const std::uint32_t colour = PixelOf(::GetSysColor(colorIndex)) & 0xFFFFFFu;
        std::uint32_t* p = mask.Pixels();
        for (std::size_t i = 0; i < alphas.size(); ++i) p[i] = (std::uint32_t(alphas[i]) << 24) | colour;
        mask.AlphaDraw(dc, x + at, y + at, mask.Bounds());
    };
    paint(COLOR_BTNHIGHLIGHT, 1);
    paint(COLOR_BTNSHADOW, 0);
}

void TDIB32::ResampleInto(TDIB32* target, const TRect& targetRect, const TRect& source, bool compose) {
    const TRect s = Intersect(source, Bounds());
    if (!target || s.IsEmpty() || targetRect.IsEmpty()) return;
    // Both sides go through packed copies: the resampler takes whole images.
    std::vector<std::uint32_t> from(std::size_t(s.Width()) * std::size_t(s.Height()));
    for (int row = 0; row < s.Height(); ++row)
        std::memcpy(&from[std::size_t(row) * std::size_t(s.Width())], Row(s.Top + row) + s.Left,
                    std::size_t(s.Width()) * 4);
    TDIB32 result;
    result.SetSize(targetRect.Width(), targetRect.Height());
    themed::ResamplePixels(from.data(), s.Width(), s.Height(), result.Pixels(), result.width_, result.height_, false);
    if (compose)
        result.AlphaCompose(target, targetRect.Left, targetRect.Top, result.Bounds(), 255);
    else
        result.CopyRect(target, targetRect.Left, targetRect.Top, result.Bounds());
}

void TDIB32::StretchDraw(HDC dc, const TRect& target, unsigned flags, const TRect& source) {
    if (!dc || Empty() || target.IsEmpty()) return;
    const RECT r{target.Left, target.Top, target.Right, target.Bottom};
    if (!::RectVisible(dc, &r)) return;
    const bool alpha = (flags & 0xFF) == sdAlpha;
    const bool resample = (flags & 0xF00) != 0;
    if (target.Width() == source.Width() && target.Height() == source.Height()) {
        if (alpha)
            AlphaDraw(dc, target.Left, target.Top, source, 255);
        else
            Draw(dc, target.Left, target.Top, source);
        return;
    }
    if (!alpha && !resample) {
        Draw(dc, target, source);
        return;
    }
    const TRect visible = Intersect(ClipBox(dc), target);
    if (visible.IsEmpty()) return;
    // The whole target is resampled (weights depend on the full scale), then only its visible part drawn.
    TDIB32 scaled;
    scaled.SetSize(target.Width(), target.Height());
    ResampleInto(&scaled, scaled.Bounds(), source, false);
    const TRect part{visible.Left - target.Left, visible.Top - target.Top, visible.Right - target.Left,
                     visible.Bottom - target.Top};
    if (alpha)
        scaled.AlphaDraw(dc, visible.Left, visible.Top, part, 255);
    else
        scaled.Draw(dc, visible.Left, visible.Top, part);
}

// ---- system image lists and icons ----

void TDIB32::LoadFromImageList(HIMAGELIST list, int index, bool deriveAlpha, const TRect& rect) {
    const TRect r = Intersect(rect, Bounds());
    if (!list || r.IsEmpty()) return;
    FillRect(r, 0xFF000000u);
    ::ImageList_DrawEx(list, index, dc_.Get(), r.Left, r.Top, r.Width(), r.Height(), CLR_NONE, CLR_NONE,
                       ILD_TRANSPARENT);
    ::GdiFlush();
    if (!deriveAlpha) return;
    TDIB32 onWhite;
    onWhite.SetSize(r.Width(), r.Height());
    onWhite.Fill(0xFFFFFFFFu);
    ::ImageList_DrawEx(list, index, onWhite.dc_.Get(), 0, 0, r.Width(), r.Height(), CLR_NONE, CLR_NONE,
                       ILD_TRANSPARENT);
    for (int row = 0; row < r.Height(); ++row) {
        std::uint32_t* black = Row(r.Top + row) + r.Left;
        const std::uint32_t* white = onWhite.Row(row);
        // The system may or may not write the alpha byte: only the colours count.
        for (int col = 0; col < r.Width(); ++col)
            black[col] = themed::DeriveAlphaPixel(black[col] | 0xFF000000u, white[col] | 0xFF000000u);
    }
}

HICON TDIB32::MakeIcon(bool icon, int hotX, int hotY) {
    if (!bits_) return nullptr;
    // An all-zero mask: the colour bitmap's alpha decides what shows.
    const std::size_t maskRow = std::size_t((width_ + 15) / 16 * 2);
    std::vector<std::uint8_t> zeros(maskRow * std::size_t(height_), 0);
    TGdiHandle<HBITMAP> mask(::CreateBitmap(width_, height_, 1, 1, zeros.data()));
    if (!mask) return nullptr;
    ICONINFO info{};
    info.fIcon = icon ? TRUE : FALSE;
    info.xHotspot = DWORD(hotX);
    info.yHotspot = DWORD(hotY);
    info.hbmMask = mask.Get();
    info.hbmColor = section_.Get();
    // The system reads the colour bitmap's bits, which it may refuse while the bitmap is selected.
    dc_.Deselect();
    HICON result = ::CreateIconIndirect(&info);
    dc_.Select(section_.Get());
    return result;
}
