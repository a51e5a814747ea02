#include <gtest/gtest.h>

#include <vector>

#include "tests/unicode/core/SystemCodePage.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/TStringList.h"
#include "unicode/core/TAnsiStringsForWideStringsAdapter.h"
#include "unicode/core/TUniStringList.h"

namespace {

std::string ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "no error";
}

std::vector<WideString> LinesOf(const TWideStrings& list) {
    std::vector<WideString> lines;
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
    return lines;
}

// Records the change events of a list.
struct EventLog : TObject {
    std::vector<char> events;
    void OnChanging(TObject*) { events.push_back('<'); }
    void OnChange(TObject*) { events.push_back('>'); }
};

}  // namespace

TEST(UniStringList, SortedDuplicateRules) {
    TUniStringList list;
    list.SetSorted(true);
    EXPECT_EQ(list.Add(u"\u0431eta"), 0);
    EXPECT_EQ(list.Add(u"alpha"), 0);
    EXPECT_EQ(list.Add(u"gamma"), 1);
    // dupIgnore: the existing index, one entry.
    EXPECT_EQ(list.Add(u"ALPHA"), 0);
    EXPECT_EQ(list.Add(u"alpha"), 0);
    EXPECT_EQ(list.Count(), 3);
    list.SetDuplicates(dupError);
    EXPECT_EQ(ErrorOf([&] { list.Add(u"gamma"); }), "String list does not allow duplicates");
    list.SetDuplicates(dupAccept);
    list.Add(u"gamma");
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(LinesOf(list), (std::vector<WideString>{u"alpha", u"gamma", u"gamma", u"\u0431eta"}));
    EXPECT_EQ(list.IndexOf(u"GAMMA"), 1);
    EXPECT_EQ(list.IndexOf(u"delta"), -1);
}

TEST(UniStringList, IndexAndSortedOrderErrors) {
    TUniStringList list;
    list.Add(u"b");
    EXPECT_EQ(ErrorOf([&] { list.Get(1); }), "List index out of bounds (1)");
    EXPECT_EQ(ErrorOf([&] { list.Delete(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(ErrorOf([&] { list.Insert(2, u"x"); }), "List index out of bounds (2)");
    list.Insert(1, u"a");
    list.SetSorted(true);
    EXPECT_EQ(LinesOf(list), (std::vector<WideString>{u"a", u"b"}));
    EXPECT_EQ(ErrorOf([&] { list.Insert(0, u"x"); }), "Operation not allowed on sorted list");
    EXPECT_EQ(ErrorOf([&] { list.Put(0, u"x"); }), "Operation not allowed on sorted list");
    EXPECT_EQ(ErrorOf([&] { list.InsertObject(0, u"x", nullptr); }), "Operation not allowed on sorted list");
    // Moving a line of a sorted list is refused before the line is taken out.
    EXPECT_EQ(ErrorOf([&] { list.Move(0, 1); }), "Operation not allowed on sorted list");
    EXPECT_EQ(LinesOf(list), (std::vector<WideString>{u"a", u"b"}));
}

TEST(UniStringList, GrowthSteps) {
    TUniStringList list;
    std::vector<int> capacities;
    for (int i = 0; i < 100; ++i) {
        list.Add(u"x");
        if (capacities.empty() || capacities.back() != list.Capacity()) capacities.push_back(list.Capacity());
    }
    // 4 at a time up to 8, 16 at a time up to 64, then a quarter of the capacity.
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
}

TEST(UniStringList, SortCaseAndNames) {
    TUniStringList list;
    for (const char16_t* s : {u"delta=4", u"Alpha=1", u"charlie=3", u"bravo=2", u"alpha=0"}) list.Add(s);
    list.SetCaseSensitive(true);
    list.Sort();
    EXPECT_EQ(LinesOf(list), (std::vector<WideString>{u"Alpha=1", u"alpha=0", u"bravo=2", u"charlie=3", u"delta=4"}));
    list.SetSorted(true);
    EXPECT_EQ(list.IndexOfName(u"charlie"), 3);
    EXPECT_EQ(list.IndexOfName(u"char"), -1);
    EXPECT_EQ(list.Values(u"bravo"), u"2");
    // Switching to case-insensitive order sorts again.
    list.SetCaseSensitive(false);
    EXPECT_EQ(list.IndexOfName(u"ALPHA"), list.IndexOf(list[list.IndexOfName(u"ALPHA")]));
    EXPECT_EQ(list.IndexOfName(u"DELTA"), 4);
}

TEST(UniStringList, ChangeEventsAroundEachChangeButNotWhileUpdating) {
    TUniStringList list;
    EventLog log;
    list.OnChanging = TNotifyEvent::Bind<&EventLog::OnChanging>(&log);
    list.OnChange = TNotifyEvent::Bind<&EventLog::OnChange>(&log);
    list.Add(u"a");
    list.Delete(0);
    EXPECT_EQ(log.events, (std::vector<char>{'<', '>', '<', '>'}));
    log.events.clear();
    list.BeginUpdate();
    list.Add(u"a");
    list.Add(u"b");
    list.Exchange(0, 1);
    list.EndUpdate();
    EXPECT_EQ(log.events, (std::vector<char>{'<', '>'}));
    EXPECT_EQ(LinesOf(list), (std::vector<WideString>{u"b", u"a"}));
}

TEST(UniStringList, AnsiAdapterConvertsThroughItsCodePage) {
    unitest::ScopedSystemCodePage cp(1251);
    TUniStringList list;
    list.Add(u"\u041f\u0440\u0438");
    TStrings* ansi = list.AnsiStrings();
    EXPECT_EQ(ansi->Count(), 1);
    EXPECT_EQ(ansi->Get(0), "\xcf\xf0\xe8");
    ansi->Add("\xc0\xe1");
    EXPECT_EQ(list[1], u"\u0410\u0431");
    ansi->Put(0, "x");
    EXPECT_EQ(list[0], u"x");
    ansi->Delete(0);
    EXPECT_EQ(LinesOf(list), (std::vector<WideString>{u"\u0410\u0431"}));

    TAnsiStringsForWideStringsAdapter latin(&list, 1252);
    EXPECT_EQ(latin.Get(0), "??");
    TMemoryStream s;
    const std::string text = "\xe9t\xe9\r\nline";
    s.WriteBuffer(text.data(), std::int32_t(text.size()));
    s.SetPosition(0);
    latin.LoadFromStreamInCodePage(s, 1252);
    EXPECT_EQ(LinesOf(list), (std::vector<WideString>{u"\u00e9t\u00e9", u"line"}));
    TMemoryStream out;
    latin.SaveToStreamInCodePage(out, 65001);
    EXPECT_EQ(std::string(static_cast<const char*>(out.Memory()), std::size_t(out.Size())),
              "\xc3\xa9t\xc3\xa9\r\nline\r\n");

    // Setting the 8-bit list copies it into the wide list.
    TStringList source;
    source.Add("\xcf");
    list.SetAnsiStrings(&source);
    EXPECT_EQ(LinesOf(list), (std::vector<WideString>{u"\u041f"}));
}
