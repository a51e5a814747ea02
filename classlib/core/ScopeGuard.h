// The one way to run clean-up when a scope ends, whether it ends normally or by an exception.
//
//   TScopeExit restore([&, saved = flag_] { flag_ = saved; });   // always runs
//   TScopeExit undo([&] { list.Delete(i); });                    // runs unless dismissed
//   ...work that may raise...
//   undo.Dismiss();                                              // success: keep what was done
//
//   TUpdateGuard update(list);         // list.BeginUpdate() now, list.EndUpdate() when the scope ends
//
// Clean-up may itself raise (an EndUpdate or EnableAlign runs handlers). After a normal end that error passes on
// to the caller. While an earlier exception is already passing, that earlier one is the error to report: the
// clean-up's own is dropped, since two exceptions at once would end the program.
#pragma once
#include <exception>
#include <type_traits>
#include <utility>

template <class F>
class TScopeExit {
public:
    explicit TScopeExit(F f) noexcept(std::is_nothrow_move_constructible_v<F>)
        : f_(std::move(f)), exceptions_(std::uncaught_exceptions()) {}
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;
    ~TScopeExit() noexcept(false) {
        if (!active_) return;
        if (std::uncaught_exceptions() == exceptions_) {
            f_();
            return;
        }
        try {
            f_();
        } catch (...) {
            // Dropped: the exception already passing is the one to report (see above).
        }
    }

    // The clean-up will not run.
    void Dismiss() noexcept { active_ = false; }

private:
    F f_;
    int exceptions_;
    bool active_ = true;
};
template <class F>
TScopeExit(F) -> TScopeExit<F>;

// An update bracket over any object with BeginUpdate and EndUpdate (string lists, collections, image lists).
// EndUpdate sends the change notice, whose handlers may raise: that error passes on after a normal end, and is
// dropped while an earlier exception is passing, as for TScopeExit.
template <class T>
class TUpdateGuard {
public:
    explicit TUpdateGuard(T& target) : target_(Begin(target)) {}
    TUpdateGuard(const TUpdateGuard&) = delete;
    TUpdateGuard& operator=(const TUpdateGuard&) = delete;
    ~TUpdateGuard() noexcept(false) = default;

private:
    // The bracket opens before the guard that closes it exists: a BeginUpdate that raises leaves nothing to close.
    static T& Begin(T& target) {
        target.BeginUpdate();
        return target;
    }
    struct End {
        T& target;
        void operator()() const { target.EndUpdate(); }
    };
    T& target_;
    TScopeExit<End> end_{End{target_}};
};
