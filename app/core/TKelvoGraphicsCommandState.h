// One undo step of a graphics tool: the pixels of the rectangle its edit changed, before (from the committed
// buffer) and after (from the working bitmap). Undo and redo paste one of them back into the working bitmap
// and bring the committed buffer in step; every graphics tool is told.
//
// A step costs its rectangle twice at most (each snapshot holds the rectangle's part of its source, deflated),
// however large the image. When the memory for the snapshots cannot be had, construction raises EOutOfMemory
// and nothing has changed.
#pragma once
#include <cstdint>

#include "app/core/TKelvoCommandHistoryList.h"
#include "app/core/TKelvoGraphicsDocument.h"
#include "app/core/TKelvoPackedPixels.h"
#include "app/core/TKelvoPixelBuffer.h"

// The tool, the document and the rectangle of a step.
class TKelvoCustomGraphicsCommandState : public TKelvoCommandState {
public:
    TKelvoCustomGraphicsCommandState(IKelvoGraphicsTool* tool, const TKelvoRect& rect, TKelvoGraphicsDocument& document)
        : tool_(tool), rect_(rect), document_(document) {}
    IKelvoGraphicsTool* Tool() const { return tool_; }
    const TKelvoRect& Rect() const { return rect_; }
    TKelvoGraphicsDocument& Document() const { return document_; }

protected:
    // StateApplied(document, tool, rect) to every graphics tool.
    void TellTools() const;

private:
    IKelvoGraphicsTool* tool_;
    TKelvoRect rect_;
    TKelvoGraphicsDocument& document_;
};

class TKelvoGraphicsCommandState : public TKelvoCustomGraphicsCommandState {
public:
    // Takes both snapshots of rect, tells the tools and marks the document unsaved.
    TKelvoGraphicsCommandState(IKelvoGraphicsTool* tool, const TKelvoRect& rect, TKelvoGraphicsDocument& document);

    bool Undo() override;
    bool Redo() override;

    const TKelvoPackedPixels& Before() const { return before_; }
    const TKelvoPackedPixels& After() const { return after_; }
    std::int64_t SnapshotBytes() const { return before_.MemorySize() + after_.MemorySize(); }

    // The most memory one step's snapshots may take together (bytes). Lowered only to exercise the failure.
    static std::int64_t MaxSnapshotBytes();
    static void SetMaxSnapshotBytes(std::int64_t bytes);

private:
    // Pastes a snapshot into the working pixels, repaints it and brings the committed buffer in step.
    void Apply(const TKelvoPackedPixels& packed);

    TKelvoPackedPixels before_;
    TKelvoPackedPixels after_;
};
