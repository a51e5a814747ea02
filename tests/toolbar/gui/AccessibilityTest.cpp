// Accessibility of a menu bar and its popup menus as a screen reader reaches them: through
// AccessibleObjectFromWindow on the bar's and the popup's windows, then roles, names, states, default
// actions, the default action running an item, and the error codes of objects whose viewer is gone.
#include <thread>

#include "tests/classlib/gui/FormTestHelpers.h"
#include "tests/support/MessagePump.h"
#include "tests/toolbar/support/AccessibleClient.h"
#include "tests/toolbar/support/MenuLoopCheck.h"
#include "toolbar/core/AccessibilityRules.h"
#include "toolbar/win/TTBPopupWindow.h"

using namespace formtest;
using namespace toolbartest;

namespace {

struct Clicked {
    int count = 0;
    void Click(TObject*) { ++count; }
};

class Accessibility : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        // The pointer away from the menus, so that no item is selected by hovering.
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
        tb::StartAccessibility(false);
        liveAtStart_ = TTBCustomAccObject::LiveCount();
        root_ = MakeObject<TTBCustomItem>(nullptr);
        file_ = Add<SubmenuItem>(root_.get(), u"&File");
        open_ = Add<TTBCustomItem>(file_, u"&Open");
        open_->SetShortCut(scCtrl | 'O');
        save_ = Add<TTBCustomItem>(file_, u"&Save");
        save_->SetEnabled(false);
        wrap_ = Add<TTBCustomItem>(file_, u"&Wrap");
        wrap_->SetChecked(true);
        go_ = Add<TTBCustomItem>(root_.get(), u"&Go");
        for (TTBCustomItem* item : {open_, go_}) item->OnClick = MakeMethod<&Clicked::Click>(&clicked_);

        form_ = NewForm(400, 300);
        form_->SetCaption("Accessible form");
        host_ = Create<AccMenuBarHost>(Owner(), root_.get());
        ASSERT_TRUE(ShowBarOnForm(host_, form_));
    }
    void TearDown() override {
        if (host_) Free(host_);
        host_ = nullptr;
        root_.reset();
        EXPECT_EQ(TTBCustomAccObject::LiveCount(), liveAtStart_);
        tb::EndAccessibility();
        GuiTest::TearDown();
    }
    template <class T>
    static T* Add(TTBCustomItem* parent, const char16_t* caption) {
        return AddItem<T>(parent, caption);
    }
    TTBView* Bar() const { return host_->View(); }
    // Opens the File menu in a menu loop and runs check inside it.
    void InFileMenu(std::function<void()> check) {
        EXPECT_TRUE(CheckInMenuLoop(Bar(), Bar()->Find(file_), 30, std::move(check)));
    }

    int liveAtStart_ = 0;
    TObjectPtr<TTBCustomItem> root_;
    SubmenuItem* file_ = nullptr;
    TTBCustomItem* open_ = nullptr;
    TTBCustomItem* save_ = nullptr;
    TTBCustomItem* wrap_ = nullptr;
    TTBCustomItem* go_ = nullptr;
    Clicked clicked_;
    TForm* form_ = nullptr;
    AccMenuBarHost* host_ = nullptr;
};

TEST_F(Accessibility, MenuBarAndItsItemsAnswerRolesNamesStatesAndDefaultActions) {
    AccessibleRef bar = AccessibleOf(host_->Handle());
    ASSERT_TRUE(bar);
    EXPECT_EQ(AccRole(bar), tb::kRoleMenuBar);
    EXPECT_EQ(AccState(bar), 0);
    EXPECT_EQ(AccShortcut(bar), tb::AltKeyName());
    LONG count = 0;
    EXPECT_EQ(bar->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 2);

    AccessibleRef file = ChildOf(bar, 1);
    ASSERT_TRUE(file);
    EXPECT_EQ(AccName(file), u"File");
    EXPECT_EQ(AccRole(file), tb::kRoleMenuItem);
    EXPECT_EQ(AccDefaultAction(file), u"Open");
    EXPECT_EQ(AccShortcut(file), u"f");
    EXPECT_EQ(AccState(file), static_cast<LONG>(tb::kStateHasPopup | tb::kStateFocusable));
    AccessibleRef go = ChildOf(bar, 2);
    EXPECT_EQ(AccDefaultAction(go), u"Execute");

    // The same object each time; the bar is the parent.
    EXPECT_EQ(ChildOf(bar, 1).Get(), file.Get());
    IDispatch* parent = nullptr;
    EXPECT_EQ(file->get_accParent(&parent), S_OK);
    EXPECT_EQ(FromDispatch(parent).Get(), bar.Get());

    // Hit test and location agree.
    LONG x = 0, y = 0, w = 0, h = 0;
    EXPECT_EQ(go->accLocation(&x, &y, &w, &h, Self()), S_OK);
    EXPECT_GT(w, 0);
    VARIANT hit;
    EXPECT_EQ(bar->accHitTest(x + w / 2, y + h / 2, &hit), S_OK);
    ASSERT_EQ(hit.vt, VT_DISPATCH);
    EXPECT_EQ(FromDispatch(hit.pdispVal).Get(), go.Get());
    EXPECT_EQ(go->accHitTest(x + w, y, &hit), S_FALSE);
    EXPECT_EQ(hit.vt, VT_EMPTY);

    // Navigation: first and last child of the bar; next of File is Go, nothing after Go.
    VARIANT end;
    EXPECT_EQ(bar->accNavigate(tb::kNavLastChild, Self(), &end), S_OK);
    ASSERT_EQ(end.vt, VT_DISPATCH);
    EXPECT_EQ(FromDispatch(end.pdispVal).Get(), go.Get());
    EXPECT_EQ(file->accNavigate(tb::kNavRight, Self(), &end), S_OK);
    ASSERT_EQ(end.vt, VT_DISPATCH);
    EXPECT_EQ(FromDispatch(end.pdispVal).Get(), go.Get());
    EXPECT_EQ(go->accNavigate(tb::kNavNext, Self(), &end), S_FALSE);
}

TEST_F(Accessibility, ErrorCodesForChildIdsAndWhatAViewDoesNotHave) {
    AccessibleRef bar = AccessibleOf(host_->Handle());
    ASSERT_TRUE(bar);
    AccessibleRef file = ChildOf(bar, 1);
    IDispatch* child = nullptr;
    EXPECT_EQ(bar->get_accChild(ChildId(3), &child), E_INVALIDARG);
    EXPECT_EQ(bar->get_accChild(ChildId(-1), &child), E_INVALIDARG);
    VARIANT text;
    ::VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = nullptr;
    EXPECT_EQ(bar->get_accChild(text, &child), E_INVALIDARG);
    HRESULT hr = S_OK;
    AccText([&](BSTR* t) { return file->get_accName(ChildId(1), t); }, &hr);
    EXPECT_EQ(hr, E_INVALIDARG);
    AccText([&](BSTR* t) { return bar->get_accName(text, t); }, &hr);
    EXPECT_EQ(hr, E_INVALIDARG);
    EXPECT_EQ(file->accSelect(SELFLAG_TAKESELECTION, Self()), E_INVALIDARG);
    EXPECT_EQ(bar->accSelect(SELFLAG_TAKEFOCUS, Self()), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(bar->accDoDefaultAction(Self()), S_FALSE);
    AccText([&](BSTR* t) { return bar->get_accDescription(Self(), t); }, &hr);
    EXPECT_EQ(hr, S_FALSE);
    AccText([&](BSTR* t) { return file->get_accHelp(Self(), t); }, &hr);
    EXPECT_EQ(hr, S_FALSE);
    EXPECT_EQ(file->put_accName(Self(), nullptr), S_FALSE);
    LONG count = -1;
    EXPECT_EQ(file->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 0);
}

TEST_F(Accessibility, OpenPopupShowsItsItemsAndTheDefaultActionRunsOne) {
    InFileMenu([&] {
        TTBPopupWindow* popup = Bar()->OpenWindow();
        ASSERT_NE(popup, nullptr);
        AccessibleRef menu = AccessibleOf(popup->Handle());
        ASSERT_TRUE(menu);
        EXPECT_EQ(AccRole(menu), tb::kRoleMenuPopup);
        EXPECT_EQ(AccName(menu), u"File");
        HRESULT hr = S_OK;
        AccShortcut(menu, &hr);
        EXPECT_EQ(hr, S_FALSE);

        // The bar's File item: its submenu is open, so it closes and has the popup as its one child.
        AccessibleRef bar = AccessibleOf(host_->Handle());
        AccessibleRef file = ChildOf(bar, 1);
        EXPECT_EQ(AccDefaultAction(file), u"Close");
        LONG count = 0;
        EXPECT_EQ(file->get_accChildCount(&count), S_OK);
        EXPECT_EQ(count, 1);
        EXPECT_EQ(ChildOf(file, 1).Get(), menu.Get());
        EXPECT_EQ(AccState(file) & static_cast<LONG>(tb::kStateHotTracked | tb::kStateFocused),
                  static_cast<LONG>(tb::kStateHotTracked | tb::kStateFocused));

        AccessibleRef open = ChildOf(menu, 1);
        AccessibleRef save = ChildOf(menu, 2);
        AccessibleRef wrap = ChildOf(menu, 3);
        ASSERT_TRUE(open && save && wrap);
        EXPECT_EQ(AccName(open), u"Open\tCtrl+O");
        EXPECT_EQ(AccRole(open), tb::kRoleMenuItem);
        EXPECT_EQ(AccDefaultAction(open), u"Execute");
        EXPECT_EQ(AccState(save), static_cast<LONG>(tb::kStateUnavailable));
        AccDefaultAction(save, &hr);
        EXPECT_EQ(hr, S_FALSE);
        EXPECT_EQ(save->accDoDefaultAction(Self()), E_FAIL);
        EXPECT_EQ(AccState(wrap) & static_cast<LONG>(tb::kStateChecked), static_cast<LONG>(tb::kStateChecked));

        EXPECT_EQ(open->accSelect(SELFLAG_TAKEFOCUS, Self()), S_OK);
        EXPECT_EQ(popup->View()->Selected(), popup->View()->Find(open_));
        VARIANT focus;
        EXPECT_EQ(open->get_accFocus(&focus), S_OK);
        EXPECT_EQ(focus.vt, VT_I4);

        EXPECT_EQ(open->accDoDefaultAction(Self()), S_OK);
        EXPECT_TRUE(Bar()->IsModalEnding());
    });
    PumpUntil([&] { return clicked_.count > 0; }, 2000);
    EXPECT_EQ(clicked_.count, 1);
}

TEST_F(Accessibility, DefaultActionOfABarButtonRunsItAfterTheCallReturns) {
    AccessibleRef go = ChildOf(AccessibleOf(host_->Handle()), 2);
    ASSERT_TRUE(go);
    EXPECT_EQ(go->accDoDefaultAction(Self()), S_OK);
    EXPECT_EQ(clicked_.count, 0);
    PumpUntil([&] { return clicked_.count > 0; }, 2000);
    EXPECT_EQ(clicked_.count, 1);
}

TEST_F(Accessibility, ObjectsThatOutliveTheirViewAnswerEFailAndMayBeReleasedOnAnotherThread) {
    AccessibleRef bar = AccessibleOf(host_->Handle());
    AccessibleRef go = ChildOf(bar, 2);
    ASSERT_TRUE(bar && go);
    // A default action still pending when the viewer goes does not run.
    EXPECT_EQ(go->accDoDefaultAction(Self()), S_OK);
    Free(host_);
    host_ = nullptr;
    ASSERT_TRUE(testsupport::PumpQueued());  // the action was posted: it would have run by now
    EXPECT_EQ(clicked_.count, 0);

    HRESULT hr = S_OK;
    AccName(go, &hr);
    EXPECT_EQ(hr, E_FAIL);
    VARIANT v;
    EXPECT_EQ(go->get_accRole(Self(), &v), E_FAIL);
    EXPECT_EQ(go->accDoDefaultAction(Self()), E_FAIL);
    EXPECT_EQ(go->get_accChildCount(nullptr), E_POINTER);
    LONG count = 0;
    EXPECT_EQ(bar->get_accChildCount(&count), E_FAIL);
    IDispatch* child = nullptr;
    EXPECT_EQ(bar->get_accChild(ChildId(1), &child), E_FAIL);
    AccName(bar, &hr);
    EXPECT_EQ(hr, E_FAIL);

    std::thread([&] {
        go.Reset();
        bar.Reset();
    }).join();
    EXPECT_EQ(TTBCustomAccObject::LiveCount(), liveAtStart_);
}

TEST_F(Accessibility, TheLastReleaseOnAnotherThreadWhileTheViewLivesLeavesNoStaleObject) {
    AccessibleRef bar = AccessibleOf(host_->Handle());
    AccessibleRef go = ChildOf(bar, 2);
    ASSERT_TRUE(go);
    std::thread([&] {
        go.Reset();
        bar.Reset();
    }).join();
    EXPECT_EQ(TTBCustomAccObject::LiveCount(), liveAtStart_);
    // The view and its viewer hand out fresh objects.
    AccessibleRef again = ChildOf(AccessibleOf(host_->Handle()), 2);
    ASSERT_TRUE(again);
    EXPECT_EQ(AccName(again), u"Go");
}

TEST_F(Accessibility, ShutdownWalksTheLiveObjectsAndLeavesThemSafeToRelease) {
    AccessibleRef bar = AccessibleOf(host_->Handle());
    AccessibleRef file = ChildOf(bar, 1);
    AccessibleRef go = ChildOf(bar, 2);
    ASSERT_TRUE(bar && file && go);
    EXPECT_EQ(TTBCustomAccObject::LiveCount(), liveAtStart_ + 3);
    tb::EndAccessibility();
    tb::StartAccessibility(false);
    EXPECT_EQ(AccName(go), u"Go");
    file.Reset();
    go.Reset();
    bar.Reset();
}

}  // namespace
