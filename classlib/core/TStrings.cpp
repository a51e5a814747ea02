#include "classlib/core/TStrings.h"

#include "classlib/core/Checked.h"
#include "classlib/core/StringListText.h"
#include "classlib/core/StringUtils.h"
#include "classlib/core/StringsCommon.h"
#include "classlib/core/TFileStream.h"

namespace lt = classlib::listtext;
namespace sc = classlib::strings;

namespace {
const AnsiString& Same(const AnsiString& s) { return s; }
}  // namespace

TStrings::~TStrings() = default;

void TStrings::Error(const AnsiString& message, int data) { sc::RaiseListError(message, data); }

TObject* TStrings::GetObject(int) const { return nullptr; }

void TStrings::Put(int index, const AnsiString& s) { sc::ReplaceLine(*this, index, s); }

void TStrings::PutObject(int, TObject*) {}

void TStrings::InsertObject(int index, const AnsiString& s, TObject* obj) {
    Insert(index, s);
    PutObject(index, obj);
}

void TStrings::SetUpdateState(bool) {}

int TStrings::GetCapacity() const { return GetCount(); }

void TStrings::SetCapacity(int) {}

std::vector<AnsiString> TStrings::Lines() const { return sc::LinesOf(*this); }

AnsiString TStrings::GetTextStr() const { return sc::TextOf(*this); }

void TStrings::SetTextStr(const AnsiString& text) { sc::ReplaceLines(*this, lt::SplitLines<char>(text)); }

int TStrings::CompareStrings(const AnsiString& s1, const AnsiString& s2) const { return CompareTextSystem(s1, s2); }

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

void TStrings::AddStrings(const TStrings* strings) { sc::AddLinesOf(*this, strings, Same); }

void TStrings::Assign(TPersistent* source) {
    if (auto* src = dynamic_cast<TStrings*>(source)) {
        if (src == this) return;
        sc::AssignLines(*this, src, [&] {
            nameValueSeparator_ = src->nameValueSeparator_;
            delimiter_ = src->delimiter_;
            quoteChar_ = src->quoteChar_;
        });
        return;
    }
    TPersistent::Assign(source);
}

void TStrings::Exchange(int index1, int index2) { sc::ExchangeLines(*this, index1, index2); }

void TStrings::Move(int curIndex, int newIndex) { sc::MoveLine(*this, curIndex, newIndex); }

int TStrings::IndexOf(const AnsiString& s) const { return sc::IndexOfLine(*this, s); }

int TStrings::IndexOfName(const AnsiString& name) const {
    return sc::IndexOfNamedLine(*this, name, nameValueSeparator_);
}

int TStrings::IndexOfObject(TObject* obj) const { return sc::IndexOfLineObject(*this, obj); }

bool TStrings::Equals(const TStrings* strings) const { return sc::SameLines(*this, strings); }

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

void TStrings::BeginUpdate() { sc::OpenUpdate(*this, updateCount_); }

void TStrings::EndUpdate() { sc::CloseUpdate(*this, updateCount_); }

AnsiString TStrings::Names(int index) const { return lt::NameOfLine(Get(index), nameValueSeparator_); }

AnsiString TStrings::Values(const AnsiString& name) const { return sc::ValueOfName(*this, name); }

void TStrings::SetValues(const AnsiString& name, const AnsiString& value) {
    lt::SetNamedValue(*this, name, value, nameValueSeparator_);
}

AnsiString TStrings::ValueFromIndex(int index) const { return lt::ValueOfLine(Get(index), nameValueSeparator_); }

void TStrings::SetValueFromIndex(int index, const AnsiString& value) {
    lt::SetValueAt(*this, index, value, nameValueSeparator_);
}

AnsiString TStrings::DelimitedText() const { return lt::JoinDelimited<char>(Lines(), delimiter_, quoteChar_); }

void TStrings::SetDelimitedText(const AnsiString& text) {
    sc::ReplaceLines(*this, lt::SplitDelimited<char>(text, delimiter_, quoteChar_));
}

AnsiString TStrings::CommaText() const { return lt::JoinDelimited<char>(Lines(), ',', '"'); }

void TStrings::SetCommaText(const AnsiString& text) {
    sc::ReplaceLines(*this, lt::SplitDelimited<char>(text, ',', '"'));
}

void TStrings::DefineProperties(TFiler* filer) {
    TPersistent::DefineProperties(filer);
    sc::DefineLinesProperty(
        *this, filer, [](TReader& reader) { return reader.ReadString(); },
        [](TWriter& writer, const AnsiString& s) { writer.WriteString(s); });
}
