#include "demo/core/TKelvoDemoPlayback.h"

#include <exception>

#include "classlib/core/StringUtils.h"
#include "demo/core/TKelvoDemoScriptAction.h"

namespace {

constexpr std::uint16_t kEscape = 27;

AnsiString PointArgs(const AnsiString& target, TPoint point) {
    return target + ", " + IntToStr(point.X) + ", " + IntToStr(point.Y);
}

}  // namespace

TKelvoDemoPlayback::TKelvoDemoPlayback(IKelvoDemoHost& host) : host_(host) { script_.Reset(); }

TKelvoDemoPlayback::~TKelvoDemoPlayback() {
    if (IsPlaying()) ReleaseButton();
    EndRun();
}

bool TKelvoDemoPlayback::Play(std::int32_t line) {
    if (IsPlaying() || IsRecording()) return false;
    bool cancel = false;
    if (Events.OnBeforeStart) Events.OnBeforeStart(cancel);
    if (cancel) return true;
    // A run that was stopped but not yet released by a tick ends here, so that two runs never overlap.
    EndRun();
    state_ = TKelvoDemoState::Playing;
    index_ = line < 0 ? 0 : line;
    pauseCount_ = 0;
    buttonHeld_ = TKelvoDemoButton::None;
    cursor_ = host_.CursorPos();
    running_ = true;
    host_.BeginRun(*this);
    return true;
}

bool TKelvoDemoPlayback::Stop() {
    if (!IsPlaying()) return false;
    Pause();
    bool stop = true;
    if (Events.OnStopQuery) Events.OnStopQuery(stop);
    if (!stop) {
        Resume();
        return false;
    }
    ReleaseButton();
    state_ = TKelvoDemoState::Stopping;
    pauseCount_ = 0;
    return true;
}

void TKelvoDemoPlayback::Pause() {
    if (state_ == TKelvoDemoState::Playing) {
        if (action_) action_->Suspend();
        state_ = TKelvoDemoState::Paused;
        if (Events.OnPause) Events.OnPause();
    }
    ++pauseCount_;
}

void TKelvoDemoPlayback::Resume() {
    --pauseCount_;
    if (pauseCount_ > 0 || state_ != TKelvoDemoState::Paused) return;
    if (Events.OnResume) Events.OnResume();
    if (action_) action_->Resume();
    state_ = TKelvoDemoState::Playing;
}

bool TKelvoDemoPlayback::Tick() {
    if (state_ == TKelvoDemoState::Playing) {
        try {
            if (!action_) {
                const TKelvoDemoLines& lines = script_.GetLines();
                if (std::size_t(index_) >= lines.size()) {
                    state_ = TKelvoDemoState::Idle;
                    EndRun();
                    if (Events.OnFinish) Events.OnFinish();
                    return false;
                }
                action_ = CreateAction(lines[std::size_t(index_)]);
            }
            if (action_) {
                action_->Step();
                if (action_->IsFinished()) action_.reset();
            }
        } catch (const std::exception& e) {
            // A command that fails ends the run like any other error of the script, never the program.
            action_.reset();
            ReportError(e.what());
        }
        if (!action_) ++index_;
    }
    if (state_ == TKelvoDemoState::Stopping) {
        // Also after an error in this very tick: the pacing ends with this tick, so nothing else would.
        ReleaseButton();
        EndRun();
        state_ = TKelvoDemoState::Idle;
    }
    return IsPlaying();
}

void TKelvoDemoPlayback::EndRun() {
    if (running_) {
        running_ = false;
        host_.EndRun();
    }
    action_.reset();
}

void TKelvoDemoPlayback::ReleaseButton() {
    if (action_) action_->Abort();
    if (buttonHeld_ == TKelvoDemoButton::None) return;
    SetCursorPosition(cursor_);
    const bool systemRight = (buttonHeld_ == TKelvoDemoButton::Right) != host_.ButtonsSwapped();
    host_.MouseButton(systemRight ? kDemoRightUp : kDemoLeftUp);
    buttonHeld_ = TKelvoDemoButton::None;
}

void TKelvoDemoPlayback::ReportError(const AnsiString& message) {
    bool stop = true;
    const TKelvoDemoLines& lines = script_.GetLines();
    const AnsiString line = index_ >= 0 && std::size_t(index_) < lines.size() ? lines[std::size_t(index_)] : "";
    if (!IsPlaying()) {
        if (Events.OnError) Events.OnError(message, stop, line);
        return;
    }
    Pause();
    if (Events.OnError) Events.OnError(message, stop, line);
    if (stop) {
        state_ = TKelvoDemoState::Stopping;
        pauseCount_ = 0;
    } else {
        Resume();
    }
}

bool TKelvoDemoPlayback::KeyMessage(bool keyDown, std::uint16_t key) {
    if (key != kEscape) return false;
    if (!keyDown) return true;  // the release of the Esc that stopped the run goes nowhere either
    if (state_ != TKelvoDemoState::Playing) return false;
    Stop();
    return true;
}

bool TKelvoDemoPlayback::ResolveTarget(const TKelvoDemoScriptParams& params, TPoint& point) {
    bool found = false;
    if (Events.OnResolveTarget) Events.OnResolveTarget(params, found, point);
    return found;
}

bool TKelvoDemoPlayback::UserCommand(const AnsiString& word, const TKelvoDemoScriptParams& params,
                                     IKelvoDemoMacro& macro) {
    bool handled = false;
    if (Events.OnUserCommand) Events.OnUserCommand(word, params, macro, handled);
    return handled;
}

void TKelvoDemoPlayback::SetCursorPosition(TPoint point) {
    cursor_ = point;
    host_.MovePointer(point);
}

void TKelvoDemoPlayback::SetMouseSpeed(std::uint16_t value) {
    if (value != 0) mouseSpeed_ = value;
}

std::unique_ptr<TKelvoDemoScriptAction> TKelvoDemoPlayback::CreateAction(std::string_view line) {
    AnsiString word;
    TKelvoDemoScriptParams params;
    if (!TKelvoDemoScript::ParseLine(line, word, params)) return nullptr;
    return CreateDemoAction(*this, word, params);
}

// Recording ---------------------------------------------------------------------------------------------------

bool TKelvoDemoPlayback::StartRecording(std::int32_t line) {
    if (IsPlaying() || IsRecording()) return false;
    const auto count = std::int32_t(script_.GetLines().size());
    insertAt_ = line < 0 || line > count ? count : line;
    recordHeld_ = false;
    if (Events.OnRecordStart) Events.OnRecordStart();
    state_ = TKelvoDemoState::Recording;
    return true;
}

void TKelvoDemoPlayback::StopRecording() {
    if (!IsRecording()) return;
    if (Events.OnRecordStop) Events.OnRecordStop();
    state_ = TKelvoDemoState::Stopping;
}

void TKelvoDemoPlayback::AddLine(const AnsiString& text) {
    if (!IsRecording()) return;
    TKelvoDemoLines& lines = script_.GetLines();
    // The script editor may have shortened the lines meanwhile.
    if (std::size_t(insertAt_) > lines.size()) insertAt_ = std::int32_t(lines.size());
    lines.insert(lines.begin() + insertAt_, text);
    if (Events.OnRecordLine) Events.OnRecordLine(insertAt_, text);
    ++insertAt_;
}

void TKelvoDemoPlayback::RecordCommand(const AnsiString& name, const AnsiString& message) {
    if (!IsRecording()) return;
    AddLine("MouseCurvedMove " + name);
    if (showMessages_) AddLine("Message \"" + message + "\"");
    AddLine(name);
}

void TKelvoDemoPlayback::RecordMouseDown(const AnsiString& target, TPoint point, bool rightButton) {
    if (!IsRecording()) return;
    // With a button already down the pointer must not leave its path, so the way there is straight.
    AddLine((recordHeld_ ? "MouseMove " : "MouseCurvedMove ") + PointArgs(target, point));
    if (showMessages_) AddLine("Message \"" + messageText_ + "\"");
    AddLine((rightButton ? "MouseRightDown " : "MouseDown ") + PointArgs(target, point));
    recordHeld_ = true;
    recordLast_ = point;
}

void TKelvoDemoPlayback::RecordMouseMove(const AnsiString& target, TPoint point) {
    if (!IsRecording() || !recordHeld_ || point == recordLast_) return;
    AddLine("MouseTo " + PointArgs(target, point));
    recordLast_ = point;
}

void TKelvoDemoPlayback::RecordMouseUp(const AnsiString& target, TPoint point, bool rightButton) {
    if (!IsRecording()) return;
    AddLine((rightButton ? "MouseRightUp " : "MouseUp ") + PointArgs(target, point));
    recordHeld_ = false;
    AddLine("Pause 0.5");
}
