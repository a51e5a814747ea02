#include "app/win/TKelvoApplication.h"

#include "app/core/KelvoStateWalk.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/win/KelvoFiles.h"
#include "app/win/KelvoStartupTrace.h"
#include "app/win/KelvoUniLayer.h"
#include "classlib/core/Stream.h"
#include "classlib/core/UnitRegistry.h"
#include "classlib/win/TCustomForm.h"
#include "unicode/win/WideFiles.h"

TKelvoApplication* KelvoApplication = nullptr;

namespace {
// A state file holds a few kilobytes; the reader looks at no more than this of a larger one anyway.
constexpr std::size_t kMaxStateFileBytes = std::size_t(TKelvoSDFReader::MaxBytes);
}  // namespace

TKelvoApplication::TKelvoApplication(TComponent* owner)
    : TComponent(owner), deferred_(MakeMethod<&TKelvoApplication::PostDeferredCallMessage>(this)) {
    if (Application) Application->OnIdle = MakeMethod<&TKelvoApplication::ApplicationIdle>(this);
}

TKelvoApplication::~TKelvoApplication() {
    if (Application && Application->OnIdle == MakeMethod<&TKelvoApplication::ApplicationIdle>(this))
        Application->OnIdle = nullptr;
}

void TKelvoApplication::Initialize() { Application->Initialize(); }

TComponent* TKelvoApplication::CreateModuleNoRef(TClass cls) {
    TComponent* module = nullptr;
    CreateModule(cls, module);
    return module;
}

void TKelvoApplication::Run() {
    LoadState();
    kelvo::StartupMark("state walk: load, initialise, start");
    Application->SetShowHint(runFlag_);
    if (runFlag_) {
        // Shown here rather than by the loop (which then finds it visible), so that the trace tells the making of
        // the windows apart from their first paint.
        if (TCustomForm* main = Application->MainForm(); main && Application->ShowMainForm()) main->SetVisible(true);
        kelvo::StartupMark("main window and its controls shown");
        Application->Run();
    }
    SaveState();
}

void TKelvoApplication::AddIdleListener(TKelvoMethod listener) { idleListeners_.Add(listener); }

void TKelvoApplication::RemoveIdleListener(TKelvoMethod listener) { idleListeners_.Remove(listener); }

void TKelvoApplication::ApplicationIdle(TObject* sender, bool& done) {
    static bool firstIdle = true;
    if (firstIdle) {
        firstIdle = false;
        kelvo::StartupMark("main window shown and painted, first idle");
    }
    if (OnIdle) OnIdle(sender, done);
    if (!done) return;
    idleListeners_.CallEach(MakeMethod<&TKelvoApplication::ReportError>(this));
}

void TKelvoApplication::ReportError() { Application->HandleException(this); }

void TKelvoApplication::PostponedCall(TKelvoMethod call) {
    if (!Application->MainForm()) return;
    deferred_.Queue(call);
}

void TKelvoApplication::PostDeferredCallMessage() {
    if (TCustomForm* main = Application->MainForm()) ::PostMessageW(main->Handle(), KelvoDeferredCallMessage, 0, 0);
}

void TKelvoApplication::RunPostponedCall() { deferred_.RunNext(); }

int TKelvoApplication::GetComponentCount() const { return Application->ComponentCount(); }

TComponent* TKelvoApplication::GetComponent(int index) const { return Application->Components(index); }

WideString TKelvoApplication::GetStateFileName() const {
    return ComposeStateFileName(uni::ProgramFileName(), kelvo::ApplicationDataFolder(Application->Handle()));
}

void TKelvoApplication::LoadState() {
    // The reader keeps positions into its own copy of the bytes, so the file is read whole first.
    AnsiString bytes;
    std::unique_ptr<TKelvoSDFReader> reader;
    TMemoryStream content;
    const bool read = kelvo::ReadFileBytes(GetStateFileName(), bytes, kMaxStateFileBytes);
    kelvo::StartupMark("state file read");
    if (read) {
        content.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
        content.SetPosition(0);
        reader = std::make_unique<TKelvoSDFReader>(&content);
    }
    LoadComponentStates(*Application, reader.get(), MakeMethod<&TKelvoApplication::ReportError>(this));
}

void TKelvoApplication::SaveState() {
    TMemoryStream content;
    SaveComponentStates(*Application, content, MakeMethod<&TKelvoApplication::ReportError>(this));
    if (content.Size() == 0) return;
    kelvo::ReplaceFileContent(GetStateFileName(), content.Memory(), std::size_t(content.Size()));
}

int TKelvoApplication::MessageBox(const WideString& text, const WideString& caption, unsigned flags) {
    return kelvo::ApplicationMessageBox(text, caption, flags);
}

int TKelvoApplication::MessageBoxTitled(const WideString& text, unsigned flags) {
    return MessageBox(text, GetTitle(), flags);
}

WideString TKelvoApplication::GetTitle() const { return kelvo::ApplicationTitle(); }

void TKelvoApplication::SetTitle(const WideString& title) {
    kelvo::SetApplicationTitle(title);
    if (OnTitleChange) OnTitleChange(this);
}

void RegisterKelvoApplicationUnit() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    classlib::RegisterUnit(
        "KelvoApplication", [] { KelvoApplication = Create<TKelvoApplication>(nullptr); },
        [] { FreeAndNil(KelvoApplication); }, KelvoApplicationUnitOrder);
}
