#include <gtest/gtest.h>

#include <vector>

#include "tests/unicode/core/SystemCodePage.h"
#include "classlib/core/TComponent.h"
#include "classlib/core/TReader.h"
#include "unicode/core/TUniStringList.h"

namespace {

// Builds the bytes of one property entry of a property stream.
class Entry {
public:
    explicit Entry(const std::string& name) { Byte(char(name.size())), bytes_ += name; }
    Entry& Str(const std::string& s) {
        Byte(6), Byte(char(s.size()));
        bytes_ += s;
        return *this;
    }
    Entry& WStr(const std::u16string& s) {
        Byte(18);
        Int32(std::uint32_t(s.size()));
        for (char16_t c : s) Byte(char(c & 0xFF)), Byte(char(c >> 8));
        return *this;
    }
    Entry& ListBegin() { return Byte(1); }
    Entry& ListEnd() { return Byte(0); }
    std::vector<WideString> ReadInto(TUniStrings& list, TComponent* owner = nullptr) const {
        TMemoryStream s;
        s.WriteBuffer(bytes_.data(), std::int32_t(bytes_.size()));
        s.SetPosition(0);
        TReader reader(s);
        reader.SetOwner(owner);
        reader.ReadProperty(&list);
        EXPECT_EQ(s.Position(), s.Size()) << "the whole entry is read, applied or not";
        std::vector<WideString> lines;
        for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
        return lines;
    }

private:
    Entry& Byte(char b) {
        bytes_ += b;
        return *this;
    }
    void Int32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) Byte(char(v >> (8 * i)));
    }
    std::string bytes_;
};

struct HelpSwitch {
    explicit HelpSwitch(bool on) { uni::SetUtfStreamingHelp(on); }
    ~HelpSwitch() { uni::SetUtfStreamingHelp(false); }
};

}  // namespace

TEST(UniStringsEntries, WideStringsTakesOneTextOrAListOfLines) {
    unitest::ScopedSystemCodePage cp(1251);
    TUniStringList list;
    list.Add(u"old");
    EXPECT_EQ(Entry("WideStrings").WStr(u"a\r\n\u041f").ReadInto(list), (std::vector<WideString>{u"a", u"\u041f"}));
    EXPECT_EQ(Entry("WideStrings").Str("\xcf\nx").ReadInto(list), (std::vector<WideString>{u"\u041f", u"x"}));
    EXPECT_EQ(Entry("WideStrings").ListBegin().Str("\xcf").WStr(u"\u65e5").ListEnd().ReadInto(list),
              (std::vector<WideString>{u"\u041f", u"\u65e5"}));
}

TEST(UniStringsEntries, UtfEntriesApplyOnlyWithStreamingHelp) {
    TUniStringList list;
    // UTF-8 lines fill an empty list even without the help...
    EXPECT_EQ(Entry("WideStringsW").ListBegin().Str("\xd0\x9f").ListEnd().ReadInto(list),
              (std::vector<WideString>{u"\u041f"}));
    // ...but do not replace lines that are there; UTF-7 lines never apply without it.
    EXPECT_EQ(Entry("WideStringsW").ListBegin().Str("z").ListEnd().ReadInto(list),
              (std::vector<WideString>{u"\u041f"}));
    EXPECT_EQ(Entry("WideStrings_UTF7").ListBegin().Str("+BB8-").ListEnd().ReadInto(list),
              (std::vector<WideString>{u"\u041f"}));
    TComponent owner(nullptr);
    {
        // The switch alone is not enough: the reader needs an owner.
        HelpSwitch on(true);
        EXPECT_EQ(Entry("WideStrings_UTF7").ListBegin().Str("+AOk-").ListEnd().ReadInto(list),
                  (std::vector<WideString>{u"\u041f"}));
        EXPECT_EQ(Entry("WideStrings_UTF7").ListBegin().Str("+AOk-").Str("a").ListEnd().ReadInto(list, &owner),
                  (std::vector<WideString>{u"\u00e9", u"a"}));
        EXPECT_EQ(Entry("WideStringsW").ListBegin().Str("y").ListEnd().ReadInto(list, &owner),
                  (std::vector<WideString>{u"y"}));
    }
    EXPECT_EQ(Entry("WideStrings_UTF7").ListBegin().Str("q").ListEnd().ReadInto(list, &owner),
              (std::vector<WideString>{u"y"}));
}
