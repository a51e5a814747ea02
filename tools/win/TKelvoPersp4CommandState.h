// An undo step of the four-point tool. A set of corners (kind 1) keeps the geometry before and after the set-up,
// so that undoing a second set-up brings the first correction back; a Finish (kind 2) keeps the geometry it
// rendered, with the source pixels the base keeps.
#pragma once
#include "tools/core/Persp4Setup.h"
#include "tools/win/TKelvoCorrectionCommandState.h"

class TKelvoPersp4CommandState : public TKelvoCorrectionCommandState {
public:
    using TKelvoCorrectionCommandState::TKelvoCorrectionCommandState;

    TPersp4Geometry Before;
    TPersp4Geometry After;
};
