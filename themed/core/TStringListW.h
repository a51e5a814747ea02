// The list of wide strings with objects that themed list and combo items keep their lines in. It streams
// with a form as the property "Strings" (wide string values; objects are not stored) and converts to and
// from the class library's 8-bit string lists.
#pragma once
#include <vector>

#include "classlib/core/Method.h"
#include "classlib/core/TPersistent.h"
#include "classlib/core/Types.h"

class TStringListW : public TPersistent {
    CLASSLIB_CLASS(TStringListW, TPersistent)
public:
    TStringListW() = default;

    int Count() const { return int(entries_.size()); }
    int Capacity() const { return capacity_; }
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool value) { caseSensitive_ = value; }
    TNotifyEvent OnChange;

    int Add(const WideString& text, TObject* object = nullptr);
    // 0 <= index <= Count; raises EStringListError "List index out of bounds (%d)" otherwise.
    void Insert(int index, const WideString& text, TObject* object = nullptr);
    // Raises EStringListError "List index out of bounds (%d)" outside 0..Count-1.
    WideString Get(int index) const;
    TObject* GetObject(int index) const;
    // The first line equal to text by CompareStrings, -1 when none is.
    int IndexOf(const WideString& text) const;
    void Clear();
    void BeginUpdate();
    void EndUpdate();
    // Same count and the same texts, unit for unit (objects are not compared).
    bool Equals(const TStringListW* other) const;

    // From another wide list or an 8-bit string list (lines converted from the system code page), with the
    // objects; anything else goes to the base class.
    void Assign(TPersistent* source) override;
    // To an 8-bit string list (lines converted to the system code page); anything else is refused.
    void AssignTo(TPersistent* dest) override;

    // The locale comparison of the system: case-sensitive or not by CaseSensitive.
    virtual int CompareStrings(const WideString& a, const WideString& b) const;

    // Told the reason before a failed read of "Strings" is raised again (the application shows it).
    using TReadFailureHandler = void (*)(const AnsiString& message);
    static void SetReadFailureHandler(TReadFailureHandler handler);

    // The names the shared list rules use.
    int GetCount() const { return Count(); }

    void DefineProperties(TFiler* filer) override;

protected:
    virtual void Changed();

private:
    struct Entry {
        WideString text;
        TObject* object = nullptr;
    };
    void Grow();
    void CheckIndex(int index, int limit) const;

    std::vector<Entry> entries_;
    int capacity_ = 0;
    bool caseSensitive_ = false;
    int updateCount_ = 0;
};
