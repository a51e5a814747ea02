#include "app/win/TKelvoGraphicsEditor.h"

#include "app/core/TKelvoGraphicsDocument.h"
#include "app/core/TKelvoGraphicsEditorDocuments.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "app/win/KelvoProgramMainForm.h"
#include "app/win/TKelvoJPEGOptionsForm.h"
#include "app/win/TMainForm.h"
#include "app/win/TKelvoApplication.h"
#include "app/win/TKelvoGraphicsTool.h"
#include "app/win/TKelvoScrollTool.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/win/TApplication.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinSeparatorItem.h"
#include "themed/win/TSkinToolbar.h"
#include "toolbar/core/TTBRootItem.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "themed/win/TSkinStatusBar.h"
#include "themed/win/TSkinStatusPanel.h"
#include "classlib/win/TFont.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/StringUtils.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/TStringList.h"
#include "scan/win/TzavTWAIN.h"
#include "unicode/core/WidePaths.h"
#include "classlib/win/TScreen.h"
#include "classlib/win/WideChars.h"

namespace {

constexpr std::uint32_t kNodeId = 1;
constexpr TGUID kNodeKey = TGUID::Parse("{E1195915-FFAE-4A56-B331-F4567336FF25}");
constexpr std::uint32_t kJpegQualityItem = 1;

// The program's main window; the editor makes it when there is none yet (the program's start).
TMainForm* ProgramMainForm() {
    if (!Application->MainForm()) {
        TMainForm::RegisterBuilder();
        TMainForm* made = nullptr;
        KelvoApplication->CreateForm(TMainForm::StaticClass(), made);
    }
    return kelvo::ProgramMainForm("The image editor");
}

constexpr TShortCut kCtrlNumPlus = ShortCut(VK_ADD, {ssCtrl});
constexpr TShortCut kCtrlNumMinus = ShortCut(VK_SUBTRACT, {ssCtrl});
constexpr TShortCut kCtrlAlt0 = ShortCut('0', {ssCtrl, ssAlt});
constexpr char16_t kPluginSuffix[] = u" Plug-in";

// The entries of a folder in the order the file system gives them.
std::vector<TKelvoFolderEntry> ListFolder(const std::u16string& folder) {
    std::vector<TKelvoFolderEntry> entries;
    const std::u16string pattern = folder + u"*.*";
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW(WideCStr(pattern), &found);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        entries.push_back(TKelvoFolderEntry{FromWideChars(found.cFileName),
                                            (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return entries;
}

std::u16string Figure(std::int32_t value) { return AnsiToWide(IntToStr(value)); }

}  // namespace

namespace {
TKelvoGraphicsEditor* instance = nullptr;
}  // namespace

TKelvoGraphicsEditor::TKelvoGraphicsEditor(TComponent* owner) : TKelvoGraphicsEditor(owner, ProgramMainForm()) {}

TKelvoGraphicsEditor::TKelvoGraphicsEditor(TComponent* owner, TMainForm* mainForm)
    : TKelvoEditor(owner, mainForm), formats_(table_, &AskJPEGQuality) {
    // After the editor base's File and Edit menus and the standard toolbar, and the format table above.
    AddBrowseButtons();
    CreateScanner();
    AddZoomCommands();
    AddStatusPanels();
    ConnectMainForm();
    CreateDocuments();
    instance = this;
    CreateHandTool();
}

void TKelvoGraphicsEditor::AddBrowseButtons() {
    TMainForm& form = *MainForm();
    TTBCustomItem* before = EditToolbarSeparator;
    form.AddSeparator(StandardToolbar->Items(), before);
    PrevImageButton = form.AddToolButton<TSkinItem>(
        StandardToolbar, form.GetImages(), before, GetText(KelvoTextPrevImage, u"Previous Image"),
        form.LoadImage("PrevImage"), MakeMethod<&TKelvoGraphicsEditor::PrevImage>(this));
    NextImageButton = form.AddToolButton<TSkinItem>(
        StandardToolbar, form.GetImages(), before, GetText(KelvoTextNextImage, u"Next Image"),
        form.LoadImage("NextImage"), MakeMethod<&TKelvoGraphicsEditor::NextImage>(this));
}

void TKelvoGraphicsEditor::CreateScanner() {
    Twain = Create<TzavTWAIN>(this);
    Twain->SetXferMech(TTwnXferType::TWFX_FILES);
    Twain->SetFileFormat(TWFF_BMP);
    Twain->SetReturnHandle(false);
    Twain->SetLogToFile(false);
    Twain->SetOnImageReady(MakeMethod<&TKelvoGraphicsEditor::ImageReady>(this));
    Twain->SetOnEnableMenus(MakeMethod<&TKelvoGraphicsEditor::EnableScanMenus>(this));
    Twain->OnDisableMenus = MakeMethod<&TKelvoGraphicsEditor::DisableScanMenus>(this);
    TMainForm& form = *MainForm();
    TSkinSubmenuItem* file = form.FileMenuItem;
    TSkinSeparatorItem* scanSeparator = form.AddSeparator(file, CloseMenuItem);
    SelectSourceMenuItem = form.AddMenuItem(GetText(KelvoTextSelectSource, u"Select Source..."), 0, scanSeparator, file,
                                            -1, MakeMethod<&TKelvoGraphicsEditor::SelectSourceCommand>(this));
    AcquireMenuItem = form.AddMenuItem(GetText(KelvoTextAcquire, u"Acquire..."), 0, scanSeparator, file, -1,
                                       MakeMethod<&TKelvoGraphicsEditor::AcquireCommand>(this));
    ImportMenuItem = form.AddSubmenu(GetText(KelvoTextImport, u"Import"), file, form.FileMenuSeparator);
    ImportMenuItem->OnPopup = MakeMethod<&TKelvoGraphicsEditor::ImportPopup>(this);
}

void TKelvoGraphicsEditor::AddZoomCommands() {
    TMainForm& form = *MainForm();
    TSkinSubmenuItem* view = form.ViewMenuItem;
    TSkinSeparatorItem* zoomSeparator = form.AddSeparator(view, form.ToolbarsMenuItem);
    form.AddSeparator(StandardToolbar->Items(), nullptr);
    const auto zoom = [&](std::int32_t text, const char16_t* fallback, TShortCut shortCut, const char* image,
                          TNotifyEvent click, TSkinItem*& item, TSkinItem*& button) {
        const std::int32_t index = form.LoadImage(image);
        item = form.AddMenuItem(GetText(text, fallback), shortCut, zoomSeparator, view, index, click);
        button = form.AddToolButton<TSkinItem>(StandardToolbar, form.GetImages(), nullptr, GetText(text, fallback),
                                               index, click);
    };
    zoom(KelvoTextZoomIn, u"Zoom In", kCtrlNumPlus, "ZoomIn", MakeMethod<&TKelvoGraphicsEditor::ZoomIn>(this),
         ZoomInMenuItem, ZoomInButton);
    zoom(KelvoTextZoomOut, u"Zoom Out", kCtrlNumMinus, "ZoomOut", MakeMethod<&TKelvoGraphicsEditor::ZoomOut>(this),
         ZoomOutMenuItem, ZoomOutButton);
    zoom(KelvoTextActualSize, u"Actual Size", kCtrlAlt0, "ActualSize",
         MakeMethod<&TKelvoGraphicsEditor::ActualSize>(this), ActualSizeMenuItem, ActualSizeButton);
    zoom(KelvoTextBestFit, u"Best Fit", 0, "BestFit", MakeMethod<&TKelvoGraphicsEditor::BestFit>(this), BestFitMenuItem,
         BestFitButton);
}

void TKelvoGraphicsEditor::AddStatusPanels() {
    TMainForm& form = *MainForm();
    // Value panels are as wide as their longest figure needs: five digits and a sign, three for a colour.
    const std::int32_t unit = std::max(1, std::abs(form.Font()->Height()));
    const char16_t* captions[] = {u"X:", u"Y:", u"W:", u"H:", u"R:", u"G:", u"B:"};
    for (std::size_t i = 0; i < 7; ++i) {
        TSkinStatusPanel* caption = form.StatusBar->Panels()->Add();
        caption->SetCaption(captions[i]);
        caption->SetSize(unit * 2);
        TSkinStatusPanel* value = form.StatusBar->Panels()->Add();
        value->SetSize(i < 4 ? unit * 4 : unit * 3);
        value->SetFramed(i == 6);
        StatusPanels.push_back(caption);
        StatusPanels.push_back(value);
    }
}

void TKelvoGraphicsEditor::ConnectMainForm() {
    // Saving as JPEG asks through this form.
    TKelvoJPEGOptionsForm::RegisterBuilder();
    TMainForm& form = *MainForm();
    form.OnDropFile = MakeMethod<&TKelvoGraphicsEditor::OpenDroppedFile>(this);
    form.OnMouseWheel = MakeMethod<&TKelvoGraphicsEditor::HandleMouseWheel>(this);
    if (Screen) Screen->SetCursors(HandCursor, ::LoadCursorW(::GetModuleHandleW(nullptr), L"Hand"));
}

void TKelvoGraphicsEditor::CreateDocuments() {
    TKelvoGraphicsDocumentHooks hooks;
    hooks.MakeView = [this](TKelvoGraphicsDocument& document) -> std::unique_ptr<TKelvoDocumentView> {
        TKelvoGraphicsView* view = Create<TKelvoGraphicsView>(nullptr, document);
        view->OnPointerStatus = [this](TKelvoPoint point, TKelvoRGB colour) { SetPointerStatus(point, colour); };
        auto link = std::make_unique<TKelvoGraphicsViewLink>(view);
        for (TKelvoGraphicsTool* tool : TKelvoGraphicsTool::AllTools()) tool->ViewCreated(*view);
        // The current tool shows its control on the new view too.
        if (currentTool_) currentTool_->Activate();
        return link;
    };
    hooks.Tools = [] {
        const std::vector<TKelvoGraphicsTool*> tools = TKelvoGraphicsTool::AllTools();
        return std::vector<IKelvoGraphicsTool*>(tools.begin(), tools.end());
    };
    hooks.KeepTool = [this] { return KeepTool; };
    hooks.SetToolAside = [this](bool aside) {
        if (aside) {
            asideTool_ = currentTool_;
            SetActiveTool(nullptr);
        } else {
            SetActiveTool(asideTool_);
            asideTool_ = nullptr;
        }
    };
    hooks.ShowSize = [this](std::int32_t width, std::int32_t height) {
        SetWidthStatus(width);
        SetHeightStatus(height);
    };
    hooks.ShowError = [this](const std::u16string& text) { ShowError(text); };
    SetDocuments(std::make_unique<TKelvoGraphicsEditorDocuments>(*this, formats_, &GetText, std::move(hooks),
                                                                 [this](TKelvoDocument& document) {
                                                                     if (!document.FileName().empty())
                                                                         Opened(document.FileName());
                                                                 }));
}

void TKelvoGraphicsEditor::CreateHandTool() {
    // Its control pans every view, and Space takes it from any tool.
    TKelvoScrollTool* hand = nullptr;
    CreateComponent<TKelvoScrollTool>(TKelvoScrollTool::StaticClass(), Application, hand);
    handTool_ = hand;
    hand->FreeNotification(this);
}

void TKelvoGraphicsEditor::Notification(TComponent* component, TOperation operation) {
    TKelvoEditor::Notification(component, operation);
    if (operation != opRemove) return;
    // A tool freed before the editor (the application frees its modules in its own order) is forgotten.
    if (component == handTool_) handTool_ = nullptr;
    if (component == currentTool_) currentTool_ = nullptr;
    if (component == previousTool_) previousTool_ = nullptr;
    if (component == asideTool_) asideTool_ = nullptr;
}

TKelvoGraphicsEditor::~TKelvoGraphicsEditor() {
    currentTool_ = nullptr;
    Free(handTool_);
    if (instance == this) instance = nullptr;
}

TKelvoGraphicsEditor* TKelvoGraphicsEditor::Instance() { return instance; }

void TKelvoGraphicsEditor::OpenDroppedFile(const WideString& fileName) { Documents().Open(fileName, nullptr, true); }

void TKelvoGraphicsEditor::HandleMouseWheel(TObject*, TShiftState shift, int wheelDelta, TPoint mousePos,
                                            bool& handled) {
    if (TKelvoGraphicsView* view = GetActiveView()) handled = view->DoMouseWheel(shift, wheelDelta, mousePos);
}

void TKelvoGraphicsEditor::SelectSourceCommand(TObject*) { Twain->SelectSource(); }

void TKelvoGraphicsEditor::AcquireCommand(TObject*) { Acquire(std::string()); }

void TKelvoGraphicsEditor::Acquire(const std::string& sourceName) {
    if (Documents().QueryCloseActive()) Twain->Acquire(sourceName);
}

void TKelvoGraphicsEditor::ImportPopup(TTBCustomItem* sender, bool) {
    sender->Clear();
    TObjectPtr<TStringList> names = MakeObject<TStringList>();
    Twain->GetSourceNames(*names);
    for (int i = 0; i < names->Count(); ++i) {
        TSkinItem* item = MainForm()->AddMenuItem(AnsiToWide(names->Strings(i)), 0, nullptr, sender, -1,
                                                  MakeMethod<&TKelvoGraphicsEditor::ImportItemClick>(this));
        item->SetTag(i);
    }
}

void TKelvoGraphicsEditor::ImportItemClick(TObject* sender) {
    auto* item = dynamic_cast<TTBCustomItem*>(sender);
    if (!item) return;
    // The source of the same place in the manager's list, asked again: sources come and go.
    TObjectPtr<TStringList> names = MakeObject<TStringList>();
    Twain->GetSourceNames(*names);
    if (item->Tag() >= 0 && item->Tag() < names->Count()) Acquire(names->Strings(int(item->Tag())));
}

void TKelvoGraphicsEditor::ImageReady(TObject*, void*, void*, std::uintptr_t, const std::string& filePath) {
    ImportScannedFile(AnsiToWide(filePath));
}

void TKelvoGraphicsEditor::ImportScannedFile(const std::u16string& transferFile) {
    // The file is the component's: it goes whatever became of the image.
    TScopeExit remove([&] { ::DeleteFileW(WideCStr(transferFile)); });
    Documents().OpenAcquired(transferFile, nullptr);
}

void TKelvoGraphicsEditor::EnableScanMenus(TObject*) {
    if (!MainForm()) return;
    SelectSourceMenuItem->SetEnabled(true);
    AcquireMenuItem->SetEnabled(true);
}

void TKelvoGraphicsEditor::DisableScanMenus(TObject*) {
    if (!MainForm()) return;
    SelectSourceMenuItem->SetEnabled(false);
    AcquireMenuItem->SetEnabled(false);
}

void TKelvoGraphicsEditor::SetWidthStatus(std::int32_t width) {
    if (MainForm()) StatusPanels[5]->SetCaption(Figure(width));
}

void TKelvoGraphicsEditor::SetHeightStatus(std::int32_t height) {
    if (MainForm()) StatusPanels[7]->SetCaption(Figure(height));
}

void TKelvoGraphicsEditor::SetPointerStatus(TKelvoPoint imagePoint, TKelvoRGB colour) {
    if (!MainForm()) return;
    StatusPanels[1]->SetCaption(Figure(imagePoint.X));
    StatusPanels[3]->SetCaption(Figure(imagePoint.Y));
    StatusPanels[9]->SetCaption(Figure(colour.R));
    StatusPanels[11]->SetCaption(Figure(colour.G));
    StatusPanels[13]->SetCaption(Figure(colour.B));
}

void TKelvoGraphicsEditor::Opened(const std::u16string& fileName) {
    const std::u16string folder = uni::FilePathOfW(fileName);
    images_ = BuildImageList(folder, ListFolder(folder), fileName);
    if (TKelvoGraphicsView* view = GetActiveView()) OpeningZoom(*view);
    RecordOpened(fileName);
    if (auto* document = dynamic_cast<TKelvoGraphicsDocument*>(Documents().GetActiveDocument())) {
        SetWidthStatus(document->Working().GetWidth());
        SetHeightStatus(document->Working().GetHeight());
    }
}

TKelvoGraphicsDocument* TKelvoGraphicsEditor::GetActiveDocument() const {
    return dynamic_cast<TKelvoGraphicsDocument*>(Documents().GetActiveDocument());
}

void TKelvoGraphicsEditor::SetActiveTool(TKelvoGraphicsTool* tool) {
    if (currentTool_) currentTool_->Deactivate();
    previousTool_ = currentTool_;
    if (tool) {
        tool->FreeNotification(this);
        tool->Activate();
    }
    currentTool_ = tool;
}

bool TKelvoGraphicsEditor::CanToolEdit(TKelvoGraphicsTool* tool) const {
    TKelvoGraphicsDocument* document = GetActiveDocument();
    if (!document) return false;
    if (toolLocked_ && tool != currentTool_) return false;
    auto* owner = dynamic_cast<TKelvoGraphicsTool*>(document->EditingTool());
    return !(document->Editing() && owner && owner != tool && owner->Exclusive());
}

TKelvoGraphicsView* TKelvoGraphicsEditor::GetActiveView() const {
    TKelvoDocument* active = Documents().GetActiveDocument();
    auto* link = active ? dynamic_cast<TKelvoGraphicsViewLink*>(active->FindView()) : nullptr;
    return link ? link->View() : nullptr;
}

void TKelvoGraphicsEditor::PlaceView(TKelvoDocumentView& view) {
    auto* link = dynamic_cast<TKelvoGraphicsViewLink*>(&view);
    if (!link || !link->View() || !MainForm()) return;
    TKelvoGraphicsView& placed = *link->View();
    // Placed at 1:1 a photo would bring both scroll bars, and its opening zoom take them away again.
    placed.HoldScrollBars(true);
    TScopeExit release([&] { placed.HoldScrollBars(false); });
    placed.SetAlign(alClient);
    placed.SetParent(MainForm());
    OpeningZoom(placed);
}

void TKelvoGraphicsEditor::OpeningZoom(TKelvoGraphicsView& view) {
    TKelvoZoom zoom;
    const TKelvoRect image = view.Document().Working().GetBounds();
    std::int32_t width = 0, height = 0;
    view.FullClientSize(width, height);
    if (::OpeningZoom(width, height, std::int32_t(image.Width()), std::int32_t(image.Height()), zoom))
        view.SetZoom(zoom);
}

void TKelvoGraphicsEditor::ZoomIn(TObject*) {
    if (Recorder) Recorder->RecordCommand("ZoomIn", "Zoom In");
    if (TKelvoGraphicsView* view = GetActiveView()) view->SetZoom(ZoomInFrom(view->Zoom()));
}

void TKelvoGraphicsEditor::ZoomOut(TObject*) {
    if (Recorder) Recorder->RecordCommand("ZoomOut", "Zoom Out");
    if (TKelvoGraphicsView* view = GetActiveView()) view->SetZoom(ZoomOutFrom(view->Zoom()));
}

void TKelvoGraphicsEditor::ActualSize(TObject*) {
    if (Recorder) Recorder->RecordCommand("ActualSize", "Actual Size");
    if (TKelvoGraphicsView* view = GetActiveView()) view->SetZoom(TKelvoZoom{1, 1});
}

void TKelvoGraphicsEditor::BestFit(TObject*) {
    if (Recorder) Recorder->RecordCommand("BestFit", "Best Fit");
    TKelvoGraphicsView* view = GetActiveView();
    if (!view) return;
    TKelvoZoom zoom;
    const TKelvoRect image = view->Document().Working().GetBounds();
    // The whole view, as it is without scroll bars: a fitted image needs none.
    std::int32_t width = 0, height = 0;
    view->FullClientSize(width, height);
    if (BestFitZoom(width, height, std::int32_t(image.Width()), std::int32_t(image.Height()), zoom))
        view->SetZoom(zoom);
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
    SelectSourceMenuItem->SetCaption(GetText(KelvoTextSelectSource, u"Select Source..."));
    AcquireMenuItem->SetCaption(GetText(KelvoTextAcquire, u"Acquire..."));
    ImportMenuItem->SetCaption(GetText(KelvoTextImport, u"Import"));
    PrevImageButton->SetHint(GetText(KelvoTextPrevImage, u"Previous Image"));
    NextImageButton->SetHint(GetText(KelvoTextNextImage, u"Next Image"));
    if (OkButton) OkButton->SetCaption(GetText(KelvoTextOk, u"OK"));
    if (CancelButton) CancelButton->SetCaption(GetText(KelvoTextCancel, u"Cancel"));
    const std::pair<TSkinItem*, TSkinItem*> zooms[] = {{ZoomInMenuItem, ZoomInButton},
                                                       {ZoomOutMenuItem, ZoomOutButton},
                                                       {ActualSizeMenuItem, ActualSizeButton},
                                                       {BestFitMenuItem, BestFitButton}};
    const std::pair<std::int32_t, const char16_t*> texts[] = {{KelvoTextZoomIn, u"Zoom In"},
                                                              {KelvoTextZoomOut, u"Zoom Out"},
                                                              {KelvoTextActualSize, u"Actual Size"},
                                                              {KelvoTextBestFit, u"Best Fit"}};
    for (std::size_t i = 0; i < 4; ++i) {
        zooms[i].first->SetCaption(GetText(texts[i].first, texts[i].second));
        zooms[i].second->SetHint(GetText(texts[i].first, texts[i].second));
    }
}

void TKelvoGraphicsEditor::UpdateState() {
    TKelvoEditor::UpdateState();
    if (!MainForm()) return;
    SelectSourceMenuItem->SetVisible(SingleSource);
    AcquireMenuItem->SetVisible(SingleSource);
    ImportMenuItem->SetVisible(!SingleSource);
    const bool open = Documents().GetActiveDocument() != nullptr;
    for (TSkinItem* item : {ZoomInMenuItem, ZoomOutMenuItem, ActualSizeMenuItem, BestFitMenuItem, ZoomInButton,
                            ZoomOutButton, ActualSizeButton, BestFitButton})
        item->SetEnabled(open);
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
    OkButton = form.AddToolButton<TSkinItem>(StandardToolbar, form.GetImages(), nullptr, GetText(KelvoTextOk, u"OK"),
                                             -1, MakeMethod<&TKelvoGraphicsEditor::Ok>(this));
    CancelButton =
        form.AddToolButton<TSkinItem>(StandardToolbar, form.GetImages(), nullptr, GetText(KelvoTextCancel, u"Cancel"),
                                      -1, MakeMethod<&TKelvoGraphicsEditor::Cancel>(this));
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
