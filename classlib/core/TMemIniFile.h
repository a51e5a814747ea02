// An ini file held in memory: read from a file, a stream or a string list, changed in memory, written back by
// UpdateFile.
//
// Rules: section and key names compare case-insensitively (system locale); blanks around names and values are
// trimmed when the text is read; quotes are kept as part of a value; lines starting with ';' are comments and
// blank lines are skipped; lines before the first section are ignored; a section that appears again continues the
// first one; ReadString returns the first line of a key; ReadSectionValues gives every line of a section in file
// order, repeated keys included.
#pragma once
#include <vector>

#include "classlib/core/Stream.h"
#include "classlib/core/TObject.h"

class TStrings;

class TMemIniFile : public TObject {
    CLASSLIB_CLASS(TMemIniFile, TObject)

public:
    // Loads the file when it exists; an absent file gives an empty ini.
    explicit TMemIniFile(const AnsiString& fileName);
    // Reads the rest of the stream; UpdateFile then has no file to write.
    explicit TMemIniFile(TStream& stream);
    // Empty; fill it with SetStrings.
    TMemIniFile();
    ~TMemIniFile() override;

    const AnsiString& FileName() const { return fileName_; }

    // The typed readers and writers go through ReadString and WriteString, so a subclass that changes how
    // values are stored overrides those.

    virtual AnsiString ReadString(const AnsiString& section, const AnsiString& ident, const AnsiString& fallback) const;
    virtual void WriteString(const AnsiString& section, const AnsiString& ident, const AnsiString& value);
    // Decimal, or hexadecimal after "0x" or "$"; anything else gives the fallback.
    std::int32_t ReadInteger(const AnsiString& section, const AnsiString& ident, std::int32_t fallback) const;
    void WriteInteger(const AnsiString& section, const AnsiString& ident, std::int32_t value);
    // An integer: non-zero is true; a value that is no integer gives the fallback. Written as "1" or "0".
    bool ReadBool(const AnsiString& section, const AnsiString& ident, bool fallback) const;
    void WriteBool(const AnsiString& section, const AnsiString& ident, bool value);
    // With DecimalSeparator(); a value that is no number gives the fallback.
    double ReadFloat(const AnsiString& section, const AnsiString& ident, double fallback) const;
    void WriteFloat(const AnsiString& section, const AnsiString& ident, double value);

    // These replace the contents of `strings`.
    virtual void ReadSection(const AnsiString& section, TStrings* strings) const;  // the key names, in file order
    virtual void ReadSections(TStrings* strings) const;
    virtual void ReadSectionValues(const AnsiString& section, TStrings* strings) const;  // "key=value" lines

    bool SectionExists(const AnsiString& section) const;
    bool ValueExists(const AnsiString& section, const AnsiString& ident) const;
    virtual void EraseSection(const AnsiString& section);
    virtual void DeleteKey(const AnsiString& section, const AnsiString& ident);

    // The whole ini as lines: each section as "[name]", its lines, then a blank line.
    void GetStrings(TStrings* strings) const;
    // Replaces the contents by the lines of `strings`, read by the rules above.
    void SetStrings(const TStrings* strings);
    void Clear();
    // Writes GetStrings to the file the ini was read from (nothing without a file name).
    virtual void UpdateFile();

private:
    struct Section {
        AnsiString name;
        std::vector<AnsiString> lines;  // "key=value" (or a line without '=', kept as it was)
    };
    void LoadLines(const std::vector<AnsiString>& lines);
    const Section* FindSection(const AnsiString& name) const;
    Section* FindSection(const AnsiString& name);
    static int FindKey(const Section& section, const AnsiString& ident);

    AnsiString fileName_;
    std::vector<Section> sections_;
};
