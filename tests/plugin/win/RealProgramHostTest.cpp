// The plug-in with the real program behind it: the host runs the filter, Vantorel opens the exchange file in
// plug-in mode (its window is captioned with the title and " Plug-in" alone), and the test presses OK or Cancel
// there. OK hands the image back (unchanged, as nothing was edited) with no error; Cancel gives the host
// "user cancelled" and leaves its image as it was.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleacc.h>

#include <atomic>
#include <thread>

#include "tests/plugin/host/TFilterTestHost.h"

using namespace hostfilter;

namespace {

const wchar_t* const ProgramKey = L"SOFTWARE\\Kelvo\\Plavex\\Vantorel";

// The registry value the plug-in reads for the program's path, for the life of the object.
class TRealProgram {
public:
    TRealProgram() {
        const std::wstring path = ProductFolder() + L"Vantorel.exe";
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

// Runs the plug-in on image with the real program behind it, pressing the named button of the program's
// plug-in window as soon as it shows; pressed tells whether the button answered.
TFilterRun RunPressing(const wchar_t* button, TTestImage& image, bool& pressed) {
    TRealProgram program;
    TFilterTestHost host(ProductFolder() + L"VantorelPlugin.8bf");
    EXPECT_EQ(host.Error(), "");
    std::atomic<bool> done{false}, stop{false};
    std::thread user([&] {
        CoInitialize(nullptr);
        for (int i = 0; i < 1500 && !stop && !done; ++i) {
            if (HWND window = FindWindowW(nullptr, L"Vantorel Plug-in")) done = PressButton(window, button);
            if (!done) Sleep(20);
        }
        CoUninitialize();
    });
    const TFilterRun run = host.Error().empty() ? host.Run(image, {0, 0, 6, 9}, 1) : TFilterRun{};
    stop = true;
    user.join();
    pressed = done;
    return run;
}

}  // namespace

TEST(RealProgramHost, OkHandsTheImageBackAndCancelLeavesItBothUnchanged) {
    TMessageBoxAnswerer answerer;
    const std::pair<const wchar_t*, std::int16_t> cases[] = {{L"OK", NoError}, {L"Cancel", UserCanceled}};
    for (const auto& [button, result] : cases) {
        SCOPED_TRACE(std::string(button, button + wcslen(button)));
        TTestImage image = TTestImage::Make(9, 6, 3, 2);
        const TTestImage before = image;
        bool pressed = false;
        const TFilterRun run = RunPressing(button, image, pressed);
        ASSERT_TRUE(pressed) << "the button did not answer in the program's plug-in window";
        EXPECT_EQ(run.start, result);
        EXPECT_EQ(image.bytes, before.bytes);
    }
    EXPECT_TRUE(answerer.Boxes().empty());
}
