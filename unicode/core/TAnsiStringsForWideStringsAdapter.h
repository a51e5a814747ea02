// An 8-bit string list that is a view of a wide one: every line is converted on the way in and out through
// a code page (0: the system ANSI code page).
#pragma once
#include "classlib/core/TStrings.h"

class TWideStrings;

class TAnsiStringsForWideStringsAdapter : public TStrings {
    CLASSLIB_CLASS(TAnsiStringsForWideStringsAdapter, TStrings)

public:
    // wideStrings is not owned and must outlive the adapter.
    TAnsiStringsForWideStringsAdapter(TWideStrings* wideStrings, int codePage);

    AnsiString Get(int index) const override;
    int GetCount() const override;
    TObject* GetObject(int index) const override;
    void Put(int index, const AnsiString& s) override;
    void PutObject(int index, TObject* obj) override;
    void Insert(int index, const AnsiString& s) override;
    void Delete(int index) override;
    void Clear() override;

    // Reads the rest of the stream as 8-bit text in codePage and makes it the wide list's text.
    void LoadFromStreamInCodePage(TStream& stream, int codePage);
    // Writes the wide list's text in codePage (no terminator, no byte-order mark).
    void SaveToStreamInCodePage(TStream& stream, int codePage) const;

    int CodePage() const { return codePage_; }

protected:
    void SetUpdateState(bool updating) override;

private:
    int EffectiveCodePage() const;

    TWideStrings* wide_;
    int codePage_;
};
