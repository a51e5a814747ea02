// The about box of the whole program, opened from its Help menu item: every label on every tab draws its text
// within the width it measured, read back from the pixels the box drew.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/win/TKelvoAbout.h"
#include "app/win/TKelvoAboutForm.h"
#include "app/win/TKelvoLogoBackground.h"
#include "classlib/core/CodePages.h"
#include "classlib/win/WindowDC.h"
#include "themed/win/TSkinCustomItem.h"
#include "tests/app/gui/DialogTestSupport.h"
#include "tests/main/gui/ProgramTestSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/RealInput.h"
#include "tests/support/ScreenPicture.h"
#include "unicode/win/TUniLabel.h"
#include "unicode/win/TUniTabControl.h"

using testsupport::PumpUntil;

namespace {

class AboutBox : public kelvotest::ProgramTest {};

// Where a label's text left ink on the about box: the last column of its letters, and of its underline (a row
// inked across most of the label), -1 for none. Ink is the label's own colour; the picture has none of it.
struct TInk {
    int LettersRight = -1;
    int UnderlineRight = -1;
};

TInk InkOf(TKelvoAboutForm& box, TUniLabel& label) {
    const COLORREF c = static_cast<COLORREF>(ColorToRGB(label.Font()->Color()));
    const std::uint32_t colour = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
    const int w = label.Width(), h = label.Height();
    const TWindowDC dc(box.Background->Handle());
    const std::vector<std::uint32_t> pixels = testsupport::CopyPixels(dc.Get(), label.Left(), label.Top(), w, h);
    TInk ink;
    for (int y = 0; y < h; ++y) {
        int count = 0, right = -1;
        for (int x = 0; x < w; ++x)
            if ((pixels[static_cast<std::size_t>(y * w + x)] & 0xFFFFFF) == colour) ++count, right = x;
        if (count > w * 3 / 4)
            ink.UnderlineRight = std::max(ink.UnderlineRight, right);
        else
            ink.LettersRight = std::max(ink.LettersRight, right);
    }
    return ink;
}

}  // namespace

// Wine draws its own Tahoma at 11 pixels from the font's bitmaps, whose steps differ from the measured ones:
// "3.14.0" was cut to "3.14.C" and the links' underlines ran 5 pixels past their text.
TEST_F(AboutBox, EveryLabelShowsItsWholeTextAsWideAsItMeasured) {
    auto* about = Find<TKelvoAbout>();
    ASSERT_TRUE(about);
    int labelsChecked = 0;
    kelvotest::TWindowDriver driver(L"About", [&](HWND window) {
        auto* box = dynamic_cast<TKelvoAboutForm*>(FindControl(window));
        ASSERT_TRUE(box);
        const auto pump = [] { Application->ProcessMessages(); };
        ASSERT_TRUE(PumpUntil([&] { return testsupport::ScreenShows(window); }, testsupport::kPumpTimeoutMs, pump));
        testsupport::SaveScreen(testsupport::ArtifactPath("about.bmp"));
        const HWND tabs = box->AboutTabControl->Handle();
        for (int tab = 0; tab < box->AboutTabControl->Tabs()->Count(); ++tab) {
            if (tab > 0) {
                RECT r{};
                ::SendMessageW(tabs, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&r));
                ::MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&r), 2);
                testsupport::ClickAt(TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
                ASSERT_TRUE(PumpUntil([&] { return box->AboutTabControl->TabIndex() == tab; },
                                      testsupport::kPumpTimeoutMs, pump));
            }
            for (TUniLabel* label : box->Labels) {
                // Word-wrapped and fixed-size labels take the width they are given, not their text's.
                if (!label->Visible() || !label->AutoSize() || label->WordWrap()) continue;
                // Drawn with room to spare, the text still ends within the width it measured.
                const int measured = label->Width();
                label->SetAutoSize(false);
                label->SetWidth(measured + 5);  // short of the next label on the same line
                ::RedrawWindow(box->Background->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                const TInk ink = InkOf(*box, *label);
                label->SetAutoSize(true);
                EXPECT_EQ(label->Width(), measured);
                const std::string name = WideToAnsi(label->Caption());
                EXPECT_LE(ink.LettersRight, measured - 1) << name;
                EXPECT_GE(ink.LettersRight, measured - 4) << name;
                if (label->Font()->Style().Contains(fsUnderline)) {
                    // The underline is as long as the text measured, and no more than two columns past its letters.
                    EXPECT_EQ(ink.UnderlineRight, measured - 1) << name;
                    EXPECT_LE(ink.UnderlineRight - ink.LettersRight, 2) << name;
                }
                ++labelsChecked;
            }
        }
        testsupport::Press(VK_ESCAPE);
    });
    about->AboutMenuItem->Click();
    EXPECT_EQ(labelsChecked, 21);
}
