#include "demo/win/TKelvoDemoEditorForm.h"

#include <algorithm>

#include "app/win/TKelvoApplication.h"
#include "app/win/TMainForm.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/FormBuilder.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TMemo.h"
#include "demo/core/TKelvoDemoResolver.h"
#include "demo/win/TAddLangForm.h"
#include "demo/win/TKelvoDemonstrationModule.h"
#include "classlib/core/TFileStream.h"
#include "themed/win/TSkinDock.h"
#include "themed/win/TSkinMultiDock.h"
#include "unicode/win/TUniButton.h"
#include "unicode/win/TUniCheckBox.h"
#include "unicode/win/TUniComboBox.h"
#include "unicode/win/TUniEdit.h"
#include "unicode/win/TUniFileStream.h"
#include "unicode/win/TUniOpenDialog.h"
#include "unicode/win/TUniSaveDialog.h"
#include "unicode/win/TUniTabControl.h"

namespace {

constexpr const char16_t* kFilter = u"Demo Script (*.dsc)|*.dsc";

TUniButton* MakeButton(TKelvoDemoEditorForm* form, const char16_t* caption, int left, int top, int width,
                       TNotifyEvent click) {
    auto* button = Create<TUniButton>(form);
    button->SetParent(form);
    button->SetBounds(left, top, width, 23);
    button->SetCaption(caption);
    button->OnClick = click;
    return button;
}

template <auto Method>
TNotifyEvent Command(TKelvoDemoEditorForm* form) {
    return MakeMethod<Method>(form);
}

void Enable(TControl* control, bool enabled) {
    if (control->Enabled() != enabled) control->SetEnabled(enabled);
}

}  // namespace

TKelvoDemoEditorForm::TKelvoDemoEditorForm(TComponent* owner) : TKelvoForm(owner) {}

void TKelvoDemoEditorForm::RegisterBuilder() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    RegisterFormBuilder(StaticClass(), &TKelvoDemoEditorForm::Build);
}

void TKelvoDemoEditorForm::Build(TComponent* root) {
    auto* form = static_cast<TKelvoDemoEditorForm*>(root);
    form->SetCaption(u"Demo Script");
    form->SetBorderStyle(bsSizeToolWin);
    form->Font()->SetName("Tahoma");
    form->Font()->SetHeight(-11);
    form->HandleNeeded();
    form->SetClientWidth(332);
    form->SetClientHeight(400);

    form->NewButton = MakeButton(form, u"New", 4, 4, 52, Command<&TKelvoDemoEditorForm::CmNew>(form));
    form->OpenButton = MakeButton(form, u"Open", 58, 4, 52, Command<&TKelvoDemoEditorForm::CmOpen>(form));
    form->SaveButton = MakeButton(form, u"Save", 112, 4, 52, Command<&TKelvoDemoEditorForm::CmSave>(form));
    form->PlayButton = MakeButton(form, u"Play", 166, 4, 52, Command<&TKelvoDemoEditorForm::CmPlay>(form));
    form->RecordButton = MakeButton(form, u"Record", 220, 4, 52, Command<&TKelvoDemoEditorForm::CmRecord>(form));
    form->StopButton = MakeButton(form, u"Stop", 274, 4, 52, Command<&TKelvoDemoEditorForm::CmStop>(form));
    form->AddLanguageButton =
        MakeButton(form, u"Add Language", 4, 30, 96, Command<&TKelvoDemoEditorForm::CmAddLanguage>(form));
    form->DeleteLanguageButton =
        MakeButton(form, u"Delete Language", 102, 30, 96, Command<&TKelvoDemoEditorForm::CmDeleteLanguage>(form));

    form->ShowMessagesCheckBox = Create<TUniCheckBox>(form);
    form->ShowMessagesCheckBox->SetParent(form);
    form->ShowMessagesCheckBox->SetBounds(4, 58, 104, 17);
    form->ShowMessagesCheckBox->SetCaption(u"Show Messages");
    form->ShowMessagesCheckBox->OnClick = MakeMethod<&TKelvoDemoEditorForm::ShowMessagesClick>(form);
    form->MessageComboBox = Create<TUniComboBox>(form);
    form->MessageComboBox->SetName("MessageComboBox");
    form->MessageComboBox->SetParent(form);
    form->MessageComboBox->SetBounds(112, 56, 216, 21);
    form->MessageComboBox->OnChange = MakeMethod<&TKelvoDemoEditorForm::MessageChange>(form);

    form->SectionTabs = Create<TUniTabControl>(form);
    form->SectionTabs->SetParent(form);
    form->SectionTabs->SetBounds(4, 82, 324, 314);
    form->SectionTabs->SetAnchors({akLeft, akTop, akRight, akBottom});
    form->SectionTabs->OnChanging = MakeMethod<&TKelvoDemoEditorForm::TabsChanging>(form);
    form->SectionTabs->OnChange = MakeMethod<&TKelvoDemoEditorForm::TabsChange>(form);
    form->Memo = Create<TKelvoScriptMemo>(form);
    form->Memo->SetParent(form->SectionTabs);
    form->Memo->SetBounds(4, 26, 316, 284);
    form->Memo->SetAnchors({akLeft, akTop, akRight, akBottom});
    form->Memo->SetScrollBars(ssBoth);
    form->Memo->SetWordWrap(false);
}

void TKelvoDemoEditorForm::Attach(TKelvoDemonstrationModule& module) {
    module_ = &module;
    if (TMainForm* main = dynamic_cast<TMainForm*>(Application->MainForm())) {
        // Below the main window's top docks and against its right ones.
        const int top = main->Top() + main->TopDock->Height() + main->TopMultiDock->Height() + 4;
        const int left =
            main->Left() + main->Width() - Width() - main->RightDock->Width() - main->RightMultiDock->Width() - 4;
        SetBounds(std::max(left, 0), std::max(top, 0), Width(), Height());
    }
    CmNew();
    MessageComboBox->SetText(Utf8Decode(module.Playback().MessageText()));
}

void TKelvoDemoEditorForm::RefreshTabs() {
    edit_.ResetSelections();
    TUniStrings* tabs = SectionTabs->Tabs();
    tabs->BeginUpdate();
    tabs->Clear();
    for (std::int32_t i = 0; i < edit_.TabCount(); ++i) tabs->Add(AnsiToWide(edit_.TabName(i)));
    tabs->EndUpdate();
    tab_ = -1;
    const std::int32_t script = edit_.ScriptTab();
    SectionTabs->SetTabIndex(script);
    ShowTab(script);
}

void TKelvoDemoEditorForm::ShowTab(std::int32_t tab) {
    tab_ = tab;
    if (tab < 0) return;
    Memo->SetText(edit_.Text(tab));
    const TKelvoDemoTabSelection selection = edit_.Selection(tab);
    Memo->SetSelStart(selection.Start);
    Memo->SetSelLength(selection.Length);
}

void TKelvoDemoEditorForm::StoreMemo() {
    if (tab_ < 0 || tab_ >= edit_.TabCount()) return;
    edit_.StoreText(tab_, Memo->Text());
    edit_.SetSelection(tab_, {Memo->SelStart(), Memo->SelLength()});
}

void TKelvoDemoEditorForm::TabsChanging(TObject*, bool&) { StoreMemo(); }

void TKelvoDemoEditorForm::TabsChange(TObject*) { ShowTab(SectionTabs->TabIndex()); }

void TKelvoDemoEditorForm::CmNew(TObject*) {
    edit_.New();
    RefreshTabs();
}

void TKelvoDemoEditorForm::CmOpen(TObject*) {
    TObjectPtr<TUniOpenDialog> dialog = MakeObject<TUniOpenDialog>(this);
    dialog->SetFilter(kFilter);
    dialog->SetDefaultExt(u"dsc");
    if (dialog->Execute(Handle())) OpenFile(dialog->FileName());
}

bool TKelvoDemoEditorForm::OpenFile(const WideString& fileName) {
    TKelvoDemoScript script;
    try {
        TUniFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
        script.LoadFromStream(stream);
    } catch (const Exception&) {
        return false;
    }
    edit_.Adopt(script);
    RefreshTabs();
    return true;
}

void TKelvoDemoEditorForm::CmSave(TObject*) {
    StoreMemo();
    TObjectPtr<TUniSaveDialog> dialog = MakeObject<TUniSaveDialog>(this);
    dialog->SetFilter(kFilter);
    dialog->SetDefaultExt(u"dsc");
    if (dialog->Execute(Handle())) SaveFile(dialog->FileName());
}

bool TKelvoDemoEditorForm::SaveFile(const WideString& fileName) {
    StoreMemo();
    try {
        TUniFileStream stream(fileName, fmCreate);
        edit_.Script().SaveToStream(stream);
    } catch (const Exception&) {
        return false;
    }
    return true;
}

void TKelvoDemoEditorForm::CmPlay(TObject*) {
    if (!module_) return;
    TKelvoDemoPlayback& playback = module_->Playback();
    if (playback.IsPlaying() || playback.IsRecording()) return;
    StoreMemo();
    // The editor answers the run itself; the demonstrations window's question before a run does not apply.
    saved_.OnFinish = playback.Events.OnFinish;
    saved_.OnStopQuery = playback.Events.OnStopQuery;
    saved_.OnError = playback.Events.OnError;
    saved_.OnBeforeStart = playback.Events.OnBeforeStart;
    playback.Events.OnBeforeStart = nullptr;
    playback.Events.OnFinish = [this] { RunEnded(); };
    playback.Events.OnStopQuery = [this](bool& stop) {
        if (stop) RunEnded();
    };
    playback.Events.OnError = [this](const AnsiString& message, bool& stop, const AnsiString& line) {
        KelvoApplication->MessageBox(Utf8Decode(message + "\n" + line), u"Demo Script", MB_OK | MB_ICONERROR);
        stop = true;
        RunEnded();
    };
    playback.SetScript(edit_.Script());
    Hide();
    if (!playback.Play(0) || !playback.IsPlaying()) RunEnded();
}

void TKelvoDemoEditorForm::RunEnded() {
    TKelvoDemoPlayback& playback = module_->Playback();
    playback.Events.OnFinish = saved_.OnFinish;
    playback.Events.OnStopQuery = saved_.OnStopQuery;
    playback.Events.OnError = saved_.OnError;
    playback.Events.OnBeforeStart = saved_.OnBeforeStart;
    Show();
}

void TKelvoDemoEditorForm::CmRecord(TObject*) {
    if (!module_) return;
    TKelvoDemoPlayback& playback = module_->Playback();
    if (playback.IsPlaying() || playback.IsRecording()) return;
    StoreMemo();
    AcceptMessage();
    playback.SetScript(edit_.Script());
    saved_.OnRecordStart = playback.Events.OnRecordStart;
    saved_.OnRecordStop = playback.Events.OnRecordStop;
    saved_.OnRecordLine = playback.Events.OnRecordLine;
    playback.Events.OnRecordStart = [this] { RecordStarted(); };
    playback.Events.OnRecordStop = [this] { RecordStopped(); };
    playback.Events.OnRecordLine = nullptr;
    playback.StartRecording(-1);
}

void TKelvoDemoEditorForm::RecordStarted() {
    for (IKelvoDemoParticipant* participant : ParticipantsOf (*Application)())
        participant->SetRecorder(&module_->Playback());
    Memo->SetEnabled(false);
}

void TKelvoDemoEditorForm::RecordStopped() {
    TKelvoDemoPlayback& playback = module_->Playback();
    for (IKelvoDemoParticipant* participant : ParticipantsOf (*Application)()) participant->ClearRecorder();
    playback.Events.OnRecordStart = saved_.OnRecordStart;
    playback.Events.OnRecordStop = saved_.OnRecordStop;
    playback.Events.OnRecordLine = saved_.OnRecordLine;
    // The recorded lines are the playback's; the tabs keep their place.
    edit_.Script().Assign(playback.Script());
    Memo->SetEnabled(true);
    ShowTab(tab_);
}

void TKelvoDemoEditorForm::CmStop(TObject*) {
    if (!module_) return;
    TKelvoDemoPlayback& playback = module_->Playback();
    if (playback.IsPlaying())
        playback.Stop();
    else if (playback.IsRecording())
        playback.StopRecording();
}

void TKelvoDemoEditorForm::CmExit(TObject*) { Close(); }

void TKelvoDemoEditorForm::CmAddLanguage(TObject*) {
    TAddLangForm::RegisterBuilder();
    TObjectPtr<TAddLangForm> dialog(Create<TAddLangForm>(nullptr));
    if (dialog->ShowModal() == mrOk) AddLanguage(dialog->LangIdEdit->Text());
}

void TKelvoDemoEditorForm::AddLanguage(const WideString& text) {
    StoreMemo();
    bool added = false;
    const std::int32_t tab = edit_.AddLanguage(WideToAnsi(text), added);
    if (tab < 0) return;
    if (added) {
        RefreshTabs();
        Memo->SetText(u"");
    }
    SectionTabs->SetTabIndex(tab);
    ShowTab(tab);
}

void TKelvoDemoEditorForm::CmDeleteLanguage(TObject*) {
    const std::int32_t tab = SectionTabs->TabIndex();
    StoreMemo();
    if (edit_.DeleteLanguage(tab)) RefreshTabs();
}

void TKelvoDemoEditorForm::MessageChange(TObject*) {
    if (module_) module_->Playback().SetMessageText(Utf8Encode(MessageComboBox->Text()));
}

void TKelvoDemoEditorForm::AcceptMessage() {
    const WideString text = MessageComboBox->Text();
    if (text.empty() || MessageComboBox->Items()->IndexOf(text) >= 0) return;
    MessageComboBox->Items()->Insert(0, text);
    MessageComboBox->SetText(text);
}

void TKelvoDemoEditorForm::ShowMessagesClick(TObject*) {
    if (module_) module_->Playback().SetShowMessages(ShowMessagesCheckBox->Checked());
}

void TKelvoDemoEditorForm::UpdateState() {
    if (!module_) return;
    TKelvoDemoPlayback& playback = module_->Playback();
    const bool busy = playback.IsPlaying() || playback.IsRecording();
    Enable(PlayButton, !busy);
    Enable(RecordButton, !busy);
    Enable(StopButton, busy);
    const std::int32_t tab = SectionTabs->TabIndex();
    Enable(DeleteLanguageButton,
           !busy && tab >= 0 && tab < edit_.TabCount() && KelvoDemoSectionDeletable(edit_.TabName(tab)));
    if (ShowMessagesCheckBox->Checked() != playback.ShowMessages())
        ShowMessagesCheckBox->SetChecked(playback.ShowMessages());
    Enable(MessageComboBox, playback.ShowMessages());
}
