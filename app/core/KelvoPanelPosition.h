// The tool panel's place and size as the state file keeps them: a packed 47-byte little-endian record. Only the
// fields of the state in force (floating or docked) carry values; the others are written as zeros, so that two
// runs that change nothing write the same file.
#pragma once
#include <array>
#include <cstdint>
#include <optional>

inline constexpr std::uint32_t KelvoPanelPositionSize = 47;

// Dock positions as the record stores them.
enum class TKelvoPanelDock : std::uint8_t { Top = 0, Bottom = 1, Left = 2, Right = 3 };

struct TKelvoPanelPosition {
    bool Visible = false;
    bool Floating = false;
    // While floating.
    std::int32_t FloatingX = 0;
    std::int32_t FloatingY = 0;
    std::int32_t FloatingWidth = 0;
    std::int32_t FloatingHeight = 0;
    // While docked.
    TKelvoPanelDock Dock = TKelvoPanelDock::Right;
    std::int32_t DockPos = 0;
    std::int32_t DockRow = 0;
    std::int32_t DockedWidth = 0;
    std::int32_t DockedHeight = 0;
    std::int32_t SplitWidth = 0;
    std::int32_t SplitHeight = 0;
};

using TKelvoPanelPositionBytes = std::array<std::uint8_t, KelvoPanelPositionSize>;

TKelvoPanelPositionBytes PackPanelPosition(const TKelvoPanelPosition& position);
// None unless there are exactly 47 bytes whose size field says 47 and whose dock position (when docked) is one
// of the four.
std::optional<TKelvoPanelPosition> UnpackPanelPosition(const std::uint8_t* bytes, std::size_t count);
