// The module, form and frame bases: when their hooks run, the language switch reaching them again, and
// the frame's switch over all its controls.
#include "app/core/KelvoStateWalk.h"
#include "app/core/TKelvoLocalizer.h"
#include "app/win/KelvoFiles.h"
#include "app/win/KelvoLanguageFolder.h"
#include "app/win/TKelvoForm.h"
#include "app/win/TKelvoFrame.h"
#include "app/win/TKelvoModuleWithControls.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/FormBuilder.h"
#include "classlib/win/TButton.h"
#include "classlib/win/TPanel.h"
#include "tests/support/TestSupport.h"
#include "tests/app/gui/KelvoAppTestSupport.h"

using kelvotest::Errors;
using kelvotest::KelvoAppTest;

namespace {

std::string hookLog;

template <class Base>
class TLogged : public Base {
public:
    explicit TLogged(TComponent* owner, char name = '?') : Base(owner), name_(name) {}
    // The language's word for "File" (text 1), fetched as the forms and frames fetch their texts.
    void Localize() override { hookLog += std::string("L") + name_ + char(GetText(1, u"?")[0]) + " "; }
    void Start() override { hookLog += std::string("S") + name_ + " "; }

private:
    char name_;
};

class TLoggedModule : public TLogged<TKelvoModuleWithControls> {
    CLASSLIB_CLASS(TLoggedModule, TKelvoModuleWithControls)
    using TLogged::TLogged;
};
class TLoggedForm : public TLogged<TKelvoForm> {
    CLASSLIB_CLASS(TLoggedForm, TKelvoForm)
    using TLogged::TLogged;
};
class TLoggedFrame : public TLogged<TKelvoFrame> {
    CLASSLIB_CLASS(TLoggedFrame, TKelvoFrame)
    using TLogged::TLogged;
};

// A localizer over English (1033) and German (1031) for the test's time.
class TTwoLanguages : public kelvotest::TTestLanguages {
public:
    TTwoLanguages()
        : TTestLanguages({{u"en.ini", "[Language]\nLangId=1033\nLanguage=English\n[Strings]\n1=File\n"},
                          {u"de.ini", "[Language]\nLangId=1031\nLanguage=Deutsch\n[Strings]\n1=Datei\n"}}) {}
};

}  // namespace

TEST_F(KelvoAppTest, ModulesFormsAndFramesLocalizeAtInitializeAndAgainAfterEverySwitch) {
    RegisterFormBuilder(TLoggedForm::StaticClass(), [](TComponent*) {});
    RegisterFormBuilder(TLoggedFrame::StaticClass(), [](TComponent*) {});
    TTwoLanguages languages;
    const LCID locale = ::GetThreadLocale();
    hookLog.clear();
    // Created by the program at start: owned by Application, initialised by the walk only.
    TLoggedModule* module = Create<TLoggedModule>(Application, 'm');
    TLoggedFrame* appFrame = Create<TLoggedFrame>(Application, 'a');
    EXPECT_EQ(hookLog, "");
    EXPECT_FALSE(appFrame->ControlsEnabled());
    // Created at run time by another component: initialised at construction.
    TObjectPtr<TComponent> owner = MakeObject<TComponent>(nullptr);
    TLoggedForm* form = Create<TLoggedForm>(owner.get(), 'f');
    TLoggedFrame* frame = Create<TLoggedFrame>(form, 'r');
    EXPECT_EQ(hookLog, "LfF LrF ");
    EXPECT_TRUE(frame->ControlsEnabled());

    hookLog.clear();
    LoadComponentStates(*Application, nullptr, nullptr);
    EXPECT_EQ(hookLog, "LmF LaF Sm Sa ");  // Localize once at Initialize, before any Start

    hookLog.clear();
    SetLanguage(1031);
    EXPECT_EQ(hookLog, "LfD LrD LmD LaD ");  // in the order they registered
    EXPECT_EQ(GetText(1), u"Datei");

    // Gone components hear no more.
    Free(frame);
    Free(module);
    hookLog.clear();
    SetLanguage(1033);
    EXPECT_EQ(hookLog, "LfF LaF ");
    Free(appFrame);
    Free(form);
    ::SetThreadLocale(locale);
    EXPECT_TRUE(Errors().messages.empty());
}

TEST_F(KelvoAppTest, SetControlsEnabledReachesEveryControlOfTheFrameOnce) {
    RegisterFormBuilder(TLoggedFrame::StaticClass(), [](TComponent*) {});
    TObjectPtr<TComponent> owner = MakeObject<TComponent>(nullptr);
    TLoggedFrame* frame = Create<TLoggedFrame>(owner.get(), 'r');
    TPanel* panel = Create<TPanel>(frame);
    panel->SetParent(frame);
    TButton* inner = Create<TButton>(frame);
    inner->SetParent(panel);
    TButton* direct = Create<TButton>(frame);
    direct->SetParent(frame);

    frame->SetControlsEnabled(false);
    EXPECT_FALSE(panel->Enabled());
    EXPECT_FALSE(inner->Enabled());
    EXPECT_FALSE(direct->Enabled());
    EXPECT_TRUE(frame->Enabled());
    // The same value again does nothing: a button enabled meanwhile stays so.
    direct->SetEnabled(true);
    frame->SetControlsEnabled(false);
    EXPECT_TRUE(direct->Enabled());
    frame->SetControlsEnabled(true);
    EXPECT_TRUE(panel->Enabled());
    EXPECT_TRUE(inner->Enabled());
}
