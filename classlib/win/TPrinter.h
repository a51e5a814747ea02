// The printer: the installed printers, the chosen one with its page settings, and a print job drawn on a
// canvas. One printer object serves the program (Printer()); a program may install its own kind with
// SetPrinter.
#pragma once
#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

#include "classlib/core/Owned.h"
#include "classlib/core/TStringList.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/Win32.h"

enum TPrinterOrientation { poPortrait, poLandscape };

class TPrinter : public TObject {
    CLASSLIB_CLASS(TPrinter, TObject)
public:
    TPrinter();
    // A job still running is aborted.
    ~TPrinter() override;

    // The names of the installed printers, read once (Refresh reads them again).
    TStrings* Printers();
    void Refresh();
    // The chosen printer; until one is chosen (or after choosing -1) the system's default printer. Raises
    // EPrinter "There is no default printer currently selected" when there is none.
    int PrinterIndex();
    // -1 chooses the default printer; any other index outside Printers raises EPrinter. Not while printing.
    void SetPrinterIndex(int index);

    // Starts a job named Title on the chosen printer with its first page; raises EPrinter when the printer
    // cannot be used or the job cannot start (nothing is left open then).
    void BeginDoc();
    // Ends the page and the job; the job is printed.
    void EndDoc();
    // Ends the page and starts the next one.
    void NewPage();
    // Cancels the running job: nothing of it is printed.
    void Abort();
    bool Printing() const { return printing_; }
    // Whether the last job was cancelled with Abort.
    bool Aborted() const { return aborted_; }
    // The page being drawn, from 1.
    int PageNumber() const { return pageNumber_; }

    // Drawing on the page; outside a job it measures on the chosen printer.
    TCanvas* Canvas() const { return canvas_.get(); }
    // The printer's device context: the job's while printing, else an information context for measuring.
    HDC Handle();
    // The printable area in device pixels.
    int PageWidth();
    int PageHeight();

    // The name the job has in the print queue.
    const AnsiString& Title() const { return title_; }
    void SetTitle(const AnsiString& value) { title_ = value; }
    // Page settings of the chosen printer (not while printing).
    TPrinterOrientation Orientation();
    void SetOrientation(TPrinterOrientation value);
    int Copies();
    void SetCopies(int value);

protected:
    // Where the printer list and the default printer come from: the print spooler.
    virtual void EnumeratePrinters(TStrings& names);
    virtual AnsiString DefaultPrinterName();

private:
    using TDCHandle = TOwned<std::remove_pointer_t<HDC>, ::DeleteDC>;

    AnsiString PrinterName();
    DEVMODEA* DeviceMode();
    void CheckNotPrinting() const;
    void CheckPrinting() const;
    // Detaches the canvas and frees the device context.
    void ReleaseDC();
    void EndJob();

    TObjectPtr<TStringList> printers_;
    bool printersRead_ = false;
    int index_ = -1;
    std::vector<std::uint8_t> deviceMode_;
    TDCHandle dc_;
    TObjectPtr<TCanvas> canvas_;
    AnsiString title_;
    bool printing_ = false;
    bool aborted_ = false;
    int pageNumber_ = 0;
};

// The program's printer, made on first use and freed at classlib::Shutdown().
TPrinter* Printer();
// Registers the unit that frees the program's printer at classlib::Shutdown(). Printer() and SetPrinter()
// register it themselves when the program did not; calling it again does nothing.
void RegisterPrinterUnit();
// Installs newPrinter as the program's printer and returns the one it replaces (possibly null), which the
// caller now owns and frees.
TPrinter* SetPrinter(TPrinter* newPrinter);
