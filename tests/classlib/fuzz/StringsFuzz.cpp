// Outside text through the string layer: format strings (language texts), ini files, delimited text and UTF-8.
// The first byte picks the path; every path either succeeds or raises the class library's own error, and the
// round trips must hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "classlib/core/CodePages.h"
#include "classlib/core/Format.h"
#include "classlib/core/StringUtils.h"
#include "classlib/core/TMemIniFile.h"
#include "classlib/core/TStringList.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

void FuzzFormat(const std::string& text) {
    const AnsiString s = "text";
    const WideString w = u"wide";
    try {
        Format(text, {7, s, 2.5, 'c', std::int64_t(-1), w, nullptr});
    } catch (const EConvertError&) {}
    WideString wideFormat;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2)
        wideFormat += char16_t(static_cast<unsigned char>(text[i]) | (static_cast<unsigned char>(text[i + 1]) << 8));
    try {
        WideFormat(wideFormat, {1, "x", 0.5});
    } catch (const EConvertError&) {}
}

void FuzzIni(const std::string& text) {
    TMemoryStream stream;
    stream.WriteBuffer(text.data(), std::int32_t(text.size()));
    stream.SetPosition(0);
    TMemIniFile ini(stream);
    TStringList sections;
    ini.ReadSections(&sections);
    TStringList values;
    for (int i = 0; i < sections.Count(); ++i) {
        ini.ReadSectionValues(sections[i], &values);
        ini.ReadInteger(sections[i], "a", 0);
        ini.ReadFloat(sections[i], "b", 0);
    }
    // What the ini writes, it reads back the same.
    TStringList once;
    ini.GetStrings(&once);
    TMemIniFile again;
    again.SetStrings(&once);
    TStringList twice;
    again.GetStrings(&twice);
    Check(once.Equals(&twice));
}

void FuzzDelimited(const std::string& text) {
    TStringList list;
    list.SetCommaText(text);
    TStringList back;
    back.SetCommaText(list.CommaText());
    Check(back.Equals(&list));
    list.SetText(text);
    back.SetCommaText(list.CommaText());
    Check(back.Equals(&list));
    back.SetText(list.Text());
    Check(back.Equals(&list));
}

void FuzzNumbersAndUtf8(const std::string& text) {
    std::int32_t i;
    if (TryStrToInt(text, i)) {
        std::int32_t j;
        Check(TryStrToInt(IntToStr(i), j) && i == j);
    }
    double d;
    if (TryStrToFloat(text, d, '.')) {
        double e;
        // Fifteen digits can round the largest doubles past the range; below that the text reads back.
        if (d > -1e300 && d < 1e300) Check(TryStrToFloat(FloatToStr(d, '.'), e, '.'));
        const AnsiString exact = Format("%.2f", {d});
        Check(!exact.empty());
    }
    const WideString decoded = Utf8Decode(text);
    Check(Utf8Decode(Utf8Encode(decoded)) == decoded);
    Check(WideToAnsi(AnsiToWide(text, 1252), 1252) == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 4) {
        case 0: FuzzFormat(text); break;
        case 1: FuzzIni(text); break;
        case 2: FuzzDelimited(text); break;
        default: FuzzNumbersAndUtf8(text); break;
    }
    return 0;
}
