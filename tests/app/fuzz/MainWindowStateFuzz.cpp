// Arbitrary bytes as the state file's main window node and as the tool panel's record: the checks that keep what
// a damaged file holds away from the window, and the work area every usable placement ends inside.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/core/KelvoMainWindowState.h"
#include "app/core/KelvoPanelPosition.h"
#include "app/core/TKelvoSDFReader.h"
#include "classlib/core/Stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<Byte> copy(data, data + size);
    TCustomMemoryStream view;
    view.SetPointer(copy.data(), std::int64_t(copy.size()));
    TKelvoSDFReader reader(&view);
    const TKelvoMainWindowState state = ReadMainWindowState(reader);
    if (!reader.AtRoot()) std::abort();
    if (state.LanguageId && *state.LanguageId == 0) std::abort();
    if (state.Placement) {
        const TKelvoRect work{-1280, 0, 1024, 768};
        if (const auto p = UsablePlacement(*state.Placement, work)) {
            const TKelvoRect& r = p->NormalPosition;
            if (r.Left < work.Left || r.Top < work.Top || r.Right > work.Right || r.Bottom > work.Bottom) std::abort();
            if (p->ShowCmd != KelvoShowNormal && p->ShowCmd != KelvoShowMaximized) std::abort();
        }
    }
    if (const auto p = UnpackPanelPosition(data, size)) {
        const TKelvoPanelPositionBytes again = PackPanelPosition(*p);
        if (UnpackPanelPosition(again.data(), again.size())->DockedWidth != p->DockedWidth) std::abort();
    }
    return 0;
}
