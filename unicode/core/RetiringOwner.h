// Objects owned by a key (one per key), which the owner frees only when no call on them is running. An
// object whose key goes away (its subject was freed) is retired: it leaves the live keys at once, so that a
// new subject at the same address gets a new object, and is freed by a later Sweep once canFree says so.
// Nothing is ever freed from inside a call on the object itself. Used on one thread only.
#pragma once
#include <cstddef>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace uni {

template <class Key, class T, class Deleter = std::default_delete<T>>
class TRetiringOwner {
public:
    using Ptr = std::unique_ptr<T, Deleter>;

    T* Find(const Key& key) const {
        auto it = live_.find(key);
        return it == live_.end() ? nullptr : it->second.get();
    }
    // Takes object as the one of key (a key that has one keeps it, and object is freed).
    T* Add(const Key& key, Ptr object) { return live_.try_emplace(key, std::move(object)).first->second.get(); }
    // The object of key, when it is object, leaves the live keys; Sweep frees it later.
    void Retire(const Key& key, const T* object) {
        auto it = live_.find(key);
        if (it == live_.end() || it->second.get() != object) return;
        retired_.push_back(std::move(it->second));
        live_.erase(it);
    }
    // Frees the retired objects for which canFree(object) holds. Their destructors may use the owner.
    template <class CanFree>
    void Sweep(CanFree canFree) {
        std::vector<Ptr> done;
        for (auto it = retired_.begin(); it != retired_.end();) {
            if (canFree(**it)) {
                done.push_back(std::move(*it));
                it = retired_.erase(it);
            } else {
                ++it;
            }
        }
        done.clear();
    }
    // Shutdown: retires every live object, then sweeps.
    template <class CanFree>
    void ReleaseAll(CanFree canFree) {
        for (auto& entry : live_) retired_.push_back(std::move(entry.second));
        live_.clear();
        Sweep(canFree);
    }
    std::size_t LiveCount() const { return live_.size(); }
    std::size_t RetiredCount() const { return retired_.size(); }

private:
    std::map<Key, Ptr> live_;
    std::vector<Ptr> retired_;
};

}  // namespace uni
