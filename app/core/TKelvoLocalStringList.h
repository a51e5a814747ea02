// The texts of one language by number, held as UTF-8 as the language file gave them.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/core/Types.h"

class TKelvoLocalStringList {
public:
    // Replaces the text of an existing id, or appends a new entry (the list is then no longer sorted, unless
    // the id is above every other).
    void SetText(std::int32_t id, const AnsiString& text);
    // Orders the entries by id; look-ups are binary searches from then on.
    void Sort();
    bool Sorted() const { return sorted_; }
    // The index of the id, or -1.
    int Find(std::int32_t id) const;
    // Whether the id exists; its text goes to text.
    bool GetText(std::int32_t id, AnsiString& text) const;
    int Count() const { return static_cast<int>(entries_.size()); }
    void Clear();

private:
    struct Entry {
        std::int32_t id;
        AnsiString text;
    };
    std::vector<Entry> entries_;
    bool sorted_ = true;
};
