// Class records, run-time class tests, two-phase construction and publish-before-construct.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/TComponent.h"

namespace {

std::vector<std::string> g_log;

class TShape : public TComponent {
    CLASSLIB_COMPONENT(TShape, TComponent)
    explicit TShape(TComponent* owner) : TComponent(owner) { g_log.push_back("ctor " + ClassName()); }
    ~TShape() override { g_log.push_back("dtor TShape"); }
    void AfterConstruction() override {
        TComponent::AfterConstruction();
        // A derived override must already be in place here.
        g_log.push_back("after " + Describe());
    }
    void BeforeDestruction() override {
        g_log.push_back("before " + Describe());
        TComponent::BeforeDestruction();
    }
    virtual std::string Describe() const { return "shape"; }
};

class TCircle : public TShape {
    CLASSLIB_COMPONENT(TCircle, TShape)
    explicit TCircle(TComponent* owner) : TShape(owner) {}
    std::string Describe() const override { return "circle"; }
};

// Not registered with its own record: reports its base's.
class TUnrecorded : public TCircle {
public:
    using TCircle::TCircle;
};

class TAbstractTool : public TComponent {
    CLASSLIB_COMPONENT(TAbstractTool, TComponent)
    explicit TAbstractTool(TComponent* owner) : TComponent(owner) {}
    virtual void Run() = 0;
};

TShape* g_seenDuringConstruction = nullptr;
TComponent** g_watchedRef = nullptr;

class TFailing : public TShape {
    CLASSLIB_COMPONENT(TFailing, TShape)
    explicit TFailing(TComponent* owner) : TShape(owner) {
        g_seenDuringConstruction = static_cast<TShape*>(*g_watchedRef);
        throw EInvalidOperation("constructor failed");
    }
};

class TFailingLate : public TShape {
    CLASSLIB_COMPONENT(TFailingLate, TShape)
    explicit TFailingLate(TComponent* owner) : TShape(owner) {}
    void AfterConstruction() override { throw EAbort("late failure"); }
};

TEST(ClassRecords, NamesParentsAndInheritance) {
    EXPECT_EQ(TCircle::StaticClass()->ClassName(), "TCircle");
    EXPECT_EQ(TCircle::StaticClass()->ClassParent(), TShape::StaticClass());
    EXPECT_EQ(TObject::StaticClass()->ClassParent(), nullptr);
    EXPECT_TRUE(TCircle::StaticClass()->InheritsFrom(TComponent::StaticClass()));
    EXPECT_TRUE(TCircle::StaticClass()->InheritsFrom(TObject::StaticClass()));
    EXPECT_FALSE(TShape::StaticClass()->InheritsFrom(TCircle::StaticClass()));
    EXPECT_TRUE(TCircle::StaticClass()->ClassNameIs("tcircle"));
    EXPECT_FALSE(TCircle::StaticClass()->ClassNameIs("TCircl"));
    EXPECT_EQ(TCircle::StaticClass()->InstanceSize(), sizeof(TCircle));
    EXPECT_FALSE(TAbstractTool::StaticClass()->CanConstruct());
    EXPECT_FALSE(TPersistent::StaticClass()->CanConstruct());
    EXPECT_TRUE(TCircle::StaticClass()->CanConstruct());

    TObjectPtr<TComponent> c(Create<TCircle>(nullptr));
    EXPECT_EQ(c->ClassType(), TCircle::StaticClass());
    EXPECT_EQ(c->ClassName(), "TCircle");
    TObjectPtr<TComponent> u(Create<TUnrecorded>(nullptr));
    EXPECT_EQ(u->ClassType(), TCircle::StaticClass());
}

TEST(ClassRecords, IsAndAs) {
    TObjectPtr<TComponent> c(Create<TCircle>(nullptr));
    TObject* o = c.get();
    EXPECT_TRUE(o->Is<TShape>());
    EXPECT_FALSE(o->Is<TFailing>());
    EXPECT_EQ(o->As<TShape>(), c.get());
    EXPECT_THROW(o->As<TFailing>(), EInvalidCast);
    EXPECT_FALSE(Is<TShape>(nullptr));
    EXPECT_EQ(As<TShape>(nullptr), nullptr);
    try {
        o->As<TAbstractTool>();
        FAIL();
    } catch (const EInvalidCast& e) {
        EXPECT_EQ(e.Message(), "Invalid class typecast");
    }
}

TEST(ClassRecords, TypedClassReferencesAcceptOnlyTheirDescendants) {
    TClassOf<TShape> shapeClass = TClassOf<TShape>::Of<TCircle>();
    TComponentClass componentClass = shapeClass;
    EXPECT_EQ(componentClass.Class(), TCircle::StaticClass());
    EXPECT_THROW(TClassOf<TShape>(TComponent::StaticClass()), EInvalidCast);
    TClassOf<TShape> none;
    EXPECT_FALSE(none);
    EXPECT_THROW(none.Create(nullptr), EInvalidCast);
    TObjectPtr<TShape> made(shapeClass.Create(nullptr));
    EXPECT_EQ(made->Describe(), "circle");
    EXPECT_TRUE(shapeClass == TClassOf<TShape>(TCircle::StaticClass()));
}

TEST(ClassRecords, RegistryFindsByName) {
    RegisterClass(TCircle::StaticClass());
    RegisterClass(TCircle::StaticClass());
    EXPECT_EQ(GetClass("tCIRCLE"), TCircle::StaticClass());
    EXPECT_EQ(GetClass("TSquare"), nullptr);
    EXPECT_THROW(FindClass("TSquare"), EClassNotFound);
    UnRegisterClass(TCircle::StaticClass());
    EXPECT_EQ(GetClass("TCircle"), nullptr);
}

TEST(TwoPhaseConstruction, OverridesRunAfterConstructionAndBeforeDestruction) {
    g_log.clear();
    TObject* c = Create<TCircle>(nullptr);
    Free(c);
    EXPECT_EQ(g_log, (std::vector<std::string>{"ctor TShape", "after circle", "before circle", "dtor TShape"}));

    // The owner type goes through both steps too: made by MakeObject, freed through Free.
    g_log.clear();
    { const TObjectPtr<TShape> owned = MakeObject<TCircle>(nullptr); }
    EXPECT_EQ(g_log, (std::vector<std::string>{"ctor TShape", "after circle", "before circle", "dtor TShape"}));
}

TEST(TwoPhaseConstruction, ClassReferenceCreatesMostDerivedClass) {
    g_log.clear();
    TComponent owner(nullptr);
    TClass cls = TCircle::StaticClass();
    TObject* obj = cls->Create(&owner);
    EXPECT_EQ(obj->ClassType(), TCircle::StaticClass());
    EXPECT_EQ(owner.Components(0), obj);
    EXPECT_EQ(g_log.back(), "after circle");
    EXPECT_THROW(TAbstractTool::StaticClass()->Create(&owner), EInvalidOperation);
    EXPECT_EQ(owner.ComponentCount(), 1);
}

TEST(TwoPhaseConstruction, FailingAfterConstructionDestroysTheObject) {
    g_log.clear();
    TComponent owner(nullptr);
    EXPECT_THROW(Create<TFailingLate>(&owner), EAbort);
    EXPECT_EQ(owner.ComponentCount(), 0);
    EXPECT_EQ(g_log.back(), "dtor TShape");
}

TEST(PublishBeforeConstruct, ReferenceIsSetWhileConstructing) {
    TComponent owner(nullptr);
    TShape* ref = nullptr;
    TComponent* seen = nullptr;
    g_watchedRef = &seen;
    // The reference published for the class under construction is visible to code it runs.
    struct Probe : TShape {
        CLASSLIB_COMPONENT(Probe, TShape)
        explicit Probe(TComponent* owner) : TShape(owner) {}
    };
    TShape* made = CreateComponent(Probe::StaticClass(), &owner, ref);
    EXPECT_EQ(made, ref);
    EXPECT_EQ(ref->ClassType(), Probe::StaticClass());
    EXPECT_EQ(owner.Components(0), ref);
}

TEST(PublishBeforeConstruct, ThrowingConstructorLeavesReferenceNullAndOwnerClean) {
    TComponent owner(nullptr);
    TComponent sibling(nullptr);
    owner.InsertComponent(&sibling);
    TComponent* ref = reinterpret_cast<TComponent*>(0x1234);
    g_watchedRef = &ref;
    g_seenDuringConstruction = nullptr;
    EXPECT_THROW(CreateComponent(TFailing::StaticClass(), &owner, ref), EInvalidOperation);
    // The constructor saw its own address in the reference; afterwards it is null again.
    EXPECT_NE(g_seenDuringConstruction, nullptr);
    EXPECT_NE(g_seenDuringConstruction, reinterpret_cast<TShape*>(0x1234));
    EXPECT_EQ(ref, nullptr);
    ASSERT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), &sibling);
    owner.RemoveComponent(&sibling);
}

TEST(PublishBeforeConstruct, FailingAfterConstructionAlsoClearsReference) {
    TComponent owner(nullptr);
    TShape* ref = nullptr;
    EXPECT_THROW(CreateComponent(TFailingLate::StaticClass(), &owner, ref), EAbort);
    EXPECT_EQ(ref, nullptr);
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(PublishBeforeConstruct, ClassMustMatchTheReference) {
    TComponent owner(nullptr);
    TCircle* ref = nullptr;
    EXPECT_THROW(CreateComponent(TShape::StaticClass(), &owner, ref), EInvalidCast);
    EXPECT_THROW(CreateComponent(nullptr, &owner, ref), EInvalidCast);
    EXPECT_EQ(ref, nullptr);
    EXPECT_EQ(owner.ComponentCount(), 0);
}

}  // namespace
