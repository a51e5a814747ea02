// An undo step of the perspective tool: the correction step's lens settings and pixels, with the records
// it added (kind 1: the new one; kind 2: the whole history) and the convergence limits after and before.
#pragma once
#include <vector>

#include "tools/core/ReferenceLine.h"
#include "tools/core/TTransformRecord.h"
#include "tools/win/TKelvoCorrectionCommandState.h"

class TKelvoPerspectiveCommandState : public TKelvoCorrectionCommandState {
public:
    using TKelvoCorrectionCommandState::TKelvoCorrectionCommandState;

    std::vector<TTransformRecord> Records;
    TConvergenceLimits LimitsAfter;
    TConvergenceLimits LimitsBefore;
};
