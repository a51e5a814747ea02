#include "tools/win/TKelvoPerspectiveToolControl.h"

#include "tools/win/TKelvoPerspectiveTool.h"

void TKelvoPerspectiveToolControl::LineFinished(const TRealPoint& start, const TRealPoint& end) {
    auto* tool = dynamic_cast<TKelvoPerspectiveTool*>(Tool());
    if (!tool || start == end) return;
    tool->AddReferenceLine(start, end, ImageHeight(), ImageWidth());
}
