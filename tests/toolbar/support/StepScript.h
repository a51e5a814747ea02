// A script of steps for window tests of the menu loop: the steps run one after another on a 15 ms thread
// timer, which a running menu loop dispatches too, so a step can send input while the loop runs and the next
// one wait for what it did. A step returns true when it is done (a waiting step returns false until its
// condition holds). A step that waits longer than the shared pump's time limit fails the script, which then
// ends a running loop of its root view. Messages go through the application, as in the program.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/classlib/gui/ApplicationTestSupport.h"
#include "toolbar/win/TTBView.h"

namespace toolbartest {

struct Script {
    struct Step {
        std::string name;
        std::function<bool()> run;
    };
    std::vector<Step> steps;
    std::size_t next = 0;
    DWORD started = 0;
    std::string failure;
    TTBView* root = nullptr;
    bool Finished() const { return next >= steps.size(); }
};

inline Script*& RunningScript() {
    static Script* script = nullptr;
    return script;
}

inline void CALLBACK ScriptTick(HWND, UINT, UINT_PTR, DWORD) {
    Script* running = RunningScript();
    if (!running || running->Finished()) return;
    Script& s = *running;
    if (::GetTickCount() - s.started > testsupport::kPumpTimeoutMs) {
        s.failure = "timed out at: " + s.steps[s.next].name;
        s.next = s.steps.size();
        if (s.root && (s.root->State() & kVsModal)) s.root->EndModal();
        return;
    }
    const std::size_t at = s.next;
    if (s.steps[at].run() && s.next == at) {
        ++s.next;
        s.started = ::GetTickCount();
    }
}

// The script runs for the lifetime of this object (whoever pumps the messages meanwhile).
class ScriptRun {
public:
    explicit ScriptRun(Script& script) {
        RunningScript() = &script;
        script.started = ::GetTickCount();
        timer_ = ::SetTimer(nullptr, 0, 15, &ScriptTick);
    }
    ~ScriptRun() {
        ::KillTimer(nullptr, timer_);
        RunningScript() = nullptr;
    }
    ScriptRun(const ScriptRun&) = delete;
    ScriptRun& operator=(const ScriptRun&) = delete;

private:
    UINT_PTR timer_;
};

// Handles messages until the running script has finished, each step within its time limit (and the whole within
// timeout, when one is given); a script that stops short is a failure.
inline void WaitForScript(Script& script, DWORD timeout = 0) {
    const DWORD limit = timeout ? timeout : static_cast<DWORD>(script.steps.size() + 1) * testsupport::kPumpTimeoutMs;
    if (!apptest::PumpUntil([&] { return script.Finished(); }, limit) && script.failure.empty())
        script.failure = "stopped at: " + script.steps[script.next].name;
}

// Runs the script to its end with the root view whose loop a failure ends, then handles what the last steps
// queued; the failure, empty when every step ran.
inline std::string RunScript(Script& script, TTBView* root, DWORD timeout = 0) {
    script.root = root;
    {
        ScriptRun run(script);
        WaitForScript(script, timeout);
    }
    apptest::PumpQueued();
    return script.failure;
}

}  // namespace toolbartest
