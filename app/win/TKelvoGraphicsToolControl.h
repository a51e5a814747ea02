// A tool's part on one view: an object in the view's list (the view owns it) that the view offers the mouse,
// the wheel, the keys and the cursor, the topmost control first. It is hidden (an overlay that does not count in
// the scroll extent) until its tool is activated. Every answer is false here: a control takes only the events
// its tool needs.
#pragma once
#include <cstdint>
#include <memory>

#include "app/core/TKelvoViewObject.h"

class TKelvoGraphicsTool;
class TKelvoGraphicsView;

class TKelvoGraphicsToolControl : public TKelvoViewObject {
    CLASSLIB_CLASS(TKelvoGraphicsToolControl, TKelvoViewObject)

public:
    // Registers with the tool; Create adds it to the view.
    TKelvoGraphicsToolControl(TKelvoGraphicsTool& tool, TKelvoGraphicsView& view);
    // Leaves the tool's list (when the tool is still there).
    ~TKelvoGraphicsToolControl() override;

    // Makes a control of class T for (tool, view): registered with the tool, on top of the view's objects
    // (which own it), then InitControl.
    template <class T>
    static T* Create(TKelvoGraphicsTool& tool, TKelvoGraphicsView& view) {
        auto control = std::make_unique<T>(tool, view);
        T* made = control.get();
        AddToView(view, control.release());
        made->InitControl();
        return made;
    }

    TKelvoGraphicsTool* Tool() const { return tool_; }
    TKelvoGraphicsView& View() const { return view_; }
    bool Shown() const { return shown_; }

    virtual void InitControl() {}
    virtual void Show();
    virtual void Hide();
    // cursor: an index of the screen's cursor table.
    virtual bool GetCursor(TShiftState shift, TKelvoPoint point, int& cursor) { return false; }
    virtual bool MouseEnter() { return false; }
    virtual bool MouseLeave() { return false; }
    // The view lost the keyboard focus: keys held down there will not be seen released. Every control hears it.
    virtual void FocusLost() {}

    // Repaints the area it covers when the state changes.
    void SetVisible(bool value) override;
    // Overlay, not counted in the scroll extent, hidden.
    void Reset() override;
    // Its device area on the view, without erasing.
    void Invalidate();
    // The view asks again which cursor to show.
    void RequeryCursor();

private:
    friend class TKelvoGraphicsTool;
    static void AddToView(TKelvoGraphicsView& view, TKelvoGraphicsToolControl* control);

    TKelvoGraphicsTool* tool_;  // null once the tool is gone
    TKelvoGraphicsView& view_;
    bool shown_ = false;
};
