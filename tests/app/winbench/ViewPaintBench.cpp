// Paint cost of a scrolling view showing a 6000 x 4000 working bitmap on a form: a full repaint of the client
// area at 100 % and at the zoom that fits the image in, and a one-line scroll (the strip that comes into
// view is all that is painted), for a 1280 x 1024 and a 1920 x 1080 client area. Each figure is the median of
// the runs, in milliseconds, measured from the request to the end of the synchronous paint.
//
// The system paints only what of a window lies on the screen, so the display must hold the larger client area
// (the test prefix's display is 1280 x 1024); for example, on a display of its own:
//   Xvfb :97 -screen 0 2560x1440x24 &  DISPLAY=:97 scripts/wine-run --win64 build/win64/bin/winbench_ViewPaintBench.exe
//
//   winbench_ViewPaintBench.exe [runs (default 15)]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/win/TKelvoScrollViewControl.h"
#include "classlib/core/UnitRegistry.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TCustomForm.h"
#include "tests/app/gui/ViewTestSupport.h"

namespace {

double Now() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

template <class F>
double Median(int runs, F&& f) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        f(i);
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Drain() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void Measure(TKelvoLTBitmap& image, int clientWidth, int clientHeight, int runs) {
    TObjectPtr<TComponent> ownerOfAll = MakeObject<TComponent>(nullptr);
    TComponent* owner = ownerOfAll.get();
    TForm* form = Create<TForm>(owner, NoBuilders);
    const int vbar = ::GetSystemMetrics(SM_CXVSCROLL), hbar = ::GetSystemMetrics(SM_CYHSCROLL);
    form->SetBounds(0, 0, clientWidth + vbar + 40, clientHeight + hbar + 60);
    auto* view = Create<TKelvoScrollViewControl>(owner);
    view->SetBounds(0, 0, clientWidth + vbar, clientHeight + hbar);
    view->SetParent(form);
    auto* object = new viewtest::TImageObject(image);
    view->AddObject(object);
    form->Show();
    view->Recalculate();
    ::UpdateWindow(view->Handle());
    Drain();
    const HWND wnd = view->Handle();
    const auto fullPaint = [&](int) {
        ::InvalidateRect(wnd, nullptr, FALSE);
        ::UpdateWindow(wnd);
    };
    const double full = Median(runs, fullPaint);
    const auto lineScroll = [&](int i) { ::SendMessageA(wnd, WM_VSCROLL, i % 2 ? SB_LINEUP : SB_LINEDOWN, 0); };
    const double line = Median(runs * 4, lineScroll);
    const TKelvoRect strip = object->lastClip;
    // The same strip painted without moving the window's pixels: what the scroll itself adds.
    const auto stripPaint = [&](int) {
        const RECT r{0, 0, view->ClientWidth(), 10};
        ::InvalidateRect(wnd, &r, FALSE);
        ::UpdateWindow(wnd);
    };
    const double stripOnly = Median(runs * 4, stripPaint);
    const int shownWidth = view->ClientWidth(), shownHeight = view->ClientHeight();

    // The zoom that fits the whole image into the client area.
    TKelvoMapMode& map = view->MapMode();
    const bool byWidth = std::int64_t(clientWidth) * image.GetHeight() <= std::int64_t(clientHeight) * image.GetWidth();
    map.WindowExtX = map.WindowExtY = byWidth ? image.GetWidth() : image.GetHeight();
    map.ViewportExtX = map.ViewportExtY = byWidth ? clientWidth : clientHeight;
    view->Recalculate();
    ::UpdateWindow(wnd);
    Drain();
    const double fit = Median(runs, fullPaint);

    std::printf("client %4d x %4d (at 100 %% with scroll bars: %d x %d)\n", clientWidth, clientHeight, shownWidth,
                shownHeight);
    if (clientWidth + vbar > ::GetSystemMetrics(SM_CXSCREEN) || clientHeight + hbar > ::GetSystemMetrics(SM_CYSCREEN))
        std::printf("  (the screen is smaller than the view: only what lies on it is painted)\n");
    std::printf("  full paint at 100 %%:        %8.2f ms\n", full);
    std::printf("  full paint at fit (%d/%d):  %8.2f ms\n", map.ViewportExtX, map.WindowExtX, fit);
    std::printf("  one-line scroll at 100 %%:   %8.2f ms (last strip painted %d x %d)\n", line, int(strip.Width()),
                int(strip.Height()));
    std::printf("  the strip's paint alone:    %8.2f ms\n", stripOnly);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    RegisterFormsUnit();
    classlib::Startup();
    Application->Initialize();
    std::printf("screen %d x %d\n", ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    TKelvoLTBitmap image;
    viewtest::FillPattern(image, 6000, 4000);
    Measure(image, 1280, 1024, runs);
    Measure(image, 1920, 1080, runs);
    classlib::Shutdown();
    return 0;
}
