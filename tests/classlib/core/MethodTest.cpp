// Method references: calling, equality of object and member, and the interface and GUID basics.
#include <gtest/gtest.h>

#include "classlib/core/Method.h"
#include "classlib/core/TComponent.h"

namespace {

struct THandlers : TObject {
    int clicks = 0;
    int other = 0;
    void Click(TObject*) { ++clicks; }
    void Other(TObject*) { ++other; }
    // Two members with identical bodies must still be told apart.
    void Empty1(TObject*) {}
    void Empty2(TObject*) {}
    int Add(int a, int b) const { return a + b + clicks; }
};

struct TDerivedHandlers : THandlers {
    void Click2(TObject*) { clicks += 2; }
};

int FreeFunction(int a, int b) { return a * b; }

TEST(MethodReference, CallsTheBoundMember) {
    THandlers h;
    TNotifyEvent e = TNotifyEvent::Bind<&THandlers::Click>(&h);
    EXPECT_TRUE(e);
    e(nullptr);
    e(nullptr);
    EXPECT_EQ(h.clicks, 2);
    auto add = MakeMethod<&THandlers::Add>(&h);
    EXPECT_EQ(add(3, 4), 9);
    auto f = Method<int(int, int)>::FromFunction<&FreeFunction>();
    EXPECT_EQ(f(3, 4), 12);
    EXPECT_EQ(f.Data(), nullptr);
}

TEST(MethodReference, EqualityIdentifiesObjectAndMember) {
    THandlers h1, h2;
    auto click1 = MakeMethod<&THandlers::Click>(&h1);
    EXPECT_EQ(click1, MakeMethod<&THandlers::Click>(&h1));
    EXPECT_NE(click1, MakeMethod<&THandlers::Click>(&h2));
    EXPECT_NE(click1, MakeMethod<&THandlers::Other>(&h1));
    EXPECT_NE(MakeMethod<&THandlers::Empty1>(&h1), MakeMethod<&THandlers::Empty2>(&h1));
    // A member inherited by a derived class is the same member.
    TDerivedHandlers d;
    EXPECT_EQ(MakeMethod<&TDerivedHandlers::Click>(&d), MakeMethod<&THandlers::Click>(static_cast<THandlers*>(&d)));
    EXPECT_NE(MakeMethod<&TDerivedHandlers::Click2>(&d), MakeMethod<&THandlers::Click>(&d));
    EXPECT_EQ(click1.Data(), &h1);
}

TEST(MethodReference, EmptyReferenceComparesNullAndRaisesWhenCalled) {
    TNotifyEvent e;
    EXPECT_FALSE(e);
    EXPECT_TRUE(e == nullptr);
    EXPECT_EQ(e, TNotifyEvent(nullptr));
    EXPECT_THROW(e(nullptr), EInvalidOperation);
    THandlers h;
    TNotifyEvent saved = MakeMethod<&THandlers::Click>(&h);
    TNotifyEvent current = saved;
    current = nullptr;
    EXPECT_NE(current, saved);
    current = saved;
    EXPECT_EQ(current, saved);
}

}  // namespace
