// File streams and the file system, through the POSIX backend natively and the Win32 one under Wine.
#include "tests/classlib/core/FileCases.inc"

#include <gtest/gtest.h>

#include "classlib/core/FileSystem.h"

TEST(CommandLine, SplitsAtBlanksAndGroupsQuotes) {
    using classlib::SplitCommandLine;
    using V = std::vector<AnsiString>;
    EXPECT_EQ(SplitCommandLine(""), V{});
    EXPECT_EQ(SplitCommandLine("  \t "), V{});
    EXPECT_EQ(SplitCommandLine("prog.exe  a\tb "), (V{"prog.exe", "a", "b"}));
    EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\V.exe\" \"my photo.jpg\""),
              (V{"C:\\Program Files\\V.exe", "my photo.jpg"}));
    EXPECT_EQ(SplitCommandLine("a\"b c\"d e"), (V{"ab cd", "e"}));
    // An empty quoted argument still counts; an unclosed quote runs to the end.
    EXPECT_EQ(SplitCommandLine("x \"\" y"), (V{"x", "", "y"}));
    EXPECT_EQ(SplitCommandLine("x \"open end"), (V{"x", "open end"}));
}

TEST(CommandLine, MaskMatching) {
    using classlib::MatchesMask;
    EXPECT_TRUE(MatchesMask("lang.ini", "*.ini"));
    EXPECT_TRUE(MatchesMask("LANG.INI", "*.ini"));
    EXPECT_FALSE(MatchesMask("lang.ini.bak", "*.ini"));
    EXPECT_TRUE(MatchesMask(".ini", "*.ini"));
    EXPECT_TRUE(MatchesMask("abc", "a?c"));
    EXPECT_FALSE(MatchesMask("ac", "a?c"));
    EXPECT_TRUE(MatchesMask("", "*"));
    EXPECT_FALSE(MatchesMask("", "?"));
    EXPECT_TRUE(MatchesMask("a.b.c", "*.*.c"));
    EXPECT_TRUE(MatchesMask("abab", "*ab"));
    EXPECT_FALSE(MatchesMask("abba", "*ab"));
    // A long run of stars on a long name stays cheap (no exponential backtracking).
    EXPECT_FALSE(MatchesMask(std::string(5000, 'a'), std::string(50, '*') + "b"));
}
