// Images through the scanner component from the test data source: each mechanism brings each kind of image in as a
// DIB whose pixels are checked, and a source that answers nonsense gives a failed transfer and a closed session.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/scan/win/TwainTestPrefix.h"
#include "tests/support/MessagePump.h"
#include "scan/core/TwnSettings.h"
#include "scan/win/TzavTWAIN.h"

using namespace twaintest;
using testsupport::PumpUntil;

namespace {

struct TRgb {
    int r, g, b;
    bool operator==(const TRgb&) const = default;
};

// The test source's pixel model (top row y).
TRgb Expected(const std::string& kind, int x, int y) {
    if (kind == "rgb") return {40 * x + 10, 60 * y + 20, 200};
    if (kind == "grey") {
        const int level = (40 * x + 60 * y + 10) % 256;
        return {level, level, level};
    }
    if (kind == "bw") {
        const int level = (x + y) % 2 ? 255 : 0;
        return {level, level, level};
    }
    const int i = x + 5 * y;
    return {16 * i, 255 - 16 * i, 3 * i};
}

// What an image-ready event brought: a copy of the bitmap info and the bits, and the handle it was given.
struct TReceived {
    int events = 0;
    std::vector<Byte> info;
    std::vector<Byte> bits;
    std::uintptr_t handle = 0;
    std::string path;
    std::vector<int> states;
    TTwnHdlType type = TTwnHdlType::THDT_DIBSEC;

    void Image(TObject*, void* pBmp, void* pBmpInfo, std::uintptr_t hImage, const std::string& filePath) {
        ++events;
        handle = hImage;
        path = filePath;
        info.clear();
        bits.clear();
        if (!hImage) return;
        const BITMAPINFOHEADER* header = nullptr;
        const Byte* data = nullptr;
        if (type == TTwnHdlType::THDT_DIBRAW) {
            header = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(HGLOBAL(hImage)));
        } else if (type == TTwnHdlType::THDT_DIBSEC) {
            header = static_cast<const BITMAPINFOHEADER*>(pBmpInfo);
            data = static_cast<const Byte*>(pBmp);
        } else {
            DIBSECTION section{};
            if (::GetObjectA(HBITMAP(hImage), sizeof section, &section) != sizeof section) return;
            // A DIB handle carries no table here: only 24-bit images are read this way.
            info.assign(reinterpret_cast<const Byte*>(&section.dsBmih),
                        reinterpret_cast<const Byte*>(&section.dsBmih) + 40);
            const std::size_t size = std::size_t(section.dsBm.bmWidthBytes) * std::size_t(section.dsBm.bmHeight);
            bits.assign(static_cast<const Byte*>(section.dsBm.bmBits),
                        static_cast<const Byte*>(section.dsBm.bmBits) + size);
            return;
        }
        // A raw block is the source's own DIB, whose table may be shorter than the depth allows.
        const int full = header->biBitCount <= 8 ? 1 << header->biBitCount : 0;
        const int entries = header->biClrUsed != 0 ? int(header->biClrUsed) : full;
        const std::size_t infoSize = 40 + std::size_t(entries) * 4;
        info.assign(reinterpret_cast<const Byte*>(header), reinterpret_cast<const Byte*>(header) + infoSize);
        info.resize(40 + std::size_t(full) * 4, 0);
        if (!data) data = reinterpret_cast<const Byte*>(header) + infoSize;
        const std::size_t stride = (std::size_t(header->biWidth) * header->biBitCount + 31) / 32 * 4;
        bits.assign(data, data + stride * std::size_t(std::abs(header->biHeight)));
        if (type == TTwnHdlType::THDT_DIBRAW) ::GlobalUnlock(HGLOBAL(hImage));
    }
    void State(TObject*, int state) { states.push_back(state); }
    void Free() {
        if (!handle) return;
        if (type == TTwnHdlType::THDT_DIBRAW)
            ::GlobalFree(HGLOBAL(handle));
        else
            ::DeleteObject(HGDIOBJ(handle));
        handle = 0;
    }

    TRgb Pixel(int x, int y) const {
        const auto* h = reinterpret_cast<const BITMAPINFOHEADER*>(info.data());
        const std::size_t stride = (std::size_t(h->biWidth) * h->biBitCount + 31) / 32 * 4;
        const int row = h->biHeight > 0 ? h->biHeight - 1 - y : y;
        const Byte* p = bits.data() + std::size_t(row) * stride;
        if (h->biBitCount == 24) return {p[3 * x + 2], p[3 * x + 1], p[3 * x]};
        const int index = h->biBitCount == 8 ? p[x] : (p[x / 8] >> (7 - x % 8)) & 1;
        const Byte* entry = info.data() + 40 + index * 4;
        return {entry[2], entry[1], entry[0]};
    }
};

class TwainTransfer : public ::testing::Test {
protected:
    void SetUp() override { InstallTestSource(); }

    // One acquisition with the mechanism and handle type; pumps until the session closed.
    void Acquire(TTwnXferType mech, TTwnHdlType type, TReceived& got,
                 const std::function<void(TTwnTransferSettings&)>& more = nullptr) {
        twain_ = MakeObject<TzavTWAIN>(nullptr);
        TzavTWAINThread& c = twain_->Connection();
        got.type = type;
        c.OnImageReady = MakeMethod<&TReceived::Image>(&got);
        c.OnStateChange = MakeMethod<&TReceived::State>(&got);
        c.Settings().SetXferMech(mech);
        c.Settings().SetDIBHandleType(type);
        if (more) more(c.Settings());
        ASSERT_TRUE(twain_->Acquire(kSourceName));
        ASSERT_TRUE(PumpUntil([&] { return !got.states.empty() && got.states.back() == 1; }, 20000));
    }

    void ExpectImage(const TReceived& got, const std::string& kind) {
        ASSERT_EQ(got.events, 1);
        ASSERT_NE(got.handle, 0u);
        ASSERT_GE(got.info.size(), 40u);
        const auto* h = reinterpret_cast<const BITMAPINFOHEADER*>(got.info.data());
        const int width = kind == "rgb" ? 4 : 5;
        ASSERT_EQ(h->biWidth, width);
        ASSERT_EQ(std::abs(h->biHeight), 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x) EXPECT_EQ(got.Pixel(x, y), Expected(kind, x, y)) << kind << x << y;
    }

public:
    // OnNegotiation: whether the open source counts the transfer mechanism as supported.
    void Negotiated(TObject*, bool&) { negotiatedMechanismSupported_ = twain_->IsCapSupported(ICAP_XFERMECH); }

    TObjectPtr<TzavTWAIN> twain_;
    bool negotiatedMechanismSupported_ = false;
};

const char* const kKinds[] = {"rgb", "grey", "bw", "palette"};
const TTwnXferType kMechanisms[] = {TTwnXferType::TWFX_NATIVE, TTwnXferType::TWFX_FILES, TTwnXferType::TWFX_MEMORY};

}  // namespace

TEST_F(TwainTransfer, EveryMechanismBringsEveryKindOfImageInAsASection) {
    for (TTwnXferType mech : kMechanisms)
        for (const char* kind : kKinds) {
            SCOPED_TRACE(std::string(kind) + " by mechanism " + std::to_string(int(mech)));
            TSwitch k("VANTOREL_TESTDS_KIND", kind);
            TReceived got;
            ASSERT_NO_FATAL_FAILURE(Acquire(mech, TTwnHdlType::THDT_DIBSEC, got));
            ExpectImage(got, kind);
            EXPECT_EQ(got.path, "");
            // 72 pixels per inch: the source's own header says so, and a memory image takes it from the units
            // (inches) and the image info.
            EXPECT_EQ(reinterpret_cast<const BITMAPINFOHEADER*>(got.info.data())->biXPelsPerMeter, 2835);
            got.Free();
        }
}

TEST_F(TwainTransfer, RawPackedDibsAndDibHandlesHoldTheSameImage) {
    for (TTwnXferType mech : kMechanisms) {
        SCOPED_TRACE(int(mech));
        TSwitch k("VANTOREL_TESTDS_KIND", "palette");
        TReceived raw;
        ASSERT_NO_FATAL_FAILURE(Acquire(mech, TTwnHdlType::THDT_DIBRAW, raw));
        ExpectImage(raw, "palette");
        raw.Free();
        TSwitch rgb("VANTOREL_TESTDS_KIND", "rgb");
        TReceived handle;
        ASSERT_NO_FATAL_FAILURE(Acquire(mech, TTwnHdlType::THDT_DIBHANDLE, handle));
        ExpectImage(handle, "rgb");
        handle.Free();
    }
}

TEST_F(TwainTransfer, FileTransferWithoutAHandleKeepsTheFileAndGivesItsPath) {
    char folder[MAX_PATH + 1] = {};
    ::GetTempPathA(MAX_PATH, folder);
    const std::string name = std::string(folder) + "vantorel-scan.bmp";
    ::DeleteFileA(name.c_str());
    TReceived got;
    ASSERT_NO_FATAL_FAILURE(
        Acquire(TTwnXferType::TWFX_FILES, TTwnHdlType::THDT_DIBSEC, got, [&](TTwnTransferSettings& settings) {
            settings.SetFilename(name);
            settings.SetReturnHandle(false);
        }));
    ASSERT_EQ(got.events, 1);
    EXPECT_EQ(got.handle, 0u);
    EXPECT_EQ(got.path, twn::LowerName(name));  // the component keeps names in lower case
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    EXPECT_TRUE(::GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &attributes));
    EXPECT_EQ(attributes.nFileSizeLow, 14u + 40u + 36u);
    ::DeleteFileA(name.c_str());
}

TEST_F(TwainTransfer, NonsenseFromTheSourceGivesAFailedTransferAndAClosedSession) {
    const struct {
        const char* call;
        TTwnXferType mech;
    } cases[] = {{"IMAGENATIVEXFER.GET", TTwnXferType::TWFX_NATIVE},
                 {"IMAGEFILEXFER.GET", TTwnXferType::TWFX_FILES},
                 {"IMAGEINFO.GET", TTwnXferType::TWFX_MEMORY},
                 {"IMAGEMEMXFER.GET", TTwnXferType::TWFX_MEMORY}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.call);
        TSwitch garbage("VANTOREL_TESTDS_GARBAGE", c.call);
        for (const char* kind : {"rgb", "bw"}) {
            TSwitch k("VANTOREL_TESTDS_KIND", kind);
            TReceived got;
            ASSERT_NO_FATAL_FAILURE(Acquire(c.mech, TTwnHdlType::THDT_DIBSEC, got));
            EXPECT_EQ(got.events, 1);
            EXPECT_EQ(got.handle, 0u);
            EXPECT_EQ(got.path, "");
            EXPECT_FALSE(twain_->Connection().HasQueue());
        }
    }
}

TEST_F(TwainTransfer, FileTransferIsNegotiatedAsTheNewerMechanismOrTheOlderOneItFallsBackTo) {
    // "unlisted": a source whose supported list leaves the mechanism out still negotiates it.
    for (const char* refuse : {"", "files2", "unlisted"}) {
        SCOPED_TRACE(refuse);
        TSwitch r("VANTOREL_TESTDS_REFUSE", refuse);
        TReceived got;
        negotiatedMechanismSupported_ = false;
        ASSERT_NO_FATAL_FAILURE(Acquire(
            TTwnXferType::TWFX_FILES, TTwnHdlType::THDT_DIBSEC, got,
            [&](TTwnTransferSettings&) { twain_->OnNegotiation = MakeMethod<&TwainTransfer::Negotiated>(this); }));
        EXPECT_TRUE(negotiatedMechanismSupported_);
        // The test source speaks protocol 1.9.
        EXPECT_EQ(twain_->XferMech(),
                  std::string(refuse) == "files2" ? TTwnXferType::TWFX_FILES : TTwnXferType::TWFX_FILES2);
        ExpectImage(got, "rgb");
        got.Free();
    }
}

TEST_F(TwainTransfer, AMechanismTheSourceDoesNotTakeFailsTheOpenUnlessCapabilitiesAreLenient) {
    TSwitch r("VANTOREL_TESTDS_REFUSE", "memory");
    for (bool lenient : {false, true}) {
        SCOPED_TRACE(lenient);
        TSourceLog log;
        TReceived got;
        twain_ = MakeObject<TzavTWAIN>(nullptr);
        twain_->SetLenientOnCaps(lenient);
        twain_->SetOnImageReady(MakeMethod<&TReceived::Image>(&got));
        twain_->Connection().OnStateChange = MakeMethod<&TReceived::State>(&got);
        twain_->SetXferMech(TTwnXferType::TWFX_MEMORY);
        twain_->SetDIBHandleType(got.type);
        EXPECT_EQ(twain_->Acquire(kSourceName), lenient);
        // The source's own mechanism is taken either way.
        EXPECT_EQ(twain_->XferMech(), TTwnXferType::TWFX_NATIVE);
        if (lenient) {
            ASSERT_TRUE(PumpUntil([&] { return !got.states.empty() && got.states.back() == 1; }, 20000));
            ExpectImage(got, "rgb");
            got.Free();
        }
        const std::vector<std::string> calls = log.Calls();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "USERINTERFACE.ENABLEDS"), lenient ? 1 : 0);
        EXPECT_FALSE(twain_->Connection().HasQueue());
    }
}

TEST_F(TwainTransfer, ASourceRefusingEveryFileFormatEndsTheNegotiationAndTransfersNatively) {
    TSourceLog log;
    TSwitch r("VANTOREL_TESTDS_REFUSE", "formats");
    TReceived got;
    ASSERT_NO_FATAL_FAILURE(Acquire(TTwnXferType::TWFX_FILES, TTwnHdlType::THDT_DIBSEC, got,
                                    [&](TTwnTransferSettings&) { twain_->SetFileFormats(0xFFFF); }));
    EXPECT_EQ(twain_->XferMech(), TTwnXferType::TWFX_NATIVE);
    ExpectImage(got, "rgb");
    got.Free();
    const std::vector<std::string> calls = log.Calls();
    EXPECT_LE(std::count(calls.begin(), calls.end(), "CAPABILITY.SET"), 3 + 16);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "IMAGENATIVEXFER.GET"), 1);
}

namespace {

// The order of the component's events over an acquisition of several images, with what XferNext answers.
struct TOrder {
    std::vector<std::string> events;
    std::vector<int> states;
    int skipAt = -1;  // the XferNext call that skips the next image
    int stopAt = -1;  // the XferNext call that asks for no more images
    int nextCalls = 0;

    void Image(TObject*, void*, void*, std::uintptr_t hImage, const std::string&) {
        events.push_back(hImage ? "ImageReady" : "ImageReady(none)");
        if (hImage) ::DeleteObject(HGDIOBJ(hImage));
    }
    void XferReady(TObject*) { events.push_back("XferReady"); }
    void XferNext(TObject*, std::int32_t& numImages, bool& skipNext) {
        events.push_back("XferNext " + std::to_string(numImages));
        if (nextCalls == skipAt) skipNext = true;
        if (nextCalls == stopAt) numImages = 0;
        ++nextCalls;
    }
    void State(TObject*, int state) { states.push_back(state); }
};

}  // namespace

TEST_F(TwainTransfer, PendingImagesArriveInOrderAndXferNextSteersThem) {
    const struct {
        const char* images;
        int skipAt, stopAt;
        std::vector<std::string> events;
        int transfers;
    } cases[] = {
        {"2", -1, -1, {"XferReady", "ImageReady", "XferNext 1", "ImageReady", "XferNext 0"}, 2},
        // The image after the first is skipped: the third comes next.
        {"3", 0, -1, {"XferReady", "ImageReady", "XferNext 2", "ImageReady", "XferNext 0"}, 2},
        // No more images after the first: the rest are reset.
        {"3", -1, 0, {"XferReady", "ImageReady", "XferNext 2"}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.images) + " " + std::to_string(c.skipAt) + " " + std::to_string(c.stopAt));
        TSourceLog log;
        TSwitch images("VANTOREL_TESTDS_IMAGES", c.images);
        TOrder order;
        order.skipAt = c.skipAt;
        order.stopAt = c.stopAt;
        twain_ = MakeObject<TzavTWAIN>(nullptr);
        twain_->Connection().OnImageReady = MakeMethod<&TOrder::Image>(&order);
        twain_->Connection().OnStateChange = MakeMethod<&TOrder::State>(&order);
        twain_->OnXferReady = MakeMethod<&TOrder::XferReady>(&order);
        twain_->OnXferNext = MakeMethod<&TOrder::XferNext>(&order);
        ASSERT_TRUE(twain_->Acquire(kSourceName));
        ASSERT_TRUE(PumpUntil([&] { return !order.states.empty() && order.states.back() == 1; }, 20000));
        EXPECT_EQ(order.events, c.events);
        const std::vector<std::string> calls = log.Calls();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "IMAGENATIVEXFER.GET"), c.transfers);
    }
}

TEST_F(TwainTransfer, OnNegotiationSeesTheAgreedMechanismAndMayCancelTheOpen) {
    struct TCancel {
        TzavTWAIN* twain = nullptr;
        TTwnXferType seen = TTwnXferType::TWFX_MEMORY;
        void Negotiation(TObject*, bool& cancel) {
            seen = twain->XferMech();
            cancel = true;
        }
    } handler;
    TSourceLog log;
    twain_ = MakeObject<TzavTWAIN>(nullptr);
    handler.twain = twain_.get();
    twain_->OnNegotiation = MakeMethod<&TCancel::Negotiation>(&handler);
    twain_->SetXferMech(TTwnXferType::TWFX_FILES);
    TReceived got;
    twain_->Connection().OnImageReady = MakeMethod<&TReceived::Image>(&got);
    EXPECT_FALSE(twain_->Acquire(kSourceName));
    EXPECT_EQ(handler.seen, TTwnXferType::TWFX_FILES2);
    EXPECT_FALSE(twain_->Connection().HasQueue());
    const std::vector<std::string> calls = log.Calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "USERINTERFACE.ENABLEDS"), 0);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "IDENTITY.CLOSEDS"), 1);
}

TEST_F(TwainTransfer, ADeviceEventIsReadAndHandedOverWithItsValues) {
    struct TEvents {
        std::vector<std::string> got;
        void Device(TObject*, TTwnDeviceEvent event, const std::string& name, const TVariant& a, const TVariant& b,
                    const TVariant& c) {
            got.push_back(std::to_string(int(event)) + " " + name + " " + std::to_string(a.AsInteger()) + " " +
                          std::to_string(b.AsInteger()) + " " + std::to_string(c.AsInteger()));
        }
    } events;
    TSwitch notify("VANTOREL_TESTDS_NOTIFY", "deviceevent");
    // The source sends battery checks only when asked for them: first not asked, then asked.
    for (TTwnDeviceEvents set : {TTwnDeviceEvents(0), TTwnDeviceEvents(1u << 1)}) {
        events.got.clear();
        twain_ = MakeObject<TzavTWAIN>(nullptr);
        twain_->OnDeviceEvent = MakeMethod<&TEvents::Device>(&events);
        twain_->SetDeviceEventTypes(set);
        TReceived got;
        twain_->Connection().OnImageReady = MakeMethod<&TReceived::Image>(&got);
        ASSERT_TRUE(twain_->Acquire(kSourceName));
        PumpUntil([&] { return !events.got.empty(); }, set ? 5000 : 500);
        EXPECT_EQ(events.got, set ? std::vector<std::string>{"1 Test Scanner 90 75 0"} : std::vector<std::string>{});
        twain_->CloseAll();
    }
}

TEST_F(TwainTransfer, TwoPendingImagesArriveInOrderWithTheComponentsEventsInTheirOrder) {
    // The editor's way: file transfer in BMP without a handle; it reads each file and deletes it.
    struct TEvents {
        std::vector<std::string> got;
        std::vector<std::string> paths;
        std::vector<int> states;
        void DisableMenus(TObject*) { got.push_back("DisableMenus"); }
        void EnableMenus(TObject*) { got.push_back("EnableMenus"); }
        void XferReady(TObject*) { got.push_back("XferReady"); }
        void CloseSource(TObject*) { got.push_back("CloseSource"); }
        void XferNext(TObject*, std::int32_t& numImages, bool&) {
            got.push_back("XferNext " + std::to_string(numImages));
        }
        void Image(TObject*, void* bits, void* info, std::uintptr_t handle, const std::string& path) {
            std::vector<Byte> file;
            // The bottom row's first pixel, blue first: the blue tells the image apart.
            const bool read = !bits && !info && !handle && twn::ReadWholeFile(path, file) && file.size() > 54;
            got.push_back(read ? "ImageReady " + std::to_string(file[54]) : "ImageReady (unreadable)");
            paths.push_back(path);
            ::DeleteFileA(path.c_str());
        }
        void State(TObject*, int state) { states.push_back(state); }
    } events;
    TSwitch images("VANTOREL_TESTDS_IMAGES", "2");
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    twain->SetXferMech(TTwnXferType::TWFX_FILES);
    twain->SetFileFormat(TWFF_BMP);
    twain->SetReturnHandle(false);
    twain->SetLogToFile(false);
    twain->OnDisableMenus = MakeMethod<&TEvents::DisableMenus>(&events);
    twain->SetOnEnableMenus(MakeMethod<&TEvents::EnableMenus>(&events));
    twain->SetOnImageReady(MakeMethod<&TEvents::Image>(&events));
    twain->OnXferReady = MakeMethod<&TEvents::XferReady>(&events);
    twain->OnXferNext = MakeMethod<&TEvents::XferNext>(&events);
    twain->OnCloseSource = MakeMethod<&TEvents::CloseSource>(&events);
    twain->Connection().OnStateChange = MakeMethod<&TEvents::State>(&events);
    ASSERT_TRUE(twain->Acquire(kSourceName));
    ASSERT_TRUE(PumpUntil([&] { return !events.states.empty() && events.states.back() == 1; }, 20000));
    testsupport::PumpFor(200);
    EXPECT_EQ(events.got, (std::vector<std::string>{"DisableMenus", "XferReady", "ImageReady 200", "XferNext 1",
                                                    "ImageReady 150", "XferNext 0", "EnableMenus"}));
    ASSERT_EQ(events.paths.size(), 2u);
    EXPECT_NE(events.paths[0], events.paths[1]);
    EXPECT_EQ(::GetFileAttributesA(events.paths[1].c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(TwainTransfer, TheApplicationsOwnBuffersTakeTheStripsOfABufferedMemoryImage) {
    // The handler asks for buffers of one byte, which is raised to the source's minimum of one row: each strip is
    // one row, and each buffer the handler gives is that large.
    struct TBuffers {
        int stopAfter = -1;  // strips after which the handler gives no more buffers
        int strips = 0;
        std::int32_t minSize = 0;
        std::vector<std::string> calls;
        std::vector<Byte> received;
        std::vector<std::vector<Byte>> buffers;
        void Size(TObject*, std::int32_t minimum, std::int32_t, std::int32_t& bufSize, void*) {
            minSize = minimum;
            bufSize = 1;
        }
        void Buffer(TObject*, void* info, std::int32_t bytesPerRow, std::int32_t rows, std::int32_t dataSize,
                    void*& data) {
            calls.push_back(std::to_string(bytesPerRow) + " " + std::to_string(rows) + " " + std::to_string(dataSize));
            if (!info) calls.back() += " no info";
            if (dataSize > 0) {
                ASSERT_LE(dataSize, minSize);  // never more than the buffer given holds
                received.insert(received.end(), static_cast<Byte*>(data), static_cast<Byte*>(data) + dataSize);
                ++strips;
            }
            data = nullptr;
            if (stopAfter >= 0 && strips >= stopAfter) return;
            buffers.emplace_back(std::size_t(std::max(minSize, 1)), Byte(0xEE));
            data = buffers.back().data();
        }
    };
    // Rows top first, blue-green-red.
    std::vector<Byte> expected;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) expected.insert(expected.end(), {Byte(200), Byte(60 * y + 20), Byte(40 * x + 10)});
    const struct {
        const char* garbage;
        int stopAfter;
        std::vector<std::string> calls;
        std::size_t bytes;
        int imageEvents;
    } cases[] = {
        {"", -1, {"0 0 0", "12 1 12", "12 1 12", "12 1 12", "12 0 0"}, 36, 0},
        // Strips that claim twice what the buffer holds are taken as far as the buffer goes.
        {"IMAGEMEMXFER.GET", -1, {"0 0 0", "12 1 12", "12 1 12", "12 1 12", "12 0 0"}, 36, 0},
        // No buffer after the first strip: the transfer is cancelled and ends with no image.
        {"", 1, {"0 0 0", "12 1 12", "12 0 0"}, 12, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.garbage) + " " + std::to_string(c.stopAfter));
        TSwitch garbage("VANTOREL_TESTDS_GARBAGE", c.garbage);
        TBuffers buffers;
        buffers.stopAfter = c.stopAfter;
        TReceived got;
        ASSERT_NO_FATAL_FAILURE(
            Acquire(TTwnXferType::TWFX_MEMORY, TTwnHdlType::THDT_MEMPTR, got, [&](TTwnTransferSettings& settings) {
                EXPECT_EQ(settings.XferMech(), TTwnXferType::TWFX_MEMORY);
                twain_->SetOnMemXferSize(MakeMethod<&TBuffers::Size>(&buffers));
                twain_->SetOnMemXferBuffer(MakeMethod<&TBuffers::Buffer>(&buffers));
            }));
        EXPECT_EQ(buffers.minSize, 12);
        EXPECT_EQ(buffers.calls, c.calls);
        EXPECT_EQ(buffers.received, std::vector<Byte>(expected.begin(), expected.begin() + std::ptrdiff_t(c.bytes)));
        EXPECT_EQ(got.events, c.imageEvents);
        EXPECT_EQ(got.handle, 0u);
        EXPECT_FALSE(twain_->Connection().HasQueue());
    }
}
