// Ownership of one GDI object (font, pen, brush, bitmap, region, palette): deleted when replaced or destroyed.
#pragma once
#include <utility>

#include "classlib/win/Win32.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/TColor.h"

template <class H>
class TGdiHandle {
public:
    TGdiHandle() = default;
    explicit TGdiHandle(H handle) : handle_(handle) {}
    TGdiHandle(const TGdiHandle&) = delete;
    TGdiHandle& operator=(const TGdiHandle&) = delete;
    TGdiHandle(TGdiHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    TGdiHandle& operator=(TGdiHandle&& other) noexcept {
        Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    ~TGdiHandle() { Reset(); }

    H Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(H handle = nullptr) {
        if (handle_ && handle_ != handle) ::DeleteObject(handle_);
        handle_ = handle;
    }
    H Release() { return std::exchange(handle_, nullptr); }

private:
    H handle_ = nullptr;
};

// The handle of a drawing object, made on first use and made again after the object changed. The previous
// handle is freed only when the next one is made: by then whoever had it selected was told of the change and
// has taken it out of its DC.
template <class H>
class TCachedGdiHandle {
public:
    template <class Make>
    H Get(Make make) {
        if (!handle_ || stale_) {
            handle_.Reset();
            H handle = make();
            if (!handle) throw EOutOfResources("Out of system resources");
            handle_.Reset(handle);
            stale_ = false;
        }
        return handle_.Get();
    }
    bool Allocated() const { return static_cast<bool>(handle_); }
    void Invalidate() {
        if (handle_) stale_ = true;
    }

private:
    TGdiHandle<H> handle_;
    bool stale_ = false;
};
