#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "classlib/core/CodePages.h"
#include "classlib/core/Format.h"
#include "classlib/core/Paths.h"
#include "classlib/core/TMemIniFile.h"
#include "classlib/core/TStringList.h"
#include "tests/support/TestSupport.h"

namespace {

std::vector<std::string> Items(const TStrings& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
    return out;
}

TMemIniFile FromText(const std::string& text) {
    TMemoryStream stream;
    stream.WriteBuffer(text.data(), std::int32_t(text.size()));
    stream.SetPosition(0);
    return TMemIniFile(stream);
}

}  // namespace

TEST(Paths, PartsOfAName) {
    EXPECT_EQ(ExtractFilePath("C:\\dir\\sub\\name.ext"), "C:\\dir\\sub\\");
    EXPECT_EQ(ExtractFilePath("C:name"), "C:");
    EXPECT_EQ(ExtractFilePath("name"), "");
    EXPECT_EQ(ExtractFileDir("C:\\dir\\name.ext"), "C:\\dir");
    EXPECT_EQ(ExtractFileDir("C:\\name.ext"), "C:\\");
    EXPECT_EQ(ExtractFileDir("\\name"), "\\");
    EXPECT_EQ(ExtractFileDir("\\\\server\\share"), "\\\\server");
    EXPECT_EQ(ExtractFileName("C:\\a.b\\sea.jpg"), "sea.jpg");
    EXPECT_EQ(ExtractFileName("C:sea.jpg"), "sea.jpg");
#ifdef _WIN32
    EXPECT_EQ(ExtractFileName("dir/with/slashes.txt"), "dir/with/slashes.txt");  // as the system's own rule has it
#else
    EXPECT_EQ(ExtractFileName("dir/with/slashes.txt"), "slashes.txt");  // the native system's separator
#endif
    EXPECT_EQ(ExtractFileExt("C:\\a.b\\sea.JPG"), ".JPG");
    EXPECT_EQ(ExtractFileExt("C:\\a.b\\README"), "");  // the dot of a folder is no extension
    EXPECT_EQ(ExtractFileExt("archive.tar.gz"), ".gz");
    EXPECT_EQ(ExtractFileExt(".hidden"), ".hidden");
    EXPECT_EQ(ExtractFileExt("name."), ".");
    EXPECT_EQ(ChangeFileExt("C:\\a.b\\sea.jpg", ".png"), "C:\\a.b\\sea.png");
    EXPECT_EQ(ChangeFileExt("C:\\a.b\\README", ".txt"), "C:\\a.b\\README.txt");
    EXPECT_EQ(ChangeFileExt("pic.jpeg", ""), "pic");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\dir"), "C:\\dir\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\dir\\"), "C:\\dir\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "\\");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\dir\\"), "C:\\dir");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\dir"), "C:\\dir");
}

TEST(MemIniFile, ReadingRules) {
    TMemIniFile ini = FromText(
        "orphan=before any section\r\n"
        "; a comment\r\n"
        "[Language]\r\n"
        "  LangId  =  1049  \r\n"
        "Language=\"Russian\"\r\n"
        ";Hidden=1\r\n"
        "\r\n"
        "[Texts]\n"
        "10=first\n"
        "10=second\n"
        "Greeting= Hello, %s \n"
        "flag\n"
        "[language]\n"
        "Extra=yes\n"
        "a=b=c\n");
    EXPECT_EQ(ini.ReadString("Language", "LangId", ""), "1049");
    EXPECT_EQ(ini.ReadInteger("LANGUAGE", "langid", 0), 1049);
    EXPECT_EQ(ini.ReadString("Language", "Language", ""), "\"Russian\"");  // quotes kept
    EXPECT_EQ(ini.ReadString("Language", "Hidden", "none"), "none");       // a comment
    EXPECT_EQ(ini.ReadString("Language", "orphan", "none"), "none");
    EXPECT_EQ(ini.ReadString("language", "Extra", ""), "yes");  // the repeated section continues the first
    EXPECT_EQ(ini.ReadString("Language", "a", ""), "b=c");
    EXPECT_EQ(ini.ReadString("Texts", "10", ""), "first");  // the first of repeated keys
    EXPECT_EQ(ini.ReadString("Texts", "Greeting", ""), "Hello, %s");
    EXPECT_EQ(ini.ReadString("Nowhere", "x", "dflt"), "dflt");

    TStringList list;
    list.Add("stale");
    ini.ReadSections(&list);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"Language", "Texts"}));
    ini.ReadSectionValues("texts", &list);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"10=first", "10=second", "Greeting=Hello, %s", "flag"}));
    ini.ReadSection("Texts", &list);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"10", "10", "Greeting"}));
    ini.ReadSection("Nowhere", &list);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(ini.SectionExists("TEXTS"));
    EXPECT_FALSE(ini.SectionExists("Missing"));
    EXPECT_TRUE(ini.ValueExists("Texts", "greeting"));
    EXPECT_FALSE(ini.ValueExists("Texts", "flag"));  // a line without '=' has no name
}

TEST(MemIniFile, TypedValues) {
    TMemIniFile ini = FromText(
        "[N]\nhex=0x1F\ndollar=$10\nneg=-5\nbad=12abc\nempty=\nbig=99999999999\n"
        "yes=1\nno=0\nword=true\nf=2.5\nfbad=2,5\n");
    EXPECT_EQ(ini.ReadInteger("N", "hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("N", "dollar", 0), 16);
    EXPECT_EQ(ini.ReadInteger("N", "neg", 0), -5);
    EXPECT_EQ(ini.ReadInteger("N", "bad", 7), 7);
    EXPECT_EQ(ini.ReadInteger("N", "empty", 7), 7);
    EXPECT_EQ(ini.ReadInteger("N", "big", 7), 7);
    EXPECT_EQ(ini.ReadString("N", "empty", "dflt"), "");  // present but empty is not absent
    EXPECT_TRUE(ini.ReadBool("N", "yes", false));
    EXPECT_FALSE(ini.ReadBool("N", "no", true));
    EXPECT_TRUE(ini.ReadBool("N", "word", true));  // not an integer: the fallback
    EXPECT_FALSE(ini.ReadBool("N", "word", false));
    EXPECT_EQ(ini.ReadFloat("N", "f", 0), 2.5);
    EXPECT_EQ(ini.ReadFloat("N", "fbad", -1), -1);
    ini.WriteBool("N", "yes", false);
    EXPECT_EQ(ini.ReadString("N", "yes", ""), "0");
    ini.WriteFloat("N", "f", 0.25);
    EXPECT_EQ(ini.ReadString("N", "f", ""), "0.25");
    ini.WriteInteger("M", "i", -12);
    EXPECT_EQ(ini.ReadInteger("m", "I", 0), -12);
}

TEST(MemIniFile, EditingAndWritingBack) {
    testsupport::TempDir dir;
    const std::string name = dir.File("settings.ini");
    {
        TMemIniFile absent(name);  // no file yet: empty
        TStringList sections;
        absent.ReadSections(&sections);
        EXPECT_EQ(sections.Count(), 0);
        absent.WriteString("Main", "Title", "Vantorel");
        absent.WriteString("Main", "Zoom", "100");
        absent.WriteString("Other", "k", "v");
        absent.WriteString("main", "ZOOM", "200");  // replaces, keeps the first spelling of the section
        absent.UpdateFile();
    }
    std::ifstream file(name, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "[Main]\r\nTitle=Vantorel\r\nZOOM=200\r\n\r\n[Other]\r\nk=v\r\n\r\n");

    TMemIniFile ini(name);
    EXPECT_EQ(ini.ReadString("MAIN", "zoom", ""), "200");
    ini.DeleteKey("Main", "Title");
    ini.DeleteKey("Main", "absent");
    ini.EraseSection("OTHER");
    TStringList lines;
    ini.GetStrings(&lines);
    EXPECT_EQ(Items(lines), (std::vector<std::string>{"[Main]", "ZOOM=200", ""}));

    // From a string list, as the language files are read when they come in another encoding.
    TStringList source;
    source.SetText("[Language]\nLangId=1033\n");
    TMemIniFile fromList;
    fromList.SetStrings(&source);
    EXPECT_EQ(fromList.ReadInteger("Language", "LangId", 0), 1033);
    fromList.UpdateFile();  // no file name: nothing written, no error
    fromList.Clear();
    EXPECT_FALSE(fromList.SectionExists("Language"));
}

TEST(MemIniFile, NamesCompareInTheSystemLocale) {
    SetSystemAnsiCodePage(1251);
    TMemIniFile ini = FromText("[\xD0\xE0\xE7\xE4\xE5\xEB]\n\xCA\xEB\xFE\xF7=1\n");    // [Раздел] Ключ=1
    EXPECT_EQ(ini.ReadInteger("\xF0\xe0\xe7\xe4\xe5\xeb", "\xEA\xEB\xFE\xF7", 0), 1);  // раздел / ключ
    SetSystemAnsiCodePage(1252);
}
