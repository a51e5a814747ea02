// The application object with real windows: the state file's place and bytes, deferred calls through the
// main form's messages, and the idle pass.
#include <shlobj.h>

#include <stdexcept>

#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "app/win/KelvoFiles.h"
#include "app/win/TKelvoForm.h"
#include "app/win/TKelvoModuleWithControls.h"
#include "classlib/core/FormBuilder.h"
#include "unicode/core/WidePaths.h"
#include "tests/classlib/gui/ApplicationTestSupport.h"
#include "classlib/win/WideChars.h"
#include "tests/app/gui/KelvoAppTestSupport.h"

using kelvotest::Errors;
using kelvotest::KelvoAppTest;

namespace {

constexpr TGUID kModuleKey = TGUID::Parse("{8E85B1DA-44F0-4B60-B45D-21D0EBC05E33}");

class TStateModule;
TStateModule* publishedModule = nullptr;
std::string moduleLog;

class TStateModule : public TKelvoModule {
    CLASSLIB_COMPONENT(TStateModule, TKelvoModule)
    explicit TStateModule(TComponent* owner) : TKelvoModule(owner) {
        // The reference is there before the constructor runs.
        publishedBeforeConstruction = publishedModule == this;
    }
    void Localize() override { moduleLog += "Z"; }
    void Initialize() override {
        moduleLog += "I";
        TKelvoModule::Initialize();
    }
    void Start() override { moduleLog += "S"; }
    void LoadState(TKelvoSDFReader& reader) override {
        if (!reader.OpenNode(7, kModuleKey)) return;
        reader.ReadInteger(1, value);
        reader.CloseNode();
    }
    void SaveState(TKelvoSDFWriter& writer) override {
        writer.BeginNode(7, kModuleKey);
        writer.WriteInteger(1, value);
        writer.EndNode();
    }
    std::int32_t value = 0;
    bool publishedBeforeConstruction = false;
};

AnsiString StateFileBytes() {
    AnsiString bytes;
    kelvo::ReadFileBytes(KelvoApplication->GetStateFileName(), bytes, 1 << 20);
    return bytes;
}

}  // namespace

TEST_F(KelvoAppTest, StateFileLivesInTheApplicationDataFolderAndHoldsEachModulesNode) {
    wchar_t folder[MAX_PATH] = {};
    ASSERT_TRUE(::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, FALSE));
    const WideString name = KelvoApplication->GetStateFileName();
    EXPECT_EQ(name, FromWideChars(folder) + u"\\app_gui_tests\\app_gui_tests.cfg");
    ::DeleteFileW(WideCStr(name));

    KelvoApplication->CreateModule(TStateModule::StaticClass(), publishedModule);
    ASSERT_NE(publishedModule, nullptr);
    EXPECT_TRUE(publishedModule->publishedBeforeConstruction);
    EXPECT_EQ(publishedModule->Owner(), Application);
    publishedModule->value = 300;
    KelvoApplication->SaveState();
    const AnsiString expected = AnsiString("\xD5\x07\x0D\x10", 4) +
                                AnsiString("\xDA\xB1\x85\x8E\xF0\x44\x60\x4B\xB4\x5D\x21\xD0\xEB\xC0\x5E\x33", 16) +
                                AnsiString("\x55\x01\x05\x04\x2C\x01\x00\x00", 8) + AnsiString(1, '\0');
    EXPECT_EQ(StateFileBytes(), expected);
    FreeAndNil(publishedModule);

    // The next run: state read, then Initialize (which localizes at once), then Start.
    KelvoApplication->CreateModule(TStateModule::StaticClass(), publishedModule);
    moduleLog.clear();
    KelvoApplication->LoadState();
    EXPECT_EQ(publishedModule->value, 300);
    EXPECT_EQ(moduleLog, "IZS");
    FreeAndNil(publishedModule);

    // A run in which nobody writes anything leaves the file as it was.
    KelvoApplication->SaveState();
    EXPECT_EQ(StateFileBytes(), expected);
    ::DeleteFileW(WideCStr(name));
    ::RemoveDirectoryW(WideCStr(uni::FilePathOfW(name)));
    EXPECT_TRUE(Errors().messages.empty());
}

namespace {

struct TNoTarget {
    void Call() {}
};

class TDeferredForm : public TKelvoForm {
    CLASSLIB_COMPONENT(TDeferredForm, TKelvoForm)
    explicit TDeferredForm(TComponent* owner) : TKelvoForm(owner) {}

    std::string log;
    // One handler queues three calls; each must run in a message of its own.
    void QueueThree() {
        KelvoApplication->PostponedCall(MakeMethod<&TDeferredForm::A>(this));
        KelvoApplication->PostponedCall(MakeMethod<&TDeferredForm::Raise>(this));
        KelvoApplication->PostponedCall(MakeMethod<&TDeferredForm::C>(this));
    }
    void A() {
        log += "a";
        KelvoApplication->PostponedCall(MakeMethod<&TDeferredForm::D>(this));  // runs after the others
    }
    void Raise() {
        log += "!";
        throw Exception("deferred call failed");
    }
    void C() { log += char(GetText(5, u"c")[0]); }  // a form reaches the texts by number beside its own text
    void D() { log += "d"; }
};

}  // namespace

TEST_F(KelvoAppTest, DeferredCallsRunOnePerMessageInOrderAndARaisingOneHoldsUpNothing) {
    RegisterFormBuilder(TDeferredForm::StaticClass(), [](TComponent*) {});
    ASSERT_EQ(Application->MainForm(), nullptr);
    TNoTarget dropped;
    KelvoApplication->PostponedCall(MakeMethod<&TNoTarget::Call>(&dropped));  // no main form: dropped
    EXPECT_EQ(KelvoApplication->PostponedCount(), 0);

    TDeferredForm* form = nullptr;
    KelvoApplication->CreateForm(TDeferredForm::StaticClass(), form);
    ASSERT_EQ(Application->MainForm(), form);
    form->QueueThree();
    EXPECT_EQ(KelvoApplication->PostponedCount(), 3);
    // One message at a time: each handled message runs exactly one call.
    MSG msg;
    int messages = 0;
    while (::PeekMessageW(&msg, form->Handle(), KelvoDeferredCallMessage, KelvoDeferredCallMessage, PM_REMOVE)) {
        ++messages;
        ::DispatchMessageW(&msg);
        EXPECT_EQ(form->log.size(), std::size_t(messages));
    }
    EXPECT_EQ(form->log, "a!cd");
    EXPECT_EQ(messages, 4);
    EXPECT_EQ(KelvoApplication->PostponedCount(), 0);
    ASSERT_EQ(Errors().messages.size(), 1u);
    EXPECT_EQ(Errors().messages[0], "deferred call failed");
    Free(form);
}

namespace {

int updates = 0;

class TIdleModule : public TKelvoModuleWithControls {
    CLASSLIB_COMPONENT(TIdleModule, TKelvoModuleWithControls)
    explicit TIdleModule(TComponent* owner) : TKelvoModuleWithControls(owner) {}
    void UpdateState() override { ++updates; }
};

struct TIdleVeto : TObject {
    void Veto(TObject*, bool& done) { done = false; }
};

}  // namespace

TEST_F(KelvoAppTest, IdlePassesRefreshModulesUntilOnIdleSaysNotDoneOrTheModuleIsGone) {
    TIdleModule* module = nullptr;
    KelvoApplication->CreateModule(TIdleModule::StaticClass(), module);
    module->Initialize();
    updates = 0;
    bool done = true;
    Application->OnIdle(Application, done);
    EXPECT_EQ(updates, 1);

    TIdleVeto veto;
    KelvoApplication->OnIdle = MakeMethod<&TIdleVeto::Veto>(&veto);
    done = true;
    Application->OnIdle(Application, done);
    EXPECT_FALSE(done);
    EXPECT_EQ(updates, 1);
    KelvoApplication->OnIdle = nullptr;

    Free(module);
    done = true;
    Application->OnIdle(Application, done);
    EXPECT_EQ(updates, 1);
}

namespace {

struct TTitleWatcher : TObject {
    TObject* sender = nullptr;
    void Changed(TObject* s) { sender = s; }
};

}  // namespace

TEST_F(KelvoAppTest, TheWideTitleCaptionsTheApplicationsMessageBoxes) {
    TTitleWatcher watcher;
    KelvoApplication->OnTitleChange = MakeMethod<&TTitleWatcher::Changed>(&watcher);
    const WideString title = u"Vantorel \u03a9\u041f";
    KelvoApplication->SetTitle(title);
    KelvoApplication->OnTitleChange = nullptr;
    EXPECT_EQ(watcher.sender, KelvoApplication);
    EXPECT_EQ(KelvoApplication->GetTitle(), title);

    WideString caption, text;
    apptest::MessageBoxCloser closer([&](HWND box) {
        wchar_t buffer[128] = {};
        ::GetWindowTextW(box, buffer, 128);
        caption = FromWideChars(buffer);
        HWND label = ::GetDlgItem(box, 0xFFFF);
        ::GetWindowTextW(label, buffer, 128);
        text = FromWideChars(buffer);
    });
    EXPECT_EQ(KelvoApplication->MessageBoxTitled(u"\u65e5\u672c", MB_OK), IDOK);
    EXPECT_EQ(caption, title);
    EXPECT_EQ(text, u"\u65e5\u672c");
}
