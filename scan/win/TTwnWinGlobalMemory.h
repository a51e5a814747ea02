// Capability containers in the system's movable global memory, the form the TWAIN source manager exchanges.
#pragma once
#include "scan/core/ITwnGlobalMemory.h"

class TTwnWinGlobalMemory : public ITwnGlobalMemory {
public:
    TTwnHandle Alloc(std::size_t size) override;
    void* Lock(TTwnHandle handle) override;
    void Unlock(TTwnHandle handle) override;
    void Free(TTwnHandle handle) override;
    std::size_t Size(TTwnHandle handle) override;
};
