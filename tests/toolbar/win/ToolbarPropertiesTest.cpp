// A toolbar's properties without a window: what switching it to a menu bar changes, the chevron's caption from
// its hint, and that a freed toolbar leaves neither a shortcut registration nor a message hook behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "toolbar/core/TTBRootItem.h"
#include "toolbar/win/MessageHooks.h"
#include "toolbar/win/TTBChevronItem.h"
#include "toolbar/win/TTBCustomToolbar.h"
#include "toolbar/win/TTBItemViewer.h"
#include "toolbar/win/ToolbarShortCuts.h"

namespace {

bool Listed(const TTBCustomToolbar* toolbar) {
    const auto& list = tb::RegisteredToolbars();
    return std::find(list.begin(), list.end(), toolbar) != list.end();
}

// A storage of position data in memory.
struct TPositionStore {
    std::map<std::string, int> values;
    int Read(const AnsiString& section, const AnsiString& key, int defaultValue) {
        const auto it = values.find(section + "." + key);
        return it == values.end() ? defaultValue : it->second;
    }
    void Write(const AnsiString& section, const AnsiString& key, int value) { values[section + "." + key] = value; }
};

// A toolbar that shows an MDI child's system menu and buttons, as a descendant of the base toolbar would.
class TMdiToolbar : public TTBCustomToolbar {
public:
    using TTBCustomToolbar::TTBCustomToolbar;
    ~TMdiToolbar() override { ShowMdiItems(false); }
    TObjectPtr<TTBCustomItem> systemMenu = MakeObject<TTBCustomItem>(nullptr);
    TObjectPtr<TTBCustomItem> buttons = MakeObject<TTBCustomItem>(nullptr);
    void ShowMdiItems(bool show) {
        SetMDISystemMenuItem(show ? systemMenu.get() : nullptr);
        SetMDIButtonsItem(show ? buttons.get() : nullptr);
    }
};

TTBCustomItem* AddItem(TTBCustomItem* parent, TComponent* owner, const char16_t* caption) {
    auto* item = Create<TTBCustomItem>(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

}  // namespace

TEST(ToolbarProperties, TheFloatingWrapWidthTravelsWithThePositionDataAsFloatRightX) {
    TObjectPtr<TTBCustomToolbar> bar = MakeObject<TTBCustomToolbar>(nullptr);
    bar->SetName("Tools");
    bar->SetFloatingWidth(57);
    TPositionStore store;
    bar->WritePositionData(MakeMethod<&TPositionStore::Write>(&store));
    EXPECT_EQ(store.values, (std::map<std::string, int>{{"Tools.FloatRightX", 57}}));

    store.values["Tools.FloatRightX"] = 31;
    bar->ReadPositionData(MakeMethod<&TPositionStore::Read>(&store));
    EXPECT_EQ(bar->FloatingWidth(), 31);
    store.values.clear();
    bar->ReadPositionData(MakeMethod<&TPositionStore::Read>(&store));
    EXPECT_EQ(bar->FloatingWidth(), 0);
}

TEST(ToolbarProperties, AMenuBarWrapsFillsItsRowProcessesShortCutsAndWatchesTheQueue) {
    TObjectPtr<TTBCustomToolbar> bar = MakeObject<TTBCustomToolbar>(nullptr);
    EXPECT_EQ(bar->ShrinkMode(), tbsmChevron);
    EXPECT_TRUE(bar->CloseButton());
    EXPECT_FALSE(bar->Registered());
    EXPECT_EQ(bar->Width(), 23);
    EXPECT_EQ(bar->Height(), 22);

    bar->SetMenuBar(true);
    EXPECT_TRUE(bar->ControlStyle().Contains(csMenuEvents));
    EXPECT_EQ(bar->View()->Style() & (kVssMenuBar | kVssHideAccels), kVssMenuBar | kVssHideAccels);
    EXPECT_TRUE(bar->FullSize());
    EXPECT_EQ(bar->ShrinkMode(), tbsmWrap);
    EXPECT_FALSE(bar->CloseButton());
    EXPECT_TRUE(bar->ProcessShortCuts());
    EXPECT_TRUE(bar->Registered());
    EXPECT_TRUE(Listed(bar.get()));
    EXPECT_TRUE(tb::InstalledSystemHooks().Contains(shGetMessage));

    // Still registered while it processes shortcuts as an ordinary toolbar.
    bar->SetMenuBar(false);
    bar->SetProcessShortCuts(true);
    EXPECT_FALSE(bar->ControlStyle().Contains(csMenuEvents));
    EXPECT_EQ(bar->View()->Style() & (kVssMenuBar | kVssHideAccels), 0u);
    EXPECT_EQ(bar->ShrinkMode(), tbsmChevron);
    EXPECT_TRUE(bar->CloseButton());
    EXPECT_TRUE(bar->Registered());
    EXPECT_FALSE(tb::InstalledSystemHooks().Contains(shGetMessage));

    bar->SetMenuBar(true);
    const TTBCustomToolbar* gone = bar.get();
    bar.reset();
    EXPECT_FALSE(Listed(gone));
    EXPECT_FALSE(tb::InstalledSystemHooks().Contains(shGetMessage));
    EXPECT_TRUE(tb::RegisteredToolbars().empty());
}

TEST(ToolbarProperties, TheChevronShowsTheShortHintWithItsAmpersandsDoubledAndListsTheToolbarsItems) {
    TObjectPtr<TTBCustomToolbar> bar = MakeObject<TTBCustomToolbar>(nullptr);
    TTBChevronItem* chevron = bar->ChevronItem();
    EXPECT_EQ(chevron->Hint(), u"More Buttons|");
    EXPECT_EQ(chevron->Caption(), u"More Buttons");
    bar->SetChevronHint(u"Tools & more|Buttons the toolbar has no room for");
    EXPECT_EQ(chevron->Caption(), u"Tools && more");
    EXPECT_EQ(bar->ChevronHint(), u"Tools & more|Buttons the toolbar has no room for");
    EXPECT_EQ(chevron->LinkSubitems(), bar->Items());
    EXPECT_EQ(chevron->GetChevronParentView(), bar->View());
    EXPECT_TRUE(chevron->ItemStyle().Contains(tbisSubmenu));
    EXPECT_TRUE(chevron->ItemStyle().Contains(tbisNoAutoOpen));
    EXPECT_EQ(bar->Items()->GetParentComponent(), bar.get());
}

TEST(ToolbarProperties, AnMdiChildsSystemMenuLeadsTheViewAndItsButtonsFollowTheItemsBeforeTheChevron) {
    TObjectPtr<TMdiToolbar> bar = MakeObject<TMdiToolbar>(nullptr);
    TTBCustomItem* open = AddItem(bar->Items(), bar.get(), u"Open");
    TTBCustomItem* save = AddItem(bar->Items(), bar.get(), u"Save");
    TTBCustomItem* minimize = AddItem(bar->buttons.get(), bar.get(), u"Minimize");
    TTBCustomItem* close = AddItem(bar->buttons.get(), bar.get(), u"Close");
    bar->ShowMdiItems(true);

    TTBView* view = bar->View();
    std::vector<TTBCustomItem*> shown;
    for (int i = 0; i < view->ViewerCount(); ++i) shown.push_back(view->Viewers(i)->Item());
    EXPECT_EQ(shown,
              (std::vector<TTBCustomItem*>{bar->systemMenu.get(), open, save, minimize, close, bar->ChevronItem()}));
    EXPECT_EQ(view->InternalAtFront(), 1);

    // A new item goes after the toolbar's items, not after the MDI buttons or the chevron.
    TTBCustomItem* print = AddItem(bar->Items(), bar.get(), u"Print");
    EXPECT_EQ(view->Viewers(3)->Item(), print);

    bar->ShowMdiItems(false);
    EXPECT_EQ(view->ViewerCount(), 4);
    EXPECT_EQ(view->Viewers(0)->Item(), open);
    EXPECT_EQ(view->InternalAtFront(), 0);
}
