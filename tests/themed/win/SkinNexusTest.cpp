// The theme nexus: its list of themed controls, the forwarding of theme changes and the view-type query.
#include <gtest/gtest.h>

#include "classlib/core/UnitRegistry.h"
#include "classlib/win/SystemLookups.h"
#include "classlib/win/TCustomControl.h"
#include "themed/win/TSkinNexus.h"

namespace {

class TListener : public TObject {
    CLASSLIB_CLASS(TListener, TObject)
    CLASSLIB_MESSAGES(TListener, CLASSLIB_ON(CM_SKINTHEMECHANGED, &TListener::CMThemeChanged))
public:
    std::vector<std::pair<std::uintptr_t, std::intptr_t>> received;
    std::vector<int>* order = nullptr;
    int id = 0;
    TListener* leaveWith = nullptr;
    void CMThemeChanged(TMessage& m) {
        received.emplace_back(m.WParam, m.LParam);
        if (order) order->push_back(id);
        if (leaveWith) {
            RemoveThemeNotification(this);
            RemoveThemeNotification(leaveWith);
        }
    }
};

class TTypedControl : public TCustomControl {
    CLASSLIB_CLASS(TTypedControl, TCustomControl)
    CLASSLIB_MESSAGES(TTypedControl, CLASSLIB_ON(CM_SKINVIEWTYPE, &TTypedControl::CMViewType))
public:
    using TCustomControl::TCustomControl;
    void CMViewType(TMessage& m) { m.Result = 0x601; }
};

class SkinNexus : public ::testing::Test {
protected:
    void SetUp() override {
        classlib::UseSystemColors();
        RegisterSkinNexusUnit();
        classlib::Startup();
    }
    void TearDown() override { classlib::Shutdown(); }
};

}  // namespace

TEST_F(SkinNexus, HoldsTheDefaultThemeAndForwardsChangesInListOrder) {
    ASSERT_NE(::SkinNexus(), nullptr);
    EXPECT_EQ(CurrentTheme().Name(), "Default");

    std::vector<int> order;
    TListener a, b, c;
    a.id = 1, b.id = 2, c.id = 3;
    a.order = b.order = c.order = &order;
    AddThemeNotification(&a);
    AddThemeNotification(&b);
    AddThemeNotification(&a);  // already listed: one entry
    AddThemeNotification(&c);
    EXPECT_EQ(::SkinNexus()->Controls().size(), 3u);

    SkinThemeManager()->Broadcast(CM_SKINTHEMECHANGE, tcStyleChanged, 77);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(a.received, (std::vector<std::pair<std::uintptr_t, std::intptr_t>>{{3, 0}}));

    // A control that leaves during a broadcast, taking the one before it along, skips nobody after it.
    order.clear();
    b.leaveWith = &a;
    SkinThemeManager()->Broadcast(CM_SKINTHEMECHANGE, tcAppDeactivated, 0);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(::SkinNexus()->Controls(), (std::vector<TObject*>{&c}));
    RemoveThemeNotification(&c);
    RemoveThemeNotification(&c);
    EXPECT_TRUE(::SkinNexus()->Controls().empty());
}

TEST_F(SkinNexus, ViewTypeQueryReachesOnlyWindowsThatAnswerIt) {
    TObjectPtr<TTypedControl> typed = MakeObject<TTypedControl>(nullptr);
    TObjectPtr<TCustomControl> plain = MakeObject<TCustomControl>(nullptr);
    EXPECT_EQ(GetWinViewType(typed.get()), 0x601);
    EXPECT_EQ(GetWinViewType(plain.get()), 0);
    EXPECT_EQ(GetWinViewType(nullptr), 0);
    EXPECT_EQ(GetViewType(nullptr), 0);
}

TEST(SkinNexusLifetime, LeavingAfterShutdownIsHarmless) {
    classlib::UseSystemColors();
    RegisterSkinNexusUnit();
    classlib::Startup();
    TListener late;
    AddThemeNotification(&late);
    classlib::Shutdown();
    EXPECT_EQ(::SkinNexus(), nullptr);
    RemoveThemeNotification(&late);
    EXPECT_THROW(CurrentTheme(), EInvalidOperation);
}
