// The listeners of one item's change notifications, delivered so that a listener may register or
// unregister listeners (itself included) during the walk, and the walk stops when the item is gone.
#pragma once
#include <vector>

#include "classlib/core/Method.h"

class TTBCustomItem;

// What changed (the action code of a notification).
enum TTBItemChangedAction {
    tbicInserted = 0,             // child inserted (index, item)
    tbicDeleting = 1,             // child about to be deleted, still in place (index, item)
    tbicSubitemsChanged = 2,      // the children were replaced (LinkSubitems)
    tbicSubitemsBeginUpdate = 3,  // a change of several steps to the children begins
    tbicSubitemsEndUpdate = 4,    // and ends
    tbicInvalidate = 5,           // the child must be repainted (index, item)
    tbicInvalidateAndResize = 6,  // the child must be measured again and repainted (index, item)
    tbicRecreateItemViewers = 7,  // the child's viewers must be made again with its current viewer class
    tbicNameChanged = 8,          // the child was renamed (index, item)
    tbicSubMenuImagesChanged = 9  // the images of the children's submenu changed
};

// sender: the item whose children the notification is about; relayed: it came up from an embedded group
// or a linked item, which sender then names.
using TTBItemChangedProc =
    Method<void(TTBCustomItem* sender, bool relayed, TTBItemChangedAction action, int index, TTBCustomItem* item)>;

class TTBNotifyList {
public:
    // Adds the pair, or counts one more registration of it.
    void Register(TTBItemChangedProc proc, void* data);
    // Counts one registration less; at 0 the pair is gone (false when it was not registered).
    bool Unregister(TTBItemChangedProc proc, void* data);
    bool Empty() const;

    // Calls each registered listener with the arguments. Pairs removed during the walk are not called,
    // pairs added during it are; the walk ends at once when alive becomes false (the item was destroyed).
    void Deliver(TTBCustomItem* sender, bool relayed, TTBItemChangedAction action, int index, TTBCustomItem* item,
                 const bool& alive);

private:
    struct Entry {
        TTBItemChangedProc proc;
        void* data;
        int count;  // 0: removed while a walk was running; dropped when the walks end
    };
    Entry* Find(TTBItemChangedProc proc, void* data);

    std::vector<Entry> entries_;
    int walks_ = 0;
};
