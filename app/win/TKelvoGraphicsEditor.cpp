#include "app/win/TKelvoGraphicsEditor.h"

#include "app/core/TKelvoGraphicsDocument.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "app/win/TKelvoJPEGOptionsForm.h"
#include "app/win/TMainForm.h"
#include "app/win/TKelvoApplication.h"
#include "classlib/win/TApplication.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinSeparatorItem.h"
#include "themed/win/TSkinToolbar.h"
#include "toolbar/core/TTBRootItem.h"

#include <functional>

namespace {

constexpr std::uint32_t kNodeId = 1;
constexpr TGUID kNodeKey = TGUID::Parse("{E1195915-FFAE-4A56-B331-F4567336FF25}");
constexpr std::uint32_t kJpegQualityItem = 1;

TMainForm* ProgramMainForm() {
    auto* form = dynamic_cast<TMainForm*>(Application->MainForm());
    if (!form) throw Exception("The image editor needs the program's main window");
    return form;
}

constexpr std::int32_t kTextOk = 1;
constexpr std::int32_t kTextCancel = 2;
constexpr std::int32_t kTextPrevImage = 2104;
constexpr std::int32_t kTextNextImage = 2105;
constexpr char16_t kPluginSuffix[] = u" Plug-in";

// The entries of a folder in the order the file system gives them.
std::vector<TKelvoFolderEntry> ListFolder(const std::u16string& folder) {
    std::vector<TKelvoFolderEntry> entries;
    const std::u16string pattern = folder + u"*.*";
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW(reinterpret_cast<LPCWSTR>(pattern.c_str()), &found);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        entries.push_back(TKelvoFolderEntry{std::u16string(reinterpret_cast<const char16_t*>(found.cFileName)),
                                            (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return entries;
}

std::u16string FolderOf(const std::u16string& path) {
    const std::size_t slash = path.find_last_of(u"\\/");
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash + 1);
}

class TGraphicsDocuments : public TKelvoEditorDocuments {
public:
    TGraphicsDocuments(IKelvoEditorUI& ui, TKelvoDocumentFormats& formats, TKelvoTextSource texts,
                       std::function<void(const std::u16string&)> opened)
        : TKelvoEditorDocuments(ui, formats, texts), opened_(std::move(opened)) {}

    void ActivateDocument(TKelvoDocument& document) override {
        TKelvoEditorDocuments::ActivateDocument(document);
        if (!document.FileName().empty()) opened_(document.FileName());
    }

protected:
    std::unique_ptr<TKelvoDocument> NewDocumentObject() override {
        return std::make_unique<TKelvoGraphicsDocument>(*this);
    }

private:
    std::function<void(const std::u16string&)> opened_;
};

}  // namespace

TKelvoGraphicsEditor::TKelvoGraphicsEditor(TComponent* owner) : TKelvoGraphicsEditor(owner, ProgramMainForm()) {}

TKelvoGraphicsEditor::TKelvoGraphicsEditor(TComponent* owner, TMainForm* mainForm)
    : TKelvoEditor(owner, mainForm), formats_(table_, &AskJPEGQuality) {
    TMainForm& form = *mainForm;
    TTBCustomItem* before = EditToolbarSeparator;
    form.AddSeparator(StandardToolbar->Items(), before);
    PrevImageButton = form.AddToolButton<TSkinItem>(StandardToolbar, form.GetImages(), before,
                                                    GetText(kTextPrevImage, u"Previous Image"),
                                                    form.LoadImage("PrevImage"),
                                                    MakeMethod<&TKelvoGraphicsEditor::PrevImage>(this));
    NextImageButton = form.AddToolButton<TSkinItem>(StandardToolbar, form.GetImages(), before,
                                                    GetText(kTextNextImage, u"Next Image"),
                                                    form.LoadImage("NextImage"),
                                                    MakeMethod<&TKelvoGraphicsEditor::NextImage>(this));
    SetDocuments(std::make_unique<TGraphicsDocuments>(*this, formats_, &GetText,
                                                      [this](const std::u16string& name) { Opened(name); }));
}

void TKelvoGraphicsEditor::Opened(const std::u16string& fileName) {
    const std::u16string folder = FolderOf(fileName);
    images_ = BuildImageList(folder, ListFolder(folder), fileName);
}

void TKelvoGraphicsEditor::OpenImage(std::int32_t index) {
    if (index < 0) return;
    // A copy: opening lists the folder again.
    const std::u16string path = images_.Paths[std::size_t(index)];
    Documents().Open(path, nullptr, true);
}

void TKelvoGraphicsEditor::NextImage(TObject*) { OpenImage(NextImageIndex(images_)); }

void TKelvoGraphicsEditor::PrevImage(TObject*) { OpenImage(PrevImageIndex(images_)); }

void TKelvoGraphicsEditor::Ok(TObject*) {
    if (Documents().PluginOk() && MainForm()) MainForm()->Close();
}

void TKelvoGraphicsEditor::Cancel(TObject*) {
    Documents().PluginCancel();
    if (MainForm()) MainForm()->Close();
}

void TKelvoGraphicsEditor::Localize() {
    TKelvoEditor::Localize();
    if (!MainForm()) return;
    PrevImageButton->SetHint(GetText(kTextPrevImage, u"Previous Image"));
    NextImageButton->SetHint(GetText(kTextNextImage, u"Next Image"));
    if (OkButton) OkButton->SetCaption(GetText(kTextOk, u"OK"));
    if (CancelButton) CancelButton->SetCaption(GetText(kTextCancel, u"Cancel"));
}

void TKelvoGraphicsEditor::UpdateState() {
    TKelvoEditor::UpdateState();
    if (!MainForm()) return;
    PrevImageButton->SetEnabled(PrevImageIndex(images_) >= 0);
    NextImageButton->SetEnabled(!images_.Paths.empty() && images_.Index < std::int32_t(images_.Paths.size()) - 1);
}

void TKelvoGraphicsEditor::PluginModeEntered() {
    if (!MainForm()) return;
    TMainForm& form = *MainForm();
    KelvoApplication->SetTitle(KelvoApplication->GetTitle() + kPluginSuffix);
    PrevImageButton->SetVisible(false);
    NextImageButton->SetVisible(false);
    form.FileMenuItem->SetVisible(false);
    form.AddSeparator(StandardToolbar->Items(), nullptr);
    OkButton = form.AddToolButton<TSkinItem>(StandardToolbar, form.GetImages(), nullptr, GetText(kTextOk, u"OK"), -1,
                                             MakeMethod<&TKelvoGraphicsEditor::Ok>(this));
    CancelButton = form.AddToolButton<TSkinItem>(StandardToolbar, form.GetImages(), nullptr,
                                                 GetText(kTextCancel, u"Cancel"), -1,
                                                 MakeMethod<&TKelvoGraphicsEditor::Cancel>(this));
    for (TSkinItem* button : {OkButton, CancelButton}) {
        button->SetStretch(true);
        button->SetDisplayMode(nbdmTextOnly);
    }
    TKelvoEditor::PluginModeEntered();
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
