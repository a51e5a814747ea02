// Text rules of the standard controls that need no window: accelerator characters, the text a label
// measures, and where the lines of a multi-line text are.
#include <gtest/gtest.h>

#include "classlib/core/CaptionText.h"
#include "classlib/core/LineSpans.h"
#include "classlib/core/TextLines.h"

TEST(CaptionText, AcceleratorIsTheCharacterAfterTheFirstSingleAmpersand) {
    EXPECT_EQ(AccelChar("&Save"), 'S');
    EXPECT_EQ(AccelChar("Save &as"), 'a');
    EXPECT_EQ(AccelChar("Fish && &Chips"), 'C');  // "&&" is a literal ampersand
    EXPECT_EQ(AccelChar("&&&x"), 'x');
    EXPECT_EQ(AccelChar("A&b &c"), 'b');
    EXPECT_EQ(AccelChar("Fish && Chips"), 0);
    EXPECT_EQ(AccelChar("Ends &"), 0);  // nothing after the prefix, and no reading past the end
    EXPECT_EQ(AccelChar("&"), 0);
    EXPECT_EQ(AccelChar(""), 0);
    EXPECT_EQ(AccelChar("plain"), 0);
}

TEST(CaptionText, LabelMeasuresABlankForEmptyTextAndALonePrefix) {
    EXPECT_EQ(LabelMeasureText("", true), " ");
    EXPECT_EQ(LabelMeasureText("", false), " ");
    EXPECT_EQ(LabelMeasureText("Name:", true), "Name:");
    EXPECT_EQ(LabelMeasureText("Name&", true), "Name& ");
    EXPECT_EQ(LabelMeasureText("Name&&&", true), "Name&&& ");
    // A literal ampersand at the end is a character like any other.
    EXPECT_EQ(LabelMeasureText("Name&&", true), "Name&&");
    // With accelerators off, '&' is shown as it is.
    EXPECT_EQ(LabelMeasureText("Name&", false), "Name&");
}

TEST(LineSpans, LinesEndAtAnyBreakAndALastUnterminatedLineCounts) {
    EXPECT_TRUE(LineSpans("").empty());
    const AnsiString text = "one\r\ntwo\nthree\rfour";
    const std::vector<TLineSpan> spans = LineSpans(text);
    ASSERT_EQ(spans.size(), 4u);
    const char* expected[] = {"one", "two", "three", "four"};
    const std::size_t breaks[] = {2, 1, 1, 0};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(text.substr(spans[i].Start, spans[i].Length), expected[i]) << i;
        EXPECT_EQ(spans[i].BreakLength, breaks[i]) << i;
        if (i + 1 < 4) {
            EXPECT_EQ(spans[i].End(), spans[i + 1].Start) << i;
        }
    }
    EXPECT_EQ(spans.back().End(), text.size());

    // A text ending in a break has no empty last line; empty lines in between count.
    const std::vector<TLineSpan> blank = LineSpans("a\r\n\r\n\nb\r\n");
    ASSERT_EQ(blank.size(), 4u);
    EXPECT_EQ(blank[1].Length, 0u);
    EXPECT_EQ(blank[2].Length, 0u);
    EXPECT_EQ(blank[3].Start, 6u);
    EXPECT_EQ(blank[3].End(), 9u);
    // "\n\r" is two breaks, not one.
    EXPECT_EQ(LineSpans("x\n\ry").size(), 3u);
}

TEST(LineSpans, AdjustLineBreaksMakesEveryBreakCrLf) {
    EXPECT_EQ(AdjustLineBreaks("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(AdjustLineBreaks("a\n\n"), "a\r\n\r\n");
    EXPECT_EQ(AdjustLineBreaks("\r\n"), "\r\n");
    EXPECT_EQ(AdjustLineBreaks(""), "");
    EXPECT_EQ(AdjustLineBreaks("no breaks"), "no breaks");
}

TEST(TextLines, LinesSplitAtEveryBreakAndPrefixesAreNotDrawn) {
    const std::vector<TTextLine> lines = SplitTextLines(u"&Open && save\r\nA&&B&\nlast&", false, true);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].Source, u"&Open && save");
    EXPECT_EQ(lines[0].Shown, u"Open & save");
    EXPECT_EQ(lines[1].Shown, u"A&B");  // a lone prefix at the end draws nothing
    EXPECT_EQ(lines[2].Shown, u"last");
    // Without prefixes every '&' is drawn; a single-line text keeps its breaks.
    EXPECT_EQ(SplitTextLines(u"a&b", false, false)[0].Shown, u"a&b");
    const std::vector<TTextLine> single = SplitTextLines(u"a\nb", true, true);
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0].Shown, u"a\nb");
    // An empty text is one empty line.
    ASSERT_EQ(SplitTextLines(u"", false, true).size(), 1u);
}
