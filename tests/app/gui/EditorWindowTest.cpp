// The image editor's menus and toolbar in the real main window: opening captions the window and fills the
// recent files, whose items open the path they were made for (an "&" in it included); the Edit commands follow
// the active document's history on the idle pass.
#include <windows.h>
#include <dlgs.h>

#include <algorithm>
#include <cstring>

#include "app/core/TKelvoCommandHistoryList.h"
#include "app/win/KelvoGraphicsIO.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TMainForm.h"
#include "classlib/core/CodePages.h"
#include "tests/support/TestSupport.h"
#include "tests/app/gui/DialogTestSupport.h"
#include "tests/app/gui/KelvoAppTestSupport.h"
#include "tests/app/win/FileDropSupport.h"
// The scanner tests' own data source and its installation into the running prefix.
#include "tests/scan/win/TwainTestPrefix.cpp"
#include "tests/app/win/PixelTestSupport.h"
#include "classlib/win/TScreen.h"
#include "tests/support/MessagePump.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinSeparatorItem.h"
#include "themed/win/TSkinStatusPanel.h"
#include "themed/win/TSkinToolbar.h"
#include "toolbar/core/TTBRootItem.h"
#include "unicode/win/WideFiles.h"

using kelvotest::KelvoAppTest;
using testsupport::PumpUntil;

namespace {

struct NoStep : TKelvoCommandState {
    bool Undo() override { return true; }
    bool Redo() override { return true; }
};

bool FindListView(HWND window) {
    for (const auto& child : kelvotest::ChildWindows(window))
        if (child.ClassName == L"SysListView32") return true;
    return false;
}

class EditorWindow : public KelvoAppTest {
protected:
    void SetUp() override {
        KelvoAppTest::SetUp();
        form_.reset(kelvotest::NewMainForm());
        editor_ = MakeObject<TKelvoGraphicsEditor>(nullptr, form_.get());
        editor_->Initialize();
        title_ = KelvoApplication->GetTitle();
        form_->Show();
        ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(form_->Handle()) && form_->Menu->HandleAllocated(); }));
    }
    void TearDown() override {
        KelvoApplication->SetTitle(title_);
        ExitCode = 0;
        editor_.reset();
        form_.reset();
        KelvoAppTest::TearDown();
    }

    // A PNG (4 x 3 unless asked) in a folder whose name holds an "&".
    std::u16string WriteImage(const std::string& name, std::int32_t width = 4, std::int32_t height = 3) {
        const std::string folder = dir_.File("Tom & Jerry");
        ::CreateDirectoryA(folder.c_str(), nullptr);
        TKelvoPixelBuffer pixels(KelvoFormatBGR24, MakeRect(0, 0, width, height));
        pixeltest::FillGradient(pixels);
        TKelvoProperties none;
        const std::u16string path = AnsiToWide(folder + "\\" + name);
        EXPECT_TRUE(WriteGraphicsFile(path, KelvoFormatPNG, pixels, TKelvoRect{}, none, TKelvoResolution{}, 80));
        return path;
    }

    // What the application's idle step does between messages.
    static void IdlePass() {
        bool done = true;
        Application->OnIdle(Application, done);
    }

    // A host's exchange file of w x h RGB pixels, 3 planes, rows of w x 3 + 1 bytes.
    std::u16string WriteExchange(std::int32_t w, std::int32_t h) {
        const std::int32_t rowBytes = w * 3 + 1;
        std::vector<Byte> bytes(36 + std::size_t(rowBytes * h));
        const std::int32_t header[9] = {0, 32, 3, 0, 0, w, h, rowBytes, 3};
        std::memcpy(bytes.data(), header, sizeof header);
        std::memcpy(bytes.data(), "PSPF", 4);
        for (std::size_t i = 36; i < bytes.size(); ++i) bytes[i] = Byte(i * 7);
        for (std::int32_t y = 0; y < h; ++y) bytes[36 + std::size_t(y * rowBytes + rowBytes - 1)] = 0;  // padding
        const std::string path = dir_.File("host.tmp");
        testsupport::WriteBytes(path, bytes);
        return AnsiToWide(path);
    }

    testsupport::TempDir dir_;
    WideString title_;
    TObjectPtr<TMainForm> form_;
    TObjectPtr<TKelvoGraphicsEditor> editor_;
};

}  // namespace

TEST_F(EditorWindow, OpeningCaptionsTheWindowAndARecentItemOpensItsOwnPath) {
    TTBCustomItem* bar = form_->Menu->Items();
    EXPECT_EQ(bar->IndexOf(editor_->EditMenuItem), bar->IndexOf(form_->FileMenuItem) + 1);
    EXPECT_EQ(bar->IndexOf(editor_->EditMenuItem) + 1, bar->IndexOf(form_->ViewMenuItem));
    const std::u16string title = editor_->Title();
    EXPECT_EQ(form_->Caption(), title);

    const std::u16string path = WriteImage("photo.png");
    ASSERT_TRUE(editor_->Documents().Open(path, nullptr, true));
    EXPECT_EQ(form_->Caption(), title + u" - photo.png");
    ASSERT_EQ(editor_->RecentFileItems.size(), 1u);
    TSkinItem* recent = editor_->RecentFileItems[0];
    std::u16string shown = path;
    shown.replace(shown.find(u"&"), 1, u"&&");
    EXPECT_EQ(recent->Caption(), u"&1 " + shown);
    TTBCustomItem* file = form_->FileMenuItem;
    EXPECT_EQ(file->IndexOf(recent), file->IndexOf(form_->FileMenuSeparator) + 1);
    EXPECT_EQ(file->IndexOf(recent) + 1, file->IndexOf(editor_->RecentFilesSeparator));

    editor_->CloseMenuItem->Click();
    EXPECT_EQ(editor_->Documents().GetDocumentCount(), 0);
    EXPECT_EQ(form_->Caption(), title);
    recent->Click();
    ASSERT_NE(editor_->Documents().GetActiveDocument(), nullptr);
    EXPECT_EQ(editor_->Documents().GetActiveDocument()->FileName(), path);
    EXPECT_EQ(editor_->RecentFileItems.size(), 1u);
}

TEST_F(EditorWindow, EditCommandsFollowTheHistoryOnTheIdlePass) {
    IdlePass();
    EXPECT_FALSE(editor_->SaveAsMenuItem->Enabled());
    EXPECT_FALSE(editor_->UndoButton->Enabled());
    ASSERT_TRUE(editor_->Documents().Open(WriteImage("a.png"), nullptr, false));
    TKelvoDocument* document = editor_->Documents().GetActiveDocument();
    IdlePass();
    EXPECT_TRUE(editor_->SaveAsMenuItem->Enabled());
    EXPECT_TRUE(editor_->CloseMenuItem->Enabled());
    EXPECT_FALSE(editor_->UndoMenuItem->Enabled());

    for (int i = 0; i < 2; ++i) {
        document->AddCommandState(std::make_unique<NoStep>());
        document->SetSaved(false);
    }
    IdlePass();
    EXPECT_TRUE(editor_->UndoMenuItem->Enabled() && editor_->UndoAllMenuItem->Enabled() &&
                editor_->UndoButton->Enabled());
    EXPECT_FALSE(editor_->RedoButton->Enabled());
    EXPECT_TRUE(editor_->SaveMenuItem->Enabled());
    editor_->UndoAllMenuItem->Click();
    EXPECT_TRUE(document->IsSaved());
    IdlePass();
    EXPECT_FALSE(editor_->UndoButton->Enabled());
    EXPECT_TRUE(editor_->RedoMenuItem->Enabled() && editor_->RedoAllMenuItem->Enabled() &&
                editor_->RedoButton->Enabled());
    EXPECT_FALSE(editor_->SaveMenuItem->Enabled());
    editor_->RedoButton->Click();
    EXPECT_EQ(document->History().Position(), 1);
    EXPECT_FALSE(document->IsSaved());
}

TEST_F(EditorWindow, PluginModeOkWritesTheHostImageBackAndCancelLeavesIt) {
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        if (!form_) SetUp();
        const std::u16string path = WriteExchange(5, 2);
        std::vector<Byte> host = testsupport::FileBytes(WideToAnsi(path));
        ASSERT_TRUE(editor_->Documents().Open(path, nullptr, true));
        EXPECT_EQ(ExitCode, -1);
        EXPECT_EQ(KelvoApplication->GetTitle(), title_ + u" Plug-in");
        EXPECT_EQ(form_->Caption(), title_ + u" Plug-in");
        EXPECT_FALSE(form_->FileMenuItem->Visible());
        EXPECT_FALSE(editor_->OpenButton->Visible() || editor_->SaveButton->Visible());
        EXPECT_FALSE(editor_->PrevImageButton->Visible() || editor_->NextImageButton->Visible());
        EXPECT_TRUE(editor_->RecentFileItems.empty());
        ASSERT_TRUE(editor_->OkButton && editor_->CancelButton);
        EXPECT_EQ(editor_->OkButton->Caption(), u"OK");
        EXPECT_EQ(editor_->CancelButton->Caption(), u"Cancel");

        (ok ? editor_->OkButton : editor_->CancelButton)->Click();
        EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(form_->Handle()); }));
        if (ok) {
            // Written back in the program's own layout: 3 planes, rows padded to 4 bytes, the pixels unchanged.
            EXPECT_EQ(ExitCode, 0);
            const std::vector<Byte> back = testsupport::FileBytes(WideToAnsi(path));
            ASSERT_EQ(back.size(), 36u + 16u * 2u);
            for (std::size_t y = 0; y < 2; ++y) EXPECT_EQ(0, std::memcmp(&back[36 + y * 16], &host[36 + y * 16], 15));
        } else {
            EXPECT_EQ(ExitCode, -1);
            EXPECT_EQ(testsupport::FileBytes(WideToAnsi(path)), host);
        }
        TearDown();
    }
}

TEST_F(EditorWindow, PrevAndNextWalkTheFolderSkippingFoldersNamedLikeImages) {
    const std::u16string first = WriteImage("1.png");
    const std::u16string second = WriteImage("2.png");
    const std::u16string third = WriteImage("3.png");
    ::CreateDirectoryA(dir_.File("Tom & Jerry\\4.png").c_str(), nullptr);
    ASSERT_TRUE(editor_->Documents().Open(second, nullptr, true));
    ASSERT_EQ(editor_->Images().Paths.size(), 3u);  // in the file system's order, the folder left out
    const auto active = [&] { return editor_->Documents().GetActiveDocument()->FileName(); };
    const std::int32_t at = editor_->Images().Index;
    ASSERT_GE(at, 0);
    EXPECT_EQ(editor_->Images().Paths[std::size_t(at)], second);
    while (editor_->Images().Index > 0) editor_->PrevImageButton->Click();
    IdlePass();
    EXPECT_FALSE(editor_->PrevImageButton->Enabled());
    EXPECT_TRUE(editor_->NextImageButton->Enabled());
    std::vector<std::u16string> walked{active()};
    for (int i = 0; i < 5; ++i) {
        editor_->NextImageButton->Click();
        if (walked.back() != active()) walked.push_back(active());
    }
    std::sort(walked.begin(), walked.end());
    EXPECT_EQ(walked, (std::vector<std::u16string>{first, second, third}));
    IdlePass();
    EXPECT_FALSE(editor_->NextImageButton->Enabled());
    EXPECT_TRUE(editor_->PrevImageButton->Enabled());
}

TEST_F(EditorWindow, AnImageOpensFittedOrOneToOneAndTheZoomCommandsStepThroughTheTable) {
    ASSERT_TRUE(editor_->Documents().Open(WriteImage("small.png"), nullptr, true));
    TKelvoGraphicsView* view = editor_->GetActiveView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Parent(), form_.get());
    EXPECT_EQ(view->Zoom(), (TKelvoZoom{1, 1}));  // it fits: shown 1:1

    ASSERT_TRUE(editor_->Documents().Open(WriteImage("large.png", 3000, 1000), nullptr, true));
    view = editor_->GetActiveView();
    ASSERT_NE(view, nullptr);
    std::int32_t width = 0, height = 0;
    view->FullClientSize(width, height);  // fitted into the view without its scroll bars
    ASSERT_GT(width, 0);
    ASSERT_LT(width, 3000);
    EXPECT_EQ(view->Zoom(), (TKelvoZoom{width, 3000}));  // fitted by its width
    const TKelvoZoom fitted = view->Zoom();
    editor_->ZoomInButton->Click();
    EXPECT_EQ(view->Zoom(), ZoomInFrom(fitted));
    editor_->ZoomOutMenuItem->Click();
    editor_->ZoomOutMenuItem->Click();
    EXPECT_EQ(view->Zoom(), ZoomOutFrom(ZoomOutFrom(ZoomInFrom(fitted))));
    editor_->ActualSizeButton->Click();
    EXPECT_EQ(view->Zoom(), (TKelvoZoom{1, 1}));
    editor_->BestFitMenuItem->Click();
    EXPECT_EQ(view->Zoom(), fitted);
    for (int i = 0; i < 25; ++i) editor_->ZoomOutButton->Click();
    EXPECT_EQ(view->Zoom(), (TKelvoZoom{1, 16}));
    for (int i = 0; i < 25; ++i) editor_->ZoomInButton->Click();
    EXPECT_EQ(view->Zoom(), (TKelvoZoom{16, 1}));
}

TEST_F(EditorWindow, TheStatusBarShowsTheSizeAndThePixelUnderThePointerZeroOutsideTheImage) {
    ASSERT_TRUE(editor_->Documents().Open(WriteImage("small.png"), nullptr, true));
    const auto& panels = editor_->StatusPanels;
    ASSERT_EQ(panels.size(), 14u);
    EXPECT_EQ(panels[4]->Caption(), u"W:");
    EXPECT_EQ(panels[5]->Caption(), u"4");
    EXPECT_EQ(panels[7]->Caption(), u"3");
    TKelvoGraphicsView* view = editor_->GetActiveView();
    ASSERT_NE(view, nullptr);
    const auto moveTo = [&](std::int32_t x, std::int32_t y) {
        const TKelvoPoint device = view->MapMode().LogicalToDevicePoint(MakePoint(x, y));
        view->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(device.X, device.Y));
    };
    const auto shown = [&] {
        std::vector<std::u16string> texts;
        for (std::size_t i : {1u, 3u, 9u, 11u, 13u}) texts.push_back(panels[i]->Caption());
        return texts;
    };
    moveTo(3, 2);  // the gradient's pixel: red 40 + 3 * 4, green 60 + 2 * 5, blue 180 - 3 * 2 - 2 * 2
    EXPECT_EQ(shown(), (std::vector<std::u16string>{u"3", u"2", u"52", u"70", u"170"}));
    moveTo(4, 2);  // one pixel right of the image
    EXPECT_EQ(shown(), (std::vector<std::u16string>{u"4", u"2", u"0", u"0", u"0"}));
}

TEST_F(EditorWindow, AScannedImageIsAnUntitledUnsavedDocumentAndItsTransferFileIsGone) {
    const std::u16string transfer = WriteImage("twain.png");
    editor_->ImportScannedFile(transfer);
    TKelvoDocument* document = editor_->Documents().GetActiveDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->FileName(), u"");
    EXPECT_FALSE(document->IsSaved());
    EXPECT_EQ(form_->Caption(), editor_->Title() + u" - Untitled");
    EXPECT_FALSE(uni::FileExistsW(transfer));
    EXPECT_TRUE(editor_->RecentFileItems.empty());
    // Import lists the sources; Select Source and Acquire wait for a single source.
    IdlePass();
    EXPECT_TRUE(editor_->ImportMenuItem->Visible());
    EXPECT_FALSE(editor_->AcquireMenuItem->Visible() || editor_->SelectSourceMenuItem->Visible());
}

TEST_F(EditorWindow, ADroppedFileOpensAndTheWindowsWheelScrollsTheView) {
    const std::u16string path = WriteImage("tall.png", 40, 5000);
    ::PostMessageW(form_->Handle(), WM_DROPFILES, WPARAM(testsupport::MakeFileDrop({path})), 0);
    ASSERT_TRUE(PumpUntil([&] { return editor_->GetActiveView() != nullptr; }));
    EXPECT_EQ(editor_->Documents().GetActiveDocument()->FileName(), path);
    EXPECT_EQ(editor_->RecentFileItems.size(), 1u);
    TKelvoGraphicsView* view = editor_->GetActiveView();
    editor_->ActualSizeButton->Click();  // taller than the view: it scrolls
    const std::int32_t top = view->ScrollPosY();
    POINT centre{view->ClientWidth() / 2, view->ClientHeight() / 2};
    ::ClientToScreen(view->Handle(), &centre);
    form_->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), MAKELPARAM(centre.x, centre.y));
    EXPECT_GT(view->ScrollPosY(), top);
    EXPECT_NE(Screen->Cursors(TKelvoGraphicsEditor::HandCursor), Screen->Cursors(0));
}

TEST_F(EditorWindow, ClosingAskedToSaveStaysOnCancelAndClosesWithoutSavingOnNo) {
    const std::u16string path = WriteImage("changed.png");
    const std::vector<Byte> before = testsupport::FileBytes(WideToAnsi(path));
    ASSERT_TRUE(editor_->Documents().Open(path, nullptr, true));
    TKelvoDocument* document = editor_->Documents().GetActiveDocument();
    document->AddCommandState(std::make_unique<NoStep>());
    document->SetSaved(false);
    const std::wstring title(title_.begin(), title_.end());
    for (const int answer : {IDCANCEL, IDNO}) {
        kelvotest::TWindowDriver driver(
            title, [answer](HWND box) { ::PostMessageW(box, WM_COMMAND, answer, 0); }, L"#32770");
        form_->Close();
        if (answer == IDCANCEL) {
            EXPECT_TRUE(::IsWindowVisible(form_->Handle()));
            EXPECT_EQ(editor_->Documents().GetDocumentCount(), 1);
        }
    }
    EXPECT_FALSE(::IsWindowVisible(form_->Handle()));
    EXPECT_EQ(editor_->Documents().GetDocumentCount(), 0);
    EXPECT_EQ(testsupport::FileBytes(WideToAnsi(path)), before);
}

TEST_F(EditorWindow, SaveAsJpegAsksTheQualityAndBeforeReplacingAFile) {
    const std::u16string path = WriteImage("photo.png");
    const std::string target = dir_.File("Tom & Jerry\\out.jpg");
    testsupport::WriteBytes(target, {1, 2, 3});
    ASSERT_TRUE(editor_->Documents().Open(path, nullptr, true));
    bool asked = false;
    // The save dialog's title is text 15 of the program's language files.
    const std::u16string saveTitle = GetText(15, u"Save As");
    {
        kelvotest::TWindowDriver dialog(
            std::wstring(saveTitle.begin(), saveTitle.end()),
            [](HWND window) {
                const HWND types = ::GetDlgItem(window, cmb1);
                // Once the dialog has filled its list of types and listed the folder.
                PumpUntil([&] { return ::SendMessageW(types, CB_GETCOUNT, 0, 0) > 0 && FindListView(window); });
                ::SendMessageW(types, CB_SETCURSEL, 0, 0);  // JPEG
                ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), LPARAM(types));
                ::SetDlgItemTextW(window, edt1, L"out");
                ::SetDlgItemTextW(window, cmb13, L"out");
                ::PostMessageW(window, WM_COMMAND, IDOK, 0);
            },
            L"#32770", 20000);
        const std::wstring title(title_.begin(), title_.end());
        kelvotest::TWindowDriver replace(
            title,
            [&](HWND box) {
                asked = true;
                ::PostMessageW(box, WM_COMMAND, IDYES, 0);
            },
            L"#32770", 20000);
        kelvotest::TWindowDriver quality(
            L"JPEG Options",
            [](HWND window) {
                for (const auto& child : kelvotest::ChildWindows(window))
                    if (child.Text == L"OK") ::PostMessageW(child.Window, BM_CLICK, 0, 0);
            },
            nullptr, 20000);
        editor_->SaveAsMenuItem->Click();
    }
    EXPECT_TRUE(asked);
    const std::vector<Byte> written = testsupport::FileBytes(target);
    ASSERT_GT(written.size(), 3u);
    EXPECT_EQ(written[0], 0xFF);
    EXPECT_EQ(written[1], 0xD8);
    TKelvoDocument* document = editor_->Documents().GetActiveDocument();
    EXPECT_EQ(document->FileName(), AnsiToWide(target));
    EXPECT_EQ(document->FormatId(), KelvoFormatJPEG);
    EXPECT_TRUE(document->IsSaved());
    EXPECT_EQ(form_->Caption(), title_ + u" - out.jpg");
}

TEST_F(EditorWindow, OpenThroughTheDialogOpensTheChosenFileAndRemembersIt) {
    const std::u16string path = WriteImage("chosen.png");
    {
        const std::wstring name(path.begin(), path.end());
        kelvotest::TWindowDriver dialog(
            L"Open",
            [name](HWND window) {
                PumpUntil([&] { return FindListView(window); });
                ::SetDlgItemTextW(window, edt1, name.c_str());
                ::SetDlgItemTextW(window, cmb13, name.c_str());
                ::PostMessageW(window, WM_COMMAND, IDOK, 0);
            },
            L"#32770", 20000);
        editor_->OpenMenuItem->Click();
    }
    ASSERT_NE(editor_->Documents().GetActiveDocument(), nullptr);
    EXPECT_EQ(editor_->Documents().GetActiveDocument()->FileName(), path);
    EXPECT_EQ(form_->Caption(), title_ + u" - chosen.png");
    ASSERT_EQ(editor_->RecentFileItems.size(), 1u);
}

TEST_F(EditorWindow, ImportFromTheTestSourceBringsTheScanInAsAnUnsavedDocument) {
    twaintest::InstallTestSource();
    TTBCustomItem* import = editor_->ImportMenuItem;
    import->OnPopup(import, false);  // as when the submenu opens
    ASSERT_GE(import->Count(), 1);
    TTBCustomItem* source = nullptr;
    for (int i = 0; i < import->Count(); ++i)
        if (import->Items(i)->Caption() == AnsiToWide(twaintest::kSourceName)) source = import->Items(i);
    ASSERT_NE(source, nullptr);
    source->Click();
    ASSERT_TRUE(PumpUntil([&] { return editor_->Documents().GetActiveDocument() != nullptr; }, 20000));
    TKelvoDocument* document = editor_->Documents().GetActiveDocument();
    EXPECT_EQ(document->FileName(), u"");
    EXPECT_FALSE(document->IsSaved());
    EXPECT_EQ(form_->Caption(), editor_->Title() + u" - Untitled");
    ASSERT_NE(editor_->GetActiveView(), nullptr);
    // The component closes the source behind the transfer and gives the scanner commands back.
    EXPECT_TRUE(PumpUntil([&] { return editor_->AcquireMenuItem->Enabled(); }, 20000));
}
