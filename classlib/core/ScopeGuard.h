// The one way to run clean-up when a scope ends, whether it ends normally or by an exception.
//
//   TScopeExit restore([&] { depth_--; });       // always runs
//   TScopeExit undo([&] { list.Delete(i); });    // runs unless dismissed
//   ...work that may raise...
//   undo.Dismiss();                              // success: keep what was done
//
//   TUpdateGuard update(list);                   // list.BeginUpdate() now, list.EndUpdate() at the end
//
// A clean-up that raises while an exception is already passing would end the program, so the destructor is
// noexcept: clean-up code must not raise (use the class library's report for anything that can fail).
#pragma once
#include <exception>
#include <type_traits>
#include <utility>

template <class F>
class TScopeExit {
public:
    explicit TScopeExit(F f) noexcept(std::is_nothrow_move_constructible_v<F>) : f_(std::move(f)) {}
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;
    ~TScopeExit() noexcept {
        if (active_) f_();
    }

    // The clean-up will not run.
    void Dismiss() noexcept { active_ = false; }

private:
    F f_;
    bool active_ = true;
};
template <class F>
TScopeExit(F) -> TScopeExit<F>;

// An update bracket over any object with BeginUpdate and EndUpdate (string lists, collections, image lists).
// EndUpdate sends the change notice, whose handlers may raise: that error passes on after a normal end. While an
// earlier exception is already passing, that earlier one is the error to report, and the notice's is dropped.
template <class T>
class TUpdateGuard {
public:
    explicit TUpdateGuard(T& target) : target_(target), exceptions_(std::uncaught_exceptions()) {
        target_.BeginUpdate();
    }
    TUpdateGuard(const TUpdateGuard&) = delete;
    TUpdateGuard& operator=(const TUpdateGuard&) = delete;
    ~TUpdateGuard() noexcept(false) {
        if (std::uncaught_exceptions() == exceptions_) {
            target_.EndUpdate();
            return;
        }
        try {
            target_.EndUpdate();
        } catch (...) {
        }
    }

private:
    T& target_;
    int exceptions_;
};
