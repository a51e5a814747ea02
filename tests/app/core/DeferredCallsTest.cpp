// The method list, the deferred-call queue and a pass over listeners that change the list while it runs.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "app/core/TKelvoDeferredCalls.h"
#include "app/core/TKelvoMethodList.h"

namespace {

struct Recorder {
    std::string log;
    int posts = 0;
    void A() { log += "a"; }
    void B() { log += "b"; }
    void C() { log += "c"; }
    void Raise() {
        log += "!";
        throw std::runtime_error("call failed");
    }
    void Post() { ++posts; }
};

}  // namespace

TEST(KelvoMethodList, RemoveTakesTheLastEqualEntryAndComparesObjectAndMember) {
    Recorder r1, r2;
    TKelvoMethodList list;
    EXPECT_EQ(list.Add(MakeMethod<&Recorder::A>(&r1)), 0);
    EXPECT_EQ(list.Add(MakeMethod<&Recorder::A>(&r2)), 1);
    EXPECT_EQ(list.Add(MakeMethod<&Recorder::B>(&r1)), 2);
    EXPECT_EQ(list.Add(MakeMethod<&Recorder::A>(&r1)), 3);
    EXPECT_EQ(list.Remove(MakeMethod<&Recorder::A>(&r1)), 3);
    EXPECT_EQ(list.Remove(MakeMethod<&Recorder::C>(&r1)), -1);
    EXPECT_EQ(list.Remove(MakeMethod<&Recorder::A>(&r1)), 0);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_TRUE(list.GetMethod(0) == MakeMethod<&Recorder::A>(&r2));
    EXPECT_THROW(list.GetMethod(2), EListError);
}

TEST(KelvoDeferredCalls, ThreeCallsRunInOrderOnePerMessageAndOnlyTheFirstQueuingPosts) {
    Recorder r;
    TKelvoDeferredCalls queue(MakeMethod<&Recorder::Post>(&r));
    queue.Queue(MakeMethod<&Recorder::A>(&r));
    queue.Queue(MakeMethod<&Recorder::B>(&r));
    queue.Queue(MakeMethod<&Recorder::C>(&r));
    EXPECT_EQ(r.posts, 1);
    // Each message runs one call and posts the next while calls remain.
    queue.RunNext();
    EXPECT_EQ(r.log, "a");
    EXPECT_EQ(r.posts, 2);
    queue.RunNext();
    queue.RunNext();
    EXPECT_EQ(r.log, "abc");
    EXPECT_EQ(r.posts, 3);
    // A stray message on an empty queue does nothing.
    queue.RunNext();
    EXPECT_EQ(r.log, "abc");
    EXPECT_EQ(r.posts, 3);
}

TEST(KelvoDeferredCalls, ARaisingCallLeavesTheQueueAndTheCallsBehindItStillRun) {
    Recorder r;
    TKelvoDeferredCalls queue(MakeMethod<&Recorder::Post>(&r));
    queue.Queue(MakeMethod<&Recorder::Raise>(&r));
    queue.Queue(MakeMethod<&Recorder::A>(&r));
    EXPECT_THROW(queue.RunNext(), std::runtime_error);
    EXPECT_EQ(queue.Count(), 1);
    EXPECT_EQ(r.posts, 2);  // the next message went out before the call
    queue.RunNext();
    EXPECT_EQ(r.log, "!a");
    // A call queued later posts again, as on an empty queue.
    queue.Queue(MakeMethod<&Recorder::B>(&r));
    EXPECT_EQ(r.posts, 3);
}

namespace {

// Listeners of one pass that take themselves or each other out of the list.
struct Listener {
    TKelvoMethodList* list = nullptr;
    Listener* victim = nullptr;
    std::string* log = nullptr;
    char name = '?';
    TKelvoMethod Self() { return MakeMethod<&Listener::Run>(this); }
    void Run() {
        *log += name;
        if (victim) list->Remove(victim->Self());  // as a freed listener's destructor does
    }
    void RemoveSelf() {
        *log += name;
        list->Remove(MakeMethod<&Listener::RemoveSelf>(this));
    }
};

}  // namespace

TEST(KelvoMethodList, APassSurvivesListenersThatRemoveThemselvesOrOthers) {
    TKelvoMethodList list;
    std::string log;
    Listener a{&list, nullptr, &log, 'a'}, b{&list, nullptr, &log, 'b'}, c{&list, nullptr, &log, 'c'},
        d{&list, nullptr, &log, 'd'};
    b.victim = &c;  // b frees c, which is later in the list
    list.Add(MakeMethod<&Listener::RemoveSelf>(&a));
    list.Add(b.Self());
    list.Add(c.Self());
    list.Add(d.Self());
    list.CallEach();
    EXPECT_EQ(log, "abd");
    EXPECT_EQ(list.Count(), 2);
    log.clear();
    list.CallEach();
    EXPECT_EQ(log, "bd");
}

TEST(KelvoMethodList, APassReportsARaisingListenerAndGoesOn) {
    Recorder r, reports;
    TKelvoMethodList list;
    list.Add(MakeMethod<&Recorder::Raise>(&r));
    list.Add(MakeMethod<&Recorder::A>(&r));
    list.CallEach(MakeMethod<&Recorder::Post>(&reports));
    EXPECT_EQ(r.log, "!a");
    EXPECT_EQ(reports.posts, 1);
    // Without a report the error passes on.
    EXPECT_THROW(list.CallEach(), std::runtime_error);
}
