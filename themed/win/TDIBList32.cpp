#include "themed/win/TDIBList32.h"

#include <algorithm>
#include <cstring>

#include "classlib/core/Checked.h"
#include "classlib/core/ScopeGuard.h"
#include "themed/core/AlphaPixels.h"
#include "themed/core/EDIB32Error.h"
#include "themed/core/TColorEffects.h"

namespace {

[[noreturn]] void InvalidParameters() { throw EDIB32Error("Invalid parameters"); }

// 0x00BBGGRR as a pixel's red, green and blue.
std::uint32_t RgbOf(std::uint32_t color) { return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF); }

}  // namespace

TDIBList32::TDIBList32(int width, int height, int growStep) : strip_(MakeObject<TDIB32>()) {
    SetSize(width, height, growStep);
}

TDIBList32::~TDIBList32() = default;

void TDIBList32::SetSize(int width, int height, int growStep) {
    if (width <= 0 || height <= 0) InvalidParameters();
    // One image must fit the strip's 32-bit sizes.
    CheckedMul<std::int32_t>(CheckedMul<std::int32_t>(width, height), 4);
    width_ = width;
    height_ = height;
    growStep_ = themed::DIBListGrowStep(growStep, width, height);
    Clear();
}

void TDIBList32::Clear() {
    strip_->SetSize(0, 0);
    values_.clear();
    overlays_.fill(-1);
    count_ = 0;
    capacity_ = 0;
}

void TDIBList32::Assign(const TDIBList32* source) {
    if (source == this) return;
    if (!source) {
        Clear();
        return;
    }
    width_ = source->width_;
    height_ = source->height_;
    growStep_ = source->growStep_;
    strip_->Assign(source->strip_.get());
    values_ = source->values_;
    overlays_ = source->overlays_;
    count_ = source->count_;
    capacity_ = source->capacity_;
}

bool TDIBList32::Equals(const TDIBList32* other) {
    if (!other) return false;
    if (other == this) return true;
    if (count_ != other->count_ || width_ != other->width_ || height_ != other->height_) return false;
    if (count_ == 0) return true;
    const std::size_t bytes = std::size_t(width_) * std::size_t(height_) * std::size_t(count_) * 4;
    return std::memcmp(strip_->Pixels(), other->strip_->Pixels(), bytes) == 0;
}

void TDIBList32::Insert(int position, int count) {
    if (count <= 0) return;
    if (position < 0 || position > count_) InvalidParameters();
    const int needed = CheckedAdd<std::int32_t>(count_, count);
    if (needed > capacity_) {
        const int capacity = CheckedAdd<std::int32_t>(needed, growStep_ - 1);
        // A failed resize leaves the strip as it was.
        auto keep = MakeObject<TDIB32>();
        keep->Assign(strip_.get());
        TScopeExit undo([&] { strip_->TakeOver(keep.get()); });
        strip_->SetSize(width_, CheckedMul<std::int32_t>(capacity, height_), true);
        undo.Dismiss();
        values_.resize(std::size_t(capacity), 0);
        capacity_ = capacity;
    }
    MoveImages(position, position + count, count_ - position);
    std::fill_n(values_.begin() + position, count, 0u);
    count_ = needed;
}

void TDIBList32::MoveImages(int from, int to, int count) {
    if (count <= 0 || from == to) return;
    strip_->CopyRect(strip_.get(), 0, to * height_, Bounds(0, from * height_, width_, count * height_));
    std::vector<std::uint32_t> moved(values_.begin() + from, values_.begin() + from + count);
    std::copy(moved.begin(), moved.end(), values_.begin() + to);
}

int TDIBList32::Add(TDIB32* source, const TRect& sourceRect, int index) {
    if (!source || source == strip_.get() || sourceRect.Width() != width_ || sourceRect.Height() != height_)
        InvalidParameters();
    if (index < 0 || index >= count_) index = count_;
    Insert(index, 1);
    source->CopyRect(strip_.get(), 0, index * height_, sourceRect);
    return index;
}

int TDIBList32::AddFromImageList(HIMAGELIST list, int listIndex, int index) {
    if (index < 0 || index >= count_) index = count_;
    Insert(index, 1);
    strip_->LoadFromImageList(list, listIndex, true, GetRect(index));
    return index;
}

void TDIBList32::CheckIndex(int index) const {
    if (index < 0 || index >= count_) InvalidParameters();
}

void TDIBList32::Delete(int index) {
    CheckIndex(index);
    MoveImages(index + 1, index, count_ - index - 1);
    --count_;
    for (int& overlay : overlays_) {
        if (overlay == index)
            overlay = -1;
        else if (overlay > index)
            --overlay;
    }
}

void TDIBList32::Move(int from, int to) {
    CheckIndex(from);
    CheckIndex(to);
    if (from == to) return;
    auto image = Get(from);
    const std::uint32_t value = values_[std::size_t(from)];
    if (from < to)
        MoveImages(from + 1, from, to - from);
    else
        MoveImages(to, to + 1, from - to);
    image->CopyRect(strip_.get(), 0, to * height_, image->Bounds());
    values_[std::size_t(to)] = value;
}

TObjectPtr<TDIB32> TDIBList32::Get(int index) const {
    CheckIndex(index);
    auto image = MakeObject<TDIB32>();
    image->SetSize(width_, height_);
    strip_->CopyRect(image.get(), 0, 0, GetRect(index));
    return image;
}

HICON TDIBList32::GetIcon(int index) const {
    if (index < 0 || index >= count_) return nullptr;
    return Get(index)->MakeIcon();
}

TRect TDIBList32::GetRect(int index) const { return Bounds(0, index * height_, width_, height_); }

std::uint32_t TDIBList32::Value(int index) const {
    CheckIndex(index);
    return values_[std::size_t(index)];
}

void TDIBList32::SetValue(int index, std::uint32_t value) {
    CheckIndex(index);
    values_[std::size_t(index)] = value;
}

int TDIBList32::Overlay(int slot) const {
    if (slot < 1 || slot > 15) InvalidParameters();
    return overlays_[std::size_t(slot)];
}

void TDIBList32::SetOverlay(int slot, int index) {
    if (slot < 1 || slot > 15) InvalidParameters();
    overlays_[std::size_t(slot)] = index;
}

void TDIBList32::Draw(int index, HDC dc, int x, int y, int width, int height, std::uint32_t background,
                      std::uint32_t blend, unsigned style) const {
    if (!dc || index < 0 || index >= count_) return;
    if (width <= 0 || width > width_) width = width_;
    if (height <= 0 || height > height_) height = height_;
    const RECT area{x, y, x + width, y + height};
    if (!::RectVisible(dc, &area)) return;
    if (background != dlColorNone && background != dlColorDefault && !(style & ILD_TRANSPARENT)) {
        TGdiHandle<HBRUSH> brush(::CreateSolidBrush(background & 0xFFFFFF));
        ::FillRect(dc, &area, brush.Get());
    }
    if (blend == dlColorDefault) blend = ::GetSysColor(COLOR_HIGHLIGHT);
    const TRect source = Bounds(0, index * height_, width, height);
    // Bit 0 only asks for no background; the strength is in bits 1-3.
    const unsigned strength = style & 0xE;
    if (strength == 0) {
        strip_->AlphaDraw(dc, x, y, source, 255);
    } else if (strength == ILD_BLEND25 || strength == ILD_BLEND50) {
        const unsigned alpha = strength == ILD_BLEND25 ? 64 : 128;
        const std::uint32_t tint = strength == ILD_BLEND25 ? 0x20 : 0x60;
        if (blend == dlColorNone) {
            strip_->AlphaDraw(dc, x, y, source, alpha);
        } else {
            themed::RegisterBuiltInColorEffects();
            TColorEffects effects;
            effects.Add(ceMultiply, (tint << 24) | RgbOf(blend));
            effects.Add(ceAdd, (0x20u << 24) | RgbOf(blend));
            effects.Add(ceFade, alpha);
            strip_->DrawWithEffects(dc, x, y, effects, source);
        }
    }
    const unsigned slot = (style >> 8) & 0xF;
    if (slot != 0) {
        const int overlay = overlays_[slot];
        if (overlay >= 0 && overlay < count_)
            strip_->AlphaDraw(dc, x, y, Bounds(0, overlay * height_, width, height), 255);
    }
}
