// The wide string list: growth, search, update brackets, conversions and its "Strings" entry.
#include <gtest/gtest.h>

#include "classlib/core/CodePages.h"
#include "classlib/core/Stream.h"
#include "classlib/core/TReader.h"
#include "classlib/core/TStringList.h"
#include "classlib/core/TWriter.h"
#include "themed/core/TStringListW.h"

namespace {
struct ChangeCounter {
    int changes = 0;
    void Changed(TObject*) { ++changes; }
};
}  // namespace

TEST(StringListW, GrowsBySmallStepsThenBySixteen) {
    TStringListW list;
    std::vector<int> capacities;
    for (int i = 0; i < 14; ++i) {
        list.Add(u"x");
        if (capacities.empty() || capacities.back() != list.Capacity()) capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28}));
    for (int i = 0; i < 60; ++i) list.Add(u"y");
    EXPECT_EQ(list.Capacity(), 76);  // 28 -> 44 -> 60 -> 76
}

TEST(StringListW, IndexBoundsAndInsertion) {
    TStringListW list;
    TObject marker;
    list.Add(u"b");
    list.Insert(0, u"a", &marker);
    list.Insert(2, u"c");
    EXPECT_EQ(list.Get(0), u"a");
    EXPECT_EQ(list.GetObject(0), &marker);
    EXPECT_EQ(list.Get(2), u"c");
    try {
        list.Get(3);
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (3)");
    }
    EXPECT_THROW(list.Get(-1), EStringListError);
    EXPECT_THROW(list.Insert(4, u"z"), EStringListError);
    EXPECT_EQ(list.Count(), 3);
}

TEST(StringListW, SearchHonoursTheCaseFlagAndEqualsIsExact) {
    TStringListW list;
    list.Add(u"one");
    list.Add(u"ABC");
    EXPECT_EQ(list.IndexOf(u"abc"), 1);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf(u"abc"), -1);
    EXPECT_EQ(list.IndexOf(u"ABC"), 1);
    TStringListW other;
    other.Add(u"one");
    other.Add(u"abc");
    EXPECT_FALSE(list.Equals(&other));
    other.Clear();
    other.Add(u"one");
    other.Add(u"ABC");
    EXPECT_TRUE(list.Equals(&other));
    other.Add(u"more");
    EXPECT_FALSE(list.Equals(&other));
    EXPECT_FALSE(list.Equals(nullptr));
}

TEST(StringListW, ChangesFireOutsideUpdatesAndOnceAtTheOutermostEnd) {
    TStringListW list;
    ChangeCounter counter;
    list.OnChange = MakeMethod<&ChangeCounter::Changed>(&counter);
    list.Add(u"a");
    EXPECT_EQ(counter.changes, 1);
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add(u"b");
    list.Clear();
    list.EndUpdate();
    EXPECT_EQ(counter.changes, 1);
    list.EndUpdate();
    EXPECT_EQ(counter.changes, 2);
    list.EndUpdate();  // a surplus end changes nothing
    EXPECT_EQ(counter.changes, 2);
}

TEST(StringListW, AssignsFromAndToNarrowListsThroughTheCodePage) {
    SetSystemAnsiCodePage(1251);
    TStringList narrow;
    TObject marker;
    narrow.AddObject("\xC0\xE1", &marker);
    narrow.Add("plain");
    TStringListW wide;
    ChangeCounter counter;
    wide.OnChange = MakeMethod<&ChangeCounter::Changed>(&counter);
    wide.Assign(&narrow);
    EXPECT_EQ(counter.changes, 1);
    EXPECT_EQ(wide.Get(0), u"\u0410\u0431");
    EXPECT_EQ(wide.GetObject(0), &marker);
    TStringListW copy;
    copy.Assign(&wide);
    EXPECT_TRUE(copy.Equals(&wide));
    EXPECT_EQ(copy.GetObject(0), &marker);
    TStringList back;
    back.Add("old");
    wide.AssignTo(&back);
    EXPECT_EQ(back.Count(), 2);
    EXPECT_EQ(back.Get(0), "\xC0\xE1");
    EXPECT_EQ(back.GetObject(0), &marker);
    SetSystemAnsiCodePage(1252);
    TPersistent other;
    EXPECT_THROW(wide.Assign(&other), EConvertError);
    EXPECT_THROW(wide.AssignTo(&other), EConvertError);
}

TEST(StringListW, StringsEntryRoundTripsAndAnEmptyListReadsWithOneChange) {
    TStringListW list;
    list.Add(u"\u0410lpha", &list);
    list.Add(u"beta");
    TMemoryStream stream;
    {
        TWriter writer(stream);
        list.DefineProperties(&writer);
    }
    TStringListW back;
    back.Add(u"replaced");
    ChangeCounter counter;
    back.OnChange = MakeMethod<&ChangeCounter::Changed>(&counter);
    stream.SetPosition(0);
    {
        TReader reader(stream);
        reader.ReadProperty(&back);
    }
    EXPECT_TRUE(back.Equals(&list));
    EXPECT_EQ(back.GetObject(0), nullptr);  // objects are not stored
    EXPECT_EQ(counter.changes, 1);

    // An empty list written by hand as an empty "Strings" entry.
    TStringListW empty;
    TMemoryStream emptyStream;
    {
        TWriter writer(emptyStream);
        writer.WritePropName("Strings");
        writer.WriteListBegin();
        writer.WriteListEnd();
    }
    counter.changes = 0;
    emptyStream.SetPosition(0);
    {
        TReader reader(emptyStream);
        reader.ReadProperty(&back);
    }
    EXPECT_EQ(back.Count(), 0);
    EXPECT_EQ(counter.changes, 1);
}

TEST(StringListW, WrittenAgainstAnAncestorOnlyWhenTheyDiffer) {
    TStringListW ancestor;
    ancestor.Add(u"one");
    TStringListW list;
    list.Add(u"one");
    {
        TMemoryStream stream;
        TWriter writer(stream);
        writer.SetAncestor(&ancestor);
        list.DefineProperties(&writer);
        EXPECT_EQ(stream.Size(), 0);
    }
    list.Add(u"two");
    TMemoryStream stream;
    {
        TWriter writer(stream);
        writer.SetAncestor(&ancestor);
        list.DefineProperties(&writer);
    }
    EXPECT_GT(stream.Size(), 0);
}

TEST(StringListW, AFailedReadIsReportedAndRaised) {
    static AnsiString reported;
    TStringListW::SetReadFailureHandler([](const AnsiString& message) { reported = message; });
    TMemoryStream stream;
    {
        TWriter writer(stream);
        writer.WritePropName("Strings");
        writer.WriteListBegin();
        writer.WriteInteger(5);  // not a string
        writer.WriteListEnd();
    }
    stream.SetPosition(0);
    TStringListW list;
    TReader reader(stream);
    EXPECT_ANY_THROW(reader.ReadProperty(&list));
    EXPECT_EQ(reported, "could not read stringlistw property");
    TStringListW::SetReadFailureHandler(nullptr);
}
