// A list of counted interface references, safe to use from several threads (every operation takes the
// list's lock; Lock/Unlock hold it across several).
#pragma once
#include <mutex>
#include <vector>

#include "classlib/core/IInterface.h"
#include "classlib/core/TObject.h"

class TInterfaceList : public TObject {
    CLASSLIB_CLASS(TInterfaceList, TObject)

    TInterfaceList() = default;
    ~TInterfaceList() override;

    int Count() const;
    // Raises EListError "List index out of bounds (%d)" for a bad index.
    IPtr<IInterface> Items(int index) const;
    void SetItem(int index, const IPtr<IInterface>& item);
    int Add(const IPtr<IInterface>& item);
    template <class I>
    int Add(const IPtr<I>& item) {
        return Add(IPtr<IInterface>(item));
    }
    void Insert(int index, const IPtr<IInterface>& item);
    void Delete(int index);
    // Index of the first reference to the same object, or -1.
    int IndexOf(const IInterface* item) const;
    // Removes the first reference to the same object; returns its index or -1.
    int Remove(const IInterface* item);
    void Exchange(int a, int b);
    IPtr<IInterface> First() const { return Items(0); }
    IPtr<IInterface> Last() const;
    void Clear();

    void Lock() const { lock_.lock(); }
    void Unlock() const { lock_.unlock(); }

private:
    void CheckIndex(int index, int limit) const;
    mutable std::recursive_mutex lock_;
    std::vector<IPtr<IInterface>> items_;
};
