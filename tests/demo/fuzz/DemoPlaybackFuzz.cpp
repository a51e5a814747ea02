// Plays arbitrary bytes as the command lines of a demonstration against a fake system whose clock jumps a
// second per tick: no number of a script may crash the engine or leave the pointer out of range, and however
// the run ends, the pointer is shown again, the hints are back on and the balloon is gone.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "demo/core/TKelvoDemoPlayback.h"

namespace {

class TFuzzHost : public IKelvoDemoHost {
public:
    std::uint32_t now = 0xFFFFF000u;  // the clock wraps during the run
    TPoint pointer;
    int pointerShown = 0;
    int hintsShown = 0;
    bool balloon = false;

    std::uint32_t TickCount() override { return now; }
    TPoint CursorPos() override { return pointer; }
    void MovePointer(TPoint point) override {
        if (std::abs(point.X) > 32768 || std::abs(point.Y) > 32768) __builtin_trap();
        pointer = point;
    }
    void MouseButton(std::uint32_t) override {}
    bool ButtonsSwapped() override { return false; }
    void ShowPointer(bool show) override { pointerShown += show ? 1 : -1; }
    void ShowHints(bool show) override { hintsShown += show ? 1 : -1; }
    void ShowBalloon(TPoint, std::int32_t, const WideString&) override { balloon = true; }
    void HideBalloon() override { balloon = false; }
    void BeginRun(TKelvoDemoPlayback&) override {}
    void EndRun() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzHost host;
    TKelvoDemoScript script;
    script.Reset();
    std::string line;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == '\n') {
            script.GetLines().push_back(line);
            line.clear();
        } else {
            line += char(data[i]);
        }
    }
    {
        TKelvoDemoPlayback playback(host);
        playback.SetScript(script);
        int errors = 0;
        // The first error goes on, the rest stop; a target named "A" exists, and a command "CMD" adds its first
        // parameter as a line of its macro.
        playback.Events.OnError = [&](const AnsiString&, bool& stop, const AnsiString&) { stop = errors++ > 0; };
        playback.Events.OnResolveTarget = [](const TKelvoDemoScriptParams& params, bool& found, TPoint& point) {
            AnsiString name;
            found = params.GetText(0, name) && name == "A";
            point = Point(5, 5);
        };
        playback.Events.OnUserCommand = [](const AnsiString& word, const TKelvoDemoScriptParams& params,
                                           IKelvoDemoMacro& macro, bool& handled) {
            AnsiString text;
            if (word != "CMD") return;
            handled = true;
            if (params.GetText(0, text)) macro.AddLine(text);
        };
        playback.Play(0);
        for (int tick = 0; tick < 3000 && playback.Tick(); ++tick) host.now += 1000;
        playback.Stop();
        playback.Tick();
        if (playback.IsPlaying()) __builtin_trap();
    }
    if (host.pointerShown != 0 || host.hintsShown != 0 || host.balloon) __builtin_trap();
    return 0;
}
