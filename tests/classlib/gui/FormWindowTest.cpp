// The form's window: styles from BorderStyle, BorderIcons and FormStyle, the owner window, layered
// attributes that survive a new window, centring, showing and hiding through Visible, and the MDI client
// placed in what the aligned controls leave.
#include <gtest/gtest-spi.h>

#include "classlib/core/TCustomActionList.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/WindowDC.h"
#include "tests/classlib/gui/FormTestHelpers.h"

using namespace formtest;

namespace {

LONG_PTR StyleOf(HWND wnd) { return ::GetWindowLongPtrA(wnd, GWL_STYLE); }
LONG_PTR ExStyleOf(HWND wnd) { return ::GetWindowLongPtrA(wnd, GWL_EXSTYLE); }

class FormWindow : public GuiTest {};

// A stray error would open the application's message box and wait for a click for ever; the window tests
// record it and fail instead.
TEST_F(FormWindow, AnErrorReachingTheApplicationFailsTheTestInsteadOfWaiting) {
    ASSERT_TRUE(static_cast<bool>(Application->OnException));
    EXPECT_NONFATAL_FAILURE(
        {
            try {
                throw EInvalidOperation("stray error");
            } catch (...) {
                Application->HandleException(nullptr);
            }
        },
        "stray error");
    EXPECT_EQ(ApplicationErrors().messages, std::vector<std::string>{"stray error"});
}

TEST_F(FormWindow, BorderStylesAndIconsGiveTheirWindowStyles) {
    TForm* sizeable = NewForm();
    HWND wnd = sizeable->Handle();
    EXPECT_TRUE(StyleOf(wnd) & WS_THICKFRAME);
    EXPECT_EQ(StyleOf(wnd) & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(StyleOf(wnd) & WS_SYSMENU);
    EXPECT_TRUE(StyleOf(wnd) & WS_MINIMIZEBOX);
    EXPECT_TRUE(StyleOf(wnd) & WS_MAXIMIZEBOX);
    EXPECT_FALSE(StyleOf(wnd) & WS_CHILD);
    EXPECT_FALSE(ExStyleOf(wnd) & WS_EX_TOOLWINDOW);
    // Every top-level form is owned by the application window.
    EXPECT_EQ(::GetWindow(wnd, GW_OWNER), Application->Handle());

    TForm* dialog = NewForm();
    dialog->SetBorderStyle(bsDialog);
    dialog->SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize, biHelp});
    wnd = dialog->Handle();
    EXPECT_FALSE(StyleOf(wnd) & WS_THICKFRAME);
    EXPECT_FALSE(StyleOf(wnd) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(ExStyleOf(wnd) & WS_EX_DLGMODALFRAME);
    EXPECT_TRUE(ExStyleOf(wnd) & WS_EX_CONTEXTHELP);

    TForm* tool = NewForm();
    tool->SetBorderStyle(bsSizeToolWin);
    tool->SetFormStyle(fsStayOnTop);
    wnd = tool->Handle();
    EXPECT_TRUE(ExStyleOf(wnd) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ExStyleOf(wnd) & WS_EX_TOPMOST);
    EXPECT_TRUE(StyleOf(wnd) & WS_THICKFRAME);

    TForm* bare = NewForm();
    bare->SetBorderStyle(bsNone);
    wnd = bare->Handle();
    EXPECT_TRUE(StyleOf(wnd) & WS_POPUP);
    EXPECT_NE(StyleOf(wnd) & WS_CAPTION, WS_CAPTION);
}

TEST_F(FormWindow, OnlyTheMainFormHasATaskBarButton) {
    ASSERT_EQ(Application->MainForm(), nullptr);
    TForm* main = nullptr;
    Application->CreateForm(TForm::StaticClass(), main);
    TForm* second = nullptr;
    Application->CreateForm(TForm::StaticClass(), second);
    EXPECT_EQ(Application->MainForm(), main);
    EXPECT_TRUE(ExStyleOf(main->Handle()) & WS_EX_APPWINDOW);
    EXPECT_FALSE(ExStyleOf(second->Handle()) & WS_EX_APPWINDOW);
    EXPECT_EQ(::GetWindow(main->Handle(), GW_OWNER), Application->Handle());
    Free(second);
    Free(main);
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(FormWindow, ANewBorderStyleMakesANewWindowKeepingTheCaption) {
    TForm* form = NewForm();
    form->SetCaption("Kept caption");
    form->HandleNeeded();
    form->SetBorderStyle(bsToolWindow);
    HWND wnd = form->Handle();
    EXPECT_TRUE(ExStyleOf(wnd) & WS_EX_TOOLWINDOW);
    char text[64] = {};
    ::GetWindowTextA(wnd, text, sizeof(text));
    EXPECT_STREQ(text, "Kept caption");
}

TEST_F(FormWindow, PopupParentOwnsTheWindow) {
    TForm* parent = NewForm();
    TForm* popup = NewForm();
    popup->SetPopupParent(parent);
    EXPECT_EQ(popup->PopupMode(), pmManual);
    EXPECT_EQ(::GetWindow(popup->Handle(), GW_OWNER), parent->Handle());
    // The popup parent going away is noticed.
    Free(parent);
    EXPECT_EQ(popup->PopupParent(), nullptr);

    // pmAuto: the form active when the window is made.
    TForm* active = NewForm();
    active->Show();
    ASSERT_TRUE(PumpUntil([&] { return Screen->ActiveCustomForm() == active; }));
    TForm* automatic = NewForm();
    automatic->SetPopupMode(pmAuto);
    EXPECT_EQ(::GetWindow(automatic->Handle(), GW_OWNER), active->Handle());
}

TEST_F(FormWindow, LayeredAttributesAreAppliedAgainToANewWindow) {
    TForm* form = NewForm();
    form->SetAlphaBlendValue(128);
    form->SetAlphaBlend(true);
    form->HandleNeeded();
    auto alpha = [&] {
        BYTE value = 0;
        DWORD flags = 0;
        if (!(ExStyleOf(form->Handle()) & WS_EX_LAYERED)) return -1;
        if (!::GetLayeredWindowAttributes(form->Handle(), nullptr, &value, &flags) || !(flags & LWA_ALPHA)) return -2;
        return static_cast<int>(value);
    };
    EXPECT_EQ(alpha(), 128);
    form->SetBorderStyle(bsSingle);  // a new window
    EXPECT_EQ(alpha(), 128);
    form->SetAlphaBlend(false);
    EXPECT_EQ(alpha(), -1);
}

struct ShowLog : TObject {
    int shows = 0;
    int hides = 0;
    bool visibleInOnShow = true;
    bool visibleInOnHide = false;
    TCustomForm* form = nullptr;
    void Show(TObject*) {
        ++shows;
        visibleInOnShow = ::IsWindowVisible(form->Handle()) != FALSE;
    }
    void Hide(TObject*) {
        ++hides;
        visibleInOnHide = ::IsWindowVisible(form->Handle()) != FALSE;
    }
};

TEST_F(FormWindow, ShowAndHideGoThroughVisibleWithOnShowBeforeAndOnHideBefore) {
    TForm* form = NewForm();
    ShowLog log;
    log.form = form;
    form->OnShow = MakeMethod<&ShowLog::Show>(&log);
    form->OnHide = MakeMethod<&ShowLog::Hide>(&log);
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(form->FormState().Contains(fsVisible));
    form->Show();
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(::IsWindowVisible(form->Handle()));
    EXPECT_TRUE(form->FormState().Contains(fsVisible));
    EXPECT_EQ(log.shows, 1);
    EXPECT_FALSE(log.visibleInOnShow);
    form->Hide();
    EXPECT_FALSE(::IsWindowVisible(form->Handle()));
    EXPECT_FALSE(form->FormState().Contains(fsVisible));
    EXPECT_EQ(log.hides, 1);
    EXPECT_TRUE(log.visibleInOnHide);
    form->SetVisible(true);
    EXPECT_EQ(log.shows, 2);
    EXPECT_TRUE(form->FormState().Contains(fsVisible));

    // A form placed inside another control follows its own window too.
    TForm* inner = NewForm(100, 80);
    inner->SetParent(form);
    inner->Show();
    EXPECT_TRUE(inner->FormState().Contains(fsVisible));
    inner->Hide();
    EXPECT_FALSE(inner->FormState().Contains(fsVisible));
}

// A docking framework replaces the inert docking properties of a form.
class TDockingForm : public TForm {
    CLASSLIB_COMPONENT(TDockingForm, TForm)
    TDockingForm(TComponent* owner, TNoBuilders) : TForm(owner, NoBuilders) {}
    int dockSiteSets = 0;
    bool DockSite() const override { return true; }
    void SetDockSite(bool value) override {
        ++dockSiteSets;
        TForm::SetDockSite(value);
    }
    bool UseDockManager() const override { return true; }
};

TEST_F(FormWindow, DockingPropertiesAreInertButReplaceable) {
    TForm* plain = NewForm();
    plain->SetDockSite(true);
    plain->SetUseDockManager(true);
    EXPECT_TRUE(plain->DockSite());
    EXPECT_TRUE(plain->UseDockManager());

    auto* docking = NewForm<TDockingForm>();
    TCustomForm* asForm = docking;
    asForm->SetDockSite(false);
    EXPECT_EQ(docking->dockSiteSets, 1);
    EXPECT_TRUE(asForm->DockSite());
    EXPECT_TRUE(asForm->UseDockManager());
}

struct EventCount : TObject {
    int count = 0;
    void Count(TObject*) { ++count; }
};

TEST_F(FormWindow, AFormBeingFreedFiresNoActivationOrHideEvents) {
    TForm* form = NewForm();
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
    EventCount events;
    form->OnDeactivate = MakeMethod<&EventCount::Count>(&events);
    form->OnHide = MakeMethod<&EventCount::Count>(&events);
    Free(form);
    EXPECT_EQ(events.count, 0);
}

TEST_F(FormWindow, ScreenCenterPlacesTheFormInTheWorkAreasMiddle) {
    TForm* form = NewForm(200, 100);
    form->SetPosition(poScreenCenter);
    form->Show();
    TRect area = Screen->WorkAreaRect();
    EXPECT_NEAR(form->Left(), area.Left + (area.Width() - 200) / 2, 1);
    EXPECT_NEAR(form->Top(), area.Top + (area.Height() - 100) / 2, 1);
    RECT r;
    ::GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.left, form->Left());
}

// A plain aligned windowed control.
TFocusBox* AlignedBox(TWinControl* parent, TAlign align, int size) {
    TFocusBox* box = NewBox(parent, 0, 0, size, size);
    box->SetAlign(align);
    return box;
}

TRect ClientWindowRect(TCustomForm* form) {
    RECT r;
    ::GetWindowRect(form->ClientHandle(), &r);
    POINT tl{r.left, r.top};
    POINT br{r.right, r.bottom};
    ::ScreenToClient(form->Handle(), &tl);
    ::ScreenToClient(form->Handle(), &br);
    return Rect(tl.x, tl.y, br.x, br.y);
}

TEST_F(FormWindow, TheMDIClientFillsWhatTheAlignedControlsLeave) {
    TForm* form = NewForm(400, 300);
    form->SetFormStyle(fsMDIForm);
    AlignedBox(form, alTop, 30);
    AlignedBox(form, alLeft, 50);
    form->Show();
    ASSERT_NE(form->ClientHandle(), nullptr);
    char cls[32] = {};
    ::GetClassNameA(form->ClientHandle(), cls, sizeof(cls));
    EXPECT_STREQ(cls, "MDIClient");
    TRect client = form->ClientRect();
    EXPECT_EQ(ClientWindowRect(form), Rect(50, 30, client.Right, client.Bottom));

    // After a resize (WM_SIZE is not left to the frame procedure, which would fill the whole area).
    form->SetBounds(form->Left(), form->Top(), 500, 350);
    client = form->ClientRect();
    EXPECT_EQ(ClientWindowRect(form), Rect(50, 30, client.Right, client.Bottom));
    EXPECT_EQ(form->ActiveMDIChild(), nullptr);
    EXPECT_EQ(form->MDIChildCount(), 0);
}

TEST_F(FormWindow, TheMDIClientIsEmptyBesideAClientAlignedControl) {
    TForm* form = NewForm(400, 300);
    AlignedBox(form, alClient, 10);
    form->SetFormStyle(fsMDIForm);
    form->Show();
    ASSERT_NE(form->ClientHandle(), nullptr);
    TRect r = ClientWindowRect(form);
    EXPECT_TRUE(r.Width() <= 0 || r.Height() <= 0) << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom;
    // Leaving the MDI style takes the client away with the old window.
    form->SetFormStyle(fsNormal);
    form->HandleNeeded();
    EXPECT_EQ(form->ClientHandle(), nullptr);
}

TEST_F(FormWindow, MDIChildrenLiveInTheMainFormsClient) {
    ASSERT_EQ(Application->MainForm(), nullptr);
    TForm* frame = nullptr;
    Application->CreateForm(TForm::StaticClass(), frame);
    frame->SetFormStyle(fsMDIForm);
    frame->SetBounds(40, 40, 400, 300);
    frame->Show();
    TForm* child = NewForm(200, 100);
    child->SetFormStyle(fsMDIChild);
    child->SetCaption("Child");
    child->Show();
    EXPECT_TRUE(child->FormState().Contains(fsCreatedMDIChild));
    EXPECT_EQ(::GetParent(child->Handle()), frame->ClientHandle());
    EXPECT_EQ(frame->MDIChildCount(), 1);
    EXPECT_EQ(frame->MDIChildren(0), child);
    EXPECT_EQ(frame->ActiveMDIChild(), child);
    EXPECT_THROW(frame->MDIChildren(1), EListError);
    // Closing an MDI child minimises it by default.
    child->Close();
    EXPECT_EQ(child->WindowState(), wsMinimized);
    Free(child);
    EXPECT_EQ(frame->MDIChildCount(), 0);
    Free(frame);

    // Without an MDI frame there is nowhere to put a child.
    TForm* orphan = NewForm();
    orphan->SetFormStyle(fsMDIChild);
    EXPECT_THROW(orphan->HandleNeeded(), EInvalidOperation);
}

struct Painter : TObject {
    int paints = 0;
    TCustomForm* form = nullptr;
    void Paint(TObject*) {
        ++paints;
        form->Canvas()->Brush()->SetColor(clRed);
        form->Canvas()->FillRect(Rect(0, 0, 10, 10));
    }
};

TEST_F(FormWindow, OnPaintDrawsOnTheFormsCanvas) {
    TForm* form = NewForm();
    Painter painter;
    painter.form = form;
    form->OnPaint = MakeMethod<&Painter::Paint>(&painter);
    form->Show();
    form->Repaint();
    EXPECT_GE(painter.paints, 1);
    const TWindowDC dcWindowDC(form->Handle());
    HDC dc = dcWindowDC.Get();
    EXPECT_EQ(::GetPixel(dc, 5, 5), RGB(255, 0, 0));
}

struct ActionUpdates : TObject {
    int updates = 0;
    void Update(TObject* sender) {
        ++updates;
        static_cast<TAction*>(sender)->SetVisible(true);
    }
};

TEST_F(FormWindow, UpdateActionsOfAShownFormReachHiddenControlsToo) {
    TForm* form = NewForm();
    TFocusBox* panel = NewBox(form, 0, 0, 100, 100);
    TFocusBox* nested = NewBox(panel, 5, 5);
    ActionUpdates log;
    TAction* action = Create<TAction>(Owner());
    action->OnUpdate = MakeMethod<&ActionUpdates::Update>(&log);
    action->SetVisible(false);
    nested->SetAction(action);
    ASSERT_FALSE(nested->Visible());

    const int before = log.updates;
    form->UpdateActions();  // a hidden form updates nothing
    EXPECT_EQ(log.updates, before);
    form->Show();
    form->UpdateActions();
    EXPECT_EQ(log.updates, before + 1);
    EXPECT_TRUE(nested->Visible());  // the update showed the control again
}

}  // namespace
