// The window that shows a graphics document: a scroll view whose document layer paints the working bitmap
// at the view's zoom. The document owns the view through a link that lets the main window free the control
// first (a window frees its children) without the document freeing it again.
#pragma once
#include <functional>

#include "app/core/KelvoGraphicsEditorRules.h"
#include "app/core/TKelvoDocument.h"
#include "app/core/TKelvoViewObject.h"
#include "app/win/TKelvoScrollViewControl.h"

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

class TKelvoGraphicsView : public TKelvoScrollViewControl {
    CLASSLIB_COMPONENT(TKelvoGraphicsView, TKelvoScrollViewControl)

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

protected:
    void MouseMove(TShiftState shift, int x, int y) override;

private:
    friend class TKelvoGraphicsViewLink;
    TKelvoGraphicsDocument& document_;
    TKelvoGraphicDocumentView* layer_ = nullptr;  // owned by the view's object list
    TKelvoGraphicsViewLink* link_ = nullptr;
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
