// The program's image editor: the document commands of TKelvoEditor over graphics documents and the graphics
// format table, whose JPEG quality it keeps in the state file and asks for through the JPEG options dialog.
#pragma once
#include "app/win/TKelvoEditor.h"
#include "app/win/TKelvoGraphicsDocumentFormats.h"
#include "app/win/TKelvoGraphicsFormats.h"

class TKelvoGraphicsEditor : public TKelvoEditor {
    CLASSLIB_COMPONENT(TKelvoGraphicsEditor, TKelvoEditor)

    // In the program's main window (Application's main form, a TMainForm).
    explicit TKelvoGraphicsEditor(TComponent* owner);
    TKelvoGraphicsEditor(TComponent* owner, TMainForm* mainForm);

    TKelvoGraphicsFormats& FormatTable() { return table_; }

    // The editor's node first, then node 1 {E1195915-FFAE-4A56-B331-F4567336FF25}: item 1 the JPEG quality.
    void LoadState(TKelvoSDFReader& reader) override;
    void SaveState(TKelvoSDFWriter& writer) override;

private:
    TKelvoGraphicsFormats table_;
    TKelvoGraphicsDocumentFormats formats_;
};
