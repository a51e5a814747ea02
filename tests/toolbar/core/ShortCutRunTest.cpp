#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "toolbar/core/ShortCutRun.h"
#include "toolbar/core/TTBRootItem.h"

namespace {

constexpr TShortCut kCtrlS = scCtrl | 'S';

// Writes down the popups and clicks it hears, in order, and can throw from them.
class Journal : public TObject {
public:
    void Popup(TTBCustomItem* sender, bool) {
        log.push_back("popup " + Name(sender));
        if (throwFromPopup) throw std::runtime_error("popup failed");
    }
    void Clicked(TObject* sender) {
        log.push_back("click " + Name(static_cast<TTBCustomItem*>(sender)));
        if (throwFromClick) throw std::runtime_error("click failed");
    }
    void Watch(TTBCustomItem* item) {
        item->OnPopup = MakeMethod<&Journal::Popup>(this);
        item->OnClick = MakeMethod<&Journal::Clicked>(this);
    }
    static std::string Name(TTBCustomItem* item) {
        std::string s;
        for (char16_t c : item->Caption()) s += static_cast<char>(c);
        return s;
    }
    std::vector<std::string> log;
    bool throwFromPopup = false;
    bool throwFromClick = false;
};

class ShortCutRun : public ::testing::Test {
protected:
    TObjectPtr<TTBRootItem> root = MakeObject<TTBRootItem>(nullptr);
    Journal journal;
    int handled = 0;
    std::function<void(std::exception_ptr)> handler = [this](std::exception_ptr) { ++handled; };

    TTBCustomItem* Add(TTBCustomItem* parent, const char16_t* caption, TShortCut shortCut = scNone) {
        auto* item = Create<TTBCustomItem>(root.get());
        item->SetCaption(caption);
        item->SetShortCut(shortCut);
        parent->Add(item);
        journal.Watch(item);
        return item;
    }
};

TEST_F(ShortCutRun, ShortCutInsideASubmenuPopsTheSubmenuUpThenClicksTheItemAndADisabledAncestorStopsIt) {
    Add(root.get(), u"Open", scCtrl | 'O');
    TTBCustomItem* file = Add(root.get(), u"File");
    TTBCustomItem* recent = Add(file, u"Recent");
    Add(recent, u"Save", kCtrlS);

    TTBCustomItem* topLevel = nullptr;
    EXPECT_EQ(FindShortCutOwner(*root, kCtrlS, topLevel)->Caption(), u"Save");
    EXPECT_EQ(topLevel, file);
    // Every item without a shortcut has ShortCut 0: no key means none of them.
    EXPECT_EQ(FindShortCutOwner(*root, scNone, topLevel), nullptr);

    EXPECT_TRUE(RunShortCut(*root, kCtrlS, false, handler));
    // A popup also clicks its (non-combo) item, as opening a submenu does.
    EXPECT_EQ(journal.log,
              (std::vector<std::string>{"popup File", "click File", "popup Recent", "click Recent", "click Save"}));

    journal.log.clear();
    recent->SetEnabled(false);
    EXPECT_FALSE(RunShortCut(*root, kCtrlS, false, handler));
    EXPECT_EQ(journal.log, (std::vector<std::string>{"popup File", "click File"}));
    EXPECT_EQ(handled, 0);
}

TEST_F(ShortCutRun, ACircleOfLinkedSubmenusEndsTheSearchAndALaterItemStillMatches) {
    TTBCustomItem* loop = Add(root.get(), u"Loop");
    TTBCustomItem* shared = Add(root.get(), u"Shared");
    TTBCustomItem* back = Add(shared, u"Back");
    loop->SetLinkSubitems(shared);
    back->SetLinkSubitems(shared);  // Shared shows Back, which shows Shared again
    TTBCustomItem* save = Add(root.get(), u"Save", kCtrlS);

    TTBCustomItem* topLevel = loop;
    EXPECT_EQ(FindShortCutOwner(*root, kCtrlS, topLevel), save);
    EXPECT_EQ(topLevel, nullptr);
    EXPECT_EQ(FindShortCutOwner(*root, scCtrl | 'Q', topLevel), nullptr);
    EXPECT_FALSE(RunShortCut(*root, scCtrl | 'Q', false, handler));
}

TEST_F(ShortCutRun, ThrowingPopupsAndClickGoToTheHandlerAndTheKeyCountsAsHandled) {
    TTBCustomItem* edit = Add(root.get(), u"Edit");
    Add(edit, u"Save", kCtrlS);
    journal.throwFromPopup = true;
    journal.throwFromClick = true;

    EXPECT_TRUE(RunShortCut(*root, kCtrlS, false, handler));
    // Edit's OnPopup throws (so its DoPopup does not reach its click), then Save's click throws.
    EXPECT_EQ(journal.log, (std::vector<std::string>{"popup Edit", "click Save"}));
    EXPECT_EQ(handled, 2);
}

}  // namespace
