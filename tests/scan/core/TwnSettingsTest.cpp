#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "scan/core/TwnIdentity.h"
#include "scan/core/TwnLocales.h"
#include "scan/core/TwnSettings.h"

namespace {

// A folder check that knows one folder, and a temporary-name maker that counts its calls.
struct FakeSystem {
    int tempNames = 0;
    twn::TTwnNameSystem Make() {
        twn::TTwnNameSystem s;
        s.FolderExists = [](const std::string& folder) { return folder == "c:\\scans\\"; };
        s.TempFileName = [this] {
            ++tempNames;
            return std::string("c:\\temp\\twn1a.tmp");
        };
        return s;
    }
};

}  // namespace

TEST(TwnFileFormats, ExtensionsByFormatAndFormatsByName) {
    const char* expected[] = {"tif", "pct", "bmp", "xbm", "jpg", "fpx", "tif", "png", "jpg", "jpg", ""};
    for (TTwnFileFmt f = 0; f <= 10; ++f) EXPECT_EQ(twn::FileFormatExtension(f), expected[f]) << f;
    EXPECT_EQ(twn::FileFormatExtension(kTwnNoFileFormat), "");
    EXPECT_EQ(twn::FileFormatOfName("C:\\A\\SCAN.TIF"), TWFF_TIFF);
    EXPECT_EQ(twn::FileFormatOfName("scan.Pct"), TWFF_PICT);
    EXPECT_EQ(twn::FileFormatOfName("scan.bmp"), TWFF_BMP);
    EXPECT_EQ(twn::FileFormatOfName("scan.xbm"), TWFF_XBM);
    EXPECT_EQ(twn::FileFormatOfName("scan.JPG"), TWFF_JFIF);
    EXPECT_EQ(twn::FileFormatOfName("scan.fpx"), TWFF_FPX);
    EXPECT_EQ(twn::FileFormatOfName("scan.png"), TWFF_PNG);
    EXPECT_EQ(twn::FileFormatOfName("scan.gif"), kTwnNoFileFormat);
    EXPECT_EQ(twn::FileFormatOfName("c:\\dir.bmp\\scan"), kTwnNoFileFormat);
    EXPECT_EQ(twn::RemoveExtension("c:\\a.b\\scan."), "c:\\a.b\\scan");
    EXPECT_EQ(AllowedFileFormats(0xFFFF), 0xFFFF & ~0x000A);
}

TEST(TwnTransferSettings, DefaultsAreThoseOfTheConnectionThread) {
    FakeSystem fs;
    TTwnTransferSettings s(fs.Make());
    EXPECT_EQ(s.XferMech(), TTwnXferType::TWFX_NATIVE);
    EXPECT_EQ(s.DIBHandleType(), TTwnHdlType::THDT_DIBHANDLE);
    EXPECT_EQ(s.FileFormat(), TWFF_BMP);
    EXPECT_EQ(s.Filename(), "");
    EXPECT_TRUE(s.ReturnHandle());
    EXPECT_TRUE(s.SwapMemRGB());
    EXPECT_EQ(fs.tempNames, 0);
}

TEST(TwnTransferSettings, MemoryPointerHandlesAndTheMemoryMechanismGoTogether) {
    FakeSystem fs;
    TTwnTransferSettings s(fs.Make());
    s.SetDIBHandleType(TTwnHdlType::THDT_MEMPTR);
    EXPECT_EQ(s.XferMech(), TTwnXferType::TWFX_MEMORY);
    s.SetXferMech(TTwnXferType::TWFX_MEMORY);
    EXPECT_EQ(s.DIBHandleType(), TTwnHdlType::THDT_MEMPTR);
    s.SetXferMech(TTwnXferType::TWFX_FILES);
    EXPECT_EQ(s.DIBHandleType(), TTwnHdlType::THDT_DIBHANDLE);
    s.SetDIBHandleType(TTwnHdlType::THDT_DIBRAW);
    EXPECT_EQ(s.XferMech(), TTwnXferType::TWFX_FILES);
}

TEST(TwnTransferSettings, FileFormatRefusesPictAndXbmAndRenamesTheFile) {
    FakeSystem fs;
    TTwnTransferSettings s(fs.Make());
    s.SetFileFormat(TWFF_PICT);
    EXPECT_EQ(s.FileFormat(), TWFF_BMP);
    s.SetFileFormat(TWFF_XBM);
    EXPECT_EQ(s.FileFormat(), TWFF_BMP);
    s.SetFilename("C:\\Scans\\Page.BMP");
    EXPECT_EQ(s.Filename(), "c:\\scans\\page.bmp");
    s.SetFileFormat(TWFF_PNG);
    EXPECT_EQ(s.FileFormat(), TWFF_PNG);
    EXPECT_EQ(s.Filename(), "c:\\scans\\page.png");
    // A format without a file extension keeps the name instead of turning the format into 232 through it.
    s.SetFileFormat(10);
    EXPECT_EQ(s.FileFormat(), 10);
    EXPECT_EQ(s.Filename(), "c:\\scans\\page.png");
}

TEST(TwnTransferSettings, FilenameSetsTheFormatUnlessATiffOrJpegKindIsChosen) {
    FakeSystem fs;
    TTwnTransferSettings s(fs.Make());
    s.SetFilename("c:\\scans\\a.png");
    EXPECT_EQ(s.FileFormat(), TWFF_PNG);
    s.SetFileFormat(TWFF_JFIF);
    EXPECT_EQ(s.Filename(), "c:\\scans\\a.jpg");
    s.SetFilename("c:\\scans\\b.bmp");
    EXPECT_EQ(s.FileFormat(), TWFF_JFIF);  // kept: a JPEG kind was chosen
    EXPECT_EQ(s.Filename(), "c:\\scans\\b.bmp");
    s.StoreFileFormat(TWFF_PNG);
    s.SetFilename("c:\\scans\\c.pct");
    EXPECT_EQ(s.FileFormat(), TWFF_PNG);  // a refused format does not come in through a name
    s.SetFilename("c:\\scans\\d.gif");
    EXPECT_EQ(s.FileFormat(), kTwnNoFileFormat);
    EXPECT_EQ(s.Filename(), "c:\\scans\\d.gif");
}

TEST(TwnTransferSettings, EmptyFilenameMeansBmpWithAReturnedHandle) {
    FakeSystem fs;
    TTwnTransferSettings s(fs.Make());
    s.SetFilename("c:\\scans\\a.jpg");
    s.SetReturnHandle(false);
    s.SetFilename("");
    EXPECT_EQ(s.Filename(), "");
    EXPECT_EQ(s.FileFormat(), TWFF_BMP);
    EXPECT_TRUE(s.ReturnHandle());
    s.SetFileFormat(TWFF_JFIF);
    s.SetReturnHandle(true);
    EXPECT_FALSE(s.ReturnHandle());
    s.SetFileFormat(TWFF_BMP);
    s.SetReturnHandle(true);
    EXPECT_TRUE(s.ReturnHandle());
}

TEST(TwnTransferSettings, ANameInAMissingFolderBecomesATemporaryName) {
    FakeSystem fs;
    TTwnTransferSettings s(fs.Make());
    s.SetFilename("D:\\Gone\\Scan.png");
    EXPECT_EQ(fs.tempNames, 1);
    EXPECT_EQ(s.Filename(), "c:\\temp\\twn1a.png");
    s.SetFilename("scan.bmp");  // no folder part: the current folder
    EXPECT_EQ(fs.tempNames, 1);
    EXPECT_EQ(s.Filename(), "scan.bmp");
}

TEST(TwnLocales, LanguageCodesAreOrdinalMinusOne) {
    EXPECT_EQ(twn::kLanguageCount, 115);
    EXPECT_EQ(twn::LanguageCode(TzavLanguage::USERLOCALE), 0xFFFF);
    EXPECT_EQ(twn::LanguageCode(TzavLanguage::DANISH), 0);
    EXPECT_EQ(twn::LanguageCode(TzavLanguage::ENGLISH_INTL), 2);
    EXPECT_EQ(twn::LanguageCode(TzavLanguage::US_ENGLISH), 13);
    EXPECT_EQ(twn::LanguageCode(TzavLanguage::VIETNAMESE), 113);
    for (int i = 0; i < twn::kLanguageCount; ++i) {
        const auto language = static_cast<TzavLanguage>(i);
        EXPECT_EQ(twn::LanguageOfCode(twn::LanguageCode(language)), language) << i;
    }
}

TEST(TwnLocales, CountriesMapThroughTheTableAndUnknownCodesReadAsUnitedKingdom) {
    EXPECT_EQ(twn::kCountryCount, 239);
    EXPECT_EQ(twn::CountryCode(TzavCountry::AFGHANISTAN), 1001);
    EXPECT_EQ(twn::CountryCode(TzavCountry::ALGERIA), 213);
    EXPECT_EQ(twn::CountryCode(TzavCountry::BRITAIN), 6);
    EXPECT_EQ(twn::CountryCode(TzavCountry::CANADA), 2);
    EXPECT_EQ(twn::CountryCode(TzavCountry::DENMARK), 45);
    EXPECT_EQ(twn::CountryCode(TzavCountry::FRANCE), 33);
    EXPECT_EQ(twn::CountryCode(TzavCountry::GERMANY), 49);
    EXPECT_EQ(twn::CountryCode(TzavCountry::UNITEDKINGDOM), 44);
    EXPECT_EQ(twn::CountryCode(TzavCountry::USA), 1);
    // Codes several members share read back as the first of them (ANDORRA before FRANCE and MONACO).
    EXPECT_EQ(twn::CountryOfCode(33), TzavCountry::ANDORRA);
    EXPECT_EQ(twn::CountryOfCode(44), TzavCountry::UNITEDKINGDOM);
    EXPECT_EQ(twn::CountryOfCode(4242), TzavCountry::UNITEDKINGDOM);
}

TEST(TwnIdentity, ApplicationIdentityAndTextFields) {
    twn::TTwnAppNames names;
    names.ProductName = "A product name that is longer than thirty-two characters";
    const TW_IDENTITY id = twn::AppIdentity(names);
    EXPECT_EQ(std::uint32_t(id.Id), 0u);
    EXPECT_EQ(int(id.Version.MajorNum), 3);
    EXPECT_EQ(int(id.Version.MinorNum), 0);
    EXPECT_EQ(int(id.Version.Language), 2);
    EXPECT_EQ(int(id.Version.Country), 44);
    EXPECT_STREQ(id.Version.Info, "Zavworks, TWAIN Toolkit");
    EXPECT_EQ(int(id.ProtocolMajor), 1);
    EXPECT_EQ(int(id.ProtocolMinor), 9);
    EXPECT_EQ(std::uint32_t(id.SupportedGroups), 3u);
    EXPECT_STREQ(id.Manufacturer, "Zavworks");
    EXPECT_STREQ(id.ProductFamily, "TWAIN Toolkit");
    EXPECT_EQ(twn::IdentityText(id.ProductName), names.ProductName.substr(0, 32));
    EXPECT_EQ(id.ProductName[32], 0);
    EXPECT_EQ(twn::ProtocolNumber(id), 19);
    // A source's name without a terminator is read up to the field's end and no further.
    TW_IDENTITY garbage = id;
    std::memset(garbage.ProductName, 'P', sizeof garbage.ProductName);
    EXPECT_EQ(twn::IdentityText(garbage.ProductName), std::string(34, 'P'));
}
