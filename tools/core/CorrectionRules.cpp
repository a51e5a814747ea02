#include "tools/core/CorrectionRules.h"

TCorrectionCommit DecideCorrectionCommit(Byte pendingKind, bool hasGeometry, bool lensOn, bool previousIsLens) {
    switch (pendingKind) {
        case PendingGeometry: return hasGeometry ? TCorrectionCommit::NewState : TCorrectionCommit::Nothing;
        case PendingFinish: return hasGeometry || lensOn ? TCorrectionCommit::NewState : TCorrectionCommit::Nothing;
        case PendingLens:
            if (hasGeometry) return TCorrectionCommit::Nothing;
            return previousIsLens ? TCorrectionCommit::MergeLens : TCorrectionCommit::NewState;
        default: return TCorrectionCommit::Nothing;
    }
}

TAutoScroll AutoScrollDelta(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                            TImageBeyond beyond) {
    constexpr std::int32_t step = 5;
    TAutoScroll s;
    if (x <= 1 && beyond.Left) s.Dx = step;
    if (x >= width - 1 - 2 && beyond.Right) s.Dx = -step;
    if (y <= 2 && beyond.Top) s.Dy = step;
    if (y >= height - 1 - 2 && beyond.Bottom) s.Dy = -step;
    return s;
}

TCorrectionFrameState CorrectionFrameState(const TCorrectionFrameInput& in) {
    TCorrectionFrameState s;
    const bool idle = !in.Busy;
    s.Finish = idle && !in.Clean && in.FinishPossible;
    s.Controls = idle;
    s.Automatic = idle && in.HasAutomatic;
    s.ManualValue = idle && in.DistortionMode == 1;
    s.StrengthValue = idle && in.StrengthChecked;
    return s;
}

int NextGuideState(int state, TGuideEvent event) {
    switch (event) {
        case TGuideEvent::PointerInside: return state == GuideNone ? GuideCross : state;
        case TGuideEvent::PointerOutside: return state == GuideCross ? GuideNone : state;
        case TGuideEvent::CtrlDown: return state == GuideCross ? GuideAnchored : state;
        case TGuideEvent::CtrlUp:
        case TGuideEvent::OtherKeyUp:
        case TGuideEvent::LineStarted: return GuideNone;
    }
    return state;
}

TGuidePoint GuideSecondPoint(TGuidePoint anchor, TGuidePoint pointer) {
    const double dx = pointer.X - anchor.X, dy = pointer.Y - anchor.Y;
    if ((dx < 0 ? -dx : dx) > (dy < 0 ? -dy : dy)) return {pointer.X, anchor.Y};
    return {anchor.X, pointer.Y};
}
