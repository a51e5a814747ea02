// The plug-in as a host drives it: loaded through our test host, with the stand-in program in the place
// of Vantorel through the registry value. The message boxes need the display the Wine runner provides.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "tests/plugin/host/TFilterTestHost.h"

using namespace hostfilter;

namespace {

const wchar_t* const ProgramKey = L"SOFTWARE\\Kelvo\\Plavex\\Vantorel";

std::wstring PluginPath() { return ProductFolder() + L"VantorelPlugin.8bf"; }
std::wstring StandInPath() { return ProgramFolder() + L"plugin_standin.exe"; }

// Sets the program path the plug-in reads (none at all for nullptr) for the life of the object.
class TProgramPathValue {
public:
    explicit TProgramPathValue(const std::wstring* path) {
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, ProgramKey);
        if (path == nullptr) return;
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, ProgramKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path->c_str()),
                       DWORD((path->size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    ~TProgramPathValue() { RegDeleteKeyW(HKEY_LOCAL_MACHINE, ProgramKey); }
};

// Sets an environment variable, which the stand-in inherits, for the life of the object.
class TEnvironment {
public:
    TEnvironment(const char* name, const std::string& value) : name_(name) {
        char old[MAX_PATH * 2];
        const DWORD length = GetEnvironmentVariableA(name, old, sizeof old);
        had_ = length > 0 && length < sizeof old;
        if (had_) old_.assign(old, length);
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~TEnvironment() { SetEnvironmentVariableA(name_, had_ ? old_.c_str() : nullptr); }

private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

std::wstring TempFolder() {
    wchar_t folder[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, folder);
    return folder;
}

// The exchange files in the temporary folder (GetTempFileName keeps three letters of the prefix).
int ExchangeFileCount() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((TempFolder() + L"PSP*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do ++count;
    while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs the plug-in on image with the stand-in in the given mode; the stand-in's log goes to log.
class FilterHost : public ::testing::Test {
protected:
    void SetUp() override {
        log_ = Narrow(TempFolder()) + "standin-log.txt";
        std::remove(log_.c_str());
        filesBefore_ = ExchangeFileCount();
    }
    void TearDown() override {
        std::remove(log_.c_str());
        EXPECT_EQ(ExchangeFileCount(), filesBefore_) << "a temporary exchange file was left behind";
    }
    // Runs the plug-in with programPath in the registry (none for nullptr) and the stand-in in mode;
    // boxes receives the message boxes shown, and without it none may be shown.
    TFilterRun RunWith(const std::wstring* programPath, const std::string& mode, TTestImage& image, TRect16 rect,
                       std::int16_t filterCase, std::vector<TMessageBoxAnswerer::TBox>* boxes = nullptr) {
        TProgramPathValue value(programPath);
        TEnvironment standInMode("VANTOREL_STANDIN_MODE", mode);
        TEnvironment standInLog("VANTOREL_STANDIN_LOG", log_);
        TMessageBoxAnswerer answerer;
        TFilterTestHost host(PluginPath());
        EXPECT_EQ(host.Error(), "");
        if (!host.Error().empty()) return {};
        const TFilterRun run = host.Run(image, rect, filterCase);
        if (boxes != nullptr)
            *boxes = answerer.Boxes();
        else
            EXPECT_TRUE(answerer.Boxes().empty());
        return run;
    }
    TFilterRun RunStandIn(const std::string& mode, TTestImage& image, TRect16 rect, std::int16_t filterCase,
                          std::vector<TMessageBoxAnswerer::TBox>* boxes = nullptr) {
        const std::wstring standIn = StandInPath();
        return RunWith(&standIn, mode, image, rect, filterCase, boxes);
    }
    std::string log_;
    int filesBefore_ = 0;
};

// Pixels of before inside rect, colour planes inverted; everything else (further planes, padding,
// pixels outside) as it was.
TTestImage Inverted(const TTestImage& before, TRect16 rect) {
    TTestImage expected = before;
    for (std::int32_t y = rect.top; y < rect.bottom; ++y)
        for (std::int32_t x = rect.left; x < rect.right; ++x)
            for (int p = 0; p < 3; ++p) expected.Pixel(x, y)[p] = std::uint8_t(255 - expected.Pixel(x, y)[p]);
    return expected;
}

// The one box shown was an error box with text.
void ExpectOneError(const std::vector<TMessageBoxAnswerer::TBox>& boxes, const std::wstring& text) {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"Error");
    EXPECT_EQ(boxes[0].text, text);
}

}  // namespace

TEST_F(FilterHost, ResourceDescribesTheFilter) {
    TFilterTestHost host(PluginPath());
    ASSERT_EQ(host.Error(), "");
    ASSERT_EQ(host.Properties().size(), 8u);
    auto data = [&](const char(&key)[5]) {
        const TPiPLProperty* p = host.Property(FourCC(key));
        return p != nullptr ? std::string(p->data.begin(), p->data.end()) : std::string("(missing)");
    };
    EXPECT_EQ(data("kind"), "MFB8");
    EXPECT_EQ(data("name"), "\x0BVantorel...");
    EXPECT_EQ(data("catg"), "\x05Kelvo");
    EXPECT_EQ(data("vers"), std::string("\x05\x00\x02\x00", 4));  // 131077: 2.5
    EXPECT_EQ(data("wx86"), std::string("ENTRYPOINT\0", 11));
    EXPECT_EQ(data("mode"), std::string("\x10\0\0\0", 4));
    EXPECT_EQ(data("enbl"), std::string("in (PSHOP_ImageMode,RGBMode)\0", 29));
    std::string cases;
    for (int i = 0; i < 7; ++i) cases += std::string("\x01\x01\x06\x00", 4);
    EXPECT_EQ(data("fici"), cases);
}

TEST_F(FilterHost, UnknownSelectorsAreBadParametersAndTheOthersSucceedQuietly) {
    TFilterTestHost host(PluginPath());
    ASSERT_EQ(host.Error(), "");
    TFilterRecord record{};
    EXPECT_EQ(host.Call(6, &record), BadParameters);
    EXPECT_EQ(host.Call(-1, &record), BadParameters);
    EXPECT_EQ(host.Call(0x7FFF, &record), BadParameters);
    for (std::int16_t selector : {SelectorParameters, SelectorPrepare, SelectorContinue, SelectorFinish})
        EXPECT_EQ(host.Call(selector, &record), NoError) << selector;
}

TEST_F(FilterHost, AboutShowsItsBoxWithoutAProgramPath) {
    TProgramPathValue none(nullptr);
    TMessageBoxAnswerer answerer;
    TFilterTestHost host(PluginPath());
    ASSERT_EQ(host.Error(), "");
    EXPECT_EQ(host.About(), NoError);
    const auto boxes = answerer.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"About Vantorel Plug-in");
    EXPECT_EQ(boxes[0].text.rfind(L"Vantorel Plug-in\nVersion: 3.14.0\n", 0), 0u) << Narrow(boxes[0].text);
}

TEST_F(FilterHost, InvertedPixelsComeBackIntoAnRGBSelection) {
    TTestImage image = TTestImage::Make(7, 5, 3, 6);
    const TRect16 rect{1, 2, 5, 6};  // top, left, bottom, right
    const TTestImage expected = Inverted(image, rect);
    const TFilterRun run = RunStandIn("invert", image, rect, 2);
    EXPECT_EQ(run.start, NoError);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.continues, 0);
    EXPECT_EQ(run.outputRequests, 1);
    EXPECT_EQ(image.bytes, expected.bytes);

    // What the program was given: the host's rectangle, row bytes and planes, in the program's folder.
    const std::string log = ReadText(log_);
    const std::string folder = Narrow(ProgramFolder());
    EXPECT_NE(log.find("size=32 mode=3 left=2 top=1 width=4 height=4 rowBytes=17 planes=3 fileSize=104 "),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("cwd=" + folder.substr(0, folder.size() - 1) + "\n"), std::string::npos) << log;
    const std::size_t file = log.find("file=");
    ASSERT_NE(file, std::string::npos);
    const std::string name = log.substr(file + 5, log.find(" cwd=") - file - 5);
    EXPECT_EQ(GetFileAttributesA(name.c_str()), INVALID_FILE_ATTRIBUTES) << name;
}

TEST_F(FilterHost, InvertedColoursComeBackIntoRGBAAndEachAlphaKeepsItsValue) {
    TTestImage image = TTestImage::Make(6, 4, 4, 3);
    const TRect16 whole{0, 0, 4, 6};
    const TTestImage expected = Inverted(image, whole);
    const TFilterRun run = RunStandIn("invert", image, whole, 4);
    EXPECT_EQ(run.start, NoError);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(image.bytes, expected.bytes);
    EXPECT_NE(ReadText(log_).find("rowBytes=29 planes=4"), std::string::npos) << ReadText(log_);
}

TEST_F(FilterHost, ProgramThatDoesNotConfirmLeavesTheImage) {
    for (const char* mode : {"cancel", "crash"}) {
        TTestImage image = TTestImage::Make(5, 3, 3, 2);
        const TTestImage before = image;
        const TFilterRun run = RunStandIn(mode, image, TRect16{0, 0, 3, 5}, 1);
        EXPECT_EQ(run.start, UserCanceled) << mode;
        EXPECT_FALSE(run.finished) << mode;
        EXPECT_EQ(run.outputRequests, 0) << mode;
        EXPECT_EQ(image.bytes, before.bytes) << mode;
    }
}

TEST_F(FilterHost, ResultWhoseRowsLieOutsideTheFileIsRefused) {
    TTestImage image = TTestImage::Make(5, 3, 4, 1);
    const TTestImage before = image;
    std::vector<TMessageBoxAnswerer::TBox> boxes;
    const TFilterRun run = RunStandIn("badheader", image, TRect16{0, 0, 3, 5}, 4, &boxes);
    EXPECT_EQ(run.start, UserCanceled);
    EXPECT_EQ(run.outputRequests, 0);
    EXPECT_EQ(image.bytes, before.bytes);
    ExpectOneError(boxes, L"Transfer image data error.");
}

TEST_F(FilterHost, EmptyProgramPathReportsTheSystemError) {
    TTestImage image = TTestImage::Make(4, 2, 3, 4);
    const TTestImage before = image;
    std::vector<TMessageBoxAnswerer::TBox> boxes;
    const TFilterRun run = RunWith(nullptr, "invert", image, TRect16{0, 0, 2, 4}, 1, &boxes);
    EXPECT_EQ(run.start, OpenError);
    EXPECT_EQ(run.outputRequests, 0);
    EXPECT_EQ(image.bytes, before.bytes);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"Error");
    const std::string text = Narrow(boxes[0].text);
    EXPECT_TRUE(std::regex_match(text, std::regex("Execute application \"\" error: [1-9][0-9]*"))) << text;
}

TEST_F(FilterHost, TemporaryFileThatCannotBeMadeIsReported) {
    TTestImage image = TTestImage::Make(4, 2, 3, 4);
    const TTestImage before = image;
    std::vector<TMessageBoxAnswerer::TBox> boxes;
    TFilterRun run;
    {
        const TEnvironment tmp("TMP", "C:\\no such folder\\");
        const TEnvironment temp("TEMP", "C:\\no such folder\\");
        run = RunStandIn("invert", image, TRect16{0, 0, 2, 4}, 1, &boxes);
    }
    EXPECT_EQ(run.start, OpenError);
    EXPECT_EQ(image.bytes, before.bytes);
    ExpectOneError(boxes, L"Create temp file error.");
    EXPECT_TRUE(ReadText(log_).empty());  // the program never ran
}

TEST_F(FilterHost, AboutWithoutARecordShowsAnUnownedBox) {
    TMessageBoxAnswerer answerer;
    TFilterTestHost host(PluginPath());
    ASSERT_EQ(host.Error(), "");
    EXPECT_EQ(host.Call(SelectorAbout, nullptr), NoError);
    TAboutRecord noPlatform{};
    EXPECT_EQ(host.Call(SelectorAbout, &noPlatform), NoError);
    const auto boxes = answerer.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, L"About Vantorel Plug-in");
}

TEST_F(FilterHost, HostThatCannotServeTheInputGetsAnError) {
    TTestImage image = TTestImage::Make(4, 2, 3, 4);
    const TTestImage before = image;
    std::vector<TMessageBoxAnswerer::TBox> boxes;
    // A filter rectangle reaching past the image: the host's advanceState refuses it.
    const TFilterRun run = RunStandIn("invert", image, TRect16{0, 0, 3, 4}, 1, &boxes);
    EXPECT_EQ(run.start, OpenError);
    EXPECT_EQ(image.bytes, before.bytes);
    ExpectOneError(boxes, L"Get image data error.");
    EXPECT_TRUE(ReadText(log_).empty());  // the program never ran
}

namespace {
int timerTicks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++timerTicks; }
}  // namespace

TEST_F(FilterHost, WaitingKeepsTheHostThreadsMessagesFlowingAndItsQuitMessage) {
    TTestImage image = TTestImage::Make(3, 2, 3, 1);
    timerTicks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 5, &CountTick);
    PostQuitMessage(7);
    const TFilterRun run = RunStandIn("invert", image, TRect16{0, 0, 2, 3}, 1);
    KillTimer(nullptr, timer);
    EXPECT_EQ(run.start, NoError);
    EXPECT_GT(timerTicks, 0);  // dispatched while the program ran
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}
