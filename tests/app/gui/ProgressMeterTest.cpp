// The progress meter over a real progress bar: what a render does to it, read back from the bar's window.
#include <windows.h>
#include <commctrl.h>

#include "app/win/TProgressMeter.h"
#include "classlib/win/TCustomForm.h"
#include "classlib/win/TProgressBar.h"
#include "tests/app/gui/KelvoAppTestSupport.h"

using kelvotest::KelvoAppTest;

class ProgressMeter : public KelvoAppTest {};

TEST_F(ProgressMeter, ARenderFillsTheBarColumnByColumnAndLeavesItEmpty) {
    TObjectPtr<TComponent> owner = MakeObject<TComponent>(nullptr);
    TForm* form = Create<TForm>(owner.get(), NoBuilders);
    auto* bar = Create<TProgressBar>(owner.get());
    bar->SetParent(form);
    bar->SetStep(1);
    TProgressMeter meter(bar);

    meter.Start(0);
    EXPECT_EQ(bar->Max(), 0);
    EXPECT_EQ(bar->Position(), 0);

    meter.SetDefaultMax(50);
    meter.Start(0);
    EXPECT_EQ(::SendMessageW(bar->Handle(), PBM_GETRANGE, FALSE, 0), 50);

    meter.Start(3);
    meter.StepIt();
    meter.StepIt();
    EXPECT_EQ(::SendMessageW(bar->Handle(), PBM_GETPOS, 0, 0), 2);
    EXPECT_EQ(::SendMessageW(bar->Handle(), PBM_GETRANGE, FALSE, 0), 3);
    meter.StepIt();
    meter.Start(3);
    EXPECT_EQ(::SendMessageW(bar->Handle(), PBM_GETPOS, 0, 0), 0);
}

namespace {
int gBarPaints = 0;
WNDPROC gBarProc = nullptr;
LRESULT CALLBACK CountPaints(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) ++gBarPaints;
    return ::CallWindowProcW(gBarProc, window, message, wParam, lParam);
}
}  // namespace

TEST_F(ProgressMeter, AThousandsOfColumnsRenderPaintsTheBarOncePerPixelAtMost) {
    TObjectPtr<TComponent> owner = MakeObject<TComponent>(nullptr);
    TForm* form = Create<TForm>(owner.get(), NoBuilders);
    auto* bar = Create<TProgressBar>(owner.get());
    bar->SetParent(form);
    bar->SetBounds(0, 0, 200, 16);
    bar->SetStep(1);
    form->Show();
    TProgressMeter meter(bar);
    const int width = bar->ClientWidth();
    ASSERT_GT(width, 100);

    gBarPaints = 0;
    gBarProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(bar->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountPaints)));
    meter.Start(6000);
    for (int column = 0; column < 6000; ++column) meter.StepIt();
    ::SetWindowLongPtrW(bar->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gBarProc));

    EXPECT_EQ(bar->Position(), 6000);
    // Painted as it fills (a user sees it move), but not once per column.
    EXPECT_GE(gBarPaints, width / 2);
    EXPECT_LE(gBarPaints, width + 1);
}
