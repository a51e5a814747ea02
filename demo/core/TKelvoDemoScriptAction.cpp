#include "demo/core/TKelvoDemoScriptAction.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

#include "app/core/TKelvoLocalizer.h"
#include "classlib/core/StringUtils.h"
#include "demo/core/TKelvoDemoPlayback.h"

namespace kelvodemo {

namespace {

// Positions and durations round half to even, like the rest of the program's arithmetic.
std::int64_t RoundEven(double value) { return static_cast<std::int64_t>(std::nearbyint(value)); }

std::int32_t BoundedCoordinate(double value) {
    if (std::isnan(value)) return 0;
    return std::int32_t(RoundEven(std::clamp<double>(value, -kMaxCoordinate - 1, kMaxCoordinate)));
}

}  // namespace

std::uint32_t MoveDuration(double distance, std::uint16_t speed) {
    if (speed == 0) return 0;
    return std::uint32_t(RoundEven(distance * 20 / speed));
}

double EaseMove(double t) { return t < 0.5 ? 2 * t * t : 1 - 2 * (1 - t) * (1 - t); }

TPoint MovePoint(TPoint from, std::int32_t dx, std::int32_t dy, double f, std::int32_t curveDivisor) {
    double s = 0;
    if (curveDivisor != 0 && dx != 0 && dy != 0) {
        const double distance = std::hypot(double(dx), double(dy));
        s = std::sin(std::numbers::pi * f) * std::min(std::abs(double(dx)), std::abs(double(dy))) /
            (curveDivisor * distance);
    }
    // The bulge of a curved move between far points can carry the pointer past the coordinates a target may
    // have; it is held to them like a target.
    return TPoint{BoundedCoordinate(from.X + f * dx + s * dy), BoundedCoordinate(from.Y + f * dy + s * dx)};
}

std::uint32_t WaitMs(double seconds) {
    if (!(seconds > 0)) return 0;  // negative, zero or not a number: no wait
    return std::uint32_t(RoundEven(std::min(seconds * 1000, double(kMaxWaitMs))));
}

}  // namespace kelvodemo

using namespace kelvodemo;

TKelvoDemoScriptAction::TKelvoDemoScriptAction(TKelvoDemoPlayback& playback, const TKelvoDemoScriptParams& params)
    : playback_(playback) {
    params_.Assign(params);
}

TKelvoDemoScriptAction::~TKelvoDemoScriptAction() = default;

void TKelvoDemoScriptAction::Step() {
    if (started_) return;
    started_ = true;
    Start();
}

// Macro ------------------------------------------------------------------------------------------------------

void TKelvoDemoScriptMacroAction::Add(std::unique_ptr<TKelvoDemoScriptAction> action) {
    if (action) actions_.push_back(std::move(action));
}

void TKelvoDemoScriptMacroAction::AddLine(const AnsiString& line) { Add(playback_.CreateAction(line)); }

void TKelvoDemoScriptMacroAction::AddCall(std::function<void()> call) {
    Add(std::make_unique<TKelvoDemoScriptCallAction>(playback_, std::move(call)));
}

void TKelvoDemoScriptMacroAction::Step() {
    TKelvoDemoScriptAction::Step();
    if (current_ >= actions_.size()) return;
    TKelvoDemoScriptAction& action = *actions_[current_];
    action.Step();
    if (action.IsFinished()) ++current_;
}

void TKelvoDemoScriptMacroAction::Suspend() {
    if (current_ < actions_.size()) actions_[current_]->Suspend();
}

void TKelvoDemoScriptMacroAction::Resume() {
    if (current_ < actions_.size()) actions_[current_]->Resume();
}

void TKelvoDemoScriptMacroAction::Abort() {
    if (current_ < actions_.size()) actions_[current_]->Abort();
}

TKelvoDemoScriptUserAction::TKelvoDemoScriptUserAction(TKelvoDemoPlayback& playback,
                                                       const TKelvoDemoScriptParams& params, const AnsiString& word)
    : TKelvoDemoScriptMacroAction(playback, params), word_(word) {}

void TKelvoDemoScriptUserAction::Start() {
    if (!playback_.UserCommand(word_, params_, *this)) playback_.ReportError("Unknown command: \"" + word_ + "\"");
}

TKelvoDemoScriptCallAction::TKelvoDemoScriptCallAction(TKelvoDemoPlayback& playback, std::function<void()> call)
    : TKelvoDemoScriptAction(playback, TKelvoDemoScriptParams()), call_(std::move(call)) {}

void TKelvoDemoScriptCallAction::Start() {
    if (call_) call_();
}

// Pointer moves -----------------------------------------------------------------------------------------------

TPoint TKelvoDemoScriptTargetAction::Target() {
    if (params_.GetCount() == 0) return playback_.GetCursorPosition();
    double x = 0, y = 0;
    if (params_.GetNumber(0, x) && params_.GetNumber(1, y)) return TPoint{BoundedCoordinate(x), BoundedCoordinate(y)};
    TPoint point;
    if (playback_.ResolveTarget(params_, point)) return point;
    playback_.ReportError("Invalid arguments.");
    return playback_.GetCursorPosition();
}

void TKelvoDemoScriptMouseToAction::Step() {
    TKelvoDemoScriptTargetAction::Step();
    playback_.SetCursorPosition(target_);
}

std::uint32_t TKelvoDemoStopwatch::Advance(std::uint32_t now) {
    // Unsigned differences stay right across the wrap of the system's tick count.
    elapsed_ += now - last_;
    last_ = now;
    return elapsed_;
}

TKelvoDemoScriptMouseMoveAction::TKelvoDemoScriptMouseMoveAction(TKelvoDemoPlayback& playback,
                                                                 const TKelvoDemoScriptParams& params,
                                                                 std::int32_t curveDivisor)
    : TKelvoDemoScriptTargetAction(playback, params), curveDivisor_(curveDivisor) {}

void TKelvoDemoScriptMouseMoveAction::Start() {
    target_ = Target();
    from_ = playback_.GetCursorPosition();
    const double distance = std::hypot(double(target_.X) - from_.X, double(target_.Y) - from_.Y);
    if (distance == 0) {
        finished_ = true;
        return;
    }
    duration_ = MoveDuration(distance, playback_.MouseSpeed());
    if (duration_ == 0) {
        // A speed so high that the move takes no time: it is a jump (and the progress would divide by zero).
        playback_.SetCursorPosition(target_);
        finished_ = true;
        return;
    }
    clock_.Start(playback_.Host().TickCount());
}

void TKelvoDemoScriptMouseMoveAction::Step() {
    TKelvoDemoScriptTargetAction::Step();
    if (finished_) return;
    const double t = double(clock_.Advance(playback_.Host().TickCount())) / duration_;
    if (t >= 1) {
        playback_.SetCursorPosition(target_);
        finished_ = true;
        return;
    }
    playback_.SetCursorPosition(MovePoint(from_, target_.X - from_.X, target_.Y - from_.Y, EaseMove(t), curveDivisor_));
}

void TKelvoDemoScriptMouseMoveAction::Resume() { clock_.Restart(playback_.Host().TickCount()); }

// Waits -------------------------------------------------------------------------------------------------------

void TKelvoDemoScriptPauseAction::Start() {
    double seconds = 0;
    StartWait(params_.GetNumber(0, seconds) ? WaitMs(seconds) : 1000);
}

void TKelvoDemoScriptPauseAction::StartWait(std::uint32_t duration) {
    duration_ = duration;
    clock_.Start(playback_.Host().TickCount());
}

void TKelvoDemoScriptPauseAction::Step() {
    TKelvoDemoScriptAction::Step();
    if (finished_) return;
    const std::uint32_t elapsed = clock_.Advance(playback_.Host().TickCount());
    playback_.SetCursorPosition(playback_.GetCursorPosition());
    finished_ = elapsed >= duration_;
}

void TKelvoDemoScriptPauseAction::Resume() { clock_.Restart(playback_.Host().TickCount()); }

TKelvoDemoScriptBalloonAction::~TKelvoDemoScriptBalloonAction() { Hide(); }

void TKelvoDemoScriptBalloonAction::Start() {
    AnsiString raw;
    params_.GetText(0, raw);
    std::int32_t id = 0;
    if (raw.size() > 1 && raw[0] == '%') {
        text_ = playback_.Script().GetText(std::string_view(raw).substr(1));
    } else if (raw.size() > 1 && raw[0] == '&' && TryStrToInt(std::string_view(raw).substr(1), id)) {
        text_ = GetText(id);
    } else {
        text_ = playback_.Script().DecodeText(raw);  // "&" followed by no number is plain text
    }
    double number = 0;
    const std::uint32_t duration = params_.GetNumber(1, number) ? WaitMs(number) : 3000;
    if (params_.GetNumber(2, number) && number >= 0 && number <= 4) corner_ = std::int32_t(std::nearbyint(number));
    if (text_.empty()) {
        finished_ = true;
        return;
    }
    at_ = playback_.GetCursorPosition();
    Show();
    StartWait(duration);
}

void TKelvoDemoScriptBalloonAction::Suspend() { Hide(); }

void TKelvoDemoScriptBalloonAction::Resume() {
    TKelvoDemoScriptPauseAction::Resume();
    if (Started() && !finished_ && !text_.empty()) Show();
}

void TKelvoDemoScriptBalloonAction::Show() {
    if (shown_) return;
    IKelvoDemoHost& host = playback_.Host();
    host.ShowHints(false);
    host.ShowBalloon(at_, corner_, text_);
    host.ShowPointer(false);
    shown_ = true;
}

void TKelvoDemoScriptBalloonAction::Hide() {
    if (!shown_) return;
    shown_ = false;
    IKelvoDemoHost& host = playback_.Host();
    host.ShowHints(true);
    host.HideBalloon();
    host.ShowPointer(true);
}

// Buttons and speed -------------------------------------------------------------------------------------------

TKelvoDemoScriptMouseButtonAction::TKelvoDemoScriptMouseButtonAction(TKelvoDemoPlayback& playback,
                                                                     const TKelvoDemoScriptParams& params,
                                                                     bool rightButton, bool down)
    : TKelvoDemoScriptAction(playback, params), right_(rightButton), down_(down) {}

void TKelvoDemoScriptMouseButtonAction::Start() {
    // With swapped buttons the system's left-button event is the user's right button.
    const bool systemRight = right_ != playback_.ButtonsSwapped();
    const std::uint32_t event =
        down_ ? (systemRight ? kDemoRightDown : kDemoLeftDown) : (systemRight ? kDemoRightUp : kDemoLeftUp);
    playback_.Host().MouseButton(event);
    playback_.SetButtonHeld(!down_   ? TKelvoDemoButton::None
                            : right_ ? TKelvoDemoButton::Right
                                     : TKelvoDemoButton::Left);
}

void TKelvoDemoScriptMouseSpeedAction::Start() {
    double speed = 0;
    if (params_.GetNumber(0, speed) && speed > 0) {
        playback_.SetMouseSpeed(std::uint16_t(RoundEven(std::min(speed, 65535.0))));
    }
}

// The command table --------------------------------------------------------------------------------------------

namespace {

template <class A>
std::unique_ptr<TKelvoDemoScriptAction> Make(TKelvoDemoPlayback& playback, const TKelvoDemoScriptParams& params) {
    return std::make_unique<A>(playback, params);
}

// A macro of a move with the line's parameters and button actions without any.
template <class Move, class... Buttons>
std::unique_ptr<TKelvoDemoScriptAction> MoveThen(TKelvoDemoPlayback& playback, const TKelvoDemoScriptParams& params) {
    auto macro = std::make_unique<TKelvoDemoScriptMacroAction>(playback, params);
    const TKelvoDemoScriptParams none;
    macro->Add(std::make_unique<Move>(playback, params));
    (macro->Add(std::make_unique<Buttons>(playback, none)), ...);
    return macro;
}

std::unique_ptr<TKelvoDemoScriptAction> Drag(TKelvoDemoPlayback& playback, const TKelvoDemoScriptParams& params) {
    auto macro = std::make_unique<TKelvoDemoScriptMacroAction>(playback, params);
    const TKelvoDemoScriptParams none;
    macro->Add(std::make_unique<TKelvoDemoScriptMouseLeftDownAction>(playback, none));
    macro->Add(std::make_unique<TKelvoDemoScriptMouseCurvedMoveAction>(playback, params));
    macro->Add(std::make_unique<TKelvoDemoScriptMouseLeftUpAction>(playback, none));
    return macro;
}

using TActionFactory = std::unique_ptr<TKelvoDemoScriptAction> (*)(TKelvoDemoPlayback&, const TKelvoDemoScriptParams&);

struct TCommand {
    std::string_view Word;
    TActionFactory Factory;
};

using TLeftDown = TKelvoDemoScriptMouseLeftDownAction;
using TLeftUp = TKelvoDemoScriptMouseLeftUpAction;
using TCurved = TKelvoDemoScriptMouseCurvedMoveAction;

constexpr TCommand kCommands[] = {
    {"PAUSE", &Make<TKelvoDemoScriptPauseAction>},
    {"MESSAGE", &Make<TKelvoDemoScriptBalloonAction>},
    {"MOUSETO", &Make<TKelvoDemoScriptMouseToAction>},
    {"MOUSEMOVE", &Make<TKelvoDemoScriptMouseMoveAction>},
    {"MOUSECURVEDMOVE", &Make<TCurved>},
    {"MOUSECLICK", &MoveThen<TKelvoDemoScriptMouseMoveAction, TLeftDown, TLeftUp>},
    {"MOUSELEFTCLICK", &MoveThen<TKelvoDemoScriptMouseMoveAction, TLeftDown, TLeftUp>},
    {"MOUSEDRAG", &Drag},
    {"MOUSEDRAGANDDROP", &Drag},
    {"MOUSEDBLCLICK", &MoveThen<TCurved, TLeftDown, TLeftUp, TLeftDown, TLeftUp>},
    {"MOUSELEFTDBLCLICK", &MoveThen<TCurved, TLeftDown, TLeftUp, TLeftDown, TLeftUp>},
    {"MOUSERIGHTCLICK", &MoveThen<TCurved, TKelvoDemoScriptMouseRightDownAction, TKelvoDemoScriptMouseRightUpAction>},
    {"MOUSEDOWN", &Make<TLeftDown>},
    {"MOUSELEFTDOWN", &Make<TLeftDown>},
    {"MOUSEUP", &Make<TLeftUp>},
    {"MOUSELEFTUP", &Make<TLeftUp>},
    {"MOUSERIGHTDOWN", &Make<TKelvoDemoScriptMouseRightDownAction>},
    {"MOUSERIGHTUP", &Make<TKelvoDemoScriptMouseRightUpAction>},
    {"MOUSESPEED", &Make<TKelvoDemoScriptMouseSpeedAction>},
};

}  // namespace

std::unique_ptr<TKelvoDemoScriptAction> CreateDemoAction(TKelvoDemoPlayback& playback, const AnsiString& word,
                                                         const TKelvoDemoScriptParams& params) {
    for (const TCommand& command : kCommands) {
        if (command.Word == word) return command.Factory(playback, params);
    }
    return std::make_unique<TKelvoDemoScriptUserAction>(playback, params, word);
}
