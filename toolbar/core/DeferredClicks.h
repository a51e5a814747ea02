// Clicks that run after a menu has closed. A menu that ends with a chosen item posts the click instead of
// running it, so that the handler (which may open a dialog or free the menu) runs with the menu gone. Each
// thread keeps a list of pending targets and a hidden window; a post stores the target in the first free
// slot and posts message 1280 with the slot index, and the window's handler takes the target out of its slot
// and runs it.
//
// The list and window exist while at least one user (an item or item viewer) lives on the thread: every
// constructor calls AddDeferredClickUser and every destructor CancelDeferredClicks(this) and then
// RemoveDeferredClickUser. A destroyed target's slots are marked, and a marked slot stays taken until its
// message has arrived, so a message still in the queue never runs a newer target. The message's slot number
// is not trusted: a number outside the list, or a free or marked slot, is ignored.
#pragma once
#include <cstdint>

// Something a deferred click can run: an item (its Click) or an item viewer (its execute operation).
class TTBDeferredClickTarget {
public:
    virtual void DeferredClick() = 0;

protected:
    ~TTBDeferredClickTarget() = default;
};

namespace tb {

// WM_USER + 256, posted to the thread's hidden window.
constexpr unsigned kDeferredClickMessage = 1280;

void AddDeferredClickUser();
// The last user of the thread frees its list and window.
void RemoveDeferredClickUser();
int DeferredClickUsers();

// Stores target and posts the message; returns the slot index, or -1 when the message could not be posted
// (nothing is stored then) or the thread has no user.
int PostDeferredClick(TTBDeferredClickTarget* target);
// Marks every pending slot of target.
void CancelDeferredClicks(TTBDeferredClickTarget* target);
// The handler of the message: takes the target out of slot, drops trailing free slots and runs the target
// unless the slot was out of range, free or marked. True when a target ran; its exceptions pass on.
bool RunDeferredClick(std::intptr_t slot);
// The length of the thread's list (free slots inside it included); 0 without a list.
int DeferredClickSlotCount();

// Runs the clicks posted on this thread so far, as the message loop would: natively from the queue the
// native half keeps, on Windows by dispatching the hidden window's pending messages.
void DeliverPostedClicks();

namespace detail {
// The platform half. Post the message for slot (making the thread's window when needed); false on failure.
bool PostDeferredClickMessage(std::intptr_t slot);
// The thread's last user is gone: free the window (after the message being handled, when inside one).
void ReleaseDeferredClickWindow();
}  // namespace detail

}  // namespace tb
