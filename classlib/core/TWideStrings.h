// The UTF-16 string list base: the same seams and rules as the 8-bit TStrings, over wide strings. A concrete
// list (the Unicode layer's) derives from it and keeps the lines.
#pragma once
#include <vector>

#include "classlib/core/Stream.h"
#include "classlib/core/TPersistent.h"

class TStrings;

class TWideStrings : public TPersistent {
    CLASSLIB_CLASS(TWideStrings, TPersistent)

public:
    TWideStrings() = default;
    ~TWideStrings() override;

    // The seams.
    virtual WideString Get(int index) const = 0;
    virtual int GetCount() const = 0;
    virtual TObject* GetObject(int index) const;       // base: null
    virtual void Put(int index, const WideString& s);  // base: delete and insert, keeping the object
    virtual void PutObject(int index, TObject* obj);   // base: ignored
    virtual void Insert(int index, const WideString& s) = 0;
    virtual void InsertObject(int index, const WideString& s, TObject* obj);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual void SetUpdateState(bool updating);
    virtual int GetCapacity() const;
    virtual void SetCapacity(int capacity);
    // Every line followed by CR LF; setting splits at CR LF, LF or CR (a last unterminated line counts).
    virtual WideString GetTextStr() const;
    virtual void SetTextStr(const WideString& text);
    // Case-insensitive in the system locale.
    virtual int CompareStrings(const WideString& s1, const WideString& s2) const;

    virtual int Add(const WideString& s);
    virtual int AddObject(const WideString& s, TObject* obj);
    void Append(const WideString& s) { Add(s); }
    virtual void AddStrings(const TWideStrings* strings);
    // 8-bit lines, widened through the system code page.
    virtual void AddStrings(const TStrings* strings);
    // From a TWideStrings, or from a TStrings (widened through the system code page); lines and objects.
    void Assign(TPersistent* source) override;
    // Into a TStrings: the lines narrowed through the system code page, with their objects.
    void AssignTo(TPersistent* dest) override;
    virtual void Exchange(int index1, int index2);
    virtual void Move(int curIndex, int newIndex);
    virtual int IndexOf(const WideString& s) const;
    virtual int IndexOfName(const WideString& name) const;
    virtual int IndexOfObject(TObject* obj) const;
    bool Equals(const TWideStrings* strings) const;

    // The base stream format: UTF-16LE without a byte-order mark (an odd last byte is dropped).
    virtual void LoadFromStream(TStream& stream);
    virtual void SaveToStream(TStream& stream) const;
    // File names are 8-bit here, in the system code page; the Unicode layer's list opens files by wide name.
    virtual void LoadFromFile(const WideString& fileName);
    virtual void SaveToFile(const WideString& fileName) const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    int Count() const { return GetCount(); }
    WideString Strings(int index) const { return Get(index); }
    void SetStrings(int index, const WideString& s) { Put(index, s); }
    WideString operator[](int index) const { return Get(index); }
    TObject* Objects(int index) const { return GetObject(index); }
    void SetObjects(int index, TObject* obj) { PutObject(index, obj); }
    int Capacity() const { return GetCapacity(); }
    WideString Text() const { return GetTextStr(); }
    void SetText(const WideString& text) { SetTextStr(text); }

    WideString Names(int index) const;
    WideString Values(const WideString& name) const;
    void SetValues(const WideString& name, const WideString& value);
    WideString ValueFromIndex(int index) const;
    void SetValueFromIndex(int index, const WideString& value);
    WideChar NameValueSeparator() const { return nameValueSeparator_; }
    void SetNameValueSeparator(WideChar c) { nameValueSeparator_ = c; }

    WideString DelimitedText() const;
    void SetDelimitedText(const WideString& text);
    WideChar Delimiter() const { return delimiter_; }
    void SetDelimiter(WideChar c) { delimiter_ = c; }
    WideChar QuoteChar() const { return quoteChar_; }
    void SetQuoteChar(WideChar c) { quoteChar_ = c; }
    WideString CommaText() const;
    void SetCommaText(const WideString& text);

    // The "Strings" entry: a list of wide string values (8-bit values are widened when read).
    void DefineProperties(TFiler* filer) override;

    // Raises EStringListError with the message formatted with data.
    [[noreturn]] static void Error(const AnsiString& message, int data);

protected:
    std::vector<WideString> Lines() const;
    void ReplaceLines(const std::vector<WideString>& lines);

private:
    int updateCount_ = 0;
    WideChar nameValueSeparator_ = u'=';
    WideChar delimiter_ = u',';
    WideChar quoteChar_ = u'"';
};
