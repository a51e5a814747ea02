#include "toolbar/core/TBItemOptions.h"

namespace tb {

TTBItemOptions NormalizeOptions(TTBItemOptions options) {
    if (!options.Contains(tboToolbarStyle)) options.Exclude(tboToolbarSize);
    return options;
}

TTBItemOptions EffectiveOptions(bool inherit, bool hasParent, TTBItemOptions parentEffective, TTBItemOptions mask,
                                TTBItemOptions own) {
    TTBItemOptions result;
    if (inherit && hasParent) result = parentEffective - TTBItemOptions{tboDefault};
    return NormalizeOptions((result - mask) + own);
}

bool OptionsChangeNeedsResize(TTBItemOptions before, TTBItemOptions after) {
    constexpr TTBItemOptions kLayout{tboDefault,   tboDropdownArrow, tboImageAboveCaption, tboNoRotation,
                                     tboSameWidth, tboToolbarStyle,  tboToolbarSize};
    return ((before - after) + (after - before)) * kLayout != TTBItemOptions{};
}

}  // namespace tb
