#include "classlib/core/TShortCutModifierNames.h"

namespace {
TShortCutModifierNames g_names;
}  // namespace

void SetShortCutModifierNames(const TShortCutModifierNames& names) { g_names = names; }

const TShortCutModifierNames& GetShortCutModifierNames() { return g_names; }
