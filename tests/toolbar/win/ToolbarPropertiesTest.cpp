// A toolbar's properties without a window: what switching it to a menu bar changes, the chevron's caption from
// its hint, and that a freed toolbar leaves neither a shortcut registration nor a message hook behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "toolbar/core/TTBRootItem.h"
#include "toolbar/win/MessageHooks.h"
#include "toolbar/win/TTBChevronItem.h"
#include "toolbar/win/TTBCustomToolbar.h"
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
