// End to end on the display: a small form with an edit and a button with a hint is shown, typed into with
// system key input, the pointer rests on the button until its hint shows, the display is saved as a picture
// (artifacts/small-form.bmp beside the test program's folder), and a system mouse click presses the button.
#include <string>

#include "classlib/win/TBitmap.h"
#include "classlib/win/TButton.h"
#include "classlib/win/TEdit.h"
#include "classlib/win/THintWindow.h"
#include "tests/classlib/gui/FormTestHelpers.h"

using namespace formtest;

namespace {

struct Clicks : TObject {
    int count = 0;
    void Click(TObject*) { ++count; }
};

void SendKey(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, 0));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(input));
}

void TypeText(const std::string& text) {
    for (char ch : text) {
        const SHORT code = ::VkKeyScanA(ch);
        const bool shift = (code >> 8) & 1;
        if (shift) SendKey(VK_SHIFT, false);
        SendKey(static_cast<WORD>(code & 0xFF), false);
        SendKey(static_cast<WORD>(code & 0xFF), true);
        if (shift) SendKey(VK_SHIFT, true);
        Pump(5);
    }
}

// Moves the pointer (absolute input over the primary screen) to a screen point.
void MoveMouse(TPoint p, DWORD extraFlags = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((p.X * 65535 + ::GetSystemMetrics(SM_CXSCREEN) / 2) / (::GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>((p.Y * 65535 + ::GetSystemMetrics(SM_CYSCREEN) / 2) / (::GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | extraFlags;
    ::SendInput(1, &input, sizeof(input));
}

// The folder "artifacts" beside the folder of this program.
std::string ArtifactPath(const char* name) {
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dir(exe);
    dir.resize(dir.find_last_of("\\/"));                // .../bin
    dir.resize(dir.find_last_of("\\/") + 1);            // .../
    dir += "artifacts";
    ::CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "\\" + name;
}

// Saves what the display shows now as a 24-bit bitmap file; returns the file's size.
long SaveScreen(const std::string& path) {
    const int w = ::GetSystemMetrics(SM_CXSCREEN);
    const int h = ::GetSystemMetrics(SM_CYSCREEN);
    TObjectPtr<TBitmap> shot = MakeObject<TBitmap>();
    shot->SetPixelFormat(pf24bit);
    shot->SetSize(w, h);
    HDC screen = ::GetDC(nullptr);
    ::BitBlt(shot->Canvas()->Handle(), 0, 0, w, h, screen, 0, 0, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
    shot->SaveToFile(path);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return static_cast<long>(data.nFileSizeLow);
}

class SmallForm : public GuiTest {};

TEST_F(SmallForm, TypeHoverForTheHintAndClickOnTheDisplay) {
    Application->SetShowHint(true);
    Application->SetHintPause(50);

    TForm* form = NewForm(320, 160);
    form->SetCaption("Small form");
    TEdit* edit = Create<TEdit>(Owner());
    edit->SetBounds(16, 16, 200, 24);
    edit->SetParent(form);
    TButton* button = Create<TButton>(Owner());
    button->SetBounds(16, 60, 100, 28);
    button->SetCaption("Press");
    button->SetHint("Presses the button");
    button->SetShowHint(true);
    button->SetParent(form);
    Clicks clicks;
    button->OnClick = MakeMethod<&Clicks::Click>(&clicks);

    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
    ::SetForegroundWindow(form->Handle());
    edit->SetFocus();
    ASSERT_EQ(::GetFocus(), edit->Handle());

    TypeText("Hello form");
    EXPECT_TRUE(PumpUntil([&] { return edit->Text() == "Hello form"; }, 2000)) << edit->Text();

    // Rest the pointer on the button until its hint window shows.
    const TPoint centre = button->ClientToScreen(Point(50, 14));
    auto hintShowing = [] {
        THintWindow* hint = Application->HintWindow();
        return hint && hint->HandleAllocated() && ::IsWindowVisible(hint->WindowHandle());
    };
    const DWORD start = ::GetTickCount();
    while (!hintShowing() && ::GetTickCount() - start < 3000) {
        MoveMouse(Point(centre.X + static_cast<int>((::GetTickCount() - start) / 200 % 2), centre.Y));
        Pump(40);
    }
    ASSERT_TRUE(hintShowing());
    EXPECT_EQ(Application->HintWindow()->Caption(), "Presses the button");

    const long size = SaveScreen(ArtifactPath("small-form.bmp"));
    EXPECT_GT(size, 54 + 3 * 100 * 100);  // header and pixels

    // Press and release the left button over it.
    MoveMouse(centre, MOUSEEVENTF_LEFTDOWN);
    Pump(20);
    MoveMouse(centre, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return clicks.count == 1; }));
    EXPECT_EQ(edit->Text(), "Hello form");
}

}  // namespace
