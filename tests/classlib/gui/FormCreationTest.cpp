// Forms: building through the registered builders, the moment OnCreate runs for both creation orders,
// OnDestroy while the derived class is still whole, Screen's list of forms, finding a control's form.
#include <string>
#include <vector>

#include "classlib/core/CallbackExceptions.h"
#include "classlib/core/FormBuilder.h"
#include "tests/classlib/gui/FormTestHelpers.h"

using namespace formtest;

namespace {

std::vector<std::string>& gLog = CreationLog();
bool gOldCreateOrder = false;

class TBaseBuiltForm : public TForm {
    CLASSLIB_COMPONENT(TBaseBuiltForm, TForm)
    explicit TBaseBuiltForm(TComponent* owner) : TForm(owner) { gLog.push_back("base constructor"); }
    TFocusBox* baseBox = nullptr;
};

class TDerivedBuiltForm : public TBaseBuiltForm {
    CLASSLIB_COMPONENT(TDerivedBuiltForm, TBaseBuiltForm)
    explicit TDerivedBuiltForm(TComponent* owner) : TBaseBuiltForm(owner) { gLog.push_back("derived constructor"); }
    TFocusBox* derivedBox = nullptr;
    bool creatingDuringOnCreate = true;

    void FormCreate(TObject*) {
        gLog.push_back("OnCreate");
        creatingDuringOnCreate = FormState().Contains(fsCreating);
    }
    void FormDestroy(TObject*) { gLog.push_back("OnDestroy"); }

protected:
    void DoDestroy() override {
        gLog.push_back("derived DoDestroy");
        TBaseBuiltForm::DoDestroy();
    }
};

void BuildBase(TComponent* root) {
    auto* form = static_cast<TBaseBuiltForm*>(root);
    gLog.push_back(form->FormState().Contains(fsCreating) ? "base builder (creating)" : "base builder");
    form->baseBox = Create<TFocusBox>(root);
    form->baseBox->SetName("BaseBox");
    form->baseBox->SetParent(form);
}

void BuildDerived(TComponent* root) {
    auto* form = static_cast<TDerivedBuiltForm*>(root);
    gLog.push_back("derived builder");
    form->derivedBox = Create<TFocusBox>(root);
    form->derivedBox->SetName("DerivedBox");
    form->derivedBox->SetParent(form);
    form->SetOldCreateOrder(gOldCreateOrder);
    form->OnCreate = MakeMethod<&TDerivedBuiltForm::FormCreate>(form);
    form->OnDestroy = MakeMethod<&TDerivedBuiltForm::FormDestroy>(form);
}

class TUnbuiltForm : public TForm {
    CLASSLIB_COMPONENT(TUnbuiltForm, TForm)
    explicit TUnbuiltForm(TComponent* owner) : TForm(owner) {}
    TUnbuiltForm(TComponent* owner, TNoBuilders) : TForm(owner, NoBuilders) {}
};

class TFailingForm : public TForm {
    CLASSLIB_COMPONENT(TFailingForm, TForm)
    explicit TFailingForm(TComponent* owner) : TForm(owner) {}
};

void BuildFailing(TComponent* root) {
    Create<TFocusBox>(root)->SetParent(static_cast<TFailingForm*>(root));
    throw EInvalidOperation("builder failed");
}

class FormCreation : public GuiTest {
protected:
    static void SetUpTestSuite() {
        GuiTest::SetUpTestSuite();
        RegisterFormBuilder(TBaseBuiltForm::StaticClass(), &BuildBase);
        RegisterFormBuilder(TDerivedBuiltForm::StaticClass(), &BuildDerived);
        RegisterFormBuilder(TFailingForm::StaticClass(), &BuildFailing);
    }
    void SetUp() override {
        GuiTest::SetUp();
        gLog.clear();
    }
};

const std::vector<std::string> kConstructedAndBuilt = {"base constructor", "derived constructor",
                                                       "base builder (creating)", "derived builder"};

TEST_F(FormCreation, BuildersRunBaseFirstAfterTheConstructorsAndOnCreateFollowsTheAnnouncement) {
    gOldCreateOrder = false;
    TAnnouncedOwner* owner = Create<TAnnouncedOwner>(Owner());
    owner->watched = TCustomForm::StaticClass();
    TDerivedBuiltForm* form = Create<TDerivedBuiltForm>(owner);

    std::vector<std::string> expected = kConstructedAndBuilt;
    expected.insert(expected.end(), {"owner told", "OnCreate"});
    EXPECT_EQ(gLog, expected);
    // The builders filled members the derived constructor had already initialised.
    ASSERT_NE(form->baseBox, nullptr);
    ASSERT_NE(form->derivedBox, nullptr);
    EXPECT_EQ(form->FindComponent("DerivedBox"), form->derivedBox);
    EXPECT_EQ(form->derivedBox->Parent(), form);
    EXPECT_FALSE(form->creatingDuringOnCreate);
    EXPECT_FALSE(form->FormState().Contains(fsCreating));
    EXPECT_FALSE(form->ComponentState().Contains(csLoading));
}

TEST_F(FormCreation, OldCreateOrderRunsOnCreateBeforeTheOwnerHearsOfTheForm) {
    gOldCreateOrder = true;
    TAnnouncedOwner* owner = Create<TAnnouncedOwner>(Owner());
    owner->watched = TCustomForm::StaticClass();
    Create<TDerivedBuiltForm>(owner);
    gOldCreateOrder = false;

    std::vector<std::string> expected = kConstructedAndBuilt;
    expected.insert(expected.end(), {"OnCreate", "owner told"});
    EXPECT_EQ(gLog, expected);
}

TEST_F(FormCreation, OnDestroyRunsBeforeDestructionWithTheDerivedOverridesInPlace) {
    TDerivedBuiltForm* form = Create<TDerivedBuiltForm>(Owner());
    gLog.clear();
    Free(form);
    EXPECT_EQ(gLog, (std::vector<std::string>{"derived DoDestroy", "OnDestroy"}));
}

struct ErrorCounter : TObject {
    int count = 0;
    void Handle(TObject*) { ++count; }
};

struct DestroyThrower : TObject {
    void Throw(TObject*) { throw EInvalidOperation("OnDestroy failed"); }
};

TEST_F(FormCreation, AFailingOnDestroyIsReportedAndTheFormStillGoes) {
    ErrorCounter errors;
    DestroyThrower thrower;
    TCallbackExceptionHandler previous = SetCallbackExceptionHandler(MakeMethod<&ErrorCounter::Handle>(&errors));
    TForm* form = NewForm();
    form->OnDestroy = MakeMethod<&DestroyThrower::Throw>(&thrower);
    const int forms = Screen->CustomFormCount();
    EXPECT_NO_THROW(Free(form));
    SetCallbackExceptionHandler(previous);
    EXPECT_EQ(errors.count, 1);
    EXPECT_EQ(Screen->CustomFormCount(), forms - 1);
}

TEST_F(FormCreation, ADerivedClassWithoutBuilderIsRefusedUnlessMadeEmpty) {
    const int forms = Screen->CustomFormCount();
    try {
        Create<TUnbuiltForm>(Owner());
        FAIL() << "no error";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource TUnbuiltForm not found");
    }
    EXPECT_EQ(Screen->CustomFormCount(), forms);
    EXPECT_EQ(Owner()->ComponentCount(), 0);

    // An empty form needs no builder, and neither does a plain TForm.
    EXPECT_NE(Create<TUnbuiltForm>(Owner(), NoBuilders), nullptr);
    EXPECT_NE(Create<TForm>(Owner()), nullptr);
    EXPECT_EQ(Screen->CustomFormCount(), forms + 2);
}

TEST_F(FormCreation, AFailingBuilderLeavesNothingBehind) {
    const int forms = Screen->CustomFormCount();
    EXPECT_THROW(Create<TFailingForm>(Owner()), EInvalidOperation);
    EXPECT_EQ(Screen->CustomFormCount(), forms);
    EXPECT_EQ(Owner()->ComponentCount(), 0);
}

TEST_F(FormCreation, ScreenListsFormsWhileTheyExist) {
    TForm* a = NewForm();
    TUnbuiltForm* b = Create<TUnbuiltForm>(Owner(), NoBuilders);
    auto listed = [](TCustomForm* f) {
        for (int i = 0; i < Screen->CustomFormCount(); ++i)
            if (Screen->CustomForms(i) == f) return true;
        return false;
    };
    EXPECT_TRUE(listed(a));
    EXPECT_TRUE(listed(b));
    Free(a);
    EXPECT_FALSE(listed(a));
    EXPECT_TRUE(listed(b));
}

TEST_F(FormCreation, ParentFormIsTheNearestFormAndValidParentFormRaisesWithoutOne) {
    TForm* outer = NewForm();
    TForm* inner = NewForm();
    inner->SetParent(outer);
    TFocusBox* panel = NewBox(inner, 0, 0, 100, 100);
    TFocusBox* box = NewBox(panel, 5, 5);
    EXPECT_EQ(GetParentForm(box), inner);
    EXPECT_EQ(GetParentForm(inner), inner);
    EXPECT_EQ(GetParentForm(outer), outer);

    TFocusBox* lonely = Create<TFocusBox>(Owner());
    lonely->SetName("Lonely");
    EXPECT_EQ(GetParentForm(lonely), nullptr);
    EXPECT_EQ(GetParentForm(nullptr), nullptr);
    try {
        ValidParentForm(lonely);
        FAIL() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Control 'Lonely' has no parent window");
    }
    EXPECT_EQ(ValidParentForm(box), inner);
}

}  // namespace
