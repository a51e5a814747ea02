// The theme nexus: its list of themed controls, the forwarding of theme changes and the view-type query.
#include <gtest/gtest.h>

#include "classlib/core/UnitRegistry.h"
#include "classlib/win/SystemLookups.h"
#include "classlib/win/TCustomControl.h"
#include "themed/core/SkinColorMath.h"
#include "themed/win/TDIB32.h"
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

namespace {

std::uint32_t Px(TColor c) { return skin::ColorToOpaquePixel(std::uint32_t(ColorToRGB(c))) & 0xFFFFFF; }

long Count(TDIB32& dib, std::uint32_t colour) {
    long n = 0;
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x) n += (dib.Row(y)[x] & 0xFFFFFF) == colour;
    return n;
}

}  // namespace

TEST_F(SkinNexus, ControlCaptionsFollowTheFlagWordAndParentsPaintBehindControls) {
    TDIB32 dib;
    dib.SetSize(60, 20);
    dib.Fill(0xFF123456);
    ::SelectObject(dib.DC(), ::GetStockObject(DEFAULT_GUI_FONT));
    SkinPaintControlCaption(dib.DC(), TRect{0, 0, 60, 20}, 0, u"Label", DT_SINGLELINE);
    EXPECT_GT(Count(dib, Px(SkinControlTextColor(0))), 5);
    EXPECT_EQ(Count(dib, Px(clBtnHighlight)), 0);
    // Disabled (bit 0): embossed in highlight and shadow.
    dib.Fill(0xFF123456);
    SkinPaintControlCaption(dib.DC(), TRect{0, 0, 60, 20}, skin::cdfDisabled, u"Label", DT_SINGLELINE);
    EXPECT_GT(Count(dib, Px(clBtnHighlight)), 5);
    EXPECT_GT(Count(dib, Px(clBtnShadow)), 5);

    // A control on a coloured parent gets the parent's colour behind it; without a parent, button face.
    TObjectPtr<TCustomControl> parent = MakeObject<TCustomControl>(nullptr);
    parent->SetBounds(0, 0, 100, 100);
    parent->SetColor(0x0000FF);
    parent->SetParentWindow(::GetDesktopWindow());
    parent->HandleNeeded();
    TObjectPtr<TCustomControl> child = MakeObject<TCustomControl>(nullptr);
    child->SetBounds(10, 10, 60, 20);
    dib.Fill(0xFF123456);
    DrawParentBackground(child.get(), dib.DC(), TRect{0, 0, 60, 20});
    EXPECT_EQ(Count(dib, Px(clBtnFace)), 60 * 20);
    child->SetParent(parent.get());
    dib.Fill(0xFF123456);
    DrawParentBackground(child.get(), dib.DC(), TRect{0, 0, 60, 20});
    EXPECT_EQ(Count(dib, Px(0x0000FF)), 60 * 20);
    child->SetParent(nullptr);
}
