// A list of method references (object and member): the idle listeners, the language listeners and the
// deferred calls. Entries are compared by both parts, so a listener is removed by the same reference it was
// added with.
#pragma once
#include <vector>

#include "classlib/core/Method.h"

using TKelvoMethod = Method<void()>;

class TKelvoMethodList {
public:
    // Appends the reference; returns its index.
    int Add(TKelvoMethod method);
    // Raises EListError "List index out of bounds (%d)" for an index outside the list.
    TKelvoMethod GetMethod(int index) const;
    // Removes the last entry equal to method; returns the index it had, or -1 when there was none.
    int Remove(TKelvoMethod method);
    void Delete(int index);
    void Clear() { items_.clear(); }
    int Count() const { return static_cast<int>(items_.size()); }
    bool Contains(TKelvoMethod method) const;

    // Calls every entry present when the pass begins, index 0 upwards. An entry removed during the pass (by
    // an earlier call, or because its object was freed and took itself out) is not called; entries added
    // during the pass wait for the next one. When a call raises, report runs inside the handler (when
    // assigned; otherwise the error passes on) and the pass goes on.
    void CallEach(TKelvoMethod report = nullptr) const;

private:
    std::vector<TKelvoMethod> items_;
};
