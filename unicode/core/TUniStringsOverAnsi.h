// Wide item texts kept beside a control's 8-bit item list: the count, the objects and the update state are
// the 8-bit list's, only the texts are wide.
#pragma once
#include "classlib/core/TStrings.h"
#include "unicode/core/TUniStrings.h"

class TUniStringsOverAnsi : public TUniStrings {
    CLASSLIB_CLASS(TUniStringsOverAnsi, TUniStrings)
public:
    int GetCount() const override { return AnsiItems()->Count(); }
    TObject* GetObject(int index) const override { return AnsiItems()->GetObject(index); }
    void PutObject(int index, TObject* obj) override { AnsiItems()->PutObject(index, obj); }
    void SetUpdateState(bool updating) override {
        if (updating)
            AnsiItems()->BeginUpdate();
        else
            AnsiItems()->EndUpdate();
    }

protected:
    // The 8-bit list the texts are kept beside.
    virtual TStrings* AnsiItems() const = 0;
};
