// How many full-image undo steps (a quarter turn each) of a 6000 x 4000 photo the process can keep before
// memory for the next one cannot be had; prints the count, the bytes one step keeps and the time per step.
//
//   winbench_UndoMemoryBench [max steps]   (default 100)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "app/core/KelvoPixelOps.h"
#include "app/core/TKelvoGraphicsCommandState.h"
#include "tests/app/core/DocumentFakes.h"

using namespace docfakes;

namespace {

// Smooth gradients with fine texture, as a photo has.
void Fill(TKelvoPixels& p) {
    std::uint32_t seed = 12345;
    for (std::int32_t y = 0; y < p.Height(); ++y)
        for (std::int32_t x = 0; x < p.Width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 29);
            MakeBGR(p.PixelAddress(x, y), Byte((x / 24 + noise) & 255), Byte((y / 16 + noise) & 255),
                    Byte(((x + y) / 40) & 255));
        }
}

}  // namespace

int main(int argc, char** argv) {
    const int maxSteps = argc > 1 ? std::atoi(argv[1]) : 100;
    FakeUI ui;
    FakeFormats formats;
    Editor editor(ui, formats);
    bool failed = false;
    TKelvoGraphicsDocumentHooks hooks;
    hooks.ShowError = [&](const std::u16string&) { failed = true; };
    TKelvoGraphicsDocument document(editor, hooks);
    if (!document.Working().SetSize(6000, 4000, KelvoFormatBGR24)) return std::puts("no memory for the photo"), 1;
    Fill(document.GetPixels());
    document.Original().Assign(document.GetPixels());
    document.SyncCommitted();
    int steps = 0;
    std::int64_t stepBytes = 0;
    const auto start = std::chrono::steady_clock::now();
    try {
        while (steps < maxSteps) {
            document.BeginEditing(nullptr);
            if (!document.RotateRight()) break;
            document.AddDirtyRect(document.Working().GetBounds(), true);
            if (!document.CommitEdit(nullptr) || failed) break;
            document.ClearEditing();
            auto* state = dynamic_cast<TKelvoGraphicsCommandState*>(document.History().GetItem(steps));
            if (state) stepBytes = state->SnapshotBytes();
            ++steps;
        }
    } catch (const std::bad_alloc&) {
        std::puts("allocation failure escaped as std::bad_alloc");
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("full-image steps kept: %d (limit %d), bytes per step: %lld, ms per step: %.1f\n", steps, maxSteps,
                static_cast<long long>(stepBytes), steps ? ms / steps : 0.0);
    return 0;
}
