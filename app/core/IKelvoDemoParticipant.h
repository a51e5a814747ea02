// How the program's components take part in guided demonstrations: the editor and every graphics tool answer
// the commands and pointer targets a script names that nobody registered by name, and while a script is
// recorded they write the lines that replay what the user did. The demonstration layer sits above the editor, so
// the editor sees the playback only through IKelvoDemoPlayback.
#pragma once
#include <cstdint>
#include <functional>

#include "classlib/core/Geometry.h"
#include "classlib/core/TGUID.h"
#include "classlib/core/Types.h"

class TKelvoProperties;

// What a component uses of the demonstration playback.
class IKelvoDemoPlayback {
public:
    // Appends a script line at the recording position (only while recording).
    virtual void AddLine(const AnsiString& text) = 0;
    // Whether recording also writes "Message" lines.
    virtual bool ShowMessages() const = 0;
    // A played command failed ("Cannot open the file."): the user is told, and the demonstration ends unless
    // the answer is to go on.
    virtual void ReportError(const AnsiString& message) = 0;

    // Recording a command run by a button: "MouseCurvedMove <name>", then "Message \"<message>\"" when
    // messages are recorded, then "<name>".
    virtual void RecordCommand(const AnsiString& name, const AnsiString& message) = 0;
    // Recording the mouse on a target that takes a point ("Image"): a button press at point, each move of
    // the held button to a point not recorded last, the release ending the drag.
    virtual void RecordMouseDown(const AnsiString& target, TPoint point, bool rightButton) = 0;
    virtual void RecordMouseMove(const AnsiString& target, TPoint point) = 0;
    virtual void RecordMouseUp(const AnsiString& target, TPoint point, bool rightButton) = 0;

protected:
    ~IKelvoDemoPlayback() = default;
};

// The steps a command adds to run after it, one per tick, as if they were script lines: a command that
// must wait between its changes never blocks the user-interface thread.
class IKelvoDemoMacro {
public:
    // A script line ("Pause 0.5").
    virtual void AddLine(const AnsiString& line) = 0;
    // Program code run as one step.
    virtual void AddCall(std::function<void()> call) = 0;

protected:
    ~IKelvoDemoMacro() = default;
};

class IKelvoDemoParticipant {
public:
    static constexpr TGUID IID = TGUID::Parse("{337C31B6-B4C2-4951-AE25-F7644D01E59E}");

    // command is upper-cased; handled arrives false and is set by the component that runs the command.
    virtual void ExecuteDemoCommand(IKelvoDemoPlayback& playback, const AnsiString& command, bool& handled,
                                    IKelvoDemoMacro& macro, const TKelvoProperties& params) = 0;
    // The screen point of the target the parameters name (the first one is the target's name); found arrives
    // false.
    virtual void GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& point) = 0;
    virtual void SetRecorder(IKelvoDemoPlayback* playback) = 0;
    virtual void ClearRecorder() = 0;

protected:
    ~IKelvoDemoParticipant() = default;
};
