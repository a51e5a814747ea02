// The language files that ship with the program hold a text for every text id the program's code asks for.
// The ids are found in the sources the way the code declares them: a constant "constexpr std::int32_t
// <k|Kelvo>Text<Name> = <id>;" (a comment "// <first>..<last>" on its line declares a run of ids), or a number
// passed straight to GetText.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "app/core/TKelvoLanguageFile.h"
#include "app/core/TKelvoLocalStringList.h"

namespace fs = std::filesystem;

namespace {

fs::path SourceRoot() { return fs::path(VANTOREL_SOURCE_DIR); }

std::string ReadAll(const fs::path& name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::set<int> TextIdsOfTheCode() {
    const std::regex constant(R"(constexpr\s+std::int32_t\s+(?:k|Kelvo)?Text[A-Z]\w*\s*=\s*(\d+)\s*;([^\n]*))");
    const std::regex run(R"(//\s*(\d+)\.\.(\d+))");
    // A member GetText of another object (a parameter list's, say) is not the program's text lookup.
    const std::regex literal(R"((?:^|[^.>\w])GetText\(\s*(\d+))");
    std::set<int> ids;
    for (const char* layer : {"app", "tools", "demo", "main"}) {
        const fs::path folder = SourceRoot() / layer;
        if (!fs::exists(folder)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".cpp" && ext != ".h") continue;
            const std::string text = ReadAll(entry.path());
            for (std::sregex_iterator m(text.begin(), text.end(), constant), end; m != end; ++m) {
                ids.insert(std::stoi((*m)[1]));
                const std::string rest = (*m)[2];
                std::smatch r;
                if (std::regex_search(rest, r, run))
                    for (int id = std::stoi(r[1]); id <= std::stoi(r[2]); ++id) ids.insert(id);
            }
            for (std::sregex_iterator m(text.begin(), text.end(), literal), end; m != end; ++m)
                ids.insert(std::stoi((*m)[1]));
        }
    }
    return ids;
}

}  // namespace

TEST(LanguageFiles, EveryTextIdOfTheCodeIsInEnglishAndInGerman) {
    const std::set<int> ids = TextIdsOfTheCode();
    // The JPEG dialog's first and last ids are among them: the scan itself works.
    ASSERT_TRUE(ids.count(1) && ids.count(216));
    const struct {
        const char* file;
        std::uint16_t id;
        const char16_t* name;
    } languages[] = {{"English.ini", 1033, u"English"}, {"Deutsch.ini", 1031, u"Deutsch"}};
    for (const auto& language : languages) {
        const TKelvoLanguageFile file(ReadAll(SourceRoot() / "main" / "Languages" / language.file));
        EXPECT_EQ(file.LanguageId(), language.id) << language.file;
        EXPECT_EQ(file.LanguageName(), language.name) << language.file;
        TKelvoLocalStringList table;
        file.FillTable(table);
        for (int id : ids) {
            AnsiString text;
            EXPECT_TRUE(table.GetText(id, text) && !text.empty()) << language.file << " has no text " << id;
        }
    }
}
