#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/core/CodePages.h"
#include "classlib/core/StringUtils.h"
#include "classlib/core/TReader.h"
#include "classlib/core/TStringList.h"
#include "classlib/core/TWideStrings.h"
#include "classlib/core/TWriter.h"
#include "tests/support/TestSupport.h"

namespace {

std::vector<std::string> Items(const TStrings& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
    return out;
}

void ExpectListError(const std::function<void()>& f, const std::string& message) {
    try {
        f();
        ADD_FAILURE() << "no error, expected " << message;
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), message);
    }
}

// Records the change events of a list.
class TEventLog : public TObject {
public:
    void Changing(TObject*) { events.push_back("changing"); }
    void Change(TObject*) { events.push_back("change"); }
    void Attach(TStringList& list) {
        list.OnChanging = MakeMethod<&TEventLog::Changing>(this);
        list.OnChange = MakeMethod<&TEventLog::Change>(this);
    }
    std::vector<std::string> events;
};

// The smallest list over the wide base: a vector of lines.
class TVectorWideStrings : public TWideStrings {
public:
    WideString Get(int index) const override {
        if (index < 0 || index >= GetCount()) Error("List index out of bounds (%d)", index);
        return lines[std::size_t(index)];
    }
    int GetCount() const override { return int(lines.size()); }
    void Insert(int index, const WideString& s) override {
        if (index < 0 || index > GetCount()) Error("List index out of bounds (%d)", index);
        lines.insert(lines.begin() + index, s);
    }
    void Delete(int index) override {
        if (index < 0 || index >= GetCount()) Error("List index out of bounds (%d)", index);
        lines.erase(lines.begin() + index);
    }
    void Clear() override { lines.clear(); }
    void SetUpdateState(bool updating) override { updates.push_back(updating); }
    std::vector<WideString> lines;
    std::vector<bool> updates;
};

}  // namespace

TEST(StringList, LineSplittingAndText) {
    TStringList list;
    list.SetText("a\r\nb\nc\rd");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n");
    list.SetText("a\r\n");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"a"}));
    list.SetText("\r\n\n");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"", ""}));
    list.SetText("x\r\r\ny");  // CR, then CR LF: an empty line between
    EXPECT_EQ(Items(list), (std::vector<std::string>{"x", "", "y"}));
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Text(), "");

    TVectorWideStrings wide;
    wide.SetText(u"\u00E9\r\n\u4E2D\nz\r");
    EXPECT_EQ(wide.lines, (std::vector<WideString>{u"\u00E9", u"\u4E2D", u"z"}));
    EXPECT_EQ(wide.Text(), u"\u00E9\r\n\u4E2D\r\nz\r\n");
}

TEST(StringList, GrowthIndexErrorsAndSortedRestrictions) {
    TStringList list;
    std::vector<int> capacities;
    for (int i = 0; i < 70; ++i) {
        list.Add(std::to_string(i));
        if (capacities.empty() || capacities.back() != list.Capacity()) capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76}));
    ExpectListError([&] { list.Get(70); }, "List index out of bounds (70)");
    ExpectListError([&] { list.Delete(-1); }, "List index out of bounds (-1)");
    ExpectListError([&] { list.Insert(71, "x"); }, "List index out of bounds (71)");
    ExpectListError([&] { list.Exchange(0, 99); }, "List index out of bounds (99)");
    ExpectListError([&] { list.SetCapacity(10); }, "List capacity out of bounds (10)");
    list.Clear();
    EXPECT_EQ(list.Capacity(), 0);

    list.SetSorted(true);
    list.Add("b");
    list.Add("a");
    ExpectListError([&] { list.Insert(0, "c"); }, "Operation not allowed on sorted list");
    ExpectListError([&] { list.Put(0, "c"); }, "Operation not allowed on sorted list");
    // Moving on a sorted list fails before a line is taken out, so nothing is lost.
    ExpectListError([&] { list.Move(0, 1); }, "Operation not allowed on sorted list");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "b"}));
}

TEST(StringList, SortedDuplicatesAndFind) {
    TStringList list;
    list.SetSorted(true);
    EXPECT_EQ(list.Add("pear"), 0);
    EXPECT_EQ(list.Add("Apple"), 0);
    EXPECT_EQ(list.Add("fig"), 1);
    // dupIgnore: the existing index, one entry.
    EXPECT_EQ(list.Add("APPLE"), 0);
    EXPECT_EQ(list.Add("Apple"), 0);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"Apple", "fig", "pear"}));
    int index = -1;
    EXPECT_TRUE(list.Find("FIG", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.Find("grape", index));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(list.IndexOf("PEAR"), 2);
    EXPECT_EQ(list.IndexOf("kiwi"), -1);

    list.SetDuplicates(dupError);
    ExpectListError([&] { list.Add("fig"); }, "String list does not allow duplicates");
    EXPECT_EQ(list.Count(), 3);

    list.SetDuplicates(dupAccept);
    list.Add("b");
    list.Add("B");
    list.Add("b");
    EXPECT_EQ(list.Count(), 6);
    // With dupAccept the search does not stop at the first equal line, but it finds one.
    EXPECT_TRUE(list.Find("b", index));
    EXPECT_TRUE(SameTextAscii(list[index], "b"));

    // Lines made equal under dupAccept: after switching to dupIgnore, Find stops at a matching line.
    TStringList many;
    many.SetDuplicates(dupAccept);
    many.SetSorted(true);
    for (const char* s : {"m", "m", "m", "m", "a", "z"}) many.Add(s);
    many.SetDuplicates(dupIgnore);
    EXPECT_TRUE(many.Find("m", index));
    EXPECT_EQ(many[index], "m");
    EXPECT_FALSE(many.Find("n", index));
    EXPECT_EQ(index, 5);
}

TEST(StringList, CaseSensitivityAndSorting) {
    TStringList list;
    for (const char* s : {"delta", "Bravo", "alpha", "charlie", "Alpha", "echo", "bravo"}) list.Add(s);
    EXPECT_EQ(list.IndexOf("ALPHA"), 2);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("ALPHA"), -1);
    EXPECT_EQ(list.IndexOf("Alpha"), 4);
    list.SetCaseSensitive(false);
    list.Sort();
    for (int i = 1; i < list.Count(); ++i) EXPECT_LE(CompareTextSystem(list[i - 1], list[i]), 0) << i;
    // Custom order: by length, then by text.
    list.CustomSort([](TStringList* l, int a, int b) {
        const AnsiString sa = l->Get(a), sb = l->Get(b);
        if (sa.size() != sb.size()) return int(sa.size()) - int(sb.size());
        return CompareStr(sa, sb);
    });
    EXPECT_EQ(Items(list), (std::vector<std::string>{"echo", "Alpha", "Bravo", "alpha", "bravo", "delta", "charlie"}));
    // An inconsistent compare must stay inside the list.
    list.CustomSort([](TStringList*, int, int) { return -1; });
    EXPECT_EQ(list.Count(), 7);

    // Turning on case sensitivity re-sorts a sorted list, so Find keeps working.
    TStringList sorted;
    sorted.SetSorted(true);
    sorted.SetDuplicates(dupAccept);
    for (const char* s : {"b", "A", "a", "B"}) sorted.Add(s);
    sorted.SetCaseSensitive(true);
    for (const char* s : {"A", "B", "a", "b"}) {
        int index;
        EXPECT_TRUE(sorted.Find(s, index)) << s;
        EXPECT_EQ(sorted[index], s);
    }
}

TEST(StringList, ChangeEventsAndUpdateBrackets) {
    TStringList list;
    TEventLog log;
    log.Attach(list);
    list.Add("a");
    list.Put(0, "b");
    list.Delete(0);
    EXPECT_EQ(log.events, (std::vector<std::string>{"changing", "change", "changing", "change", "changing", "change"}));
    log.events.clear();
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add("x");
    list.Add("y");
    list.EndUpdate();
    EXPECT_EQ(log.events, (std::vector<std::string>{"changing"}));
    list.EndUpdate();
    EXPECT_EQ(log.events, (std::vector<std::string>{"changing", "change"}));
    list.EndUpdate();  // surplus: ignored
    EXPECT_EQ(list.UpdateCount(), 0);
    log.events.clear();
    list.SetText("1\n2\n3");  // one bracket for the whole replacement
    EXPECT_EQ(log.events, (std::vector<std::string>{"changing", "change"}));
    log.events.clear();
    list.Clear();
    list.Clear();  // nothing to clear: no events
    EXPECT_EQ(log.events, (std::vector<std::string>{"changing", "change"}));
}

TEST(StringList, NamesValuesAndCommaText) {
    TStringList list;
    list.SetText("Width=640\nheight = 480\nnoseparator\nEmpty=\nwidth=1");
    EXPECT_EQ(list.Names(0), "Width");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.Values("WIDTH"), "640");  // the first line of that name
    EXPECT_EQ(list.Values("height "), " 480");
    EXPECT_EQ(list.Values("missing"), "");
    EXPECT_EQ(list.ValueFromIndex(2), "");  // no separator, no value
    EXPECT_EQ(list.IndexOfName("empty"), 3);
    list.SetValues("Depth", "24");
    EXPECT_EQ(list[5], "Depth=24");
    list.SetValues("width", "800");
    EXPECT_EQ(list[0], "width=800");
    list.SetValues("Depth", "");
    EXPECT_EQ(list.IndexOfName("Depth"), -1);
    list.SetNameValueSeparator(':');
    list.Add("key:v=1");
    EXPECT_EQ(list.Values("key"), "v=1");

    TStringList sorted;
    sorted.SetSorted(true);
    for (const char* s : {"b=2", "a=1", "ab=3", "c"}) sorted.Add(s);
    EXPECT_EQ(sorted.IndexOfName("a"), 0);
    EXPECT_EQ(sorted.IndexOfName("AB"), 1);
    EXPECT_EQ(sorted.IndexOfName("c"), -1);
    EXPECT_EQ(sorted.Values("b"), "2");

    TStringList comma;
    comma.SetCommaText("one, \"two words\",\"say \"\"hi\"\"\" three,,last,");
    EXPECT_EQ(Items(comma), (std::vector<std::string>{"one", "two words", "say \"hi\"", "three", "", "last", ""}));
    EXPECT_EQ(comma.CommaText(), "one,\"two words\",\"say \"\"hi\"\"\",three,,last,");
    comma.SetCommaText("\"unclosed, still");
    EXPECT_EQ(Items(comma), (std::vector<std::string>{"unclosed, still"}));
    comma.SetCommaText("  ");
    EXPECT_EQ(comma.Count(), 0);
    comma.Clear();
    comma.Add("");
    EXPECT_EQ(comma.CommaText(), "\"\"");
    comma.SetCommaText(comma.CommaText());
    EXPECT_EQ(Items(comma), (std::vector<std::string>{""}));
    comma.SetDelimiter(';');
    comma.SetQuoteChar('\'');
    comma.SetDelimitedText("a;'b;c' d");
    EXPECT_EQ(Items(comma), (std::vector<std::string>{"a", "b;c", "d"}));
    EXPECT_EQ(comma.DelimitedText(), "a;'b;c';d");
}

TEST(StringList, StreamsFilesAssignAndObjects) {
    TStringList list;
    TObject marker;
    list.AddObject("first", &marker);
    list.Add("second");
    EXPECT_EQ(list.Objects(0), &marker);
    EXPECT_EQ(list.IndexOfObject(&marker), 0);
    list.Move(0, 1);
    EXPECT_EQ(list.Objects(1), &marker);
    list.Exchange(0, 1);
    EXPECT_EQ(list[0], "first");
    EXPECT_EQ(list.Objects(0), &marker);

    TMemoryStream stream;
    list.SaveToStream(stream);
    EXPECT_EQ(stream.Size(), 15);
    stream.SetPosition(0);
    TStringList copy;
    copy.Add("old");
    copy.LoadFromStream(stream);
    EXPECT_TRUE(copy.Equals(&list));
    copy.Put(1, "SECOND");
    EXPECT_FALSE(copy.Equals(&list));  // exact comparison

    testsupport::TempDir dir;
    list.SaveToFile(dir.File("lines.txt"));
    TStringList loaded;
    loaded.LoadFromFile(dir.File("lines.txt"));
    EXPECT_EQ(Items(loaded), Items(list));
    EXPECT_THROW(loaded.LoadFromFile(dir.File("absent.txt")), EFOpenError);

    TStringList assigned;
    assigned.SetSorted(true);
    assigned.Assign(&list);
    EXPECT_EQ(Items(assigned), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(assigned.Objects(0), &marker);
    assigned.AddStrings(&assigned);  // adding itself ends (and ignores the duplicates)
    EXPECT_EQ(assigned.Count(), 2);
    TPersistent unrelated;
    EXPECT_THROW(assigned.Assign(&unrelated), EConvertError);
}

TEST(StringList, StreamedStringsEntryRoundTrips) {
    TStringList list;
    list.SetText("alpha\nbeta");
    TMemoryStream stream;
    {
        TWriter writer(stream);
        list.DefineProperties(&writer);
    }
    TStringList empty;
    {
        TMemoryStream unused;
        TWriter writer(unused);
        empty.DefineProperties(&writer);
        EXPECT_EQ(unused.Size(), 0);  // an empty list writes nothing
    }
    stream.SetPosition(0);
    TStringList back;
    back.Add("replaced");
    {
        TReader reader(stream);
        reader.ReadProperty(&back);
    }
    EXPECT_EQ(Items(back), (std::vector<std::string>{"alpha", "beta"}));
}

TEST(WideStrings, AssignBetweenWideAndNarrowListsThroughTheCodePage) {
    SetSystemAnsiCodePage(1251);
    TStringList narrow;
    TObject marker;
    narrow.AddObject("\xC0\xE1", &marker);
    narrow.Add("plain");
    TVectorWideStrings wide;
    wide.Assign(&narrow);
    EXPECT_EQ(wide.lines, (std::vector<WideString>{u"\u0410\u0431", u"plain"}));
    EXPECT_EQ(wide.updates, (std::vector<bool>{true, false}));
    wide.lines.push_back(u"\u00E9");  // not in 1251
    TStringList back;
    wide.AssignTo(&back);
    EXPECT_EQ(Items(back), (std::vector<std::string>{"\xC0\xE1", "plain", "?"}));
    back.Assign(&wide);  // through the wide list's AssignTo
    EXPECT_EQ(back.Count(), 3);
    SetSystemAnsiCodePage(1252);
    TPersistent other;
    EXPECT_THROW(wide.Assign(&other), EConvertError);
}

TEST(WideStrings, NamesValuesCommaTextAndStreams) {
    TVectorWideStrings wide;
    wide.SetCommaText(u"\u00C9t\u00E9=summer, \"two words\"");
    EXPECT_EQ(wide.lines, (std::vector<WideString>{u"\u00C9t\u00E9=summer", u"two words"}));
    EXPECT_EQ(wide.Values(u"\u00C9T\u00C9"), u"summer");  // case-insensitive beyond ASCII
    wide.SetValues(u"k", u"v");
    EXPECT_EQ(wide.IndexOfName(u"K"), 2);
    EXPECT_EQ(wide.CommaText(), u"\u00C9t\u00E9=summer,\"two words\",k=v");
    wide.Move(2, 0);
    EXPECT_EQ(wide[0], u"k=v");
    wide.Exchange(0, 2);
    EXPECT_EQ(wide[2], u"k=v");

    TMemoryStream stream;
    wide.SaveToStream(stream);
    EXPECT_EQ(stream.Size(), std::int64_t(wide.Text().size() * 2));
    const Byte* bytes = static_cast<const Byte*>(stream.Memory());
    EXPECT_EQ(bytes[0], 't');  // the first unit of "two words", little-endian, no mark
    EXPECT_EQ(bytes[1], 0x00);
    stream.SetPosition(0);
    TVectorWideStrings back;
    back.LoadFromStream(stream);
    EXPECT_TRUE(back.Equals(&wide));

    // An odd trailing byte is dropped; a single byte is an empty text.
    TMemoryStream odd;
    const Byte data[] = {'a', 0, 'b'};
    odd.WriteBuffer(data, 3);
    odd.SetPosition(0);
    back.LoadFromStream(odd);
    EXPECT_EQ(back.lines, (std::vector<WideString>{u"a"}));
    EXPECT_EQ(odd.Position(), 3);
    odd.SetPosition(2);
    back.LoadFromStream(odd);
    EXPECT_EQ(back.Count(), 0);
}
