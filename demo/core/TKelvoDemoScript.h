// A demonstration script (".dsc") in memory: an INI-like text of sections. [Script] holds the command lines,
// [Info] name=value pairs ("Title"), and one section per language id holds the texts shown by messages and the
// title. Texts are UTF-8 when the file starts with the UTF-8 byte-order mark, else 8-bit text in the ANSI code
// page of their language.
#pragma once
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "classlib/core/Stream.h"
#include "classlib/core/Types.h"
#include "demo/core/TKelvoDemoScriptParams.h"

// The lines of one section, in file order.
using TKelvoDemoLines = std::vector<AnsiString>;

class TKelvoDemoScript {
public:
    static constexpr const char* kScriptSection = "Script";
    static constexpr const char* kInfoSection = "Info";

    TKelvoDemoScript() = default;
    TKelvoDemoScript(const TKelvoDemoScript&) = delete;
    TKelvoDemoScript& operator=(const TKelvoDemoScript&) = delete;

    // Remembers the name and loads the file through a stream. Raises the stream's open error.
    void LoadFromFile(const AnsiString& fileName);
    // Reads the rest of the stream; lines end with CR LF, LF or CR.
    void LoadFromStream(TStream& stream);
    // Splits the lines into sections: every line is trimmed; blank lines, lines starting with ";" and lines
    // before the first section are dropped; "[name]" starts a section (a name met again continues that
    // section); in the name=value sections the blanks around the first "=" are removed, while the command lines
    // of [Script] are kept as they are. A first line starting with the UTF-8 byte-order mark loses the mark and
    // makes the texts UTF-8. Afterwards [Info] and [Script] exist.
    void LoadFromStrings(const TKelvoDemoLines& lines);
    // Writes every section as "[name]" and its lines, CR LF after each; a script read as UTF-8 is written with
    // the byte-order mark so that its texts read back the same.
    void SaveToFile(const AnsiString& fileName) const;
    void SaveToStream(TStream& stream) const;

    // Drops every section and the UTF-8 flag.
    void Clear();
    // Clear, then empty [Info] and [Script].
    void Reset();
    void Assign(const TKelvoDemoScript& other);

    // The [Script] lines (the section is added when missing).
    TKelvoDemoLines& GetLines();
    // The value of key in [Info] (the 8-bit text as stored); empty when missing.
    AnsiString GetInfo(std::string_view key) const;
    // The text of name in the section of the current language when that section exists, else in the section of
    // the base language when that exists, else empty. A section without the name gives an empty text.
    WideString GetText(std::string_view name) const;
    // The language text "Title", else the [Info] value "Title", else the file name without folder and extension.
    WideString GetTitle() const;
    // A text of the script's lines as the current language reads it.
    WideString DecodeText(const AnsiString& text) const;

    // Section names compare without regard to ASCII case.
    bool FindSection(std::string_view name, std::int32_t& index) const;
    // Index of the section with the name, added at the end when missing.
    std::int32_t AddSection(std::string_view name);
    // Raises ERangeError for a bad index.
    void DeleteSection(std::int32_t index);
    std::int32_t SectionCount() const { return std::int32_t(sections_.size()); }
    const AnsiString& SectionName(std::int32_t index) const;
    TKelvoDemoLines& SectionLines(std::int32_t index);
    const TKelvoDemoLines& SectionLines(std::int32_t index) const;

    bool IsUtf8() const { return utf8_; }
    void SetUtf8(bool value) { utf8_ = value; }
    const AnsiString& FileName() const { return fileName_; }

    // Splits one command line into its upper-cased command word and its parameters. False for a comment (an
    // empty word or one starting with "#", "*", "/" or ";"), which plays no action. Parameters may also be
    // written in brackets: "MouseMove(10, 20)".
    static bool ParseLine(std::string_view line, AnsiString& word, TKelvoDemoScriptParams& params);

private:
    struct TSection {
        AnsiString Name;
        TKelvoDemoLines Lines;
    };

    // The value of name in a name=value section; false when the section has no such line.
    static bool FindValue(const TKelvoDemoLines& lines, std::string_view name, AnsiString& value);
    WideString Decode(const AnsiString& text, std::uint16_t languageId) const;
    bool LanguageText(std::uint16_t languageId, std::string_view name, WideString& text, bool& sectionFound) const;

    std::vector<TSection> sections_;
    // The index of every section by its name in ASCII capitals: a script of thousands of sections loads in linear
    // time (a search through the list for every "[name]" line made it quadratic).
    std::unordered_map<AnsiString, std::int32_t> sectionIndex_;
    bool utf8_ = false;
    AnsiString fileName_;
};
