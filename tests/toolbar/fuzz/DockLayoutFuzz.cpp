// The dock layout runs at every mouse step of a drag with whatever rows, positions and sizes code and the
// drag loop put in: feeds arbitrary windows and checks what the layout promises (windows of a row one after the
// other from 0, rows one below the other, the dock as thick as its rows and bound lines). A layout whose sums
// leave 32 bits raises EIntOverflow, which is allowed.
#include <cstdint>
#include <cstdlib>

#include "classlib/core/Exceptions.h"
#include "toolbar/core/DockLayout.h"

namespace {

std::int32_t Take(const std::uint8_t*& p, const std::uint8_t* end) {
    std::int32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v = static_cast<std::int32_t>(static_cast<std::uint32_t>(v) << 8 | (p < end ? *p++ : 0));
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const std::uint8_t* p = data;
    const std::uint8_t* end = data + size;
    tb::TDockLayoutInput in;
    const std::uint8_t flags = *p++;
    in.Position = static_cast<TTBDockPosition>(flags & 3);
    in.LimitToOneRow = flags & 4;
    in.FixAlign = flags & 8;
    const std::int32_t length = *p++ * 4;
    in.ClientSize = tb::IsVerticalDock(in.Position) ? TSize{0, length} : TSize{length, 0};
    in.NCSize = TSize{(flags >> 4) & 1, (flags >> 5) & 1};
    const int count = *p++ % 12;
    bool dragged = false;
    for (int i = 0; i < count; ++i) {
        tb::TDockLayoutWindow w;
        const std::uint8_t f = p < end ? *p++ : 0;
        w.DockRow = (f & 0x80) ? Take(p, end) : (p < end ? *p++ % 6 : 0);
        w.DockPos = (f & 0x40) ? Take(p, end) : (p < end ? *p++ * 3 - 20 : 0);
        w.VisibleChild = !(f & 1);
        w.Destroying = f & 2;
        w.FullSize = f & 4;
        w.Stretch = f & 8;
        w.ShrinkMode = static_cast<TTBShrinkMode>((f >> 4) % 3);
        if ((f & 0x20) && !dragged) {
            w.Dragging = dragged = true;
            w.KeepPlace = f & 0x10;
            w.InsertAsNewRow = f & 0x01;
        }
        const std::int32_t along = p < end ? *p++ : 10, across = p < end ? *p++ : 10;
        w.BaseSize = tb::IsVerticalDock(in.Position) ? TSize{across, along} : TSize{along, across};
        w.DockedNCSize = TSize{4 + 6, 4};
        w.MinShrinkSize = p < end ? *p++ : 0;
        w.CurrentSize = TSize{w.BaseSize.cx + 10, w.BaseSize.cy + 4};
        in.Windows.push_back(w);
    }
    in.OrderControls = [](int, std::int32_t shrunk) { return TSize{shrunk, 16}; };

    tb::TDockLayoutResult r;
    try {
        r = tb::ArrangeDock(in);
    } catch (const EIntOverflow&) {
        return 0;
    }
    if (r.Places.size() != in.Windows.size()) std::abort();
    if (r.Empty) return 0;
    const bool vertical = tb::IsVerticalDock(in.Position);
    std::int64_t rows = 0;
    for (std::int32_t t : r.RowThickness) rows += t;
    if (r.DockThickness != rows + (vertical ? in.NCSize.cx : in.NCSize.cy)) std::abort();
    // Within a row the windows follow one another without overlapping, from 0 on.
    for (std::size_t a = 0; a < r.SortedOrder.size(); ++a) {
        const tb::TDockLayoutPlace& pa = r.Places[static_cast<std::size_t>(r.SortedOrder[a])];
        if (!pa.Placed) continue;
        if (pa.Size < 0 || pa.EffectivePos < 0) std::abort();
        if (in.LimitToOneRow && pa.EffectiveRow != 0) std::abort();
        for (std::size_t b = a + 1; b < r.SortedOrder.size(); ++b) {
            const tb::TDockLayoutPlace& pb = r.Places[static_cast<std::size_t>(r.SortedOrder[b])];
            if (!pb.Placed || pb.EffectiveRow != pa.EffectiveRow) continue;
            if (pb.EffectivePos < std::int64_t{pa.EffectivePos} + pa.Size) std::abort();
        }
    }
    return 0;
}
