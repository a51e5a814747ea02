#include <gtest/gtest.h>

#include "toolbar/core/DeferredClicks.h"
#include "toolbar/core/TTBCustomItem.h"
#include "tests/toolbar/support/ClickTarget.h"

using Target = toolbartest::ClickTarget;

TEST(DeferredClicks, SlotsAreReusedAndTrimmedAndDestroyedTargetsSkipped) {
    TObjectPtr<Target> a = MakeObject<Target>(nullptr);
    TObjectPtr<Target> b = MakeObject<Target>(nullptr);
    EXPECT_EQ(tb::DeferredClickUsers(), 2);
    EXPECT_EQ(tb::PostDeferredClick(a.get()), 0);
    EXPECT_EQ(tb::PostDeferredClick(b.get()), 1);
    EXPECT_EQ(tb::PostDeferredClick(a.get()), 2);
    // Slot 0 runs early (as a forged message would); its message later finds it free.
    EXPECT_TRUE(tb::RunDeferredClick(0));
    EXPECT_EQ(tb::PostDeferredClick(b.get()), 0);  // the first free slot
    a.reset();                                     // marks slot 2
    EXPECT_EQ(tb::PostDeferredClick(b.get()), 3);  // a marked slot stays taken
    // Slot numbers from outside the list are ignored.
    EXPECT_FALSE(tb::RunDeferredClick(-1));
    EXPECT_FALSE(tb::RunDeferredClick(99));

    tb::DeliverPostedClicks();
    EXPECT_EQ(b->clicks, 3);
    EXPECT_EQ(tb::DeferredClickSlotCount(), 0);  // trailing free slots are dropped
}

TEST(DeferredClicks, AnItemMayFreeItselfFromItsClick) {
    Target* self = Create<Target>(nullptr);
    TObjectPtr<Target> other = MakeObject<Target>(nullptr);
    self->onClick = [&] { Free(self); };
    tb::PostDeferredClick(self);
    tb::PostDeferredClick(other.get());
    tb::DeliverPostedClicks();
    EXPECT_EQ(other->clicks, 1);
    EXPECT_EQ(tb::DeferredClickUsers(), 1);
}

TEST(DeferredClicks, TheLastUserTakesTheListAndItsPendingClicksAlong) {
    {
        TObjectPtr<Target> last = MakeObject<Target>(nullptr);
        last->onClick = [] { FAIL() << "ran after its thread's last user went"; };
        tb::PostDeferredClick(last.get());
        EXPECT_EQ(tb::DeferredClickSlotCount(), 1);
    }
    EXPECT_EQ(tb::DeferredClickUsers(), 0);
    EXPECT_EQ(tb::DeferredClickSlotCount(), 0);
    EXPECT_EQ(tb::PostDeferredClick(nullptr), -1);
    tb::DeliverPostedClicks();
    // A new user starts afresh.
    TObjectPtr<Target> next = MakeObject<Target>(nullptr);
    EXPECT_EQ(tb::PostDeferredClick(next.get()), 0);
    tb::DeliverPostedClicks();
    EXPECT_EQ(next->clicks, 1);
}

TEST(DeferredClicks, DisabledItemsIgnoreTheirDeferredClick) {
    TObjectPtr<TTBCustomItem> item = MakeObject<TTBCustomItem>(nullptr);
    int clicks = 0;
    struct Counter : TObject {
        int* n;
        void Hit(TObject*) { ++*n; }
    } counter;
    counter.n = &clicks;
    item->OnClick = MakeMethod<&Counter::Hit>(&counter);
    tb::PostDeferredClick(item.get());
    item->SetEnabled(false);
    tb::PostDeferredClick(item.get());
    tb::DeliverPostedClicks();
    EXPECT_EQ(clicks, 0);
    item->SetEnabled(true);
    tb::PostDeferredClick(item.get());
    tb::DeliverPostedClicks();
    EXPECT_EQ(clicks, 1);
}
