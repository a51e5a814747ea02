// A printer whose pages go to a file, for tests that print: the test's Wine prefix has no printer of its own.
// It is a PostScript printer (Wine's driver, described by a small page description of our own: one A4 page
// size) whose port is the output file, made the default printer while the object lives and removed after.
//
//   testsupport::FilePrinter printer(dir.File("printed.ps"));
//   ...print through the system's print dialog...
//   EXPECT_FALSE(FileBytes(printer.Output()).empty());
#pragma once
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "classlib/win/Win32.h"
// After the system headers: it needs their types.
#include <winspool.h>

namespace testsupport {

class FilePrinter {
public:
    static constexpr const wchar_t* Name = L"Vantorel Test File Printer";

    explicit FilePrinter(std::string output) : output_(std::move(output)) {
        ::GetDefaultPrinterW(previous_, &previousSize_);
        Remove();
        const std::string description = output_ + ".ppd";
        WriteDescription(description);
        const std::wstring descriptionW(description.begin(), description.end());
        DRIVER_INFO_3W driver{};
        driver.cVersion = 3;
        driver.pName = const_cast<LPWSTR>(Name);
        driver.pDriverPath = const_cast<LPWSTR>(L"wineps.drv");
        driver.pDataFile = const_cast<LPWSTR>(descriptionW.c_str());
        driver.pConfigFile = const_cast<LPWSTR>(L"wineps.drv");
        driver.pDefaultDataType = const_cast<LPWSTR>(L"RAW");
        EXPECT_TRUE(::AddPrinterDriverExW(nullptr, 3, reinterpret_cast<LPBYTE>(&driver),
                                          APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY))
            << "the printer's driver could not be added: " << ::GetLastError();
        // A port that names a file on a drive: the spooler copies each finished job there.
        const std::wstring port(output_.begin(), output_.end());
        PRINTER_INFO_2W info{};
        info.pPrinterName = const_cast<LPWSTR>(Name);
        info.pPortName = const_cast<LPWSTR>(port.c_str());
        info.pDriverName = const_cast<LPWSTR>(Name);
        info.pPrintProcessor = const_cast<LPWSTR>(L"WinPrint");
        info.pDatatype = const_cast<LPWSTR>(L"RAW");
        HANDLE printer = ::AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
        EXPECT_NE(printer, nullptr) << "the printer could not be added: " << ::GetLastError();
        if (printer) ::ClosePrinter(printer);
        EXPECT_TRUE(::SetDefaultPrinterW(Name));
    }
    ~FilePrinter() {
        Remove();
        if (previous_[0]) ::SetDefaultPrinterW(previous_);
    }
    FilePrinter(const FilePrinter&) = delete;
    FilePrinter& operator=(const FilePrinter&) = delete;

    const std::string& Output() const { return output_; }

private:
    // Left by an earlier run that ended early: its port names a folder that is gone.
    static void Remove() {
        HANDLE printer = nullptr;
        PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
        if (!::OpenPrinterW(const_cast<LPWSTR>(Name), &printer, &access)) return;
        ::DeletePrinter(printer);
        ::ClosePrinter(printer);
    }
    static void WriteDescription(const std::string& path) {
        std::ofstream out(path, std::ios::binary);
        out << "*PPD-Adobe: \"4.3\"\n"
               "*FormatVersion: \"4.3\"\n"
               "*FileVersion: \"1.0\"\n"
               "*LanguageVersion: English\n"
               "*LanguageEncoding: ISOLatin1\n"
               "*PCFileName: \"VTFILE.PPD\"\n"
               "*Manufacturer: \"Vantorel\"\n"
               "*Product: \"(Vantorel Test File Printer)\"\n"
               "*ModelName: \"Vantorel Test File Printer\"\n"
               "*ShortNickName: \"Vantorel Test File Printer\"\n"
               "*NickName: \"Vantorel Test File Printer\"\n"
               "*PSVersion: \"(3010.000) 0\"\n"
               "*LanguageLevel: \"3\"\n"
               "*ColorDevice: True\n"
               "*DefaultColorSpace: RGB\n"
               "*DefaultResolution: 300dpi\n"
               "*OpenUI *PageSize/Page Size: PickOne\n"
               "*DefaultPageSize: A4\n"
               "*PageSize A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
               "*CloseUI: *PageSize\n"
               "*DefaultImageableArea: A4\n"
               "*ImageableArea A4/A4: \"18 36 577 806\"\n"
               "*DefaultPaperDimension: A4\n"
               "*PaperDimension A4/A4: \"595 842\"\n"
               "*DefaultFont: Courier\n"
               "*Font Courier: Standard \"(002.004S)\" Standard ROM\n";
    }

    std::string output_;
    wchar_t previous_[256] = {};
    DWORD previousSize_ = 256;
};

}  // namespace testsupport
