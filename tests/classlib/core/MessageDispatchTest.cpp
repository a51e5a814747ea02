// Message handlers by number: which handler a message reaches, the order of inherited handling, tables
// taken over from a base, and the default handler at the end of every chain.
#include <gtest/gtest.h>

#include <string>

#include "classlib/core/MessageDispatch.h"
#include "classlib/core/TComponent.h"

namespace {

enum : std::uint32_t { kFirst = 0x401, kSecond = 0x402, kThird = 0x403, kUnknown = 0x4FF, kWide = 0xBC00 + 0x111 };

class TBase : public TObject {
    CLASSLIB_CLASS(TBase, TObject)
    CLASSLIB_MESSAGES(TBase, CLASSLIB_ON(kFirst, &TBase::First), CLASSLIB_ON(kSecond, &TBase::Second))

    std::string log;
    void DefaultHandler(TMessage& message) override {
        log += "default(" + std::to_string(message.Msg - 0x400) + ") ";
        message.Result = -1;
    }

private:
    void First(TMessage& message) {
        log += "base1 ";
        message.Result = 10;
    }
    void Second(TMessage& message) {
        log += "base2 ";
        DispatchInherited<TBase>(this, message);
    }
};

// No table of its own: it dispatches through its base's.
class TMiddle : public TBase {
    CLASSLIB_CLASS(TMiddle, TBase)
};

class TDerived : public TMiddle {
    CLASSLIB_CLASS(TDerived, TMiddle)
    CLASSLIB_MESSAGES(TDerived, CLASSLIB_ON(kFirst, &TDerived::First), CLASSLIB_ON(kThird, &TDerived::Third),
                      CLASSLIB_ON(kWide, &TDerived::Wide))

    void DefaultHandler(TMessage& message) override {
        log += "derived-default ";
        TBase::DefaultHandler(message);
    }

protected:
    void First(TMessage& message) {
        log += "derived1-before ";
        DispatchInherited<TDerived>(this, message);
        log += "derived1-after(" + std::to_string(message.Result) + ") ";
        message.Result += 1;
    }
    // Nothing above handles it: inherited handling is the default handler.
    void Third(TMessage& message) {
        log += "derived3 ";
        DispatchInherited<TDerived>(this, message);
    }
    void Wide(TMessage& message) { message.Result = static_cast<std::intptr_t>(message.WParam + message.LParam); }
};

// Two levels with tables, the lower one skipping its inherited handling.
class TLeaf : public TDerived {
    CLASSLIB_CLASS(TLeaf, TDerived)
    CLASSLIB_MESSAGES(TLeaf, CLASSLIB_ON(kFirst, &TLeaf::First))

    void First(TMessage& message) {
        log += "leaf1 ";
        message.Result = 99;
    }
};

std::intptr_t Send(TObject& obj, std::uint32_t msg, std::uintptr_t wp = 0, std::intptr_t lp = 0) {
    TMessage m;
    m.Msg = msg;
    m.WParam = wp;
    m.LParam = lp;
    obj.Dispatch(m);
    return m.Result;
}

TEST(MessageDispatch, MostDerivedHandlerWinsAndInheritedRunsWhereTheHandlerCallsIt) {
    TBase base;
    EXPECT_EQ(Send(base, kFirst), 10);
    EXPECT_EQ(base.log, "base1 ");

    TDerived derived;
    EXPECT_EQ(Send(derived, kFirst), 11);
    EXPECT_EQ(derived.log, "derived1-before base1 derived1-after(10) ");

    // A handler only the base lists, reached through the middle class that has no table.
    derived.log.clear();
    EXPECT_EQ(Send(derived, kSecond), -1);
    EXPECT_EQ(derived.log, "base2 derived-default default(2) ");

    TLeaf leaf;
    EXPECT_EQ(Send(leaf, kFirst), 99);
    EXPECT_EQ(leaf.log, "leaf1 ");
    // Messages the leaf does not list go to its ancestors' handlers.
    leaf.log.clear();
    EXPECT_EQ(Send(leaf, kThird), -1);
    EXPECT_EQ(leaf.log, "derived3 derived-default default(3) ");
}

TEST(MessageDispatch, ClassWithoutTableUsesItsBases) {
    TMiddle middle;
    EXPECT_EQ(middle.MessageTable(), TBase::StaticMessageTable());
    EXPECT_EQ(Send(middle, kFirst), 10);
    EXPECT_EQ(middle.log, "base1 ");
    TDerived derived;
    EXPECT_EQ(derived.MessageTable()->Parent, TBase::StaticMessageTable());
}

TEST(MessageDispatch, UnknownMessagesReachTheMostDerivedDefaultHandler) {
    TBase base;
    EXPECT_EQ(Send(base, kUnknown), -1);
    EXPECT_EQ(base.log, "default(255) ");
    TLeaf leaf;
    EXPECT_EQ(Send(leaf, kUnknown), -1);
    EXPECT_EQ(leaf.log, "derived-default default(255) ");
    // The root has no table and its default handler leaves the message untouched.
    TObject plain;
    EXPECT_EQ(plain.MessageTable(), nullptr);
    TMessage m{kFirst, 1, 2, 7};
    plain.Dispatch(m);
    EXPECT_EQ(m.Result, 7);
}

TEST(MessageDispatch, FullWidthNumbersAndParameters) {
    TDerived derived;
    EXPECT_EQ(Send(derived, kWide, 40, 2), 42);
    // The whole number is compared, not only its low word.
    EXPECT_EQ(Send(derived, kWide | 0x10000), -1);
    EXPECT_EQ(derived.log, "derived-default default(" + std::to_string((kWide | 0x10000) - 0x400) + ") ");
}

// A component: a class with more than one base, dispatching to handlers of its own class.
class TNotified : public TComponent {
    CLASSLIB_COMPONENT(TNotified, TComponent)
    CLASSLIB_MESSAGES(TNotified, CLASSLIB_ON(CM_CHANGED, &TNotified::CMChanged))

    using TComponent::TComponent;
    int changes = 0;
    TComponent* sender = nullptr;

private:
    void CMChanged(TMessage& message) {
        ++changes;
        sender = reinterpret_cast<TComponent*>(message.LParam);
    }
};

TEST(MessageDispatch, ComponentsDispatchToTheirOwnHandlers) {
    TObjectPtr<TComponent> owner = MakeObject<TComponent>(nullptr);
    auto* n = Create<TNotified>(owner.get());
    TMessage m{CM_CHANGED, 0, reinterpret_cast<std::intptr_t>(owner.get()), 0};
    static_cast<TObject*>(n)->Dispatch(m);
    EXPECT_EQ(n->changes, 1);
    EXPECT_EQ(n->sender, owner.get());
}

}  // namespace
