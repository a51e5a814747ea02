// What the Unicode window tests share: the library and the Unicode layer started, a Unicode edit and a
// Unicode panel built the way the layer's standard controls are (CreateWindowHandle through
// uni::CreateWideWindow), and wide text helpers.
#pragma once
#include <gtest/gtest.h>

#include <vector>

#include "classlib/win/ClassLibUnits.h"
#include "classlib/win/TButton.h"
#include "classlib/win/TEdit.h"
#include "classlib/win/TPanel.h"
#include "classlib/win/WideChars.h"
#include "tests/classlib/gui/FormTestHelpers.h"
#include "unicode/core/WideCharMessage.h"
#include "unicode/win/TUniAction.h"
#include "unicode/win/TUniApplication.h"
#include "unicode/win/TUniButton.h"
#include "unicode/win/TUniMenuItem.h"
#include "unicode/win/UniActionLinks.h"
#include "unicode/win/UniControls.h"

namespace unigui {

// An edit in a Unicode window that notes the characters its WM_CHAR handler and its 8-bit key handler see.
class TWideTestEdit : public TEdit {
    CLASSLIB_COMPONENT(TWideTestEdit, TEdit)
    CLASSLIB_MESSAGES(TWideTestEdit, CLASSLIB_ON(WM_CHAR, &TWideTestEdit::WMChar))
    explicit TWideTestEdit(TComponent* owner) : TEdit(owner) {}

    std::vector<WideChar> wideChars;
    std::vector<unsigned char> ansiChars;
    // Run once inside the next WM_CHAR, before the character is handled.
    std::function<void()> duringChar;

protected:
    void CreateWindowHandle(const TCreateParams& params) override { uni::CreateWideWindow(this, params, L"EDIT"); }
    void KeyPress(char& key) override {
        ansiChars.push_back(static_cast<unsigned char>(key));
        TEdit::KeyPress(key);
    }
    void WMChar(TMessage& message) {
        wideChars.push_back(uni::WideCharOfMessage(message));
        if (auto run = std::exchange(duringChar, nullptr)) run();
        DispatchInherited<TWideTestEdit>(this, message);
    }
};

// A panel in a Unicode window.
class TWideTestPanel : public TPanel {
    CLASSLIB_COMPONENT(TWideTestPanel, TPanel)
    explicit TWideTestPanel(TComponent* owner) : TPanel(owner) {}

protected:
    void CreateWindowHandle(const TCreateParams& params) override { uni::CreateWideWindow(this, params, nullptr); }
};

// A push button in a Unicode window that follows the wide texts of its action.
using TWideTestButton = TUniButton;

using uni::WindowTextW;

inline WideString ClassNameW(HWND wnd) {
    wchar_t buf[256] = {};
    const int n = ::GetClassNameW(wnd, buf, 256);
    return FromWideChars(buf, static_cast<std::size_t>(n));
}

inline bool EndsWith(const WideString& s, const WideString& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The window tests of the Unicode layer: the layer's units are registered before the library starts.
class UniGuiTest : public formtest::GuiTest {
protected:
    static void SetUpTestSuite() {
        classlib::RegisterClassLibUnits();
        uni::RegisterUniControlsUnit();
        uni::RegisterUniApplicationUnit();
        uni::RegisterUniMenusUnit();
        formtest::GuiTest::SetUpTestSuite();
    }
};

}  // namespace unigui
