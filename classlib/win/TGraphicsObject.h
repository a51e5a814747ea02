// The common base of fonts, pens and brushes: a drawing object whose system handle is made on demand and
// that tells its user (usually a canvas) when a property changed.
#pragma once
#include "classlib/core/Method.h"
#include "classlib/core/TPersistent.h"

class TGraphicsObject : public TPersistent {
    CLASSLIB_CLASS(TGraphicsObject, TPersistent)
public:
    // Raised after any property changed. A canvas that has the object selected puts the stock object back
    // into its DC here, before the object frees its old handle.
    TNotifyEvent OnChange;

protected:
    virtual void Changed();
};
