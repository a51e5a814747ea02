// The correction render as the program runs it: the Finish (bicubic, quality 2) of a 6000 x 4000 keystone
// correction, without and with lens correction, with a progress meter stepped once per column as the status
// bar's meter is (a counting one, then the real meter over a progress bar on a shown form, which repaints the
// bar after every step); and the preview of the same correction for a 1280 x 1024 view: the view's part of the image
// at the quality the preview rule gives this image (nearest pixel), and the whole image at that quality. Prints
// the medians of the runs by the clock on the wall and by the thread's processor time, in milliseconds and in
// nanoseconds per output pixel, and the hashes of the Finish renders (the same as the host benchmark's).
// tests/tools/winbench/run-render-bench.sh runs it beside the host benchmark.
//
//   winbench_CorrectionRenderBench [runs (default 3)]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "app/win/TProgressMeter.h"
#include "classlib/core/UnitRegistry.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TCustomForm.h"
#include "classlib/win/TProgressBar.h"
#include "tests/support/BenchClock.h"
#include "tests/tools/winbench/RenderScene.h"

#include <windows.h>

using namespace renderscene;

namespace {

// Counts as the meter of the status bar does: a maximum and a position.
class TCountingMeter : public IKelvoProgress {
public:
    void Start(int max) override {
        max_ = max;
        position_ = 0;
    }
    void StepIt() override {
        ++position_;
        ++steps_;
    }
    // Steps since the last call.
    int TakeSteps() { return std::exchange(steps_, 0); }

private:
    int max_ = 0;
    int position_ = 0;
    int steps_ = 0;
};

// The render's progress shown on the status bar's meter.
class TMeterProgress : public IKelvoProgress {
public:
    explicit TMeterProgress(TProgressMeter& meter) : meter_(meter) {}
    void Start(int max) override { meter_.Start(max); }
    void StepIt() override { meter_.StepIt(); }

private:
    TProgressMeter& meter_;
};

template <class F>
void Measure(const char* name, double pixels, int runs, F&& f) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        const double c0 = ThreadSeconds();
        const auto t0 = std::chrono::steady_clock::now();
        f();
        const auto t1 = std::chrono::steady_clock::now();
        cpu.push_back(ThreadSeconds() - c0);
        wall.push_back(std::chrono::duration<double>(t1 - t0).count());
    }
    const double w = Median(wall), c = Median(cpu);
    std::printf("%-44s %8.1f ms wall (%5.2f ns/pixel), %8.1f ms processor (%5.2f ns/pixel)\n", name, w * 1e3,
                w * 1e9 / pixels, c * 1e3, c * 1e9 / pixels);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::printf("%d-bit build, %d runs each\n", int(sizeof(void*) * 8), runs);
    TKelvoPixelBuffer source(KelvoFormatBGR24, MakeRect(0, 0, W, H));
    TKelvoPixelBuffer target(KelvoFormatBGR24, MakeRect(0, 0, W, H));
    Fill(source);
    const double pixels = double(W) * H;
    TCountingMeter meter;

    TKelvoPerspectiveMapping m = KeystoneMapping();
    Measure("Finish, keystone:", pixels, runs,
            [&] { RenderCorrection(m, source, target, source.GetBounds(), &meter); });
    const std::uint64_t hash = Hash(target);
    const int stepsPerFinish = meter.TakeSteps() / runs;

    m.LensOn = true;
    m.LensK = LensK;
    Measure("Finish, keystone + lens:", pixels, runs,
            [&] { RenderCorrection(m, source, target, source.GetBounds(), &meter); });
    const std::uint64_t hashLens = Hash(target);
    // Cropped to the inscribed rectangle, whose search runs first.
    m.CropType = CropToInscribed;
    Measure("Finish, keystone + lens, cropped:", pixels, runs,
            [&] { RenderCorrection(m, source, target, source.GetBounds(), &meter); });
    m.CropType = CropKeepSize;

    RegisterFormsUnit();
    classlib::Startup();
    Application->Initialize();
    {
        TObjectPtr<TComponent> owner = MakeObject<TComponent>(nullptr);
        TForm* form = Create<TForm>(owner.get(), NoBuilders);
        form->SetBounds(0, 0, 400, 100);
        auto* bar = Create<TProgressBar>(owner.get());
        bar->SetBounds(10, 10, 200, 20);
        bar->SetStep(1);
        bar->SetParent(form);
        form->Show();
        TProgressMeter meterOfTheBar(bar);
        TMeterProgress shown(meterOfTheBar);
        m.LensOn = false;
        // Once: the repaints make it many times slower than the render.
        Measure("Finish, keystone, progress bar shown (1 run):", pixels, 1,
                [&] { RenderCorrection(m, source, target, source.GetBounds(), &shown); });
    }
    classlib::Shutdown();

    // The preview of a 6000 x 4000 image on a 1280 x 1024 desktop stays nearest-pixel.
    const TKelvoRect desktop = MakeRect(0, 0, 1280, 1024);
    m.Quality = EffectiveRenderQuality(0, source.GetBounds(), desktop);
    m.LensOn = false;
    const TKelvoRect view = MakeRect((W - 1280) / 2, (H - 1024) / 2, (W + 1280) / 2, (H + 1024) / 2);
    Measure("preview, keystone, 1280 x 1024 view:", 1280.0 * 1024, runs,
            [&] { m.RenderArea(source, target, view, &meter); });
    m.LensOn = true;
    m.SetLensFrame(source.GetBounds());
    Measure("preview, keystone + lens, 1280 x 1024 view:", 1280.0 * 1024, runs,
            [&] { m.RenderArea(source, target, view, &meter); });
    Measure("preview, keystone + lens, whole image:", pixels, runs,
            [&] { RenderCorrection(m, source, target, source.GetBounds(), &meter); });

    std::printf("preview quality %d; Finish hashes %016llx %016llx; meter steps per Finish: %d\n", int(m.Quality),
                static_cast<unsigned long long>(hash), static_cast<unsigned long long>(hashLens), stepsPerFinish);
    return 0;
}
