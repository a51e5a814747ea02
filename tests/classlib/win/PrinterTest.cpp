// The printer object: choosing a printer, the errors without one, jobs on whatever printer the system has,
// and replacing the program's printer.
#include <gtest/gtest.h>

#include <vector>

#include "classlib/win/TPrinter.h"

namespace {

// A printer whose list and default printer are given by the test instead of the spooler.
class TListedPrinter : public TPrinter {
public:
    TListedPrinter(std::vector<AnsiString> names, AnsiString defaultName)
        : names_(std::move(names)), default_(std::move(defaultName)) {}

protected:
    void EnumeratePrinters(TStrings& names) override {
        for (const AnsiString& n : names_) names.Add(n);
    }
    AnsiString DefaultPrinterName() override { return default_; }

private:
    std::vector<AnsiString> names_;
    AnsiString default_;
};

template <class F>
AnsiString PrinterError(F&& f) {
    try {
        f();
    } catch (const EPrinter& e) {
        return e.Message();
    }
    return "no error";
}

TEST(Printer, WithoutPrintersEveryUseReportsTheMissingDefault) {
    TObjectPtr<TListedPrinter> printer = MakeObject<TListedPrinter>(std::vector<AnsiString>{}, "");
    const AnsiString missing = "There is no default printer currently selected";
    EXPECT_EQ(PrinterError([&] { printer->BeginDoc(); }), missing);
    EXPECT_EQ(PrinterError([&] { printer->PrinterIndex(); }), missing);
    EXPECT_EQ(PrinterError([&] { printer->Handle(); }), missing);
    EXPECT_EQ(PrinterError([&] { printer->PageWidth(); }), missing);
    EXPECT_EQ(PrinterError([&] { printer->Orientation(); }), missing);
    // Drawing needs the device context: the canvas reports the same.
    EXPECT_EQ(PrinterError([&] { printer->Canvas()->TextOut(0, 0, "x"); }), missing);
    EXPECT_FALSE(printer->Printing());
    EXPECT_EQ(PrinterError([&] { printer->SetPrinterIndex(0); }), "Printer index out of range");
    printer->SetPrinterIndex(-1);
    // No job is running: ending, cancelling or turning a page is refused.
    EXPECT_EQ(PrinterError([&] { printer->EndDoc(); }), "No document is being printed");
    EXPECT_EQ(PrinterError([&] { printer->NewPage(); }), "No document is being printed");
    EXPECT_EQ(PrinterError([&] { printer->Abort(); }), "No document is being printed");
}

TEST(Printer, TheDefaultPrinterIsChosenUntilAnotherIs) {
    TObjectPtr<TListedPrinter> printer = MakeObject<TListedPrinter>(std::vector<AnsiString>{"Alpha", "Beta"}, "Beta");
    EXPECT_EQ(printer->Printers()->Count(), 2);
    EXPECT_EQ(printer->PrinterIndex(), 1);
    printer->SetPrinterIndex(0);
    EXPECT_EQ(printer->PrinterIndex(), 0);
    EXPECT_EQ(PrinterError([&] { printer->SetPrinterIndex(2); }), "Printer index out of range");
    EXPECT_EQ(PrinterError([&] { printer->SetPrinterIndex(-2); }), "Printer index out of range");
    EXPECT_EQ(printer->PrinterIndex(), 0);
    printer->SetPrinterIndex(-1);
    EXPECT_EQ(printer->PrinterIndex(), 1);

    // A default printer that is not in the list is no default at all.
    TObjectPtr<TListedPrinter> stray = MakeObject<TListedPrinter>(std::vector<AnsiString>{"Alpha"}, "Gone");
    EXPECT_EQ(PrinterError([&] { stray->PrinterIndex(); }), "There is no default printer currently selected");
    stray->SetPrinterIndex(0);
    EXPECT_EQ(stray->PrinterIndex(), 0);
}

TEST(Printer, APrinterTheSystemDoesNotKnowStartsNoJob) {
    TObjectPtr<TListedPrinter> printer =
        MakeObject<TListedPrinter>(std::vector<AnsiString>{"No Such Printer 7f3a"}, "No Such Printer 7f3a");
    printer->SetTitle("Test page");
    EXPECT_EQ(PrinterError([&] { printer->BeginDoc(); }), "The selected printer cannot be used");
    EXPECT_FALSE(printer->Printing());
    EXPECT_EQ(printer->PageNumber(), 0);
    EXPECT_EQ(PrinterError([&] { printer->SetCopies(2); }), "The selected printer cannot be used");
}

TEST(Printer, TheProgramsPrinterCanBeReplaced) {
    TPrinter* original = Printer();
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(Printer(), original);
    TPrinter* mine = Create<TPrinter>();
    // The replaced printer comes back to the caller, who frees it (here: puts it back).
    EXPECT_EQ(SetPrinter(mine), original);
    EXPECT_EQ(Printer(), mine);
    EXPECT_EQ(SetPrinter(original), mine);
    Free(mine);
    EXPECT_EQ(Printer(), original);
    // Without a printer object, the next use makes a fresh one.
    EXPECT_EQ(SetPrinter(nullptr), original);
    TPrinter* fresh = Printer();
    ASSERT_NE(fresh, nullptr);
    Free(SetPrinter(original));
}

TEST(Printer, AJobOnAnInstalledPrinter) {
    TObjectPtr<TPrinter> printer = MakeObject<TPrinter>();
    if (printer->Printers()->Count() == 0) {
        // The spooler's own answer without printers is the missing default.
        EXPECT_EQ(PrinterError([&] { printer->BeginDoc(); }), "There is no default printer currently selected");
        GTEST_SKIP() << "the system has no printers installed: no job was printed";
    }
    printer->SetPrinterIndex(0);
    EXPECT_GT(printer->PageWidth(), 0);
    EXPECT_GT(printer->PageHeight(), 0);
    printer->SetTitle("classlib printer test");
    printer->BeginDoc();
    EXPECT_TRUE(printer->Printing());
    EXPECT_EQ(PrinterError([&] { printer->BeginDoc(); }), "A document is being printed");
    EXPECT_EQ(PrinterError([&] { printer->SetPrinterIndex(0); }), "A document is being printed");
    printer->Canvas()->Font()->SetSize(12);
    printer->Canvas()->TextOut(100, 100, "page 1");
    // Twelve points on paper, at the printer's resolution.
    EXPECT_EQ(printer->Canvas()->Font()->PixelsPerInch(), GetDeviceCaps(printer->Handle(), LOGPIXELSY));
    EXPECT_EQ(printer->Canvas()->Font()->Size(), 12);
    printer->NewPage();
    EXPECT_EQ(printer->PageNumber(), 2);
    printer->Canvas()->TextOut(100, 100, "page 2");
    // Cancelled, so that the test prints nothing.
    printer->Abort();
    EXPECT_TRUE(printer->Aborted());
    EXPECT_FALSE(printer->Printing());
}

}  // namespace
