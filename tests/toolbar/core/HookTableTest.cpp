#include <gtest/gtest.h>

#include "toolbar/core/HookTable.h"

namespace {
void ProcA(int) {}
void ProcB(int) {}
using Proc = void (*)(int);
}  // namespace

TEST(HookTable, SystemHooksFollowTheRegisteredKinds) {
    tb::THookTable<Proc> table;
    int owner1 = 0, owner2 = 0;
    table.Install(&owner1, &ProcA, {hkWMActivate, hkCBTDestroy});
    table.Install(&owner2, &ProcA, {hkWMWindowPosChanged});
    EXPECT_EQ(table.NeededHooks(), (TTBSystemHooks{shCallWndProc, shCBT}));
    table.Install(&owner1, &ProcB, {hkGetMessage});
    EXPECT_EQ(table.NeededHooks(), (TTBSystemHooks{shCallWndProc, shCBT, shGetMessage}));
    EXPECT_EQ(table.ProcsFor(hkGetMessage), std::vector<Proc>{&ProcB});
    EXPECT_EQ(table.ProcsFor(hkWMActivateApp), std::vector<Proc>{});

    // One owner leaving keeps what the other registered.
    table.Uninstall(&owner1, &ProcA);
    EXPECT_TRUE(table.Wants(&ProcA, hkWMWindowPosChanged));
    EXPECT_FALSE(table.Wants(&ProcA, hkWMActivate));
    EXPECT_EQ(table.NeededHooks(), (TTBSystemHooks{shCallWndProc, shGetMessage}));
    table.Uninstall(&owner2, &ProcA);
    table.Uninstall(&owner2, &ProcB);  // not its registration: nothing
    EXPECT_EQ(table.NeededHooks(), TTBSystemHooks{shGetMessage});
    table.Uninstall(&owner1, &ProcB);
    EXPECT_TRUE(table.Empty());
    EXPECT_EQ(table.NeededHooks(), TTBSystemHooks{});
}
