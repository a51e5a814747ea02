// The language files that ship with the program hold a text for every text id the program's code asks for:
// every id of KelvoTextIds, the one table of them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "app/core/KelvoTextIds.h"
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
    std::set<int> ids;
    for (const TKelvoTextIdRun& run : KelvoTextIds)
        for (int id = run.First; id < run.First + run.Count; ++id) EXPECT_TRUE(ids.insert(id).second) << id;
    return ids;
}

}  // namespace

TEST(LanguageFiles, EveryTextIdOfTheCodeIsInEnglishAndInGerman) {
    const std::set<int> ids = TextIdsOfTheCode();
    // The JPEG dialog's first and last ids are among them, and the runs are counted out.
    ASSERT_TRUE(ids.count(1) && ids.count(216));
    ASSERT_TRUE(ids.count(212) && ids.count(2877) && ids.count(2897));
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
