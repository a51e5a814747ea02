#include "classlib/core/TypInfo.h"

#include <map>
#include <memory>
#include <mutex>

#include "classlib/core/Exceptions.h"
#include "classlib/core/StringUtils.h"

namespace {

struct Registry {
    std::mutex lock;
    // Stable element addresses: lists are only appended to, and GetPropList hands out pointers.
    std::map<TClass, std::vector<std::unique_ptr<TPropInfo>>> byClass;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

void RegisterPropInfo(TClass cls, TPropInfo info) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    auto& list = r.byClass[cls];
    for (const auto& p : list)
        if (SameTextAscii(p->Name, info.Name))
            throw EInvalidOperation("Property " + info.Name + " is already published by " + cls->ClassName());
    info.Owner = cls;
    list.push_back(std::make_unique<TPropInfo>(std::move(info)));
}

void UnregisterPropInfos(TClass cls) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    r.byClass.erase(cls);
}

std::vector<const TPropInfo*> GetPropList(TClass cls) {
    std::vector<TClass> chain;
    for (TClass c = cls; c; c = c->ClassParent()) chain.push_back(c);
    std::vector<const TPropInfo*> result;
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        auto found = r.byClass.find(*it);
        if (found == r.byClass.end()) continue;
        for (const auto& p : found->second) result.push_back(p.get());
    }
    return result;
}

const TPropInfo* GetPropInfo(TClass cls, const AnsiString& name) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    // The most derived declaration wins.
    for (TClass c = cls; c; c = c->ClassParent()) {
        auto found = r.byClass.find(c);
        if (found == r.byClass.end()) continue;
        for (const auto& p : found->second)
            if (SameTextAscii(p->Name, name)) return p.get();
    }
    return nullptr;
}
