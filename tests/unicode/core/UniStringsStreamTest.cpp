#include <gtest/gtest.h>

#include <vector>

#include "tests/unicode/core/SystemCodePage.h"
#include "tests/support/TestSupport.h"
#include "unicode/core/TUniStringList.h"
#include "unicode/core/Utf8.h"

namespace {

std::vector<WideString> LinesOf(const TWideStrings& list) {
    std::vector<WideString> lines;
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
    return lines;
}

void Load(TUniStrings& list, const std::string& bytes) {
    TMemoryStream s;
    if (!bytes.empty()) s.WriteBuffer(bytes.data(), std::int32_t(bytes.size()));
    s.SetPosition(0);
    list.LoadFromStream(s);
}

std::string Bytes(TMemoryStream& s) { return std::string(static_cast<const char*>(s.Memory()), std::size_t(s.Size())); }

}  // namespace

TEST(UniStringsStream, LoadsEachCharacterSet) {
    unitest::ScopedSystemCodePage cp(1251);
    TUniStringList list;
    Load(list, std::string("\xfe\xff\x04\x1f\0\r\0\n\0b", 10));
    EXPECT_EQ(LinesOf(list), (std::vector<WideString>{u"\u041f", u"b"}));
    Load(list, "\xef\xbb\xbf\xd0\x9f\nz");
    EXPECT_EQ(LinesOf(list), (std::vector<WideString>{u"\u041f", u"z"}));
    // Neither mark: 8-bit text in the system code page, from its first byte.
    Load(list, "\xef\xbb\xcf");
    EXPECT_EQ(LinesOf(list), (std::vector<WideString>{u"\u043f\u00bb\u041f"}));
    // Exactly one byte after the mark: no text.
    Load(list,
         "\xff\xfe"
         "A");
    EXPECT_EQ(list.Count(), 0);
    // Without the mark the stream is taken as UTF-16LE, a mark included.
    TMemoryStream s;
    s.WriteBuffer(
        "\xff\xfe"
        "A\0",
        4);
    s.SetPosition(0);
    list.LoadFromStreamMarked(s, false);
    EXPECT_EQ(LinesOf(list), (std::vector<WideString>{u"\ufeffA"}));
}

TEST(UniStringsStream, SaveWritesMarkAndUtf16AndLoadsBack) {
    TUniStringList list;
    list.Add(u"\u041f\u0440\u0438");
    list.Add(u"\U0001F600");
    list.Add(u"");
    TMemoryStream s;
    list.SaveToStream(s);
    const std::string expected("\xff\xfe\x1f\x04\x40\x04\x38\x04\r\0\n\0\x3d\xd8\x00\xde\r\0\n\0\r\0\n\0", 24);
    EXPECT_EQ(Bytes(s), expected);
    TMemoryStream plain;
    list.SaveToStreamMarked(plain, false);
    EXPECT_EQ(Bytes(plain), expected.substr(2));
    s.SetPosition(0);
    TUniStringList back;
    back.LoadFromStream(s);
    EXPECT_EQ(LinesOf(back), LinesOf(list));
}

TEST(UniStringsStream, FilesRememberTheirCharacterSet) {
    testsupport::TempDir dir;
    const WideString name = uni::DecodeUtf8(dir.File("lines.txt"));
    TUniStringList list;
    EXPECT_EQ(list.LastFileCharSet(), StreamCharSet::Utf16LE);
    list.Add(u"\u00e9");
    list.SaveToFile(name);
    {
        TUniStringList back;
        back.LoadFromFile(name);
        EXPECT_EQ(LinesOf(back), (std::vector<WideString>{u"\u00e9"}));
        EXPECT_EQ(back.LastFileCharSet(), StreamCharSet::Utf16LE);
    }
    FILE* f = fopen(dir.File("utf8.txt").c_str(), "wb");
    ASSERT_TRUE(f);
    fputs("\xef\xbb\xbf\xc3\xa9", f);
    fclose(f);
    list.LoadFromFile(uni::DecodeUtf8(dir.File("utf8.txt")));
    EXPECT_EQ(list.LastFileCharSet(), StreamCharSet::Utf8);
    EXPECT_EQ(LinesOf(list), (std::vector<WideString>{u"\u00e9"}));
    EXPECT_THROW(list.LoadFromFile(uni::DecodeUtf8(dir.File("missing.txt"))), EFOpenError);
}
