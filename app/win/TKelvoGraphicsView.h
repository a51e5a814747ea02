// The window that shows a graphics document: a scroll view whose document layer paints the working bitmap
// at the view's zoom. The document owns the view through a link that lets the main window free the control
// first (a window frees its children) without the document freeing it again.
#pragma once
#include <functional>

#include "app/core/IKelvoDemoParticipant.h"
#include "app/core/KelvoGraphicsEditorRules.h"
#include "app/core/TKelvoDocument.h"
#include "app/core/TKelvoViewObject.h"
#include "app/win/TKelvoScrollViewControl.h"
#include "app/win/TKelvoGraphicsToolControl.h"

class TKelvoGraphicsDocument;
class TKelvoGraphicsViewLink;

// The document layer: the working bitmap at its image coordinates.
class TKelvoGraphicDocumentView : public TKelvoViewObject {
public:
    explicit TKelvoGraphicDocumentView(TKelvoGraphicsDocument& document);
    void PaintBody(TKelvoViewCanvas& canvas) override;

private:
    TKelvoGraphicsDocument& document_;
};

// What the pointer shows in the status bar: the image point under it and its colour.
using TKelvoPointerStatus = std::function<void(TKelvoPoint imagePoint, TKelvoRGB colour)>;

// The tools' controls get the keys, the mouse, the wheel (as its sign) and the cursor, the topmost first; the
// view wants every key, so that the form's dialog keys (arrows, Enter, Esc) reach the tools.
class TKelvoGraphicsView : public TKelvoScrollViewControl {
    CLASSLIB_COMPONENT(TKelvoGraphicsView, TKelvoScrollViewControl)
    CLASSLIB_MESSAGES(TKelvoGraphicsView, CLASSLIB_ON(WM_GETDLGCODE, &TKelvoGraphicsView::WMGetDlgCode),
                      CLASSLIB_ON(WM_SETCURSOR, &TKelvoGraphicsView::WMSetCursor),
                      CLASSLIB_ON(WM_MOUSELEAVE, &TKelvoGraphicsView::WMMouseLeave),
                      CLASSLIB_ON(CM_MOUSELEAVE, &TKelvoGraphicsView::WMMouseLeave))

    TKelvoGraphicsView(TComponent* owner, TKelvoGraphicsDocument& document);
    ~TKelvoGraphicsView() override;

    TKelvoGraphicsDocument& Document() const { return document_; }
    TKelvoGraphicDocumentView& DocumentLayer() const { return *layer_; }

    // The zoom of the map mode (viewport extent : window extent).
    TKelvoZoom Zoom();
    // Sets the zoom keeping the image point under the client centre where it is.
    void SetZoom(const TKelvoZoom& zoom);
    // The image's bounds changed: the layer and the scroll extent follow.
    void ImageChanged();

    TKelvoPointerStatus OnPointerStatus;

    // Offers an event to the tools' controls, the topmost first; true when one took it.
    template <class F>
    bool RouteToToolControls(F&& offer);
    // Asks the controls again for the cursor at the pointer.
    void RequeryCursor();
    bool MouseInside() const { return mouseInside_; }

    void WMGetDlgCode(TMessage& message);
    void WMSetCursor(TMessage& message);
    void WMMouseLeave(TMessage& message);

protected:
    // While the editor records a demonstration, presses, drags and releases of the left and right buttons
    // are also written as script lines at their image points, before the tools' controls act on them.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    int ObjectWheelDelta(int wheelDelta) override;
    // The focus went elsewhere: every tool control is told.
    void DoExit() override;

private:
    friend class TKelvoGraphicsViewLink;
    // The editor's demonstration recorder, or null while nothing is recorded.
    static IKelvoDemoPlayback* Recorder();
    TPoint ImagePoint(int x, int y);

    TKelvoGraphicsDocument& document_;
    TKelvoGraphicDocumentView* layer_ = nullptr;  // owned by the view's object list
    TKelvoGraphicsViewLink* link_ = nullptr;
    bool mouseInside_ = false;
};

// The document's hold on its view control.
class TKelvoGraphicsViewLink : public TKelvoDocumentView {
public:
    explicit TKelvoGraphicsViewLink(TKelvoGraphicsView* view);
    ~TKelvoGraphicsViewLink() override;
    // Null once the control is gone.
    TKelvoGraphicsView* View() const { return view_; }
    void InvalidateImageRect(const TKelvoRect& rect) override;
    void ImageChanged() override;

private:
    friend class TKelvoGraphicsView;
    TKelvoGraphicsView* view_;
};

template <class F>
bool TKelvoGraphicsView::RouteToToolControls(F&& offer) {
    return RouteToObjects([&](TKelvoViewObject& o) {
        auto* control = dynamic_cast<TKelvoGraphicsToolControl*>(&o);
        return control && offer(*control);
    });
}
