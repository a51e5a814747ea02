#include <gtest/gtest.h>

#include "tests/unicode/core/SystemCodePage.h"
#include "unicode/core/StreamCharSet.h"

using namespace uni;

namespace {

void Fill(TMemoryStream& s, const std::string& bytes) {
    s.Clear();
    if (!bytes.empty()) s.WriteBuffer(bytes.data(), std::int32_t(bytes.size()));
    s.SetPosition(0);
}

}  // namespace

TEST(StreamCharSet, DetectsByteOrderMarksAndStopsAfterThem) {
    TMemoryStream s;
    Fill(s,
         "\xff\xfe"
         "a\0");
    EXPECT_EQ(DetectStreamCharSet(s), StreamCharSet::Utf16LE);
    EXPECT_EQ(s.Position(), 2);
    Fill(s, "\xfe\xff");
    EXPECT_EQ(DetectStreamCharSet(s), StreamCharSet::Utf16BE);
    EXPECT_EQ(s.Position(), 2);
    Fill(s, "\xef\xbb\xbf");
    EXPECT_EQ(DetectStreamCharSet(s), StreamCharSet::Utf8);
    EXPECT_EQ(s.Position(), 3);
    // Anything else is 8-bit text from its first byte.
    for (const std::string& other :
         {std::string("\xef\xbb"), std::string("\xef\xbb\xbe"), std::string("ab"), std::string("x"), std::string()}) {
        Fill(s, other);
        EXPECT_EQ(DetectStreamCharSet(s), StreamCharSet::Ansi) << other;
        EXPECT_EQ(s.Position(), 0);
    }
}

TEST(StreamCharSet, DetectsFromTheCurrentPosition) {
    TMemoryStream s;
    Fill(s, "xx\xfe\xff");
    s.SetPosition(2);
    EXPECT_EQ(DetectStreamCharSet(s), StreamCharSet::Utf16BE);
    s.SetPosition(3);
    EXPECT_EQ(DetectStreamCharSet(s), StreamCharSet::Ansi);
    EXPECT_EQ(s.Position(), 3);
}

TEST(StreamCharSet, ReadsTextOfEachCharacterSet) {
    unitest::ScopedSystemCodePage cp(1251);
    TMemoryStream s;
    Fill(s, std::string("A\0\x1f\x04", 4));
    EXPECT_EQ(ReadStreamText(s, StreamCharSet::Utf16LE), u"A\u041f");
    Fill(s, std::string("\0A\x04\x1f", 4));
    EXPECT_EQ(ReadStreamText(s, StreamCharSet::Utf16BE), u"A\u041f");
    // An odd last byte is dropped; a single byte gives no text.
    Fill(s, std::string("A\0B", 3));
    EXPECT_EQ(ReadStreamText(s, StreamCharSet::Utf16LE), u"A");
    Fill(s, "A");
    EXPECT_EQ(ReadStreamText(s, StreamCharSet::Utf16LE), u"");
    Fill(s, "\xd0\x9f!");
    EXPECT_EQ(ReadStreamText(s, StreamCharSet::Utf8), u"\u041f!");
    Fill(s, "\xcf!");
    EXPECT_EQ(ReadStreamText(s, StreamCharSet::Ansi), u"\u041f!");
    // Only the rest of the stream is read.
    Fill(s, "abc");
    s.SetPosition(1);
    EXPECT_EQ(ReadStreamText(s, StreamCharSet::Ansi), u"bc");
    s.SetPosition(3);
    EXPECT_EQ(ReadStreamText(s, StreamCharSet::Ansi), u"");
}
