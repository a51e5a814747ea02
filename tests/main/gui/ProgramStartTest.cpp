// The whole program started inside the test as its entry starts it: the start-up data module makes every
// module in its fixed order, and the real main window works with the image editor and its tools.
#include <windows.h>
// After windows.h: the common dialogs' control ids.
#include <dlgs.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "main/TKelvoGraphicsPrintModule.h"
#include "app/win/TKelvoPrinter.h"
#include "main/TKelvoSystemInfoModule.h"
#include "main/TModule.h"
#include "app/win/KelvoGraphicsIO.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoScrollTool.h"
#include "app/win/TKelvoOriginalImageTool.h"
#include "demo/win/TKelvoDemoEditorModule.h"
#include "demo/win/TKelvoDemonstrationModule.h"
#include "app/core/KelvoPixelOps.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/FilePrinter.h"
#include "tests/support/RealInput.h"
#include "toolbar/win/TTBToolbarView.h"
#include "toolbar/win/TTBItemViewer.h"
#include "app/win/TKelvoToolPanelModule.h"
#include "app/win/TMainForm.h"
#include "classlib/core/CodePages.h"
#include "tests/support/TestSupport.h"
#include "tests/app/gui/KelvoAppTestSupport.h"
#include "tests/main/gui/ProgramTestSupport.h"
#include "tests/app/win/PixelTestSupport.h"
#include "tests/main/gui/ProgramTestSupport.h"
#include "tests/support/MessagePump.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinDockablePanel.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinStatusPanel.h"
#include "app/win/TKelvoGraphicsView.h"
#include "themed/win/TSkinToolbar.h"
#include "toolbar/win/TTBImageList.h"
#include "tools/win/TKelvoBrightnessContrastTool.h"
#include "tools/win/TKelvoCrop2Frame.h"
#include "tools/win/TKelvoCrop2Tool.h"
#include "tools/win/TKelvoPersp4Tool.h"
#include "tools/win/TKelvoPerspectiveTool.h"
#include "tools/win/TKelvoResizeTool.h"
#include "tools/win/TKelvoRotateTool.h"
#include "tools/win/TKelvoTextTool.h"

using testsupport::PumpUntil;

namespace {

class Program : public kelvotest::ProgramTest {};

}  // namespace

TEST_F(Program, StartUpMakesTheModulesInTheirFixedOrder) {
    std::vector<std::string> order;
    for (int i = 0; i < Application->ComponentCount(); ++i) {
        TComponent* c = Application->Components(i);
        if (dynamic_cast<TModule*>(c))
            order.push_back("start-up module");
        else if (dynamic_cast<TKelvoGraphicsEditor*>(c))
            order.push_back("editor");
        else if (dynamic_cast<TMainForm*>(c))
            order.push_back("main window");
        else if (dynamic_cast<TKelvoScrollTool*>(c))
            order.push_back("hand");
        else if (dynamic_cast<TKelvoSystemInfoModule*>(c))
            order.push_back("system information");
        else if (dynamic_cast<TKelvoGraphicsPrintModule*>(c))
            order.push_back("print");
        else if (dynamic_cast<TKelvoHelp*>(c))
            order.push_back("help");
        else if (dynamic_cast<TKelvoDemonstrationModule*>(c))
            order.push_back("demonstrations");
        else if (dynamic_cast<TKelvoDemoEditorModule*>(c))
            order.push_back("demonstration editor");
        else if (dynamic_cast<TKelvoAbout*>(c))
            order.push_back("about");
        else if (dynamic_cast<TKelvoToolPanelModule*>(c))
            order.push_back("tool panel");
        else if (dynamic_cast<TKelvoOriginalImageTool*>(c))
            order.push_back("original image");
    }
    // The editor makes the main window before it joins the application itself.
    EXPECT_EQ(order, (std::vector<std::string>{"start-up module", "main window", "editor", "hand", "system information",
                                               "print", "help", "demonstrations", "demonstration editor", "about",
                                               "tool panel", "original image"}));
    // The shared glyphs: ten cells of 24 x 24 from the program's strip, and the 1 x 1 list.
    EXPECT_EQ(form_->GetImages(), module_->NewImageList);
    EXPECT_GE(module_->NewImageList->Count(), 10);
    EXPECT_EQ(module_->ImageList1x1->Count(), 1);
    EXPECT_TRUE(editor_->KeepTool);
    EXPECT_FALSE(editor_->CloseMenuItem->Visible());
    EXPECT_GE(editor_->UndoButton->ImageIndex(), 10);  // its own picture, added after the strip
    EXPECT_EQ(editor_->UndoMenuItem->ImageIndex(), editor_->UndoButton->ImageIndex());
    auto* panel = Find<TKelvoToolPanelModule>();
    EXPECT_TRUE(panel->GetPanelVisible());
    EXPECT_TRUE(panel->VisibleMenuItem->Checked());
    EXPECT_EQ(Find<TKelvoSystemInfoModule>()->VersionInfo().dwOSVersionInfoSize, 148u);
    EXPECT_GT(Find<TKelvoSystemInfoModule>()->VersionInfo().dwMajorVersion, 0u);
}

// The four-point tool is current at start (its button is down), and the panel shows its frame, not the frame
// of a tool made after it: what lies on the screen at the frame's centre belongs to that frame.
TEST_F(Program, AtStartThePanelShowsTheCurrentFourPointToolsFrame) {
    auto* persp4 = Find<TKelvoPersp4Tool>();
    ASSERT_TRUE(persp4 && persp4->Frame());
    EXPECT_EQ(editor_->ActiveTool(), persp4);
    TControl* frame = persp4->Frame();
    ASSERT_TRUE(PumpUntil([&] { return frame->Showing() && frame->Width() > 0; }));
    const TPoint centre = frame->ClientToScreen(Point(frame->Width() / 2, frame->Height() / 2));
    const HWND shown = ::WindowFromPoint(POINT{centre.X, centre.Y});
    EXPECT_TRUE(shown == persp4->Frame()->Handle() || ::IsChild(persp4->Frame()->Handle(), shown));
}

// X, Y and the colour of the pixel under the pointer; once the pointer has left the view for the tool panel,
// R, G and B read 0 as for any point outside the image, not the last pixel's values.
TEST_F(Program, ThePointerLeavingTheViewLeavesNoPixelValuesInTheStatusBar) {
    ASSERT_TRUE(OpenGradient());
    TKelvoGraphicsView* view = editor_->GetActiveView();
    ASSERT_NE(view, nullptr);
    const auto& panels = editor_->StatusPanels;
    const TKelvoPoint device = view->MapMode().LogicalToDevicePoint(MakePoint(20, 10));
    testsupport::MoveTo(view->ClientToScreen(Point(device.X, device.Y)));
    // The gradient's pixel (20, 10): red 40 + 4x, green 60 + 5y, blue 180 - 2x - 2y.
    ASSERT_TRUE(PumpUntil([&] { return panels[1]->Caption() == u"20" && panels[3]->Caption() == u"10"; }));
    EXPECT_EQ(panels[9]->Caption(), u"120");
    EXPECT_EQ(panels[11]->Caption(), u"110");
    EXPECT_EQ(panels[13]->Caption(), u"120");

    TControl* toolPanel = Find<TKelvoToolPanelModule>()->Panel;
    testsupport::MoveTo(toolPanel->ClientToScreen(Point(toolPanel->Width() / 2, toolPanel->Height() / 2)));
    EXPECT_TRUE(PumpUntil([&] {
        return panels[9]->Caption() == u"0" && panels[11]->Caption() == u"0" && panels[13]->Caption() == u"0";
    })) << "R "
        << WideToAnsi(panels[9]->Caption());
}

// The panel owns the tools' buttons and frames, the tools own nothing of the panel's: whichever goes first,
// the other is left without a pointer to it, and an idle pass over the tools touches nothing freed.
TEST_F(Program, PanelToolsAndTheToolPanelForgetEachOtherWhicheverGoesFirst) {
    auto* crop = Find<TKelvoCrop2Tool>();
    ASSERT_TRUE(crop && crop->Frame && crop->Button);
    TKelvoCrop2Frame* cropFrame = crop->Frame;
    Free(crop);
    EXPECT_EQ(cropFrame->Tool, nullptr);

    auto* bc = Find<TKelvoBrightnessContrastTool>();
    auto* text = Find<TKelvoTextTool>();
    auto* rotate = Find<TKelvoRotateTool>();
    auto* resize = Find<TKelvoResizeTool>();
    auto* perspective = Find<TKelvoPerspectiveTool>();
    ASSERT_TRUE(bc && text && rotate && resize && perspective);
    ASSERT_TRUE(bc->Frame && text->Frame && rotate->Frame && resize->Frame && perspective->Frame());
    Free(Find<TKelvoToolPanelModule>());
    for (TKelvoPanelTool* tool : std::initializer_list<TKelvoPanelTool*>{bc, text, rotate, resize, perspective}) {
        EXPECT_EQ(tool->Button, nullptr) << tool->ToolName();
        tool->SetEnabled(true);
        tool->Activate();
    }
    EXPECT_EQ(bc->Frame, nullptr);
    EXPECT_EQ(text->Frame, nullptr);
    EXPECT_EQ(rotate->Frame, nullptr);
    EXPECT_EQ(resize->Frame, nullptr);
    EXPECT_EQ(perspective->Frame(), nullptr);
    bool done = true;
    Application->OnIdle(Application, done);
}

namespace {

// The colour shown at a client point of the window, as the screen has it.
COLORREF ShownAt(HWND window, int x, int y) {
    HDC dc = ::GetDC(window);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return c;
}

}  // namespace

TEST_F(Program, HoldingTheOriginalButtonShowsTheImageAsOpenedAndReleasingTheWorkingOne) {
    auto* original = Find<TKelvoOriginalImageTool>();
    ASSERT_TRUE(original && original->OriginalImageToolButton);
    EXPECT_EQ(original->OriginalImageToolButton->ImageIndex(), 0);
    EXPECT_EQ(original->OriginalImageToolButton->Images(), module_->ImageList1x1);
    EXPECT_GT(original->OriginalImageToolButton->MinWidth(), 40);

    ASSERT_TRUE(OpenGradient());
    TKelvoGraphicsView* view = editor_->GetActiveView();
    ASSERT_NE(view, nullptr);
    // The working image turns green in an edit, as a tool changes it; the original stays the gradient.
    TKelvoGraphicsDocument& document = view->Document();
    EXPECT_EQ(document.GetOriginalPixels().Bits(), document.GetPixels().Bits());  // one block until then
    document.BeginEditing(nullptr);
    for (std::int32_t y = 0; y < 48; ++y)
        for (std::int32_t x = 0; x < 64; ++x) MakeBGR(document.GetPixels().PixelAddress(x, y), 0, 255, 0);
    document.AddDirtyRect(document.Working().GetBounds(), true);
    ASSERT_TRUE(document.CommitEdit(nullptr));
    document.EndEditing(nullptr);
    const TKelvoPoint at = view->MapMode().LogicalToDevicePoint(MakePoint(10, 8));
    const COLORREF green = RGB(0, 255, 0), gradient = RGB(40 + 10 * 4, 60 + 8 * 5, 180 - 10 * 2 - 8 * 2);
    ASSERT_TRUE(PumpUntil([&] { return ShownAt(view->Handle(), at.X, at.Y) == green; }));

    bool idle = true;
    Application->OnIdle(Application, idle);  // the button is enabled with a document open
    ASSERT_TRUE(original->OriginalImageToolButton->Enabled());
    TTBItemViewer* viewer = editor_->StandardToolbar->View()->Find(original->OriginalImageToolButton);
    ASSERT_NE(viewer, nullptr);
    const TRect r = viewer->BoundsRect();
    POINT centre{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    ::ClientToScreen(editor_->StandardToolbar->Handle(), &centre);
    const TPoint button{centre.x, centre.y};
    TKelvoGraphicsTool* before = editor_->ActiveTool();

    // The press runs the toolbar's own loop until the release: the input and the checks while the button is
    // held come from another thread.
    std::atomic<bool> done{false}, shownOriginal{false};
    std::thread user([&] {
        testsupport::MoveTo(button);
        testsupport::WaitUntilHandled(form_->Handle());
        testsupport::SendPointer(button, MOUSEEVENTF_LEFTDOWN);
        const ULONGLONG deadline = ::GetTickCount64() + testsupport::kPumpTimeoutMs;
        while (!shownOriginal && ::GetTickCount64() < deadline) {
            testsupport::WaitUntilHandled(form_->Handle());
            shownOriginal = editor_->ActiveTool() == original && ShownAt(view->Handle(), at.X, at.Y) == gradient;
        }
        testsupport::SendPointer(button, MOUSEEVENTF_LEFTUP);
        testsupport::WaitUntilHandled(form_->Handle());
        done = true;
    });
    const bool finished = testsupport::WaitFor(
        "the press and release of the button", [&] { return done.load(); }, 3 * testsupport::kPumpTimeoutMs);
    user.join();
    ASSERT_TRUE(finished);
    EXPECT_TRUE(shownOriginal);
    EXPECT_TRUE(
        PumpUntil([&] { return editor_->ActiveTool() == before && ShownAt(view->Handle(), at.X, at.Y) == green; }));

    // The "O" key does the same from the view; the hand's Space pans the view meanwhile left alone.
    view->Perform(WM_KEYDOWN, 'O', 0);
    EXPECT_EQ(editor_->ActiveTool(), original);
    EXPECT_FALSE(view->DocumentLayer().IsVisible());
    view->Perform(WM_KEYUP, 'O', 0xC0000000);
    EXPECT_EQ(editor_->ActiveTool(), before);
    EXPECT_TRUE(view->DocumentLayer().IsVisible());
}

TEST_F(Program, PrintIsOfferedWithADocumentAndAFailingPrinterPrintsNothing) {
    auto* print = Find<TKelvoGraphicsPrintModule>();
    ASSERT_TRUE(print && print->PrintMenuItem && print->PrintButton);
    EXPECT_EQ(print->PrintMenuItem->ShortCut(), TShortCut(16464));  // Ctrl+P
    EXPECT_EQ(print->PrintMenuItem->Caption(), u"Print...");
    EXPECT_EQ(print->PrintMenuItem->ImageIndex(), 3);
    EXPECT_NE(dynamic_cast<TKelvoPrinter*>(Printer()), nullptr);
    bool idle = true;
    Application->OnIdle(Application, idle);
    EXPECT_FALSE(print->PrintMenuItem->Enabled());
    EXPECT_FALSE(print->PrintButton->Enabled());

    ASSERT_TRUE(OpenGradient());
    Application->OnIdle(Application, idle);
    EXPECT_TRUE(print->PrintMenuItem->Enabled());
    EXPECT_TRUE(print->PrintButton->Enabled());
    // A device that cannot start a print job (a screen DC): nothing printed, reported as a failure.
    HDC screen = ::CreateCompatibleDC(nullptr);
    EXPECT_FALSE(TKelvoGraphicsPrintModule::PrintImage(screen, editor_->GetActiveDocument()->Working(), u"x"));
    ::DeleteDC(screen);
}

TEST_F(Program, SpaceHeldOverTheViewPansWithTheHandAndGivesTheToolBack) {
    auto* hand = Find<TKelvoScrollTool>();
    ASSERT_TRUE(hand);
    TKelvoPixelBuffer pixels(KelvoFormatBGR24, MakeRect(0, 0, 2500, 2000));
    pixeltest::FillGradient(pixels);
    TKelvoProperties none;
    const std::u16string path = AnsiToWide(dir_.File("large.png"));
    ASSERT_TRUE(WriteGraphicsFile(path, KelvoFormatPNG, pixels, TKelvoRect{}, none, TKelvoResolution{}, 80));
    ASSERT_TRUE(editor_->Documents().Open(path, nullptr, true));
    TKelvoGraphicsView* view = editor_->GetActiveView();
    ASSERT_NE(view, nullptr);
    editor_->ActualSize(nullptr);
    TKelvoGraphicsTool* before = editor_->ActiveTool();
    const std::int32_t x0 = view->ScrollPosX(), y0 = view->ScrollPosY();
    const int x = view->ClientWidth() / 2, y = view->ClientHeight() / 2;
    view->Perform(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(editor_->ActiveTool(), hand);
    view->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    view->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x - 30, y - 20));
    view->Perform(WM_LBUTTONUP, 0, MAKELPARAM(x - 30, y - 20));
    EXPECT_EQ(view->ScrollPosX(), x0 + 30);
    EXPECT_EQ(view->ScrollPosY(), y0 + 20);
    view->Perform(WM_KEYUP, VK_SPACE, 0xC0000000);
    EXPECT_EQ(editor_->ActiveTool(), before);
}

TEST_F(Program, FilePrintPrintsTheOpenImageOnOnePageThroughThePrintDialog) {
    testsupport::FilePrinter printer(dir_.File("printed.ps"));
    auto* print = Find<TKelvoGraphicsPrintModule>();
    ASSERT_TRUE(print && print->PrintMenuItem);
    ASSERT_TRUE(OpenGradient());
    bool printToFileOffered = true;
    {
        testsupport::DialogDriver dialog({L"Print"}, [&](HWND box) {
            printToFileOffered = ::IsWindowVisible(::GetDlgItem(box, chx1));
            testsupport::PressButton(box, IDOK);
        });
        print->PrintMenuItem->Click();
    }
    // The output file is the printer's: the dialog has no box of its own for one.
    EXPECT_FALSE(printToFileOffered);
    // The spooler copies the finished job to the port's file.
    std::string page;
    ASSERT_TRUE(PumpUntil([&] {
        const std::vector<std::uint8_t> bytes = testsupport::FileBytes(printer.Output());
        page.assign(bytes.begin(), bytes.end());
        return page.find("%%EOF") != std::string::npos;
    }));
    EXPECT_EQ(page.rfind("%!PS", 0), 0u);
    EXPECT_NE(page.find("%%Title: photo.png"), std::string::npos);
    EXPECT_NE(page.find("%%Page: 1 1"), std::string::npos);
    EXPECT_EQ(page.find("%%Page: 2"), std::string::npos);
    // The image's own pixels, scaled to the printable width of the test printer's A4 page (559 points, 2329
    // dots at 300 dpi), 4:3 as the image.
    EXPECT_NE(page.find("/Width 64\n /Height 48\n"), std::string::npos);
    int width = 0, height = 0;
    const std::size_t scale = page.find(" scale\n<<\n /ImageType 1");
    ASSERT_NE(scale, std::string::npos);
    const std::size_t line = page.rfind('\n', scale);
    ASSERT_EQ(std::sscanf(page.c_str() + line + 1, "%d %d scale", &width, &height), 2);
    EXPECT_NEAR(width, 2329, 2);
    EXPECT_NEAR(height, 2329 * 3 / 4, 2);
}
