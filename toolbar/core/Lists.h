// Lists that exist only while they hold something: the owner keeps a null pointer until the first item is
// added, and the list goes away with its last item.
//
//   std::unique_ptr<std::vector<TTBView*>> views;
//   tb::AddToList(views, view);       // creates the list, true
//   tb::AddToList(views, view);       // already there, false
//   tb::RemoveFromList(views, view);  // empty again: views is null
#pragma once
#include <algorithm>
#include <memory>
#include <vector>

#include "classlib/core/TList.h"

namespace tb {

// Appends item unless it is already in the list; true when it was added.
template <class T>
bool AddToList(std::unique_ptr<std::vector<T*>>& list, T* item) {
    if (!list) list = std::make_unique<std::vector<T*>>();
    if (std::find(list->begin(), list->end(), item) != list->end()) return false;
    list->push_back(item);
    return true;
}

// Puts item first unless it is already in the list; true when it was added.
template <class T>
bool AddToFrontOfList(std::unique_ptr<std::vector<T*>>& list, T* item) {
    if (!list) list = std::make_unique<std::vector<T*>>();
    if (std::find(list->begin(), list->end(), item) != list->end()) return false;
    list->insert(list->begin(), item);
    return true;
}

// Takes item out; the list is freed when it becomes empty. A null list is left alone.
template <class T>
void RemoveFromList(std::unique_ptr<std::vector<T*>>& list, T* item) {
    if (!list) return;
    list->erase(std::remove(list->begin(), list->end(), item), list->end());
    if (list->empty()) list.reset();
}

// Quicksort of a pointer list by a comparison that also receives a value of the caller's.
using TListSortCompareEx = int (*)(void* item1, void* item2, void* extra);
void ListSortEx(TList& list, TListSortCompareEx compare, void* extra);

}  // namespace tb
