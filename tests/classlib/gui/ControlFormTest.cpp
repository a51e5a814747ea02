// Controls on forms: help requested on a window reaches the application once, with the help context of the
// nearest control that has one, and re-creating a form's window leaves a child that was moved away to
// another form alone.
#include <vector>

#include "classlib/win/TEdit.h"
#include "classlib/win/TPanel.h"
#include "tests/classlib/gui/FormTestHelpers.h"

using namespace formtest;

namespace {

// A form that counts the help requests that reach its own window.
class THelpForm : public TForm {
    CLASSLIB_COMPONENT(THelpForm, TForm)
    CLASSLIB_MESSAGES(THelpForm, CLASSLIB_ON(WM_HELP, &THelpForm::Help))
    THelpForm(TComponent* owner, TNoBuilders) : TForm(owner, NoBuilders) {}
    int helpRequests = 0;
    void Help(TMessage& message) {
        ++helpRequests;
        DispatchInherited<THelpForm>(this, message);
    }
};

struct HelpCall {
    std::uint16_t command;
    std::intptr_t data;
};

// Stands in for the help system: records each call and keeps the system's help viewer out of it.
struct HelpRecorder {
    std::vector<HelpCall> calls;
    bool Help(std::uint16_t command, std::intptr_t data, bool& callHelp) {
        calls.push_back({command, data});
        callHelp = false;
        return true;
    }
};

class ControlOnForm : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        savedHelp_ = Application->OnHelp;
        Application->OnHelp = MakeMethod<&HelpRecorder::Help>(&recorder_);
    }
    void TearDown() override {
        Application->OnHelp = savedHelp_;
        GuiTest::TearDown();
    }

    // WM_HELP as the system sends it for a window: to target, about item.
    static LRESULT SendHelp(HWND target, HWND item, int contextType = HELPINFO_WINDOW) {
        HELPINFO info{};
        info.cbSize = sizeof info;
        info.iContextType = contextType;
        info.iCtrlId = static_cast<int>(::GetDlgCtrlID(item));
        info.hItemHandle = item;
        return ::SendMessageA(target, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    }

    template <class T>
    T* Child(TWinControl* parent, int left, int top, int width, int height) {
        T* c = Create<T>(Owner());
        c->SetBounds(left, top, width, height);
        c->SetParent(parent);
        return c;
    }

    // The application was asked calls times in all, the last time with command and data.
    void ExpectLastHelp(std::size_t calls, std::uint16_t command, std::intptr_t data) {
        ASSERT_EQ(recorder_.calls.size(), calls);
        EXPECT_EQ(recorder_.calls.back().command, command);
        EXPECT_EQ(recorder_.calls.back().data, data);
    }

    HelpRecorder recorder_;

private:
    THelpEvent savedHelp_;
};

TEST_F(ControlOnForm, HelpGoesOnceToTheNearestHelpContextAndNowhereWithoutOne) {
    auto* form = NewForm<THelpForm>();
    auto* panel = Child<TPanel>(form, 10, 10, 200, 100);
    auto* edit = Child<TEdit>(panel, 10, 10, 100, 20);

    // No help context anywhere: nothing is asked, and the request does not climb to the form.
    SendHelp(edit->Handle(), edit->Handle());
    EXPECT_TRUE(recorder_.calls.empty());
    EXPECT_EQ(form->helpRequests, 0);

    // The edit has none of its own: its panel's context, asked once.
    panel->SetHelpContext(7);
    SendHelp(edit->Handle(), edit->Handle());
    ExpectLastHelp(1, HELP_CONTEXT, 7);
    EXPECT_EQ(form->helpRequests, 0);

    // Its own context comes first, whichever window of the chain the request was sent to.
    edit->SetHelpContext(9);
    SendHelp(form->Handle(), edit->Handle());
    ExpectLastHelp(2, HELP_CONTEXT, 9);

    // A form with the "?" of the caption shows the context as a popup.
    form->SetBorderIcons(TBorderIcons{biSystemMenu, biHelp});
    SendHelp(edit->Handle(), edit->Handle());
    ExpectLastHelp(3, HELP_CONTEXTPOPUP, 9);

    // Help on a menu item is not a control's.
    SendHelp(edit->Handle(), edit->Handle(), HELPINFO_MENUITEM);
    EXPECT_EQ(recorder_.calls.size(), 3u);
}

TEST_F(ControlOnForm, RecreatingAFormLeavesAChildMovedAwayAlone) {
    TForm* dock = NewForm();
    TForm* floating = NewForm();
    auto* tool = Child<TPanel>(dock, 5, 5, 150, 60);
    auto* edit = Child<TEdit>(tool, 5, 5, 100, 20);
    edit->SetText("kept");
    const HWND toolWnd = tool->Handle();
    const HWND editWnd = edit->Handle();

    auto move = [&](TForm* to) {
        tool->SetWindowHandle(nullptr);
        tool->SetParent(nullptr);
        tool->SetParent(to);
        tool->SetWindowHandle(toolWnd);
        ::SetParent(toolWnd, to->Handle());
        ::SetWindowPos(toolWnd, nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    };

    move(floating);
    const HWND oldDock = dock->Handle();
    dock->RecreateWnd();
    EXPECT_NE(dock->Handle(), oldDock) << "the form did get a new window";
    EXPECT_TRUE(::IsWindow(toolWnd));
    EXPECT_EQ(tool->Handle(), toolWnd);
    EXPECT_EQ(::GetParent(toolWnd), floating->Handle());
    EXPECT_EQ(edit->Handle(), editWnd);
    EXPECT_EQ(edit->Text(), "kept");

    // Docked again into the new window of the form, and re-creating the form it floated in changes nothing.
    move(dock);
    floating->RecreateWnd();
    EXPECT_EQ(tool->Handle(), toolWnd);
    EXPECT_EQ(::GetParent(toolWnd), dock->Handle());
    EXPECT_EQ(FindControl(toolWnd), tool);
    EXPECT_EQ(edit->Handle(), editWnd);
    EXPECT_EQ(edit->Text(), "kept");
}

}  // namespace
