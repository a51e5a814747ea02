// What the control tests share: a plain top-level window of the system as the raw parent of a root control
// (no form involved), and a panel that accepts children and records the library messages it gets. Messages are
// handled with the shared pump's plain dispatch (support/MessagePump.h).
#pragma once
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/MessagePump.h"
#include "classlib/win/TCustomControl.h"
#include "classlib/win/TGraphicControl.h"
#include "classlib/win/TWinControl.h"

namespace controltest {

struct Logged {
    std::uint32_t Msg;
    std::uintptr_t WParam;
    std::intptr_t LParam;
};

// A windowed control that holds children and records what it is told.
class TLogPanel : public TCustomControl {
    CLASSLIB_COMPONENT(TLogPanel, TCustomControl)
    CLASSLIB_MESSAGES(TLogPanel, CLASSLIB_ON(CM_CONTROLCHANGE, &TLogPanel::Record),
                      CLASSLIB_ON(CM_CONTROLLISTCHANGE, &TLogPanel::Record),
                      CLASSLIB_ON(CM_SHOWINGCHANGED, &TLogPanel::Record), CLASSLIB_ON(CM_DIALOGKEY, &TLogPanel::Key),
                      CLASSLIB_ON(CM_DIALOGCHAR, &TLogPanel::Key), CLASSLIB_ON(CM_WANTSPECIALKEY, &TLogPanel::Key),
                      CLASSLIB_ON(CM_TEXTCHANGED, &TLogPanel::Record), CLASSLIB_ON(WM_MOUSEWHEEL, &TLogPanel::Record))

    explicit TLogPanel(TComponent* owner) : TCustomControl(owner) {
        SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    }

    std::vector<Logged> Log;
    // Answers given to CM_DIALOGKEY / CM_DIALOGCHAR / CM_WANTSPECIALKEY (0: pass on as usual).
    std::intptr_t DialogKeyAnswer = 0;
    std::intptr_t WantSpecialKeyAnswer = 0;

    int Count(std::uint32_t msg) const {
        int n = 0;
        for (const Logged& l : Log) n += l.Msg == msg;
        return n;
    }

    void Record(TMessage& message) {
        Log.push_back({message.Msg, message.WParam, message.LParam});
        DispatchInherited<TLogPanel>(this, message);
    }
    void Key(TMessage& message) {
        Log.push_back({message.Msg, message.WParam, message.LParam});
        if (message.Msg == CM_WANTSPECIALKEY) {
            message.Result = WantSpecialKeyAnswer;
            return;
        }
        DispatchInherited<TLogPanel>(this, message);
        if (message.Result == 0) message.Result = DialogKeyAnswer;
    }
};

// A root panel inside a raw top-level window at a fixed place on the screen.
// The host window is shared by the tests of a suite: destroying a shown top-level window costs the system
// about two seconds under Wine.
class ControlTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        host_ = ::CreateWindowExA(WS_EX_TOPMOST, "STATIC", "host", WS_POPUP | WS_VISIBLE, 50, 50, 320, 240, nullptr,
                                  nullptr, nullptr, nullptr);
    }
    static void TearDownTestSuite() {
        ::DestroyWindow(host_);
        host_ = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(host_, nullptr);
        owner_ = MakeObject<TComponent>(nullptr);
        root_ = Create<TLogPanel>(owner_.get());
        root_->SetBounds(0, 0, 300, 200);
        root_->SetParentWindow(host_);
        ASSERT_TRUE(root_->HandleAllocated());
    }
    void TearDown() override {
        owner_.reset();
        testsupport::DispatchThreadMessages();
    }

    template <class T = TLogPanel>
    T* Child(TWinControl* parent, int left, int top, int width, int height) {
        T* c = Create<T>(owner_.get());
        c->SetBounds(left, top, width, height);
        c->SetParent(parent);
        return c;
    }

    TComponent* Owner() const { return owner_.get(); }

    static inline HWND host_ = nullptr;
    TObjectPtr<TComponent> owner_;
    TLogPanel* root_ = nullptr;
};

// A windowed control built on the system's edit class.
class TTestEdit : public TWinControl {
    CLASSLIB_COMPONENT(TTestEdit, TWinControl)
    explicit TTestEdit(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        CreateSubClass(params, "EDIT");
        params.Style |= ES_AUTOHSCROLL;
    }
};

}  // namespace controltest
