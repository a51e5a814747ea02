#include "main/TKelvoGraphicsPrintModule.h"

#include <commdlg.h>

#include "app/core/KelvoPrintLayout.h"
#include "app/core/TKelvoGraphicsDocument.h"
#include "app/core/TKelvoLocalizer.h"
#include "app/win/TKelvoPrinter.h"
#include "app/win/TKelvoApplication.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TMainForm.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/WideChars.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinSeparatorItem.h"
#include "themed/win/TSkinToolbar.h"
#include "toolbar/core/TTBRootItem.h"

namespace {

constexpr TShortCut kCtrlP = ShortCut('P', {ssCtrl});
constexpr std::int32_t kImagePrint = 3;

WideString PrintCaption() { return GetText(KelvoTextPrint, u"Print") + u"..."; }

}  // namespace

TKelvoGraphicsPrintModule::TKelvoGraphicsPrintModule(TComponent* owner) : TKelvoModuleWithControls(owner) {
    TKelvoGraphicsEditor* editor = TKelvoGraphicsEditor::Instance();
    if (!editor || !editor->MainForm()) return;
    TMainForm& form = *editor->MainForm();
    form.AddSeparator(form.FileMenuItem, form.FileMenuSeparator);
    const TNotifyEvent print = MakeMethod<&TKelvoGraphicsPrintModule::PrintCommand>(this);
    PrintMenuItem =
        form.AddMenuItem(PrintCaption(), kCtrlP, form.FileMenuSeparator, form.FileMenuItem, kImagePrint, print);
    PrintButton = form.AddToolButton<TSkinItem>(editor->StandardToolbar, form.GetImages(), editor->EditToolbarSeparator,
                                                PrintCaption(), kImagePrint, print);
}

void TKelvoGraphicsPrintModule::Localize() {
    TKelvoModuleWithControls::Localize();
    if (PrintMenuItem) PrintMenuItem->SetCaption(PrintCaption());
    if (PrintButton) PrintButton->SetHint(PrintCaption());
}

void TKelvoGraphicsPrintModule::UpdateState() {
    TKelvoGraphicsEditor* editor = TKelvoGraphicsEditor::Instance();
    if (!editor || !PrintMenuItem) return;
    const bool plugin = editor->Documents().PluginMode();
    const bool enabled = editor->SaveAsMenuItem->Enabled() && !plugin;
    PrintMenuItem->SetEnabled(enabled);
    PrintButton->SetEnabled(enabled);
    PrintButton->SetVisible(!plugin);
}

bool TKelvoGraphicsPrintModule::PrintImage(HDC dc, TKelvoLTBitmap& image, const WideString& title) {
    TKelvoHiMetric& map = TKelvoPrinter::Install()->HiMetric();
    TKelvoPrinter::SetUpHiMetric(map, dc);
    if (map.ViewportExtX <= 0 || map.ViewportExtY <= 0) return false;
    const TKelvoPoint page =
        map.DeviceToLogicalPoint(MakePoint(::GetDeviceCaps(dc, HORZRES), ::GetDeviceCaps(dc, VERTRES)));
    const TKelvoRect place = FitOnPage(image.GetWidth(), image.GetHeight(), page.X, page.Y);
    if (place.IsEmpty()) return false;
    DOCINFOW info{};
    info.cbSize = sizeof info;
    info.lpszDocName = WideCStr(title);
    if (::StartDocW(dc, &info) <= 0) return false;
    const bool printed = ::StartPage(dc) > 0 && image.Print(dc, map.LogicalToDeviceRect(place)) && ::EndPage(dc) > 0;
    if (printed) return ::EndDoc(dc) > 0;
    ::AbortDoc(dc);
    return false;
}

void TKelvoGraphicsPrintModule::PrintCommand(TObject*) {
    TKelvoGraphicsEditor* editor = TKelvoGraphicsEditor::Instance();
    TKelvoGraphicsDocument* document = editor ? editor->GetActiveDocument() : nullptr;
    if (!document) return;
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = editor->MainForm() ? editor->MainForm()->Handle() : nullptr;
    // No "Print to file" box: a job's output file is the printer's business (a port that names a file); the
    // box alone would send the page to a file literally named "FILE:" on some systems.
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE;
    const BOOL chosen = ::PrintDlgW(&dialog);
    TScopeExit release([&] {
        if (dialog.hDC) ::DeleteDC(dialog.hDC);
        if (dialog.hDevMode) ::GlobalFree(dialog.hDevMode);
        if (dialog.hDevNames) ::GlobalFree(dialog.hDevNames);
    });
    // Cancelled is no error; a dialog that could not find a printer is.
    if (!chosen && ::CommDlgExtendedError() == 0) return;
    if (!chosen || !dialog.hDC || !PrintImage(dialog.hDC, document->Working(), document->DisplayName()))
        KelvoApplication->MessageBoxTitled(GetText(KelvoTextPrintFailed, u"The image could not be printed."),
                                           MB_ICONERROR);
}
