// Plays a demonstration script line by line, and records one. Every line becomes an action that the
// playback steps on each tick (every 10 ms, on the user-interface thread) until it reports finished; the
// actions move the real pointer, press its buttons, wait and show balloons. While recording, the editor, the
// views and the tools append the lines that replay what the user does.
//
// States: idle -> playing (Play) <-> paused (Pause, Resume) -> idle at the end of the script, or stopping
// (Stop, Esc, an error) -> idle at the next tick; idle -> recording (StartRecording) -> stopping
// (StopRecording).
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "app/core/IKelvoDemoParticipant.h"
#include "demo/core/IKelvoDemoHost.h"
#include "demo/core/TKelvoDemoScript.h"
#include "demo/core/TKelvoDemoScriptParams.h"

class TKelvoDemoScriptAction;

enum class TKelvoDemoState : std::int32_t { Idle = 0, Playing = 1, Paused = 2, Stopping = 3, Recording = 4 };

// The mouse button a script pressed and has not released yet.
enum class TKelvoDemoButton : std::int32_t { None, Left, Right };

// Whoever runs the playback (the demonstrations module, the script editor) answers these.
struct TKelvoDemoPlaybackEvents {
    // Play, before anything changes; cancel arrives false.
    std::function<void(bool& cancel)> OnBeforeStart;
    // The last line has run.
    std::function<void()> OnFinish;
    // The first pause and the last resume.
    std::function<void()> OnPause;
    std::function<void()> OnResume;
    // Stop; stop arrives true.
    std::function<void(bool& stop)> OnStopQuery;
    // ReportError with the line being played; stop arrives true.
    std::function<void(const AnsiString& message, bool& stop, const AnsiString& line)> OnError;
    // An action needs the screen point of a named target; found arrives false.
    std::function<void(const TKelvoDemoScriptParams& params, bool& found, TPoint& point)> OnResolveTarget;
    // A word that is not built in; the command may add steps to macro; handled arrives false.
    std::function<void(const AnsiString& word, const TKelvoDemoScriptParams& params, IKelvoDemoMacro& macro,
                       bool& handled)>
        OnUserCommand;
    std::function<void()> OnRecordStart;
    std::function<void()> OnRecordStop;
    // A recorded line was inserted at index of the script lines.
    std::function<void(std::int32_t index, const AnsiString& text)> OnRecordLine;
};

class TKelvoDemoPlayback : public IKelvoDemoPlayback {
public:
    static constexpr std::uint16_t kDefaultMouseSpeed = 5;

    explicit TKelvoDemoPlayback(IKelvoDemoHost& host);
    TKelvoDemoPlayback(const TKelvoDemoPlayback&) = delete;
    TKelvoDemoPlayback& operator=(const TKelvoDemoPlayback&) = delete;
    // Ends a run still going: the button a script holds is released and the application's events put back.
    ~TKelvoDemoPlayback();

    // A copy of script becomes the played one.
    void SetScript(const TKelvoDemoScript& script) { script_.Assign(script); }
    TKelvoDemoScript& Script() { return script_; }

    // Starts playing at line (0 is the first). Refused (false) while playing, paused or recording; true, with
    // nothing changed, when OnBeforeStart cancels.
    bool Play(std::int32_t line);
    // Only while playing or paused: asks OnStopQuery; yes -> the held button is released and the playback
    // stops at the next tick. Returns whether it stops.
    bool Stop();
    // Counted: every Pause needs a Resume; the first suspends the action, the last resumes it. A Resume
    // without a Pause counts below zero.
    void Pause();
    void Resume();
    // One step of the run; false once the run is over (the pacing ends).
    bool Tick();

    TKelvoDemoState State() const { return state_; }
    bool IsPlaying() const { return state_ == TKelvoDemoState::Playing || state_ == TKelvoDemoState::Paused; }
    bool IsRecording() const { return state_ == TKelvoDemoState::Recording; }
    // The next line to play.
    std::int32_t LineIndex() const { return index_; }
    std::int32_t PauseCount() const { return pauseCount_; }

    // Recording inserts at line, or at the end when line is negative or past it. Refused while playing,
    // paused or recording.
    bool StartRecording(std::int32_t line);
    void StopRecording();

    // IKelvoDemoPlayback
    void AddLine(const AnsiString& text) override;
    bool ShowMessages() const override { return showMessages_; }
    void ReportError(const AnsiString& message) override;
    void RecordCommand(const AnsiString& name, const AnsiString& message) override;
    void RecordMouseDown(const AnsiString& target, TPoint point, bool rightButton) override;
    void RecordMouseMove(const AnsiString& target, TPoint point) override;
    void RecordMouseUp(const AnsiString& target, TPoint point, bool rightButton) override;

    void SetShowMessages(bool value) { showMessages_ = value; }
    // The text of the "Message" line recorded with a mouse press.
    const AnsiString& MessageText() const { return messageText_; }
    void SetMessageText(const AnsiString& text) { messageText_ = text; }

    // The screen point of the target the parameters name (OnResolveTarget); false when nobody knows it.
    bool ResolveTarget(const TKelvoDemoScriptParams& params, TPoint& point);
    // Remembers the point and moves the system pointer there.
    void SetCursorPosition(TPoint point);
    TPoint GetCursorPosition() const { return cursor_; }
    // 0 keeps the speed. Moves take distance x 20 / speed milliseconds.
    void SetMouseSpeed(std::uint16_t value);
    std::uint16_t MouseSpeed() const { return mouseSpeed_; }
    bool ButtonsSwapped() { return host_.ButtonsSwapped(); }
    TKelvoDemoButton ButtonHeld() const { return buttonHeld_; }
    void SetButtonHeld(TKelvoDemoButton button) { buttonHeld_ = button; }

    // The action of a script line; null for a comment.
    std::unique_ptr<TKelvoDemoScriptAction> CreateAction(std::string_view line);
    // OnUserCommand for an action that carries a word nobody built in.
    bool UserCommand(const AnsiString& word, const TKelvoDemoScriptParams& params, IKelvoDemoMacro& macro);

    // From the application while a run goes: deactivation and minimizing pause, activation and restoring
    // resume. A key message answers whether the playback took it: Esc stops a playing run.
    void ApplicationDeactivated() { Pause(); }
    void ApplicationActivated() { Resume(); }
    bool KeyMessage(bool keyDown, std::uint16_t key);

    IKelvoDemoHost& Host() { return host_; }

    TKelvoDemoPlaybackEvents Events;

private:
    void ReleaseButton();
    // Puts the application's events back (once) and frees the action.
    void EndRun();

    IKelvoDemoHost& host_;
    TKelvoDemoScript script_;
    std::int32_t index_ = 0;
    std::int32_t insertAt_ = 0;
    TKelvoDemoState state_ = TKelvoDemoState::Idle;
    std::unique_ptr<TKelvoDemoScriptAction> action_;
    std::int32_t pauseCount_ = 0;
    TPoint cursor_;
    TKelvoDemoButton buttonHeld_ = TKelvoDemoButton::None;
    std::uint16_t mouseSpeed_ = kDefaultMouseSpeed;
    bool showMessages_ = false;
    bool running_ = false;  // the host routes the application's events here
    AnsiString messageText_ = "Click";
    // Recording a drag: whether a button is down, and the point recorded last.
    bool recordHeld_ = false;
    TPoint recordLast_;
};
