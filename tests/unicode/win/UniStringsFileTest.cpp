#include <gtest/gtest.h>

#include "classlib/win/Win32.h"
#include "classlib/win/WideChars.h"
#include "unicode/core/TUniStringList.h"
#include "unicode/core/UniExceptions.h"
#include "unicode/win/TUniFileStream.h"
#include "unicode/win/WideFiles.h"

TEST(UniStringsFile, ListsLoadAndSaveFilesWithNonAnsiNames) {
    uni::InstallWideFileStreams();
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const WideString name = FromWideChars(temp) + u"uni_\u041f\u03a9_" +
                            WideString(1, char16_t(u'a' + GetCurrentProcessId() % 26)) + u".txt";
    TUniStringList list;
    list.Add(u"\u041f\u0440\u0438\u0432\u0435\u0442");
    list.Add(u"\u65e5\u672c");
    list.SaveToFile(name);
    ASSERT_TRUE(uni::FileExistsW(name));
    {
        // The file is open for reading with deny-write sharing while it loads; afterwards it is closed again.
        TUniStringList back;
        back.LoadFromFile(name);
        EXPECT_EQ(back.Count(), 2);
        EXPECT_EQ(back[0], list[0]);
        EXPECT_EQ(back[1], list[1]);
        EXPECT_EQ(back.LastFileCharSet(), StreamCharSet::Utf16LE);
    }
    EXPECT_TRUE(DeleteFileW(WideCStr(name)));
    EXPECT_THROW(list.LoadFromFile(name), EWideFOpenError);
}
