// The decisions of a list shown in a popup view: how many lines show, where the list starts scrolled and
// which line is highlighted when it opens, which line lies under a point, how far a line must scroll to be
// seen, where the navigation keys go, how fast dragging past the ends scrolls, and how wheel turns add up.
// Plain integers only, so that the viewer's window code stays a thin caller.
#pragma once

namespace skin {

// Lines shown at once: maxVisible when the list is longer, else all lines, and never fewer than one (an
// empty list is one line high; a limit below one counts as one).
int ListVisibleLines(int count, int maxVisible);

struct TListStart {
    int offset = 0;        // the first line shown
    int highlighted = -1;  // the highlighted line, -1 for none
};
// Where a list opens: scrolled just far enough that the chosen line is seen, with that line highlighted.
// An ItemIndex outside [0, count) (none, or a line removed since it was chosen) highlights nothing.
TListStart ListStartAt(int count, int maxVisible, int itemIndex);

// The line under a point of the viewer (x, y in the viewer's own coordinates), -1 when there is none: left of
// the lines, over the scroll bar, above the first line, or past the visible or the last line.
int ListLineAtPoint(int x, int y, int width, int barWidth, int lineHeight, int offset, int visible, int count);

// The first line shown after index is scrolled into view; offset itself when index lies outside [0, count)
// or is already shown.
int ListScrollIntoView(int index, int offset, int visible, int count);

// The line a clamped target becomes: the lower bound first and the upper last, so that an empty list
// answers -1.
int ClampListIndex(int target, int count);

enum class TListKey { Enter, PageUp, PageDown, Home, End, Up, Down };
// The ItemIndex a navigation key chooses from the highlighted line. Enter takes the highlighted line only
// when it exists (else -1); the others move from it and are clamped to [0, count - 1].
int ListKeyTarget(TListKey key, int highlighted, int visible, int count);

struct TListAutoScroll {
    int interval = 0;  // milliseconds between steps
    int lines = 0;     // lines per step
};
// How fast a drag past the lines scrolls, by the distance of the pointer from them (either sign).
TListAutoScroll ListAutoScrollSpeed(int distance);

// Wheel turns add up until a notch (120) is complete; each complete notch scrolls one line.
class TListWheel {
public:
    // The lines to scroll for this delta: positive up (toward the first line), negative down.
    int Add(int delta);
    int Pending() const { return pending_; }

private:
    int pending_ = 0;
};

}  // namespace skin
