// A memory device context with at most one bitmap selected into it: when it goes, the DC's own bitmap is
// selected back and the DC deleted. Movable, so a class can keep one as a member.
//
//   TMemoryDC dc(bitmap);     // a new DC compatible with the screen, bitmap selected (EOutOfResources: none)
//   ::BitBlt(target, 0, 0, w, h, dc.Get(), 0, 0, SRCCOPY);
//   dc.Deselect(); ...; dc.Select(bitmap);   // around a call that wants the bitmap out of every DC
#pragma once
#include <utility>

#include "classlib/core/Exceptions.h"
#include "classlib/win/Win32.h"

class TMemoryDC {
public:
    TMemoryDC() = default;
    // A DC compatible with compatibleWith (null: the screen), with bitmap selected unless it is null.
    explicit TMemoryDC(HBITMAP bitmap, HDC compatibleWith = nullptr) : dc_(::CreateCompatibleDC(compatibleWith)) {
        if (!dc_) throw EOutOfResources("Out of system resources");
        if (bitmap) Select(bitmap);
    }
    ~TMemoryDC() { Reset(); }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    TMemoryDC(TMemoryDC&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)), original_(std::exchange(other.original_, nullptr)) {}
    TMemoryDC& operator=(TMemoryDC&& other) noexcept {
        if (this != &other) {
            Reset();
            dc_ = std::exchange(other.dc_, nullptr);
            original_ = std::exchange(other.original_, nullptr);
        }
        return *this;
    }

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

    void Select(HBITMAP bitmap) {
        HGDIOBJ previous = ::SelectObject(dc_, bitmap);
        if (!original_) original_ = previous;
    }
    // The DC's own bitmap back in place; the selected one is free for other uses.
    void Deselect() {
        if (original_) ::SelectObject(dc_, std::exchange(original_, nullptr));
    }
    void Reset() {
        if (!dc_) return;
        Deselect();
        ::DeleteDC(std::exchange(dc_, nullptr));
    }

private:
    HDC dc_ = nullptr;
    HGDIOBJ original_ = nullptr;
};
