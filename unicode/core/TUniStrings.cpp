#include "unicode/core/TUniStrings.h"

#include <atomic>

#include "classlib/core/Checked.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/TFileStream.h"
#include "classlib/core/TReader.h"
#include "unicode/core/TAnsiStringsForWideStringsAdapter.h"
#include "unicode/core/Utf7.h"
#include "unicode/core/Utf8.h"

namespace uni {
namespace {

std::unique_ptr<TStream> OpenByUtf8Name(const WideString& fileName, std::uint16_t mode) {
    return std::make_unique<TFileStream>(EncodeUtf8(fileName), mode);
}

std::atomic<WideFileStreamFactory> gFactory{&OpenByUtf8Name};
std::atomic<bool> gUtfStreamingHelp{false};

}  // namespace

void SetWideFileStreamFactory(WideFileStreamFactory factory) { gFactory = factory ? factory : &OpenByUtf8Name; }

std::unique_ptr<TStream> OpenWideFileStream(const WideString& fileName, std::uint16_t mode) {
    return gFactory.load()(fileName, mode);
}

void SetUtfStreamingHelp(bool on) { gUtfStreamingHelp = on; }
bool UtfStreamingHelpSwitch() { return gUtfStreamingHelp; }

}  // namespace uni

namespace {

constexpr std::uint16_t kOpenReadDenyWrite = 0x0020;
constexpr std::uint16_t kCreate = 0xFFFF;

bool UtfStreamingHelpOn(TReader& reader) { return reader.Owner() != nullptr && uni::UtfStreamingHelpSwitch(); }

bool IsStringValue(TValueType t) { return t == vaString || t == vaLString || t == vaWString || t == vaUTF8String; }

// Reads a list of string values; decode turns each raw value into the line it stands for.
template <class Decode>
std::vector<WideString> ReadStringList(TReader& reader, Decode decode) {
    std::vector<WideString> lines;
    reader.ReadListBegin();
    while (!reader.EndOfList()) lines.push_back(decode(reader));
    reader.ReadListEnd();
    return lines;
}

}  // namespace

TUniStrings::TUniStrings() : ansiStrings_(MakeObject<TAnsiStringsForWideStringsAdapter>(this, 0)) {}

TUniStrings::~TUniStrings() = default;

void TUniStrings::SetAnsiStrings(TStrings* value) { ansiStrings_->Assign(value); }

void TUniStrings::DefineProperties(TFiler* filer) {
    TWideStrings::DefineProperties(filer);
    auto replaceLines = [this](const std::vector<WideString>& lines) {
        TUpdateGuard update(*this);
        Clear();
        for (const WideString& line : lines) Add(line);
    };
    filer->DefineProperty(
        "WideStrings",
        [this, replaceLines](TReader& reader) {
            if (IsStringValue(reader.NextValue())) {
                SetTextStr(reader.ReadWideString());
                return;
            }
            replaceLines(ReadStringList(reader, [](TReader& r) { return r.ReadWideString(); }));
        },
        nullptr, false);
    filer->DefineProperty(
        "WideStringsW",
        [this, replaceLines](TReader& reader) {
            const bool apply = UtfStreamingHelpOn(reader) || GetCount() == 0;
            const auto lines = ReadStringList(reader, [](TReader& r) { return uni::DecodeUtf8(r.ReadString()); });
            if (apply) replaceLines(lines);
        },
        nullptr, false);
    filer->DefineProperty(
        "WideStrings_UTF7",
        [this, replaceLines](TReader& reader) {
            const bool apply = UtfStreamingHelpOn(reader);
            const auto lines = ReadStringList(reader, [](TReader& r) { return uni::DecodeUtf7(r.ReadString()); });
            if (apply) replaceLines(lines);
        },
        nullptr, false);
}

void TUniStrings::LoadFromFile(const WideString& fileName) {
    std::unique_ptr<TStream> stream = uni::OpenWideFileStream(fileName, kOpenReadDenyWrite);
    lastFileCharSet_ = uni::DetectStreamCharSet(*stream);
    stream->SetPosition(0);
    LoadFromStream(*stream);
}

void TUniStrings::LoadFromStream(TStream& stream) { LoadFromStreamMarked(stream, true); }

void TUniStrings::SaveToFile(const WideString& fileName) const {
    std::unique_ptr<TStream> stream = uni::OpenWideFileStream(fileName, kCreate);
    SaveToStream(*stream);
}

void TUniStrings::SaveToStream(TStream& stream) const { SaveToStreamMarked(stream, true); }

void TUniStrings::LoadFromStreamMarked(TStream& stream, bool withBOM) {
    TUpdateGuard update(*this);
    const StreamCharSet charSet = withBOM ? uni::DetectStreamCharSet(stream) : StreamCharSet::Utf16LE;
    SetTextStr(uni::ReadStreamText(stream, charSet));
}

void TUniStrings::SaveToStreamMarked(TStream& stream, bool withBOM) const {
    if (withBOM) {
        const unsigned char mark[2] = {0xFF, 0xFE};
        stream.WriteBuffer(mark, 2);
    }
    const WideString text = GetTextStr();
    if (text.empty()) return;
    // Units are written in the machine's order, which is little-endian on every target.
    stream.WriteBuffer(text.data(), CheckedMul<std::int32_t>(CheckedCast<std::int32_t>(text.size()), 2));
}
