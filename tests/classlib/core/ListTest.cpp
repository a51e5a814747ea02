#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/TList.h"
#include "classlib/core/TObjectList.h"
#include "classlib/core/UnitRegistry.h"

namespace {

std::vector<std::string> g_log;

class TTracked : public TObject {
public:
    explicit TTracked(std::string name) : name_(std::move(name)) {}
    ~TTracked() override { g_log.push_back("free " + name_); }

private:
    std::string name_;
};

void* P(std::intptr_t v) { return reinterpret_cast<void*>(v); }

void ExpectListError(const std::function<void()>& f, const std::string& message) {
    try {
        f();
        ADD_FAILURE() << "no error, expected " << message;
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), message);
    }
}

}  // namespace

TEST(List, CapacityAndCountBounds) {
    TList list;
    for (int i = 0; i < 100; ++i) list.Add(P(i + 1));
    EXPECT_GE(list.Capacity(), 100);
    ExpectListError([&] { list.SetCapacity(99); }, "List capacity out of bounds (99)");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
    list.SetCount(3);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list[2], nullptr);
    ExpectListError([&] { list.SetCount(-1); }, "List count out of bounds (-1)");
}

TEST(List, EditingAndIndexErrors) {
    TList list;
    list.Add(P(1));
    list.Add(P(2));
    list.Add(P(3));
    list.Insert(0, P(10));
    list.Insert(4, P(4));
    EXPECT_EQ(list.IndexOf(P(3)), 3);
    list.Move(0, 4);  // 1 2 3 4 10
    EXPECT_EQ(list.First(), P(1));
    EXPECT_EQ(list.Last(), P(10));
    list.Exchange(0, 4);  // 10 2 3 4 1
    EXPECT_EQ(list[0], P(10));
    EXPECT_EQ(list[4], P(1));
    EXPECT_EQ(list.Remove(P(3)), 2);
    EXPECT_EQ(list.Remove(P(99)), -1);
    EXPECT_EQ(list.Extract(P(4)), P(4));
    EXPECT_EQ(list.Extract(P(4)), nullptr);
    EXPECT_EQ(list.Count(), 3);
    list.Put(1, nullptr);
    list.Add(nullptr);
    list.Pack();
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list[1], P(1));

    ExpectListError([&] { list.Get(2); }, "List index out of bounds (2)");
    ExpectListError([&] { list.Get(-1); }, "List index out of bounds (-1)");
    ExpectListError([&] { list.Insert(3, P(5)); }, "List index out of bounds (3)");
    ExpectListError([&] { list.Delete(2); }, "List index out of bounds (2)");
    ExpectListError([&] { list.Move(0, 2); }, "List index out of bounds (2)");
    ExpectListError([&] { list.Exchange(5, 0); }, "List index out of bounds (5)");
    TList empty;
    ExpectListError([&] { empty.First(); }, "List index out of bounds (0)");
    ExpectListError([&] { empty.Last(); }, "List index out of bounds (-1)");
}

TEST(List, SortOrdersAndSurvivesAnInconsistentCompare) {
    TList list;
    const int values[] = {5, 3, 9, 1, 5, 7, 2, 8, 6, 4, 0, 5};
    for (int v : values) list.Add(P(v + 1));
    list.Sort(
        [](void* a, void* b) { return int(reinterpret_cast<std::intptr_t>(a) - reinterpret_cast<std::intptr_t>(b)); });
    for (int i = 1; i < list.Count(); ++i) EXPECT_LE(list[i - 1], list[i]);
    // A compare that always says "less" must not drive the scans past the ends (the sanitizers watch).
    list.Sort([](void*, void*) { return -1; });
    list.Sort([](void*, void*) { return 1; });
    EXPECT_EQ(list.Count(), 12);
}

TEST(ObjectList, OwnsAndFreesButExtractHandsBack) {
    g_log.clear();
    {
        TObjectList list;
        auto* a = new TTracked("a");
        auto* b = new TTracked("b");
        auto* c = new TTracked("c");
        auto* d = new TTracked("d");
        list.Add(a);
        list.Add(b);
        list.Add(c);
        list.Add(d);
        list.Delete(0);
        EXPECT_EQ(g_log, (std::vector<std::string>{"free a"}));
        EXPECT_EQ(list.Extract(b), b);
        EXPECT_EQ(g_log.size(), 1u);
        EXPECT_EQ(list.Remove(c), 0);
        EXPECT_EQ(g_log.back(), "free c");
        list.SetItems(0, b);  // replacing d frees it
        EXPECT_EQ(g_log.back(), "free d");
        EXPECT_EQ(list.FindInstanceOf(TObject::StaticClass(), false), 0);
        EXPECT_EQ(list.FindInstanceOf(TList::StaticClass(), false), -1);
    }
    EXPECT_EQ(g_log, (std::vector<std::string>{"free a", "free c", "free d", "free b"}));

    g_log.clear();
    auto* kept = new TTracked("kept");
    {
        TObjectList list(false);
        list.Add(kept);
        list.Clear();
        list.Add(kept);
    }
    EXPECT_TRUE(g_log.empty());
    delete kept;
}

TEST(UnitRegistry, StartsInOrderAndShutsDownInReverse) {
    using classlib::RegisterUnit;
    classlib::ResetUnits();
    g_log.clear();
    auto unit = [](const std::string& name, int order) {
        RegisterUnit(
            name, [name] { g_log.push_back("init " + name); }, [name] { g_log.push_back("fini " + name); }, order);
    };
    unit("late", 20);
    unit("early", 10);
    unit("early2", 10);
    RegisterUnit(
        "nested",
        [] {
            g_log.push_back("init nested");
            // A unit registered while start-up runs is started in the same run.
            RegisterUnit(
                "child", [] { g_log.push_back("init child"); }, nullptr, 0);
        },
        nullptr, 15);
    EXPECT_THROW(unit("late", 1), EInvalidOperation);
    classlib::Startup();
    EXPECT_EQ(g_log, (std::vector<std::string>{"init early", "init early2", "init nested", "init child", "init late"}));
    EXPECT_TRUE(classlib::IsUnitStarted("child"));
    g_log.clear();
    classlib::Shutdown();
    EXPECT_EQ(g_log, (std::vector<std::string>{"fini late", "fini early2", "fini early"}));
    EXPECT_FALSE(classlib::IsUnitStarted("early"));
    classlib::ResetUnits();
}

TEST(UnitRegistry, FailedStartupUndoesAndFailingFiniDoesNotStopOthers) {
    using classlib::RegisterUnit;
    classlib::ResetUnits();
    g_log.clear();
    RegisterUnit(
        "a", [] { g_log.push_back("init a"); }, [] { g_log.push_back("fini a"); }, 1);
    RegisterUnit(
        "b", [] { throw EOutOfResources("no b"); }, [] { g_log.push_back("fini b"); }, 2);
    RegisterUnit(
        "c", [] { g_log.push_back("init c"); }, [] { g_log.push_back("fini c"); }, 3);
    EXPECT_THROW(classlib::Startup(), EOutOfResources);
    EXPECT_EQ(g_log, (std::vector<std::string>{"init a", "fini a"}));
    EXPECT_FALSE(classlib::IsUnitStarted("a"));

    classlib::ResetUnits();
    g_log.clear();
    RegisterUnit(
        "x", nullptr, [] { g_log.push_back("fini x"); }, 1);
    RegisterUnit(
        "y", nullptr, [] { throw EInvalidOperation("y"); }, 2);
    classlib::Startup();
    EXPECT_THROW(classlib::Shutdown(), EInvalidOperation);
    EXPECT_EQ(g_log, (std::vector<std::string>{"fini x"}));
    classlib::ResetUnits();
}
