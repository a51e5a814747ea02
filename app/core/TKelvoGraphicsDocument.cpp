#include "app/core/TKelvoGraphicsDocument.h"

#include <algorithm>

#include "app/core/KelvoDocumentRules.h"
#include "app/core/KelvoPixelOps.h"
#include "app/core/TKelvoGraphicsCommandState.h"
#include "classlib/core/Exceptions.h"

namespace {

constexpr char16_t StepTooLargeText[] = u"There is not enough memory to keep this change for undo.";

TKelvoRect UnionRects(const TKelvoRect& a, const TKelvoRect& b) {
    return TKelvoRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                      std::max(a.Bottom, b.Bottom)};
}

}  // namespace

TKelvoGraphicsDocument::TKelvoGraphicsDocument(TKelvoEditorDocuments& editor, TKelvoGraphicsDocumentHooks hooks)
    : TKelvoDocument(editor), hooks_(std::move(hooks)) {}

TKelvoGraphicsDocument::~TKelvoGraphicsDocument() {
    DestroyView();
    // A tool still bound to an edit here would keep pointers into freed pixels.
    for (IKelvoGraphicsTool* t : Tools()) t->DocumentFreed(*this);
}

std::vector<IKelvoGraphicsTool*> TKelvoGraphicsDocument::Tools() const {
    return hooks_.Tools ? hooks_.Tools() : std::vector<IKelvoGraphicsTool*>{};
}

void TKelvoGraphicsDocument::ShowError(const std::u16string& text) const {
    if (hooks_.ShowError) hooks_.ShowError(text);
}

std::unique_ptr<TKelvoDocumentView> TKelvoGraphicsDocument::CreateView() {
    return hooks_.MakeView ? hooks_.MakeView(*this) : nullptr;
}

void TKelvoGraphicsDocument::Closing() {
    for (IKelvoGraphicsTool* t : Tools()) t->DocumentClosing(*this);
}

void TKelvoGraphicsDocument::BeforeSave() {
    for (IKelvoGraphicsTool* t : Tools()) t->BeforeSave(*this);
}

void TKelvoGraphicsDocument::Opened() {
    for (IKelvoGraphicsTool* t : Tools()) t->DocumentOpened(*this);
}

void TKelvoGraphicsDocument::LoadedWorking() {
    original_.FreeBitmap();
    committed_.Clear();
    originalShared_ = true;
    committedShared_ = true;
}

bool TKelvoGraphicsDocument::SeparateOriginal() {
    if (!originalShared_) return true;
    if (!original_.Assign(working_.GetPixels())) return false;
    originalShared_ = false;
    return true;
}

void TKelvoGraphicsDocument::SeparateCommitted() {
    if (!committedShared_) return;
    TKelvoLTBitmap::CopyBitmapToPixels(working_, committed_);
    committedShared_ = false;
}

TKelvoPixelBuffer& TKelvoGraphicsDocument::Committed() {
    SeparateCommitted();
    return committed_;
}

void TKelvoGraphicsDocument::BeginEditing(IKelvoGraphicsTool* tool) {
    // Before anything changes: an edit that cannot be undone or compared is not begun.
    if (!SeparateOriginal()) throw EOutOfMemory("Out of memory");
    SeparateCommitted();
    if (editing_) EndEditing(nullptr);
    dirty_ = TKelvoRect{};
    editingTool_ = tool;
    editing_ = true;
}

void TKelvoGraphicsDocument::EndEditing(IKelvoGraphicsTool* caller) {
    editing_ = false;
    // The tool's EndEdit commits from the dirty rectangle: it is cleared only afterwards.
    if (caller == nullptr && editingTool_) editingTool_->EndEdit();
    editingTool_ = nullptr;
    dirty_ = TKelvoRect{};
}

void TKelvoGraphicsDocument::ClearEditing() {
    editing_ = false;
    editingTool_ = nullptr;
    dirty_ = TKelvoRect{};
}

void TKelvoGraphicsDocument::AddDirtyRect(const TKelvoRect& rect, bool replace) {
    dirty_ = replace || dirty_.IsEmpty() ? rect : UnionRects(dirty_, rect);
    InvalidateImageRect(rect);
}

void TKelvoGraphicsDocument::InvalidateImageRect(const TKelvoRect& rect) {
    if (TKelvoDocumentView* view = FindView()) view->InvalidateImageRect(rect);
}

bool TKelvoGraphicsDocument::CommitEdit(IKelvoGraphicsTool* tool) {
    if (dirty_.IsEmpty()) return true;
    TKelvoPixels& current = GetPixels();
    const bool sameBounds = committed_.GetBounds() == current.GetBounds() && committed_.Format() == current.Format();
    std::unique_ptr<TKelvoGraphicsCommandState> state;
    TKelvoPixelBuffer fresh;
    try {
        // Everything that needs memory comes first; from the history's Add on nothing can fail.
        if (!sameBounds) TKelvoLTBitmap::CopyBitmapToPixels(working_, fresh);
        state = std::make_unique<TKelvoGraphicsCommandState>(tool, dirty_, *this);
    } catch (const EOutOfMemory&) {
        ShowError(StepTooLargeText);
        return false;
    } catch (const std::bad_alloc&) {
        ShowError(StepTooLargeText);
        return false;
    }
    AddCommandState(std::move(state));
    if (sameBounds)
        committed_.CopyRect(dirty_.Left, dirty_.Top, dirty_, current);
    else
        committed_.Swap(fresh);
    return true;
}

TKelvoRect TKelvoGraphicsDocument::GetImageRect() const { return area_.IsEmpty() ? working_.GetBounds() : area_; }

void TKelvoGraphicsDocument::SetImageRect(const TKelvoRect& rect) {
    area_ = NormalizeImageArea(rect, working_.GetWidth(), working_.GetHeight());
    Refresh();
}

void TKelvoGraphicsDocument::SyncCommitted() {
    // A committed buffer that is the working pixels mirrors them already.
    if (!committedShared_) TKelvoLTBitmap::CopyBitmapToPixels(working_, committed_);
}

void TKelvoGraphicsDocument::Refresh() {
    if (TKelvoDocumentView* view = FindView()) view->ImageChanged();
    if (hooks_.ShowSize) hooks_.ShowSize(working_.GetWidth(), working_.GetHeight());
}

bool TKelvoGraphicsDocument::TurnOrMirror(bool (TKelvoLTBitmap::*op)(),
                                          TKelvoRect (*moveArea)(const TKelvoRect&, std::int32_t), std::int32_t side) {
    // The original first: when it cannot be changed, nothing has. Should the working bitmap fail after it, the
    // working pixels, the area and the undo history still agree; only the comparison image is turned.
    if ((!originalShared_ && !(original_.*op)()) || !(working_.*op)()) return false;
    area_ = moveArea(area_, side);
    SyncCommitted();
    Refresh();
    return true;
}

bool TKelvoGraphicsDocument::RotateLeft() {
    return TurnOrMirror(&TKelvoLTBitmap::RotateLeft, RotateAreaLeft, working_.GetWidth());
}

bool TKelvoGraphicsDocument::RotateRight() {
    return TurnOrMirror(&TKelvoLTBitmap::RotateRight, RotateAreaRight, working_.GetHeight());
}

bool TKelvoGraphicsDocument::FlipHorizontal() {
    return TurnOrMirror(&TKelvoLTBitmap::FlipHorizontal, FlipAreaHorizontal, working_.GetWidth());
}

bool TKelvoGraphicsDocument::FlipVertical() {
    return TurnOrMirror(&TKelvoLTBitmap::FlipVertical, FlipAreaVertical, working_.GetHeight());
}

bool TKelvoGraphicsDocument::Crop(const TKelvoRect& rect) {
    const TKelvoRect clipped = IntersectRects(rect, working_.GetBounds());
    if (clipped.IsEmpty()) return false;
    // An original of another size (resized apart from the working image) keeps what it has of the rectangle.
    if (!originalShared_) original_.Crop(clipped);
    if (!working_.Crop(clipped)) return false;
    area_ = TKelvoRect{};
    SyncCommitted();
    Refresh();
    return true;
}

bool TKelvoGraphicsDocument::ReplaceImage(const TKelvoPixels& buffer, const TKelvoPixels* originalBuffer) {
    if (originalBuffer) {
        if (!original_.Assign(*originalBuffer)) return false;
        originalShared_ = false;
    } else if (!SeparateOriginal()) {
        return false;  // the original stays what it was while the working pixels change
    }
    if (!working_.Assign(buffer)) return false;
    area_ = NormalizeImageArea(area_, working_.GetWidth(), working_.GetHeight());
    SyncCommitted();
    Refresh();
    return true;
}

void TKelvoGraphicsDocument::CopyImageTo(TKelvoPixelBuffer& buffer, TKelvoPixelBuffer* originalBuffer) const {
    TKelvoLTBitmap::CopyBitmapToPixels(working_, buffer);
    if (originalBuffer) TKelvoLTBitmap::CopyBitmapToPixels(originalShared_ ? working_ : original_, *originalBuffer);
}

bool TKelvoGraphicsDocument::Resize(std::int32_t width, std::int32_t height, bool resizeOriginal, bool scaleArea) {
    if (width <= 0 || height <= 0) return false;
    if (area_.Left > 0 || area_.Top > 0) Crop(area_);
    const std::int32_t w = working_.GetWidth(), h = working_.GetHeight();
    // An original that is the working bitmap is resized with it (the same size, the same resampler); one
    // left as it is needs pixels of its own.
    if (!resizeOriginal && !SeparateOriginal()) return false;
    if (resizeOriginal && !originalShared_) {
        std::int32_t ow = 0, oh = 0;
        ScaledOriginalSize(original_.GetWidth(), original_.GetHeight(), w, h, width, height, ow, oh);
        if (!original_.Resize(ow, oh)) return false;
    }
    if (!working_.Resize(width, height)) return false;
    if (scaleArea) area_ = ScaleArea(area_, w, h, width, height);
    area_ = NormalizeImageArea(area_, width, height);
    SyncCommitted();
    Refresh();
    return true;
}

std::unique_ptr<TKelvoLTBitmap> TKelvoGraphicsDocument::CreateThumbnail(std::int32_t size) const {
    std::int32_t tw = 0, th = 0;
    if (!FitProportional(working_.GetWidth(), working_.GetHeight(), size, size, tw, th)) return nullptr;
    std::unique_ptr<TKelvoLTBitmap> thumbnail = working_.Clone();
    if (!thumbnail || !thumbnail->Resize(std::max(tw, 1), std::max(th, 1))) return nullptr;
    return thumbnail;
}
