// A tool frame made of themed controls on a form, in the classic look of the default theme: alignment panels
// holding a wrapping label, a check box and a link, a radio group, a group of three check buttons and a flat
// button with a drop-down menu. Real keys and pointer moves (SendInput) drive it: Tab order, Space, Enter,
// accelerators, the arrows in the radio group, clicks, and the hot tracking of the pointer, which must leave
// the process idle once no control is hot. A screenshot is saved as artifacts/tool-frame.bmp and checked.
#include <functional>
#include <vector>

#include "classlib/core/CodePages.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/THintWindow.h"
#include "classlib/win/TMenuItem.h"
#include "classlib/win/TPopupMenu.h"
#include "tests/support/PropertyStreams.h"
#include "tests/support/RealInput.h"
#include "tests/support/ScreenPicture.h"
#include "tests/themed/support/ThemedFormTest.h"
#include "themed/win/TSkinAlignmentPanel.h"
#include "themed/win/TSkinButton.h"
#include "themed/win/TSkinCheckBox.h"
#include "themed/win/TSkinLabel.h"
#include "themed/win/TSkinLink.h"
#include "unicode/core/WideCharMessage.h"
#include "unicode/win/TUniAction.h"

using namespace formtest;
using testsupport::MoveTo;
using testsupport::Press;
using testsupport::PressWith;

namespace {

// "Brightness", "Auto levels", "Show options", "Linear", "Smooth", "Strong" in Russian.
const WideString kBrightness = u"&B: \u042f\u0440\u043a\u043e\u0441\u0442\u044c";
const WideString kAutoLevels = u"\u0410\u0432\u0442\u043e&\u0443\u0440\u043e\u0432\u043d\u0438";
const WideString kShowOptions = u"\u041f\u043e\u043a\u0430\u0437\u0430\u0442\u044c";
const WideString kRadios[3] = {u"\u041b\u0438\u043d\u0435\u0439\u043d\u043e", u"\u041f\u043b\u0430\u0432\u043d\u043e",
                               u"\u0421\u0438\u043b\u044c\u043d\u043e"};

struct TClicks : TObject {
    int count = 0;
    std::vector<TObject*> senders;
    void Clicked(TObject* sender) {
        ++count;
        senders.push_back(sender);
    }
};

class TVetoingCheckBox : public TSkinCheckBox {
    CLASSLIB_COMPONENT(TVetoingCheckBox, TSkinCheckBox)
    explicit TVetoingCheckBox(TComponent* owner) : TSkinCheckBox(owner) {}
    bool veto = false;
    bool DoChanging(TCheckBoxState& state) override { return !veto; }
};

class ToolFrame : public themedtest::ThemedFormTest {
protected:
    template <class T>
    T* Add(TWinControl* parent, TAlign align, int size = 0) {
        T* c = Create<T>(Owner());
        // Each new one after those before it: below them, or right of them.
        c->SetBounds(1000 * parent->ControlCount(), 1000 * parent->ControlCount(), c->Width(), c->Height());
        if (size) (align == alLeft || align == alRight ? c->SetWidth(size) : c->SetHeight(size));
        c->SetAlign(align);
        c->SetParent(parent);
        return c;
    }
    // A panel stacked at the top of its parent, as high as its children want once they are in.
    TSkinAlignmentPanel* Panel(TWinControl* parent) {
        auto* p = Add<TSkinAlignmentPanel>(parent, alTop, 10);
        p->Margins()->SetEdges(Rect(2, 2, 2, 2));
        p->Paddings()->SetEdges(Rect(4, 4, 4, 4));
        return p;
    }

    void SetUp() override {
        GuiTest::SetUp();
        form_ = NewForm(300, 330);
        form_->SetCaption("Tool frame");
        frame_ = Add<TSkinAlignmentPanel>(form_, alClient);

        top_ = Panel(frame_);
        label_ = Add<TSkinLabel>(top_, alTop);
        label_->SetCaption(kBrightness +
                           u" \u2014 \u043e\u0431\u0449\u0430\u044f \u0441\u0432\u0435\u0442\u043b\u043e\u0442\u0430 "
                           u"\u0441\u043d\u0438\u043c\u043a\u0430 \u0438 \u0435\u0433\u043e "
                           u"\u0442\u0435\u043d\u0435\u0439, \u0441\u0432\u0435\u0442\u043e\u0432 "
                           u"\u0438 \u0441\u0440\u0435\u0434\u043d\u0438\u0445 \u0442\u043e\u043d\u043e\u0432");
        check_ = Add<TVetoingCheckBox>(top_, alTop);
        check_->SetCaption(kAutoLevels);
        check_->SetHint(kAutoLevels + u"|\u0414\u043b\u0438\u043d\u043d\u0430\u044f");
        link_ = Add<TSkinLink>(top_, alTop);
        link_->SetCaption(kShowOptions);
        label_->SetFocusControl(check_);

        radioPanel_ = Panel(frame_);
        for (int i = 0; i < 3; ++i) {
            radios_[i] = Add<TSkinRadioButton>(radioPanel_, alTop);
            radios_[i]->SetCaption(kRadios[i]);
            radios_[i]->SetGroupIndex(1);
        }
        radios_[0]->SetChecked(true);

        buttonPanel_ = Panel(frame_);
        for (int i = 0; i < 3; ++i) {
            buttons_[i] = Add<TSkinButton>(buttonPanel_, alLeft, 40);
            buttons_[i]->SetCaption(std::u16string(1, u"BIU"[i]));
            buttons_[i]->SetGroupIndex(5);
        }
        menu_ = Create<TPopupMenu>(Owner());
        TMenuItem* item = Create<TMenuItem>(Owner());
        item->SetCaption("Reset");
        menu_->Items()->Add(item);
        flat_ = Add<TSkinButton>(buttonPanel_, alRight, 90);
        flat_->SetButtonStyle(bsFlat);
        flat_->SetCaption(u"\u041c\u0435\u043d\u044e");
        flat_->SetDropDownMenu(menu_);

        for (TSkinAlignmentPanel* p : {top_, radioPanel_}) p->SetHeight(p->GetMinHeight());
        // Side by side, the buttons add nothing to the panel's minimum height: the row takes their own.
        buttonPanel_->SetHeight(buttons_[0]->GetTextSize().cy + 12);
        for (TControl* c : std::initializer_list<TControl*>{label_, check_, link_, radios_[0], radios_[1], radios_[2],
                                                            buttons_[0], buttons_[1], buttons_[2], flat_})
            c->OnClick = MakeMethod<&TClicks::Clicked>(&clicks_);

        form_->Show();
        ASSERT_TRUE(PumpUntil([&] { return form_->Active(); }));
        ::SetForegroundWindow(form_->Handle());
        PumpFor(50);
    }

    TPoint CentreOf(TControl* c) { return c->ClientToScreen(Point(c->Width() / 2, c->Height() / 2)); }
    bool WaitFocus(TWinControl* c) {
        return PumpUntil([&] { return ::GetFocus() == c->Handle(); });
    }

    TForm* form_ = nullptr;
    TSkinAlignmentPanel* frame_ = nullptr;
    TSkinAlignmentPanel* top_ = nullptr;
    TSkinAlignmentPanel* radioPanel_ = nullptr;
    TSkinAlignmentPanel* buttonPanel_ = nullptr;
    TSkinLabel* label_ = nullptr;
    TVetoingCheckBox* check_ = nullptr;
    TSkinLink* link_ = nullptr;
    TSkinRadioButton* radios_[3] = {};
    TSkinButton* buttons_[3] = {};
    TSkinButton* flat_ = nullptr;
    TPopupMenu* menu_ = nullptr;
    TClicks clicks_;
};

// The height of one line of the form's font, measured by the system.
int LineHeight(TControl* c) {
    const TWindowDC screen;
    HGDIOBJ old = ::SelectObject(screen.Get(), c->Font()->Handle());
    TEXTMETRICW tm{};
    ::GetTextMetricsW(screen.Get(), &tm);
    ::SelectObject(screen.Get(), old);
    return tm.tmHeight;
}

}  // namespace

TEST_F(ToolFrame, ControlsSizeToTheirTextAndPanelsToTheirChildren) {
    const int line = LineHeight(label_);
    // A check box: a line and its text margins of 2; a link: margins of 1; a button: its border of 4.
    EXPECT_EQ(check_->Height(), line + 4);
    EXPECT_EQ(link_->Height(), line + 2);
    EXPECT_EQ(buttons_[0]->GetTextSize().cy, line + 8);
    EXPECT_EQ(buttons_[0]->Height(), line + 8);
    // The long Cyrillic label wraps in the frame's width.
    EXPECT_GE(label_->Height(), 2 * line);
    EXPECT_EQ(top_->Height(), label_->Height() + check_->Height() + link_->Height() + 2 * 2 + 2 * 4);
    EXPECT_EQ(top_->GetMinWidth(), 12);
    EXPECT_EQ(radioPanel_->Height(), 3 * (line + 4) + 12);
    // An empty caption still keeps one line.
    radios_[2]->SetCaption(u"");
    EXPECT_EQ(radios_[2]->Height(), line + 4);
    // The children sit inside margins and paddings.
    EXPECT_EQ(label_->Left(), 6);
    EXPECT_EQ(label_->Top(), 6);
    EXPECT_EQ(label_->Width(), top_->Width() - 12);
}

// Each change of the font or the text sizes the control anew, also back to what it was before.
TEST_F(ToolFrame, TheHeightFollowsEveryChangeOfFontAndText) {
    const int line = LineHeight(label_);
    const int wrapped = label_->Height();
    check_->Font()->SetSize(check_->Font()->Size() * 2);
    const int large = LineHeight(check_);
    ASSERT_GT(large, line);
    EXPECT_EQ(check_->Height(), large + 4);
    check_->Font()->SetSize(check_->Font()->Size() / 2);
    EXPECT_EQ(check_->Height(), line + 4);

    const WideString caption = label_->Caption();
    label_->SetCaption(u"x");
    EXPECT_EQ(label_->Height(), line);
    label_->SetCaption(caption);
    EXPECT_EQ(label_->Height(), wrapped);
}
TEST_F(ToolFrame, TheKeyboardWalksTheFrameAndClicksWithSpaceEnterAndAccelerators) {
    check_->SetFocus();
    ASSERT_TRUE(WaitFocus(check_));
    Press(VK_SPACE);
    EXPECT_TRUE(PumpUntil([&] { return check_->Checked(); }));
    // The label is skipped; the radio group is entered at its checked button.
    Press(VK_TAB);
    ASSERT_TRUE(WaitFocus(link_));
    const int before = clicks_.count;
    Press(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return clicks_.count == before + 1 && clicks_.senders.back() == link_; }));
    Press(VK_TAB);
    ASSERT_TRUE(WaitFocus(radios_[0]));
    Press(VK_DOWN);
    ASSERT_TRUE(WaitFocus(radios_[1]));
    EXPECT_TRUE(radios_[1]->Checked());
    EXPECT_FALSE(radios_[0]->Checked());
    EXPECT_TRUE(radios_[1]->TabStop());
    EXPECT_FALSE(radios_[0]->TabStop());
    Press(VK_UP);
    Press(VK_UP);  // round the end to the last one
    ASSERT_TRUE(WaitFocus(radios_[2]));
    EXPECT_TRUE(radios_[2]->Checked());
    Press(VK_TAB);
    ASSERT_TRUE(WaitFocus(buttons_[0]));
    Press(VK_SPACE);
    EXPECT_TRUE(PumpUntil([&] { return buttons_[0]->Checked(); }));
    Press(VK_TAB);
    ASSERT_TRUE(WaitFocus(buttons_[1]));
    Press(VK_SPACE);
    EXPECT_TRUE(PumpUntil([&] { return buttons_[1]->Checked(); }));
    EXPECT_FALSE(buttons_[0]->Checked());
    // In a group without AllowAllUnchecked the checked button stays checked.
    Press(VK_SPACE);
    PumpPostedMessages();
    EXPECT_TRUE(buttons_[1]->Checked());

    // Alt and the label's accelerator focus the check box.
    link_->SetFocus();
    ASSERT_TRUE(WaitFocus(link_));
    PressWith(VK_MENU, 'B');
    EXPECT_TRUE(WaitFocus(check_));
    // The check box's own accelerator is Cyrillic ("у"): the form's dialog character reaches it.
    TMessage dialogChar{};
    dialogChar.Msg = CM_DIALOGCHAR;
    uni::SetWideCharOfMessage(dialogChar, u'\u0443');
    form_->Broadcast(dialogChar);
    EXPECT_EQ(dialogChar.Result, 1);
    EXPECT_FALSE(check_->Checked());
}

TEST_F(ToolFrame, ClicksToggleAndAVetoKeepsTheState) {
    testsupport::ClickAt(CentreOf(check_));
    EXPECT_TRUE(PumpUntil([&] { return check_->Checked(); }));
    // A press takes the focus for a control with a tab stop, never for a label.
    EXPECT_TRUE(WaitFocus(check_));
    testsupport::ClickAt(CentreOf(label_));
    PumpUntil([&] { return clicks_.senders.back() == label_; });
    EXPECT_EQ(::GetFocus(), check_->Handle());
    check_->veto = true;
    testsupport::ClickAt(CentreOf(check_));
    EXPECT_TRUE(PumpUntil([&] { return clicks_.senders.back() == check_; }));
    EXPECT_TRUE(check_->Checked());
    // Without AllowGrayed a click never reaches the grayed state; with it the cycle passes through it.
    check_->veto = false;
    check_->SetAllowGrayed(true);
    check_->SetState(cbUnchecked);
    check_->Click();
    EXPECT_EQ(check_->State(), cbGrayed);
    check_->Click();
    EXPECT_EQ(check_->State(), cbChecked);
    // A click on a radio button checks it and unchecks the rest of its group.
    testsupport::ClickAt(CentreOf(radios_[2]));
    EXPECT_TRUE(PumpUntil([&] { return radios_[2]->Checked(); }));
    EXPECT_FALSE(radios_[0]->Checked());
}

TEST_F(ToolFrame, OneControlIsHotAtATimeAndNothingPollsOnceThePointerLeaves) {
    MoveTo(Point(5, 5));
    ASSERT_TRUE(PumpUntil([] { return TSkinControl::HotControl() == nullptr; }));
    MoveTo(CentreOf(link_));
    ASSERT_TRUE(PumpUntil([&] { return link_->Hot(); }));
    EXPECT_TRUE(TSkinControl::HotTimerRunning());
    MoveTo(CentreOf(check_));
    ASSERT_TRUE(PumpUntil([&] { return check_->Hot(); }));
    EXPECT_FALSE(link_->Hot());
    EXPECT_EQ(TSkinControl::HotControl(), check_);
    // Disabled while hot: it leaves, and a disabled control never becomes hot.
    check_->SetEnabled(false);
    EXPECT_FALSE(check_->Hot());
    EXPECT_FALSE(TSkinControl::HotTimerRunning());
    MoveTo(Point(CentreOf(check_).X + 1, CentreOf(check_).Y));
    PumpFor(300);
    EXPECT_FALSE(check_->Hot());
    check_->SetEnabled(true);

    // The pointer leaves the form without a message to any control: the timer notices.
    MoveTo(CentreOf(radios_[1]));
    ASSERT_TRUE(PumpUntil([&] { return radios_[1]->Hot(); }));
    MoveTo(Point(form_->Left() + form_->Width() + 60, 20));
    EXPECT_TRUE(PumpUntil([&] { return TSkinControl::HotControl() == nullptr; }, 2000));
    EXPECT_FALSE(TSkinControl::HotTimerRunning());

    // Idle: ten seconds of the message loop with the frame on screen cost under 1 % of one core.
    auto cpu = [] {
        FILETIME create, exit, kernel, user;
        ::GetProcessTimes(::GetCurrentProcess(), &create, &exit, &kernel, &user);
        auto value = [](FILETIME t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
        return value(kernel) + value(user);  // 100 ns units
    };
    const ULONGLONG start = cpu(), end = ::GetTickCount64() + 10000;
    for (ULONGLONG now = ::GetTickCount64(); now < end; now = ::GetTickCount64()) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    const double ms = double(cpu() - start) / 10000.0;
    RecordProperty("IdleCpuMsIn10s", std::to_string(ms));
    EXPECT_LT(ms, 100.0) << "CPU time while idle: " << ms << " ms in 10 s";
    // The measure itself sees work: spinning moves it by 50 ms (however busy the machine, within 5 s).
    const ULONGLONG busyStart = cpu(), giveUp = ::GetTickCount64() + 5000;
    volatile unsigned spin = 0;
    while (cpu() - busyStart < 500000 && ::GetTickCount64() < giveUp) spin = spin + 1;
    EXPECT_GE(cpu() - busyStart, 500000u);
}

TEST_F(ToolFrame, HintsAreWideAndShowTheirShortPart) {
    THintInfo info;
    check_->Perform(CM_HINTSHOW, 0, reinterpret_cast<std::intptr_t>(&info));
    EXPECT_EQ(info.HintStr, WideToAnsi(kAutoLevels, CodePageUtf8));
    EXPECT_EQ(check_->Caption(), kAutoLevels);
}

TEST_F(ToolFrame, TheDefaultThemeDrawsTheFrame) {
    buttons_[1]->SetChecked(true);
    check_->SetChecked(true);
    const auto rgb = [](TColor c) { return static_cast<COLORREF>(ColorToRGB(c)); };
    const auto screen = themedtest::ScreenRect;
    const int glyphTop = (check_->Height() - 13 + 1) / 2;
    const testsupport::SavedPicture shot = themedtest::ScreenWhen("tool-frame.bmp", [&](const auto& p) {
        return p.Matching(screen(check_, Rect(3, glyphTop + 3, 10, glyphTop + 10)), rgb(clWindowText)) > 5;
    });
    ASSERT_GT(shot.Width(), 0);
    // The check box's 13 x 13 glyph: a white box with a dark tick inside, at the left, vertically centred.
    EXPECT_GT(shot.Matching(screen(check_, Rect(3, glyphTop + 3, 10, glyphTop + 10)), rgb(clWindow)), 10);
    EXPECT_GT(shot.Matching(screen(check_, Rect(3, glyphTop + 3, 10, glyphTop + 10)), rgb(clWindowText)), 5);
    // Text in the window-text colour right of the glyph; the frame's face colour around it.
    EXPECT_GT(shot.Matching(screen(check_, Rect(21, 0, check_->Width(), check_->Height())), rgb(clWindowText)), 20);
    EXPECT_GT(shot.Matching(screen(top_, Rect(0, 0, top_->Width(), 2)), rgb(clBtnFace)), top_->Width());
    // Radio glyphs: round, so the corners of the 13 x 13 box show the face colour.
    const int radioTop = (radios_[0]->Height() - 13 + 1) / 2;
    EXPECT_EQ(shot.Pixel(screen(radios_[0], Rect(0, radioTop, 1, radioTop + 1)).left,
                         screen(radios_[0], Rect(0, radioTop, 1, radioTop + 1)).top),
              rgb(clBtnFace));
    // The checked button of the group: a raised frame with a dithered face, highlight at its top-left.
    const RECT checked = screen(buttons_[1], Rect(0, 0, buttons_[1]->Width(), buttons_[1]->Height()));
    EXPECT_GT(shot.Matching(checked, rgb(clBtnHighlight)), 20);
    EXPECT_GT(shot.Matching(checked, rgb(clBtnShadow)), 20);
    // The unchecked toolbar-look buttons have an opaque raised frame too; the flat one only its arrow.
    EXPECT_GT(shot.Matching(screen(buttons_[0], Rect(0, 0, buttons_[0]->Width(), 2)), rgb(clBtnHighlight)), 10);
    EXPECT_EQ(shot.Matching(screen(flat_, Rect(0, 0, flat_->Width(), 1)), rgb(clBtnHighlight)), 0);
    const TRect arrow = Rect(flat_->Width() - 4 - 8, 4, flat_->Width() - 4, flat_->Height() - 4);
    EXPECT_GT(shot.Matching(screen(flat_, arrow), rgb(clBtnText)), 3);
}

TEST_F(ToolFrame, AButtonsMarginsLetTheMouseThroughAndAHeldButtonRepeats) {
    flat_->Margins()->SetEdges(Rect(3, 3, 3, 3));
    auto hit = [&](TPoint client) {
        const TPoint p = flat_->ClientToScreen(client);
        return ::SendMessageA(flat_->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.X, p.Y));
    };
    EXPECT_EQ(hit(Point(1, 1)), HTTRANSPARENT);
    EXPECT_EQ(hit(Point(3, 3)), HTCLIENT);
    EXPECT_EQ(hit(Point(flat_->Width() - 3, 5)), HTTRANSPARENT);

    // Held down: a click at once, the next after 400 ms, then every 100 ms; none after the release.
    buttons_[2]->SetRepeating(true);
    std::vector<ULONGLONG> times;
    struct TTimes : TObject {
        std::vector<ULONGLONG>* times;
        void Clicked(TObject*) { times->push_back(::GetTickCount64()); }
    } recorder;
    recorder.times = &times;
    buttons_[2]->OnClick = MakeMethod<&TTimes::Clicked>(&recorder);
    const TPoint centre = CentreOf(buttons_[2]);
    MoveTo(centre);
    INPUT press = testsupport::PointerMove(centre);
    press.mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &press, sizeof press);
    ASSERT_TRUE(PumpUntil([&] { return times.size() >= 4; }));
    INPUT release = testsupport::PointerMove(centre);
    release.mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &release, sizeof release);
    ASSERT_TRUE(PumpUntil([&] { return !buttons_[2]->Pushed(); }));
    // A system timer may fire up to a tick (10 ms) before its period as the tick count reads it.
    EXPECT_GE(times[1] - times[0], 390u);
    EXPECT_GE(times[3] - times[1], 180u);
    EXPECT_LT(times[3] - times[1], 400u);
    const std::size_t count = times.size();
    PumpFor(300);
    EXPECT_EQ(times.size(), count);
}

TEST_F(ToolFrame, AVetoedDropDownClicksInstead) {
    struct TVeto : TObject {
        int asked = 0;
        void DropDown(TObject*, bool& allow) {
            ++asked;
            allow = false;
        }
    } veto;
    flat_->OnDropDown = MakeMethod<&TVeto::DropDown>(&veto);
    const int before = clicks_.count;
    testsupport::ClickAt(CentreOf(flat_));
    ASSERT_TRUE(PumpUntil([&] { return clicks_.count > before; }));
    EXPECT_EQ(clicks_.senders.back(), flat_);
    EXPECT_GE(veto.asked, 1);
    EXPECT_FALSE(flat_->DropDownOpen());
}

TEST_F(ToolFrame, SmartFocusTakesTheFocusOnlyFromInsideTheParent) {
    check_->SetFocus();
    ASSERT_TRUE(WaitFocus(check_));
    // The buttons' row holds no focus: a press on a button there leaves it where it is.
    testsupport::ClickAt(CentreOf(buttons_[0]));
    ASSERT_TRUE(PumpUntil([&] { return buttons_[0]->Checked(); }));
    EXPECT_EQ(::GetFocus(), check_->Handle());
    // The link shares the check box's panel: a press moves the focus to it.
    testsupport::ClickAt(CentreOf(link_));
    EXPECT_TRUE(WaitFocus(link_));
}

TEST_F(ToolFrame, AButtonFollowsItsActionsWideCaptionAndCheck) {
    TUniAction* bold = Create<TUniAction>(Owner());
    bold->SetCaption(u"\u0416");  // "Ж", the Russian bold button
    bold->SetGroupIndex(7);
    bold->SetChecked(true);
    bold->OnExecute = MakeMethod<&TClicks::Clicked>(&clicks_);
    TSkinButton* button = buttons_[0];
    button->OnClick = {};
    button->SetAllowAllUnchecked(true);
    button->SetAction(bold);
    EXPECT_EQ(button->Caption(), u"\u0416");
    EXPECT_EQ(button->GroupIndex(), 7);
    EXPECT_TRUE(button->Checked());
    bold->SetChecked(false);
    EXPECT_FALSE(button->Checked());
    const int before = clicks_.count;
    button->Click();
    EXPECT_EQ(clicks_.count, before + 1);
    EXPECT_EQ(clicks_.senders.back(), bold);
}

TEST_F(ToolFrame, CaptionAndHintAreStoredWideAndAnOlderHintEntryIsRead) {
    const std::vector<Byte> bytes = testsupport::WriteProperties(check_);
    EXPECT_TRUE(testsupport::ContainsText(bytes, "Hint_W"));
    TSkinCheckBox* copy = Create<TSkinCheckBox>(Owner());
    testsupport::ReadProperties(bytes, copy);
    EXPECT_EQ(copy->Caption(), kAutoLevels);
    EXPECT_EQ(copy->Hint(), check_->Hint());

    TMemoryStream older;
    {
        TWriter writer(older);
        writer.WritePropName("Hint");
        writer.WriteWideString(kShowOptions);
        writer.WriteListEnd();
    }
    TSkinLink* link = Create<TSkinLink>(Owner());
    testsupport::ReadProperties(testsupport::StreamBytes(older), link);
    EXPECT_EQ(link->Hint(), kShowOptions);
}

TEST_F(ToolFrame, AComboButtonDrawsItsArrowInThePartOfItsOwn) {
    const COLORREF ink = static_cast<COLORREF>(ColorToRGB(clBtnText));
    const int split = flat_->Width() - CurrentTheme().GetIntegerMetrics(10);
    const int h = flat_->Height();
    auto arrowPart = [&](const testsupport::SavedPicture& p) {
        return p.Matching(themedtest::ScreenRect(flat_, Rect(split, 0, flat_->Width(), h)), ink);
    };
    // Without a menu there is no arrow at all; with one in combo mode it is drawn in the part of its own.
    flat_->SetDropDownMenu(nullptr);
    ASSERT_EQ(arrowPart(themedtest::ScreenWhen("combo-button.bmp", [&](const auto& p) { return arrowPart(p) == 0; })),
              0);
    flat_->SetDropDownMenu(menu_);
    flat_->SetDropDownCombo(true);
    const testsupport::SavedPicture shot =
        themedtest::ScreenWhen("combo-button.bmp", [&](const auto& p) { return arrowPart(p) > 3; });
    EXPECT_GT(shot.Matching(themedtest::ScreenRect(flat_, Rect(split, 0, flat_->Width(), h)), ink), 3);
    // Between the centred caption and the split nothing is drawn.
    EXPECT_EQ(shot.Matching(themedtest::ScreenRect(flat_, Rect(split - 12, 0, split, h)), ink), 0);
    // A press on the main part clicks; the menu belongs to the arrow part.
    const int before = clicks_.count;
    testsupport::ClickAt(flat_->ClientToScreen(Point(split / 2, h / 2)));
    EXPECT_TRUE(PumpUntil([&] { return clicks_.count == before + 1; }));
    EXPECT_FALSE(flat_->DropDownOpen());
}

TEST_F(ToolFrame, ASystemStyleButtonIsTheSystemsPushButton) {
    TSkinButton* button = buttons_[2];
    button->SetButtonStyle(bsSystem);
    // The system's own push button of that size is the reference: its outer ring matches pixel for pixel.
    TObjectPtr<TBitmap> reference = MakeObject<TBitmap>();
    reference->SetPixelFormat(pf24bit);
    reference->SetSize(button->Width(), button->Height());
    HDC dc = reference->Canvas()->Handle();
    RECT whole{0, 0, button->Width(), button->Height()};
    ::DrawFrameControl(dc, &whole, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
    auto ringDiffers = [&](const testsupport::SavedPicture& shot) {
        const RECT r = themedtest::ScreenRect(button, Rect(0, 0, button->Width(), button->Height()));
        int differing = 0;
        for (int x = 0; x < button->Width(); ++x)
            differing += (shot.Pixel(r.left + x, r.top) != ::GetPixel(dc, x, 0)) +
                         (shot.Pixel(r.left + x, r.bottom - 1) != ::GetPixel(dc, x, button->Height() - 1));
        for (int y = 0; y < button->Height(); ++y)
            differing += (shot.Pixel(r.left, r.top + y) != ::GetPixel(dc, 0, y)) +
                         (shot.Pixel(r.right - 1, r.top + y) != ::GetPixel(dc, button->Width() - 1, y));
        return differing;
    };
    const testsupport::SavedPicture shot =
        themedtest::ScreenWhen("system-button.bmp", [&](const auto& p) { return ringDiffers(p) == 0; });
    EXPECT_EQ(ringDiffers(shot), 0);
}

TEST_F(ToolFrame, ALinkIsUnderlinedWhileThePointerIsOnIt) {
    const COLORREF ink = static_cast<COLORREF>(ColorToRGB(clWindowText));
    // The longest horizontal run of ink in the link: an underline spans the whole text, no letter does.
    auto longestRun = [&](const testsupport::SavedPicture& p) {
        const RECT r = themedtest::ScreenRect(link_, Rect(0, 0, link_->Width(), link_->Height()));
        int longest = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left, run = 0; x < r.right; ++x) {
                run = p.Pixel(x, y) == ink ? run + 1 : 0;
                longest = std::max(longest, run);
            }
        return longest;
    };
    MoveTo(Point(5, 5));
    ASSERT_TRUE(PumpUntil([&] { return !link_->Hot(); }));
    EXPECT_LT(longestRun(themedtest::ScreenWhen("link.bmp", [&](const auto& p) { return longestRun(p) < 20; })), 20);
    MoveTo(CentreOf(link_));
    ASSERT_TRUE(PumpUntil([&] { return link_->Hot(); }));
    EXPECT_GE(longestRun(themedtest::ScreenWhen("link.bmp", [&](const auto& p) { return longestRun(p) >= 20; })), 20);
    MoveTo(Point(5, 5));
    ASSERT_TRUE(PumpUntil([&] { return !link_->Hot(); }));
    EXPECT_LT(longestRun(themedtest::ScreenWhen("link.bmp", [&](const auto& p) { return longestRun(p) < 20; })), 20);
}
