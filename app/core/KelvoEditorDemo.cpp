#include "app/core/KelvoEditorDemo.h"

#include <algorithm>
#include <cmath>
#include <limits>

bool DemoParamNumber(const TKelvoProperties& params, std::int32_t index, double& value) {
    std::int32_t integer = 0;
    if (params.GetValue(index, &integer, kpInteger, sizeof(integer))) {
        value = integer;
        return true;
    }
    return params.GetValue(index, &value, kpDouble, sizeof(value));
}

bool DemoParamText(const TKelvoProperties& params, std::int32_t index, AnsiString& value) {
    const TKelvoPropertyItem* item;
    if (!params.FindItem(index, item) || item->Type != kpString) return false;
    value.assign(item->Data.begin(), item->Data.end());
    return true;
}

namespace {

std::int32_t HeldToInt32(double value) {
    constexpr double low = std::numeric_limits<std::int32_t>::min();
    constexpr double high = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value)) return 0;
    return std::int32_t(std::clamp(std::trunc(value), low, high));
}

std::int32_t Span(std::int32_t low, std::int32_t high) {
    return std::int32_t(
        std::clamp<std::int64_t>(std::int64_t(high) - low, 0, std::numeric_limits<std::int32_t>::max()));
}

// One direction of GrowWindowToMinimum.
void GrowCentred(std::int32_t& position, std::int32_t& size, std::int32_t low, std::int32_t high, std::int32_t wanted) {
    if (size >= wanted) return;
    const std::int32_t room = Span(low, high);
    size = std::min(wanted, room);
    position = std::int32_t(low + (std::int64_t(room) - size) / 2);
}

// One direction of GrowWindowForView.
void GrowAndKeepInside(std::int32_t& position, std::int32_t& size, std::int32_t viewSize, std::int32_t low,
                       std::int32_t high, std::int32_t wanted) {
    std::int64_t grown = size;
    if (viewSize < wanted) grown += std::int64_t(wanted) - viewSize;
    const std::int32_t room = Span(low, high);
    if (position < low || position + grown > high) position = low;
    size = std::int32_t(std::min<std::int64_t>(grown, room));
}

}  // namespace

bool DemoSizeParams(const TKelvoProperties& params, std::int32_t& width, std::int32_t& height) {
    double w = 0, h = 0;
    if (params.GetCount() != 2 || !DemoParamNumber(params, 0, w) || !DemoParamNumber(params, 1, h)) return false;
    width = HeldToInt32(w);
    height = HeldToInt32(h);
    return true;
}

TKelvoWindowBounds GrowWindowToMinimum(TKelvoWindowBounds window, const TKelvoRect& workArea, std::int32_t width,
                                       std::int32_t height) {
    GrowCentred(window.Left, window.Width, workArea.Left, workArea.Right, width);
    GrowCentred(window.Top, window.Height, workArea.Top, workArea.Bottom, height);
    return window;
}

TKelvoWindowBounds GrowWindowForView(TKelvoWindowBounds window, std::int32_t viewWidth, std::int32_t viewHeight,
                                     const TKelvoRect& workArea, std::int32_t width, std::int32_t height) {
    GrowAndKeepInside(window.Left, window.Width, viewWidth, workArea.Left, workArea.Right, width);
    GrowAndKeepInside(window.Top, window.Height, viewHeight, workArea.Top, workArea.Bottom, height);
    return window;
}
