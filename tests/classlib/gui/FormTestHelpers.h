// What the form, frame, scrolling and data-module tests share: the library started with its application
// window, the shared message pump through the application's own loop step (so keys take the library's keyboard
// path), focusable test controls, and posted key strokes with a chosen Shift/Ctrl state that are handled before
// the test goes on.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/core/UnitRegistry.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TCustomControl.h"
#include "classlib/win/TCustomForm.h"
#include "classlib/win/TScreen.h"
#include "tests/classlib/gui/ApplicationTestSupport.h"

namespace formtest {

inline void StartLibrary() {
    RegisterFormsUnit();
    classlib::Startup();
    ASSERT_NE(Application, nullptr);
    Application->Initialize();
    ASSERT_NE(Application->Handle(), nullptr);
}

// The shared message pump through the application's loop step, so that keys take the library's keyboard path.
using apptest::PumpFor;
using apptest::PumpQueued;
using apptest::PumpUntil;
using apptest::WaitFor;

// Gives the control the focus and waits until the system reports it there; returns whether it did.
inline bool FocusOn(TWinControl* control) {
    control->SetFocus();
    return PumpUntil([&] { return ::GetFocus() == control->Handle(); });
}

// Handles messages until none posted to this thread is left: keys posted before have then been processed, with
// the characters their translation posted and whatever their handlers posted in turn.
inline bool PumpPostedMessages() {
    return PumpUntil([] { return HIWORD(::GetQueueStatus(QS_POSTMESSAGE)) == 0; });
}

// A hook on the application window for the time of a scope.
class ScopedAppHook {
public:
    explicit ScopedAppHook(TWindowHook hook) : hook_(hook) { Application->HookMainWindow(hook); }
    ~ScopedAppHook() { Application->UnhookMainWindow(hook_); }
    ScopedAppHook(const ScopedAppHook&) = delete;
    ScopedAppHook& operator=(const ScopedAppHook&) = delete;

private:
    TWindowHook hook_;
};

// Errors that reach the application during a test: without a handler the application would show them in a
// message box, which waits for a click and hangs the run. Recorded instead, and the test fails.
struct TErrorRecorder : TObject {
    std::vector<std::string> messages;
    void Record(TObject*, const Exception& e) {
        messages.push_back(e.Message());
        ADD_FAILURE() << "An exception reached the application: " << e.Message();
    }
};

inline TErrorRecorder& ApplicationErrors() {
    static TErrorRecorder recorder;
    return recorder;
}

class GuiTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { StartLibrary(); }
    // The recorder is installed for every test, whoever made the application, and what was there before is
    // put back afterwards for the tests that look at the application's own error handling.
    void SetUp() override {
        previousOnException_ = Application->OnException;
        ApplicationErrors().messages.clear();
        Application->OnException = MakeMethod<&TErrorRecorder::Record>(&ApplicationErrors());
        owner_ = MakeObject<TComponent>(nullptr);
    }
    void TearDown() override {
        owner_.reset();
        PumpPostedMessages();  // what freeing the forms posted
        Application->OnException = previousOnException_;
    }
    TComponent* Owner() const { return owner_.get(); }

    // A form of the owner, placed on screen at a fixed spot.
    template <class F = TForm>
    F* NewForm(int width = 300, int height = 200) {
        F* form = Create<F>(Owner(), NoBuilders);
        form->SetBounds(40, 40, width, height);
        return form;
    }

private:
    TObjectPtr<TComponent> owner_;
    TExceptionEvent previousOnException_;
};

// The steps of a construction in the order they happened.
inline std::vector<std::string>& CreationLog() {
    static std::vector<std::string> log;
    return log;
}

// An owner that notes "owner told" in CreationLog when a component of the watched class is announced to it.
class TAnnouncedOwner : public TComponent {
    CLASSLIB_COMPONENT(TAnnouncedOwner, TComponent)
    explicit TAnnouncedOwner(TComponent* owner) : TComponent(owner) {}
    TClass watched = nullptr;
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opInsert && watched && component->InheritsFrom(watched)) CreationLog().push_back("owner told");
    }
};

// A focusable windowed control that logs its key-downs.
class TFocusBox : public TCustomControl {
    CLASSLIB_COMPONENT(TFocusBox, TCustomControl)
    explicit TFocusBox(TComponent* owner) : TCustomControl(owner) {
        SetTabStop(true);
        SetBounds(0, 0, 60, 20);
    }
    std::vector<std::uint16_t> keys;

protected:
    void KeyDown(std::uint16_t& key, TShiftState shift) override {
        keys.push_back(key);
        TCustomControl::KeyDown(key, shift);
    }
};

inline TFocusBox* NewBox(TWinControl* parent, int left, int top, int width = 60, int height = 20) {
    TFocusBox* box = Create<TFocusBox>(parent->Owner() ? parent->Owner() : parent);
    box->SetBounds(left, top, width, height);
    box->SetParent(parent);
    return box;
}

// Sets or clears the thread's Shift, Ctrl and Alt key states (what GetKeyState reports).
inline void SetModifiers(bool shift, bool ctrl, bool alt = false) {
    BYTE state[256];
    ::GetKeyboardState(state);
    auto set = [&](int vk, bool down) { state[vk] = down ? 0x80 : 0; };
    set(VK_SHIFT, shift);
    set(VK_LSHIFT, shift);
    set(VK_CONTROL, ctrl);
    set(VK_LCONTROL, ctrl);
    set(VK_MENU, alt);
    set(VK_LMENU, alt);
    ::SetKeyboardState(state);
}

// Posts a key press to the focused window and lets the application's loop handle it, and all it leads to, before
// it returns.
inline void PressKey(std::uint16_t vk, bool shift = false, bool ctrl = false) {
    HWND target = ::GetFocus();
    ASSERT_NE(target, nullptr) << "no window of this program has the focus";
    SetModifiers(shift, ctrl);
    const UINT scan = ::MapVirtualKeyA(vk, 0);
    ::PostMessageA(target, WM_KEYDOWN, vk, static_cast<LPARAM>(1 | (scan << 16)));
    ::PostMessageA(target, WM_KEYUP, vk, static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)));
    EXPECT_TRUE(PumpPostedMessages()) << "the key was not handled in time";
    SetModifiers(false, false);
}

}  // namespace formtest
