#include "classlib/core/TObjectList.h"

TObjectList::~TObjectList() {
    // Cleared here, while Notify still reaches this class, so owned objects are freed.
    Clear();
}

void TObjectList::Notify(void* item, TListNotification action) {
    if (ownsObjects_ && action == lnDeleted) Free(static_cast<TObject*>(item));
    TList::Notify(item, action);
}

int TObjectList::FindInstanceOf(TClass cls, bool exact, int start) const {
    for (int i = start < 0 ? 0 : start; i < Count(); ++i) {
        TObject* obj = Items(i);
        if (!obj) continue;
        if (exact ? obj->ClassType() == cls : obj->InheritsFrom(cls)) return i;
    }
    return -1;
}
