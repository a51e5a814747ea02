// The name taken from a shell drop is the whole first name, also beyond the classic 260 characters, where a
// cut name could open another file.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "app/win/KelvoDroppedFiles.h"
#include "tests/app/win/FileDropSupport.h"

TEST(DroppedFiles, TheFirstNameIsTakenWholeHoweverLong) {
    const WideString longName = u"C:\\" + WideString(290, u'a') + u"\\picture.jpg";
    HDROP drop = testsupport::MakeFileDrop({longName, u"C:\\second.jpg", u"C:\\third.jpg"});
    const auto name = kelvo::FirstDroppedFileName(drop);
    ::DragFinish(drop);
    ASSERT_TRUE(name);
    EXPECT_EQ(name->size(), longName.size());
    EXPECT_EQ(*name, longName);
}

TEST(DroppedFiles, ADropWithoutFilesGivesNoName) {
    HDROP drop = testsupport::MakeFileDrop({});
    EXPECT_FALSE(kelvo::FirstDroppedFileName(drop));
    ::DragFinish(drop);
}
