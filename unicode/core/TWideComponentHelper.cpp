#include "unicode/core/TWideComponentHelper.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "unicode/core/UniExceptions.h"

namespace {

// Ordered by the address of the helped component, so a look-up is a binary search.
std::vector<TWideComponentHelper*>& Helpers() {
    static std::vector<TWideComponentHelper*> helpers;
    return helpers;
}

std::vector<TWideComponentHelper*>::iterator LowerBound(TComponent* component) {
    auto& h = Helpers();
    return std::lower_bound(h.begin(), h.end(), component, [](TWideComponentHelper* helper, TComponent* c) {
        return std::less<TComponent*>()(helper->Component(), c);
    });
}

template <class Helper>
Helper* FindOrCreate(TComponent* component, bool create) {
    if (!component) return nullptr;
    auto it = LowerBound(component);
    if (it != Helpers().end() && (*it)->Component() == component) return dynamic_cast<Helper*>(*it);
    if (!create) return nullptr;
    auto helper = std::make_unique<Helper>(component);
    Helpers().insert(LowerBound(component), helper.get());
    return helper.release();
}

}  // namespace

TWideComponentHelper::TWideComponentHelper(TComponent* component) : TComponent(nullptr), component_(component) {
    if (!component) throw EUniInternalError("Internal Error: TWideComponentHelper.Create should never be encountered.");
    component->FreeNotification(this);
}

TWideComponentHelper::~TWideComponentHelper() {
    auto it = LowerBound(component_);
    if (it != Helpers().end() && *it == this) Helpers().erase(it);
}

void TWideComponentHelper::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    // The helped component is being destroyed: the helper leaves the list and goes with it.
    if (operation == opRemove && component == component_) delete this;
}

namespace uni {

TWideComponentHelper* FindWideComponentHelper(TComponent* component, bool create) {
    return FindOrCreate<TWideComponentHelper>(component, create);
}

TWideControlHelper* FindWideControlHelper(TComponent* control, bool create) {
    return FindOrCreate<TWideControlHelper>(control, create);
}

int WideComponentHelperCount() { return int(Helpers().size()); }

void FreeWideComponentHelpers() {
    while (!Helpers().empty()) delete Helpers().back();
}

}  // namespace uni
