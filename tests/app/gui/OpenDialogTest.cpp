// The real open dialog with its preview: the formats' filter with the all-supported entry chosen, a
// thumbnail and a description for a PNG and a TIFF chosen in its file list, an empty description and no
// error for a file that cannot be read, and a cancel that ends it cleanly.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

#include "tests/app/gui/KelvoAppTestSupport.h"
#include "tests/app/gui/DialogTestSupport.h"
#include "app/core/TKelvoPixelBuffer.h"
#include "app/core/TKelvoProperties.h"
#include "app/win/KelvoGraphicsIO.h"
#include "app/win/TKelvoGraphicsFormats.h"
#include "app/win/TKelvoOpenDialog.h"
#include "classlib/core/Synchronize.h"
#include "classlib/win/TPaintBox.h"
#include "classlib/win/TPanel.h"
#include "tests/support/TestSupport.h"
#include "tests/support/ScreenPicture.h"
#include "tests/support/ScreenWait.h"
#include "classlib/win/WindowDC.h"
#include "classlib/core/TColor.h"
#include "unicode/win/TUniLabel.h"
#include "classlib/core/StringUtils.h"

namespace {

// The shared pump's step inside the dialog: its messages and the preview worker's synchronous calls.
void DialogStep() {
    testsupport::DispatchThreadMessages();
    CheckSynchronize(0);
}
bool PumpUntil(const std::function<bool()>& done, DWORD ms = testsupport::kPumpTimeoutMs) {
    return testsupport::PumpUntil(done, ms, DialogStep);
}

HWND FindClass(HWND parent, const wchar_t* cls) {
    for (const auto& child : kelvotest::ChildWindows(parent))
        if (child.ClassName == cls) return child.Window;
    return nullptr;
}

// Selects the file in the dialog's list as a click would (the list may show names without extension).
bool SelectInList(HWND dialog, const std::wstring& name) {
    const HWND list = FindClass(dialog, L"SysListView32");
    if (!list) return false;
    int index = -1;
    for (const std::wstring& shown : {name, name.substr(0, name.rfind(L'.'))}) {
        LVFINDINFOW find{};
        find.flags = LVFI_STRING;
        find.psz = shown.c_str();
        index = int(::SendMessageW(list, LVM_FINDITEMW, WPARAM(-1), reinterpret_cast<LPARAM>(&find)));
        if (index >= 0) break;
    }
    if (index < 0) return false;
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&none));
    LVITEMW item{};
    item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
    return true;
}

// How many pixels of the preview panel below its picture (where the description goes) the panel's window
// holds in another colour than the panel's own.
long OtherThanPanelColour(TKelvoOpenDialog& dialog) {
    TPanel* panel = dialog.PreviewPanel();
    const int top = dialog.PreviewBox()->Top() + dialog.PreviewBox()->Height();
    const TWindowDC dc(panel->Handle(), true);
    const std::vector<std::uint32_t> pixels =
        testsupport::CopyPixels(dc.Get(), 0, top, panel->Width(), panel->Height() - top);
    const COLORREF face = COLORREF(ColorToRGB(panel->Color()));
    const std::uint32_t expected = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
    long other = 0;
    for (std::uint32_t p : pixels) other += (p & 0xFFFFFF) != expected;
    return other;
}

class OpenDialogWindow : public kelvotest::KelvoAppTest {};

}  // namespace

TEST_F(OpenDialogWindow, ListsTheFormatsPreviewsAPngAndATiffAndIsCancelled) {
    testsupport::TempDir dir;
    TKelvoPixelBuffer pixels(KelvoFormatBGR24, TKelvoRect{0, 0, 64, 48});
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            Byte* p = pixels.PixelAddress(x, y);
            p[0] = Byte(x * 4), p[1] = Byte(y * 5), p[2] = 200;
        }
    TKelvoProperties none;
    ASSERT_TRUE(WriteGraphicsFile(WidenBytes(dir.File("photo.png")), KelvoFormatPNG, pixels, TKelvoRect{}, none,
                                  TKelvoResolution{}, 95));
    ASSERT_TRUE(WriteGraphicsFile(WidenBytes(dir.File("scan.tif")), KelvoFormatTIFF, pixels, TKelvoRect{}, none,
                                  TKelvoResolution{}, 95));
    std::ofstream(dir.File("broken.png"), std::ios::binary) << "not a picture at all";

    TKelvoGraphicsFormats formats;
    TObjectPtr<TKelvoOpenDialog> dialog(Create<TKelvoOpenDialog>(nullptr, formats));
    dialog->SetInitialDir(WidenBytes(dir.Path()));

    std::vector<std::wstring> filters;
    int chosenFilter = -1;
    struct Seen {
        bool selected = false, thumbnail = false;
        std::u16string description;
    } png, tiff, broken;
    RECT panel{}, client{};
    HWND panelParent = nullptr;
    long leftAfterBroken = -1;
    {
        kelvotest::TWindowDriver driver(
            L"Open",
            [&](HWND window) {
                // Wholly on the screen, for the picture below.
                ::SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                const HWND types = ::GetDlgItem(window, cmb1);
                const int count = int(::SendMessageW(types, CB_GETCOUNT, 0, 0));
                for (int i = 0; i < count; ++i) {
                    wchar_t text[512]{};
                    ::SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                    filters.push_back(text);
                }
                chosenFilter = int(::SendMessageW(types, CB_GETCURSEL, 0, 0));
                panelParent = ::GetParent(dialog->PreviewPanel()->Handle());
                ::GetWindowRect(dialog->PreviewPanel()->Handle(), &panel);
                ::MapWindowPoints(nullptr, panelParent, reinterpret_cast<POINT*>(&panel), 2);
                ::GetClientRect(panelParent, &client);
                PumpUntil([&] { return FindClass(window, L"SysListView32") != nullptr; });
                for (auto [seen, name] : {std::pair{&png, L"photo.png"}, std::pair{&tiff, L"scan.tif"},
                                          std::pair{&broken, L"broken.png"}}) {
                    seen->selected = SelectInList(window, name);
                    // The broken file's wait proves that no thumbnail comes.
                    seen->thumbnail = PumpUntil([&] { return dialog->HasThumbnail(); },
                                                seen == &broken ? 2000 : testsupport::kPumpTimeoutMs);
                    seen->description = dialog->PreviewLabel()->Caption();
                    // The broken file has no description: the TIFF's must not stay beneath the empty one.
                    if (seen == &broken) leftAfterBroken = OtherThanPanelColour(*dialog);
                    if (seen == &png) {
                        // The dialog with its preview, for a person to look at.
                        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                        testsupport::PumpQueued(DialogStep);
                        testsupport::WaitUntilOnScreen(window, DialogStep);
                        testsupport::SaveScreen(testsupport::ArtifactPath("open-dialog-preview.bmp"));
                    }
                }
                // Cancelled while the worker may be making the photo's thumbnail.
                SelectInList(window, L"photo.png");
                ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
            },
            L"#32770", 20000);
        EXPECT_FALSE(dialog->Execute());
    }
    EXPECT_FALSE(dialog->HasThumbnail());  // nothing reached the closed dialog

    // Each format's "description (mask)", then all supported (chosen) and all files.
    const TKelvoFileFormatArray open = formats.GetOpenFormats();
    ASSERT_EQ(filters.size(), open.size());
    for (std::size_t i = 0; i < open.size(); ++i) {
        const std::u16string expected = open[i].Description + u" (" + open[i].Mask + u")";
        EXPECT_EQ(std::u16string(filters[i].begin(), filters[i].end()), expected) << i;
    }
    EXPECT_EQ(chosenFilter, formats.GetCount());

    // The panel sits inside the dialog, right of the standard controls, 6 from its right edge.
    ASSERT_NE(panelParent, nullptr);
    EXPECT_EQ(panel.right, client.right - 6);
    EXPECT_EQ(panel.bottom, client.bottom - 16);
    EXPECT_GT(panel.left, client.right / 2);

    ASSERT_TRUE(png.selected);
    EXPECT_TRUE(png.thumbnail);
    EXPECT_NE(png.description.find(u"PNG"), std::u16string::npos)
        << std::string(png.description.begin(), png.description.end());
    ASSERT_TRUE(tiff.selected);
    EXPECT_TRUE(tiff.thumbnail);
    EXPECT_NE(tiff.description.find(u"TIFF"), std::u16string::npos);
    ASSERT_TRUE(broken.selected);
    EXPECT_FALSE(broken.thumbnail);
    EXPECT_EQ(broken.description.find_first_not_of(u"\r\n"), std::u16string::npos);
    EXPECT_EQ(leftAfterBroken, 0) << "pixels of the previous description";
    EXPECT_TRUE(kelvotest::Errors().messages.empty());
}

TEST_F(OpenDialogWindow, TheSaveDialogOffersTheSaveListAndKeepsTheCallersFilterIndex) {
    TKelvoGraphicsFormats formats;
    TObjectPtr<TKelvoSaveDialog> save(Create<TKelvoSaveDialog>(nullptr, formats));
    EXPECT_EQ(save->Filter(), BuildFilterString(formats.GetFormats()));
    EXPECT_EQ(save->FilterIndex(), 1);
    TObjectPtr<TKelvoOpenDialog> open(Create<TKelvoOpenDialog>(nullptr, formats));
    EXPECT_EQ(open->Filter(), BuildFilterString(formats.GetOpenFormats()));
}
