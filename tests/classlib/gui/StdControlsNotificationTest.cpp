// A colour box on a form: the swatch its items are drawn with, the selection event from the list's own
// notification and the drop-down size kept in a new window; a label clicked through its parent's window.
#include <gtest/gtest.h>

#include "tests/classlib/gui/FormTestHelpers.h"
#include "tests/classlib/gui/GraphicsTestSupport.h"
#include "classlib/win/TColorBox.h"
#include "classlib/win/TLabel.h"

using formtest::PumpPostedMessages;
using formtest::PumpUntil;

namespace {

class StdControlsNotification : public formtest::GuiTest {
protected:
    template <class C>
    C* NewControl(TForm* form, int left, int top) {
        C* c = Create<C>(Owner());
        c->SetLeft(left);
        c->SetTop(top);
        c->SetParent(form);
        return c;
    }
};

struct Counter {
    int count = 0;
    void Count(TObject*) { ++count; }
};

// Asks the box's parent to have item index drawn into dc at rect, the way the system asks for a list item.
void DrawListItem(TColorBox* box, HDC dc, int index, RECT rect, UINT state = 0) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_COMBOBOX;
    dis.CtlID = static_cast<UINT>(::GetDlgCtrlID(box->Handle()));
    dis.itemID = static_cast<UINT>(index);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hwndItem = box->Handle();
    dis.hDC = dc;
    dis.rcItem = rect;
    ::SendMessageA(box->Parent()->Handle(), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
}

int CountPixels(const graphicstest::Surface& canvas, RECT area, COLORREF colour) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (canvas.At(x, y) == colour) ++n;
    return n;
}

}  // namespace

TEST_F(StdControlsNotification, ColorBoxDrawsASwatchOfEachItemsColourInsideTheItem) {
    TForm* form = NewForm();
    auto* box = NewControl<TColorBox>(form, 10, 10);
    box->SetColorStyle({cbStandardColors});
    box->SetSelected(clLime);
    box->HandleNeeded();
    const int lime = box->ItemIndex();
    ASSERT_GE(lime, 0);

    graphicstest::Surface canvas(200, 60);
    const RECT item{20, 10, 160, 26};
    DrawListItem(box, canvas.Dc(), lime, item);
    // The swatch: a square at the item's left end in the item's colour, the rest of the item not.
    const RECT swatch{item.left + 2, item.top + 2, item.left + (item.bottom - item.top) - 2, item.bottom - 2};
    const int swatchArea = (swatch.right - swatch.left) * (swatch.bottom - swatch.top);
    EXPECT_EQ(CountPixels(canvas, swatch, RGB(0, 255, 0)), swatchArea);
    EXPECT_EQ(CountPixels(canvas, RECT{item.left + 20, item.top, item.right, item.bottom}, RGB(0, 255, 0)), 0);
    // Nothing outside the item rectangle.
    EXPECT_EQ(CountPixels(canvas, RECT{0, 0, 200, item.top}, RGB(255, 255, 255)), 200 * item.top);
    EXPECT_EQ(CountPixels(canvas, RECT{0, item.bottom, 200, 60}, RGB(255, 255, 255)), 200 * (60 - item.bottom));
    EXPECT_EQ(CountPixels(canvas, RECT{0, item.top, item.left, item.bottom}, RGB(255, 255, 255)),
              item.left * (item.bottom - item.top));

    // Another item in the selected state keeps its own colour in the swatch; the name is on the highlight.
    const RECT second{20, 34, 160, 50};
    DrawListItem(box, canvas.Dc(), 9, second, ODS_SELECTED);  // red
    const RECT redSwatch{second.left + 2, second.top + 2, second.left + 14, second.bottom - 2};
    EXPECT_EQ(CountPixels(canvas, redSwatch, RGB(255, 0, 0)), 12 * 12);
    EXPECT_GT(CountPixels(canvas, RECT{second.left + 20, second.top, second.right, second.bottom},
                          static_cast<COLORREF>(ColorToRGB(clHighlight))),
              0);
}

TEST_F(StdControlsNotification, ColorBoxSelectionByTheUserFiresOnSelectAndKeepsItsDropDownCount) {
    TForm* form = NewForm();
    auto* box = NewControl<TColorBox>(form, 10, 10);
    box->SetColorStyle({cbStandardColors});
    box->SetSelected(clRed);
    Counter selects;
    box->OnSelect = MakeMethod<&Counter::Count>(&selects);
    form->Show();
    PumpPostedMessages();
    // The list's own notification after a key moved the selection.
    ::SendMessageA(box->Handle(), WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_TRUE(PumpUntil([&] { return selects.count > 0; }));
    EXPECT_EQ(selects.count, 1);
    EXPECT_EQ(box->Selected(), clLime);
    // A selection the program makes is no user's choice.
    box->SetSelected(clBlue);
    EXPECT_EQ(selects.count, 1);

    box->SetDropDownCount(3);
    box->RecreateWnd();
    box->HandleNeeded();
    EXPECT_EQ(box->DropDownCount(), 3);
    EXPECT_EQ(box->Selected(), clBlue);
    const int itemHeight = static_cast<int>(::SendMessageA(box->Handle(), CB_GETITEMHEIGHT, 0, 0));
    box->SetDroppedDown(true);
    RECT list{};
    ::GetClientRect(box->ListHandle(), &list);
    box->SetDroppedDown(false);
    EXPECT_GE(list.bottom - list.top, 3 * itemHeight);
    EXPECT_LT(list.bottom - list.top, 4 * itemHeight);
}

TEST_F(StdControlsNotification, ALabelIsClickedThroughTheMouseMessagesOfItsParentsWindow) {
    TForm* form = NewForm();
    auto* label = NewControl<TLabel>(form, 30, 40);
    label->SetCaption("Click me");
    Counter clicks;
    label->OnClick = MakeMethod<&Counter::Count>(&clicks);
    form->Show();
    PumpPostedMessages();
    ASSERT_GT(label->Width(), 4);
    const LPARAM at = MAKELPARAM(label->Left() + label->Width() / 2, label->Top() + label->Height() / 2);
    ::PostMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(form->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(PumpUntil([&] { return clicks.count == 1; }));

    // Pressed beside the label: no click.
    const LPARAM beside = MAKELPARAM(label->Left() + label->Width() + 20, label->Top() + label->Height() / 2);
    ::PostMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, beside);
    ::PostMessageA(form->Handle(), WM_LBUTTONUP, 0, beside);
    PumpPostedMessages();
    EXPECT_EQ(clicks.count, 1);
}
