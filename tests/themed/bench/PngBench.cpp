// Decode and encode of a 4000 x 3000 RGBA image by our PNG codec and by libpng in the same run; prints the
// time ratios (ours / libpng) at the end.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/core/Stream.h"
#include "themed/core/TPNGReader.h"
#include "themed/core/TPNGWriter.h"

#if __has_include(<png.h>)
#include <png.h>
#define HAVE_LIBPNG 1
#endif

namespace {

constexpr int kWidth = 4000, kHeight = 3000;

// A photo-like image: smooth colour fields, fine noise, and a soft alpha edge.
const std::vector<std::uint32_t>& Image() {
    static const std::vector<std::uint32_t> pixels = [] {
        std::vector<std::uint32_t> px(std::size_t(kWidth) * kHeight);
        std::mt19937 rng(1);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const double fx = x / double(kWidth), fy = y / double(kHeight);
                const int noise = int(rng() % 7) - 3;
                auto clamp = [](int v) { return std::uint32_t(v < 0 ? 0 : v > 255 ? 255 : v); };
                const std::uint32_t r = clamp(int(128 + 100 * std::sin(6 * fx + 2 * fy)) + noise);
                const std::uint32_t g = clamp(int(100 + 80 * std::cos(4 * fy - 3 * fx)) + noise);
                const std::uint32_t b = clamp(int(60 + 150 * fx * fy) + noise);
                const std::uint32_t a = clamp(int(255 - 200 * std::max(0.0, fx + fy - 1.5)));
                px[std::size_t(y) * kWidth + x] = (a << 24) | (r << 16) | (g << 8) | b;
            }
        return px;
    }();
    return pixels;
}

std::vector<std::uint8_t> OurEncode() {
    TPNGWriter writer(kWidth, Image().data(), kWidth, kHeight);
    TMemoryStream s;
    writer.SaveToStream(s);
    const auto* p = static_cast<const std::uint8_t*>(s.Memory());
    return std::vector<std::uint8_t>(p, p + s.Size());
}

const std::vector<std::uint8_t>& EncodedFile() {
    static const std::vector<std::uint8_t> file = OurEncode();
    return file;
}

void BM_Decode_Ours(benchmark::State& state) {
    const auto& file = EncodedFile();
    for (auto _ : state) {
        TCustomMemoryStream s;
        s.SetPointer(const_cast<std::uint8_t*>(file.data()), std::int64_t(file.size()));
        TPNGReader reader;
        reader.LoadFromStream(s);
        benchmark::DoNotOptimize(reader.Pixels().data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(kWidth) * kHeight * 4);
}

// The same reader for every decode: its pixel array keeps its memory, so no fresh pages are touched.
void BM_DecodeReused_Ours(benchmark::State& state) {
    const auto& file = EncodedFile();
    TPNGReader reader;
    for (auto _ : state) {
        TCustomMemoryStream s;
        s.SetPointer(const_cast<std::uint8_t*>(file.data()), std::int64_t(file.size()));
        reader.LoadFromStream(s);
        benchmark::DoNotOptimize(reader.Pixels().data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(kWidth) * kHeight * 4);
}

void BM_Encode_Ours(benchmark::State& state) {
    std::size_t size = 0;
    for (auto _ : state) size = OurEncode().size();
    state.counters["bytes_out"] = double(size);
    state.SetBytesProcessed(state.iterations() * std::int64_t(kWidth) * kHeight * 4);
}

#ifdef HAVE_LIBPNG
struct Reader {
    const std::vector<std::uint8_t>* data;
    std::size_t pos;
};

void ReadFn(png_structp png, png_bytep out, png_size_t n) {
    auto* r = static_cast<Reader*>(png_get_io_ptr(png));
    if (r->pos + n > r->data->size()) png_error(png, "short");
    std::memcpy(out, r->data->data() + r->pos, n);
    r->pos += n;
}

void WriteFn(png_structp png, png_bytep in, png_size_t n) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), in, in + n);
}

void FlushFn(png_structp) {}

// Decodes file with libpng into 32-bit BGRA rows, the layout our reader produces.
void DecodeWithLibpng(const std::vector<std::uint8_t>& file, png_bytep* rows) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    Reader r{&file, 0};
    if (setjmp(png_jmpbuf(png))) throw std::runtime_error("libpng");
    png_set_read_fn(png, &r, ReadFn);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(png);
    png_read_update_info(png, info);
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
}

void BM_Decode_Libpng(benchmark::State& state) {
    const auto& file = EncodedFile();
    std::vector<png_bytep> rows(kHeight);
    for (auto _ : state) {
        // A new image per decode, as our reader makes one (left uninitialised, as ours is).
        std::unique_ptr<std::uint32_t[]> out(new std::uint32_t[std::size_t(kWidth) * kHeight]);
        for (int y = 0; y < kHeight; ++y) rows[y] = reinterpret_cast<png_bytep>(out.get() + std::size_t(y) * kWidth);
        DecodeWithLibpng(file, rows.data());
        benchmark::DoNotOptimize(out.get());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(kWidth) * kHeight * 4);
}

void BM_DecodeReused_Libpng(benchmark::State& state) {
    const auto& file = EncodedFile();
    std::unique_ptr<std::uint32_t[]> out(new std::uint32_t[std::size_t(kWidth) * kHeight]);
    std::vector<png_bytep> rows(kHeight);
    for (int y = 0; y < kHeight; ++y) rows[y] = reinterpret_cast<png_bytep>(out.get() + std::size_t(y) * kWidth);
    for (auto _ : state) {
        DecodeWithLibpng(file, rows.data());
        benchmark::DoNotOptimize(out.get());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(kWidth) * kHeight * 4);
}

void BM_Encode_Libpng(benchmark::State& state) {
    const auto& px = Image();
    std::vector<png_bytep> rows(kHeight);
    for (int y = 0; y < kHeight; ++y)
        rows[y] = reinterpret_cast<png_bytep>(const_cast<std::uint32_t*>(px.data() + std::size_t(y) * kWidth));
    std::size_t size = 0;
    for (auto _ : state) {
        std::vector<std::uint8_t> out;
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        if (setjmp(png_jmpbuf(png))) throw std::runtime_error("libpng");
        png_set_write_fn(png, &out, WriteFn, FlushFn);
        png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_compression_level(png, 9);
        png_set_filter(png, 0, PNG_ALL_FILTERS);
        png_write_info(png, info);
        png_set_bgr(png);
        png_write_image(png, rows.data());
        png_write_end(png, nullptr);
        png_destroy_write_struct(&png, &info);
        size = out.size();
    }
    state.counters["bytes_out"] = double(size);
    state.SetBytesProcessed(state.iterations() * std::int64_t(kWidth) * kHeight * 4);
}
#endif

// Keeps each benchmark's best CPU time per iteration over its repetitions, so that the ratios printed at
// the end suffer least from other work on the machine.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> seconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration) continue;
            const std::string name = r.run_name.function_name;
            const double t = r.GetAdjustedCPUTime();
            const auto it = seconds.find(name);
            if (it == seconds.end() || t < it->second) seconds[name] = t;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

BENCHMARK(BM_Decode_Ours)->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);
BENCHMARK(BM_DecodeReused_Ours)->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);
BENCHMARK(BM_Encode_Ours)->Unit(benchmark::kMillisecond)->Iterations(1);
#ifdef HAVE_LIBPNG
BENCHMARK(BM_Decode_Libpng)->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);
BENCHMARK(BM_DecodeReused_Libpng)->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);
BENCHMARK(BM_Encode_Libpng)->Unit(benchmark::kMillisecond)->Iterations(1);
#endif

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    EncodedFile();  // build the test image and file outside the timings
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
#ifdef HAVE_LIBPNG
    auto find = [&](const std::string& name) {
        const auto it = reporter.seconds.find(name);
        return it == reporter.seconds.end() ? 0.0 : it->second;
    };
    auto ratio = [&](const char* ours, const char* theirs) {
        const double a = find(ours), b = find(theirs);
        if (a > 0 && b > 0) std::printf("%s / %s = %.2f\n", ours, theirs, a / b);
    };
    std::printf("\nBest CPU time ratios, ours / libpng (4000 x 3000 RGBA):\n");
    ratio("BM_Decode_Ours", "BM_Decode_Libpng");
    ratio("BM_DecodeReused_Ours", "BM_DecodeReused_Libpng");
    ratio("BM_Encode_Ours", "BM_Encode_Libpng");
#else
    std::printf("libpng not installed: no ratios\n");
#endif
    benchmark::Shutdown();
    return 0;
}
