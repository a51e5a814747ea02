// The capability containers of the open source, one per capability number, owned by the list.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "scan/core/TTwnContainer.h"

class TTwnContainerList {
public:
    TTwnContainerList() = default;
    ~TTwnContainerList();
    TTwnContainerList(const TTwnContainerList&) = delete;
    TTwnContainerList& operator=(const TTwnContainerList&) = delete;

    std::int32_t Count() const { return std::int32_t(items_.size()); }
    // Raises ERangeError outside 0..Count-1.
    TTwnContainer& Items(std::int32_t index) const;
    // Frees every container, the last first.
    void Clear();
    // The first container of the capability; nullptr when none.
    TTwnContainer* Find(std::uint16_t capability) const;
    // Gives the container the capability number, frees any container of that number already held and appends it.
    TTwnContainer* Add(std::uint16_t capability, std::unique_ptr<TTwnContainer> container);
    // Creates and adds a container for the capability; nullptr when it cannot be created.
    TTwnContainer* AddNew(std::uint16_t capability);
    // Frees the first container of the capability.
    void Remove(std::uint16_t capability);

private:
    std::vector<std::unique_ptr<TTwnContainer>> items_;
};
