#include "app/win/TKelvoGraphicsEditor.h"

#include "app/core/TKelvoGraphicsDocument.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "app/win/TKelvoJPEGOptionsForm.h"
#include "app/win/TMainForm.h"
#include "classlib/win/TApplication.h"

namespace {

constexpr std::uint32_t kNodeId = 1;
constexpr TGUID kNodeKey = TGUID::Parse("{E1195915-FFAE-4A56-B331-F4567336FF25}");
constexpr std::uint32_t kJpegQualityItem = 1;

TMainForm* ProgramMainForm() {
    auto* form = dynamic_cast<TMainForm*>(Application->MainForm());
    if (!form) throw Exception("The image editor needs the program's main window");
    return form;
}

class TGraphicsDocuments : public TKelvoEditorDocuments {
public:
    using TKelvoEditorDocuments::TKelvoEditorDocuments;

protected:
    std::unique_ptr<TKelvoDocument> NewDocumentObject() override {
        return std::make_unique<TKelvoGraphicsDocument>(*this);
    }
};

}  // namespace

TKelvoGraphicsEditor::TKelvoGraphicsEditor(TComponent* owner) : TKelvoGraphicsEditor(owner, ProgramMainForm()) {}

TKelvoGraphicsEditor::TKelvoGraphicsEditor(TComponent* owner, TMainForm* mainForm)
    : TKelvoEditor(owner, mainForm), formats_(table_, &AskJPEGQuality) {
    SetDocuments(std::make_unique<TGraphicsDocuments>(*this, formats_, &GetText));
}

void TKelvoGraphicsEditor::LoadState(TKelvoSDFReader& reader) {
    TKelvoEditor::LoadState(reader);
    if (!MainForm() || !reader.OpenNode(kNodeId, kNodeKey)) return;
    std::int32_t quality = 0;
    if (reader.ReadInteger(kJpegQualityItem, quality)) table_.SetJpegQuality(quality);
    reader.CloseNode();
}

void TKelvoGraphicsEditor::SaveState(TKelvoSDFWriter& writer) {
    TKelvoEditor::SaveState(writer);
    if (!MainForm()) return;
    writer.BeginNode(kNodeId, kNodeKey);
    writer.WriteInteger(kJpegQualityItem, table_.JpegQuality());
    writer.EndNode();
}
