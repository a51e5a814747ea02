// The whole program started inside the test as its entry starts it: the start-up data module makes every
// module in its fixed order, and the real main window works with the image editor and its tools.
#include <windows.h>

#include <string>
#include <vector>

#include "app/main/TKelvoSystemInfoModule.h"
#include "app/main/TModule.h"
#include "app/win/KelvoGraphicsIO.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoScrollTool.h"
#include "app/win/TKelvoToolPanelModule.h"
#include "app/win/TMainForm.h"
#include "classlib/core/CodePages.h"
#include "support/TestSupport.h"
#include "tests/app/gui/KelvoAppTestSupport.h"
#include "tests/app/win/PixelTestSupport.h"
#include "tests/support/MessagePump.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinDockablePanel.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinToolbar.h"
#include "toolbar/win/TTBImageList.h"

using kelvotest::KelvoAppTest;
using testsupport::PumpUntil;

namespace {

class Program : public KelvoAppTest {
protected:
    void SetUp() override {
        KelvoAppTest::SetUp();
        if (!SkinNexus()) RegisterSkinNexusUnit();
        languages_ = kelvotest::ProgramLanguages();
        ::DeleteFileW(reinterpret_cast<LPCWSTR>(KelvoApplication->GetStateFileName().c_str()));
        kelvo::CreateStartupModule();
        form_ = dynamic_cast<TMainForm*>(Application->MainForm());
        ASSERT_TRUE(form_);
        module_ = Find<TModule>();
        editor_ = Find<TKelvoGraphicsEditor>();
        ASSERT_TRUE(module_ && editor_);
        KelvoApplication->LoadState();
        form_->Show();
        ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(form_->Handle()) && form_->Menu->HandleAllocated(); }));
    }
    void TearDown() override {
        if (form_) {
            EXPECT_TRUE(PumpUntil([] { return KelvoApplication->PostponedCount() == 0; }));
            KelvoApplication->SaveState();
            kelvotest::FreeProgramWindows(form_);
        }
        Free(module_);
        languages_.reset();
        KelvoAppTest::TearDown();
    }

    template <class T>
    static T* Find() {
        for (int i = 0; i < Application->ComponentCount(); ++i)
            if (auto* c = dynamic_cast<T*>(Application->Components(i))) return c;
        return nullptr;
    }

    std::unique_ptr<kelvotest::TTestLanguages> languages_;
    TMainForm* form_ = nullptr;
    TModule* module_ = nullptr;
    TKelvoGraphicsEditor* editor_ = nullptr;
    testsupport::TempDir dir_;
};

}  // namespace

TEST_F(Program, StartUpMakesTheModulesInTheirFixedOrder) {
    std::vector<std::string> order;
    for (int i = 0; i < Application->ComponentCount(); ++i) {
        TComponent* c = Application->Components(i);
        if (dynamic_cast<TModule*>(c)) order.push_back("start-up module");
        else if (dynamic_cast<TKelvoGraphicsEditor*>(c)) order.push_back("editor");
        else if (dynamic_cast<TMainForm*>(c)) order.push_back("main window");
        else if (dynamic_cast<TKelvoScrollTool*>(c)) order.push_back("hand");
        else if (dynamic_cast<TKelvoSystemInfoModule*>(c)) order.push_back("system information");
        else if (dynamic_cast<TKelvoHelp*>(c)) order.push_back("help");
        else if (dynamic_cast<TKelvoAbout*>(c)) order.push_back("about");
        else if (dynamic_cast<TKelvoToolPanelModule*>(c)) order.push_back("tool panel");
    }
    // The editor makes the main window before it joins the application itself.
    EXPECT_EQ(order, (std::vector<std::string>{"start-up module", "main window", "editor", "hand",
                                               "system information", "help", "about", "tool panel"}));
    // The shared glyphs: ten cells of 24 x 24 from the program's strip, and the 1 x 1 list.
    EXPECT_EQ(form_->GetImages(), module_->NewImageList);
    EXPECT_GE(module_->NewImageList->Count(), 10);
    EXPECT_EQ(module_->ImageList1x1->Count(), 1);
    EXPECT_TRUE(editor_->KeepTool);
    EXPECT_FALSE(editor_->CloseMenuItem->Visible());
    EXPECT_GE(editor_->UndoButton->ImageIndex(), 10);  // its own picture, added after the strip
    EXPECT_EQ(editor_->UndoMenuItem->ImageIndex(), editor_->UndoButton->ImageIndex());
    auto* panel = Find<TKelvoToolPanelModule>();
    EXPECT_TRUE(panel->GetPanelVisible());
    EXPECT_TRUE(panel->VisibleMenuItem->Checked());
    EXPECT_EQ(Find<TKelvoSystemInfoModule>()->VersionInfo().dwOSVersionInfoSize, 148u);
    EXPECT_GT(Find<TKelvoSystemInfoModule>()->VersionInfo().dwMajorVersion, 0u);
}
