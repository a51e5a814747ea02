#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/win/TFileMapping.h"
#include "tests/support/TestSupport.h"
#include "classlib/core/StringUtils.h"

namespace {

std::vector<char> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(FileMapping, NewFileGrowsAndKeepsWhatWasWritten) {
    testsupport::TempDir dir;
    const std::string path = dir.File("exchange.bin");
    {
        TFileMapping m(WidenBytes(path));
        ASSERT_TRUE(m.IsOpen());
        EXPECT_EQ(m.GetSize(), 0);
        EXPECT_FALSE(m.IsMapped());
        EXPECT_EQ(m.Map(0, 1, FILE_MAP_WRITE), nullptr);
        ASSERT_TRUE(m.SetSize(1000));
        EXPECT_EQ(m.GetSize(), 1000);
        EXPECT_EQ(m.Map(0, 1001, FILE_MAP_WRITE), nullptr);  // past the end
        auto* view = static_cast<char*>(m.Map(0, 1000, FILE_MAP_WRITE));
        ASSERT_NE(view, nullptr);
        for (int i = 0; i < 1000; ++i) view[i] = char(i * 3);
        m.Unmap(view);
    }
    const std::vector<char> bytes = FileBytes(path);
    ASSERT_EQ(bytes.size(), 1000u);
    EXPECT_EQ(bytes[999], char(999 * 3));
}

TEST(FileMapping, ShrinkingTruncatesAndExistingContentIsMapped) {
    testsupport::TempDir dir;
    const std::string path = dir.File("data.bin");
    {
        std::ofstream out(path, std::ios::binary);
        for (int i = 0; i < 5000; ++i) out.put(char(i));
    }
    {
        TFileMapping m(WidenBytes(path));
        ASSERT_TRUE(m.IsMapped());
        EXPECT_EQ(m.GetSize(), 5000);
        auto* view = static_cast<char*>(m.Map(0, 5000, FILE_MAP_READ));
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view[4999], char(4999));
        m.Unmap(view);
        ASSERT_TRUE(m.SetSize(10));
        EXPECT_EQ(m.GetSize(), 10);
        EXPECT_EQ(m.Map(0, 11, FILE_MAP_READ), nullptr);
        ASSERT_TRUE(m.SetSize(0));
        EXPECT_FALSE(m.IsMapped());
    }
    EXPECT_EQ(FileBytes(path).size(), 0u);
}

TEST(FileMapping, FailuresAreReportedAndKeepTheOldMapping) {
    testsupport::TempDir dir;
    // A folder cannot be opened as a file: nothing maps, nothing raises.
    TFileMapping none(WidenBytes(dir.Path()));
    EXPECT_FALSE(none.IsOpen());
    EXPECT_EQ(none.GetSize(), 0);
    EXPECT_FALSE(none.SetSize(10));
    EXPECT_EQ(none.Map(0, 1, FILE_MAP_READ), nullptr);

    // A size that cannot be had (far beyond the free disk space of any test machine would be fragile;
    // a held view makes the shrink fail instead).
    const std::string path = dir.File("held.bin");
    TFileMapping m(WidenBytes(path));
    ASSERT_TRUE(m.SetSize(70000));
    TFileMapping other(WidenBytes(path));
    void* held = other.Map(0, 70000, FILE_MAP_READ);
    ASSERT_NE(held, nullptr);
    const bool shrunk = m.SetSize(100);
    if (!shrunk) {
        EXPECT_EQ(m.GetSize(), 70000);
        void* view = m.Map(0, 70000, FILE_MAP_READ);
        EXPECT_NE(view, nullptr);
        m.Unmap(view);
    } else {
        // Some systems allow it; then the new size must be in force.
        EXPECT_EQ(m.GetSize(), 100);
    }
    other.Unmap(held);
}
