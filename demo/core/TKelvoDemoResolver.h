// Answers the commands and pointer targets a script names beyond the built-in words: first through the names
// the editor and the tools registered, then by asking every component that takes part in demonstrations, in
// component order, until one answers.
#pragma once
#include <functional>
#include <vector>

#include "app/core/IKelvoDemoParticipant.h"
#include "demo/core/TKelvoDemoScriptParams.h"

class TComponent;
class TKelvoDemoPlayback;

// The registered names (kept upper-cased; the first registration of a name answers).
class IKelvoDemoNames {
public:
    // The screen point of the target named by the first parameter; false when no target has the name.
    virtual bool FindTarget(const TKelvoDemoScriptParams& params, TPoint& point) = 0;
    // Runs the command of the upper-cased word; false when no command has the name.
    virtual bool RunCommand(const AnsiString& word, const TKelvoDemoScriptParams& params, IKelvoDemoMacro& macro) = 0;

protected:
    ~IKelvoDemoNames() = default;
};

// The application's components that implement IKelvoDemoParticipant, in component order.
using TKelvoDemoParticipants = std::function<std::vector<IKelvoDemoParticipant*>()>;

// The components of owner (the application) that implement IKelvoDemoParticipant, in component order, looked
// up on every call, so that a component made or freed since counts as it is now.
TKelvoDemoParticipants ParticipantsOf(TComponent& owner);

class TKelvoDemoResolver {
public:
    // names may be null (nothing registered); both must outlive the resolver.
    TKelvoDemoResolver(IKelvoDemoNames* names, TKelvoDemoParticipants participants)
        : names_(names), participants_(std::move(participants)) {}

    bool ResolveTarget(const TKelvoDemoScriptParams& params, TPoint& point);
    bool RunCommand(IKelvoDemoPlayback& playback, const AnsiString& word, const TKelvoDemoScriptParams& params,
                    IKelvoDemoMacro& macro);

    // Makes this resolver answer the playback's target and command questions.
    void Attach(TKelvoDemoPlayback& playback);

private:
    IKelvoDemoNames* names_;
    TKelvoDemoParticipants participants_;
};
