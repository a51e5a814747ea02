// The whole program in German, as View > Language > Deutsch leaves it: every tool's frame walked on the tool
// panel with no text wider than its control and none left in English, the colour list and the tool panel's
// caption in German, the About box's credits from the language file, and "Strg+" in the menus' shortcuts.
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "app/core/TKelvoLanguageFile.h"
#include "app/core/TKelvoLocalStringList.h"
#include "app/core/TKelvoLocalizer.h"
#include "app/win/KelvoFiles.h"
#include "app/win/KelvoLanguageFolder.h"
#include "app/win/TKelvoAbout.h"
#include "app/win/TKelvoAboutForm.h"
#include "app/win/TKelvoFrame.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoToolFrame.h"
#include "app/win/TKelvoToolPanelModule.h"
#include "classlib/core/CodePages.h"
#include "classlib/win/TButton.h"
#include "classlib/win/TCheckBox.h"
#include "classlib/win/TColorBox.h"
#include "classlib/win/TFont.h"
#include "classlib/win/TGroupBox.h"
#include "classlib/win/TLabel.h"
#include "classlib/win/TRadioButton.h"
#include "classlib/win/WindowDC.h"
#include "tests/main/gui/ProgramTestSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScreenPicture.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinDockablePanel.h"
#include "themed/win/TSkinTextObject.h"
#include "tools/win/TKelvoPanelTool.h"
#include "unicode/win/UniControls.h"

using testsupport::PumpUntil;

namespace {

constexpr std::int32_t kGerman = 1031;

// A text as the user reads it: without accelerator marks, a closing colon or ellipsis, or surrounding blanks.
WideString Shown(WideString text) {
    WideString plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) ++i;
        plain += text[i];
    }
    while (!plain.empty() && (plain.back() == u' ' || plain.back() == u':' || plain.back() == u'.')) plain.pop_back();
    while (!plain.empty() && plain.front() == u' ') plain.erase(0, 1);
    return plain;
}

// The texts of a language file of the program, as shown.
std::set<WideString> TextsOf(const char16_t* file) {
    AnsiString bytes;
    EXPECT_TRUE(kelvo::ReadFileBytes(TKelvoLanguageFolder::ProgramLanguageFolder() + file, bytes, 1 << 20));
    const TKelvoLanguageFile language(bytes);
    TKelvoLocalStringList table;
    language.FillTable(table);
    std::set<WideString> texts;
    for (std::int32_t id = 1; id < 65536; ++id) {
        AnsiString text;
        if (table.GetText(id, text)) texts.insert(Shown(Utf8Decode(text)));
    }
    return texts;
}

// The width and height of text in a font, on one line or broken at words in width.
TSize Measure(TFont* font, const WideString& text, int width, bool wrap) {
    const TWindowDC screen;
    const HGDIOBJ old = ::SelectObject(screen.Get(), font->Handle());
    RECT r{0, 0, wrap ? width : 0, 0};
    ::DrawTextW(screen.Get(), reinterpret_cast<LPCWSTR>(text.c_str()), int(text.size()), &r,
                DT_CALCRECT | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
    ::SelectObject(screen.Get(), old);
    return TSize{r.right - r.left, r.bottom - r.top};
}

// A control whose text does not fit it or is English, with what the test found.
struct TTextFault {
    std::string What;
};

class GermanProgram : public kelvotest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        if (HasFatalFailure()) return;
        form_->SetBounds(0, 0, 1000, 760);
        SetLanguage(kGerman);
        ASSERT_EQ(GetCurrentLanguageId(), kGerman);
        english_ = TextsOf(u"English.ini");
        for (const WideString& text : TextsOf(u"Deutsch.ini")) english_.erase(text);
    }

    // Whether a shown text is one of the English file's that no German text equals.
    bool English(const WideString& text) const { return english_.count(Shown(text)) != 0; }

    // Checks one control's text, then those of its shown children.
    void Walk(TControl* control, std::vector<TTextFault>& faults) const {
        if (!control->Visible()) return;
        WideString text;
        int room = 0;       // the width the text has on one line
        bool wrap = false;  // broken at words within room, in the control's height
        TObjectPtr<TFont> font = MakeObject<TFont>();
        font->Assign(control->Font());
        if (auto* skin = dynamic_cast<TSkinTextObject*>(control)) {
            text = skin->GetCaptionText();
            skin->AdjustFont(font.get());
            const TRect margins = skin->GetTextMargins();
            room =
                skin->ClientWidth() - skin->Margins()->Left() - skin->Margins()->Right() - margins.Left - margins.Right;
            wrap = skin->Wrapping() == twWrap;
        } else if (dynamic_cast<TCustomCheckBox*>(control) || dynamic_cast<TRadioButton*>(control)) {
            text = uni::GetControlWideText(control);
            room = control->Width() - ::GetSystemMetrics(SM_CXMENUCHECK) - 4;
        } else if (dynamic_cast<TButton*>(control)) {
            text = uni::GetControlWideText(control);
            room = control->Width() - 8;
        } else if (dynamic_cast<TCustomGroupBox*>(control)) {
            text = uni::GetControlWideText(control);
            room = control->Width() - 16;
        } else if (auto* label = dynamic_cast<TCustomLabel*>(control)) {
            text = uni::GetControlWideText(control);
            room = control->Width();
            wrap = label->WordWrap();
        }
        const std::string name = control->Name() + " \"" + Utf8Encode(text) + "\"";
        if (!Shown(text).empty()) {
            const TSize line = Measure(font.get(), text, room, false);
            if (wrap) {
                // Each word fits the width, and the broken lines fit the height.
                const TSize lines = Measure(font.get(), text, room, true);
                if (lines.cx > room || lines.cy > control->Height())
                    faults.push_back({name + " needs " + std::to_string(lines.cx) + " x " + std::to_string(lines.cy) +
                                      " in " + std::to_string(room) + " x " + std::to_string(control->Height())});
            } else if (line.cx > room) {
                faults.push_back({name + " is " + std::to_string(line.cx) + " pixels wide in " + std::to_string(room)});
            }
            if (English(text)) faults.push_back({name + " is English"});
        }
        if (auto* colors = dynamic_cast<TColorBox*>(control))
            for (int i = 0; i < colors->ColorCount(); ++i)
                if (English(AnsiToWide(colors->ColorNames(i))))
                    faults.push_back({control->Name() + " lists \"" + colors->ColorNames(i) + "\""});
        if (auto* parent = dynamic_cast<TWinControl*>(control))
            for (int i = 0; i < parent->ControlCount(); ++i) Walk(parent->Controls(i), faults);
    }

    // The tool frame on top of the tool panel: the first of the panel's frames in the windows' order.
    static TKelvoFrame* TopToolFrame(TKelvoToolPanelModule& panel) {
        for (HWND child = ::GetWindow(panel.Panel->Handle(), GW_CHILD); child;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            auto* frame = dynamic_cast<TKelvoFrame*>(FindControl(child));
            if (frame && frame != panel.TopFrame && ::IsWindowVisible(child)) return frame;
        }
        return nullptr;
    }

    std::set<WideString> english_;
};

TEST_F(GermanProgram, EveryToolFrameShowsGermanTextsThatFitTheirControls) {
    TKelvoToolPanelModule* panel = TKelvoPanelTool::ToolPanel();
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->Panel->Caption(), u"Werkzeuge");
    int walked = 0;
    for (TKelvoGraphicsTool* tool : TKelvoGraphicsTool::AllTools()) {
        auto* panelTool = dynamic_cast<TKelvoPanelTool*>(tool);
        if (!panelTool || !panelTool->Button) continue;
        tool->Select();
        TKelvoFrame* frame = nullptr;
        ASSERT_TRUE(PumpUntil([&] {
            frame = TopToolFrame(*panel);
            return frame && editor_->ActiveTool() == tool;
        })) << tool->ToolName();
        // The button's hint is the frame's title: the frame on top is this tool's.
        EXPECT_FALSE(English(panelTool->Button->Hint())) << tool->ToolName();
        std::vector<TTextFault> faults;
        Walk(frame, faults);
        for (const TTextFault& fault : faults) ADD_FAILURE() << tool->ToolName() << ": " << fault.What;
        ++walked;
        if (PumpUntil([&] { return testsupport::ScreenShows(form_->Handle()); }))
            testsupport::SaveScreen(testsupport::ArtifactPath(("german-" + tool->ToolName() + ".bmp").c_str()));
    }
    EXPECT_EQ(walked, 7);
}

// The caption docked above the tool panel, as the panel's window shows it now.
std::vector<std::uint32_t> DockedCaption(TSkinDockablePanel& panel) {
    const TRect r = panel.DockedCaptionRect();
    const TWindowDC window(panel.Handle(), true);
    return testsupport::CopyPixels(window.Get(), r.Left, r.Top, r.Width(), r.Height());
}

TEST_F(GermanProgram, TheToolPanelsCaptionShowsTheGermanTextAsAFreshPaintDrawsIt) {
    TSkinDockablePanel& panel = *TKelvoPanelTool::ToolPanel()->Panel;
    ASSERT_TRUE(panel.DockedCaptionShown());
    EXPECT_EQ(panel.Caption(), u"Werkzeuge");
    testsupport::PumpQueued();
    const std::vector<std::uint32_t> shown = DockedCaption(panel);
    ::RedrawWindow(panel.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(shown == DockedCaption(panel)) << "the caption still shows the text before the switch";
}

TEST_F(GermanProgram, TheAboutBoxCreditsComeFromTheLanguageFile) {
    TObjectPtr<TKelvoAboutForm> about(Create<TKelvoAboutForm>(nullptr));
    about->SetContent(KelvoAboutContent, KelvoAboutContentCount, "About");
    std::set<WideString> texts;
    for (int i = 0; i < about->ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TControl*>(about->Components(i)))
            texts.insert(Shown(uni::GetControlWideText(control)));
    for (const WideString& text : texts) EXPECT_FALSE(English(text)) << Utf8Encode(text);
    EXPECT_TRUE(texts.count(u"MinGW-w64 und die GNU-C++-Bibliothek"));
}

TEST_F(GermanProgram, MenuShortcutsNameTheControlKeyStrg) {
    EXPECT_EQ(editor_->OpenMenuItem->GetShortCutText(), u"Strg+O");
    EXPECT_EQ(editor_->UndoMenuItem->GetShortCutText(), u"Strg+Z");
    SetLanguage(GetBaseLanguageId());
    EXPECT_EQ(editor_->OpenMenuItem->GetShortCutText(), u"Ctrl+O");
}

}  // namespace
