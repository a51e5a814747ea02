#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/TestSupport.h"
#include "tools/win/TKelvoProfileFile.h"
#include "classlib/core/StringUtils.h"

namespace {

TEST(ProfileFileTest, LearnedProfilesSurviveTheFileAndHostileFilesReadSafely) {
    testsupport::TempDir dir;
    const std::string path = dir.File("Vantorel.dis");
    TKelvoProfileFile file(WidenBytes(path));
    TKelvoLensProfile p;
    p.Load(file, u"NIKON", u"D700");
    EXPECT_TRUE(p.Entries().empty());
    EXPECT_EQ(p.Learn(file, 28, 7), TLensLearnResult::Saved);
    EXPECT_EQ(p.Learn(file, 70, -3), TLensLearnResult::Saved);
    TKelvoLensProfile again;
    again.Load(file, u"NIKON", u"D700");
    EXPECT_EQ(again.Entries(), (std::vector<TLensProfileEntry>{{28, 7}, {70, -3}}));
    // Written "7 -3 "; the system trims the trailing blank when reading.
    EXPECT_EQ(file.ReadString(u"NIKON", u"D700 KD"), u"7 -3");

    // A hand-edited file with junk, duplicate focal lengths and an over-long value.
    {
        std::ofstream out(path, std::ios::trunc);
        out << "[Canon]\r\nEOS FL=35 35 x 50 " << std::string(3000, '9') << "\r\nEOS KD=1 2 3\r\n";
    }
    TKelvoLensProfile hostile;
    hostile.Load(file, u"Canon", u"EOS");
    EXPECT_EQ(hostile.Entries(), (std::vector<TLensProfileEntry>{{35, 1}, {50, 3}}));

    TKelvoProfileFile missing(WidenBytes(dir.File("sub\\none\\x.dis")));
    EXPECT_TRUE(missing.ReadString(u"a", u"b").empty());
    EXPECT_FALSE(missing.WriteString(u"a", u"b", u"1 "));
    EXPECT_EQ(LensProfileFileName(u"x.exe"), u"x.dis");
    EXPECT_FALSE(ProgramLensProfileFileName().empty());
}
}  // namespace
