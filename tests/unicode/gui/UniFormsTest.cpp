// Unicode forms, frames and the Unicode application object on the display.
#include "classlib/core/FormBuilder.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TFont.h"
#include "classlib/win/WideChars.h"
#include "tests/support/RealInput.h"
#include "tests/classlib/gui/ApplicationTestSupport.h"
#include "tests/unicode/gui/UniGuiTestSupport.h"
#include "unicode/win/TUniForm.h"
#include "unicode/win/TUniFrame.h"

using namespace formtest;
using namespace unigui;

namespace {

const WideString kTitle = u"\u0424\u043e\u0440\u043c\u0430 \u03a9 caf\u00e9";

// A form built in code: its builder adds an edit named "Edit1".
class TBuiltUniForm : public TUniForm {
    CLASSLIB_COMPONENT(TBuiltUniForm, TUniForm)
    explicit TBuiltUniForm(TComponent* owner) : TUniForm(owner) {}
};
// A form class nobody registered a builder for.
class TUnbuiltUniForm : public TUniForm {
    CLASSLIB_COMPONENT(TUnbuiltUniForm, TUniForm)
    explicit TUnbuiltUniForm(TComponent* owner) : TUniForm(owner) {}
    TUnbuiltUniForm(TComponent* owner, TNoBuilders) : TUniForm(owner, NoBuilders) {}
};

std::vector<std::string>& FrameLog() {
    static std::vector<std::string> log;
    return log;
}

class TLoggedUniFrame : public TUniFrame {
    CLASSLIB_COMPONENT(TLoggedUniFrame, TUniFrame)
    explicit TLoggedUniFrame(TComponent* owner) : TUniFrame(owner) {}
    void Created(TObject*) { FrameLog().push_back("create " + std::to_string(ComponentCount())); }
    void Destroyed(TObject*) { FrameLog().push_back("destroy"); }
};

void BuildForm(TComponent* root) {
    auto* edit = Create<TWideTestEdit>(root);
    edit->SetName("Edit1");
    edit->SetParent(static_cast<TWinControl*>(root));
}

void BuildFrame(TComponent* root) {
    auto* frame = static_cast<TLoggedUniFrame*>(root);
    Create<TWideTestEdit>(frame)->SetParent(frame);
    frame->OnCreate = MakeMethod<&TLoggedUniFrame::Created>(frame);
    frame->OnDestroy = MakeMethod<&TLoggedUniFrame::Destroyed>(frame);
}

class UniForms : public UniGuiTest {
protected:
    static void SetUpTestSuite() {
        UniGuiTest::SetUpTestSuite();
        RegisterFormBuilder(TBuiltUniForm::StaticClass(), &BuildForm);
        RegisterFormBuilder(TLoggedUniFrame::StaticClass(), &BuildFrame);
    }
    TUniForm* NewUniForm() {
        auto* form = Create<TUniForm>(Owner());
        form->SetBounds(60, 60, 320, 160);
        return form;
    }
};

TEST_F(UniForms, WideCaptionSetBeforeTheWindowShowsInTheTitle) {
    TUniForm* form = NewUniForm();
    form->SetCaption(kTitle);
    ASSERT_FALSE(form->HandleAllocated());
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return form->Showing(); }));
    EXPECT_TRUE(::IsWindowUnicode(form->Handle()));
    EXPECT_EQ(ClassNameW(form->Handle()), u"TUniForm.UnicodeClass");
    EXPECT_EQ(WindowTextW(form->Handle()), kTitle);
    EXPECT_EQ(form->Caption(), kTitle);
    // The library's 8-bit caption is the system's conversion of it.
    EXPECT_EQ(static_cast<TControl*>(form)->Caption(), uni::ToAnsi(kTitle));
}

TEST_F(UniForms, NewFormsTakeTheDefaultFontOfThePrefix) {
    TUniForm* form = NewUniForm();
    EXPECT_EQ(form->Font()->Name(), "Tahoma");
    EXPECT_EQ(form->Font()->Size(), 8);
}

TEST_F(UniForms, FormsAreBuiltByTheirBuildersAndAClassWithoutOneRaises) {
    auto* built = Create<TBuiltUniForm>(Owner());
    ASSERT_NE(built->FindComponent("Edit1"), nullptr);
    EXPECT_TRUE(built->FindComponent("Edit1")->InheritsFrom(TWideTestEdit::StaticClass()));
    try {
        Create<TUnbuiltUniForm>(Owner());
        FAIL() << "no error for a form class without a builder";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource TUnbuiltUniForm not found");
    }
    // The base itself and an empty form need none.
    EXPECT_NO_THROW(Create<TUniForm>(Owner()));
    EXPECT_NO_THROW(Create<TUnbuiltUniForm>(Owner(), NoBuilders));
}

TEST_F(UniForms, TypedOmegaArrivesAsOmegaThroughTheMessageLoop) {
    for (bool uniForm : {true, false}) {
        SCOPED_TRACE(uniForm ? "on a Unicode form" : "on a library form");
        TForm* form = uniForm ? NewUniForm() : NewForm(320, 160);
        auto* edit = Create<TWideTestEdit>(Owner());
        edit->SetBounds(10, 10, 200, 24);
        edit->SetParent(form);
        form->Show();
        ASSERT_TRUE(PumpUntil([&] { return form->Showing(); }));
        // Through the queue and the library's 8-bit loop, which alone would make it "?".
        ::PostMessageW(edit->Handle(), WM_CHAR, 0x03A9, 1);
        ASSERT_TRUE(PumpUntil([&] { return !edit->wideChars.empty(); }));
        EXPECT_EQ(edit->wideChars[0], u'\u03a9');
        EXPECT_EQ(WindowTextW(edit->Handle()), u"\u03a9");
        // Real input: a Unicode key stroke.
        ::SetForegroundWindow(form->Handle());
        edit->SetFocus();
        ASSERT_TRUE(WaitFor("the edit in the foreground with the focus", [&] {
            return ::GetForegroundWindow() == form->Handle() && ::GetFocus() == edit->Handle();
        }));
        // The focus selected the text; the stroke goes after it.
        ::SendMessageW(edit->Handle(), EM_SETSEL, 1, 1);
        testsupport::TypeUnicode(L'\u0416');
        EXPECT_TRUE(PumpUntil([&] { return WindowTextW(edit->Handle()).size() == 2; }))
            << uni::ToAnsi(WindowTextW(edit->Handle()));
        EXPECT_EQ(WindowTextW(edit->Handle()), u"\u03a9\u0416");
        form->Hide();
    }
}

TEST_F(UniForms, FramesFireOnCreateWhenBuiltAndOnDestroyBeforeTheyGo) {
    FrameLog().clear();
    TUniForm* form = NewUniForm();
    auto* frame = Create<TLoggedUniFrame>(Owner());
    ASSERT_EQ(FrameLog(), std::vector<std::string>{"create 1"});
    frame->SetParent(form);
    frame->SetHint(u"\u041a\u0430\u0434\u0440|\u0434\u043b\u0438\u043d\u043d\u044b\u0439");
    EXPECT_TRUE(::IsWindowUnicode(frame->Handle()));
    EXPECT_EQ(frame->Hint(), u"\u041a\u0430\u0434\u0440|\u0434\u043b\u0438\u043d\u043d\u044b\u0439");
    Free(frame);
    EXPECT_EQ(FrameLog(), (std::vector<std::string>{"create 1", "destroy"}));
}

TEST_F(UniForms, ApplicationTitleIsWide) {
    ASSERT_NE(UniApplication, nullptr);
    const WideString before = UniApplication->GetTitle();
    UniApplication->SetTitle(kTitle);
    EXPECT_EQ(UniApplication->GetTitle(), kTitle);
    // The window keeps it wide (what the system shows, read without asking the 8-bit window procedure).
    wchar_t stored[128] = {};
    const int n = ::InternalGetWindowText(Application->Handle(), stored, 128);
    EXPECT_EQ(FromWideChars(stored, static_cast<std::size_t>(n)), kTitle);
    UniApplication->SetTitle(before);
}

TEST_F(UniForms, MessageBoxShowsWideTextAndCaption) {
    const WideString text = u"\u0424\u0430\u0439\u043b \u03a9 \u043d\u0435 \u043d\u0430\u0439\u0434\u0435\u043d";
    WideString seenCaption, seenText;
    apptest::MessageBoxCloser closer([&](HWND box) {
        seenCaption = WindowTextW(box);
        wchar_t buf[256] = {};
        ::GetDlgItemTextW(box, 0xFFFF, buf, 256);
        seenText = FromWideChars(buf);
    });
    EXPECT_EQ(UniApplication->MessageBox(text, kTitle, MB_OK), IDOK);
    EXPECT_EQ(seenCaption, kTitle);
    EXPECT_EQ(seenText, text);
}

TEST_F(UniForms, ApplicationHintActionCarriesTheWideHint) {
    struct Seen : TObject {
        std::vector<WideString> hints;
        void Action(TBasicAction* action, bool&) {
            if (action->InheritsFrom(TUniHintAction::StaticClass())) hints.push_back(uni::GetActionWideHint(action));
        }
    } seen;
    const TActionEvent previous = Application->OnActionExecute;
    Application->OnActionExecute = MakeMethod<&Seen::Action>(&seen);
    const WideString hint = u"\u0421\u043e\u0445\u0440\u0430\u043d\u044f\u0435\u0442 \u03a9";
    UniApplication->SetHint(hint);
    Application->OnActionExecute = previous;
    EXPECT_EQ(UniApplication->GetHint(), hint);
    ASSERT_EQ(seen.hints.size(), 1u);
    EXPECT_EQ(seen.hints[0], hint);
    UniApplication->SetHint(WideString());
}

}  // namespace

namespace {

// An application of its own for the test, made the way the program makes it: the Unicode application
// object hooks it before its window exists.
class UniOwnApplication : public UniGuiTest {};

TEST_F(UniOwnApplication, TitleSetEarlyReachesTheWindowAndMainFormsAndMdiChildrenWork) {
    TApplication* const saved = Application;
    TUniApplication* const savedUni = UniApplication;
    TApplication* app = Create<TApplication>(nullptr);
    app->OnException = saved->OnException;
    Application = app;
    TScopeExit restore([&] {
        Application = saved;
        UniApplication = savedUni;
    });
    TUniApplication* uniApp = Create<TUniApplication>(nullptr);
    UniApplication = uniApp;

    uniApp->SetTitle(kTitle);
    EXPECT_EQ(uniApp->GetTitle(), kTitle);
    EXPECT_EQ(app->Title(), uni::ToAnsi(kTitle));
    app->Initialize();
    wchar_t stored[128] = {};
    const int n = ::InternalGetWindowText(app->Handle(), stored, 128);
    EXPECT_EQ(FromWideChars(stored, static_cast<std::size_t>(n)), kTitle);
    EXPECT_EQ(uniApp->GetTitle(), kTitle);

    // A main form of the library's own gets the control that keeps the wide hint in step while idle.
    TForm* frame = nullptr;
    app->CreateForm(TForm::StaticClass(), frame);
    ASSERT_EQ(app->MainForm(), frame);
    frame->SetBounds(40, 40, 400, 300);
    frame->SetFormStyle(fsMDIForm);
    MSG msg{};
    uniApp->FilterMessage(msg);
    bool placed = false;
    for (int i = 0; i < frame->ControlCount(); ++i)
        placed = placed || frame->Controls(i)->InheritsFrom(TUniAppIdleEventControl::StaticClass());
    EXPECT_TRUE(placed);

    // An MDI child in a Unicode window inside the frame's MDI client.
    frame->Show();
    ASSERT_NE(frame->ClientHandle(), nullptr);
    auto* child = Create<TUniForm>(frame);
    child->SetFormStyle(fsMDIChild);
    child->SetCaption(kTitle);
    child->Show();
    ASSERT_TRUE(child->HandleAllocated());
    EXPECT_TRUE(child->FormState().Contains(fsCreatedMDIChild));
    EXPECT_TRUE(::IsWindowUnicode(child->Handle()));
    EXPECT_EQ(::GetParent(child->Handle()), frame->ClientHandle());
    EXPECT_EQ(WindowTextW(child->Handle()), kTitle);

    Free(uniApp);
    Free(app);
}

}  // namespace
