// What the menu tests share: the library started (the popup list exists), a component owning the menus,
// reading native entries back, and the shared message pump.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "classlib/core/UnitRegistry.h"
#include "classlib/win/TMenu.h"
#include "classlib/win/TPopupList.h"
#include "tests/support/MessagePump.h"

namespace menutest {

class MenuFixture : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterMenusUnit();
        classlib::Startup();
        ASSERT_NE(PopupList, nullptr);
        owner_ = MakeObject<TComponent>(nullptr);
    }
    void TearDown() override { owner_.reset(); }

    TComponent* Owner() const { return owner_.get(); }

    // An item owned by the test's owner, added to parent when given.
    TMenuItem* NewItem(TMenuItem* parent, const AnsiString& caption, TShortCut shortCut = 0) {
        TMenuItem* item = Create<TMenuItem>(owner_.get());
        item->SetCaption(caption);
        item->SetShortCut(shortCut);
        if (parent) parent->Add(item);
        return item;
    }

private:
    TObjectPtr<TComponent> owner_;
};

inline std::string EntryText(HMENU menu, int position) {
    char buffer[256] = {};
    const int n = ::GetMenuStringA(menu, static_cast<UINT>(position), buffer, sizeof(buffer), MF_BYPOSITION);
    return std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

inline MENUITEMINFOA EntryInfo(HMENU menu, int position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    EXPECT_TRUE(::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info));
    return info;
}

// The shared message pump with the system's plain dispatch: menus run their own loops.
using testsupport::PumpFor;
using testsupport::PumpUntil;

// Counts calls of a click handler and remembers the sender.
struct ClickLog : TObject {
    int count = 0;
    TObject* sender = nullptr;
    void Click(TObject* s) {
        ++count;
        sender = s;
    }
    TNotifyEvent Handler() { return MakeMethod<&ClickLog::Click>(this); }
};

}  // namespace menutest
