#include "classlib/core/TPersistent.h"

void TPersistent::Assign(TPersistent* source) {
    if (source)
        source->AssignTo(this);
    else
        RaiseAssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) {
    if (dest) dest->RaiseAssignError(this);
    throw EConvertError("Cannot assign a " + ClassName() + " to a nil");
}

void TPersistent::RaiseAssignError(TPersistent* source) {
    AnsiString from = source ? source->ClassName() : AnsiString("nil");
    throw EConvertError("Cannot assign a " + from + " to a " + ClassName());
}

void TPersistent::DefineProperties(TFiler*) {}

TPersistent* TPersistent::GetOwner() { return nullptr; }

AnsiString TPersistent::GetNamePath() { return ClassName(); }
