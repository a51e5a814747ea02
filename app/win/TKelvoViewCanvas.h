// The double buffer of one paint of a view: a top-down 24-bit DIB section in a memory DC that covers the
// window's client coordinates from (0, 0) to the bottom-right of the update region, clipped to that region,
// with a TCanvas and a pixel descriptor over it, and a stack of saved clip states for the overlays that are
// painted after the bodies. EndPaint copies the update box to the window in one BitBlt.
//
// The section and the memory DC are kept from one paint to the next and made again only when a paint needs
// a larger one: a one-line scroll of a large view then costs one line, not an allocation of the whole view.
// Whoever writes pixels through Pixels() stays inside ClipBox() and calls GdiFlush first when GDI drew
// before.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "app/core/KelvoGeometry.h"
#include "app/core/TKelvoMapMode.h"
#include "app/core/TKelvoPixels.h"
#include "classlib/core/TObject.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/MemoryDC.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/Win32.h"

class TKelvoViewObject;

class TKelvoViewCanvas : public TObject {
    CLASSLIB_CLASS(TKelvoViewCanvas, TObject)

public:
    static constexpr COLORREF DefaultBackground = 0x404040;

    TKelvoViewCanvas();
    ~TKelvoViewCanvas() override;

    // The view's mapping.
    TKelvoMapMode& MapMode() { return map_; }
    const TKelvoMapMode& MapMode() const { return map_; }
    // The back buffer during a paint: pixels at client coordinates (0, 0) to (box right, box bottom).
    TKelvoCanvasPixels& Pixels() { return pixels_; }
    // Drawing on the memory DC during a paint.
    TCanvas* Canvas() { return canvas_.get(); }
    HDC MemoryDC() const { return memoryDC_.Get(); }
    HDC PaintDC() const { return paintDC_; }
    HWND Window() const { return window_; }
    // The bounding box of the region being painted.
    const TKelvoRect& UpdateBox() const { return box_; }
    COLORREF BackgroundColor() const { return background_; }
    void SetBackgroundColor(COLORREF value) { background_ = value; }

    // Starts a paint of window: false (and the window validated, nothing drawn) when it has nothing to
    // paint or the buffer cannot be made; then EndPaint must not be called.
    bool BeginPaint(HWND window);
    // Copies the update box to the window and ends the window's paint.
    void EndPaint();

    // The clip stack: Push saves the clip region as it is now with the object; Pop restores the last one
    // saved and answers its object, false when the stack is empty.
    void PushState(TKelvoViewObject* object);
    bool PopState(TKelvoViewObject*& object);
    int Depth() const { return depth_; }

    // The current clip of the memory DC.
    bool ClipMeets(const TKelvoRect& rect) const;
    bool ClipIsEmpty() const;
    TKelvoRect ClipBox() const;
    // Takes rect out of the clip: what a body covers is then kept from everything painted after it.
    void ExcludeFromClip(const TKelvoRect& rect);
    // Fills the clip's bounding box (through the clip) with the background colour.
    void FillBackground();

private:
    struct TClipEntry {
        TKelvoViewObject* Object = nullptr;
        TGdiHandle<HRGN> Region;
        bool HadClip = false;
    };
    // A section of at least width x height in the memory DC; false when it cannot be made.
    bool EnsureBuffer(std::int32_t width, std::int32_t height);
    void ReleaseBuffer();

    TKelvoMapMode map_;
    TKelvoCanvasPixels pixels_;
    TObjectPtr<TCanvas> canvas_;
    std::vector<TClipEntry> stack_;
    int depth_ = 0;
    HWND window_ = nullptr;
    HDC paintDC_ = nullptr;
    TGdiHandle<HBITMAP> section_;  // declared before the DC that holds it: freed after it
    TMemoryDC memoryDC_;
    Byte* bits_ = nullptr;
    std::int32_t sectionWidth_ = 0, sectionHeight_ = 0;
    TGdiHandle<HRGN> update_;
    TKelvoRect box_;
    PAINTSTRUCT paint_{};
    COLORREF background_ = DefaultBackground;
};
