#include "classlib/core/TWideStrings.h"

#include "classlib/core/Checked.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/StringListText.h"
#include "classlib/core/StringsCommon.h"
#include "classlib/core/TFileStream.h"
#include "classlib/core/TStrings.h"

namespace lt = classlib::listtext;
namespace sc = classlib::strings;

namespace {
const WideString& Same(const WideString& s) { return s; }

WideChar Widened(char c) { return WideChar(static_cast<unsigned char>(c)); }
}  // namespace

TWideStrings::~TWideStrings() = default;

void TWideStrings::Error(const AnsiString& message, int data) { sc::RaiseListError(message, data); }

TObject* TWideStrings::GetObject(int) const { return nullptr; }

void TWideStrings::Put(int index, const WideString& s) { sc::ReplaceLine(*this, index, s); }

void TWideStrings::PutObject(int, TObject*) {}

void TWideStrings::InsertObject(int index, const WideString& s, TObject* obj) {
    Insert(index, s);
    PutObject(index, obj);
}

void TWideStrings::SetUpdateState(bool) {}

int TWideStrings::GetCapacity() const { return GetCount(); }

void TWideStrings::SetCapacity(int) {}

std::vector<WideString> TWideStrings::Lines() const { return sc::LinesOf(*this); }

void TWideStrings::ReplaceLines(const std::vector<WideString>& lines) { sc::ReplaceLines(*this, lines); }

WideString TWideStrings::GetTextStr() const { return sc::TextOf(*this); }

void TWideStrings::SetTextStr(const WideString& text) { ReplaceLines(lt::SplitLines<char16_t>(text)); }

int TWideStrings::CompareStrings(const WideString& s1, const WideString& s2) const { return CompareTextSystem(s1, s2); }

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

void TWideStrings::AddStrings(const TWideStrings* strings) { sc::AddLinesOf(*this, strings, Same); }

void TWideStrings::AddStrings(const TStrings* strings) {
    sc::AddLinesOf(*this, strings, [](const AnsiString& s) { return AnsiToWide(s); });
}

void TWideStrings::Assign(TPersistent* source) {
    if (auto* wide = dynamic_cast<TWideStrings*>(source)) {
        if (wide == this) return;
        sc::AssignLines(*this, wide, [&] {
            nameValueSeparator_ = wide->nameValueSeparator_;
            delimiter_ = wide->delimiter_;
            quoteChar_ = wide->quoteChar_;
        });
        return;
    }
    if (auto* narrow = dynamic_cast<TStrings*>(source)) {
        sc::AssignLines(*this, narrow, [&] {
            nameValueSeparator_ = Widened(narrow->NameValueSeparator());
            delimiter_ = Widened(narrow->Delimiter());
            quoteChar_ = Widened(narrow->QuoteChar());
        });
        return;
    }
    TPersistent::Assign(source);
}

void TWideStrings::AssignTo(TPersistent* dest) {
    if (auto* narrow = dynamic_cast<TStrings*>(dest)) {
        sc::ReplaceItems(*narrow, sc::CopyItems(*this, [](const WideString& s) { return WideToAnsi(s); }));
        return;
    }
    TPersistent::AssignTo(dest);
}

void TWideStrings::Exchange(int index1, int index2) { sc::ExchangeLines(*this, index1, index2); }

void TWideStrings::Move(int curIndex, int newIndex) { sc::MoveLine(*this, curIndex, newIndex); }

int TWideStrings::IndexOf(const WideString& s) const { return sc::IndexOfLine(*this, s); }

int TWideStrings::IndexOfName(const WideString& name) const {
    return sc::IndexOfNamedLine(*this, name, nameValueSeparator_);
}

int TWideStrings::IndexOfObject(TObject* obj) const { return sc::IndexOfLineObject(*this, obj); }

bool TWideStrings::Equals(const TWideStrings* strings) const { return sc::SameLines(*this, strings); }

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

void TWideStrings::BeginUpdate() { sc::OpenUpdate(*this, updateCount_); }

void TWideStrings::EndUpdate() { sc::CloseUpdate(*this, updateCount_); }

WideString TWideStrings::Names(int index) const { return lt::NameOfLine(Get(index), nameValueSeparator_); }

WideString TWideStrings::Values(const WideString& name) const { return sc::ValueOfName(*this, name); }

void TWideStrings::SetValues(const WideString& name, const WideString& value) {
    lt::SetNamedValue(*this, name, value, nameValueSeparator_);
}

WideString TWideStrings::ValueFromIndex(int index) const { return lt::ValueOfLine(Get(index), nameValueSeparator_); }

void TWideStrings::SetValueFromIndex(int index, const WideString& value) {
    lt::SetValueAt(*this, index, value, nameValueSeparator_);
}

WideString TWideStrings::DelimitedText() const { return lt::JoinDelimited<char16_t>(Lines(), delimiter_, quoteChar_); }

void TWideStrings::SetDelimitedText(const WideString& text) {
    ReplaceLines(lt::SplitDelimited<char16_t>(text, delimiter_, quoteChar_));
}

WideString TWideStrings::CommaText() const { return lt::JoinDelimited<char16_t>(Lines(), u',', u'"'); }

void TWideStrings::SetCommaText(const WideString& text) {
    ReplaceLines(lt::SplitDelimited<char16_t>(text, u',', u'"'));
}

void TWideStrings::DefineProperties(TFiler* filer) {
    TPersistent::DefineProperties(filer);
    sc::DefineLinesProperty(
        *this, filer, [](TReader& reader) { return reader.ReadWideString(); },
        [](TWriter& writer, const WideString& s) { writer.WriteWideString(s); });
}
