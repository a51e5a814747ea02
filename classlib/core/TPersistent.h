// Objects that can copy themselves from one another and take part in property streaming.
#pragma once
#include "classlib/core/TObject.h"

// The filer that reads or writes property streams; DefineProperties adds entries of its own to it.
class TFiler;

class TPersistent : public TObject {
    CLASSLIB_CLASS(TPersistent, TObject)

    // Copies source into this object. The base asks the source to copy itself here (AssignTo); when neither
    // side knows the other, EConvertError "Cannot assign a <source class> to a <this class>" is raised
    // ("nil" for a null source).
    virtual void Assign(TPersistent* source);
    // Copies this object into dest; the base raises the EConvertError described at Assign.
    virtual void AssignTo(TPersistent* dest);
    // Adds the entries this class keeps in a property stream beside its published properties.
    virtual void DefineProperties(TFiler* filer);
    // The object that owns this one for naming purposes (null here).
    virtual TPersistent* GetOwner();
    // A name that identifies the object to a user: the owner's path and the class name here.
    virtual AnsiString GetNamePath();

protected:
    [[noreturn]] void RaiseAssignError(TPersistent* source);
};
