#include "unicode/core/TAnsiStringsForWideStringsAdapter.h"

#include "classlib/core/Checked.h"
#include "classlib/core/TWideStrings.h"
#include "unicode/core/CodePages.h"

TAnsiStringsForWideStringsAdapter::TAnsiStringsForWideStringsAdapter(TWideStrings* wideStrings, int codePage)
    : wide_(wideStrings), codePage_(codePage) {}

int TAnsiStringsForWideStringsAdapter::EffectiveCodePage() const {
    return codePage_ == 0 ? uni::DefaultUserCodePage() : codePage_;
}

AnsiString TAnsiStringsForWideStringsAdapter::Get(int index) const {
    return uni::EncodeCodePage(wide_->Get(index), EffectiveCodePage());
}

int TAnsiStringsForWideStringsAdapter::GetCount() const { return wide_->GetCount(); }

TObject* TAnsiStringsForWideStringsAdapter::GetObject(int index) const { return wide_->GetObject(index); }

void TAnsiStringsForWideStringsAdapter::Put(int index, const AnsiString& s) {
    wide_->Put(index, uni::DecodeCodePage(s, EffectiveCodePage()));
}

void TAnsiStringsForWideStringsAdapter::PutObject(int index, TObject* obj) { wide_->PutObject(index, obj); }

void TAnsiStringsForWideStringsAdapter::Insert(int index, const AnsiString& s) {
    wide_->Insert(index, uni::DecodeCodePage(s, EffectiveCodePage()));
}

void TAnsiStringsForWideStringsAdapter::Delete(int index) { wide_->Delete(index); }

void TAnsiStringsForWideStringsAdapter::Clear() { wide_->Clear(); }

void TAnsiStringsForWideStringsAdapter::SetUpdateState(bool updating) {
    if (updating)
        wide_->BeginUpdate();
    else
        wide_->EndUpdate();
}

void TAnsiStringsForWideStringsAdapter::LoadFromStreamInCodePage(TStream& stream, int codePage) {
    const std::int64_t left = stream.Size() - stream.Position();
    AnsiString bytes(std::size_t(left > 0 ? CheckedCast<std::int32_t>(left) : 0), '\0');
    if (!bytes.empty()) stream.ReadBuffer(bytes.data(), std::int32_t(bytes.size()));
    wide_->SetTextStr(uni::DecodeCodePage(bytes, codePage == 0 ? uni::DefaultUserCodePage() : codePage));
}

void TAnsiStringsForWideStringsAdapter::SaveToStreamInCodePage(TStream& stream, int codePage) const {
    const AnsiString bytes =
        uni::EncodeCodePage(wide_->GetTextStr(), codePage == 0 ? uni::DefaultUserCodePage() : codePage);
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), CheckedCast<std::int32_t>(bytes.size()));
}
