#include "app/core/TKelvoGraphicsEditorDocuments.h"

#include "classlib/core/ScopeGuard.h"

TKelvoGraphicsEditorDocuments::TKelvoGraphicsEditorDocuments(IKelvoEditorUI& ui, TKelvoDocumentFormats& formats,
                                                             TKelvoTextSource texts, TKelvoGraphicsDocumentHooks hooks,
                                                             TActivated activated)
    : TKelvoEditorDocuments(ui, formats, texts), hooks_(std::move(hooks)), activated_(std::move(activated)) {}

std::unique_ptr<TKelvoDocument> TKelvoGraphicsEditorDocuments::NewDocumentObject() {
    return std::make_unique<TKelvoGraphicsDocument>(*this, hooks_);
}

void TKelvoGraphicsEditorDocuments::ActivateDocument(TKelvoDocument& document) {
    TKelvoEditorDocuments::ActivateDocument(document);
    if (activated_) activated_(document);
}

bool TKelvoGraphicsEditorDocuments::ActiveEditing() const {
    const auto* graphics = dynamic_cast<const TKelvoGraphicsDocument*>(GetActiveDocument());
    return graphics && graphics->Editing();
}

bool TKelvoGraphicsEditorDocuments::CanUndo() const { return !ActiveEditing() && TKelvoEditorDocuments::CanUndo(); }

bool TKelvoGraphicsEditorDocuments::CanRedo() const { return !ActiveEditing() && TKelvoEditorDocuments::CanRedo(); }

bool TKelvoGraphicsEditorDocuments::Undo() { return Step(true); }

bool TKelvoGraphicsEditorDocuments::Redo() { return Step(false); }

bool TKelvoGraphicsEditorDocuments::Step(bool undo) {
    if (undo ? !CanUndo() : !CanRedo()) return false;
    TKelvoCommandHistoryList& history = GetActiveDocument()->History();
    const std::vector<IKelvoGraphicsTool*> tools = hooks_.Tools ? hooks_.Tools() : std::vector<IKelvoGraphicsTool*>{};
    const bool aside = hooks_.SetToolAside && !(hooks_.KeepTool && hooks_.KeepTool());
    if (aside) hooks_.SetToolAside(true);
    TScopeExit back([&] {
        if (aside) hooks_.SetToolAside(false);
    });
    undoing_ = true;
    TScopeExit clear([&] { undoing_ = false; });
    for (IKelvoGraphicsTool* t : tools) undo ? t->BeforeUndo(history.NextUndo()) : t->BeforeRedo(history.NextRedo());
    const bool done = undo ? TKelvoEditorDocuments::Undo() : TKelvoEditorDocuments::Redo();
    for (IKelvoGraphicsTool* t : tools) undo ? t->AfterUndo(history.NextUndo()) : t->AfterRedo(history.NextRedo());
    return done;
}
