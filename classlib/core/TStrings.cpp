#include "classlib/core/TStrings.h"

#include "classlib/core/Checked.h"
#include "classlib/core/Format.h"
#include "classlib/core/StringListText.h"
#include "classlib/core/StringUtils.h"
#include "classlib/core/TFileStream.h"
#include "classlib/core/TReader.h"
#include "classlib/core/TWriter.h"

namespace lt = classlib::listtext;

TStrings::~TStrings() = default;

void TStrings::Error(const AnsiString& message, int data) {
    throw EStringListError(Format(message, {data}));
}

TObject* TStrings::GetObject(int) const {
    return nullptr;
}

void TStrings::Put(int index, const AnsiString& s) {
    TObject* obj = GetObject(index);
    Delete(index);
    InsertObject(index, s, obj);
}

void TStrings::PutObject(int, TObject*) {}

void TStrings::InsertObject(int index, const AnsiString& s, TObject* obj) {
    Insert(index, s);
    PutObject(index, obj);
}

void TStrings::SetUpdateState(bool) {}

int TStrings::GetCapacity() const {
    return GetCount();
}

void TStrings::SetCapacity(int) {}

std::vector<AnsiString> TStrings::Lines() const {
    std::vector<AnsiString> lines;
    const int n = GetCount();
    lines.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) lines.push_back(Get(i));
    return lines;
}

AnsiString TStrings::GetTextStr() const {
    AnsiString text;
    const int n = GetCount();
    for (int i = 0; i < n; ++i) {
        text += Get(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetTextStr(const AnsiString& text) {
    BeginUpdate();
    try {
        Clear();
        for (AnsiString& line : lt::SplitLines<char>(text)) Add(line);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int TStrings::CompareStrings(const AnsiString& s1, const AnsiString& s2) const {
    return AnsiCompareText(s1, s2);
}

int TStrings::Add(const AnsiString& s) {
    const int index = GetCount();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const AnsiString& s, TObject* obj) {
    const int index = Add(s);
    PutObject(index, obj);
    return index;
}

void TStrings::AddStrings(const TStrings* strings) {
    if (!strings) return;
    // Copied first, so that adding a list to itself ends.
    const int n = strings->GetCount();
    std::vector<std::pair<AnsiString, TObject*>> copy;
    copy.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) copy.emplace_back(strings->Get(i), strings->GetObject(i));
    BeginUpdate();
    try {
        for (auto& [s, obj] : copy) AddObject(s, obj);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Assign(TPersistent* source) {
    if (auto* src = dynamic_cast<TStrings*>(source)) {
        if (src == this) return;
        BeginUpdate();
        try {
            Clear();
            nameValueSeparator_ = src->nameValueSeparator_;
            delimiter_ = src->delimiter_;
            quoteChar_ = src->quoteChar_;
            AddStrings(src);
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
        return;
    }
    TPersistent::Assign(source);
}

void TStrings::Exchange(int index1, int index2) {
    BeginUpdate();
    try {
        const AnsiString s = Get(index1);
        TObject* obj = GetObject(index1);
        Put(index1, Get(index2));
        PutObject(index1, GetObject(index2));
        Put(index2, s);
        PutObject(index2, obj);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    BeginUpdate();
    try {
        const AnsiString s = Get(curIndex);
        TObject* obj = GetObject(curIndex);
        if (newIndex < 0 || newIndex >= GetCount()) Error("List index out of bounds (%d)", newIndex);
        Delete(curIndex);
        InsertObject(newIndex, s, obj);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int TStrings::IndexOf(const AnsiString& s) const {
    const int n = GetCount();
    for (int i = 0; i < n; ++i) {
        if (CompareStrings(Get(i), s) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfName(const AnsiString& name) const {
    const int n = GetCount();
    for (int i = 0; i < n; ++i) {
        const AnsiString s = Get(i);
        const std::size_t sep = s.find(nameValueSeparator_);
        if (sep != AnsiString::npos && CompareStrings(s.substr(0, sep), name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(TObject* obj) const {
    const int n = GetCount();
    for (int i = 0; i < n; ++i) {
        if (GetObject(i) == obj) return i;
    }
    return -1;
}

bool TStrings::Equals(const TStrings* strings) const {
    if (!strings) return false;
    const int n = GetCount();
    if (n != strings->GetCount()) return false;
    for (int i = 0; i < n; ++i) {
        if (Get(i) != strings->Get(i)) return false;
    }
    return true;
}

void TStrings::LoadFromStream(TStream& stream) {
    const std::int64_t remaining = stream.Remaining();
    AnsiString text;
    if (remaining > 0) {
        text.resize(std::size_t(CheckedCast<std::int32_t>(remaining)));
        stream.ReadBuffer(text.data(), std::int32_t(text.size()));
    }
    SetTextStr(text);
}

void TStrings::SaveToStream(TStream& stream) const {
    const AnsiString text = GetTextStr();
    stream.WriteBuffer(text.data(), CheckedCast<std::int32_t>(text.size()));
}

void TStrings::LoadFromFile(const AnsiString& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TStrings::SaveToFile(const AnsiString& fileName) const {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

void TStrings::BeginUpdate() {
    if (updateCount_ == 0) SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate() {
    if (updateCount_ == 0) return;
    --updateCount_;
    if (updateCount_ == 0) SetUpdateState(false);
}

AnsiString TStrings::Names(int index) const {
    return lt::NameOfLine(Get(index), nameValueSeparator_);
}

AnsiString TStrings::Values(const AnsiString& name) const {
    const int i = IndexOfName(name);
    return i < 0 ? AnsiString() : ValueFromIndex(i);
}

void TStrings::SetValues(const AnsiString& name, const AnsiString& value) {
    lt::SetNamedValue(*this, name, value, nameValueSeparator_);
}

AnsiString TStrings::ValueFromIndex(int index) const {
    return lt::ValueOfLine(Get(index), nameValueSeparator_);
}

void TStrings::SetValueFromIndex(int index, const AnsiString& value) {
    lt::SetValueAt(*this, index, value, nameValueSeparator_);
}

AnsiString TStrings::DelimitedText() const {
    return lt::JoinDelimited<char>(Lines(), delimiter_, quoteChar_);
}

void TStrings::SetDelimitedText(const AnsiString& text) {
    const auto items = lt::SplitDelimited<char>(text, delimiter_, quoteChar_);
    BeginUpdate();
    try {
        Clear();
        for (const AnsiString& item : items) Add(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

AnsiString TStrings::CommaText() const {
    return lt::JoinDelimited<char>(Lines(), ',', '"');
}

void TStrings::SetCommaText(const AnsiString& text) {
    const auto items = lt::SplitDelimited<char>(text, ',', '"');
    BeginUpdate();
    try {
        Clear();
        for (const AnsiString& item : items) Add(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::DefineProperties(TFiler* filer) {
    TPersistent::DefineProperties(filer);
    bool hasData = GetCount() > 0;
    if (auto* ancestor = dynamic_cast<TStrings*>(filer->Ancestor())) hasData = !Equals(ancestor);
    filer->DefineProperty(
        "Strings",
        [this](TReader& reader) {
            reader.ReadListBegin();
            BeginUpdate();
            try {
                Clear();
                while (!reader.EndOfList()) Add(reader.ReadString());
                reader.ReadListEnd();
            } catch (...) {
                EndUpdate();
                throw;
            }
            EndUpdate();
        },
        [this](TWriter& writer) {
            writer.WriteListBegin();
            const int n = GetCount();
            for (int i = 0; i < n; ++i) writer.WriteString(Get(i));
            writer.WriteListEnd();
        },
        hasData);
}
