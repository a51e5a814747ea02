#include "scan/core/TTwnContainerList.h"

#include <algorithm>
#include <new>

#include "classlib/core/Checked.h"

TTwnContainerList::~TTwnContainerList() { Clear(); }

TTwnContainer& TTwnContainerList::Items(std::int32_t index) const {
    return *items_[std::size_t(CheckedIndex(index, std::int64_t(items_.size())))];
}

void TTwnContainerList::Clear() {
    while (!items_.empty()) items_.pop_back();
}

TTwnContainer* TTwnContainerList::Find(std::uint16_t capability) const {
    for (const auto& item : items_)
        if (item->Capability() == capability) return item.get();
    return nullptr;
}

TTwnContainer* TTwnContainerList::Add(std::uint16_t capability, std::unique_ptr<TTwnContainer> container) {
    if (!container) return nullptr;
    container->SetCapability(capability);
    // Remove every container already held for the number, so that Find always answers with the new one.
    items_.erase(std::remove_if(items_.begin(), items_.end(),
                                [capability](const auto& item) { return item->Capability() == capability; }),
                 items_.end());
    items_.push_back(std::move(container));
    return items_.back().get();
}

TTwnContainer* TTwnContainerList::AddNew(std::uint16_t capability) {
    std::unique_ptr<TTwnContainer> container;
    try {
        container = std::make_unique<TTwnContainer>();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return Add(capability, std::move(container));
}

void TTwnContainerList::Remove(std::uint16_t capability) {
    auto it = std::find_if(items_.begin(), items_.end(),
                           [capability](const auto& item) { return item->Capability() == capability; });
    if (it != items_.end()) items_.erase(it);
}
