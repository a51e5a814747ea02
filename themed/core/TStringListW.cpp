#include "themed/core/TStringListW.h"

#include "classlib/core/CodePages.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/StringsCommon.h"
#include "classlib/core/TReader.h"
#include "classlib/core/TStrings.h"
#include "classlib/core/TWriter.h"

namespace sc = classlib::strings;

namespace {
TStringListW::TReadFailureHandler readFailureHandler = nullptr;
}

void TStringListW::SetReadFailureHandler(TReadFailureHandler handler) { readFailureHandler = handler; }

void TStringListW::CheckIndex(int index, int limit) const {
    if (index < 0 || index > limit) sc::RaiseListError("List index out of bounds (%d)", index);
}

// Small lists grow by 4, medium ones by 16, large ones by a quarter.
void TStringListW::Grow() {
    if (capacity_ < 9)
        capacity_ += 4;
    else if (capacity_ < 65)
        capacity_ += 16;
    else
        capacity_ += capacity_ / 4;
    entries_.reserve(std::size_t(capacity_));
}

int TStringListW::Add(const WideString& text, TObject* object) {
    const int index = Count();
    Insert(index, text, object);
    return index;
}

void TStringListW::Insert(int index, const WideString& text, TObject* object) {
    CheckIndex(index, Count());
    if (Count() == capacity_) Grow();
    entries_.insert(entries_.begin() + index, Entry{text, object});
    Changed();
}

WideString TStringListW::Get(int index) const {
    CheckIndex(index, Count() - 1);
    return entries_[std::size_t(index)].text;
}

TObject* TStringListW::GetObject(int index) const {
    CheckIndex(index, Count() - 1);
    return entries_[std::size_t(index)].object;
}

int TStringListW::CompareStrings(const WideString& a, const WideString& b) const {
    return caseSensitive_ ? WideCompareStr(a, b) : CompareTextSystem(a, b);
}

int TStringListW::IndexOf(const WideString& text) const { return sc::IndexOfLine(*this, text); }

void TStringListW::Clear() {
    entries_.clear();
    entries_.shrink_to_fit();
    capacity_ = 0;
    Changed();
}

void TStringListW::BeginUpdate() { ++updateCount_; }

void TStringListW::EndUpdate() {
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0) Changed();
}

void TStringListW::Changed() {
    if (updateCount_ == 0 && OnChange) OnChange(this);
}

bool TStringListW::Equals(const TStringListW* other) const { return sc::SameLines(*this, other); }

void TStringListW::Assign(TPersistent* source) {
    if (auto* wide = dynamic_cast<TStringListW*>(source)) {
        if (wide == this) return;
        TUpdateGuard update(*this);
        Clear();
        for (const Entry& e : wide->entries_) Add(e.text, e.object);
        return;
    }
    if (auto* narrow = dynamic_cast<TStrings*>(source)) {
        TUpdateGuard update(*this);
        Clear();
        const int n = narrow->GetCount();
        for (int i = 0; i < n; ++i) Add(AnsiToWide(narrow->Get(i)), narrow->GetObject(i));
        return;
    }
    TPersistent::Assign(source);
}

void TStringListW::AssignTo(TPersistent* dest) {
    if (auto* narrow = dynamic_cast<TStrings*>(dest)) {
        TUpdateGuard update(*narrow);
        narrow->Clear();
        for (const Entry& e : entries_) narrow->AddObject(WideToAnsi(e.text), e.object);
        return;
    }
    TPersistent::AssignTo(dest);
}

void TStringListW::DefineProperties(TFiler* filer) {
    TPersistent::DefineProperties(filer);
    // Wide or 8-bit string values are read alike; a value that cannot be read is reported before it is
    // raised again.
    sc::DefineLinesProperty(
        *this, filer,
        [](TReader& reader) {
            try {
                return reader.ReadWideString();
            } catch (...) {
                if (readFailureHandler) readFailureHandler("could not read stringlistw property");
                throw;
            }
        },
        [](TWriter& writer, const WideString& s) { writer.WriteWideString(s); });
}
