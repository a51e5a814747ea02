// The 8-bit string list base: every operation rests on a few virtual seams (Get, Put, GetCount, GetObject,
// PutObject, Insert, Delete, Clear, SetUpdateState, capacity, text, CompareStrings, stream loading), so a
// subclass can keep its lines anywhere (a vector, a window, a wide list) and inherit the rest.
#pragma once
#include <vector>

#include "classlib/core/Stream.h"
#include "classlib/core/TPersistent.h"

class TStrings : public TPersistent {
    CLASSLIB_CLASS(TStrings, TPersistent)

public:
    TStrings() = default;
    ~TStrings() override;

    // The seams.
    virtual AnsiString Get(int index) const = 0;
    virtual int GetCount() const = 0;
    virtual TObject* GetObject(int index) const;       // base: no objects (null)
    virtual void Put(int index, const AnsiString& s);  // base: delete and insert, keeping the object
    virtual void PutObject(int index, TObject* obj);   // base: ignored
    virtual void Insert(int index, const AnsiString& s) = 0;
    virtual void InsertObject(int index, const AnsiString& s, TObject* obj);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    // Called with true when the first BeginUpdate opens a bracket and with false when the last EndUpdate closes it.
    virtual void SetUpdateState(bool updating);
    virtual int GetCapacity() const;         // base: the count
    virtual void SetCapacity(int capacity);  // base: ignored
    // Every line followed by CR LF.
    virtual AnsiString GetTextStr() const;
    // Replaces the lines by those of the text (ends: CR LF, LF or CR; a last unterminated line counts).
    virtual void SetTextStr(const AnsiString& text);
    // How two lines compare for IndexOf, IndexOfName and sorting: case-insensitive in the system locale.
    virtual int CompareStrings(const AnsiString& s1, const AnsiString& s2) const;

    virtual int Add(const AnsiString& s);
    virtual int AddObject(const AnsiString& s, TObject* obj);
    void Append(const AnsiString& s) { Add(s); }
    virtual void AddStrings(const TStrings* strings);
    // From another TStrings: its lines and objects replace these, and its delimiter, quote and name/value
    // separator are taken over. Other sources go through AssignTo of the source.
    void Assign(TPersistent* source) override;
    virtual void Exchange(int index1, int index2);
    virtual void Move(int curIndex, int newIndex);
    virtual int IndexOf(const AnsiString& s) const;
    virtual int IndexOfName(const AnsiString& name) const;
    virtual int IndexOfObject(TObject* obj) const;
    // Same count and the same lines, byte for byte (objects are not compared).
    bool Equals(const TStrings* strings) const;

    // Reads the rest of the stream as text; writes the text.
    virtual void LoadFromStream(TStream& stream);
    virtual void SaveToStream(TStream& stream) const;
    virtual void LoadFromFile(const AnsiString& fileName);
    virtual void SaveToFile(const AnsiString& fileName) const;

    // Nested update brackets; only the outermost calls SetUpdateState. A surplus EndUpdate is ignored.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // Property-like access.
    int Count() const { return GetCount(); }
    AnsiString Strings(int index) const { return Get(index); }
    void SetStrings(int index, const AnsiString& s) { Put(index, s); }
    AnsiString operator[](int index) const { return Get(index); }
    TObject* Objects(int index) const { return GetObject(index); }
    void SetObjects(int index, TObject* obj) { PutObject(index, obj); }
    int Capacity() const { return GetCapacity(); }
    AnsiString Text() const { return GetTextStr(); }
    void SetText(const AnsiString& text) { SetTextStr(text); }

    // Name/value lines "name=value" (the separator is NameValueSeparator).
    // Names: the part before the first separator, empty when the line has none.
    AnsiString Names(int index) const;
    // The value of the first line whose name compares equal (CompareStrings); empty when there is none.
    AnsiString Values(const AnsiString& name) const;
    // Sets the value of the first such line, or appends "name=value"; an empty value deletes the line.
    void SetValues(const AnsiString& name, const AnsiString& value);
    // The part after the first separator; empty when the line has no separator.
    AnsiString ValueFromIndex(int index) const;
    void SetValueFromIndex(int index, const AnsiString& value);
    char NameValueSeparator() const { return nameValueSeparator_; }
    void SetNameValueSeparator(char c) { nameValueSeparator_ = c; }

    // Delimited text: lines joined with the delimiter, quoted with the quote character where needed.
    AnsiString DelimitedText() const;
    void SetDelimitedText(const AnsiString& text);
    char Delimiter() const { return delimiter_; }
    void SetDelimiter(char c) { delimiter_ = c; }
    char QuoteChar() const { return quoteChar_; }
    void SetQuoteChar(char c) { quoteChar_ = c; }
    // Delimited text with ',' and '"'.
    AnsiString CommaText() const;
    void SetCommaText(const AnsiString& text);

    // The "Strings" entry: a list of string values.
    void DefineProperties(TFiler* filer) override;

    // Raises EStringListError with the message formatted with data ("List index out of bounds (%d)").
    [[noreturn]] static void Error(const AnsiString& message, int data);

protected:
    std::vector<AnsiString> Lines() const;

private:
    int updateCount_ = 0;
    char nameValueSeparator_ = '=';
    char delimiter_ = ',';
    char quoteChar_ = '"';
};
