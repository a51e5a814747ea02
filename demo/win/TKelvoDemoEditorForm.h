// The demonstration script editor: a developer's window for writing and recording scripts. One tab per section
// of the script (languages among them) over a memo with the section's lines; New, Open and Save; Play and
// Record through the program's playback (while the editor plays, it answers the playback's end, stop and
// errors itself; while it records, every participant of the program writes its lines); Add and Delete
// Language; the message text of recorded "Message" lines and whether they are recorded.
#pragma once
#include <cstdint>

#include "app/win/TKelvoForm.h"
#include "classlib/win/TMemo.h"
#include "demo/core/TKelvoDemoPlayback.h"
#include "demo/core/TKelvoDemoScriptEdit.h"
#include "unicode/win/UniStdControl.h"

class TKelvoDemonstrationModule;
class TUniButton;
class TUniCheckBox;
class TUniComboBox;
class TUniTabControl;

// The script's lines in a wide multi-line edit.
class TKelvoScriptMemo : public uni::TUniWindowed<TMemo> {
    CLASSLIB_COMPONENT(TKelvoScriptMemo, TMemo)
    explicit TKelvoScriptMemo(TComponent* owner) : TUniWindowed(owner, L"EDIT") {}
};

class TKelvoDemoEditorForm : public TKelvoForm {
    CLASSLIB_COMPONENT(TKelvoDemoEditorForm, TKelvoForm)

    explicit TKelvoDemoEditorForm(TComponent* owner);
    static void RegisterBuilder();

    // Binds the form to the program's demonstrations: placed against the main window's docks, an empty script,
    // the module's message text.
    void Attach(TKelvoDemonstrationModule& module);

    void CmNew(TObject* = nullptr);
    void CmOpen(TObject* = nullptr);
    void CmSave(TObject* = nullptr);
    void CmPlay(TObject* = nullptr);
    void CmRecord(TObject* = nullptr);
    void CmStop(TObject* = nullptr);
    void CmExit(TObject* = nullptr);
    void CmAddLanguage(TObject* = nullptr);
    void CmDeleteLanguage(TObject* = nullptr);

    // What Open and Save do with the name chosen in their dialogs; false when the file cannot be read or written.
    bool OpenFile(const WideString& fileName);
    bool SaveFile(const WideString& fileName);
    // Add Language with a typed text (what the dialog's OK hands on).
    void AddLanguage(const WideString& text);

    TKelvoDemoScriptEdit& Edit() { return edit_; }
    // The memo's text goes into the current tab's section.
    void StoreMemo();

    void UpdateState() override;

    TUniButton* NewButton = nullptr;
    TUniButton* OpenButton = nullptr;
    TUniButton* SaveButton = nullptr;
    TUniButton* PlayButton = nullptr;
    TUniButton* RecordButton = nullptr;
    TUniButton* StopButton = nullptr;
    TUniButton* AddLanguageButton = nullptr;
    TUniButton* DeleteLanguageButton = nullptr;
    TUniCheckBox* ShowMessagesCheckBox = nullptr;
    TUniComboBox* MessageComboBox = nullptr;
    TUniTabControl* SectionTabs = nullptr;
    TKelvoScriptMemo* Memo = nullptr;

private:
    static void Build(TComponent* root);
    // Tabs from the section names, every selection (0, 0), the Script tab shown.
    void RefreshTabs();
    void ShowTab(std::int32_t tab);
    void TabsChanging(TObject*, bool& allow);
    void TabsChange(TObject*);
    void MessageChange(TObject*);
    void ShowMessagesClick(TObject*);
    // The message text becomes one of the list's, at its top, when the list does not hold it.
    void AcceptMessage();
    void RunEnded();
    void RecordStarted();
    void RecordStopped();

    TKelvoDemonstrationModule* module_ = nullptr;
    TKelvoDemoScriptEdit edit_;
    std::int32_t tab_ = -1;
    TKelvoDemoPlaybackEvents saved_;
};
