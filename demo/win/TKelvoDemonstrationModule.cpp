#include "demo/win/TKelvoDemonstrationModule.h"

#include "app/core/TKelvoDocument.h"
#include "app/core/TKelvoLocalizer.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "app/win/KelvoProgramMainForm.h"
#include "app/win/KelvoStartupTrace.h"
#include "app/win/TKelvoApplication.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoToolPanelModule.h"
#include "app/win/TMainForm.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/core/CodePages.h"
#include "demo/core/IKelvoLanguageIds.h"
#include <cwchar>
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TApplication.h"
#include "demo/win/TKelvoDemonstrationForm.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinToolbar.h"
#include "toolbar/core/TTBRootItem.h"
#include "toolbar/win/TTBItemViewer.h"
#include "toolbar/win/TTBView.h"

namespace {

constexpr std::uint32_t kNodeId = 1;
constexpr TGUID kNodeKey = TGUID::Parse("{2032DB53-FE8E-4FB8-8457-43C5430C9D6B}");
constexpr std::uint32_t kShowAtStartUpItem = 1;

constexpr unsigned kQuestion = MB_YESNO | MB_ICONQUESTION;

TKelvoDemonstrationModule* instance = nullptr;

// The scripts' texts in the program's language: the localizer's ids, and each language's ANSI code page from the
// system's locale table.
class TLocalizerLanguages : public IKelvoLanguageIds {
public:
    std::uint16_t GetCurrentLanguageId() const override { return ::GetCurrentLanguageId(); }
    std::uint16_t GetBaseLanguageId() const override { return ::GetBaseLanguageId(); }
};
const TLocalizerLanguages localizerLanguages;

std::uint32_t AnsiCodePageOf(std::uint16_t languageId) {
    wchar_t text[8]{};
    if (!::GetLocaleInfoW(MAKELCID(languageId, SORT_DEFAULT), LOCALE_IDEFAULTANSICODEPAGE, text, 8)) return 0;
    return static_cast<std::uint32_t>(std::wcstoul(text, nullptr, 10));
}

WideString Caption() { return GetText(KelvoTextDemonstrations, u"Demonstrations"); }

// The centre of a toolbar or menu-bar item on screen, when one of the form's toolbars shows it among its own items.
bool ItemCentre(TMainForm* form, TTBCustomItem* item, TPoint& point) {
    if (!form) return false;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* toolbar = dynamic_cast<TSkinToolbar*>(form->Components(i));
        if (!toolbar || !toolbar->HandleAllocated() || !toolbar->View() ||
            item->Parent() != static_cast<TTBCustomItem*>(toolbar->Items()))
            continue;
        TTBItemViewer* viewer = toolbar->View()->Find(item);
        if (!viewer || !viewer->Show()) continue;
        const TRect bounds = viewer->BoundsRect();
        point = viewer->View()->Window()->ClientToScreen(
            Point(bounds.Left + bounds.Width() / 2, bounds.Top + bounds.Height() / 2));
        return true;
    }
    return false;
}

}  // namespace

TKelvoDemonstrationModule::TKelvoDemonstrationModule(TComponent* owner)
    : TKelvoDemonstrationModule(owner, kelvo::ProgramMainForm("The demonstrations module")) {}

TKelvoDemonstrationModule::TKelvoDemonstrationModule(TComponent* owner, TMainForm* mainForm)
    : TKelvoModuleWithControls(owner), mainForm_(mainForm), resolver_(this, ParticipantsOf(*owner)) {
    instance = this;
    kelvodemo::SetLanguageIds(&localizerLanguages);
    kelvodemo::SetCodePageOfLanguage(&AnsiCodePageOf);
    resolver_.Attach(playback_);
    playback_.Events.OnBeforeStart = [this](bool& cancel) { BeforeStart(cancel); };
    playback_.Events.OnFinish = [this] { Finished(); };
    playback_.Events.OnStopQuery = [this](bool& stop) { StopQuery(stop); };
    playback_.Events.OnError = [this](const AnsiString& message, bool& stop, const AnsiString& line) {
        Error(message, stop, line);
    };
    DemonstrationsMenuItem = mainForm->AddMenuItem(Caption(), 0, mainForm->HelpMenuItem, nullptr, -1,
                                                   MakeMethod<&TKelvoDemonstrationModule::DemonstrationsClick>(this));
}

TKelvoDemonstrationModule::~TKelvoDemonstrationModule() {
    if (instance != this) return;
    instance = nullptr;
    kelvodemo::SetLanguageIds(nullptr);
    kelvodemo::SetCodePageOfLanguage(nullptr);
}

TKelvoDemonstrationModule* TKelvoDemonstrationModule::Instance() { return instance; }

void TKelvoDemonstrationModule::Notification(TComponent* component, TOperation operation) {
    TKelvoModuleWithControls::Notification(component, operation);
    if (operation != opRemove) return;
    targets_.Remove(component);
    if (component == HiddenDuringRun) HiddenDuringRun = nullptr;
}

void TKelvoDemonstrationModule::RegisterTarget(const AnsiString& name, TComponent* component) {
    if (!component) return;
    targets_.Add(name, component);
    component->FreeNotification(this);
}

void TKelvoDemonstrationModule::RegisterCommand(const AnsiString& name, std::function<void()> method) {
    commands_.AddCommand(name, std::move(method));
}

void TKelvoDemonstrationModule::RegisterClickCommand(const AnsiString& name, TNotifyEvent handler, TObject* sender) {
    commands_.AddCommand(name, [handler, sender] {
        if (handler) handler(sender);
    });
}

void TKelvoDemonstrationModule::RegisterButton(const AnsiString& name, TNotifyEvent handler, TComponent* button) {
    RegisterTarget(name, button);
    RegisterClickCommand(name, handler, button);
}

void TKelvoDemonstrationModule::RegisterBooleanCommand(const AnsiString& name, std::function<void(bool)> set,
                                                       bool defaultValue) {
    commands_.AddBoolean(name, std::move(set), defaultValue);
}

void TKelvoDemonstrationModule::RegisterIntegerCommand(const AnsiString& name, std::function<void(std::int32_t)> set,
                                                       std::int32_t defaultValue) {
    commands_.AddInteger(name, std::move(set), defaultValue);
}

void TKelvoDemonstrationModule::RegisterTwoIntegerCommand(const AnsiString& name,
                                                          std::function<void(std::int32_t, std::int32_t)> set,
                                                          std::int32_t default1, std::int32_t default2) {
    commands_.AddTwoIntegers(name, std::move(set), default1, default2);
}

void TKelvoDemonstrationModule::RegisterFloatCommand(const AnsiString& name, std::function<void(double)> set,
                                                     double defaultValue) {
    commands_.AddFloat(name, std::move(set), defaultValue);
}

void TKelvoDemonstrationModule::RegisterColorCommand(const AnsiString& name, std::function<void(std::int32_t)> set,
                                                     std::int32_t defaultValue) {
    commands_.AddColor(name, std::move(set), defaultValue);
}

void TKelvoDemonstrationModule::RecordLine(const AnsiString& text) {
    if (playback_.IsRecording()) playback_.AddLine(text);
}

void TKelvoDemonstrationModule::RecordMouseMove(const AnsiString& target) { RecordLine("MouseCurvedMove " + target); }

void TKelvoDemonstrationModule::RecordCommand(const AnsiString& name, const AnsiString& value) {
    if (!playback_.IsRecording()) return;
    RecordMouseMove(name);
    RecordLine(value.empty() ? name : name + " " + value);
}

bool TKelvoDemonstrationModule::FindTarget(const TKelvoDemoScriptParams& params, TPoint& point) {
    AnsiString name;
    if (!params.GetText(0, name)) return false;
    TComponent* target = targets_.Find(name);
    if (auto* control = dynamic_cast<TControl*>(target)) {
        if (!control->Visible()) return false;
        point = control->ClientToScreen(Point(control->Width() / 2, control->Height() / 2));
        return true;
    }
    if (auto* item = dynamic_cast<TTBCustomItem*>(target)) return ItemCentre(mainForm_, item, point);
    return false;
}

bool TKelvoDemonstrationModule::RunCommand(const AnsiString& word, const TKelvoDemoScriptParams& params,
                                           IKelvoDemoMacro&) {
    return commands_.Run(word, params);
}

bool TKelvoDemonstrationModule::PlayDemo(const WideString& name) {
    TKelvoDemoScript script;
    if (!KelvoLoadDemoScript(DemonstrationsFolder + name + u".dsc", script)) return false;
    playback_.SetScript(script);
    return playback_.Play(0);
}

void TKelvoDemonstrationModule::ShowDemonstrations() {
    if (playback_.IsPlaying() || playback_.IsRecording()) return;
    TKelvoDemonstrationForm::RegisterBuilder();
    TObjectPtr<TKelvoDemonstrationForm> form(Create<TKelvoDemonstrationForm>(nullptr));
    kelvo::StartupMark("demonstrations window and its controls made");
    form->Fill(*this);
    const int result = form->ShowModal();
    SelectedIndex = form->SelectedIndex();
    TKelvoDemoScript* script = form->SelectedScript();
    if (result != mrOk || !script) return;
    // The tools a demonstration drives sit in the tool panel.
    for (int i = 0; i < Owner()->ComponentCount(); ++i)
        if (auto* panel = dynamic_cast<TKelvoToolPanelModule*>(Owner()->Components(i))) panel->SetPanelVisible(true);
    // The next opening offers the following demonstration.
    ++SelectedIndex;
    playback_.SetScript(*script);
    form.reset();
    startedByWindow_ = true;
    if (!playback_.Play(0) || !playback_.IsPlaying()) startedByWindow_ = false;
}

void TKelvoDemonstrationModule::DemonstrationsClick(TObject*) { ShowDemonstrations(); }

void TKelvoDemonstrationModule::ShowAgain() { ShowDemonstrations(); }

void TKelvoDemonstrationModule::ShowAtStart() {
    kelvo::StartupMark("until the demonstrations window's deferred call");
    TKelvoGraphicsEditor* editor = TKelvoGraphicsEditor::Instance();
    if (editor && editor->Documents().PluginMode()) return;
    ShowDemonstrations();
}

void TKelvoDemonstrationModule::BeforeStart(bool& cancel) {
    TKelvoGraphicsEditor* editor = TKelvoGraphicsEditor::Instance();
    if (editor) {
        // What a demonstration opened goes without a question.
        TKelvoDocument* active = editor->Documents().GetActiveDocument();
        if (active && active->NoPrompt() && !active->CloseQuery()) {
            cancel = true;
            return;
        }
    }
    // In plug-in mode the host's image stays open: the program could not open it again afterwards.
    const bool close =
        OfferClose && editor && !editor->Documents().PluginMode() && editor->Documents().GetActiveDocument() != nullptr;
    const bool maximize = OfferMaximize && mainForm_ && mainForm_->WindowState() != wsMaximized;
    // An image with unsaved changes asks its own save question as it closes: that one question decides (Cancel
    // keeps the image, and the demonstration does not start), not a second one after ours.
    const TKelvoDocument* active = close ? editor->Documents().GetActiveDocument() : nullptr;
    const bool asksToSave = active && !active->NoPrompt() && !active->IsSaved() && editor->Documents().AskToSave();
    const bool askClose = close && !asksToSave;
    if (askClose || maximize) {
        const std::int32_t text = askClose && maximize ? KelvoTextCloseMaximizeQuery
                                  : askClose           ? KelvoTextCloseQuery
                                                       : KelvoTextMaximizeQuery;
        if (KelvoApplication->MessageBox(GetText(text), Caption(), kQuestion) != IDYES) {
            cancel = true;
            return;
        }
    }
    while (close && editor->Documents().GetActiveDocument()) {
        if (!editor->Documents().GetActiveDocument()->CloseQuery()) {
            cancel = true;
            return;
        }
    }
    if (maximize) mainForm_->SetWindowState(wsMaximized);
    savedTitle_ = KelvoApplication->GetTitle();
    titleSaved_ = true;
    KelvoApplication->SetTitle(savedTitle_ + u" - " + playback_.Script().GetTitle());
    hidWindow_ = HiddenDuringRun && HiddenDuringRun->Visible();
    if (hidWindow_) HiddenDuringRun->Hide();
}

void TKelvoDemonstrationModule::RunEnded() {
    if (titleSaved_) KelvoApplication->SetTitle(savedTitle_);
    titleSaved_ = false;
    if (hidWindow_ && HiddenDuringRun) HiddenDuringRun->Show();
    hidWindow_ = false;
    if (startedByWindow_) KelvoApplication->PostponedCall(MakeMethod<&TKelvoDemonstrationModule::ShowAgain>(this));
    startedByWindow_ = false;
}

void TKelvoDemonstrationModule::Finished() {
    if (titleSaved_) KelvoApplication->SetTitle(savedTitle_);
    titleSaved_ = false;
    KelvoApplication->MessageBox(GetText(KelvoTextDemoFinished, u"The demonstration is finished."), Caption(),
                                 MB_OK | MB_ICONINFORMATION);
    RunEnded();
}

void TKelvoDemonstrationModule::StopQuery(bool& stop) {
    stop = KelvoApplication->MessageBox(GetText(KelvoTextStopQuery, u"Do you want to stop the demonstration?"),
                                        Caption(), kQuestion) == IDYES;
    if (stop) RunEnded();
}

void TKelvoDemonstrationModule::Error(const AnsiString& message, bool& stop, const AnsiString& line) {
    const TKelvoDemoScript& script = playback_.Script();
    KelvoApplication->MessageBox(script.DecodeText(message) + u"\n" + script.DecodeText(line), Caption(),
                                 MB_OK | MB_ICONERROR);
    stop = true;
    RunEnded();
}

void TKelvoDemonstrationModule::Localize() { DemonstrationsMenuItem->SetCaption(Caption()); }

void TKelvoDemonstrationModule::UpdateState() {
    const bool enabled = !playback_.IsPlaying();
    if (DemonstrationsMenuItem->Enabled() != enabled) DemonstrationsMenuItem->SetEnabled(enabled);
}

void TKelvoDemonstrationModule::Start() {
    TKelvoModuleWithControls::Start();
    // After the editor's start, which opened the file of the command line: in plug-in mode the program is there
    // for the host's image alone.
    TKelvoGraphicsEditor* editor = TKelvoGraphicsEditor::Instance();
    if (ShowAtStartUp && !(editor && editor->Documents().PluginMode()))
        KelvoApplication->PostponedCall(MakeMethod<&TKelvoDemonstrationModule::ShowAtStart>(this));
}

void TKelvoDemonstrationModule::LoadState(TKelvoSDFReader& reader) {
    if (!reader.OpenNode(kNodeId, kNodeKey)) return;
    TScopeExit close([&] { reader.CloseNode(); });
    reader.ReadBool(kShowAtStartUpItem, ShowAtStartUp);
}

void TKelvoDemonstrationModule::SaveState(TKelvoSDFWriter& writer) {
    writer.BeginNode(kNodeId, kNodeKey);
    writer.WriteBool(kShowAtStartUpItem, ShowAtStartUp);
    writer.EndNode();
}
