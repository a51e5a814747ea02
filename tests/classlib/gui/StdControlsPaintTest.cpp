// Group boxes, labels, panels, paint boxes and progress bars: what they paint (into a memory surface, through
// the same paint path the window uses), where they put their children, label sizing and accelerators, and
// the progress bar's range rules.
#include "classlib/win/ControlText.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/TEdit.h"
#include "classlib/win/TFont.h"
#include "classlib/win/TGroupBox.h"
#include "classlib/win/TLabel.h"
#include "classlib/win/TPaintBox.h"
#include "classlib/win/TPanel.h"
#include "classlib/win/TProgressBar.h"
#include "classlib/win/WindowDC.h"
#include "tests/classlib/gui/FormTestHelpers.h"
#include "tests/classlib/gui/GraphicsTestSupport.h"

using namespace formtest;
using graphicstest::Surface;

namespace {

COLORREF Rgb(TColor color) { return static_cast<COLORREF>(ColorToRGB(color)); }
constexpr COLORREF kBackground = RGB(1, 2, 3);

int TextWidthIn(TFont* font, const AnsiString& text) {
    const TWindowDC dcWindowDC;
    HDC dc = dcWindowDC.Get();
    HGDIOBJ old = ::SelectObject(dc, font->Handle());
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    return size.cx;
}

// Paints a windowed control's client area into the surface.
void PrintClient(TWinControl* control, Surface& surface) {
    control->Perform(WM_PRINTCLIENT, reinterpret_cast<std::uintptr_t>(surface.Dc()), PRF_CLIENT);
}

class StdPaint : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form = NewForm(360, 260);
    }
    template <class C>
    C* New(TWinControl* parent, int left, int top, int width, int height) {
        C* c = Create<C>(Owner());
        c->SetBounds(left, top, width, height);
        c->SetParent(parent);
        return c;
    }
    TForm* form = nullptr;
};

TEST_F(StdPaint, GroupBoxDrawsItsFrameBelowHalfTheCaptionAndLaysChildrenOutInside) {
    TGroupBox* group = New<TGroupBox>(form, 10, 10, 120, 80);
    group->SetColor(clBtnFace);
    const int h = FontTextHeight(group->Font());
    Surface surface(120, 80, kBackground);
    PrintClient(group, surface);
    // Without a caption: a shadow frame and a highlight frame one pixel right and down.
    EXPECT_EQ(surface.At(0, h / 2 + 5), Rgb(clBtnShadow));
    EXPECT_EQ(surface.At(1, h / 2 + 5), Rgb(clBtnHighlight));
    EXPECT_EQ(surface.At(20, h / 2 - 1), Rgb(clBtnShadow));
    EXPECT_EQ(surface.At(20, h / 2), Rgb(clBtnHighlight));
    EXPECT_EQ(surface.At(60, 78), Rgb(clBtnShadow));
    EXPECT_EQ(surface.At(60, 79), Rgb(clBtnHighlight));
    EXPECT_EQ(surface.At(60, 2), kBackground);  // above the frame nothing is drawn

    // The caption sits 8 pixels in, on the box's colour, over the frame line.
    group->SetCaption("Options");
    surface.Fill(kBackground);
    PrintClient(group, surface);
    const int captionWidth = TextWidthIn(group->Font(), "Options");
    int shadow = 0, face = 0;
    for (int x = 8; x < 8 + captionWidth; ++x) {
        shadow += surface.At(x, h / 2 - 1) == Rgb(clBtnShadow);
        face += surface.At(x, h / 2 - 1) == Rgb(clBtnFace);
    }
    EXPECT_EQ(shadow, 0);
    EXPECT_GT(face, 0);
    EXPECT_EQ(surface.At(8 + captionWidth + 2, h / 2 - 1), Rgb(clBtnShadow));
    EXPECT_EQ(surface.At(4, h / 2 - 1), Rgb(clBtnShadow));

    // Without Ctl3D one line in the frame colour.
    group->SetCtl3D(false);
    surface.Fill(kBackground);
    PrintClient(group, surface);
    EXPECT_EQ(surface.At(0, h / 2 + 5), Rgb(clWindowFrame));
    EXPECT_EQ(surface.At(1, h / 2 + 5), kBackground);

    // Children aligned to the client area keep clear of the caption and the frame.
    group->SetCtl3D(true);
    TPanel* inside = New<TPanel>(group, 0, 0, 10, 10);
    inside->SetAlign(alClient);
    EXPECT_EQ(inside->Top(), h + 2);
    EXPECT_EQ(inside->Left(), 2);
    EXPECT_EQ(inside->Width(), 120 - 4);
    EXPECT_EQ(inside->Height(), 80 - h - 4);
}

TEST_F(StdPaint, PanelBevelsAndBorderFrameItsChildren) {
    TPanel* panel = New<TPanel>(form, 10, 10, 100, 60);
    panel->SetBevelOuter(bvRaised);
    panel->SetBevelInner(bvLowered);
    panel->SetBevelWidth(2);
    panel->SetBorderWidth(3);
    panel->SetParentBackground(false);
    panel->SetColor(clBtnFace);
    TPanel* child = New<TPanel>(panel, 0, 0, 10, 10);
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), Rect(7, 7, 93, 53));

    Surface surface(100, 60, kBackground);
    child->SetVisible(false);
    PrintClient(panel, surface);
    EXPECT_EQ(surface.At(0, 30), Rgb(clBtnHighlight));  // raised: light top and left
    EXPECT_EQ(surface.At(1, 30), Rgb(clBtnHighlight));
    EXPECT_EQ(surface.At(99, 30), Rgb(clBtnShadow));  // dark right and bottom
    EXPECT_EQ(surface.At(50, 59), Rgb(clBtnShadow));
    EXPECT_EQ(surface.At(3, 30), Rgb(clBtnFace));    // the border
    EXPECT_EQ(surface.At(5, 30), Rgb(clBtnShadow));  // lowered: dark top and left
    EXPECT_EQ(surface.At(50, 5), Rgb(clBtnShadow));
    EXPECT_EQ(surface.At(94, 30), Rgb(clBtnHighlight));
    EXPECT_EQ(surface.At(20, 20), Rgb(clBtnFace));  // the face

    // No bevels: the children take the whole panel; the values cannot go below their minimum.
    panel->SetBevelOuter(bvNone);
    panel->SetBevelInner(bvNone);
    panel->SetBorderWidth(-4);
    panel->SetBevelWidth(0);
    EXPECT_EQ(panel->BorderWidth(), 0);
    EXPECT_EQ(panel->BevelWidth(), 1);
    child->SetVisible(true);
    EXPECT_EQ(child->BoundsRect(), Rect(0, 0, 100, 60));
    panel->SetBorderStyle(bsSingle);
    EXPECT_TRUE(::GetWindowLongPtrA(panel->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

// Counts the label's measuring and drawing.
class TCountingLabel : public TLabel {
    CLASSLIB_COMPONENT(TCountingLabel, TLabel)
    using TLabel::TLabel;
    int measured = 0;
    int drawn = 0;

protected:
    void DoDrawText(TRect& rect, UINT flags) override {
        ++((flags & DT_CALCRECT) ? measured : drawn);
        TLabel::DoDrawText(rect, flags);
    }
};

TEST_F(StdPaint, LabelSizesToItsTextAndDrawsThroughDoDrawText) {
    TCountingLabel* label = New<TCountingLabel>(form, 100, 20, 50, 50);
    const int lineHeight = FontTextHeight(label->Font());
    EXPECT_EQ(label->Height(), lineHeight);  // an empty label keeps the height of a line
    label->measured = 0;
    label->SetCaption("Hello");
    EXPECT_GE(label->measured, 1);
    EXPECT_EQ(label->Width(), TextWidthIn(label->Font(), "Hello"));
    EXPECT_EQ(label->Left(), 100);

    // Right-justified, it grows to the left.
    label->SetAlignment(taRightJustify);
    const int right = label->Left() + label->Width();
    label->SetCaption("Hello, world");
    EXPECT_EQ(label->Left() + label->Width(), right);
    EXPECT_EQ(label->Width(), TextWidthIn(label->Font(), "Hello, world"));
    // The accelerator prefix takes no room; without accelerators it is a character.
    label->SetAlignment(taLeftJustify);
    label->SetCaption("&Name");
    EXPECT_EQ(label->Width(), TextWidthIn(label->Font(), "Name"));
    label->SetShowAccelChar(false);
    EXPECT_EQ(label->Width(), TextWidthIn(label->Font(), "&Name"));
    // Word wrap keeps the width and grows downwards.
    label->SetAutoSize(false);
    label->SetBounds(10, 100, TextWidthIn(label->Font(), "Hello, "), 5);
    label->SetCaption("Hello, world");
    label->SetWordWrap(true);
    label->SetAutoSize(true);
    EXPECT_EQ(label->Height(), 2 * lineHeight);

    // Painting goes through DoDrawText; an opaque label fills its colour first.
    label->SetColor(clYellow);
    label->drawn = 0;
    Surface surface(360, 260, kBackground);
    form->PaintControls(surface.Dc(), nullptr);
    EXPECT_EQ(label->drawn, 1);
    EXPECT_EQ(surface.At(label->Left() + label->Width() - 1, label->Top()), Rgb(clYellow));
    EXPECT_GT(surface.CountOf(Rgb(label->Font()->Color())), 0);
    // Transparent: the background stays as it was.
    label->SetTransparent(true);
    surface.Fill(kBackground);
    form->PaintControls(surface.Dc(), nullptr);
    EXPECT_EQ(surface.CountOf(Rgb(clYellow)), 0);
    EXPECT_EQ(surface.At(label->Left() + label->Width() - 1, label->Top()), kBackground);
}

TEST_F(StdPaint, DisabledLabelIsDrawnTwiceInHighlightAndShadow) {
    TCountingLabel* label = New<TCountingLabel>(form, 10, 10, 50, 20);
    label->SetTransparent(true);
    label->SetCaption("WWW");
    label->SetEnabled(false);
    Surface surface(360, 260, kBackground);
    label->drawn = 0;
    form->PaintControls(surface.Dc(), nullptr);
    EXPECT_EQ(label->drawn, 1);
    EXPECT_GT(surface.CountOf(Rgb(clBtnHighlight)), 0);
    EXPECT_GT(surface.CountOf(Rgb(clBtnShadow)), 0);
    EXPECT_EQ(surface.CountOf(Rgb(label->Font()->Color())), 0);
}

TEST_F(StdPaint, LabelAndGroupBoxAcceleratorsMoveTheFocus) {
    TEdit* first = New<TEdit>(form, 10, 10, 80, 20);
    TLabel* label = New<TLabel>(form, 10, 40, 40, 20);
    TEdit* target = New<TEdit>(form, 60, 40, 80, 20);
    label->SetCaption("&Name");
    TGroupBox* group = New<TGroupBox>(form, 10, 80, 200, 100);
    group->SetCaption("&Group");
    TEdit* inGroupLast = New<TEdit>(group, 10, 60, 80, 20);
    TEdit* inGroupFirst = New<TEdit>(group, 10, 30, 80, 20);
    inGroupFirst->SetTabOrder(0);
    (void)inGroupLast;
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
    ASSERT_TRUE(FocusOn(first));

    // No focus control: nothing happens.
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'n', 0), 0);
    label->SetFocusControl(target);
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'N', 0), 1);
    EXPECT_EQ(::GetFocus(), target->Handle());
    // A freed focus control is forgotten.
    Free(target);
    EXPECT_EQ(label->FocusControl(), nullptr);
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'n', 0), 0);

    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'g', 0), 1);
    EXPECT_EQ(::GetFocus(), inGroupFirst->Handle());
}

struct TPainter : TObject {
    TPaintBox* box = nullptr;
    int paints = 0;
    void Paint(TObject* sender) {
        ++paints;
        EXPECT_EQ(sender, box);
        box->Canvas()->Brush()->SetColor(clRed);
        box->Canvas()->FillRect(Rect(0, 0, 4, 4));
    }
};

TEST_F(StdPaint, PaintBoxPaintsThroughOnPaintAtItsPlace) {
    TPaintBox* box = New<TPaintBox>(form, 30, 40, 20, 20);
    TPainter painter;
    painter.box = box;
    box->OnPaint = MakeMethod<&TPainter::Paint>(&painter);
    Surface surface(360, 260, kBackground);
    form->PaintControls(surface.Dc(), nullptr);
    EXPECT_EQ(painter.paints, 1);
    EXPECT_EQ(surface.At(30, 40), Rgb(clRed));
    EXPECT_EQ(surface.At(33, 43), Rgb(clRed));
    EXPECT_EQ(surface.At(34, 44), kBackground);
    EXPECT_EQ(surface.At(29, 39), kBackground);
    EXPECT_EQ(surface.CountOf(Rgb(clRed)), 16);
    // Without a handler nothing is drawn.
    box->OnPaint = nullptr;
    surface.Fill(kBackground);
    form->PaintControls(surface.Dc(), nullptr);
    EXPECT_EQ(surface.CountOf(Rgb(clRed)), 0);
}

TEST_F(StdPaint, ProgressBarKeepsItsPositionInRangeAndStartsOverPastTheEnd) {
    TProgressBar* bar = Create<TProgressBar>(Owner());
    bar->SetMax(50);
    bar->SetPosition(70);
    EXPECT_EQ(bar->Position(), 50);
    bar->SetPosition(20);
    bar->SetStep(15);
    bar->SetParent(form);
    HWND wnd = bar->Handle();
    EXPECT_EQ(::SendMessageA(wnd, PBM_GETPOS, 0, 0), 20);
    EXPECT_EQ(::SendMessageA(wnd, PBM_GETRANGE, FALSE, 0), 50);
    bar->StepIt();
    bar->StepIt();
    EXPECT_EQ(bar->Position(), 50);
    bar->StepIt();  // 65 is past the end
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(::SendMessageA(wnd, PBM_GETPOS, 0, 0), 0);
    bar->StepBy(-5);
    EXPECT_EQ(bar->Position(), 0);
    bar->StepBy(30);
    EXPECT_EQ(bar->Position(), 30);

    // Min and Max can be set in either order.
    bar->SetMin(80);
    EXPECT_EQ(bar->Max(), 80);
    EXPECT_EQ(bar->Position(), 80);
    bar->SetMax(60);
    EXPECT_EQ(bar->Min(), 60);
    EXPECT_EQ(bar->Position(), 60);
    // No overflow near the int limits.
    bar->SetMax(INT_MAX);
    bar->SetPosition(INT_MAX - 1);
    bar->SetStep(INT_MAX);
    bar->StepIt();
    EXPECT_EQ(bar->Position(), 60);

    bar->SetPosition(70);
    bar->RecreateWnd();
    EXPECT_EQ(::SendMessageA(bar->Handle(), PBM_GETPOS, 0, 0), 70);
    EXPECT_EQ(::SendMessageA(bar->Handle(), PBM_GETRANGE, TRUE, 0), 60);
}

}  // namespace
