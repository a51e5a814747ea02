#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "unicode/core/TWideComponentHelper.h"
#include "unicode/core/UniExceptions.h"

using namespace uni;

TEST(WideComponentHelper, OneHelperPerComponentFoundByAddress) {
    std::vector<std::unique_ptr<TComponent>> components;
    for (int i = 0; i < 20; ++i) components.push_back(std::make_unique<TComponent>(nullptr));
    // Made in an order unlike the address order.
    for (int i = 19; i >= 0; i -= 2) FindWideControlHelper(components[std::size_t(i)].get(), true);
    for (int i = 0; i < 20; i += 2) FindWideControlHelper(components[std::size_t(i)].get(), true);
    EXPECT_EQ(WideComponentHelperCount(), 20);
    for (auto& c : components) {
        TWideControlHelper* h = FindWideControlHelper(c.get(), false);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(h->Control(), c.get());
        EXPECT_EQ(FindWideControlHelper(c.get(), true), h);
    }
    FindWideControlHelper(components[3].get(), false)->WideCaption = u"\u041f";
    EXPECT_EQ(FindWideControlHelper(components[3].get(), false)->WideCaption, u"\u041f");
    EXPECT_EQ(FindWideComponentHelper(nullptr, true), nullptr);
    FreeWideComponentHelpers();
    EXPECT_EQ(WideComponentHelperCount(), 0);
}

TEST(WideComponentHelper, HelperGoesAwayWithItsComponent) {
    auto a = std::make_unique<TComponent>(nullptr);
    auto b = std::make_unique<TComponent>(nullptr);
    FindWideComponentHelper(a.get(), true);
    FindWideComponentHelper(b.get(), true);
    EXPECT_EQ(FindWideComponentHelper(a.get(), false), FindWideComponentHelper(a.get(), false));
    a.reset();
    EXPECT_EQ(WideComponentHelperCount(), 1);
    EXPECT_NE(FindWideComponentHelper(b.get(), false), nullptr);
    // Freeing the helpers first leaves the component without a dangling subscriber.
    FreeWideComponentHelpers();
    b.reset();
    EXPECT_EQ(WideComponentHelperCount(), 0);
}

TEST(WideComponentHelper, NeedsAComponent) {
    try {
        TWideComponentHelper helper(nullptr);
        FAIL();
    } catch (const EUniInternalError& e) {
        EXPECT_EQ(e.Message(), "Internal Error: TWideComponentHelper.Create should never be encountered.");
    }
}
