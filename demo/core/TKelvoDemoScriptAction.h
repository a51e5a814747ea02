// The actions a played script line becomes. The playback steps the current action on every tick until it
// reports finished; positions are screen points, and the playback remembers where the pointer is between
// actions. Durations run on the host's clock, and time spent paused does not count.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "app/core/IKelvoDemoParticipant.h"
#include "demo/core/TKelvoDemoScriptParams.h"

class TKelvoDemoPlayback;

namespace kelvodemo {

// Script numbers are bounded before they reach the pointer or the clock: coordinates to the range of the
// system's virtual screen, waits to an hour (a longer one is a mistake, and Esc ends any wait), speeds to the
// 16 bits they are kept in.
constexpr std::int32_t kMaxCoordinate = 32767;
constexpr std::uint32_t kMaxWaitMs = 3600 * 1000;

// The move's duration in milliseconds: distance x 20 / speed, rounded (speed 5: 100 pixels take 400 ms).
std::uint32_t MoveDuration(double distance, std::uint16_t speed);
// The eased progress of a move at time t (0 to 1): slow at both ends.
double EaseMove(double t);
// The point at progress f of a move by (dx, dy) from from. curveDivisor 0 moves straight; 3 bends the path
// away from the line when neither dx nor dy is 0.
TPoint MovePoint(TPoint from, std::int32_t dx, std::int32_t dy, double f, std::int32_t curveDivisor);
// A wait of seconds, in milliseconds between 0 and kMaxWaitMs.
std::uint32_t WaitMs(double seconds);

}  // namespace kelvodemo

class TKelvoDemoScriptAction {
public:
    // params is copied.
    TKelvoDemoScriptAction(TKelvoDemoPlayback& playback, const TKelvoDemoScriptParams& params);
    TKelvoDemoScriptAction(const TKelvoDemoScriptAction&) = delete;
    TKelvoDemoScriptAction& operator=(const TKelvoDemoScriptAction&) = delete;
    virtual ~TKelvoDemoScriptAction();

    virtual void Start() {}
    virtual bool IsFinished() { return true; }
    // The first step starts the action.
    virtual void Step();
    virtual void Suspend() {}
    virtual void Resume() {}
    // The run stops: leave the system as it was.
    virtual void Abort() {}

    const TKelvoDemoScriptParams& Params() const { return params_; }

protected:
    bool Started() const { return started_; }

    TKelvoDemoPlayback& playback_;
    TKelvoDemoScriptParams params_;

private:
    bool started_ = false;
};

// Sub-actions stepped one after the other, one step per tick.
class TKelvoDemoScriptMacroAction : public TKelvoDemoScriptAction, public IKelvoDemoMacro {
public:
    using TKelvoDemoScriptAction::TKelvoDemoScriptAction;

    void Add(std::unique_ptr<TKelvoDemoScriptAction> action);
    // IKelvoDemoMacro: a script line (a comment adds nothing) or a call.
    void AddLine(const AnsiString& line) override;
    void AddCall(std::function<void()> call) override;

    bool IsFinished() override { return current_ >= actions_.size(); }
    void Step() override;
    void Suspend() override;
    void Resume() override;
    void Abort() override;

private:
    std::vector<std::unique_ptr<TKelvoDemoScriptAction>> actions_;
    std::size_t current_ = 0;
};

// A word nobody built in: the playback's OnUserCommand may run it and fill the macro with steps.
class TKelvoDemoScriptUserAction : public TKelvoDemoScriptMacroAction {
public:
    TKelvoDemoScriptUserAction(TKelvoDemoPlayback& playback, const TKelvoDemoScriptParams& params,
                               const AnsiString& word);
    void Start() override;
    const AnsiString& Word() const { return word_; }

private:
    AnsiString word_;
};

// Program code as one step of a macro.
class TKelvoDemoScriptCallAction : public TKelvoDemoScriptAction {
public:
    TKelvoDemoScriptCallAction(TKelvoDemoPlayback& playback, std::function<void()> call);
    void Start() override;

private:
    std::function<void()> call_;
};

// The target of a move: two numbers are a screen point; else a named target, which must be found ("Invalid
// arguments." otherwise, and the pointer stays); no parameters: where the pointer is.
class TKelvoDemoScriptTargetAction : public TKelvoDemoScriptAction {
public:
    using TKelvoDemoScriptAction::TKelvoDemoScriptAction;

protected:
    TPoint Target();
};

class TKelvoDemoScriptMouseToAction : public TKelvoDemoScriptTargetAction {
public:
    using TKelvoDemoScriptTargetAction::TKelvoDemoScriptTargetAction;
    void Start() override { target_ = Target(); }
    void Step() override;

private:
    TPoint target_;
};

// Measures time on the host's clock, without the time between Suspend and Resume.
class TKelvoDemoStopwatch {
public:
    void Start(std::uint32_t now) {
        elapsed_ = 0;
        last_ = now;
    }
    // Adds the time since the last call (or Start, or Restart) and returns the total.
    std::uint32_t Advance(std::uint32_t now);
    // Time from the last call to now does not count.
    void Restart(std::uint32_t now) { last_ = now; }

private:
    std::uint32_t elapsed_ = 0;
    std::uint32_t last_ = 0;
};

class TKelvoDemoScriptMouseMoveAction : public TKelvoDemoScriptTargetAction {
public:
    TKelvoDemoScriptMouseMoveAction(TKelvoDemoPlayback& playback, const TKelvoDemoScriptParams& params,
                                    std::int32_t curveDivisor = 0);
    void Start() override;
    bool IsFinished() override { return finished_; }
    void Step() override;
    void Resume() override;

private:
    std::int32_t curveDivisor_;
    TPoint from_;
    TPoint target_;
    std::uint32_t duration_ = 0;
    TKelvoDemoStopwatch clock_;
    bool finished_ = false;
};

class TKelvoDemoScriptMouseCurvedMoveAction : public TKelvoDemoScriptMouseMoveAction {
public:
    TKelvoDemoScriptMouseCurvedMoveAction(TKelvoDemoPlayback& playback, const TKelvoDemoScriptParams& params)
        : TKelvoDemoScriptMouseMoveAction(playback, params, 3) {}
};

// PAUSE seconds (1 without): the pointer stays where the script left it.
class TKelvoDemoScriptPauseAction : public TKelvoDemoScriptAction {
public:
    using TKelvoDemoScriptAction::TKelvoDemoScriptAction;
    void Start() override;
    bool IsFinished() override { return finished_; }
    void Step() override;
    void Resume() override;

protected:
    void StartWait(std::uint32_t duration);

    bool finished_ = false;

private:
    std::uint32_t duration_ = 0;
    TKelvoDemoStopwatch clock_;
};

// MESSAGE text [, seconds [, corner]]: a balloon at the pointer for 3 seconds or the given time; the pointer is
// hidden and the application's hints are off meanwhile. "%name" is the script's text of that name, "&id" the
// program's text of that id. An empty text shows nothing and does not wait.
class TKelvoDemoScriptBalloonAction : public TKelvoDemoScriptPauseAction {
public:
    using TKelvoDemoScriptPauseAction::TKelvoDemoScriptPauseAction;
    ~TKelvoDemoScriptBalloonAction() override;
    void Start() override;
    void Suspend() override;
    void Resume() override;

    const WideString& Text() const { return text_; }
    std::int32_t Corner() const { return corner_; }

private:
    void Show();
    void Hide();

    WideString text_;
    std::int32_t corner_ = 0;
    TPoint at_;
    bool shown_ = false;
};

// Presses or releases a mouse button, honouring swapped buttons, and notes which button the script holds.
class TKelvoDemoScriptMouseButtonAction : public TKelvoDemoScriptAction {
public:
    TKelvoDemoScriptMouseButtonAction(TKelvoDemoPlayback& playback, const TKelvoDemoScriptParams& params,
                                      bool rightButton, bool down);
    void Start() override;

private:
    bool right_;
    bool down_;
};

class TKelvoDemoScriptMouseLeftDownAction : public TKelvoDemoScriptMouseButtonAction {
public:
    TKelvoDemoScriptMouseLeftDownAction(TKelvoDemoPlayback& playback, const TKelvoDemoScriptParams& params)
        : TKelvoDemoScriptMouseButtonAction(playback, params, false, true) {}
};
class TKelvoDemoScriptMouseLeftUpAction : public TKelvoDemoScriptMouseButtonAction {
public:
    TKelvoDemoScriptMouseLeftUpAction(TKelvoDemoPlayback& playback, const TKelvoDemoScriptParams& params)
        : TKelvoDemoScriptMouseButtonAction(playback, params, false, false) {}
};
class TKelvoDemoScriptMouseRightDownAction : public TKelvoDemoScriptMouseButtonAction {
public:
    TKelvoDemoScriptMouseRightDownAction(TKelvoDemoPlayback& playback, const TKelvoDemoScriptParams& params)
        : TKelvoDemoScriptMouseButtonAction(playback, params, true, true) {}
};
class TKelvoDemoScriptMouseRightUpAction : public TKelvoDemoScriptMouseButtonAction {
public:
    TKelvoDemoScriptMouseRightUpAction(TKelvoDemoPlayback& playback, const TKelvoDemoScriptParams& params)
        : TKelvoDemoScriptMouseButtonAction(playback, params, true, false) {}
};

// MOUSESPEED n.
class TKelvoDemoScriptMouseSpeedAction : public TKelvoDemoScriptAction {
public:
    using TKelvoDemoScriptAction::TKelvoDemoScriptAction;
    void Start() override;
};

// The action of a command word with its parameters: the built-in table, else a user action carrying the word.
std::unique_ptr<TKelvoDemoScriptAction> CreateDemoAction(TKelvoDemoPlayback& playback, const AnsiString& word,
                                                         const TKelvoDemoScriptParams& params);
