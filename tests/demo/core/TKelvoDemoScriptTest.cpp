#include <gtest/gtest.h>

#include "classlib/core/Exceptions.h"
#include "classlib/core/Stream.h"
#include "demo/core/IKelvoLanguageIds.h"
#include "demo/core/TKelvoDemoScript.h"

namespace {

class TFixedLanguages : public IKelvoLanguageIds {
public:
    std::uint16_t current = 1033;
    std::uint16_t base = 1033;
    std::uint16_t GetCurrentLanguageId() const override { return current; }
    std::uint16_t GetBaseLanguageId() const override { return base; }
};

std::uint32_t CyrillicForRussian(std::uint16_t id) { return id == 1049 ? 1251 : 1252; }

// Installs a language provider for one test and removes it again.
class DemoScriptTest : public ::testing::Test {
protected:
    void SetUp() override { kelvodemo::SetLanguageIds(&languages); }
    void TearDown() override {
        kelvodemo::SetLanguageIds(nullptr);
        kelvodemo::SetCodePageOfLanguage(nullptr);
    }

    void Load(const std::string& text) {
        TMemoryStream stream;
        stream.WriteBuffer(text.data(), std::int32_t(text.size()));
        stream.SetPosition(0);
        script.LoadFromStream(stream);
    }

    std::string Saved() const {
        TMemoryStream stream;
        script.SaveToStream(stream);
        return std::string(static_cast<const char*>(stream.Memory()), std::size_t(stream.Size()));
    }

    TKelvoDemoLines Section(const char* name) const {
        std::int32_t index;
        if (!script.FindSection(name, index)) return {"<missing>"};
        return script.SectionLines(index);
    }

    TFixedLanguages languages;
    TKelvoDemoScript script;
};

}  // namespace

TEST_F(DemoScriptTest, SplitterTrimsDropsCommentsAndNormalisesOnlyNameValueSections) {
    Load(
        "stray line before any section\r\n"
        "[ Info ]\r\n"
        "  Title   =  Cropping a photo  \r\n"
        "\r\n"
        "; a comment\r\n"
        "Author=me\r\n"
        "[Script]\r\n"
        "   MouseMove 10, 20\t\r\n"
        "Message \"a = b\"\r\n"
        "  ; dropped too\r\n"
        "[1033]\n"
        "Hello = Hello, world\n"
        "no equals sign here\r"
        "[info]\r\n"
        "Extra= 1\r\n");
    EXPECT_EQ(script.SectionCount(), 3);
    EXPECT_EQ(script.SectionName(0), "Info");
    EXPECT_EQ(Section("Info"), (TKelvoDemoLines{"Title=Cropping a photo", "Author=me", "Extra=1"}));
    EXPECT_EQ(Section("Script"), (TKelvoDemoLines{"MouseMove 10, 20", "Message \"a = b\""}));
    EXPECT_EQ(Section("1033"), (TKelvoDemoLines{"Hello=Hello, world", "no equals sign here"}));
    EXPECT_FALSE(script.IsUtf8());
    EXPECT_EQ(script.GetInfo("title"), "Cropping a photo");
    EXPECT_EQ(script.GetInfo("Missing"), "");
    EXPECT_EQ(script.GetText("Hello"), u"Hello, world");
}

TEST_F(DemoScriptTest, AScriptWithoutScriptSectionLoadsAsAnEmptyDemonstration) {
    Load("[Info]\r\nTitle=Nothing to play\r\n");
    EXPECT_TRUE(script.GetLines().empty());
    EXPECT_EQ(Section("Script"), TKelvoDemoLines{});
    Load("");
    EXPECT_EQ(script.SectionCount(), 2);
    EXPECT_TRUE(script.GetLines().empty());
    EXPECT_EQ(script.GetInfo("Title"), "");
}

TEST_F(DemoScriptTest, Utf8ScriptKeepsItsMarkAndTextsThroughSaveAndLoad) {
    const std::string file =
        "\xEF\xBB\xBF[Script]\r\n"
        "Message \"\xC3\x9C"
        "ber = \xE2\x82\xAC\"\r\n"
        "[1033]\r\n"
        "Title=Caf\xC3\xA9\r\n"
        "Step1=\xF0\x9F\x93\xB7 Kamera\r\n";
    Load(file);
    ASSERT_TRUE(script.IsUtf8());
    EXPECT_EQ(script.SectionName(0), "Script");  // the mark is not part of the first line
    EXPECT_EQ(script.GetTitle(), u"Caf\u00E9");
    EXPECT_EQ(script.GetText("Step1"), u"\U0001F4F7 Kamera");

    const std::string saved = Saved();
    EXPECT_EQ(saved.substr(0, 3), "\xEF\xBB\xBF");
    const TKelvoDemoLines before = script.GetLines();
    Load(saved);
    EXPECT_TRUE(script.IsUtf8());
    EXPECT_EQ(script.GetLines(), before);
    EXPECT_EQ(script.GetText("Step1"), u"\U0001F4F7 Kamera");
    EXPECT_EQ(Saved(), saved);  // stable from the first save on

    // An 8-bit script is written without a mark, every section in order.
    Load("[Script]\r\nPause 2\r\n[Info]\r\nTitle = T\r\n");
    EXPECT_EQ(Saved(), "[Script]\r\nPause 2\r\n[Info]\r\nTitle=T\r\n");
}

TEST_F(DemoScriptTest, EightBitTextsAreReadInTheCodePageOfTheirLanguage) {
    kelvodemo::SetCodePageOfLanguage(CyrillicForRussian);
    Load(
        "[1049]\r\nTitle=\xCF\xF0\xE8\xEC\xE5\xF0\r\n[1031]\r\nTitle=\xDC"
        "bung\r\n");
    languages.current = 1049;
    EXPECT_EQ(script.GetTitle(), u"\u041F\u0440\u0438\u043C\u0435\u0440");
    languages.current = 1031;
    EXPECT_EQ(script.GetTitle(), u"\u00DCbung");
    // Falling back to the base language reads the base language's texts in its own code page.
    languages.current = 1031;
    languages.base = 1049;
    EXPECT_EQ(script.GetText("Title"), u"\u00DCbung");
    languages.current = 2057;
    EXPECT_EQ(script.GetText("Title"), u"\u041F\u0440\u0438\u043C\u0435\u0440");
}

TEST_F(DemoScriptTest, TextsComeFromTheCurrentLanguageThenTheBaseWithoutMixingSections) {
    Load(
        "[Info]\r\nTitle=Info title\r\n"
        "[1031]\r\nGreeting=Hallo\r\n"
        "[1033]\r\nGreeting=Hello\r\nFarewell=Bye\r\nTitle=English title\r\n");
    languages.current = 1031;
    languages.base = 1033;
    EXPECT_EQ(script.GetText("Greeting"), u"Hallo");
    EXPECT_EQ(script.GetText("Farewell"), u"");   // the German section exists: no fallback
    EXPECT_EQ(script.GetTitle(), u"Info title");  // nor for the title
    languages.current = 1036;
    EXPECT_EQ(script.GetText("Farewell"), u"Bye");
    EXPECT_EQ(script.GetTitle(), u"English title");
    languages.base = 1040;
    EXPECT_EQ(script.GetText("Greeting"), u"");
    EXPECT_EQ(script.GetTitle(), u"Info title");

    kelvodemo::SetLanguageIds(nullptr);  // no localizer: language 0
    EXPECT_EQ(script.GetText("Greeting"), u"");
}

TEST_F(DemoScriptTest, SectionEditingResetAndAssign) {
    Load("\xEF\xBB\xBF[Script]\r\nPause 1\r\n[1033]\r\nA=1\r\n");
    TKelvoDemoScript copy;
    copy.Assign(script);
    script.GetLines().push_back("Pause 2");
    EXPECT_TRUE(copy.IsUtf8());
    EXPECT_EQ(copy.GetLines(), TKelvoDemoLines{"Pause 1"});

    std::int32_t index;
    ASSERT_TRUE(script.FindSection("SCRIPT", index));
    EXPECT_EQ(script.AddSection("script"), index);
    const std::int32_t added = script.AddSection("1049");
    EXPECT_EQ(added, script.SectionCount() - 1);
    script.DeleteSection(added);
    EXPECT_FALSE(script.FindSection("1049", index));
    EXPECT_EQ(index, -1);
    // Deleting a section moves the later ones up, and they are found at their new places.
    const std::int32_t german = script.AddSection("1031");
    script.AddSection("1049");
    script.DeleteSection(german);
    ASSERT_TRUE(script.FindSection("1049", index));
    EXPECT_EQ(index, german);
    EXPECT_EQ(script.SectionName(index), "1049");
    EXPECT_THROW(script.DeleteSection(script.SectionCount()), ERangeError);
    EXPECT_THROW(script.SectionName(-1), ERangeError);

    script.Reset();
    EXPECT_FALSE(script.IsUtf8());
    EXPECT_EQ(script.SectionCount(), 2);
    EXPECT_EQ(script.SectionName(0), "Info");
    EXPECT_EQ(script.SectionName(1), "Script");
    script.Clear();
    EXPECT_EQ(script.SectionCount(), 0);
    EXPECT_TRUE(script.GetLines().empty());  // asking for the lines brings the section back
    EXPECT_EQ(script.SectionCount(), 1);
}
