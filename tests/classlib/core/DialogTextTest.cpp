// The filter list handed to the file dialogs and the file names read back from their buffers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/DialogText.h"

using namespace std::string_literals;

namespace {

using Names = std::vector<AnsiString>;

TEST(DialogFilter, BarsBecomeNulsAndTheListEndsWithTwo) {
    EXPECT_EQ(DialogFilter("Pictures|*.jpg|All|*.*"), "Pictures\0*.jpg\0All\0*.*\0\0"s);
    EXPECT_EQ(DialogFilter("Demo Script (*.dsc)|*.dsc"), "Demo Script (*.dsc)\0*.dsc\0\0"s);
    EXPECT_EQ(DialogFilter(""), "");
    // A trailing bar gives an empty last entry, still followed by the list's end.
    EXPECT_EQ(DialogFilter("A|"), "A\0\0\0"s);
    EXPECT_EQ(DialogFilter(u"Bilder|*.jpg"), u"Bilder\0*.jpg\0\0"s);
    EXPECT_EQ(DialogFilter(u""), u"");
}

TEST(DialogFileNames, MultiSelectionJoinsTheFolderToEachName) {
    EXPECT_EQ(DialogFileNames("C:\\Pics\0a.jpg\0b.jpg\0\0"s, true, false),
              (Names{"C:\\Pics\\a.jpg", "C:\\Pics\\b.jpg"}));
    // The root folder already ends in a backslash.
    EXPECT_EQ(DialogFileNames("C:\\\0a.jpg\0b.jpg\0\0"s, true, false), (Names{"C:\\a.jpg", "C:\\b.jpg"}));
    // Absolute parts are kept as they are.
    EXPECT_EQ(DialogFileNames("C:\\Pics\0D:\\x.jpg\0\\\\srv\\y.jpg\0c.jpg\0\0"s, true, false),
              (Names{"D:\\x.jpg", "\\\\srv\\y.jpg", "C:\\Pics\\c.jpg"}));
    // One selected file is the full name itself.
    EXPECT_EQ(DialogFileNames("C:\\Pics\\a.jpg\0\0"s, true, false), (Names{"C:\\Pics\\a.jpg"}));
    // Nothing at all still gives the one (empty) FileName.
    EXPECT_EQ(DialogFileNames("\0\0"s, true, false), (Names{""}));
    EXPECT_EQ(DialogFileNames("", true, false), (Names{""}));
    // What follows the end of the list is not read as names.
    EXPECT_EQ(DialogFileNames("C:\\P\0a\0b\0\0stale\0old\0\0"s, true, false), (Names{"C:\\P\\a", "C:\\P\\b"}));
}

TEST(DialogFileNames, OldStyleMultiSelectionIsSeparatedByBlanks) {
    EXPECT_EQ(DialogFileNames("C:\\PICS A.JPG B.JPG\0"s, true, true), (Names{"C:\\PICS\\A.JPG", "C:\\PICS\\B.JPG"}));
    // Doubled blanks add no empty names; the text ends at the first NUL.
    EXPECT_EQ(DialogFileNames("C:\\  A.JPG \0B.JPG\0"s, true, true), (Names{"C:\\A.JPG"}));
    EXPECT_EQ(DialogFileNames("C:\\PICS\\A.JPG\0"s, true, true), (Names{"C:\\PICS\\A.JPG"}));
}

TEST(DialogFileNames, SingleSelectionTakesTheTextUpToTheFirstNul) {
    // Blanks belong to the name when only one file can be chosen, even in an old-style dialog.
    EXPECT_EQ(DialogFileNames("C:\\My Pics\\a b.jpg\0junk"s, false, false), (Names{"C:\\My Pics\\a b.jpg"}));
    EXPECT_EQ(DialogFileNames("C:\\My Pics\\a b.jpg\0"s, false, true), (Names{"C:\\My Pics\\a b.jpg"}));
    EXPECT_EQ(DialogFileNames("\0"s, false, false), (Names{""}));
}

TEST(DialogFileNames, ABufferWithoutTerminatorEndsAtItsLastCharacter) {
    // The system may fill the buffer completely; only the given characters are read.
    const std::string full(8, 'x');
    EXPECT_EQ(DialogFileNames(std::string_view(full.data(), 5), false, false), (Names{"xxxxx"}));
    const std::string list = "C:\\P\0a.jpg\0b.j"s;
    EXPECT_EQ(DialogFileNames(list, true, false), (Names{"C:\\P\\a.jpg", "C:\\P\\b.j"}));
    EXPECT_EQ(DialogFileNames(std::string_view("C:\\P A BC", 8), true, true), (Names{"C:\\P\\A", "C:\\P\\B"}));
}

TEST(DialogFileNames, WideNamesFollowTheSameRules) {
    using WideNames = std::vector<WideString>;
    EXPECT_EQ(DialogFileNames(u"C:\\Bilder\0\u00e4.jpg\0b.jpg\0\0"s, true, false),
              (WideNames{u"C:\\Bilder\\\u00e4.jpg", u"C:\\Bilder\\b.jpg"}));
    EXPECT_EQ(DialogFileNames(u"C:\\A B\\c.jpg\0"s, false, false), (WideNames{u"C:\\A B\\c.jpg"}));
    EXPECT_EQ(DialogFileNames(u"C:\\X Y Z"s, true, true), (WideNames{u"C:\\X\\Y", u"C:\\X\\Z"}));
}

}  // namespace
