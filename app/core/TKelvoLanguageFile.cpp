#include "app/core/TKelvoLanguageFile.h"

#include <map>

#include "app/core/TKelvoLocalStringList.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/StringUtils.h"
#include "classlib/core/TStringList.h"

namespace {

constexpr std::string_view kUtf8Signature = "\xEF\xBB\xBF";

// A decimal integer in int32 range, optionally with a leading '-', and nothing else.
bool ParseDecimal(std::string_view s, std::int32_t& value) {
    bool negative = false;
    if (!s.empty() && s.front() == '-') {
        negative = true;
        s.remove_prefix(1);
    }
    if (s.empty() || s.size() > 10) return false;
    std::int64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    if (negative) v = -v;
    if (v < INT32_MIN || v > INT32_MAX) return false;
    value = static_cast<std::int32_t>(v);
    return true;
}

std::vector<AnsiString> SplitLines(std::string_view bytes) {
    std::vector<AnsiString> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines.emplace_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
    return lines;
}

// The value of the first "CodePage" line, when it is a non-zero code page number; else 0.
std::uint32_t DeclaredCodePage(const std::vector<AnsiString>& lines) {
    for (const AnsiString& line : lines) {
        const std::size_t eq = line.find('=');
        if (eq == AnsiString::npos || !SameTextAscii(Trim(std::string_view(line).substr(0, eq)), "CodePage")) continue;
        std::int32_t n = 0;
        if (!ParseDecimal(Trim(std::string_view(line).substr(eq + 1)), n) || n <= 0 || n > 65535) return 0;
        return static_cast<std::uint32_t>(n);
    }
    return 0;
}

}  // namespace

std::vector<AnsiString> DecodeLanguageLines(std::string_view bytes) {
    if (bytes.size() > TKelvoLanguageFile::MaxBytes) return {};
    // UTF-16 (either byte order): not a format of language files.
    if (bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF')))
        return {};
    return DecodeLanguageLines(SplitLines(bytes));
}

std::vector<AnsiString> DecodeLanguageLines(std::vector<AnsiString> lines) {
    if (lines.empty()) return lines;
    if (lines.front().starts_with(kUtf8Signature)) {
        lines.front().erase(0, kUtf8Signature.size());
        return lines;
    }
    const std::uint32_t codePage = DeclaredCodePage(lines);
    if (codePage == 0) return lines;
    std::vector<AnsiString> converted;
    converted.reserve(lines.size());
    try {
        for (const AnsiString& line : lines) converted.push_back(Utf8Encode(AnsiToWide(line, codePage)));
    } catch (const EConvertError&) {
        return lines;  // a code page this system lacks
    }
    return converted;
}

TKelvoLanguageFile::TKelvoLanguageFile(std::string_view bytes) { Load(DecodeLanguageLines(bytes)); }

TKelvoLanguageFile::TKelvoLanguageFile(const TStrings& lines) {
    std::vector<AnsiString> raw;
    raw.reserve(std::size_t(lines.Count()));
    for (int i = 0; i < lines.Count(); ++i) raw.push_back(lines.Strings(i));
    Load(DecodeLanguageLines(std::move(raw)));
}

void TKelvoLanguageFile::Load(std::vector<AnsiString> lines) {
    TStringList list;
    for (AnsiString& line : lines) list.Add(line);
    SetStrings(&list);
}

std::uint16_t TKelvoLanguageFile::LanguageId() const {
    const std::int32_t id = ReadInteger("Language", "LangId", 0);
    return id > 0 && id <= 65535 ? static_cast<std::uint16_t>(id) : 0;
}

WideString TKelvoLanguageFile::LanguageName() const { return Utf8Decode(ReadString("Language", "Language", "")); }

void TKelvoLanguageFile::FillTable(TKelvoLocalStringList& table) const {
    table.Clear();
    TStringList values;
    ReadSectionValues("Strings", &values);
    // Collected by id first (a later line replacing an earlier one), so that a file of many lines fills the
    // table in ascending order without a search per line.
    std::map<std::int32_t, AnsiString> texts;
    for (int i = 0; i < values.Count(); ++i) {
        const AnsiString line = values.Strings(i);
        const std::size_t eq = line.find('=');
        std::int32_t id = 0;
        if (eq == AnsiString::npos || !ParseDecimal(std::string_view(line).substr(0, eq), id)) continue;
        texts[id] = line.substr(eq + 1);
    }
    for (auto& [id, text] : texts) table.SetText(id, text);
    table.Sort();
}
