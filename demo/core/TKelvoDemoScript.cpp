#include "demo/core/TKelvoDemoScript.h"

#include <algorithm>
#include <memory>

#include "app/core/KelvoFileNames.h"
#include "classlib/core/Checked.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/StringUtils.h"
#include "demo/core/IKelvoLanguageIds.h"
#include "unicode/core/Utf8.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// "name = value" -> "name=value" (the first "=" only).
AnsiString JoinAroundEquals(const AnsiString& line) {
    const std::size_t eq = line.find('=');
    if (eq == AnsiString::npos) return line;
    return TrimRight(std::string_view(line).substr(0, eq)) + "=" + TrimLeft(std::string_view(line).substr(eq + 1));
}

}  // namespace

void TKelvoDemoScript::LoadFromStream(TStream& stream) {
    AnsiString bytes;
    char buffer[16384];
    for (;;) {
        const std::int32_t got = stream.Read(buffer, sizeof buffer);
        if (got <= 0) break;
        bytes.append(buffer, std::size_t(got));
    }
    TKelvoDemoLines lines;
    std::size_t start = 0;
    const std::size_t n = bytes.size();
    while (start < n) {
        std::size_t end = start;
        while (end < n && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        lines.emplace_back(bytes, start, end - start);
        if (end < n && bytes[end] == '\r' && end + 1 < n && bytes[end + 1] == '\n') ++end;
        start = end + 1;
    }
    LoadFromStrings(lines);
}

void TKelvoDemoScript::LoadFromStrings(const TKelvoDemoLines& lines) {
    Clear();
    TSection* current = nullptr;
    bool keepEquals = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view raw = lines[i];
        if (i == 0 && raw.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
            raw.remove_prefix(kUtf8Mark.size());
            utf8_ = true;
        }
        const AnsiString line = Trim(raw);
        if (line.empty() || line[0] == ';') continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            const AnsiString name = Trim(std::string_view(line).substr(1, line.size() - 2));
            current = &sections_[std::size_t(AddSection(name))];
            // Command lines are kept as written: a message text "a = b" must not become "a=b".
            keepEquals = SameTextAscii(name, kScriptSection);
            continue;
        }
        if (!current) continue;
        current->Lines.push_back(keepEquals ? line : JoinAroundEquals(line));
    }
    AddSection(kInfoSection);
    AddSection(kScriptSection);
}

void TKelvoDemoScript::SaveToStream(TStream& stream) const {
    AnsiString text;
    if (utf8_) text += kUtf8Mark;
    for (const TSection& section : sections_) {
        text += "[" + section.Name + "]\r\n";
        for (const AnsiString& line : section.Lines) text += line + "\r\n";
    }
    std::size_t done = 0;
    while (done < text.size()) {
        const std::size_t chunk = std::min<std::size_t>(text.size() - done, 1 << 20);
        stream.WriteBuffer(text.data() + done, std::int32_t(chunk));
        done += chunk;
    }
}

void TKelvoDemoScript::Clear() {
    sections_.clear();
    sectionIndex_.clear();
    utf8_ = false;
}

void TKelvoDemoScript::Reset() {
    Clear();
    AddSection(kInfoSection);
    AddSection(kScriptSection);
}

void TKelvoDemoScript::Assign(const TKelvoDemoScript& other) {
    if (&other == this) return;
    sections_ = other.sections_;
    sectionIndex_ = other.sectionIndex_;
    utf8_ = other.utf8_;
    fileName_ = other.fileName_;
}

TKelvoDemoLines& TKelvoDemoScript::GetLines() { return sections_[std::size_t(AddSection(kScriptSection))].Lines; }

bool TKelvoDemoScript::FindValue(const TKelvoDemoLines& lines, std::string_view name, AnsiString& value) {
    for (const AnsiString& line : lines) {
        const std::size_t eq = line.find('=');
        if (eq == AnsiString::npos) continue;
        if (SameTextAscii(std::string_view(line).substr(0, eq), name)) {
            value = line.substr(eq + 1);
            return true;
        }
    }
    return false;
}

AnsiString TKelvoDemoScript::GetInfo(std::string_view key) const {
    std::int32_t index;
    AnsiString value;
    if (FindSection(kInfoSection, index)) FindValue(sections_[std::size_t(index)].Lines, key, value);
    return value;
}

WideString TKelvoDemoScript::Decode(const AnsiString& text, std::uint16_t languageId) const {
    if (utf8_) return uni::DecodeUtf8(text);
    try {
        return AnsiToWide(text, kelvodemo::CodePageOfLanguage(languageId));
    } catch (const EConvertError&) {
        // A language whose code page this system cannot convert: read the text in the system's own.
        return AnsiToWide(text, CodePageSystemAnsi);
    }
}

WideString TKelvoDemoScript::DecodeText(const AnsiString& text) const {
    return Decode(text, kelvodemo::CurrentLanguageId());
}

bool TKelvoDemoScript::LanguageText(std::uint16_t languageId, std::string_view name, WideString& text,
                                    bool& sectionFound) const {
    std::int32_t index;
    sectionFound = FindSection(IntToStr(languageId), index);
    if (!sectionFound) return false;
    AnsiString value;
    if (FindValue(sections_[std::size_t(index)].Lines, name, value)) text = Decode(value, languageId);
    return true;
}

WideString TKelvoDemoScript::GetText(std::string_view name) const {
    WideString text;
    bool found = false;
    if (LanguageText(kelvodemo::CurrentLanguageId(), name, text, found)) return text;
    LanguageText(kelvodemo::BaseLanguageId(), name, text, found);
    return text;
}

WideString TKelvoDemoScript::GetTitle() const {
    WideString title = GetText("Title");
    if (!title.empty()) return title;
    const AnsiString info = GetInfo("Title");
    if (!info.empty()) return Decode(info, kelvodemo::CurrentLanguageId());
    return AnsiToWide(ExtractFileNameWithoutExt(fileName_), CodePageSystemAnsi);
}

bool TKelvoDemoScript::FindSection(std::string_view name, std::int32_t& index) const {
    const auto found = sectionIndex_.find(UpperCase(name));
    index = found == sectionIndex_.end() ? -1 : found->second;
    return index >= 0;
}

std::int32_t TKelvoDemoScript::AddSection(std::string_view name) {
    const auto [at, added] = sectionIndex_.try_emplace(UpperCase(name), std::int32_t(sections_.size()));
    if (added) sections_.push_back(TSection{AnsiString(name), {}});
    return at->second;
}

void TKelvoDemoScript::DeleteSection(std::int32_t index) {
    sections_.erase(sections_.begin() + CheckedIndex(index, std::int64_t(sections_.size())));
    sectionIndex_.clear();
    for (std::size_t i = 0; i < sections_.size(); ++i)
        sectionIndex_.emplace(UpperCase(sections_[i].Name), std::int32_t(i));
}

const AnsiString& TKelvoDemoScript::SectionName(std::int32_t index) const {
    return sections_[std::size_t(CheckedIndex(index, std::int64_t(sections_.size())))].Name;
}

TKelvoDemoLines& TKelvoDemoScript::SectionLines(std::int32_t index) {
    return sections_[std::size_t(CheckedIndex(index, std::int64_t(sections_.size())))].Lines;
}

const TKelvoDemoLines& TKelvoDemoScript::SectionLines(std::int32_t index) const {
    return sections_[std::size_t(CheckedIndex(index, std::int64_t(sections_.size())))].Lines;
}

bool TKelvoDemoScript::ParseLine(std::string_view line, AnsiString& word, TKelvoDemoScriptParams& params) {
    params.Clear();
    std::size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i]) && line[i] != '(') ++i;
    word = UpperCase(line.substr(start, i - start));
    if (word.empty() || word[0] == '#' || word[0] == '*' || word[0] == '/' || word[0] == ';') return false;
    while (i < line.size() && IsBlank(line[i])) ++i;
    std::string_view rest = line.substr(i);
    if (!rest.empty() && rest.front() == '(') {
        rest.remove_prefix(1);
        const std::size_t close = rest.find_last_not_of(" \t");
        if (close != std::string_view::npos && rest[close] == ')') rest = rest.substr(0, close);
    }
    if (!rest.empty()) params.Parse(rest);
    return true;
}
