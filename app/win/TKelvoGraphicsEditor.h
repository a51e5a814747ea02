// The program's image editor: the document commands of TKelvoEditor over graphics documents and the graphics
// format table, whose JPEG quality it keeps in the state file and asks for through the JPEG options dialog.
#pragma once
#include <vector>

#include "app/core/KelvoGraphicsEditorRules.h"
#include "app/win/TKelvoEditor.h"
#include "app/win/TKelvoGraphicsView.h"
#include "app/win/TKelvoGraphicsDocumentFormats.h"
#include "app/win/TKelvoGraphicsFormats.h"

class TKelvoGraphicsTool;
class TSkinStatusPanel;
class TTBCustomItem;
class TzavTWAIN;

class TKelvoGraphicsEditor : public TKelvoEditor {
    CLASSLIB_COMPONENT(TKelvoGraphicsEditor, TKelvoEditor)

    // In the program's main window (Application's main form, a TMainForm).
    explicit TKelvoGraphicsEditor(TComponent* owner);
    TKelvoGraphicsEditor(TComponent* owner, TMainForm* mainForm);

    // Frees the hand tool it made.
    ~TKelvoGraphicsEditor() override;
    // The editor the tools work with: the last one made, null once it is gone.
    static TKelvoGraphicsEditor* Instance();
    void Notification(TComponent* component, TOperation operation) override;

    TKelvoGraphicsFormats& FormatTable() { return table_; }

    // The images of the opened file's folder, walked by the Previous and Next buttons.
    void NextImage(TObject* sender);
    void PrevImage(TObject* sender);
    const TKelvoImageList& Images() const { return images_; }

    // Plug-in mode's buttons: the host's image is written back (exit code 0) or left as it was (exit code -1),
    // and the program ends.
    void Ok(TObject* sender);
    void Cancel(TObject* sender);

    // The zoom commands on the active view; nothing without one.
    void ZoomIn(TObject* sender);
    void ZoomOut(TObject* sender);
    void ActualSize(TObject* sender);
    void BestFit(TObject* sender);
    // The active document's view, or null.
    TKelvoGraphicsView* GetActiveView() const;
    TKelvoGraphicsDocument* GetActiveDocument() const;

    // The current tool: the old one is deactivated, the new one (null allowed) activated.
    void SetActiveTool(TKelvoGraphicsTool* tool);
    TKelvoGraphicsTool* ActiveTool() const { return currentTool_; }
    TKelvoGraphicsTool* PreviousTool() const { return previousTool_; }
    // While locked only the current tool may edit.
    void LockTool() { toolLocked_ = true; }
    void UnlockTool() { toolLocked_ = false; }
    // A document is active, the lock allows the tool, and no exclusive edit of another tool is open.
    bool CanToolEdit(TKelvoGraphicsTool* tool) const;
    // Where demonstrations keep their images, the program's folder + "Images\" (with the closing backslash);
    // IMAGEOPEN looks here first.
    std::u16string ImagesFolder;
    // The current tool stays active through undo and redo (else it is put aside for the step).
    bool KeepTool = false;

    // Scanning. Acquire closes the active document (with the prompt) and starts a transfer from the default
    // source; an Import item does the same from its source. The transferred file becomes an untitled document
    // with changes to save and is deleted, whether it opened or not.
    void SelectSourceCommand(TObject* sender);
    void AcquireCommand(TObject* sender);
    void ImportScannedFile(const std::u16string& transferFile);
    // Select Source and Acquire are offered when set, the Import submenu with every source when clear.
    bool SingleSource = false;
    TzavTWAIN* Twain = nullptr;
    TSkinItem* SelectSourceMenuItem = nullptr;
    TSkinItem* AcquireMenuItem = nullptr;
    TSkinSubmenuItem* ImportMenuItem = nullptr;

    // A file dropped on the main window opens and is remembered.
    void OpenDroppedFile(const WideString& fileName);
    // The main window's wheel goes to the active view.
    void HandleMouseWheel(TObject* sender, TShiftState shift, int wheelDelta, TPoint mousePos, bool& handled);
    // The hand tool's cursor.
    static constexpr int HandCursor = 100;

    // The status panels: the image's size, and the image point under the pointer with its colour.
    void SetWidthStatus(std::int32_t width);
    void SetHeightStatus(std::int32_t height);
    void SetPointerStatus(TKelvoPoint imagePoint, TKelvoRGB colour);
    // X:, X, Y:, Y, W:, W, H:, H, R:, R, G:, G, B:, B.
    std::vector<TSkinStatusPanel*> StatusPanels;

    void Localize() override;
    void UpdateState() override;
    void PluginModeEntered() override;
    void PlaceView(TKelvoDocumentView& view) override;

    // The editor's node first, then node 1 {E1195915-FFAE-4A56-B331-F4567336FF25}: item 1 the JPEG quality.
    void LoadState(TKelvoSDFReader& reader) override;
    void SaveState(TKelvoSDFWriter& writer) override;

    // IKelvoDemoParticipant: IMAGEOPEN, the zoom commands, SETMINWINDOWSIZE and SETMINVIEWSIZE; the targets
    // "Open" ("OpenButton"), the zoom buttons and "Image" x, y; the editor's own for everything else.
    void ExecuteDemoCommand(IKelvoDemoPlayback& playback, const AnsiString& command, bool& handled,
                            IKelvoDemoMacro& macro, const TKelvoProperties& params) override;
    void GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& point) override;

    TSkinItem* PrevImageButton = nullptr;
    TSkinItem* NextImageButton = nullptr;
    TSkinItem* ZoomInMenuItem = nullptr;
    TSkinItem* ZoomOutMenuItem = nullptr;
    TSkinItem* ActualSizeMenuItem = nullptr;
    TSkinItem* BestFitMenuItem = nullptr;
    TSkinItem* ZoomInButton = nullptr;
    TSkinItem* ZoomOutButton = nullptr;
    TSkinItem* ActualSizeButton = nullptr;
    TSkinItem* BestFitButton = nullptr;
    TSkinItem* OkButton = nullptr;
    TSkinItem* CancelButton = nullptr;

private:
    // The construction's steps, in this order: the Previous and Next buttons; the scanner component with its File
    // menu entries; the zoom commands in the View menu and at the toolbar's end; the status panels; the main
    // window's dropped files, mouse wheel and hand cursor; the document logic; the hand tool.
    void AddBrowseButtons();
    void CreateScanner();
    void AddZoomCommands();
    void AddStatusPanels();
    void ConnectMainForm();
    void CreateDocuments();
    void CreateHandTool();

    // A file the user opened: the folder's images are listed again around it.
    void Opened(const std::u16string& fileName);
    void OpenImage(std::int32_t index);
    void Acquire(const std::string& sourceName);
    void ImportPopup(TTBCustomItem* sender, bool fromLink);
    void ImportItemClick(TObject* sender);
    void ImageReady(TObject* sender, void* bits, void* info, std::uintptr_t image, const std::string& filePath);
    void EnableScanMenus(TObject* sender);
    void DisableScanMenus(TObject* sender);
    // 1:1 when the image fits the view, else the best fit.
    void OpeningZoom(TKelvoGraphicsView& view);
    bool DemoImageOpen(IKelvoDemoPlayback& playback, const TKelvoProperties& params);
    void DemoResizeWindow(const TKelvoProperties& params, bool forView);
    // While recording: the lines that open the file again with the view of the size it has now.
    void RecordOpened(const std::u16string& fileName);

    TKelvoGraphicsTool* handTool_ = nullptr;  // owned by Application, freed with the editor
    TKelvoGraphicsTool* currentTool_ = nullptr;
    TKelvoGraphicsTool* previousTool_ = nullptr;
    TKelvoGraphicsTool* asideTool_ = nullptr;  // the current tool while an undo step puts it aside
    bool toolLocked_ = false;
    TKelvoImageList images_;
    TKelvoGraphicsFormats table_;
    TKelvoGraphicsDocumentFormats formats_;
};
