// A language file: an ini text with section "Language" (LangId, the Windows language id in decimal;
// Language, the display name) and section "Strings" (one "<decimal id>=<text>" line per text).
//
// Encoding: a file whose first line starts with the UTF-8 signature EF BB BF is UTF-8 (the signature is
// dropped). Otherwise a line "CodePage=<n>" anywhere (the first one counts) with n a non-zero decimal names
// the 8-bit code page of every line, and the lines are converted to UTF-8 before the ini is read; a code page
// the system does not know leaves the lines as they are. Otherwise the lines are taken as they are. Texts are
// kept as UTF-8 and decoded when fetched (what is no valid UTF-8 becomes U+FFFD).
//
// The files lie in a folder anyone with write access may change, so nothing in them may stop the program: a
// file larger than MaxBytes, one in UTF-16 (which the rule above does not cover) and one that cannot be read
// give an empty ini; a LangId outside 1..65535 makes the file no language.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "classlib/core/TMemIniFile.h"

class TKelvoLocalStringList;
class TStrings;

// The lines of a language file's bytes, converted to UTF-8 by the rule above.
std::vector<AnsiString> DecodeLanguageLines(std::string_view bytes);
// The rule applied to lines already split.
std::vector<AnsiString> DecodeLanguageLines(std::vector<AnsiString> lines);

class TKelvoLanguageFile : public TMemIniFile {
    CLASSLIB_CLASS(TKelvoLanguageFile, TMemIniFile)

public:
    static constexpr std::size_t MaxBytes = std::size_t(4) << 20;

    // An empty file: no language.
    TKelvoLanguageFile() = default;
    // From the file's bytes.
    explicit TKelvoLanguageFile(std::string_view bytes);
    // From its lines (8-bit, as read).
    explicit TKelvoLanguageFile(const TStrings& lines);

    // LangId of section "Language"; 0 when it is missing or outside 1..65535.
    std::uint16_t LanguageId() const;
    // The "Language" value of section "Language", decoded.
    WideString LanguageName() const;
    // Clears the table and fills it from section "Strings": lines whose name is a decimal integer, a later
    // line of an id replacing an earlier one; then sorts it.
    void FillTable(TKelvoLocalStringList& table) const;

private:
    void Load(std::vector<AnsiString> lines);
};
