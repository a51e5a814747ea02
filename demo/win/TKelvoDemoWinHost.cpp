#include "demo/win/TKelvoDemoWinHost.h"

#include "demo/core/TKelvoDemoPlayback.h"
#include "demo/core/TKelvoDemoPlaybackThread.h"
#include "demo/win/TKelvoBalloon.h"

TKelvoDemoWinHost::TKelvoDemoWinHost() = default;

TKelvoDemoWinHost::~TKelvoDemoWinHost() { EndRun(); }

std::uint32_t TKelvoDemoWinHost::TickCount() { return ::GetTickCount(); }

TPoint TKelvoDemoWinHost::CursorPos() {
    POINT p{};
    ::GetCursorPos(&p);
    return Point(p.x, p.y);
}

void TKelvoDemoWinHost::MovePointer(TPoint point) {
    // Absolute input spans the primary screen as 0 to 65535 in each direction.
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((static_cast<long long>(point.X) * 65535 + cx / 2) / (cx > 1 ? cx - 1 : 1));
    input.mi.dy = static_cast<LONG>((static_cast<long long>(point.Y) * 65535 + cy / 2) / (cy > 1 ? cy - 1 : 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    // The position is set first so that it is exact whatever the scaling of the absolute units rounds to.
    ::SetCursorPos(point.X, point.Y);
    ::SendInput(1, &input, sizeof(INPUT));
}

void TKelvoDemoWinHost::MouseButton(std::uint32_t event) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = event;
    ::SendInput(1, &input, sizeof(INPUT));
}

bool TKelvoDemoWinHost::ButtonsSwapped() { return ::GetSystemMetrics(SM_SWAPBUTTON) != 0; }

void TKelvoDemoWinHost::ShowPointer(bool show) { ::ShowCursor(show ? TRUE : FALSE); }

void TKelvoDemoWinHost::ShowHints(bool show) {
    if (Application) Application->SetShowHint(show);
}

void TKelvoDemoWinHost::ShowBalloon(TPoint tip, std::int32_t corner, const WideString& text) {
    if (!balloon_) balloon_ = MakeObject<TKelvoBalloon>(nullptr);
    balloon_->ShowAt(tip.X, tip.Y, corner, text);
}

void TKelvoDemoWinHost::HideBalloon() {
    if (balloon_) balloon_->Hide();
}

void TKelvoDemoWinHost::BeginRun(TKelvoDemoPlayback& playback) {
    if (pacing_) pacing_->Playback = nullptr;
    playback_ = &playback;
    if (Application && !hooked_) {
        hooked_ = true;
        savedActivate_ = Application->OnActivate;
        savedDeactivate_ = Application->OnDeactivate;
        savedRestore_ = Application->OnRestore;
        savedMinimize_ = Application->OnMinimize;
        savedMessage_ = Application->OnMessage;
        Application->OnActivate = MakeMethod<&TKelvoDemoWinHost::Activate>(this);
        Application->OnDeactivate = MakeMethod<&TKelvoDemoWinHost::Deactivate>(this);
        Application->OnRestore = MakeMethod<&TKelvoDemoWinHost::Restore>(this);
        Application->OnMinimize = MakeMethod<&TKelvoDemoWinHost::Minimize>(this);
        Application->OnMessage = MakeMethod<&TKelvoDemoWinHost::Message>(this);
    }
    pacing_ = std::make_shared<TPacing>(TPacing{&playback});
    TKelvoDemoPlaybackThread::Run([pacing = pacing_] { return pacing->Playback && pacing->Playback->Tick(); });
}

void TKelvoDemoWinHost::EndRun() {
    // Usually called inside the run's last tick: its thread then ends by itself.
    if (pacing_) {
        pacing_->Playback = nullptr;
        pacing_.reset();
    }
    if (balloon_) balloon_->Hide();
    if (hooked_ && Application) {
        Application->OnActivate = savedActivate_;
        Application->OnDeactivate = savedDeactivate_;
        Application->OnRestore = savedRestore_;
        Application->OnMinimize = savedMinimize_;
        Application->OnMessage = savedMessage_;
    }
    hooked_ = false;
    playback_ = nullptr;
}

void TKelvoDemoWinHost::Forward(const TNotifyEvent& saved, TObject* sender, bool active) {
    if (saved) saved(sender);
    if (!playback_) return;
    if (active) {
        playback_->ApplicationActivated();
    } else {
        playback_->ApplicationDeactivated();
    }
}

void TKelvoDemoWinHost::Activate(TObject* sender) { Forward(savedActivate_, sender, true); }

void TKelvoDemoWinHost::Deactivate(TObject* sender) { Forward(savedDeactivate_, sender, false); }

void TKelvoDemoWinHost::Restore(TObject* sender) { Forward(savedRestore_, sender, true); }

void TKelvoDemoWinHost::Minimize(TObject* sender) { Forward(savedMinimize_, sender, false); }

void TKelvoDemoWinHost::Message(TMsg& msg, bool& handled) {
    if (playback_ && (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP)) {
        handled = playback_->KeyMessage(msg.message == WM_KEYDOWN, static_cast<std::uint16_t>(msg.wParam));
    }
    if (savedMessage_) savedMessage_(msg, handled);
}
