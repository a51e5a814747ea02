#include "app/core/TKelvoGraphicsCommandState.h"

#include "classlib/core/Exceptions.h"

namespace {

std::int64_t maxSnapshotBytes = 2 * TKelvoPixelBuffer::MaxBytes;

// The part of rect inside the source, in its format: the snapshot's bounds.
TKelvoRect SnapshotBounds(const TKelvoRect& rect, const TKelvoPixels& source) {
    return IntersectRects(rect, source.GetBounds());
}

std::int64_t SnapshotSize(const TKelvoRect& bounds, const TKelvoPixels& source) {
    if (bounds.IsEmpty()) return 0;
    return std::int64_t(PixelRowStride(source.Format(), std::int32_t(bounds.Width()))) * bounds.Height();
}

}  // namespace

void TKelvoCustomGraphicsCommandState::TellTools() const {
    for (IKelvoGraphicsTool* t : document_.Tools()) t->StateApplied(document_, tool_, rect_);
}

std::int64_t TKelvoGraphicsCommandState::MaxSnapshotBytes() { return maxSnapshotBytes; }
void TKelvoGraphicsCommandState::SetMaxSnapshotBytes(std::int64_t bytes) { maxSnapshotBytes = bytes; }

TKelvoGraphicsCommandState::TKelvoGraphicsCommandState(IKelvoGraphicsTool* tool, const TKelvoRect& rect,
                                                       TKelvoGraphicsDocument& document)
    : TKelvoCustomGraphicsCommandState(tool, rect, document) {
    const TKelvoPixels& committed = document.Committed();
    const TKelvoPixels& current = document.GetPixels();
    const TKelvoRect beforeBounds = SnapshotBounds(rect, committed);
    const TKelvoRect afterBounds = SnapshotBounds(rect, current);
    if (SnapshotSize(beforeBounds, committed) + SnapshotSize(afterBounds, current) > maxSnapshotBytes)
        throw EOutOfMemory("Undo step too large");
    // Both snapshots are taken before anything is told: a failure leaves everything as it was.
    before_.Pack(committed, beforeBounds);
    after_.Pack(current, afterBounds);
    TellTools();
    document.SetSaved(false);
}

void TKelvoGraphicsCommandState::Apply(const TKelvoPackedPixels& packed) {
    TKelvoPixelBuffer snapshot;
    packed.Unpack(snapshot);
    TKelvoGraphicsDocument& document = Document();
    TKelvoPixels& working = document.GetPixels();
    working.CopyFrom(snapshot);
    document.InvalidateImageRect(snapshot.GetBounds());
    TKelvoPixelBuffer& committed = document.Committed();
    // The committed buffer mirrors the working pixels outside an edit: while the bounds agree only the
    // pasted rectangle differs between them.
    if (committed.GetBounds() == working.GetBounds() && committed.Format() == working.Format())
        committed.CopyFrom(snapshot);
    else
        document.SyncCommitted();
    TellTools();
}

bool TKelvoGraphicsCommandState::Undo() {
    Apply(before_);
    return true;
}

bool TKelvoGraphicsCommandState::Redo() {
    Apply(after_);
    Document().SetSaved(false);
    return true;
}
