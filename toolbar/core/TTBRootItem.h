// The root of a toolbar's or popup menu's item tree. The control that owns the tree is what streaming sees
// as its parent component.
#pragma once
#include "toolbar/core/TTBCustomItem.h"

class TTBRootItem : public TTBCustomItem {
    CLASSLIB_COMPONENT(TTBRootItem, TTBCustomItem)

    explicit TTBRootItem(TComponent* owner) : TTBCustomItem(owner) {}

    // The owning control (a toolbar), reported by GetParentComponent.
    void SetParentComponentField(TComponent* value) { TTBCustomItem::SetParentComponentField(value); }
};
