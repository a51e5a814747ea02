// The plug-in with the real program behind it: the host runs the filter, Vantorel opens the exchange file in
// plug-in mode (its window is captioned with the title and " Plug-in" alone), and closing that window without
// pressing OK cancels: the host's image comes back unchanged.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleacc.h>

#include <atomic>
#include <thread>

#include "plugin/host/TFilterTestHost.h"

using namespace hostfilter;

namespace {

const wchar_t* const ProgramKey = L"SOFTWARE\\Kelvo\\Plavex\\Vantorel";

// The registry value the plug-in reads for the program's path, for the life of the object.
class TRealProgram {
public:
    TRealProgram() {
        const std::wstring path = ProgramFolder() + L"Vantorel.exe";
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, ProgramKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                       DWORD((path.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    ~TRealProgram() { RegDeleteKeyW(HKEY_LOCAL_MACHINE, ProgramKey); }
};

// Presses the toolbar button of that name in a window of another process, through the accessibility objects
// its toolbars answer with, as a screen reader would. False when no button of that name answered.
struct TButtonSearch {
    const std::wstring& name;
    bool pressed = false;
};

BOOL CALLBACK PressInChild(HWND child, LPARAM data) {
    auto& s = *reinterpret_cast<TButtonSearch*>(data);
    IAccessible* bar = nullptr;
    if (AccessibleObjectFromWindow(child, DWORD(OBJID_CLIENT), IID_IAccessible, reinterpret_cast<void**>(&bar)) !=
            S_OK ||
        !bar)
        return TRUE;
    LONG count = 0;
    bar->get_accChildCount(&count);
    for (LONG i = 1; i <= count && !s.pressed; ++i) {
        VARIANT id;
        VariantInit(&id);
        id.vt = VT_I4;
        id.lVal = i;
        IDispatch* dispatch = nullptr;
        IAccessible* item = nullptr;
        if (bar->get_accChild(id, &dispatch) == S_OK && dispatch) {
            dispatch->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&item));
            dispatch->Release();
        }
        VARIANT self;
        VariantInit(&self);
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        IAccessible* target = item ? item : bar;
        const VARIANT& which = item ? self : id;
        BSTR text = nullptr;
        if (target->get_accName(which, &text) == S_OK && text) {
            if (s.name == text && target->accDoDefaultAction(which) == S_OK) s.pressed = true;
            SysFreeString(text);
        }
        if (item) item->Release();
    }
    bar->Release();
    return s.pressed ? FALSE : TRUE;
}

bool PressButton(HWND window, const std::wstring& name) {
    TButtonSearch search{name};
    EnumChildWindows(window, &PressInChild, reinterpret_cast<LPARAM>(&search));
    return search.pressed;
}

}  // namespace

TEST(RealProgramHost, ClosingThePluginWindowWithoutOkCancelsAndLeavesTheImage) {
    TRealProgram program;
    TMessageBoxAnswerer answerer;
    TFilterTestHost host(ProgramFolder() + L"VantorelPlugin.8bf");
    ASSERT_EQ(host.Error(), "");
    TTestImage image = TTestImage::Make(9, 6, 3, 2);
    const TTestImage before = image;

    // The program's window in plug-in mode, closed as the user would close it.
    std::atomic<bool> seen{false}, stop{false};
    std::thread closer([&] {
        for (int i = 0; i < 1500 && !stop; ++i) {
            if (HWND window = FindWindowW(nullptr, L"Vantorel Plug-in")) {
                seen = true;
                PostMessageW(window, WM_CLOSE, 0, 0);
                return;
            }
            Sleep(20);
        }
    });
    const TFilterRun run = host.Run(image, {0, 0, 6, 9}, 1);
    stop = true;
    closer.join();

    EXPECT_TRUE(seen) << "the program never showed its plug-in window";
    EXPECT_EQ(run.start, UserCanceled);
    EXPECT_EQ(image.bytes, before.bytes);
    EXPECT_TRUE(answerer.Boxes().empty());
}

TEST(RealProgramHost, OkInTheProgramsWindowHandsTheImageBackUnchanged) {
    TRealProgram program;
    TMessageBoxAnswerer answerer;
    TFilterTestHost host(ProgramFolder() + L"VantorelPlugin.8bf");
    ASSERT_EQ(host.Error(), "");
    TTestImage image = TTestImage::Make(9, 6, 3, 2);
    const TTestImage before = image;

    std::atomic<bool> pressed{false}, stop{false};
    std::thread user([&] {
        CoInitialize(nullptr);
        for (int i = 0; i < 1500 && !stop && !pressed; ++i) {
            if (HWND window = FindWindowW(nullptr, L"Vantorel Plug-in")) pressed = PressButton(window, L"OK");
            if (!pressed) Sleep(20);
        }
        CoUninitialize();
    });
    const TFilterRun run = host.Run(image, {0, 0, 6, 9}, 1);
    stop = true;
    user.join();

    ASSERT_TRUE(pressed) << "no OK button answered in the program's plug-in window";
    EXPECT_EQ(run.start, NoError);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(image.bytes, before.bytes);
    EXPECT_TRUE(answerer.Boxes().empty());
}
