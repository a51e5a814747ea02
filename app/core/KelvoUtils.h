// The editor's small helpers, each subject in its own header: integer arithmetic, points and rectangles,
// file names.
#pragma once
#include "app/core/KelvoArithmetic.h"
#include "app/core/KelvoFileNames.h"
#include "app/core/KelvoGeometry.h"
