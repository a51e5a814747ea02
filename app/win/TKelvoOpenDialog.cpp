#include "app/win/TKelvoOpenDialog.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "app/core/TKelvoLocalizer.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/core/TColor.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TBrush.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/TPaintBox.h"
#include "classlib/win/TPanel.h"
#include "classlib/win/Win32.h"
#include "unicode/win/TUniLabel.h"

namespace {

constexpr int kStandardControlsArea = 0x045F;  // stc32: where the dialog puts its own controls
constexpr int kPreviewAreaWidth = 150;         // dialog units right of the standard controls

// The dialog template: the standard controls' area and, right of it, room for the preview panel. Made in
// memory (a resource-free program and its tests get the same dialog); words aligned as the system reads them.
class TPreviewTemplate {
public:
    TPreviewTemplate() {
        auto put = [this](WORD w) { words_.push_back(w); };
        auto putDword = [&](DWORD d) {
            put(LOWORD(d));
            put(HIWORD(d));
        };
        putDword(WS_CHILD | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL);  // style
        putDword(0);                                                    // extended style
        put(1);                                                         // one item
        put(0), put(0), put(1 + kPreviewAreaWidth), put(1);             // x, y, cx, cy
        put(0), put(0), put(0);                                         // no menu, class, title
        if (words_.size() % 2) put(0);                                  // items start on a DWORD
        putDword(WS_CHILD | SS_LEFT);
        putDword(0);
        put(0), put(0), put(1), put(1);
        put(kStandardControlsArea);
        put(0xFFFF), put(0x0082);  // the static class
        put(0);                    // no text
        put(0);                    // no creation data
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    std::vector<WORD> words_;
};

const TPreviewTemplate& PreviewTemplate() {
    static const TPreviewTemplate t;
    return t;
}

BOOL CALLBACK FindStandardAreaStep(HWND child, LPARAM data) {
    if (::GetDlgCtrlID(child) != kStandardControlsArea) return TRUE;
    *reinterpret_cast<HWND*>(data) = child;
    return FALSE;
}

HWND FindStandardArea(HWND dialog) {
    HWND found = nullptr;
    ::EnumChildWindows(dialog, &FindStandardAreaStep, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

TKelvoOpenDialog::TKelvoOpenDialog(TComponent* owner, const TKelvoFileFormats& formats)
    : TUniOpenDialog(owner), formats_(formats) {
    panel_ = Create<TPanel>(this);
    panel_->SetCaption("");
    panel_->SetBevelOuter(bvNone);
    panel_->SetBorderWidth(6);
    panel_->SetTabOrder(1);
    // Not double-buffered: inside the system dialog the buffered paint leaves the transparent label on black.
    panel_->SetDoubleBuffered(false);
    // Its window's parent is the system dialog, not a control of ours whose background it could show: the
    // panel fills its own, or a shorter description leaves the previous one's text beneath it.
    panel_->SetParentBackground(false);
    paintBox_ = Create<TPaintBox>(this);
    paintBox_->SetParent(panel_);
    paintBox_->SetHeight(224);
    paintBox_->SetAlign(alTop);
    paintBox_->OnPaint = MakeMethod<&TKelvoOpenDialog::PaintPreview>(this);
    label_ = Create<TUniLabel>(this);
    label_->SetParent(panel_);
    label_->Font()->SetName("Tahoma");
    label_->SetWordWrap(true);
    label_->SetAlign(alClient);
    label_->SetTransparent(true);
    label_->SetAutoSize(true);
}

TKelvoOpenDialog::~TKelvoOpenDialog() {
    // The worker may still hold this dialog as its sink.
    thread_.reset();
}

void TKelvoOpenDialog::AfterConstruction() {
    TUniOpenDialog::AfterConstruction();
    SetupFilter();
}

void TKelvoOpenDialog::SetupFilter() {
    SetFilter(BuildFilterString(formats_.GetOpenFormats()));
    SetFilterIndex(formats_.GetCount() + 1);
}

void TKelvoSaveDialog::SetupFilter() { SetFilter(BuildFilterString(Formats().GetFormats())); }

bool TKelvoOpenDialog::Execute(HWND parentWindow) {
    SetTitle(IsSaveDialog() ? GetText(KelvoTextSave, u"Save As") : GetText(KelvoTextOpen, u"Open"));
    const bool explorer = !Options().Contains(ofOldStyleDialog);
    const bool save = IsSaveDialog();
    return RunWideFileDialog(
        [explorer, save](OPENFILENAMEW* record) {
            if (explorer) {
                record->Flags |= OFN_ENABLETEMPLATEHANDLE;
                record->Flags &= ~DWORD(OFN_ENABLETEMPLATE);
                record->hInstance = reinterpret_cast<HINSTANCE>(const_cast<DLGTEMPLATE*>(PreviewTemplate().Get()));
                record->lpTemplateName = nullptr;
            }
            return save ? ::GetSaveFileNameW(record) : ::GetOpenFileNameW(record);
        },
        parentWindow);
}

void TKelvoOpenDialog::DoShow() {
    TUniOpenDialog::DoShow();
    thread_ = MakeObject<TKelvoDialogPreviewThread>(formats_, *this);
}

void TKelvoOpenDialog::WMNotify(TMessage& message) {
    const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
    const bool initDone = HookForwarded() && header && header->code == CDN_INITDONE;
    DispatchInherited<TKelvoOpenDialog>(this, message);
    if (initDone) PlacePreview();
}

void TKelvoOpenDialog::PlacePreview() {
    const HWND area = Handle() ? FindStandardArea(Handle()) : nullptr;
    if (!area) return;
    // The area and the room right of it belong to the window made from the template.
    const HWND host = ::GetParent(area);
    RECT standard{}, client{};
    ::GetWindowRect(area, &standard);
    ::MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&standard), 2);
    ::GetClientRect(host, &client);
    panel_->SetParentWindow(host);
    panel_->SetBounds(standard.right, standard.top + 30, client.right - 6 - standard.right,
                      client.bottom - 16 - (standard.top + 30));
    const int fontPixels = std::abs(label_->Font()->Height());
    paintBox_->SetHeight(panel_->Height() - int(std::lround(8 * fontPixels * 1.25)));
    panel_->SetVisible(true);
}

void TKelvoOpenDialog::DoClose() {
    if (thread_) {
        thread_->Stop();
        thread_.reset();  // waits, serving the worker's synchronous call, which it then declines
    }
    thumbnail_.reset();
    if (Application) Application->HideHint();
    panel_->SetParentWindow(nullptr);
    TUniOpenDialog::DoClose();
}

void TKelvoOpenDialog::DoSelectionChange() {
    TUniOpenDialog::DoSelectionChange();
    thumbnail_.reset();
    const WideString file = FileName();
    std::unique_ptr<TKelvoFileInfo> info;
    try {
        info = file.empty() ? nullptr : formats_.GetFileInfo(file);
    } catch (...) {
        // A file that cannot be read has an empty description; the dialog shows no error of its own.
        info.reset();
    }
    if (info) {
        label_->SetCaption(u"\r\n" + info->GetDescription());
        if (thread_) thread_->Request(file, paintBox_->Width() - 2, paintBox_->Height() - 2);
    } else {
        label_->SetCaption(u"");
        if (thread_) thread_->Request(u"", 0, 0);
    }
    paintBox_->Invalidate();
}

void TKelvoOpenDialog::PreviewReady(std::unique_ptr<TKelvoThumbnail> thumbnail) {
    thumbnail_ = std::move(thumbnail);
    paintBox_->Invalidate();
}

void TKelvoOpenDialog::PaintPreview(TObject*) {
    TCanvas* canvas = paintBox_->Canvas();
    const TRect client = paintBox_->ClientRect();
    TKelvoRect drawn{};
    if (thumbnail_) {
        const TKelvoRect inside{client.Left + 1, client.Top + 1, client.Right - 1, client.Bottom - 1};
        thumbnail_->Draw(canvas->Handle(), inside, drawn);
    }
    // Everything the thumbnail left, in the box's colour.
    canvas->Brush()->SetColor(paintBox_->Color());
    canvas->Brush()->SetStyle(bsSolid);
    const HDC dc = canvas->Handle();
    const int saved = ::SaveDC(dc);
    if (drawn.Width() > 0 && drawn.Height() > 0)
        ::ExcludeClipRect(dc, drawn.Left, drawn.Top, drawn.Right, drawn.Bottom);
    canvas->FillRect(client);
    ::RestoreDC(dc, saved);
    canvas->Brush()->SetColor(clBtnShadow);
    canvas->FrameRect(client);
}
