// The list view on a form: items that keep their texts, states and order across new windows, texts given to
// the window when it asks, sorting, item classes, image lists it shares, double clicks and label editing.
#include <gtest/gtest.h>

#include <vector>

#include "tests/classlib/gui/FormTestHelpers.h"
#include "classlib/win/TListView.h"

namespace {

class ListViewTest : public formtest::GuiTest {
protected:
    TListView* NewListView() {
        TForm* form = NewForm(400, 300);
        auto* view = Create<TListView>(Owner());
        view->SetParent(form);
        return view;
    }
};

// The text the window shows in a cell: asked for through the control, as the window does when painting.
AnsiString CellText(TListView* view, int index, int column = 0) {
    char buffer[128] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    ::SendMessageA(view->Handle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

std::vector<AnsiString> Captions(TListView* view) {
    std::vector<AnsiString> result;
    for (int i = 0; i < view->Items()->Count(); ++i) result.push_back(view->Items()->Item(i)->Caption());
    return result;
}

class TTaggedItem : public TListItem {
    CLASSLIB_COMPONENT(TTaggedItem, TListItem)
    explicit TTaggedItem(TComponent* listView) : TListItem(listView) {}
    int tag = 42;
};

}  // namespace

TEST_F(ListViewTest, ItemsKeepTextsStatesAndDataAcrossNewWindows) {
    TListView* view = NewListView();
    view->SetViewStyle(vsReport);
    view->Columns()->Add()->SetCaption("Name");
    view->Columns()->Add()->SetCaption("Size");
    int payload = 0;
    for (const char* name : {"alpha", "beta", "gamma"}) {
        TListItem* item = view->Items()->Add();
        item->SetCaption(name);
        item->SubItems()->Add(AnsiString(name) + " size");
    }
    view->Items()->Item(2)->SetData(&payload);
    view->SetItemIndex(1);
    EXPECT_EQ(view->ItemIndex(), 1);

    HWND first = view->Handle();
    EXPECT_EQ(::SendMessageA(first, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(CellText(view, 0), "alpha");
    EXPECT_EQ(CellText(view, 2, 1), "gamma size");
    EXPECT_EQ(CellText(view, 2, 5), "");
    EXPECT_EQ(view->ItemIndex(), 1);
    EXPECT_EQ(view->Selected(), view->Items()->Item(1));
    // Changes made with a window reach it.
    view->Items()->Item(0)->SetCaption("ALPHA");
    view->Items()->Item(0)->SubItems()->SetStrings(0, "big");
    EXPECT_EQ(CellText(view, 0), "ALPHA");
    EXPECT_EQ(CellText(view, 0, 1), "big");
    view->SetItemIndex(2);  // selected in the window only

    view->SetCheckboxes(true);  // a new window
    view->Items()->Item(0)->SetChecked(true);
    HWND second = view->Handle();
    EXPECT_EQ(::SendMessageA(second, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(CellText(view, 0, 1), "big");
    EXPECT_EQ(view->ItemIndex(), 2);
    EXPECT_EQ(view->Items()->Item(2)->Data(), &payload);
    EXPECT_TRUE(view->Items()->Item(0)->Checked());
    EXPECT_FALSE(view->Items()->Item(1)->Checked());
    view->SetMultiSelect(true);  // and another
    EXPECT_TRUE(view->Items()->Item(0)->Checked());
    EXPECT_EQ(view->ItemIndex(), 2);
    EXPECT_EQ(::SendMessageA(view->Handle(), LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(::SendMessageA(view->Handle(), LVM_GETCOLUMNWIDTH, 1, 0), 50);

    view->Items()->Delete(0);
    EXPECT_EQ(::SendMessageA(view->Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(CellText(view, 0), "beta");
    EXPECT_THROW(view->Items()->Delete(5), EListError);
    view->Items()->Clear();
    EXPECT_EQ(::SendMessageA(view->Handle(), LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(view->ItemIndex(), -1);
}

TEST_F(ListViewTest, SortsByCaptionOrByOnCompareWithOrWithoutAWindow) {
    TListView* view = NewListView();
    for (const char* name : {"pear", "Apple", "fig"}) view->Items()->Add()->SetCaption(name);
    EXPECT_TRUE(view->AlphaSort());
    EXPECT_EQ(Captions(view), (std::vector<AnsiString>{"Apple", "fig", "pear"}));

    view->HandleNeeded();
    struct Reverse {
        int calls = 0;
        void Compare(TObject*, TListItem* a, TListItem* b, std::intptr_t, int& result) {
            ++calls;
            result = ::lstrcmpiA(b->Caption().c_str(), a->Caption().c_str());
        }
    } reverse;
    view->OnCompare = MakeMethod<&Reverse::Compare>(&reverse);
    EXPECT_TRUE(view->AlphaSort());
    EXPECT_GT(reverse.calls, 0);
    EXPECT_EQ(Captions(view), (std::vector<AnsiString>{"pear", "fig", "Apple"}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(CellText(view, i), Captions(view)[static_cast<std::size_t>(i)]);

    // Kept sorted as items come and are renamed.
    view->OnCompare = nullptr;
    view->SetSortType(stText);
    EXPECT_EQ(Captions(view), (std::vector<AnsiString>{"Apple", "fig", "pear"}));
    view->Items()->Add()->SetCaption("banana");
    EXPECT_EQ(Captions(view), (std::vector<AnsiString>{"Apple", "banana", "fig", "pear"}));
    view->Items()->Item(0)->SetCaption("zucchini");
    EXPECT_EQ(Captions(view).back(), "zucchini");
    EXPECT_EQ(CellText(view, 3), "zucchini");
}

TEST_F(ListViewTest, ItemClassImagesDoubleClickAndLabelEditing) {
    TListView* view = NewListView();
    struct Chooser {
        void Choose(TCustomListView*, TListItemClass& cls) { cls = TListItemClass::Of<TTaggedItem>(); }
    } chooser;
    view->OnCreateItemClass = MakeMethod<&Chooser::Choose>(&chooser);
    TListItem* item = view->Items()->Add();
    ASSERT_TRUE(item->Is<TTaggedItem>());
    EXPECT_EQ(static_cast<TTaggedItem*>(item)->tag, 42);
    item->SetCaption("one");
    item->SetImageIndex(0);

    // Image lists are shown, shared and forgotten when they go.
    TImageList* images = Create<TImageList>(Owner(), 32, 32);
    view->SetLargeImages(images);
    HWND wnd = view->Handle();
    const HIMAGELIST handle = images->Handle();
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(::SendMessageA(wnd, LVM_GETIMAGELIST, LVSIL_NORMAL, 0)), handle);
    view->Perform(CM_RECREATEWND);
    EXPECT_EQ(ImageList_GetImageCount(handle), 0);  // still a live list: the window did not take it
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(::SendMessageA(view->Handle(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0)), handle);
    Free(images);
    EXPECT_EQ(view->LargeImages(), nullptr);
    EXPECT_EQ(::SendMessageA(view->Handle(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0), 0);

    struct Clicks {
        int n = 0;
        void Click(TObject*) { ++n; }
    } clicks;
    view->OnDblClick = MakeMethod<&Clicks::Click>(&clicks);
    ::SendMessageA(view->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageA(view->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks.n, 1);

    struct Editor {
        bool allow = false;
        int asked = 0;
        void Editing(TObject*, TListItem*, bool& allowEdit) {
            ++asked;
            allowEdit = allow;
        }
        void Edited(TObject*, TListItem*, AnsiString& s) { s += "!"; }
    } editor;
    view->OnEditing = MakeMethod<&Editor::Editing>(&editor);
    view->OnEdited = MakeMethod<&Editor::Edited>(&editor);
    EXPECT_EQ(::SendMessageA(view->Handle(), LVM_EDITLABELA, 0, 0), 0);
    EXPECT_EQ(editor.asked, 1);
    editor.allow = true;
    const auto edit = reinterpret_cast<HWND>(::SendMessageA(view->Handle(), LVM_EDITLABELA, 0, 0));
    ASSERT_NE(edit, nullptr);
    ::SetWindowTextA(edit, "renamed");
    ::SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);  // ends the edit, keeping the text
    EXPECT_TRUE(formtest::PumpUntil([&] { return item->Caption() == "renamed!"; }));
    EXPECT_EQ(item->Caption(), "renamed!");
    EXPECT_EQ(CellText(view, 0), "renamed!");
}

TEST_F(ListViewTest, TheHeaderAndTheWindowsOwnPartsReachTheSystemListView) {
    TListView* view = NewListView();
    view->SetViewStyle(vsReport);
    view->Columns()->Add()->SetCaption("Name");
    view->Columns()->Items(0)->SetWidth(80);
    view->Items()->Add()->SetCaption("one");
    const auto header = reinterpret_cast<HWND>(::SendMessageA(view->Handle(), LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    // Dragging the column's right edge in the header: the header tells the list view, which resizes.
    RECT r{};
    ::SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    const int y = (r.top + r.bottom) / 2;
    ::SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 1, y));
    ::SendMessageA(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(r.right + 39, y));
    ::SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(r.right + 39, y));
    EXPECT_GT(::SendMessageA(view->Handle(), LVM_GETCOLUMNWIDTH, 0, 0), 100);
    // The list view's own idea of the column (where it draws the item) follows only through the notice.
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    ::SendMessageA(view->Handle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&bounds));
    EXPECT_GT(bounds.right - bounds.left, 100);
}
