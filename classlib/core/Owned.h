// The one owner of anything a single call frees: library objects (TObjectPtr, through Free), memory blocks,
// C files, system handles and the opaque states of the platform back ends. Movable, not copyable; the call runs
// once, for a value that is not null.
//
//   TOwned<std::FILE, CloseFile> file(std::fopen(name, "rb"));
//   TOwned<void, ::CloseHandle> event(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
//
// Handles with more to them than one call have their own RAII types: TGdiHandle, TWindowDC, TMemoryDC.
#pragma once
#include <memory>

template <auto FreeFn>
struct TFreeWith {
    template <class T>
    void operator()(T* p) const {
        FreeFn(p);
    }
};

template <class T, auto FreeFn>
using TOwned = std::unique_ptr<T, TFreeWith<FreeFn>>;
