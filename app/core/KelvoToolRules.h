// The decisions of the tools' on-view controls, apart from the windows they act on: which control takes an
// event, the wheel's step, the hand's panning drag and its keys, and a tool that takes over for as long as a
// key or a button is held and then gives the editor back the tool it had.
#pragma once
#include <cstdint>

#include "app/core/KelvoGeometry.h"
#include "classlib/core/ControlTypes.h"

// The wheel reaches the controls as a step: -1 for a turn towards the user, else +1 (a zero delta, which some
// drivers send, counts as +1).
inline int KelvoWheelStep(int delta) { return delta < 0 ? -1 : 1; }

// Virtual-key codes the tools answer.
constexpr std::uint16_t KelvoKeySpace = 32;
constexpr std::uint16_t KelvoKeyOriginal = 79;  // "O"
constexpr std::uint16_t KelvoKeyZoomIn = 187;   // "=" / "+"
constexpr std::uint16_t KelvoKeyZoomOut = 189;  // "-"

// The editor's current tool as a tool that takes over sees it. Tools are compared by identity only.
class IKelvoToolSelection {
public:
    virtual void* CurrentTool() const = 0;
    virtual void SetCurrentTool(void* tool) = 0;

protected:
    ~IKelvoToolSelection() = default;
};

// One tool taking over for a while: Take remembers the current tool and makes this one current; GiveBack makes
// the remembered one current again. A take while this tool is already current does nothing, so an auto-repeated
// key cannot overwrite what was remembered.
class TKelvoToolTakeover {
public:
    explicit TKelvoToolTakeover(void* self) : self_(self) {}
    // True when the tool was taken now.
    bool Take(IKelvoToolSelection& selection);
    // Only after a take: when this tool is still current the remembered tool comes back; when the user chose
    // another tool in between, the remembered tool comes back as well, since the key that took over is
    // released. True when a take was pending.
    bool GiveBack(IKelvoToolSelection& selection);
    bool Pending() const { return pending_; }
    // The tool was chosen for good (its button): nothing is to be given back.
    void Forget() { pending_ = false; }

private:
    void* self_;
    void* remembered_ = nullptr;
    bool pending_ = false;
};

// What the hand's control does with a key.
enum class TKelvoHandKey { None, Take, GiveBack, ZoomIn, ZoomOut };
// Key down: Space takes the hand when its control is hidden; the zoom keys zoom (not reported handled).
TKelvoHandKey HandKeyDown(std::uint16_t key, bool shown);
// Key up: Space gives back when a take is pending.
TKelvoHandKey HandKeyUp(std::uint16_t key, bool takePending);
// The view lost the keyboard focus: the release of a Space held there goes to another window, so a pending
// take gives back now rather than leave the hand current.
TKelvoHandKey HandFocusLost(bool takePending);

// The hand's drag: the left button pans the content with the pointer.
class TKelvoPanDrag {
public:
    // True (handled) when a left-button drag starts.
    bool Down(TMouseButton button, TKelvoPoint point, bool shown);
    // The wanted move of the content, before the caller limits it to the scroll ranges; nothing unless dragging.
    bool Move(TKelvoPoint point, std::int32_t& dx, std::int32_t& dy) const;
    // The content moved by (dx, dy): the drag point follows.
    void Moved(std::int32_t dx, std::int32_t dy);
    bool Up(TMouseButton button, bool shown);
    void Stop() { dragging_ = false; }
    bool Dragging() const { return dragging_; }

private:
    bool dragging_ = false;
    TKelvoPoint last_{};
};
