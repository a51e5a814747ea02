#include "classlib/win/TWindowStrings.h"

void TWindowStrings::CheckIndex(int index, bool allowEnd) const {
    const int count = GetCount();
    if (index < 0 || index > count || (index == count && !allowEnd)) Error("List index out of bounds (%d)", index);
}

AnsiString TWindowStrings::Get(int index) const {
    CheckIndex(index);
    return InWindow() ? WindowGet(index) : memory_->Get(index);
}

int TWindowStrings::GetCount() const { return InWindow() ? WindowCount() : memory_->GetCount(); }

TObject* TWindowStrings::GetObject(int index) const {
    CheckIndex(index);
    return InWindow() ? WindowGetObject(index) : memory_->GetObject(index);
}

void TWindowStrings::PutObject(int index, TObject* obj) {
    CheckIndex(index);
    if (InWindow())
        WindowPutObject(index, obj);
    else
        memory_->PutObject(index, obj);
}

void TWindowStrings::Insert(int index, const AnsiString& s) { InsertObject(index, s, nullptr); }

void TWindowStrings::InsertObject(int index, const AnsiString& s, TObject* obj) {
    CheckIndex(index, true);
    if (InWindow())
        WindowInsert(index, s, obj);
    else
        memory_->InsertObject(index, s, obj);
    Changed();
}

void TWindowStrings::Delete(int index) {
    CheckIndex(index);
    if (InWindow())
        WindowDelete(index);
    else
        memory_->Delete(index);
    Changed();
}

void TWindowStrings::Clear() {
    if (InWindow())
        WindowClear();
    else
        memory_->Clear();
    Changed();
}

void TWindowStrings::Save() {
    memory_->Clear();
    const int count = WindowCount();
    for (int i = 0; i < count; ++i) memory_->AddObject(WindowGet(i), WindowGetObject(i));
}

void TWindowStrings::Restore() {
    for (int i = 0; i < memory_->GetCount(); ++i) WindowInsert(i, memory_->Get(i), memory_->GetObject(i));
    memory_->Clear();
}
