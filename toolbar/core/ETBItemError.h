// Errors of the item tree.
#pragma once
#include "classlib/core/Exceptions.h"

CLASSLIB_DECLARE_EXCEPTION(ETBItemError, Exception);

namespace tb {
// Resource texts 65230 and 65231.
inline constexpr const char* kItemIndexOutOfRange = "Toolbar item index out of range";
inline constexpr const char* kItemAlreadyInserted = "Toolbar item already inserted";
inline constexpr const char* kItemIsNil = "Toolbar item is nil";
// Inserting an item into itself or below itself would make the tree a cycle.
inline constexpr const char* kItemInsertedIntoItself = "Toolbar item cannot be inserted into itself";
}  // namespace tb
