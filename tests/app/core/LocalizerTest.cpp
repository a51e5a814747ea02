// Language files (encodings, the Strings section) and the localizer's choice of the base language, its
// fallback chain and the live switch.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/core/TKelvoLanguageFile.h"
#include "app/core/TKelvoLocalStringList.h"
#include "app/core/TKelvoLocalizer.h"
#include "classlib/core/TStringList.h"
#include "unicode/core/TUniStringList.h"

namespace {

// "Привет" ("hello") in UTF-8 and in code page 1251.
const std::string helloUtf8 = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";
const std::string hello1251 = "\xCF\xF0\xE8\xE2\xE5\xF2";
const WideString helloWide = u"\u041F\u0440\u0438\u0432\u0435\u0442";

class TFakeLanguages : public TKelvoLanguageSource {
public:
    std::vector<WideString> LanguageFiles() override { return order; }
    bool ReadFile(const WideString& path, AnsiString& bytes) override {
        auto it = files.find(path);
        if (it == files.end()) return false;
        bytes = it->second;
        return true;
    }
    bool ReadLanguageResource(AnsiString& bytes) override {
        if (resource.empty()) return false;
        bytes = resource;
        return true;
    }
    void SetThreadLocale(std::uint16_t id) override { locales.push_back(id); }

    void Add(const WideString& path, const std::string& bytes) {
        files[path] = bytes;
        order.push_back(path);
    }

    std::map<WideString, std::string> files;
    std::vector<WideString> order;
    std::string resource;
    std::vector<std::uint16_t> locales;
};

std::string LanguageText(int id, const std::string& name, const std::string& strings) {
    return "[Language]\r\nLangId=" + std::to_string(id) + "\r\nLanguage=" + name + "\r\n[Strings]\r\n" + strings;
}

struct Listener {
    int calls = 0;
    std::uint16_t seen = 0;
    void Localize() {
        ++calls;
        seen = GetCurrentLanguageId();
    }
    TKelvoMethod Method() { return MakeMethod<&Listener::Localize>(this); }
};

// Makes the localizer the program's one for the test's time.
struct Installed {
    explicit Installed(TKelvoLocalizer& l) { KelvoLocalizer = &l; }
    ~Installed() { KelvoLocalizer = nullptr; }
};

}  // namespace

TEST(KelvoLanguageFile, Utf8WithSignatureAndCodePage1251GiveTheSameTexts) {
    const TKelvoLanguageFile utf8("\xEF\xBB\xBF" + LanguageText(1049, helloUtf8, "12=" + helloUtf8 + "\r\n"));
    // The code page may be declared anywhere, after the lines it governs too.
    const TKelvoLanguageFile ansi(LanguageText(1049, hello1251, "12=" + hello1251 + "\r\nCodePage = 1251\r\n"));
    for (const TKelvoLanguageFile* file : {&utf8, &ansi}) {
        EXPECT_EQ(file->LanguageId(), 1049);
        EXPECT_EQ(file->LanguageName(), helloWide);
        TKelvoLocalStringList table;
        file->FillTable(table);
        AnsiString text;
        ASSERT_TRUE(table.GetText(12, text));
        EXPECT_EQ(text, helloUtf8);
    }
    // From a string list, with LF line ends in the same rule.
    TStringList lines;
    lines.SetText("CodePage=1251\n[Language]\nLangId=1049\nLanguage=" + hello1251 + "\n");
    EXPECT_EQ(TKelvoLanguageFile(lines).LanguageName(), helloWide);
}

TEST(KelvoLanguageFile, StringsTakeDecimalIdsOnlyAndTheLaterLineOfAnIdWins) {
    const TKelvoLanguageFile file(
        LanguageText(1033, "English", "12=first\n5=five\nabc=no\n0x10=no\n12=second\n-3=minus\n7\n"));
    TKelvoLocalStringList table;
    table.SetText(99, "left over");
    file.FillTable(table);
    EXPECT_EQ(table.Count(), 3);
    EXPECT_TRUE(table.Sorted());
    AnsiString text;
    EXPECT_TRUE(table.GetText(12, text));
    EXPECT_EQ(text, "second");
    EXPECT_TRUE(table.GetText(-3, text));
    EXPECT_FALSE(table.GetText(99, text));
    EXPECT_FALSE(table.GetText(16, text));
}

TEST(KelvoLanguageFile, FilesThatAreNoLanguageGiveId0) {
    EXPECT_EQ(TKelvoLanguageFile(LanguageText(0, "x", "")).LanguageId(), 0);
    EXPECT_EQ(TKelvoLanguageFile(LanguageText(70000, "x", "")).LanguageId(), 0);
    EXPECT_EQ(TKelvoLanguageFile(std::string("[Strings]\n1=a\n")).LanguageId(), 0);
    // UTF-16 is not read as 8-bit garbage.
    const std::string utf16("\xFF\xFE[\0L\0", 6);
    EXPECT_TRUE(DecodeLanguageLines(utf16).empty());
    // An unknown code page leaves the lines as they are.
    EXPECT_EQ(TKelvoLanguageFile(LanguageText(1049, hello1251, "") + "CodePage=12345\n").LanguageName(),
              WideString(hello1251.size(), u'\uFFFD'));
}

TEST(KelvoLocalizer, BaseIs1033ThenTextsFallBackFromCurrentToBaseToTheDefault) {
    TFakeLanguages source;
    source.Add(u"L\\de.ini", LanguageText(1031, "Deutsch", "1=Datei\n"));
    source.Add(u"L\\en.ini", LanguageText(1033, "English", "1=File\n2=Exit\n"));
    source.Add(u"L\\broken.ini", std::string("\xFF\xFE", 2));
    source.Add(u"L\\missing.ini", "");
    source.files.erase(u"L\\missing.ini");
    TKelvoLocalizer localizer(source);
    Installed installed(localizer);
    EXPECT_EQ(GetBaseLanguageId(), 1033);
    EXPECT_EQ(GetCurrentLanguageId(), 1033);
    TUniStringList names;
    localizer.GetLanguages(&names);
    ASSERT_EQ(names.Count(), 2);
    EXPECT_EQ(names.Strings(0), u"Deutsch");
    EXPECT_EQ(static_cast<TKelvoLanguage*>(names.Objects(1))->Path, u"L\\en.ini");

    Listener listener;
    RegisterListener(listener.Method());
    EXPECT_EQ(listener.calls, 1);
    SetLanguage(1031);
    EXPECT_EQ(listener.calls, 2);
    EXPECT_EQ(listener.seen, 1031);
    EXPECT_EQ(source.locales, std::vector<std::uint16_t>{1031});
    EXPECT_EQ(GetText(1), u"Datei");
    EXPECT_EQ(GetText(2), u"Exit");
    EXPECT_EQ(GetText(3, u"Default"), u"Default");

    // Unknown id: no locale change, nobody called, the language stays.
    SetLanguage(1049);
    SetLanguage(1033 + 65536);
    EXPECT_EQ(listener.calls, 2);
    EXPECT_EQ(source.locales.size(), 1u);
    EXPECT_EQ(GetCurrentLanguageId(), 1031);

    // Back to the base: the current table is emptied.
    SetLanguage(1033);
    EXPECT_EQ(GetText(1), u"File");
    EXPECT_EQ(listener.calls, 3);

    // A listener registered after a switch is called once, with the language in force.
    SetLanguage(1031);
    Listener late;
    RegisterListener(late.Method());
    EXPECT_EQ(late.calls, 1);
    EXPECT_EQ(late.seen, 1031);
    UnregisterListener(listener.Method());
    SetLanguage(1033);
    EXPECT_EQ(listener.calls, 4);
    EXPECT_EQ(late.calls, 2);
}

TEST(KelvoLocalizer, WithoutLanguagesTheBaseIs0AndTextsAreTheDefaults) {
    TFakeLanguages source;
    TKelvoLocalizer localizer(source);
    EXPECT_EQ(localizer.GetBaseLanguageId(), 0);
    EXPECT_EQ(localizer.LanguageCount(), 0);
    EXPECT_EQ(localizer.GetText(1, u"File"), u"File");
    EXPECT_EQ(localizer.GetText(1), u"");
    WideString name = u"unchanged";
    EXPECT_FALSE(localizer.GetLanguageName(1033, name));
    EXPECT_EQ(name, u"unchanged");
}

TEST(KelvoLocalizer, WithoutEnglishTheFirstLanguageIsTheBaseAndABuiltInLanguageComesFirst) {
    TFakeLanguages source;
    source.Add(u"fr.ini", LanguageText(1036,
                                       "Fran\xC3\xA7"
                                       "ais",
                                       "1=Fichier\n"));
    source.Add(u"de.ini", LanguageText(1031, "Deutsch", "1=Datei\n"));
    {
        TKelvoLocalizer localizer(source);
        EXPECT_EQ(localizer.GetBaseLanguageId(), 1036);
        EXPECT_EQ(localizer.GetText(1), u"Fichier");
        WideString name;
        EXPECT_TRUE(localizer.GetLanguageName(1036, name));
        EXPECT_EQ(name, u"Fran\u00E7ais");
    }
    source.resource = LanguageText(1033, "English", "1=File\n");
    TKelvoLocalizer localizer(source);
    EXPECT_EQ(localizer.GetBaseLanguageId(), 1033);
    EXPECT_EQ(localizer.GetText(1), u"File");
    ASSERT_EQ(localizer.LanguageCount(), 3);
    EXPECT_EQ(localizer.Language(2).Path, u"");
}
