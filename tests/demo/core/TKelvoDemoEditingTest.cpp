// The names registered for demonstrations, the demonstrations window's list order, and the script editor's
// model of the script it edits.
#include <gtest/gtest.h>

#include "classlib/core/CodePages.h"
#include "classlib/core/Stream.h"
#include "classlib/core/TComponent.h"
#include "demo/core/IKelvoLanguageIds.h"
#include "demo/core/TKelvoDemoNameTables.h"
#include "demo/core/TKelvoDemoScriptEdit.h"

namespace {

// Runs the command with the parameters of a script line.
bool RunLine(const TKelvoDemoCommandTable& commands, const char* name, const char* line) {
    TKelvoDemoScriptParams params;
    params.Parse(line);
    return commands.Run(name, params);
}

TEST(DemoNameTables, TheFirstRegistrationAnswersAndEachKindTakesItsValue) {
    TKelvoDemoCommandTable commands;
    std::vector<std::string> calls;
    commands.AddBoolean(
        "Flag", [&](bool v) { calls.push_back(v ? "flag on" : "flag off"); }, true);
    commands.AddBoolean(
        "FLAG", [&](bool) { calls.push_back("second flag"); }, true);
    commands.AddInteger(
        "Size", [&](std::int32_t v) { calls.push_back("size " + std::to_string(v)); }, 100);
    commands.AddTwoIntegers(
        "Pair", [&](std::int32_t a, std::int32_t b) { calls.push_back(std::to_string(a) + "," + std::to_string(b)); },
        7, 8);
    commands.AddFloat(
        "Ratio", [&](double v) { calls.push_back("ratio " + std::to_string(v)); }, 0.5);

    EXPECT_TRUE(RunLine(commands, "flag", "false"));  // false reads as the integer 0
    EXPECT_TRUE(RunLine(commands, "FLAG", ""));       // no parameter: the default
    EXPECT_TRUE(RunLine(commands, "Flag", "maybe"));  // not a number: false
    EXPECT_TRUE(RunLine(commands, "SIZE", "12.9"));   // towards zero
    EXPECT_TRUE(RunLine(commands, "SIZE", "'x'"));    // not a number: the default
    EXPECT_TRUE(RunLine(commands, "pair", "3"));      // one number is not enough
    EXPECT_TRUE(RunLine(commands, "pair", "3, -4"));
    EXPECT_TRUE(RunLine(commands, "ratio", ""));
    EXPECT_FALSE(RunLine(commands, "Unknown", ""));
    EXPECT_EQ(calls, (std::vector<std::string>{"flag off", "flag on", "flag off", "size 12", "size 100", "7,8", "3,-4",
                                               "ratio 0.500000"}));

    TKelvoDemoTargetTable targets;
    TComponent first(nullptr), second(nullptr);
    targets.Add("Button", nullptr);
    targets.Add("Button", &first);
    targets.Add("BUTTON", &second);
    EXPECT_EQ(targets.Find("button"), &first);
    targets.Remove(&first);
    EXPECT_EQ(targets.Find("button"), &second);
}

TEST(DemoNameTables, TheListIsSortedWithoutRegardToCaseAndTheRememberedIndexStaysInside) {
    EXPECT_EQ(KelvoDemoListOrder({u"crop", u"Brightness", u"apple", u"Crop"}), (std::vector<std::int32_t>{2, 1, 0, 3}));
    EXPECT_EQ(KelvoDemoListSelection(3, 3), 2);  // advanced past the last demonstration
    EXPECT_EQ(KelvoDemoListSelection(1, 3), 1);
    EXPECT_EQ(KelvoDemoListSelection(0, 0), -1);
}

class DemoScriptEdit : public ::testing::Test {
protected:
    struct TGerman : IKelvoLanguageIds {
        std::uint16_t GetCurrentLanguageId() const override { return 1031; }
        std::uint16_t GetBaseLanguageId() const override { return 1033; }
    } german;
    void SetUp() override {
        kelvodemo::SetLanguageIds(&german);
        kelvodemo::SetCodePageOfLanguage([](std::uint16_t) { return 1252u; });
    }
    void TearDown() override {
        kelvodemo::SetLanguageIds(nullptr);
        kelvodemo::SetCodePageOfLanguage(nullptr);
    }

    static void Load(TKelvoDemoScript& script, const std::string& text) {
        TMemoryStream stream;
        stream.WriteBuffer(text.data(), std::int32_t(text.size()));
        stream.SetPosition(0);
        script.LoadFromStream(stream);
    }
    static std::string Saved(const TKelvoDemoScript& script) {
        TMemoryStream stream;
        script.SaveToStream(stream);
        return std::string(static_cast<const char*>(stream.Memory()), std::size_t(stream.Size()));
    }
};

TEST_F(DemoScriptEdit, DeleteLanguageNeverDeletesInfoOrScriptWhereverTheyStand) {
    TKelvoDemoScript loaded;
    Load(loaded,
         "[1033]\r\nTitle=Crop\r\n[script]\r\nPause 1\r\n[1031]\r\nTitle=Zuschneiden\r\n[Info]\r\nImage=a.png\r\n");
    TKelvoDemoScriptEdit edit;
    edit.Adopt(loaded);
    ASSERT_EQ(edit.TabCount(), 4);
    EXPECT_FALSE(edit.DeleteLanguage(1));  // [script], the second tab
    EXPECT_FALSE(edit.DeleteLanguage(3));  // [Info], the fourth
    EXPECT_FALSE(edit.DeleteLanguage(4));
    EXPECT_TRUE(edit.DeleteLanguage(2));
    EXPECT_TRUE(edit.DeleteLanguage(0));
    EXPECT_EQ(Saved(edit.Script()), "\xEF\xBB\xBF[script]\r\nPause 1\r\n[Info]\r\nImage=a.png\r\n");
}

TEST_F(DemoScriptEdit, AnEightBitScriptEditedInAllLanguagesSavesAsUtf8AndReadsBackTheSame) {
    TKelvoDemoScript loaded;
    Load(loaded,
         "[Info]\r\nTitle=Fassade\r\n[Script]\r\nMessage \"Gr\xFC\xDF"
         "e\"\r\n[1031]\r\nTitle=F\xE4lle\r\n");
    TKelvoDemoScriptEdit edit;
    edit.Adopt(loaded);
    bool added = false;
    EXPECT_EQ(edit.AddLanguage("Script", added), -1);  // only language ids name new sections
    EXPECT_EQ(edit.AddLanguage(" 1031 ", added), 2);
    EXPECT_FALSE(added);
    const std::int32_t english = edit.AddLanguage("1033", added);
    EXPECT_TRUE(added);
    EXPECT_EQ(english, 3);
    edit.StoreText(english, u"  Title=Fa\u00e7ade  \r\n\r\nIntro=Stra\u00dfe\n");
    edit.SetSelection(english, {3, 4});
    EXPECT_EQ(edit.Text(edit.ScriptTab()), u"Message \"Gr\u00fc\u00dfe\"");
    EXPECT_EQ(edit.Selection(english).Start, 3);

    TKelvoDemoScript again;
    Load(again, Saved(edit.Script()));
    EXPECT_TRUE(again.IsUtf8());
    EXPECT_EQ(again.GetText("Title"), u"F\u00e4lle");
    ASSERT_EQ(again.SectionCount(), 4);
    for (std::int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(again.SectionName(i), edit.Script().SectionName(i));
        EXPECT_EQ(again.SectionLines(i), edit.Script().SectionLines(i));
    }
    EXPECT_EQ(Utf8Decode(again.SectionLines(3)[1]), u"Intro=Stra\u00dfe");
}

}  // namespace
