// The Unicode layer's wide string list base: files and streams with byte-order marks, and an 8-bit view
// of the list for code that only speaks 8-bit strings.
#pragma once
#include <cstdint>
#include <memory>

#include "classlib/core/TWideStrings.h"
#include "unicode/core/StreamCharSet.h"

class TAnsiStringsForWideStringsAdapter;
class TStrings;

namespace uni {

// Opens a file by wide name: mode 0xFFFF creates it, any other mode opens it (access in the low two bits,
// sharing in mode / 16). The Windows build opens through the wide system calls (uni::InstallWideFileStreams);
// elsewhere the name is handed to the class library's file stream as UTF-8.
using WideFileStreamFactory = std::unique_ptr<TStream> (*)(const WideString& fileName, std::uint16_t mode);
void SetWideFileStreamFactory(WideFileStreamFactory factory);
std::unique_ptr<TStream> OpenWideFileStream(const WideString& fileName, std::uint16_t mode);

// Whether the UTF-8 and UTF-7 stream entries of wide properties are applied to a reader's owner (off at start;
// at run time only the entries that always apply take effect).
void SetUtfStreamingHelp(bool on);
bool UtfStreamingHelpSwitch();

}  // namespace uni

class TUniStrings : public TWideStrings {
    CLASSLIB_CLASS(TUniStrings, TWideStrings)

public:
    TUniStrings();
    ~TUniStrings() override;

    // The "WideStrings", "WideStringsW" and "WideStrings_UTF7" entries, read only, after the inherited ones.
    void DefineProperties(TFiler* filer) override;
    // Opens the file by wide name (read, deny write), detects its character set and keeps it as the last file
    // character set, then loads the text from the start.
    void LoadFromFile(const WideString& fileName) override;
    void LoadFromStream(TStream& stream) override;
    // Creates the file and writes FF FE and the text as UTF-16LE.
    void SaveToFile(const WideString& fileName) const override;
    void SaveToStream(TStream& stream) const override;
    // With the mark the character set is detected from the byte-order mark, else the stream is taken as
    // UTF-16LE. The text read replaces the whole list.
    virtual void LoadFromStreamMarked(TStream& stream, bool withBOM);
    // With the mark FF FE comes first; then the text as UTF-16LE units without a terminator.
    virtual void SaveToStreamMarked(TStream& stream, bool withBOM) const;

    // An 8-bit view of this list in the system code page; setting copies an 8-bit list into it.
    TAnsiStringsForWideStringsAdapter* AnsiStrings() const { return ansiStrings_.get(); }
    void SetAnsiStrings(TStrings* value);

    StreamCharSet LastFileCharSet() const { return lastFileCharSet_; }

private:
    TObjectPtr<TAnsiStringsForWideStringsAdapter> ansiStrings_;
    StreamCharSet lastFileCharSet_ = StreamCharSet::Utf16LE;
};
