// The image editor's documents: graphics documents made with the editor's hooks (views, tools, size display),
// told to the editor each time one becomes the active document, and an undo history that waits while a tool
// has an edit open and tells the tools, through the undoing flag, that the changes they hear of are an undo's.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "app/core/TKelvoEditorDocuments.h"
#include "app/core/TKelvoGraphicsDocument.h"

class TKelvoGraphicsEditorDocuments : public TKelvoEditorDocuments {
public:
    using TActivated = std::function<void(TKelvoDocument& document)>;

    TKelvoGraphicsEditorDocuments(IKelvoEditorUI& ui, TKelvoDocumentFormats& formats, TKelvoTextSource texts,
                                  TKelvoGraphicsDocumentHooks hooks, TActivated activated);

    // Base behaviour, then the editor hears of the new active document.
    void ActivateDocument(TKelvoDocument& document) override;
    // False while the active document has an edit open: the history moves only between finished steps.
    bool CanUndo() const override;
    bool CanRedo() const override;
    // One step with the undoing flag set, told to every graphics tool before and after (BeforeUndo with the
    // state about to be undone, AfterUndo with the one next to undo then).
    bool Undo() override;
    bool Redo() override;
    bool Undoing() const { return undoing_; }

protected:
    std::unique_ptr<TKelvoDocument> NewDocumentObject() override;

private:
    bool ActiveEditing() const;
    bool Step(bool undo);

    TKelvoGraphicsDocumentHooks hooks_;
    TActivated activated_;
    bool undoing_ = false;
};
