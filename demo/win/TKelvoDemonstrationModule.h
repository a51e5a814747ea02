// Guided demonstrations in the program: the single playback with its answers to the user (the question
// before a run, the message at its end, Esc, errors), the names that the editor and the tools register for
// scripts, the recording helpers they call, and the Demonstrations menu entry with its window, which also
// comes up at start-up while its show-at-start setting is on.
#pragma once
#include <cstdint>
#include <functional>

#include "app/win/TKelvoModuleWithControls.h"
#include "demo/core/TKelvoDemoNameTables.h"
#include "demo/core/TKelvoDemoPlayback.h"
#include "demo/core/TKelvoDemoResolver.h"
#include "demo/win/TKelvoDemoWinHost.h"

class TControl;
class TMainForm;
class TSkinItem;
class TWinControl;

class TKelvoDemonstrationModule : public TKelvoModuleWithControls, public IKelvoDemoNames {
    CLASSLIB_COMPONENT(TKelvoDemonstrationModule, TKelvoModuleWithControls)

    // Adds the Demonstrations item before the Help menu of the program's main window (Application's main form).
    explicit TKelvoDemonstrationModule(TComponent* owner);
    TKelvoDemonstrationModule(TComponent* owner, TMainForm* mainForm);
    ~TKelvoDemonstrationModule() override;

    // The program's module, or null while there is none.
    static TKelvoDemonstrationModule* Instance();

    TKelvoDemoPlayback& Playback() { return playback_; }
    TKelvoDemoWinHost& Host() { return host_; }

    // Registration by the editor and the tools: names are kept upper-cased, the first registration answers.
    void RegisterTarget(const AnsiString& name, TComponent* component);
    void RegisterCommand(const AnsiString& name, std::function<void()> method);
    void RegisterClickCommand(const AnsiString& name, TNotifyEvent handler, TObject* sender);
    // A target and a click command under one name.
    void RegisterButton(const AnsiString& name, TNotifyEvent handler, TComponent* button);
    void RegisterBooleanCommand(const AnsiString& name, std::function<void(bool)> set, bool defaultValue);
    void RegisterIntegerCommand(const AnsiString& name, std::function<void(std::int32_t)> set,
                                std::int32_t defaultValue);
    void RegisterTwoIntegerCommand(const AnsiString& name, std::function<void(std::int32_t, std::int32_t)> set,
                                   std::int32_t default1, std::int32_t default2);
    void RegisterFloatCommand(const AnsiString& name, std::function<void(double)> set, double defaultValue);
    void RegisterColorCommand(const AnsiString& name, std::function<void(std::int32_t)> set, std::int32_t defaultValue);

    // Only while the playback records: the line; "MouseCurvedMove " + target; the move to the name, then the
    // name with its value (the name alone for an empty value).
    void RecordLine(const AnsiString& text);
    void RecordMouseMove(const AnsiString& target);
    void RecordCommand(const AnsiString& name, const AnsiString& value = AnsiString());

    // Plays <demonstrations folder><name>.dsc from its first line when that file exists.
    bool PlayDemo(const WideString& name);
    // The demonstrations window, modal; on Start the chosen demonstration plays.
    void ShowDemonstrations();

    // IKelvoDemoNames
    bool FindTarget(const TKelvoDemoScriptParams& params, TPoint& point) override;
    bool RunCommand(const AnsiString& word, const TKelvoDemoScriptParams& params, IKelvoDemoMacro& macro) override;

    void Localize() override;
    void UpdateState() override;
    // Queues the demonstrations window when it is to come up at start-up (not in plug-in mode).
    void Start() override;
    // Node 1, {2032DB53-FE8E-4FB8-8457-43C5430C9D6B}: item 1 show at start-up.
    void LoadState(TKelvoSDFReader& reader) override;
    void SaveState(TKelvoSDFWriter& writer) override;

    // The folder of the ".dsc" files and their pictures, with its final separator.
    WideString DemonstrationsFolder;
    bool ShowAtStartUp = false;
    // Before a run: offer to close the open document, and to maximize the main window.
    bool OfferClose = true;
    bool OfferMaximize = false;
    // The window hidden for a run while it is visible (the script editor's), put back afterwards.
    TWinControl* HiddenDuringRun = nullptr;
    // The index of the demonstration the window selects when it opens next.
    std::int32_t SelectedIndex = 0;

    TSkinItem* DemonstrationsMenuItem = nullptr;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void DemonstrationsClick(TObject*);
    // The window of a start-up (not in plug-in mode), and the window again after a run it started.
    void ShowAtStart();
    void ShowAgain();
    void BeforeStart(bool& cancel);
    void Finished();
    void StopQuery(bool& stop);
    void Error(const AnsiString& message, bool& stop, const AnsiString& line);
    // The title back, the hidden window shown again, and the demonstrations window again when it began the run.
    void RunEnded();

    TMainForm* mainForm_ = nullptr;
    TKelvoDemoWinHost host_;
    TKelvoDemoPlayback playback_{host_};
    TKelvoDemoResolver resolver_;
    TKelvoDemoTargetTable targets_;
    TKelvoDemoCommandTable commands_;
    WideString savedTitle_;
    bool titleSaved_ = false;
    bool startedByWindow_ = false;
    bool hidWindow_ = false;
};
