#include "classlib/core/TWideStrings.h"

#include "classlib/core/Checked.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/Format.h"
#include "classlib/core/StringListText.h"
#include "classlib/core/TFileStream.h"
#include "classlib/core/TReader.h"
#include "classlib/core/TStrings.h"
#include "classlib/core/TWriter.h"

namespace lt = classlib::listtext;

namespace {

// Runs body inside an update bracket that closes even when body raises.
template <class F>
void InUpdate(TWideStrings& list, F&& body) {
    list.BeginUpdate();
    try {
        body();
    } catch (...) {
        list.EndUpdate();
        throw;
    }
    list.EndUpdate();
}

}  // namespace

TWideStrings::~TWideStrings() = default;

void TWideStrings::Error(const AnsiString& message, int data) {
    throw EStringListError(Format(message, {data}));
}

TObject* TWideStrings::GetObject(int) const {
    return nullptr;
}

void TWideStrings::Put(int index, const WideString& s) {
    TObject* obj = GetObject(index);
    Delete(index);
    InsertObject(index, s, obj);
}

void TWideStrings::PutObject(int, TObject*) {}

void TWideStrings::InsertObject(int index, const WideString& s, TObject* obj) {
    Insert(index, s);
    PutObject(index, obj);
}

void TWideStrings::SetUpdateState(bool) {}

int TWideStrings::GetCapacity() const {
    return GetCount();
}

void TWideStrings::SetCapacity(int) {}

std::vector<WideString> TWideStrings::Lines() const {
    std::vector<WideString> lines;
    const int n = GetCount();
    lines.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) lines.push_back(Get(i));
    return lines;
}

void TWideStrings::ReplaceLines(const std::vector<WideString>& lines) {
    InUpdate(*this, [&] {
        Clear();
        for (const WideString& line : lines) Add(line);
    });
}

WideString TWideStrings::GetTextStr() const {
    WideString text;
    const int n = GetCount();
    for (int i = 0; i < n; ++i) {
        text += Get(i);
        text += u"\r\n";
    }
    return text;
}

void TWideStrings::SetTextStr(const WideString& text) {
    ReplaceLines(lt::SplitLines<char16_t>(text));
}

int TWideStrings::CompareStrings(const WideString& s1, const WideString& s2) const {
    return WideCompareText(s1, s2);
}

int TWideStrings::Add(const WideString& s) {
    const int index = GetCount();
    Insert(index, s);
    return index;
}

int TWideStrings::AddObject(const WideString& s, TObject* obj) {
    const int index = Add(s);
    PutObject(index, obj);
    return index;
}

void TWideStrings::AddStrings(const TWideStrings* strings) {
    if (!strings) return;
    const int n = strings->GetCount();
    std::vector<std::pair<WideString, TObject*>> copy;
    copy.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) copy.emplace_back(strings->Get(i), strings->GetObject(i));
    InUpdate(*this, [&] {
        for (auto& [s, obj] : copy) AddObject(s, obj);
    });
}

void TWideStrings::AddStrings(const TStrings* strings) {
    if (!strings) return;
    const int n = strings->GetCount();
    std::vector<std::pair<WideString, TObject*>> copy;
    copy.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) copy.emplace_back(AnsiToWide(strings->Get(i)), strings->GetObject(i));
    InUpdate(*this, [&] {
        for (auto& [s, obj] : copy) AddObject(s, obj);
    });
}

void TWideStrings::Assign(TPersistent* source) {
    if (auto* wide = dynamic_cast<TWideStrings*>(source)) {
        if (wide == this) return;
        InUpdate(*this, [&] {
            Clear();
            nameValueSeparator_ = wide->nameValueSeparator_;
            delimiter_ = wide->delimiter_;
            quoteChar_ = wide->quoteChar_;
            AddStrings(wide);
        });
        return;
    }
    if (auto* narrow = dynamic_cast<TStrings*>(source)) {
        InUpdate(*this, [&] {
            Clear();
            nameValueSeparator_ = WideChar(static_cast<unsigned char>(narrow->NameValueSeparator()));
            delimiter_ = WideChar(static_cast<unsigned char>(narrow->Delimiter()));
            quoteChar_ = WideChar(static_cast<unsigned char>(narrow->QuoteChar()));
            AddStrings(narrow);
        });
        return;
    }
    TPersistent::Assign(source);
}

void TWideStrings::AssignTo(TPersistent* dest) {
    if (auto* narrow = dynamic_cast<TStrings*>(dest)) {
        const int n = GetCount();
        std::vector<std::pair<AnsiString, TObject*>> copy;
        copy.reserve(std::size_t(n));
        for (int i = 0; i < n; ++i) copy.emplace_back(WideToAnsi(Get(i)), GetObject(i));
        narrow->BeginUpdate();
        try {
            narrow->Clear();
            for (auto& [s, obj] : copy) narrow->AddObject(s, obj);
        } catch (...) {
            narrow->EndUpdate();
            throw;
        }
        narrow->EndUpdate();
        return;
    }
    TPersistent::AssignTo(dest);
}

void TWideStrings::Exchange(int index1, int index2) {
    InUpdate(*this, [&] {
        const WideString s = Get(index1);
        TObject* obj = GetObject(index1);
        Put(index1, Get(index2));
        PutObject(index1, GetObject(index2));
        Put(index2, s);
        PutObject(index2, obj);
    });
}

void TWideStrings::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    InUpdate(*this, [&] {
        const WideString s = Get(curIndex);
        TObject* obj = GetObject(curIndex);
        if (newIndex < 0 || newIndex >= GetCount()) Error("List index out of bounds (%d)", newIndex);
        Delete(curIndex);
        InsertObject(newIndex, s, obj);
    });
}

int TWideStrings::IndexOf(const WideString& s) const {
    const int n = GetCount();
    for (int i = 0; i < n; ++i) {
        if (CompareStrings(Get(i), s) == 0) return i;
    }
    return -1;
}

int TWideStrings::IndexOfName(const WideString& name) const {
    const int n = GetCount();
    for (int i = 0; i < n; ++i) {
        const WideString s = Get(i);
        const std::size_t sep = s.find(nameValueSeparator_);
        if (sep != WideString::npos && CompareStrings(s.substr(0, sep), name) == 0) return i;
    }
    return -1;
}

int TWideStrings::IndexOfObject(TObject* obj) const {
    const int n = GetCount();
    for (int i = 0; i < n; ++i) {
        if (GetObject(i) == obj) return i;
    }
    return -1;
}

bool TWideStrings::Equals(const TWideStrings* strings) const {
    if (!strings) return false;
    const int n = GetCount();
    if (n != strings->GetCount()) return false;
    for (int i = 0; i < n; ++i) {
        if (Get(i) != strings->Get(i)) return false;
    }
    return true;
}

void TWideStrings::LoadFromStream(TStream& stream) {
    const std::int64_t remaining = stream.Remaining();
    WideString text;
    if (remaining >= 2) {
        const std::int32_t units = CheckedCast<std::int32_t>(remaining / 2);
        std::vector<Byte> bytes(std::size_t(units) * 2);
        stream.ReadBuffer(bytes.data(), units * 2);
        text.resize(std::size_t(units));
        for (std::size_t i = 0; i < text.size(); ++i) text[i] = char16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        // The odd last byte, if any, is taken too, so the stream ends where the text did.
        if (remaining % 2 != 0) stream.Seek(1, soCurrent);
    } else if (remaining == 1) {
        stream.Seek(1, soCurrent);
    }
    SetTextStr(text);
}

void TWideStrings::SaveToStream(TStream& stream) const {
    const WideString text = GetTextStr();
    std::vector<Byte> bytes(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = Byte(text[i] & 0xFF);
        bytes[2 * i + 1] = Byte(text[i] >> 8);
    }
    stream.WriteBuffer(bytes.data(), CheckedCast<std::int32_t>(bytes.size()));
}

void TWideStrings::LoadFromFile(const WideString& fileName) {
    TFileStream stream(WideToAnsi(fileName), fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TWideStrings::SaveToFile(const WideString& fileName) const {
    TFileStream stream(WideToAnsi(fileName), fmCreate);
    SaveToStream(stream);
}

void TWideStrings::BeginUpdate() {
    if (updateCount_ == 0) SetUpdateState(true);
    ++updateCount_;
}

void TWideStrings::EndUpdate() {
    if (updateCount_ == 0) return;
    --updateCount_;
    if (updateCount_ == 0) SetUpdateState(false);
}

WideString TWideStrings::Names(int index) const {
    return lt::NameOfLine(Get(index), nameValueSeparator_);
}

WideString TWideStrings::Values(const WideString& name) const {
    const int i = IndexOfName(name);
    return i < 0 ? WideString() : ValueFromIndex(i);
}

void TWideStrings::SetValues(const WideString& name, const WideString& value) {
    lt::SetNamedValue(*this, name, value, nameValueSeparator_);
}

WideString TWideStrings::ValueFromIndex(int index) const {
    return lt::ValueOfLine(Get(index), nameValueSeparator_);
}

void TWideStrings::SetValueFromIndex(int index, const WideString& value) {
    lt::SetValueAt(*this, index, value, nameValueSeparator_);
}

WideString TWideStrings::DelimitedText() const {
    return lt::JoinDelimited<char16_t>(Lines(), delimiter_, quoteChar_);
}

void TWideStrings::SetDelimitedText(const WideString& text) {
    ReplaceLines(lt::SplitDelimited<char16_t>(text, delimiter_, quoteChar_));
}

WideString TWideStrings::CommaText() const {
    return lt::JoinDelimited<char16_t>(Lines(), u',', u'"');
}

void TWideStrings::SetCommaText(const WideString& text) {
    ReplaceLines(lt::SplitDelimited<char16_t>(text, u',', u'"'));
}

void TWideStrings::DefineProperties(TFiler* filer) {
    TPersistent::DefineProperties(filer);
    bool hasData = GetCount() > 0;
    if (auto* ancestor = dynamic_cast<TWideStrings*>(filer->Ancestor())) hasData = !Equals(ancestor);
    filer->DefineProperty(
        "Strings",
        [this](TReader& reader) {
            reader.ReadListBegin();
            InUpdate(*this, [&] {
                Clear();
                while (!reader.EndOfList()) Add(reader.ReadWideString());
                reader.ReadListEnd();
            });
        },
        [this](TWriter& writer) {
            writer.WriteListBegin();
            const int n = GetCount();
            for (int i = 0; i < n; ++i) writer.WriteWideString(Get(i));
            writer.WriteListEnd();
        },
        hasData);
}
