// One view of a file mapping, released when it goes out of scope; the view must go before the mapping
// is resized or closed, which the scope makes plain.
//
//   TFileMapping mapping(name);
//   TMappedView view(mapping, size, FILE_MAP_WRITE);
//   if (view.Bytes() == nullptr) return false;
//
// Header-only and free of the class library, so the plug-in can use it beside its copy of the mapping.
#pragma once
#include <cstdint>

#include "app/win/TFileMapping.h"

class TMappedView {
public:
    // A view of count bytes from the start of the file; Bytes() is nullptr when it cannot be had.
    TMappedView(TFileMapping& mapping, std::uint32_t count, DWORD access)
        : mapping_(mapping), address_(static_cast<std::uint8_t*>(mapping.Map(0, count, access))) {}
    ~TMappedView() { mapping_.Unmap(address_); }
    TMappedView(const TMappedView&) = delete;
    TMappedView& operator=(const TMappedView&) = delete;

    std::uint8_t* Bytes() const { return address_; }

private:
    TFileMapping& mapping_;
    std::uint8_t* address_;
};
