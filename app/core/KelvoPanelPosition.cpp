#include "app/core/KelvoPanelPosition.h"

namespace {

// Offsets of the record's fields.
constexpr std::size_t kSize = 0, kVisible = 4, kFloating = 5, kFloatingX = 6, kFloatingY = 10, kFloatingWidth = 14,
                      kFloatingHeight = 18, kDock = 22, kDockPos = 23, kDockRow = 27, kDockedWidth = 31,
                      kDockedHeight = 35, kSplitWidth = 39, kSplitHeight = 43;

void Put(TKelvoPanelPositionBytes& bytes, std::size_t at, std::int32_t value) {
    const auto v = std::uint32_t(value);
    for (int i = 0; i < 4; ++i) bytes[at + i] = std::uint8_t(v >> (8 * i));
}

std::int32_t Get(const std::uint8_t* bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t(bytes[at + i]) << (8 * i);
    return std::int32_t(v);
}

}  // namespace

TKelvoPanelPositionBytes PackPanelPosition(const TKelvoPanelPosition& p) {
    TKelvoPanelPositionBytes bytes{};
    Put(bytes, kSize, KelvoPanelPositionSize);
    bytes[kVisible] = p.Visible ? 1 : 0;
    bytes[kFloating] = p.Floating ? 1 : 0;
    if (p.Floating) {
        Put(bytes, kFloatingX, p.FloatingX);
        Put(bytes, kFloatingY, p.FloatingY);
        Put(bytes, kFloatingWidth, p.FloatingWidth);
        Put(bytes, kFloatingHeight, p.FloatingHeight);
    } else {
        bytes[kDock] = std::uint8_t(p.Dock);
        Put(bytes, kDockPos, p.DockPos);
        Put(bytes, kDockRow, p.DockRow);
        Put(bytes, kDockedWidth, p.DockedWidth);
        Put(bytes, kDockedHeight, p.DockedHeight);
        Put(bytes, kSplitWidth, p.SplitWidth);
        Put(bytes, kSplitHeight, p.SplitHeight);
    }
    return bytes;
}

std::optional<TKelvoPanelPosition> UnpackPanelPosition(const std::uint8_t* bytes, std::size_t count) {
    if (count != KelvoPanelPositionSize || Get(bytes, kSize) != std::int32_t(KelvoPanelPositionSize))
        return std::nullopt;
    TKelvoPanelPosition p;
    p.Visible = bytes[kVisible] != 0;
    p.Floating = bytes[kFloating] != 0;
    if (p.Floating) {
        p.FloatingX = Get(bytes, kFloatingX);
        p.FloatingY = Get(bytes, kFloatingY);
        p.FloatingWidth = Get(bytes, kFloatingWidth);
        p.FloatingHeight = Get(bytes, kFloatingHeight);
    } else {
        if (bytes[kDock] > std::uint8_t(TKelvoPanelDock::Right)) return std::nullopt;
        p.Dock = TKelvoPanelDock(bytes[kDock]);
        p.DockPos = Get(bytes, kDockPos);
        p.DockRow = Get(bytes, kDockRow);
        p.DockedWidth = Get(bytes, kDockedWidth);
        p.DockedHeight = Get(bytes, kDockedHeight);
        p.SplitWidth = Get(bytes, kSplitWidth);
        p.SplitHeight = Get(bytes, kSplitHeight);
    }
    return p;
}
