#include "classlib/core/FormBuilder.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

#include "classlib/core/ScopeGuard.h"
#include "classlib/core/TComponent.h"
#include "classlib/core/TSyncObjects.h"

namespace {

struct Builders {
    std::mutex lock;
    std::map<TClass, TFormBuilder> byClass;
};

Builders& TheBuilders() {
    static Builders builders;
    return builders;
}

}  // namespace

void RegisterFormBuilder(TClass cls, TFormBuilder build) {
    Builders& b = TheBuilders();
    std::lock_guard<std::mutex> guard(b.lock);
    if (build)
        b.byClass[cls] = build;
    else
        b.byClass.erase(cls);
}

TFormBuilder FindFormBuilder(TClass cls) {
    Builders& b = TheBuilders();
    std::lock_guard<std::mutex> guard(b.lock);
    auto it = b.byClass.find(cls);
    return it == b.byClass.end() ? nullptr : it->second;
}

bool InitInheritedComponent(TComponent* instance, TClass rootAncestor) {
    std::vector<TFormBuilder> chain;
    for (TClass c = instance->ClassType(); c && c != rootAncestor; c = c->ClassParent())
        if (TFormBuilder build = FindFormBuilder(c)) chain.push_back(build);
    if (chain.empty()) return false;

    GlobalNameSpace().BeginWrite();
    TScopeExit unlock([] { GlobalNameSpace().EndWrite(); });
    std::vector<TComponent*> before;
    for (int i = 0; i < instance->ComponentCount(); ++i) before.push_back(instance->Components(i));
    auto added = [&] {
        std::vector<TComponent*> result;
        for (int i = 0; i < instance->ComponentCount(); ++i) {
            TComponent* c = instance->Components(i);
            if (std::find(before.begin(), before.end(), c) == before.end()) result.push_back(c);
        }
        return result;
    };

    instance->Loading();
    TScopeExit undo([&] {
        // Last added first, looking again each time: freeing one may free others with it.
        for (std::vector<TComponent*> made = added(); !made.empty(); made = added()) Free(made.back());
        instance->ExcludeState(csLoading);
    });
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) (*it)(instance);
    undo.Dismiss();
    instance->Loaded();
    for (TComponent* c : added()) c->Loaded();
    return true;
}
