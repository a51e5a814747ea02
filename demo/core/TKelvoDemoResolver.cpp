#include "demo/core/TKelvoDemoResolver.h"

#include "classlib/core/TComponent.h"
#include "demo/core/TKelvoDemoPlayback.h"

TKelvoDemoParticipants ParticipantsOf(TComponent& owner) {
    return [&owner] {
        std::vector<IKelvoDemoParticipant*> participants;
        for (int i = 0; i < owner.ComponentCount(); ++i) {
            if (auto* participant = dynamic_cast<IKelvoDemoParticipant*>(owner.Components(i))) {
                participants.push_back(participant);
            }
        }
        return participants;
    };
}

bool TKelvoDemoResolver::ResolveTarget(const TKelvoDemoScriptParams& params, TPoint& point) {
    if (names_ && names_->FindTarget(params, point)) return true;
    if (!participants_) return false;
    for (IKelvoDemoParticipant* participant : participants_()) {
        bool found = false;
        participant->GetDemoTargetPoint(params, found, point);
        if (found) return true;
    }
    return false;
}

bool TKelvoDemoResolver::RunCommand(IKelvoDemoPlayback& playback, const AnsiString& word,
                                    const TKelvoDemoScriptParams& params, IKelvoDemoMacro& macro) {
    if (names_ && names_->RunCommand(word, params, macro)) return true;
    if (!participants_) return false;
    for (IKelvoDemoParticipant* participant : participants_()) {
        bool handled = false;
        participant->ExecuteDemoCommand(playback, word, handled, macro, params);
        if (handled) return true;
    }
    return false;
}

void TKelvoDemoResolver::Attach(TKelvoDemoPlayback& playback) {
    playback.Events.OnResolveTarget = [this](const TKelvoDemoScriptParams& params, bool& found, TPoint& point) {
        found = ResolveTarget(params, point);
    };
    playback.Events.OnUserCommand = [this, &playback](const AnsiString& word, const TKelvoDemoScriptParams& params,
                                                      IKelvoDemoMacro& macro, bool& handled) {
        handled = RunCommand(playback, word, params, macro);
    };
}
