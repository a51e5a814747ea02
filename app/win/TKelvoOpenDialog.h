// The documents' open and save dialogs: the system's wide dialog with the formats' filter and, beside the
// standard controls, a preview panel with the selected file's thumbnail and description. Thumbnails are made
// on a worker thread (TKelvoDialogPreviewThread) so that browsing stays responsive; it runs while the dialog
// is open and is ended (waited for while its synchronous calls are still served) before the dialog window
// goes.
#pragma once
#include <memory>

#include "app/core/TKelvoDialogPreviewThread.h"
#include "app/core/TKelvoFileFormats.h"
#include "unicode/win/TUniOpenDialog.h"

class TPanel;
class TPaintBox;
class TUniLabel;

class TKelvoOpenDialog : public TUniOpenDialog, public IKelvoPreviewSink {
    CLASSLIB_COMPONENT(TKelvoOpenDialog, TUniOpenDialog)
    CLASSLIB_MESSAGES(TKelvoOpenDialog, CLASSLIB_ON(WM_NOTIFY, &TKelvoOpenDialog::WMNotify))
public:
    // formats is not owned and outlives the dialog.
    TKelvoOpenDialog(TComponent* owner, const TKelvoFileFormats& formats);
    ~TKelvoOpenDialog() override;
    void AfterConstruction() override;

    using TUniOpenDialog::Execute;
    bool Execute(HWND parentWindow) override;

    // The preview's parts (for tests and the caller's own look).
    TPanel* PreviewPanel() const { return panel_; }
    TPaintBox* PreviewBox() const { return paintBox_; }
    TUniLabel* PreviewLabel() const { return label_; }
    bool HasThumbnail() const { return static_cast<bool>(thumbnail_); }

    void PreviewReady(std::unique_ptr<TKelvoThumbnail> thumbnail) override;

protected:
    // The filter of the open list with its all-supported entry chosen; the save dialog has its own.
    virtual void SetupFilter();
    virtual bool IsSaveDialog() const { return false; }
    const TKelvoFileFormats& Formats() const { return formats_; }

    void DoShow() override;
    void DoClose() override;
    void DoSelectionChange() override;

private:
    // Once the dialog has laid out its own controls, the panel takes the room right of them.
    void WMNotify(TMessage& message);
    void PlacePreview();
    void PaintPreview(TObject* sender);

    const TKelvoFileFormats& formats_;
    TPanel* panel_ = nullptr;
    TPaintBox* paintBox_ = nullptr;
    TUniLabel* label_ = nullptr;
    TObjectPtr<TKelvoDialogPreviewThread> thread_;
    std::unique_ptr<TKelvoThumbnail> thumbnail_;
};

class TKelvoSaveDialog : public TKelvoOpenDialog {
    CLASSLIB_COMPONENT(TKelvoSaveDialog, TKelvoOpenDialog)
public:
    TKelvoSaveDialog(TComponent* owner, const TKelvoFileFormats& formats) : TKelvoOpenDialog(owner, formats) {}

protected:
    // The save list; the filter index the caller set stays.
    void SetupFilter() override;
    bool IsSaveDialog() const override { return true; }
};
