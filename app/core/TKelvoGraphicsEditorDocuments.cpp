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

bool TKelvoGraphicsEditorDocuments::Undo() {
    undoing_ = true;
    TScopeExit clear([&] { undoing_ = false; });
    return TKelvoEditorDocuments::Undo();
}

bool TKelvoGraphicsEditorDocuments::Redo() {
    undoing_ = true;
    TScopeExit clear([&] { undoing_ = false; });
    return TKelvoEditorDocuments::Redo();
}
