// GUIDs, interface queries, counted references and the interface list.
#include <gtest/gtest.h>

#include "classlib/core/TComponent.h"
#include "classlib/core/TInterfaceList.h"
#include "classlib/core/TInterfacedObject.h"

namespace {

class IGreeter {
public:
    static constexpr TGUID IID = TGUID::Parse("{8E85B1DA-44F0-4B60-B45D-21D0EBC05E33}");
    virtual int Greet() = 0;

protected:
    ~IGreeter() = default;
};

class ICounter {
public:
    static constexpr TGUID IID = TGUID::Parse("{59d0ae37-8161-4ad6-9102-14b28e5761eb}");
    virtual int Next() = 0;

protected:
    ~ICounter() = default;
};

int g_alive = 0;

class TGreeter : public TInterfacedObject, public IGreeter, public ICounter {
public:
    TGreeter() { ++g_alive; }
    ~TGreeter() override { --g_alive; }
    int Greet() override { return 42; }
    int Next() override { return ++n; }
    int n = 0;
};

class TGreeterComponent : public TComponent, public IGreeter {
public:
    explicit TGreeterComponent(TComponent* owner) : TComponent(owner) {}
    int Greet() override { return 7; }
};

TEST(Guid, ParsesFormatsAndStoresLittleEndian) {
    constexpr TGUID g = TGUID::Parse("{8E85B1DA-44F0-4B60-B45D-21D0EBC05E33}");
    static_assert(g.D1 == 0x8E85B1DA && g.D2 == 0x44F0 && g.D3 == 0x4B60 && g.D4[0] == 0xB4 && g.D4[7] == 0x33);
    EXPECT_EQ(GUIDToString(ICounter::IID), "{59D0AE37-8161-4AD6-9102-14B28E5761EB}");
    EXPECT_EQ(StringToGUID("{59d0ae37-8161-4ad6-9102-14B28E5761EB}"), ICounter::IID);
    EXPECT_NE(IGreeter::IID, ICounter::IID);
    auto bytes = g.ToBytes();
    EXPECT_EQ(bytes[0], 0xDA);
    EXPECT_EQ(bytes[3], 0x8E);
    EXPECT_EQ(bytes[4], 0xF0);
    EXPECT_EQ(bytes[6], 0x60);
    EXPECT_EQ(bytes[8], 0xB4);
    EXPECT_EQ(TGUID::FromBytes(bytes.data()), g);
}

TEST(Guid, MalformedTextIsRefused) {
    TGUID g;
    for (const char* bad : {"", "{}", "8E85B1DA-44F0-4B60-B45D-21D0EBC05E33", "{8E85B1DA-44F0-4B60-B45D-21D0EBC05E3}",
                            "{8E85B1DA-44F0-4B60-B45D-21D0EBC05E333}", "{8E85B1DA 44F0-4B60-B45D-21D0EBC05E33}",
                            "{8E85B1DG-44F0-4B60-B45D-21D0EBC05E33}", "(8E85B1DA-44F0-4B60-B45D-21D0EBC05E33)"}) {
        EXPECT_FALSE(TryStringToGUID(bad, g)) << bad;
    }
    AnsiString withNul("{8E85B1DA-44F0-4B60-B45D-21D0EBC05E33}");
    withNul += '\0';
    EXPECT_FALSE(TryStringToGUID(withNul, g));
    try {
        StringToGUID("{xyz}");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'{xyz}' is not a valid GUID value");
    }
}

TEST(Interfaces, SupportsAsksTheObject) {
    TGreeterComponent c(nullptr);
    TObject* obj = &c;
    IGreeter* g = nullptr;
    EXPECT_TRUE(Supports(obj, g));
    EXPECT_EQ(g->Greet(), 7);
    EXPECT_EQ(Supports<ICounter>(obj), nullptr);
    EXPECT_EQ(Supports<IGreeter>(static_cast<TObject*>(nullptr)), nullptr);
    // From one interface to another of the same object.
    TGreeter* t = Create<TGreeter>();
    IPtr<IGreeter> hold(t);
    ICounter* counter = Supports<ICounter>(hold.get());
    ASSERT_NE(counter, nullptr);
    EXPECT_EQ(counter->Next(), 1);
}

TEST(Interfaces, CountedObjectLivesWhileReferenced) {
    g_alive = 0;
    {
        IPtr<IGreeter> a(Create<TGreeter>());
        EXPECT_EQ(g_alive, 1);
        IPtr<IGreeter> b = a;
        IPtr<ICounter> c(b);
        EXPECT_TRUE(c);
        EXPECT_EQ(dynamic_cast<TGreeter*>(a.get())->RefCount(), 3);
        a.reset();
        b = nullptr;
        EXPECT_EQ(g_alive, 1);
        IPtr<ICounter> moved = std::move(c);
        EXPECT_FALSE(c);
        EXPECT_EQ(moved->Next(), 1);
    }
    EXPECT_EQ(g_alive, 0);
}

TEST(Interfaces, ReferencesInsideTheConstructorDoNotFreeIt) {
    struct TSelfReferencing : TGreeter {
        TSelfReferencing() {
            IPtr<IGreeter> temporary(this);  // taken and dropped while constructing
        }
    };
    g_alive = 0;
    TSelfReferencing* obj = Create<TSelfReferencing>();
    EXPECT_EQ(g_alive, 1);
    EXPECT_EQ(obj->RefCount(), 0);
    { IPtr<IGreeter> last(obj); }
    EXPECT_EQ(g_alive, 0);
}

TEST(Interfaces, ComponentsAreNeverFreedThroughAReference) {
    auto* owner = Create<TComponent>(nullptr);
    auto* c = Create<TGreeterComponent>(owner);
    {
        IPtr<IGreeter> a(c);
        IPtr<IGreeter> b = a;
    }
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(c->Greet(), 7);
    Free(owner);
}

TEST(InterfaceList, HoldsReferencesAndFindsObjectsThroughAnyInterface) {
    g_alive = 0;
    TInterfaceList list;
    auto* t1 = Create<TGreeter>();
    auto* t2 = Create<TGreeter>();
    list.Add(IPtr<IGreeter>(t1));
    list.Add(IPtr<ICounter>(t2));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(g_alive, 2);
    // Looked up through another interface of the same object.
    EXPECT_EQ(list.IndexOf(static_cast<IInterface*>(t2)), 1);
    EXPECT_EQ(list.IndexOf(static_cast<IInterface*>(t1)), 0);
    EXPECT_EQ(Supports<IGreeter>(list.Items(1).get())->Greet(), 42);
    EXPECT_EQ(list.Remove(static_cast<IInterface*>(t1)), 0);
    EXPECT_EQ(g_alive, 1);
    EXPECT_THROW(list.Items(1), EListError);
    EXPECT_THROW(list.Insert(2, nullptr), EListError);
    list.Insert(0, nullptr);
    EXPECT_EQ(list.IndexOf(nullptr), 0);
    list.Clear();
    EXPECT_EQ(g_alive, 0);
}

}  // namespace
