// Data modules: builders and OnCreate once the object is complete (both creation orders), OnDestroy before
// destruction, Screen's list, and never the application's main form.
#include <string>
#include <vector>

#include "classlib/core/FormBuilder.h"
#include "classlib/win/TDataModule.h"
#include "tests/classlib/gui/FormTestHelpers.h"

using namespace formtest;

namespace {

std::vector<std::string>& gLog = CreationLog();
bool gOldCreateOrder = false;

class TProgramModule : public TDataModule {
    CLASSLIB_COMPONENT(TProgramModule, TDataModule)
    explicit TProgramModule(TComponent* owner) : TDataModule(owner) { gLog.push_back("constructor"); }
    TComponent* service = nullptr;
    void ModuleCreate(TObject*) { gLog.push_back(service ? "OnCreate with service" : "OnCreate"); }
    void ModuleDestroy(TObject*) { gLog.push_back("OnDestroy"); }

protected:
    void DoDestroy() override {
        gLog.push_back("derived DoDestroy");
        TDataModule::DoDestroy();
    }
};

void BuildProgramModule(TComponent* root) {
    auto* module = static_cast<TProgramModule*>(root);
    gLog.push_back(module->ComponentState().Contains(csLoading) ? "builder (loading)" : "builder");
    module->service = Create<TComponent>(root);
    module->service->SetName("Service");
    module->SetOldCreateOrder(gOldCreateOrder);
    module->OnCreate = MakeMethod<&TProgramModule::ModuleCreate>(module);
    module->OnDestroy = MakeMethod<&TProgramModule::ModuleDestroy>(module);
}

class TUnbuiltModule : public TDataModule {
    CLASSLIB_COMPONENT(TUnbuiltModule, TDataModule)
    explicit TUnbuiltModule(TComponent* owner) : TDataModule(owner) {}
    TUnbuiltModule(TComponent* owner, TNoBuilders) : TDataModule(owner, NoBuilders) {}
};

class DataModule : public GuiTest {
protected:
    static void SetUpTestSuite() {
        GuiTest::SetUpTestSuite();
        RegisterFormBuilder(TProgramModule::StaticClass(), &BuildProgramModule);
    }
    void SetUp() override {
        GuiTest::SetUp();
        gLog.clear();
    }
    static bool Listed(TDataModule* module) {
        for (int i = 0; i < Screen->DataModuleCount(); ++i)
            if (Screen->DataModules(i) == module) return true;
        return false;
    }
};

TEST_F(DataModule, BuilderThenAnnouncementThenOnCreateAndOnDestroyWhileWhole) {
    gOldCreateOrder = false;
    TAnnouncedOwner* owner = Create<TAnnouncedOwner>(Owner());
    owner->watched = TDataModule::StaticClass();
    TProgramModule* module = Create<TProgramModule>(owner);
    EXPECT_EQ(gLog,
              (std::vector<std::string>{"constructor", "builder (loading)", "owner told", "OnCreate with service"}));
    EXPECT_EQ(module->FindComponent("Service"), module->service);
    EXPECT_TRUE(Listed(module));

    gLog.clear();
    Free(module);
    EXPECT_EQ(gLog, (std::vector<std::string>{"derived DoDestroy", "OnDestroy"}));
    EXPECT_FALSE(Listed(module));
}

TEST_F(DataModule, OldCreateOrderRunsOnCreateBeforeTheAnnouncement) {
    gOldCreateOrder = true;
    TAnnouncedOwner* owner = Create<TAnnouncedOwner>(Owner());
    owner->watched = TDataModule::StaticClass();
    Create<TProgramModule>(owner);
    gOldCreateOrder = false;
    EXPECT_EQ(gLog,
              (std::vector<std::string>{"constructor", "builder (loading)", "OnCreate with service", "owner told"}));
}

TEST_F(DataModule, ADerivedModuleNeedsABuilderUnlessMadeEmpty) {
    const int modules = Screen->DataModuleCount();
    EXPECT_THROW(Create<TUnbuiltModule>(Owner()), EResNotFound);
    EXPECT_EQ(Screen->DataModuleCount(), modules);
    TUnbuiltModule* empty = Create<TUnbuiltModule>(Owner(), NoBuilders);
    EXPECT_TRUE(Listed(empty));
    EXPECT_NE(Create<TDataModule>(Owner()), nullptr);
}

TEST_F(DataModule, NeverBecomesTheMainForm) {
    ASSERT_EQ(Application->MainForm(), nullptr);
    TDataModule* module = nullptr;
    Application->CreateForm(TProgramModule::StaticClass(), module);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(Application->MainForm(), nullptr);
    EXPECT_EQ(module->Owner(), Application);
    Free(module);
}

}  // namespace
