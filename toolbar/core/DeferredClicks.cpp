#include "toolbar/core/DeferredClicks.h"

#include <vector>

namespace tb {

namespace {

struct TSlot {
    TTBDeferredClickTarget* target = nullptr;
    bool cancelled = false;  // its target was destroyed; the slot waits for its message
    bool Free() const { return target == nullptr && !cancelled; }
};

// Plain thread-local pointers and counters: the list is freed explicitly with the thread's last user.
thread_local int t_users = 0;
thread_local std::vector<TSlot>* t_slots = nullptr;

void TrimFreeSlots() {
    while (!t_slots->empty() && t_slots->back().Free()) t_slots->pop_back();
}

}  // namespace

void AddDeferredClickUser() {
    if (t_users == 0) t_slots = new std::vector<TSlot>();
    ++t_users;
}

void RemoveDeferredClickUser() {
    if (t_users <= 0) return;
    if (--t_users > 0) return;
    delete t_slots;
    t_slots = nullptr;
    detail::ReleaseDeferredClickWindow();
}

int DeferredClickUsers() { return t_users; }

int PostDeferredClick(TTBDeferredClickTarget* target) {
    if (!t_slots || !target) return -1;
    std::size_t index = 0;
    while (index < t_slots->size() && !(*t_slots)[index].Free()) ++index;
    if (index == t_slots->size()) t_slots->emplace_back();
    (*t_slots)[index].target = target;
    if (!detail::PostDeferredClickMessage(static_cast<std::intptr_t>(index))) {
        // The posting may have run code that ended the thread's last user.
        if (t_slots && index < t_slots->size()) {
            (*t_slots)[index] = TSlot{};
            TrimFreeSlots();
        }
        return -1;
    }
    return static_cast<int>(index);
}

void CancelDeferredClicks(TTBDeferredClickTarget* target) {
    if (!t_slots || !target) return;
    for (TSlot& s : *t_slots) {
        if (s.target != target) continue;
        s.target = nullptr;
        s.cancelled = true;
    }
}

bool RunDeferredClick(std::intptr_t slot) {
    if (!t_slots || slot < 0 || static_cast<std::size_t>(slot) >= t_slots->size()) return false;
    TTBDeferredClickTarget* target = (*t_slots)[static_cast<std::size_t>(slot)].target;
    (*t_slots)[static_cast<std::size_t>(slot)] = TSlot{};
    TrimFreeSlots();
    if (!target) return false;
    // Nothing of the list is touched after this: the click may free the thread's last user and the list.
    target->DeferredClick();
    return true;
}

int DeferredClickSlotCount() { return t_slots ? static_cast<int>(t_slots->size()) : 0; }

}  // namespace tb
