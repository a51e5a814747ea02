// A string list whose lines live in a control's window (combo box items, tab captions) while the window
// exists and in memory while it does not: before the window is made, between its destruction and its
// re-creation, and for controls filled before they have a parent. The control moves the lines into the
// window after creating it (Restore) and out of it before destroying it (Save).
#pragma once
#include "classlib/core/TStringList.h"
#include "classlib/core/TStrings.h"

class TWindowStrings : public TStrings {
    CLASSLIB_CLASS(TWindowStrings, TStrings)
public:
    TWindowStrings() = default;

    AnsiString Get(int index) const override;
    int GetCount() const override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* obj) override;
    void Insert(int index, const AnsiString& s) override;
    void InsertObject(int index, const AnsiString& s, TObject* obj) override;
    void Delete(int index) override;
    void Clear() override;

    // Copies the window's lines into memory (the window is about to go).
    void Save();
    // Puts the lines kept in memory at the start of the window's (which was just made) and empties the
    // memory copy.
    void Restore();

protected:
    // Whether the lines are in the window now.
    virtual bool InWindow() const = 0;
    // The window's side; indexes are checked before these are called.
    virtual int WindowCount() const = 0;
    virtual AnsiString WindowGet(int index) const = 0;
    virtual TObject* WindowGetObject(int index) const = 0;
    virtual void WindowPutObject(int index, TObject* obj) = 0;
    // Inserts before index (index == count appends); raises when the window refuses.
    virtual void WindowInsert(int index, const AnsiString& s, TObject* obj) = 0;
    virtual void WindowDelete(int index) = 0;
    virtual void WindowClear() = 0;
    // Called after every change of the lines (not during Save and Restore).
    virtual void Changed() {}

    void CheckIndex(int index, bool allowEnd = false) const;

private:
    TObjectPtr<TStringList> memory_ = MakeObject<TStringList>();
};
