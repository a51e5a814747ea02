// The main window's node of the state file: where the window was and which language was in force. What the
// file holds is checked before anything of it reaches the window or the localizer, because a damaged or
// foreign state file must never hide the window, put it off every screen or stop the state walk.
#pragma once
#include <cstdint>
#include <optional>

#include "app/core/KelvoGeometry.h"
#include "classlib/core/TGUID.h"

class TKelvoSDFReader;
class TKelvoSDFWriter;

// The 44 bytes of the system's window placement as its call returns them, in the same order.
struct TKelvoWindowPlacement {
    std::uint32_t Length = 44;
    std::uint32_t Flags = 0;
    std::uint32_t ShowCmd = 1;
    TKelvoPoint MinPosition;
    TKelvoPoint MaxPosition;
    TKelvoRect NormalPosition;  // workspace coordinates of the restored window
};
static_assert(sizeof(TKelvoWindowPlacement) == 44);

inline constexpr std::uint32_t KelvoShowNormal = 1;     // SW_SHOWNORMAL
inline constexpr std::uint32_t KelvoShowMaximized = 3;  // SW_SHOWMAXIMIZED

inline constexpr std::uint32_t KelvoMainWindowNodeId = 1;
inline constexpr TGUID KelvoMainWindowNodeKey = TGUID::Parse("{7AF6D7FF-618B-41D9-882E-419D500DF28B}");

// What the node held that may be used.
struct TKelvoMainWindowState {
    std::optional<TKelvoWindowPlacement> Placement;  // 44 bytes with a length field of 44
    std::optional<std::uint16_t> LanguageId;         // 1..65535; whether such a language exists is the localizer's
};

// Reads the node when it is there and always leaves the reader where it was, whatever the items hold.
TKelvoMainWindowState ReadMainWindowState(TKelvoSDFReader& reader);
// Item 2 the placement, then item 1 the language id.
void WriteMainWindowState(TKelvoSDFWriter& writer, const TKelvoWindowPlacement& placement, std::uint16_t languageId);

// The placement to apply inside the given work area (same coordinates as the normal rectangle), or none when the
// stored one cannot be used (an empty or inverted rectangle). Only maximized and normal survive (minimized,
// hidden or unknown show states become normal); the normal rectangle shrinks to the work area when larger and
// moves inside it.
std::optional<TKelvoWindowPlacement> UsablePlacement(const TKelvoWindowPlacement& stored, const TKelvoRect& workArea);
