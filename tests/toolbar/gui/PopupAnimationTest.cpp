// The hand-over between popup windows and the animation, with the system's menu animation switched on for
// the test: a drop-down of the menu bar opens animated, and closing it mid-animation ends the animation.
#include "tests/classlib/gui/FormTestHelpers.h"
#include "tests/support/MessagePump.h"
#include "tests/toolbar/support/MenuBarHost.h"
#include "toolbar/win/AnimationThread.h"
#include "toolbar/win/TTBPopupWindow.h"

using namespace formtest;
using namespace toolbartest;

namespace {

// Switches menu animation (slide, no fade) on for the test and back as it was.
class MenuAnimationOn {
public:
    MenuAnimationOn() {
        ::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &animation_, 0);
        ::SystemParametersInfoW(SPI_GETMENUFADE, 0, &fade_, 0);
        ::SystemParametersInfoW(SPI_SETMENUANIMATION, 0, reinterpret_cast<void*>(TRUE), 0);
        ::SystemParametersInfoW(SPI_SETMENUFADE, 0, reinterpret_cast<void*>(FALSE), 0);
    }
    ~MenuAnimationOn() {
        ::SystemParametersInfoW(SPI_SETMENUANIMATION, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(animation_)), 0);
        ::SystemParametersInfoW(SPI_SETMENUFADE, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(fade_)), 0);
    }

private:
    BOOL animation_ = FALSE;
    BOOL fade_ = FALSE;
};

struct Observed {
    static inline Observed* current = nullptr;
    TTBView* bar = nullptr;
    bool running = false;
    std::uint32_t id = 0;
    bool endedOnClose = false;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        Observed& self = *current;
        self.bar->OpenChildPopup(false);  // as a click does: nothing selected in the drop-down
        TTBPopupWindow* popup = self.bar->OpenWindow();
        const HWND handle = popup ? popup->Handle() : nullptr;
        self.running = handle && tb::AnimationRunning(handle);
        self.id = tb::AnimationId();
        self.bar->CloseChildPopups();
        self.endedOnClose = handle && !::IsWindow(handle) && !tb::AnimationRunning(handle);
        self.bar->EndModal();
    }
};

class PopupAnimation : public GuiTest {};

TEST_F(PopupAnimation, ADropDownOpensAnimatedAndClosingItEndsTheAnimation) {
    MenuAnimationOn on;
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    TObjectPtr<TTBCustomItem> root = MakeObject<TTBCustomItem>(nullptr);
    auto* file = Create<SubmenuItem>(nullptr);
    file->SetCaption(u"&File");
    root->Add(file);
    for (const char16_t* caption : {u"&Open", u"&Save", u"&Close", u"E&xit"}) {
        auto* item = Create<TTBCustomItem>(nullptr);
        item->SetCaption(caption);
        file->Add(item);
    }
    TForm* form = NewForm(400, 300);
    auto* host = Create<MenuBarHost>(Owner(), root.get());
    host->SetParent(form);
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
    host->Fit();

    const std::uint32_t before = tb::AnimationId();
    Observed observed;
    observed.bar = host->View();
    Observed::current = &observed;
    // At once, before the 150 ms of the slide are over.
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 1, &Observed::Tick);
    host->View()->Select(host->View()->Find(file), false);
    host->View()->RunMenuLoop(0);
    ::KillTimer(nullptr, timer);
    Observed::current = nullptr;

    EXPECT_EQ(observed.id, before + 1);  // the popup's show started an animation
    EXPECT_TRUE(observed.running);
    EXPECT_TRUE(observed.endedOnClose);
    Free(host);
}

}  // namespace
