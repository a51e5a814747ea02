// Options of toolbar and menu items, the item style bits, and how an item's effective options follow from
// its parent's: the item takes what its parent has (less tboDefault, which marks one item only), drops its
// MaskOptions and adds its own Options.
#pragma once
#include "classlib/core/TSet.h"

enum TTBItemOption {
    tboDefault,
    tboDropdownArrow,
    tboImageAboveCaption,
    tboLongHintInMenuOnly,
    tboNoAutoHint,
    tboNoRotation,
    tboSameWidth,
    tboShowHint,
    tboToolbarStyle,
    tboToolbarSize
};
using TTBItemOptions = TSet<TTBItemOption>;

// What kind of item a node is; bit 0 first.
enum TTBItemStyleFlag {
    tbisSubmenu,
    tbisSelectable,
    tbisSeparator,
    tbisEmbeddedGroup,
    tbisClicksTransparent,
    tbisCombo,
    tbisNoAutoOpen,
    tbisSubitemsEditable,
    tbisNoLineBreak,
    tbisRightAlign,
    tbisDontSelectFirst,
    tbisRedrawOnSelChange,
    tbisRedrawOnMouseOverChange,
    tbisStretch
};
using TTBItemStyle = TSet<TTBItemStyleFlag>;

enum TTBItemDisplayMode { nbdmDefault, nbdmTextOnly, nbdmTextOnlyInMenus, nbdmImageAndText };

namespace tb {

// tboToolbarSize only means something together with tboToolbarStyle: without it, it is dropped.
TTBItemOptions NormalizeOptions(TTBItemOptions options);

// The effective options of an item: the parent's effective options without tboDefault (when the item
// inherits and has a parent), less mask, plus own, normalized.
TTBItemOptions EffectiveOptions(bool inherit, bool hasParent, TTBItemOptions parentEffective, TTBItemOptions mask,
                                TTBItemOptions own);

// Whether going from one set of effective options to another changes the item's size or look, so that
// its viewers must be measured again (the hint options change neither).
bool OptionsChangeNeedsResize(TTBItemOptions before, TTBItemOptions after);

}  // namespace tb
