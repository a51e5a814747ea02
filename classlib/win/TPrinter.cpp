#include "classlib/win/TPrinter.h"

#include "classlib/core/UnitRegistry.h"

namespace {

constexpr char kNoDefaultPrinter[] = "There is no default printer currently selected";

[[noreturn]] void RaisePrinter(const char* message) { throw EPrinter(message); }

// The printer's canvas takes the printer's device context when it needs one.
class TPrinterCanvas : public TCanvas {
public:
    explicit TPrinterCanvas(TPrinter* printer) : printer_(printer) {}

protected:
    void CreateHandle() override {
        const HDC dc = printer_->Handle();
        SetHandle(dc);
        // Font sizes in points mean the same on paper: the font converts with the printer's resolution.
        const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
        TFont* font = Font();
        if (dpi > 0 && font->PixelsPerInch() != dpi) {
            const int points = font->Size();
            font->SetPixelsPerInch(dpi);
            font->SetSize(points);
        }
    }

private:
    TPrinter* printer_;
};

TPrinter* g_printer = nullptr;

}  // namespace

TPrinter::TPrinter() : printers_(MakeObject<TStringList>()), canvas_(MakeObject<TPrinterCanvas>(this)) {}

TPrinter::~TPrinter() {
    if (printing_) AbortDoc(dc_.get());
    ReleaseDC();
}

TStrings* TPrinter::Printers() {
    if (!printersRead_) {
        printers_->Clear();
        EnumeratePrinters(*printers_);
        printersRead_ = true;
    }
    return printers_.get();
}

void TPrinter::Refresh() {
    CheckNotPrinting();
    printersRead_ = false;
    index_ = -1;
    deviceMode_.clear();
    ReleaseDC();
}

void TPrinter::EnumeratePrinters(TStrings& names) {
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    std::vector<BYTE> buffer;
    DWORD needed = 0;
    DWORD count = 0;
    // The list may grow between asking for its size and reading it: ask again a few times.
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (EnumPrintersA(flags, nullptr, 4, buffer.data(), static_cast<DWORD>(buffer.size()), &needed, &count)) {
            const auto* info = reinterpret_cast<const PRINTER_INFO_4A*>(buffer.data());
            for (DWORD i = 0; i < count; ++i)
                if (info[i].pPrinterName) names.Add(info[i].pPrinterName);
            return;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size()) return;
        buffer.resize(needed);
    }
}

AnsiString TPrinter::DefaultPrinterName() {
    DWORD size = 0;
    GetDefaultPrinterA(nullptr, &size);
    if (size == 0) return AnsiString();
    std::vector<char> name(size + 1, '\0');
    if (!GetDefaultPrinterA(name.data(), &size)) return AnsiString();
    return AnsiString(name.data());
}

int TPrinter::PrinterIndex() {
    if (index_ >= 0) return index_;
    const AnsiString name = DefaultPrinterName();
    const int index = name.empty() ? -1 : Printers()->IndexOf(name);
    if (index < 0) RaisePrinter(kNoDefaultPrinter);
    return index;
}

void TPrinter::SetPrinterIndex(int index) {
    CheckNotPrinting();
    if (index < -1 || index >= Printers()->Count()) RaisePrinter("Printer index out of range");
    if (index == index_) return;
    index_ = index;
    deviceMode_.clear();
    ReleaseDC();
}

AnsiString TPrinter::PrinterName() { return Printers()->Strings(PrinterIndex()); }

DEVMODEA* TPrinter::DeviceMode() {
    if (deviceMode_.empty()) {
        AnsiString name = PrinterName();
        HANDLE printer = nullptr;
        if (!OpenPrinterA(name.data(), &printer, nullptr)) RaisePrinter("The selected printer cannot be used");
        const LONG size = DocumentPropertiesA(nullptr, printer, name.data(), nullptr, nullptr, 0);
        if (size >= static_cast<LONG>(sizeof(DEVMODEA))) {
            deviceMode_.assign(static_cast<std::size_t>(size), 0);
            auto* mode = reinterpret_cast<DEVMODEA*>(deviceMode_.data());
            if (DocumentPropertiesA(nullptr, printer, name.data(), mode, nullptr, DM_OUT_BUFFER) != IDOK)
                deviceMode_.clear();
        }
        ClosePrinter(printer);
        if (deviceMode_.empty()) RaisePrinter("The selected printer cannot be used");
    }
    return reinterpret_cast<DEVMODEA*>(deviceMode_.data());
}

HDC TPrinter::Handle() {
    if (!dc_) {
        const AnsiString name = PrinterName();
        dc_.reset(CreateICA("WINSPOOL", name.c_str(), nullptr, DeviceMode()));
        if (!dc_) RaisePrinter("The selected printer cannot be used");
    }
    return dc_.get();
}

int TPrinter::PageWidth() { return GetDeviceCaps(Handle(), HORZRES); }

int TPrinter::PageHeight() { return GetDeviceCaps(Handle(), VERTRES); }

void TPrinter::CheckNotPrinting() const {
    if (printing_) RaisePrinter("A document is being printed");
}

void TPrinter::CheckPrinting() const {
    if (!printing_) RaisePrinter("No document is being printed");
}

void TPrinter::ReleaseDC() {
    canvas_->SetHandle(nullptr);
    dc_.reset();
}

void TPrinter::BeginDoc() {
    CheckNotPrinting();
    const AnsiString name = PrinterName();
    DEVMODEA* mode = DeviceMode();
    ReleaseDC();
    TDCHandle dc(CreateDCA("WINSPOOL", name.c_str(), nullptr, mode));
    if (!dc) RaisePrinter("The selected printer cannot be used");
    DOCINFOA info{};
    info.cbSize = sizeof(info);
    info.lpszDocName = title_.c_str();
    if (StartDocA(dc.get(), &info) <= 0) RaisePrinter("The print job could not be started");
    if (StartPage(dc.get()) <= 0) {
        AbortDoc(dc.get());
        RaisePrinter("The print job could not be started");
    }
    dc_ = std::move(dc);
    printing_ = true;
    aborted_ = false;
    pageNumber_ = 1;
}

void TPrinter::EndJob() {
    printing_ = false;
    pageNumber_ = 0;
    ReleaseDC();
}

void TPrinter::EndDoc() {
    CheckPrinting();
    const bool pageEnded = EndPage(dc_.get()) > 0;
    const bool docEnded = pageEnded && ::EndDoc(dc_.get()) > 0;
    if (!docEnded) AbortDoc(dc_.get());
    EndJob();
    if (!docEnded) RaisePrinter("The print job could not be finished");
}

void TPrinter::NewPage() {
    CheckPrinting();
    if (EndPage(dc_.get()) <= 0 || StartPage(dc_.get()) <= 0) {
        Abort();
        RaisePrinter("The print job could not be finished");
    }
    ++pageNumber_;
    // A new page starts with the device context's default objects: select the canvas's again.
    canvas_->Refresh();
}

void TPrinter::Abort() {
    CheckPrinting();
    AbortDoc(dc_.get());
    aborted_ = true;
    EndJob();
}

TPrinterOrientation TPrinter::Orientation() {
    return DeviceMode()->dmOrientation == DMORIENT_LANDSCAPE ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation value) {
    CheckNotPrinting();
    DEVMODEA* mode = DeviceMode();
    mode->dmOrientation = value == poLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    mode->dmFields |= DM_ORIENTATION;
    // The measuring context still has the old page.
    ReleaseDC();
}

int TPrinter::Copies() { return DeviceMode()->dmCopies; }

void TPrinter::SetCopies(int value) {
    CheckNotPrinting();
    if (value < 1 || value > 0x7FFF) RaisePrinter("Copies out of range");
    DEVMODEA* mode = DeviceMode();
    mode->dmCopies = static_cast<short>(value);
    mode->dmFields |= DM_COPIES;
    ReleaseDC();
}

void RegisterPrinterUnit() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    classlib::RegisterUnit(
        "Printers", nullptr, [] { Free(SetPrinter(nullptr)); }, 0);
}

TPrinter* Printer() {
    if (!g_printer) {
        g_printer = Create<TPrinter>();
        RegisterPrinterUnit();
    }
    return g_printer;
}

TPrinter* SetPrinter(TPrinter* newPrinter) {
    TPrinter* old = g_printer;
    g_printer = newPrinter;
    if (newPrinter) RegisterPrinterUnit();
    return old;
}
