#include "classlib/core/Method.h"

namespace classlib::detail {
void RaiseUnassignedMethod() { throw EInvalidOperation("Call of an unassigned method reference"); }
}  // namespace classlib::detail
