// Opening and closing a popup menu of 20 items, themed and classic, measured in the same run: each round
// makes the popup window for the item, lays its view out, shows it and paints it to the end (frame,
// background and every item), then frees it. Printed: the median and best time to the first full paint and
// of the whole open-and-close round, and the themed popup's ratio to the classic one.
//
//   winbench_ThemedPopupBench.exe [rounds (default 200)]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "classlib/core/UnitRegistry.h"
#include "classlib/win/SystemLookups.h"
#include "classlib/win/TApplication.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinPopupWindow.h"
#include "themed/win/TSkinSeparatorItem.h"
#include "toolbar/core/TTBCustomItem.h"
#include "toolbar/core/TTBSeparatorItem.h"
#include "toolbar/win/TTBPopupWindow.h"

namespace {

double Now() {
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void PumpMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
}

struct Timing {
    std::vector<double> paint, round;
};

// One round: open, paint fully, close.
void Round(const std::function<TTBPopupWindow*()>& make, Timing& t) {
    const double start = Now();
    TObjectPtr<TTBPopupWindow> window(make());
    window->View()->UpdatePositions();
    window->SetBounds(200, 150, window->Width(), window->Height());
    window->SetVisible(true);
    ::RedrawWindow(window->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ::GdiFlush();
    const double painted = Now();
    window.reset();
    PumpMessages();
    t.paint.push_back(painted - start);
    t.round.push_back(Now() - start);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
double Best(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

template <class Item, class Separator>
TObjectPtr<TTBCustomItem> MakeMenu() {
    TObjectPtr<TTBCustomItem> menu(Create<Item>(nullptr));
    for (int i = 0; i < 20; ++i) {
        TTBCustomItem* item = i % 5 == 4 ? static_cast<TTBCustomItem*>(Create<Separator>(nullptr))
                                         : static_cast<TTBCustomItem*>(Create<Item>(nullptr));
        item->SetCaption(u"Menu item &" + std::u16string(1, char16_t(u'A' + i)));
        if (i % 3 == 0) item->SetShortCut(static_cast<TShortCut>(scCtrl | ('A' + i)));
        item->SetChecked(i % 7 == 1);
        item->SetEnabled(i % 6 != 2);
        menu->Add(item);
    }
    return menu;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 200;
    classlib::UseSystemColors();
    RegisterFormsUnit();
    RegisterSkinNexusUnit();
    classlib::Startup();
    Application->Initialize();

    TObjectPtr<TTBCustomItem> themed = MakeMenu<TSkinItem, TSkinSeparatorItem>();
    TObjectPtr<TTBCustomItem> classic = MakeMenu<TTBCustomItem, TTBSeparatorItem>();
    const auto makeThemed = [&] {
        return static_cast<TTBPopupWindow*>(Create<TSkinPopupWindow>(nullptr, nullptr, themed.get(), false));
    };
    const auto makeClassic = [&] { return Create<TTBPopupWindow>(nullptr, nullptr, classic.get(), false); };

    // Warm up both (fonts, classes, the theme's caches), then alternate so that both see the same machine.
    Timing warm;
    Round(makeThemed, warm);
    Round(makeClassic, warm);
    Timing t, c;
    for (int i = 0; i < rounds; ++i) {
        Round(makeThemed, t);
        Round(makeClassic, c);
    }
    std::printf("20-item popup, %d rounds each (microseconds)\n", rounds);
    std::printf("%-8s first full paint: median %8.1f best %8.1f   open and close: median %8.1f best %8.1f\n", "themed",
                Median(t.paint), Best(t.paint), Median(t.round), Best(t.round));
    std::printf("%-8s first full paint: median %8.1f best %8.1f   open and close: median %8.1f best %8.1f\n", "classic",
                Median(c.paint), Best(c.paint), Median(c.round), Best(c.round));
    std::printf("themed / classic: first paint %.2f, open and close %.2f\n", Median(t.paint) / Median(c.paint),
                Median(t.round) / Median(c.round));
    themed.reset();
    classic.reset();
    classlib::Shutdown();
    return 0;
}
