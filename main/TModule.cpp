#include "main/TModule.h"

#include "app/core/TKelvoLocalizer.h"
#include "main/TKelvoGraphicsPrintModule.h"
#include "main/TKelvoSystemInfoModule.h"
#include "app/win/TKelvoAbout.h"
#include "app/win/KelvoStartupTrace.h"
#include "app/win/TKelvoApplication.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoHelp.h"
#include "app/win/TKelvoOriginalImageTool.h"
#include "app/win/TKelvoToolFrame.h"
#include "app/win/TKelvoToolPanelModule.h"
#include "app/win/TMainForm.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/core/FormBuilder.h"
#include "classlib/win/TBitmap.h"
#include "classlib/win/TCustomImageList.h"
#include "classlib/win/TFont.h"
#include "classlib/win/WindowDC.h"
#include "classlib/win/WideChars.h"
#include "demo/win/TKelvoDemoEditorModule.h"
#include "demo/win/TKelvoDemonstrationModule.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinDockablePanel.h"
#include "themed/win/TSkinToolbar.h"
#include "toolbar/core/TTBRootItem.h"
#include "toolbar/win/TTBImageList.h"
#include "tools/win/TKelvoBrightnessContrastTool.h"
#include "tools/win/TKelvoCrop2Tool.h"
#include "tools/win/TKelvoPersp4Tool.h"
#include "tools/win/TKelvoPerspectiveTool.h"
#include "tools/win/TKelvoResizeTool.h"
#include "tools/win/TKelvoRotateTool.h"
#include "tools/win/TKelvoTextTool.h"
#include "unicode/core/WidePaths.h"
#include "unicode/win/WideFiles.h"

namespace {

constexpr int kGlyphSize = 24;

// A named image list of the module.
template <class T>
T* MakeList(TModule* module, const char* name, int size) {
    T* list = Create<T>(module);
    list->SetName(name);
    list->SetWidth(size);
    list->SetHeight(size);
    return list;
}

// The cells of a bitmap resource (one per glyph width), masked by its pixel (0, 0).
void AddResourceCells(TCustomImageList& images, const AnsiString& name) {
    TObjectPtr<TBitmap> bitmap = MakeObject<TBitmap>();
    bitmap->LoadFromResourceName(::GetModuleHandleW(nullptr), name);
    images.AddMasked(bitmap.get(), bitmap->Canvas()->Pixels(0, 0));
}

// The image of the named resource (and its greyed twin) added to the shared list; -1 without it.
std::int32_t LoadNamedImage(TMainForm& form, const AnsiString& name) { return form.LoadImage(name); }

// The width of text in the control's font.
int TextWidth(TWinControl& control, const WideString& text) {
    const TWindowDC dc(control.HandleAllocated() ? control.Handle() : nullptr);
    const HGDIOBJ old = ::SelectObject(dc.Get(), control.Font()->Handle());
    SIZE size{};
    ::GetTextExtentPoint32W(dc.Get(), WideCStr(text), int(text.size()), &size);
    ::SelectObject(dc.Get(), old);
    return size.cx;
}

WideString ProgramFolder() { return uni::FilePathOfW(uni::ProgramFileName()); }

}  // namespace

TModule::TModule(TComponent* owner) : TDataModule(owner) {}

TModule::~TModule() { TMainForm::SetGlobalImages(nullptr); }

void TModule::RegisterBuilder() { RegisterFormBuilder(StaticClass(), &TModule::Build); }

void TModule::Build(TComponent* root) {
    auto* module = static_cast<TModule*>(root);
    module->NewImageList = MakeList<TTBImageList>(module, "NewImageList", kGlyphSize);
    auto* disabled = MakeList<TImageList>(module, "NewImageListDisabled", kGlyphSize);
    AddResourceCells(*module->NewImageList, "NewImageList");
    AddResourceCells(*disabled, "NewImageListDisabled");
    module->NewImageList->SetDisabledImages(disabled);
    module->ImageList1x1 = MakeList<TImageList>(module, "ImageList1x1", 1);
    AddResourceCells(*module->ImageList1x1, "ImageList1x1");
    module->OnCreate = MakeMethod<&TModule::DataModuleCreate>(module);
    kelvo::StartupMark("data module's image lists");
}

void TModule::DataModuleCreate(TObject*) {
    // 1. Every menu and toolbar of the program takes its glyphs from here.
    TMainForm::SetGlobalImages(NewImageList);

    // 2. The editor, whose creation makes the main window and the hand tool.
    TKelvoGraphicsEditor* editor = nullptr;
    KelvoApplication->CreateModule(TKelvoGraphicsEditor::StaticClass(), editor);
    editor->ImagesFolder = ProgramFolder() + u"Images\\";
    // Undo and Redo leave the current tool active (the editor base's Save item and button already save as).
    editor->KeepTool = true;
    kelvo::StartupMark("2. graphics editor and main window");

    // 3. System information, printing, help.
    KelvoApplication->CreateModuleNoRef(TKelvoSystemInfoModule::StaticClass());
    KelvoApplication->CreateModuleNoRef(TKelvoGraphicsPrintModule::StaticClass());
    KelvoApplication->CreateModuleNoRef(TKelvoHelp::StaticClass());
    kelvo::StartupMark("3. system information, print, help");

    // 4. The demonstrations, from the editor's images folder; their window comes up at start-up until the
    // user switches that off (the saved setting, read later, decides).
    TKelvoDemonstrationModule* demonstrations = nullptr;
    KelvoApplication->CreateModule(TKelvoDemonstrationModule::StaticClass(), demonstrations);
    demonstrations->DemonstrationsFolder = editor->ImagesFolder;
    demonstrations->ShowAtStartUp = true;
    kelvo::StartupMark("4. demonstrations");

    // 5. The script editor behind its shortcut.
    KelvoApplication->CreateModuleNoRef(TKelvoDemoEditorModule::StaticClass());
    kelvo::StartupMark("5. script editor");

    // 6. About.
    static_cast<TKelvoAbout*>(KelvoApplication->CreateModuleNoRef(TKelvoAbout::StaticClass()))
        ->SetContent(KelvoAboutContent, KelvoAboutContentCount, "About");
    kelvo::StartupMark("6. about");

    // 7. The tool panel.
    TKelvoToolPanelModule* toolPanel = nullptr;
    KelvoApplication->CreateModule(TKelvoToolPanelModule::StaticClass(), toolPanel);
    kelvo::StartupMark("7. tool panel");

    // 8. The correction tools come here (the four-point tool made current after the first four).
    KelvoApplication->CreateModuleNoRef(TKelvoPerspectiveTool::StaticClass());
    TKelvoPersp4Tool* persp4 = nullptr;
    KelvoApplication->CreateModule(TKelvoPersp4Tool::StaticClass(), persp4);
    KelvoApplication->CreateModuleNoRef(TKelvoBrightnessContrastTool::StaticClass());
    KelvoApplication->CreateModuleNoRef(TKelvoTextTool::StaticClass());
    // A user starts by marking the corners of a facade.
    editor->SetActiveTool(persp4);
    // Then the image tools: rotate and flip, resize, crop.
    KelvoApplication->CreateModuleNoRef(TKelvoRotateTool::StaticClass());
    KelvoApplication->CreateModuleNoRef(TKelvoResizeTool::StaticClass());
    KelvoApplication->CreateModuleNoRef(TKelvoCrop2Tool::StaticClass());
    kelvo::StartupMark("8. correction and image tools");

    // 9. The original-image tool at the end of the standard toolbar, after a separator: a text-only button
    // as wide as its caption and a margin.
    TMainForm& mainForm = *editor->MainForm();
    mainForm.AddSeparator(editor->StandardToolbar->Items(), nullptr);
    TKelvoOriginalImageTool* original = nullptr;
    KelvoApplication->CreateModule(TKelvoOriginalImageTool::StaticClass(), original);
    TKelvoHoldButton* button = original->OriginalImageToolButton;
    button->SetImages(ImageList1x1);
    button->SetImageIndex(0);
    button->SetStretch(true);
    button->SetMinWidth(TextWidth(*editor->StandardToolbar, GetText(KelvoTextOriginalCaption, u"Original")) + 40);
    kelvo::StartupMark("9. original-image tool");

    // 10. One document at a time: closing happens by opening another.
    editor->CloseMenuItem->SetVisible(false);

    // 11. Undo and Redo take their own pictures.
    TMainForm& form = mainForm;
    const std::int32_t undo = LoadNamedImage(form, "Undo");
    const std::int32_t redo = LoadNamedImage(form, "Redo");
    for (TSkinItem* item : {editor->UndoMenuItem, editor->UndoButton}) item->SetImageIndex(undo);
    for (TSkinItem* item : {editor->RedoMenuItem, editor->RedoButton}) item->SetImageIndex(redo);

    // 12. The tool panel is shown.
    toolPanel->VisibleMenuItem->SetChecked(true);
    toolPanel->VisibleMenuItem->SetVisible(true);
    toolPanel->SetPanelVisible(true);
    kelvo::StartupMark("10-12. Close hidden, Undo and Redo pictures, tool panel shown");
}

namespace kelvo {

void CreateStartupModule() {
    TMainForm::RegisterBuilder();
    TKelvoToolFrame::RegisterBuilder();
    TModule::RegisterBuilder();
    TModule* module = nullptr;
    KelvoApplication->CreateForm(TModule::StaticClass(), module);
}

}  // namespace kelvo
