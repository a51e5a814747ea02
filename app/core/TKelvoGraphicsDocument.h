// One open image: the working bitmap the tools change, the original bitmap as it was read, the committed
// buffer (the working pixels as of the last undo step), the image's property items and resolution, an
// optional image area (the part that is shown and saved) and the one open edit with the rectangle it changed.
//
// Outside an edit the committed buffer has the working bitmap's bounds and pixels. An undo step keeps two
// snapshots of the rectangle an edit changed (before and after), never the whole image.
//
// A freshly read image has one block of pixels: until the first edit the original and the committed buffer
// are the working pixels themselves, and only BeginEditing (or a change of the working pixels that leaves the
// original behind) makes them copies of their own. Opening a photo to look at it never copies it.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "app/core/TKelvoBitmap.h"
#include "app/core/TKelvoDocument.h"
#include "app/core/TKelvoPixelBuffer.h"
#include "app/core/TKelvoGraphicsDocumentProperties.h"

class TKelvoGraphicsDocument;

// What a document tells the graphics tools, and what it asks of the tool whose edit it holds.
class IKelvoGraphicsTool {
public:
    // Finish the open edit (commit what it changed).
    virtual void EndEdit() = 0;
    virtual void DocumentOpened(TKelvoGraphicsDocument& document) {}
    virtual void DocumentClosing(TKelvoGraphicsDocument& document) {}
    virtual void BeforeSave(TKelvoGraphicsDocument& document) {}
    // An undo step was made, undone or redone over rect.
    virtual void StateApplied(TKelvoGraphicsDocument& document, IKelvoGraphicsTool* tool, const TKelvoRect& rect) {}
    // The document goes away: a tool still bound to it must forget it.
    virtual void DocumentFreed(TKelvoGraphicsDocument& document) {}
    // Around one undo or redo step: the state next to undo (redo) before the step, then the one next after it
    // (null at the end of the history).
    virtual void BeforeUndo(TKelvoCommandState* state) {}
    virtual void AfterUndo(TKelvoCommandState* state) {}
    virtual void BeforeRedo(TKelvoCommandState* state) {}
    virtual void AfterRedo(TKelvoCommandState* state) {}

protected:
    ~IKelvoGraphicsTool() = default;
};

// What the graphics editor lends its documents.
struct TKelvoGraphicsDocumentHooks {
    // Every graphics tool, in creation order.
    std::function<std::vector<IKelvoGraphicsTool*>()> Tools;
    // Makes a document's view on its first request (the view controls plug in here); none when empty.
    std::function<std::unique_ptr<TKelvoDocumentView>(TKelvoGraphicsDocument&)> MakeView;
    // Shows the image's width and height (the status bar).
    std::function<void(std::int32_t width, std::int32_t height)> ShowSize;
    // Reports an error to the user (a step that could not be kept for undo).
    std::function<void(const std::u16string& text)> ShowError;
    // Whether the current tool stays active through an undo or redo; when it does not, SetToolAside(true)
    // puts it aside before the broadcasts and SetToolAside(false) brings it back after them.
    std::function<bool()> KeepTool;
    std::function<void(bool aside)> SetToolAside;
};

class TKelvoGraphicsDocument : public TKelvoDocument {
public:
    TKelvoGraphicsDocument(TKelvoEditorDocuments& editor, TKelvoGraphicsDocumentHooks hooks = {});
    ~TKelvoGraphicsDocument() override;

    // The tools' broadcasts.
    void Closing() override;
    void BeforeSave() override;
    void Opened() override;
    void AbandonEdit() override { EndEditing(editingTool_); }

    // The working bitmap was just read: the original and the committed buffer are these pixels too, until
    // the first edit.
    void LoadedWorking();

    // Opens an edit for tool; an edit of another tool is finished first. The dirty rectangle starts empty.
    // The original and the committed buffer become copies of their own first: when their memory cannot be
    // had it raises EOutOfMemory and no edit is opened.
    void BeginEditing(IKelvoGraphicsTool* tool);
    // Closes the edit. Called by the document itself (caller null) it finishes the tool's edit through
    // EndEdit; called by the tool, it does not call back.
    void EndEditing(IKelvoGraphicsTool* caller);
    // Forgets the edit without an undo step.
    void ClearEditing();
    bool Editing() const { return editing_; }
    IKelvoGraphicsTool* EditingTool() const { return editingTool_; }
    const TKelvoRect& DirtyRect() const { return dirty_; }
    // dirty := rect when replace or while empty, else the union; rect is repainted.
    void AddDirtyRect(const TKelvoRect& rect, bool replace);
    void InvalidateImageRect(const TKelvoRect& rect);

    // Turns the changes of the open edit into an undo step of tool (nothing when nothing changed) and brings
    // the committed buffer in step: the dirty rectangle alone while the bounds agree, else a full copy. When
    // the memory for the step cannot be had, the document and its history stay as they were (the edit stays
    // open), the error is shown and the result is false.
    bool CommitEdit(IKelvoGraphicsTool* tool);

    TKelvoLTBitmap& Working() { return working_; }
    // The image as it was read. Before the first edit that is the working bitmap itself: read it, never
    // change it through here.
    TKelvoLTBitmap& Original() { return originalShared_ ? working_ : original_; }
    TKelvoPixels& GetPixels() { return working_.GetPixels(); }
    TKelvoPixels& GetOriginalPixels() { return Original().GetPixels(); }
    // Made a copy of its own on the first request (EOutOfMemory when it cannot be).
    TKelvoPixelBuffer& Committed();
    // Whether the original is still the working bitmap's own block (no edit since the image was read).
    bool OriginalShared() const { return originalShared_; }
    TKelvoGraphicsDocumentProperties& Properties() { return properties_; }
    std::int32_t ResolutionX() const { return properties_.HorizontalResolution; }
    std::int32_t ResolutionY() const { return properties_.VerticalResolution; }
    void SetResolution(std::int32_t x, std::int32_t y) {
        properties_.HorizontalResolution = x;
        properties_.VerticalResolution = y;
    }

    // The stored image area, else the working bitmap's bounds.
    TKelvoRect GetImageRect() const;
    // The stored area itself: empty means the whole image.
    const TKelvoRect& ImageArea() const { return area_; }
    // Clipped to the bitmap; a result equal to the whole bitmap (or empty) clears the area.
    void SetImageRect(const TKelvoRect& rect);

    // Committed buffer := the working pixels (bounds and content).
    void SyncCommitted();

    // The image operations turn, mirror, crop or resize both bitmaps and move the area with the pixels; each
    // ends with the committed buffer in step and the view told. False when a bitmap could not be changed
    // (no memory): the working bitmap is then as it was.
    bool RotateLeft();
    bool RotateRight();
    bool FlipHorizontal();
    bool FlipVertical();
    // rect clipped to the bitmap; nothing (false) when empty; the area is cleared.
    bool Crop(const TKelvoRect& rect);
    // The working pixels take buffer (its top-left lands at (0, 0)); the original's too when one is given.
    bool ReplaceImage(const TKelvoPixels& buffer, const TKelvoPixels* originalBuffer);
    void CopyImageTo(TKelvoPixelBuffer& buffer, TKelvoPixelBuffer* originalBuffer) const;
    // An area offset from the top-left is cropped to first; with scaleArea the area is scaled (inwards);
    // with resizeOriginal the original follows (an original of another size in proportion).
    bool Resize(std::int32_t width, std::int32_t height, bool resizeOriginal, bool scaleArea);
    // The working image scaled (Lanczos) to fit a square of size; null when it cannot be made.
    std::unique_ptr<TKelvoLTBitmap> CreateThumbnail(std::int32_t size) const;

    // Every graphics tool, in creation order.
    std::vector<IKelvoGraphicsTool*> Tools() const;
    void ShowError(const std::u16string& text) const;

protected:
    std::unique_ptr<TKelvoDocumentView> CreateView() override;

private:
    // The view follows the new image; the size display too.
    void Refresh();
    // The original (committed buffer) a copy of its own; false (EOutOfMemory) when its memory cannot be had.
    bool SeparateOriginal();
    void SeparateCommitted();
    // Runs op on both bitmaps and moves the area with moveArea over side (the width or height before).
    bool TurnOrMirror(bool (TKelvoLTBitmap::*op)(), TKelvoRect (*moveArea)(const TKelvoRect&, std::int32_t),
                      std::int32_t side);

    TKelvoGraphicsDocumentHooks hooks_;
    TKelvoRect area_;
    TKelvoRect dirty_;
    bool editing_ = false;
    IKelvoGraphicsTool* editingTool_ = nullptr;
    TKelvoLTBitmap working_;
    TKelvoLTBitmap original_;
    TKelvoPixelBuffer committed_;
    // Set while the original (the committed buffer) has no pixels of its own and is the working bitmap.
    bool originalShared_ = false;
    bool committedShared_ = false;
    TKelvoGraphicsDocumentProperties properties_;
};
