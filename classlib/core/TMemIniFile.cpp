#include "classlib/core/TMemIniFile.h"

#include "classlib/core/FileSystem.h"
#include "classlib/core/Format.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/StringUtils.h"
#include "classlib/core/TStringList.h"

namespace {

std::vector<AnsiString> LinesOf(const TStrings& strings) {
    std::vector<AnsiString> lines;
    for (int i = 0; i < strings.Count(); ++i) lines.push_back(strings[i]);
    return lines;
}

// Replaces the contents of a list inside one update bracket.
void Fill(TStrings* strings, const std::vector<AnsiString>& lines) {
    TUpdateGuard update(*strings);
    strings->Clear();
    for (const AnsiString& line : lines) strings->Add(line);
}

}  // namespace

TMemIniFile::TMemIniFile() = default;

TMemIniFile::TMemIniFile(const AnsiString& fileName) : fileName_(fileName) {
    if (!FileExists(fileName)) return;
    const TObjectPtr<TStringList> list = MakeObject<TStringList>();
    list->LoadFromFile(fileName);
    LoadLines(LinesOf(*list));
}

TMemIniFile::TMemIniFile(TStream& stream) {
    const TObjectPtr<TStringList> list = MakeObject<TStringList>();
    list->LoadFromStream(stream);
    LoadLines(LinesOf(*list));
}

TMemIniFile::~TMemIniFile() = default;

void TMemIniFile::LoadLines(const std::vector<AnsiString>& lines) {
    sections_.clear();
    Section* current = nullptr;
    for (const AnsiString& raw : lines) {
        const AnsiString s = Trim(raw);
        if (s.empty() || s[0] == ';') continue;
        if (s[0] == '[' && s.back() == ']' && s.size() >= 2) {
            const AnsiString name = Trim(std::string_view(s).substr(1, s.size() - 2));
            current = FindSection(name);
            if (!current) {
                sections_.push_back(Section{name, {}});
                current = &sections_.back();
            }
            continue;
        }
        if (!current) continue;  // before the first section
        const std::size_t eq = s.find('=');
        if (eq == AnsiString::npos) {
            current->lines.push_back(s);
        } else {
            current->lines.push_back(Trim(std::string_view(s).substr(0, eq)) + "=" +
                                     Trim(std::string_view(s).substr(eq + 1)));
        }
    }
}

const TMemIniFile::Section* TMemIniFile::FindSection(const AnsiString& name) const {
    for (const Section& s : sections_) {
        if (SameTextSystem(s.name, name)) return &s;
    }
    return nullptr;
}

TMemIniFile::Section* TMemIniFile::FindSection(const AnsiString& name) {
    for (Section& s : sections_) {
        if (SameTextSystem(s.name, name)) return &s;
    }
    return nullptr;
}

int TMemIniFile::FindKey(const Section& section, const AnsiString& ident) {
    for (std::size_t i = 0; i < section.lines.size(); ++i) {
        const AnsiString& line = section.lines[i];
        const std::size_t eq = line.find('=');
        if (eq != AnsiString::npos && SameTextSystem(std::string_view(line).substr(0, eq), ident)) return int(i);
    }
    return -1;
}

AnsiString TMemIniFile::ReadString(const AnsiString& section, const AnsiString& ident,
                                   const AnsiString& fallback) const {
    const Section* s = FindSection(section);
    if (!s) return fallback;
    const int i = FindKey(*s, ident);
    if (i < 0) return fallback;
    const AnsiString& line = s->lines[std::size_t(i)];
    return line.substr(line.find('=') + 1);
}

void TMemIniFile::WriteString(const AnsiString& section, const AnsiString& ident, const AnsiString& value) {
    Section* s = FindSection(section);
    if (!s) {
        sections_.push_back(Section{section, {}});
        s = &sections_.back();
    }
    const AnsiString line = ident + "=" + value;
    const int i = FindKey(*s, ident);
    if (i < 0) {
        s->lines.push_back(line);
    } else {
        s->lines[std::size_t(i)] = line;
    }
}

std::int32_t TMemIniFile::ReadInteger(const AnsiString& section, const AnsiString& ident, std::int32_t fallback) const {
    return StrToIntDef(ReadString(section, ident, AnsiString()), fallback);
}

void TMemIniFile::WriteInteger(const AnsiString& section, const AnsiString& ident, std::int32_t value) {
    WriteString(section, ident, IntToStr(value));
}

bool TMemIniFile::ReadBool(const AnsiString& section, const AnsiString& ident, bool fallback) const {
    return ReadInteger(section, ident, fallback ? 1 : 0) != 0;
}

void TMemIniFile::WriteBool(const AnsiString& section, const AnsiString& ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

double TMemIniFile::ReadFloat(const AnsiString& section, const AnsiString& ident, double fallback) const {
    double v;
    return TryStrToFloat(ReadString(section, ident, AnsiString()), v) ? v : fallback;
}

void TMemIniFile::WriteFloat(const AnsiString& section, const AnsiString& ident, double value) {
    WriteString(section, ident, FloatToStr(value));
}

void TMemIniFile::ReadSection(const AnsiString& section, TStrings* strings) const {
    std::vector<AnsiString> names;
    if (const Section* s = FindSection(section)) {
        for (const AnsiString& line : s->lines) {
            const std::size_t eq = line.find('=');
            if (eq != AnsiString::npos) names.push_back(line.substr(0, eq));
        }
    }
    Fill(strings, names);
}

void TMemIniFile::ReadSections(TStrings* strings) const {
    std::vector<AnsiString> names;
    for (const Section& s : sections_) names.push_back(s.name);
    Fill(strings, names);
}

void TMemIniFile::ReadSectionValues(const AnsiString& section, TStrings* strings) const {
    const Section* s = FindSection(section);
    Fill(strings, s ? s->lines : std::vector<AnsiString>());
}

bool TMemIniFile::SectionExists(const AnsiString& section) const { return FindSection(section) != nullptr; }

bool TMemIniFile::ValueExists(const AnsiString& section, const AnsiString& ident) const {
    const Section* s = FindSection(section);
    return s && FindKey(*s, ident) >= 0;
}

void TMemIniFile::EraseSection(const AnsiString& section) {
    for (auto it = sections_.begin(); it != sections_.end(); ++it) {
        if (SameTextSystem(it->name, section)) {
            sections_.erase(it);
            return;
        }
    }
}

void TMemIniFile::DeleteKey(const AnsiString& section, const AnsiString& ident) {
    Section* s = FindSection(section);
    if (!s) return;
    const int i = FindKey(*s, ident);
    if (i >= 0) s->lines.erase(s->lines.begin() + i);
}

void TMemIniFile::GetStrings(TStrings* strings) const {
    std::vector<AnsiString> lines;
    for (const Section& s : sections_) {
        lines.push_back("[" + s.name + "]");
        lines.insert(lines.end(), s.lines.begin(), s.lines.end());
        lines.emplace_back();
    }
    Fill(strings, lines);
}

void TMemIniFile::SetStrings(const TStrings* strings) {
    LoadLines(strings ? LinesOf(*strings) : std::vector<AnsiString>());
}

void TMemIniFile::Clear() { sections_.clear(); }

void TMemIniFile::UpdateFile() {
    if (fileName_.empty()) return;
    const TObjectPtr<TStringList> list = MakeObject<TStringList>();
    GetStrings(list.get());
    list->SaveToFile(fileName_);
}
