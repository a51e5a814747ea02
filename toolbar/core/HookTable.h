// The bookkeeping of a thread's message hooks: which hook procedures are registered, by which owners and for
// which kinds of event, and from that which system hooks the thread needs. The Windows half (toolbar/win/
// MessageHooks.h) installs and removes the system hooks as this table says and calls the procedures.
//
// A procedure is registered by one or more owners, each for a set of kinds; it stays while one owner keeps
// it. A system hook is needed while any registered kind maps to it.
#pragma once
#include <algorithm>
#include <vector>

#include "classlib/core/TSet.h"

enum TTBHookKind {
    hkWMActivate,          // a window receives WM_ACTIVATE
    hkWMActivateApp,       // a window receives WM_ACTIVATEAPP
    hkWMWindowPosChanged,  // a window receives WM_WINDOWPOSCHANGED
    hkCBTDestroy,          // a window is being destroyed
    hkGetMessage           // a message is retrieved from the queue
};
using TTBHookKinds = TSet<TTBHookKind>;

// The system hooks behind the kinds: calls to window procedures, computer-based-training notices, and
// messages taken from the queue.
enum TTBSystemHook { shCallWndProc, shCBT, shGetMessage };
using TTBSystemHooks = TSet<TTBSystemHook>;

namespace tb {

constexpr TTBSystemHook SystemHookOf(TTBHookKind kind) {
    return kind == hkCBTDestroy ? shCBT : kind == hkGetMessage ? shGetMessage : shCallWndProc;
}

template <class Proc>
class THookTable {
public:
    // Adds kinds to what owner registered proc for.
    void Install(const void* owner, Proc proc, TTBHookKinds kinds) {
        Entry* e = Find(proc);
        if (!e) {
            entries_.push_back(Entry{proc, {}});
            e = &entries_.back();
        }
        for (auto& [o, k] : e->owners) {
            if (o == owner) {
                k = k + kinds;
                return;
            }
        }
        e->owners.emplace_back(owner, kinds);
    }

    // Takes back owner's registration of proc; the procedure goes with its last owner.
    void Uninstall(const void* owner, Proc proc) {
        Entry* e = Find(proc);
        if (!e) return;
        auto& owners = e->owners;
        owners.erase(std::remove_if(owners.begin(), owners.end(), [&](const auto& o) { return o.first == owner; }),
                     owners.end());
        if (owners.empty()) entries_.erase(entries_.begin() + (e - entries_.data()));
    }

    // Whether some owner registered proc for kind.
    bool Wants(Proc proc, TTBHookKind kind) const {
        const Entry* e = Find(proc);
        return e && e->Kinds().Contains(kind);
    }

    // The procedures registered for kind, in registration order. Callers walk this copy and check Wants
    // before each call, because a procedure may register or unregister others while it runs.
    std::vector<Proc> ProcsFor(TTBHookKind kind) const {
        std::vector<Proc> out;
        for (const Entry& e : entries_)
            if (e.Kinds().Contains(kind)) out.push_back(e.proc);
        return out;
    }

    TTBSystemHooks NeededHooks() const {
        TTBSystemHooks needed;
        for (const Entry& e : entries_) {
            const TTBHookKinds kinds = e.Kinds();
            for (int k = hkWMActivate; k <= hkGetMessage; ++k)
                if (kinds.Contains(TTBHookKind(k))) needed.Include(SystemHookOf(TTBHookKind(k)));
        }
        return needed;
    }

    bool Empty() const { return entries_.empty(); }

private:
    struct Entry {
        Proc proc;
        std::vector<std::pair<const void*, TTBHookKinds>> owners;
        TTBHookKinds Kinds() const {
            TTBHookKinds all;
            for (const auto& o : owners) all = all + o.second;
            return all;
        }
    };
    Entry* Find(Proc proc) {
        for (Entry& e : entries_)
            if (e.proc == proc) return &e;
        return nullptr;
    }
    const Entry* Find(Proc proc) const { return const_cast<THookTable*>(this)->Find(proc); }

    std::vector<Entry> entries_;
};

}  // namespace tb
