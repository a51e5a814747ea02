#include "app/core/KelvoMainWindowState.h"

#include <algorithm>

#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "classlib/core/ScopeGuard.h"

namespace {

constexpr std::uint32_t kLanguageItem = 1;
constexpr std::uint32_t kPlacementItem = 2;

// Moves [start, start + length) inside [low, high), shrinking it first when it is longer.
void FitSpan(std::int32_t& start, std::int32_t& end, std::int32_t low, std::int32_t high) {
    const std::int64_t length = std::min<std::int64_t>(std::int64_t(end) - start, std::int64_t(high) - low);
    const std::int64_t first = std::clamp<std::int64_t>(start, low, high - length);
    start = std::int32_t(first);
    end = std::int32_t(first + length);
}

}  // namespace

TKelvoMainWindowState ReadMainWindowState(TKelvoSDFReader& reader) {
    TKelvoMainWindowState state;
    if (!reader.OpenNode(KelvoMainWindowNodeId, KelvoMainWindowNodeKey)) return state;
    TScopeExit close([&] { reader.CloseNode(); });
    TKelvoWindowPlacement placement;
    if (reader.ReadBinary(kPlacementItem, &placement, sizeof(placement)) && placement.Length == sizeof(placement))
        state.Placement = placement;
    std::int32_t language = 0;
    if (reader.ReadInteger(kLanguageItem, language) && language >= 1 && language <= 65535)
        state.LanguageId = std::uint16_t(language);
    return state;
}

void WriteMainWindowState(TKelvoSDFWriter& writer, const TKelvoWindowPlacement& placement, std::uint16_t languageId) {
    writer.BeginNode(KelvoMainWindowNodeId, KelvoMainWindowNodeKey);
    writer.WriteBinary(kPlacementItem, &placement, sizeof(placement));
    writer.WriteInteger(kLanguageItem, languageId);
    writer.EndNode();
}

std::optional<TKelvoWindowPlacement> UsablePlacement(const TKelvoWindowPlacement& stored, const TKelvoRect& workArea) {
    if (stored.Length != sizeof(TKelvoWindowPlacement) || stored.NormalPosition.IsEmpty() || workArea.IsEmpty())
        return std::nullopt;
    TKelvoWindowPlacement placement = stored;
    // A window that comes back minimized or hidden looks to the user as if the program had not started.
    placement.ShowCmd = stored.ShowCmd == KelvoShowMaximized ? KelvoShowMaximized : KelvoShowNormal;
    // The minimized and maximized positions of another session are not used again.
    placement.Flags = 0;
    TKelvoRect& r = placement.NormalPosition;
    FitSpan(r.Left, r.Right, workArea.Left, workArea.Right);
    FitSpan(r.Top, r.Bottom, workArea.Top, workArea.Bottom);
    return placement;
}
