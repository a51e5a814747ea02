// A filter host of our own for the plug-in's tests: it loads a .8bf as a host image editor does (reads
// and checks the PiPL resource, resolves the entry point it names; the 64-bit build resolves ENTRYPOINT
// by name, as the resource names only the 32-bit entry), fills a filter record for an image held in
// padded rows, serves advanceState, and drives About, Parameters, Prepare, Start, Continue and Finish.
//
//   TFilterTestHost host(PluginPath());
//   ASSERT_EQ(host.Error(), "");
//   TTestImage image = TTestImage::Make(7, 5, 3, 6);
//   TFilterRun run = host.Run(image, {0, 0, 5, 7}, 1);
//
// The host's buffers have row bytes of their own (wider than the pixels), its output buffer starts with
// the image's current pixels, and the pending output is written into the image before each advanceState
// and after the last call, as hosts do. One host runs at a time (advanceState has no user argument).
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>
#include <atomic>
#include <mutex>

#include "plugin/core/HostFilterInterface.h"

// An interleaved image in top-down rows with padding after each row.
struct TTestImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t planes = 0;
    std::int32_t rowBytes = 0;
    std::vector<std::uint8_t> bytes;

    // Pixels of a fixed pattern (every plane differs), padding bytes 0xEE.
    static TTestImage Make(std::int32_t width, std::int32_t height, std::int32_t planes, std::int32_t padding);
    std::uint8_t* Pixel(std::int32_t x, std::int32_t y) {
        return bytes.data() + std::size_t(y) * std::size_t(rowBytes) + std::size_t(x) * std::size_t(planes);
    }
};

struct TPiPLProperty {
    hostfilter::OSType vendor = 0;
    hostfilter::OSType key = 0;
    std::vector<std::uint8_t> data;
};

struct TFilterRun {
    std::int16_t parameters = 0;
    std::int16_t prepare = 0;
    std::int16_t start = 0;
    std::int16_t lastContinue = 0;
    std::int16_t finish = 0;
    int continues = 0;
    int outputRequests = 0;  // advanceState calls with a non-empty output rectangle
    bool finished = false;
};

class TFilterTestHost {
public:
    explicit TFilterTestHost(const std::wstring& pluginPath);
    ~TFilterTestHost();
    TFilterTestHost(const TFilterTestHost&) = delete;
    TFilterTestHost& operator=(const TFilterTestHost&) = delete;

    // Empty once the library is loaded, its PiPL checked and its entry point resolved; else what failed.
    const std::string& Error() const { return error_; }
    const std::vector<TPiPLProperty>& Properties() const { return properties_; }
    const TPiPLProperty* Property(hostfilter::OSType key) const;
    // The window the records name as the host's.
    HWND Window() const { return window_; }

    // One call of the entry point with the host's data slot; result is 0 before the call.
    std::int16_t Call(std::int16_t selector, void* paramBlock);
    std::int16_t About();
    // Parameters, Prepare, Start, then Continue while the plug-in asks for rectangles, the pending output
    // written into the image, then Finish (not after a failed Start or Continue, as hosts do).
    TFilterRun Run(TTestImage& image, hostfilter::TRect16 filterRect, std::int16_t filterCase);

private:
    static std::int16_t AdvanceState();
    std::int16_t Advance();
    void CommitOutput();
    bool ReadPiPL();

    HMODULE module_ = nullptr;
    HWND window_ = nullptr;
    using TEntry = void (*)(std::int16_t, void*, std::intptr_t*, std::int16_t*);
    TEntry entry_ = nullptr;
    std::intptr_t data_ = 0;
    std::string error_;
    std::vector<TPiPLProperty> properties_;

    hostfilter::TPlatformData platform_{};
    hostfilter::TFilterRecord record_{};
    std::vector<std::uint8_t> errorString_ = std::vector<std::uint8_t>(256);
    std::vector<std::uint8_t> descriptor_ = std::vector<std::uint8_t>(256);
    TTestImage* image_ = nullptr;
    std::vector<std::uint8_t> in_;
    std::vector<std::uint8_t> out_;
    bool pending_ = false;  // out_ holds output for pendingRect_ / pendingLo_ .. pendingHi_
    hostfilter::TRect16 pendingRect_{};
    std::int16_t pendingLo_ = 0;
    std::int16_t pendingHi_ = 0;
    std::int32_t pendingRowBytes_ = 0;
    int outputRequests_ = 0;
};

// Answers the message boxes this process shows while it lives, from a thread of its own: reads each box's
// caption and text and presses its OK button.
class TMessageBoxAnswerer {
public:
    struct TBox {
        std::wstring caption;
        std::wstring text;
    };
    TMessageBoxAnswerer();
    ~TMessageBoxAnswerer();
    TMessageBoxAnswerer(const TMessageBoxAnswerer&) = delete;
    TMessageBoxAnswerer& operator=(const TMessageBoxAnswerer&) = delete;
    std::vector<TBox> Boxes();

private:
    void Watch();
    std::atomic<bool> stop_{false};
    std::mutex lock_;
    std::vector<TBox> boxes_;
    std::thread thread_;
};

// The folder of the running test program, with a trailing backslash.
std::wstring ProgramFolder();
// The product's folder (the program and the plug-in) beside the test programs' folder, with a trailing backslash.
std::wstring ProductFolder();
