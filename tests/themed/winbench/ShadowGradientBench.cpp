// Per-call cost of the drop shadow of a 400 x 600 popup and of a vertical 1920 x 32 gradient, each printed
// beside a plain FillRect of the same area into the same kind of target, measured in the same run:
//   shadow windows: TShadows around the popup (two layered pieces made, filled and shown) and freed;
//   shadow bitmaps: the two pieces' alpha bitmaps alone;
//   gradient: the system GradientFill path and the own line-by-line fallback, into a 32-bit bitmap.
// Each figure is the best of the runs of `calls` calls.
//
//   winbench_ShadowGradientBench.exe [calls (default 200)] [runs (default 5)]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "classlib/core/UnitRegistry.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/SystemLookups.h"
#include "themed/core/ShadowGeometry.h"
#include "themed/win/SkinResources.h"
#include "themed/win/TDIB32.h"
#include "themed/win/TShadow.h"

namespace {

double Now() {
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Microseconds per call, best of runs.
double PerCall(int calls, int runs, const std::function<void()>& f) {
    double best = 1e300;
    for (int r = 0; r < runs; ++r) {
        const double start = Now();
        for (int i = 0; i < calls; ++i) f();
        ::GdiFlush();
        best = std::min(best, (Now() - start) / calls);
    }
    return best;
}

void Print(const char* what, double us, double fillUs) {
    std::printf("%-34s %10.1f us/call   FillRect same area %8.1f us   ratio %6.1f\n", what, us, fillUs,
                fillUs > 0 ? us / fillUs : 0.0);
}

void PumpMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
}

}  // namespace

int main(int argc, char** argv) {
    const int calls = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    classlib::UseSystemColors();
    RegisterSkinResourcesUnit();
    classlib::Startup();

    const TRect popup = Rect(100, 100, 500, 700);
    TDIB32 target;
    target.SetSize(400, 600);
    TGdiHandle<HBRUSH> brush(::CreateSolidBrush(0x808080));
    const RECT popupArea{0, 0, 400, 600};
    const double fillPopup = PerCall(calls, runs, [&] { ::FillRect(target.DC(), &popupArea, brush.Get()); });

    const double windows = PerCall(std::max(1, calls / 10), runs, [&] {
        TShadows shadows(popup, TRect{}, false, 255, 4);
        PumpMessages();
    });
    Print("shadow windows 400x600 (size 4)", windows, fillPopup);

    const std::vector<skin::TShadowPiece> pieces = skin::ShadowPieces(popup, TRect{}, 4);
    const double bitmaps = PerCall(calls, runs, [&] {
        for (const skin::TShadowPiece& p : pieces) {
            TDIB32 dib;
            dib.SetSize(p.bounds.Width(), p.bounds.Height());
            const auto alpha = p.horizontal ? skin::HorzShadowAlpha(dib.Width(), dib.Height(), p.ends)
                                            : skin::VertShadowAlpha(dib.Width(), dib.Height(), p.ends);
            std::uint32_t* px = dib.Pixels();
            for (std::size_t i = 0; i < alpha.size(); ++i) px[i] = std::uint32_t(alpha[i]) << 24;
        }
    });
    Print("shadow bitmaps 400x600 (size 4)", bitmaps, fillPopup);

    TDIB32 wide;
    wide.SetSize(1920, 32);
    const RECT band{0, 0, 1920, 32};
    const double fillBand = PerCall(calls, runs, [&] { ::FillRect(wide.DC(), &band, brush.Get()); });
    const double system =
        PerCall(calls, runs, [&] { skin::GradientFill(wide.DC(), Rect(0, 0, 1920, 32), 0xFF0000, 0x0000FF, 1); });
    Print("vertical gradient 1920x32 (system)", system, fillBand);
    skin::SetBlendFunctionsAvailable(true, true, false);
    const double own =
        PerCall(calls, runs, [&] { skin::GradientFill(wide.DC(), Rect(0, 0, 1920, 32), 0xFF0000, 0x0000FF, 1); });
    Print("vertical gradient 1920x32 (own)", own, fillBand);
    skin::SetBlendFunctionsAvailable(true, true, true);

    classlib::Shutdown();
    return 0;
}
