// Frames: built by their registered builders like forms (OnCreate and OnDestroy are left to derived
// classes), placed on a form, scrolling a focused control into view when AutoScroll is on.
#include "classlib/core/FormBuilder.h"
#include "classlib/win/TCustomFrame.h"
#include "tests/classlib/gui/FormTestHelpers.h"

using namespace formtest;

namespace {

class TToolFrame : public TFrame {
    CLASSLIB_COMPONENT(TToolFrame, TFrame)
    explicit TToolFrame(TComponent* owner) : TFrame(owner) {}
    TFocusBox* first = nullptr;
    TFocusBox* last = nullptr;
    int events = 0;
    void Count(TObject*) { ++events; }
};

void BuildToolFrame(TComponent* root) {
    auto* frame = static_cast<TToolFrame*>(root);
    frame->SetAutoScroll(true);
    frame->first = Create<TFocusBox>(root);
    frame->first->SetName("First");
    frame->first->SetBounds(10, 10, 60, 20);
    frame->first->SetParent(frame);
    frame->last = Create<TFocusBox>(root);
    frame->last->SetName("Last");
    frame->last->SetBounds(10, 500, 60, 20);
    frame->last->SetParent(frame);
    frame->OnCreate = MakeMethod<&TToolFrame::Count>(frame);
    frame->OnDestroy = MakeMethod<&TToolFrame::Count>(frame);
}

class TUnbuiltFrame : public TFrame {
    CLASSLIB_COMPONENT(TUnbuiltFrame, TFrame)
    explicit TUnbuiltFrame(TComponent* owner) : TFrame(owner) {}
};

class Frame : public GuiTest {
protected:
    static void SetUpTestSuite() {
        GuiTest::SetUpTestSuite();
        RegisterFormBuilder(TToolFrame::StaticClass(), &BuildToolFrame);
    }
};

TEST_F(Frame, BuildersRunAndTheFrameLeavesOnCreateAndOnDestroyAlone) {
    TToolFrame* frame = Create<TToolFrame>(Owner());
    ASSERT_NE(frame->first, nullptr);
    EXPECT_EQ(frame->FindComponent("Last"), frame->last);
    EXPECT_TRUE(frame->AutoScroll());
    EXPECT_EQ(frame->events, 0);
    // A plain frame needs no builder; a derived one does.
    EXPECT_NE(Create<TFrame>(Owner()), nullptr);
    EXPECT_THROW(Create<TUnbuiltFrame>(Owner()), EResNotFound);
    int events = 0;
    struct Counter : TObject {
        int* n;
        void Count(TObject*) { ++*n; }
    } counter;
    counter.n = &events;
    frame->OnDestroy = MakeMethod<&Counter::Count>(&counter);
    Free(frame);
    EXPECT_EQ(events, 0);
}

TEST_F(Frame, FocusingAControlOutOfViewScrollsTheFrame) {
    TForm* form = NewForm(400, 300);
    TToolFrame* frame = Create<TToolFrame>(Owner());
    frame->SetBounds(0, 0, 200, 150);
    frame->SetParent(form);
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
    EXPECT_TRUE(frame->VertScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(frame->VertScrollBar()->Position(), 0);

    ASSERT_TRUE(FocusOn(frame->last));
    EXPECT_GT(frame->VertScrollBar()->Position(), 0);
    EXPECT_GE(frame->last->Top(), 0);
    EXPECT_LE(frame->last->Top() + frame->last->Height(), frame->ClientHeight());

    // The focus path that leaves the scroll position alone.
    frame->VertScrollBar()->SetPosition(0);
    frame->first->SetFocus();
    form->FocusWithoutScrolling(frame->last);
    EXPECT_EQ(::GetFocus(), frame->last->Handle());
    EXPECT_EQ(frame->VertScrollBar()->Position(), 0);
    EXPECT_EQ(form->ActiveControl(), frame->last);
    // A frame without AutoScroll never scrolls by itself.
    frame->SetAutoScroll(false);
    frame->first->SetFocus();
    frame->last->SetFocus();
    EXPECT_EQ(frame->VertScrollBar()->Position(), 0);
}

}  // namespace
