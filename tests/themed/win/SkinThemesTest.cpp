// The theme registry with its reference counts, and the manager's theme-change broadcasts.
#include <gtest/gtest.h>

#include "classlib/core/UnitRegistry.h"
#include "classlib/win/SystemLookups.h"
#include "themed/core/SkinFrameGeometry.h"
#include "tests/themed/support/StubTheme.h"
#include "themed/win/SkinResources.h"

namespace {

void StartThemes() {
    classlib::UseSystemColors();
    RegisterSkinThemesUnit();
    classlib::Startup();
}

// A listener that records the parameters it gets; it may leave the list (and take another with it) when
// it receives a given parameter.
class TListener : public TObject {
    CLASSLIB_CLASS(TListener, TObject)
    CLASSLIB_MESSAGES(TListener, CLASSLIB_ON(CM_SKINTHEMECHANGE, &TListener::CMThemeChange))
public:
    std::vector<std::uintptr_t> received;
    std::uintptr_t leaveOn = 0;
    TListener* alsoRemove = nullptr;
    void CMThemeChange(TMessage& m) {
        received.push_back(m.WParam);
        m.Result += 1;
        if (m.WParam == leaveOn) {
            UnregisterSysChangeNotification(this);
            if (alsoRemove) UnregisterSysChangeNotification(alsoRemove);
        }
    }
};

std::string Message(const std::function<void()>& f) {
    try {
        f();
    } catch (const Exception& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(SkinThemes, RegistryRefusesDuplicatesAndSharesInstancesByCount) {
    StartThemes();
    RegisterSkinTheme<TStubTheme>("Stub");
    EXPECT_EQ(Message([] { RegisterSkinTheme<TStubTheme>("STUB"); }), "Theme STUB is already registered");
    EXPECT_EQ(Message([] { RegisterSkinTheme<TStubTheme>(""); }), "Cannot register theme");
    EXPECT_EQ(Message([] { RegisterSkinTheme("Other", nullptr); }), "Cannot register theme");
    EXPECT_EQ(Message([] { GetSkinTheme("Missing"); }), "Unknown theme Missing");
    EXPECT_EQ(FindThemeIndex("sTuB"), 0);
    RegisterSkinTheme<TStubTheme>(AnsiString(300, 'x'));
    EXPECT_EQ(FindThemeIndex(AnsiString(255, 'x')), 1);

    TSkinTheme* a = GetSkinTheme("stub");
    // The new theme heard of the application's state before it was handed out.
    ASSERT_EQ(static_cast<TStubTheme*>(a)->received, (std::vector<std::uintptr_t>{0}));
    EXPECT_EQ(a->Name(), "Stub");
    TSkinTheme* b = GetSkinTheme("STUB");
    EXPECT_EQ(a, b);
    EXPECT_EQ(TStubTheme::alive, 1);
    ReleaseSkinTheme(b);
    EXPECT_EQ(TStubTheme::alive, 1);
    ReleaseSkinTheme(a);
    EXPECT_EQ(TStubTheme::alive, 0);
    EXPECT_EQ(a, nullptr);
    ReleaseSkinTheme(a);  // null: nothing
    TStubTheme stranger("stranger");
    TSkinTheme* s = &stranger;
    EXPECT_EQ(Message([&] { ReleaseSkinTheme(s); }), "Cannot release theme");
    TSkinTheme* again = GetSkinTheme("Stub");  // a new instance after the last release
    EXPECT_EQ(TStubTheme::alive, 2);
    classlib::Shutdown();  // frees what is still held
    EXPECT_EQ(TStubTheme::alive, 1);
    EXPECT_EQ(FindThemeIndex("Stub"), -1);
    (void)again;
}

TEST(SkinThemes, SystemChangesBroadcastOneTwoThreeAndSurviveListenersLeaving) {
    StartThemes();
    TSkinThemeManager* m = SkinThemeManager();
    ASSERT_NE(m, nullptr);
    ASSERT_NE(m->Window(), nullptr);
    ::SendMessageA(m->Window(), WM_SYSCOLORCHANGE, 0, 0);  // nobody listens: nothing to see, nothing breaks

    TListener first, second, third;
    first.leaveOn = tcDisplayChanged;
    first.alsoRemove = &second;  // second leaves before its turn of parameter 2
    RegisterSysChangeNotification(&first);
    RegisterSysChangeNotification(&second);
    RegisterSysChangeNotification(&third);
    RegisterSysChangeNotification(&third);  // once only
    ::SendMessageA(m->Window(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(first.received, (std::vector<std::uintptr_t>{1, 2}));
    EXPECT_EQ(second.received, (std::vector<std::uintptr_t>{1}));
    EXPECT_EQ(third.received, (std::vector<std::uintptr_t>{1, 2, 3}));

    ::SendMessageA(m->Window(), WM_ACTIVATEAPP, TRUE, 0);
    ::SendMessageA(m->Window(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(third.received, (std::vector<std::uintptr_t>{1, 2, 3, 4, 5}));
    RegisterSysChangeNotification(&first);
    EXPECT_EQ(m->Broadcast(CM_SKINTHEMECHANGE, 9, 0), 2);  // the one record passes through both
    UnregisterSysChangeNotification(&first);
    UnregisterSysChangeNotification(&third);
    classlib::Shutdown();
    EXPECT_EQ(SkinThemeManager(), nullptr);
    UnregisterSysChangeNotification(&third);  // without a manager: nothing
}

TEST(SkinThemes, SystemStateAndSharedObjectsFollowTheSettings) {
    StartThemes();
    TSkinThemeManager* m = SkinThemeManager();
    m->SetVisualStylesAllowed(false);
    const TSkinSystemState& s = SkinSystem();
    EXPECT_FALSE(s.visualStyles);
    for (HTHEME h : s.styles) EXPECT_EQ(h, nullptr);
    EXPECT_EQ(s.toolbarColor, clBtnFace);
    EXPECT_EQ(s.toolbarTextColor, clBtnText);
    EXPECT_EQ(s.menuColor, clMenu);
    EXPECT_FALSE(s.lowColor);
    m->SetVisualStylesAllowed(true);
    if (s.visualStyles) {
        EXPECT_NE(s.styles[scToolbar], nullptr);
        EXPECT_NE(s.styles[scStatus], nullptr);
    }
    ASSERT_NE(skin::SharedDrawingObjects(), nullptr);
    EXPECT_NE(skin::SharedDrawingObjects()->checker8x8.Get(), nullptr);
    EXPECT_NE(skin::SharedDrawingObjects()->smallCaptionFont.Get(), nullptr);
    EXPECT_NE(skin::BoundAlphaBlend(), nullptr);
    EXPECT_NE(skin::BoundUpdateLayeredWindow(), nullptr);
    classlib::Shutdown();
    EXPECT_EQ(skin::SharedDrawingObjects(), nullptr);
}

TEST(SkinFrameGeometry, CaptionCloseButtonAndDragHandles) {
    EXPECT_EQ(skin::FloatingCaptionRect(200, 18, false, TSize{3, 3}, false), Rect(0, 0, 200, 17));
    EXPECT_EQ(skin::FloatingCaptionRect(200, 18, true, TSize{3, 3}, false), Rect(0, 0, 183, 17));
    EXPECT_EQ(skin::FloatingCaptionRect(200, 18, true, TSize{3, 4}, true), Rect(3, 4, 186, 21));
    EXPECT_EQ(skin::FloatingCloseButtonRect(200, 18, TSize{3, 3}, false), Rect(183, 0, 200, 17));
    EXPECT_EQ(skin::DragHandleSize(false, 0, true), 0);
    EXPECT_EQ(skin::DragHandleSize(true, 0, false), 9);
    EXPECT_EQ(skin::DragHandleSize(true, 1, false), 0);
    EXPECT_EQ(skin::DragHandleSize(true, 2, false), 6);
    EXPECT_EQ(skin::DragHandleSize(true, 1, true), 14);
    EXPECT_EQ(skin::DragHandleCloseRect(14, false, false, 300), Rect(0, 0, 13, 13));
    EXPECT_EQ(skin::DragHandleCloseRect(14, false, true, 300), Rect(287, 0, 300, 13));
}
