// The scanner component against Wine's source manager and the test data source: listing and selecting, the
// state sequence of an acquisition, time-outs, faults inside the manager (through the stand-in manager), and
// two instances in two processes.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "tests/scan/win/TwainTestPrefix.h"
#include "tests/support/MessagePump.h"
#include "classlib/core/TStringList.h"
#include "scan/core/TTwnContainer.h"
#include "scan/core/TwnIdentity.h"
#include "scan/core/TwnTypes.h"
#include "scan/win/TzavTWAIN.h"

using namespace twaintest;
using testsupport::PumpUntil;

namespace {

// Records what the component reports, with the thread each report ran on.
struct TRecorder {
    DWORD mainThread = ::GetCurrentThreadId();
    std::vector<int> states;
    std::vector<std::string> events;
    std::vector<TTwnFailure> failures;
    bool offMainThread = false;

    void Note(const std::string& what) {
        if (::GetCurrentThreadId() != mainThread) offMainThread = true;
        events.push_back(what);
    }
    void State(TObject*, int state) {
        Note("state");
        states.push_back(state);
    }
    void EnableMenus(TObject*) { Note("EnableMenus"); }
    void DisableMenus(TObject*) { Note("DisableMenus"); }
    void XferReady(TObject*) { Note("XferReady"); }
    void CloseSource(TObject*) { Note("CloseSource"); }
    void Image(TObject*, void*, void*, std::uintptr_t, const std::string&) { Note("ImageReady"); }
    void Failure(TObject*, std::int32_t dg, std::uint16_t dat, std::uint16_t cap, std::uint16_t msg, std::int32_t rc,
                 std::int32_t cc) {
        Note("Failure");
        failures.push_back({std::uint32_t(dg), dat, cap, msg, std::uint16_t(rc), std::uint16_t(cc)});
    }
    int Count(const std::string& what) const { return int(std::count(events.begin(), events.end(), what)); }

    void Attach(TzavTWAIN& twain) {
        TzavTWAINThread& c = twain.Connection();
        c.OnStateChange = MakeMethod<&TRecorder::State>(this);
        c.OnEnableMenus = MakeMethod<&TRecorder::EnableMenus>(this);
        c.OnImageReady = MakeMethod<&TRecorder::Image>(this);
        c.OnFailure = MakeMethod<&TRecorder::Failure>(this);
        twain.OnDisableMenus = MakeMethod<&TRecorder::DisableMenus>(this);
        twain.OnXferReady = MakeMethod<&TRecorder::XferReady>(this);
        twain.OnCloseSource = MakeMethod<&TRecorder::CloseSource>(this);
    }
};

class TwainSession : public ::testing::Test {
protected:
    void SetUp() override { InstallTestSource(); }
};

// The calls of the log that make up a session, in order (listing, status and capability traffic left out).
std::vector<std::string> SessionCalls(const TSourceLog& log) {
    std::vector<std::string> calls;
    for (const std::string& call : log.Calls())
        if (call != "IDENTITY.GET" && call != "STATUS.GET" && call.rfind("CAPABILITY.", 0) != 0) calls.push_back(call);
    return calls;
}

// One acquisition from open to close; shared by the in-process test and the two-process test.
void AcquireOnce(TRecorder& rec, TzavTWAIN& twain) {
    ASSERT_TRUE(twain.Acquire(kSourceName));
    ASSERT_TRUE(PumpUntil([&] { return !rec.states.empty() && rec.states.back() == 1; }, 20000));
    testsupport::PumpFor(100);
}

// Opens the manager and the source of that name (the default source for "").
void OpenTestSource(TzavTWAIN& twain, const std::string& name) {
    ASSERT_EQ(twain.Connection().OpenManager(), TWRC_SUCCESS);
    ASSERT_EQ(twain.OpenSource(name), TWRC_SUCCESS);
}

// Asks the open source for its transfer mechanism.
std::uint16_t GetXferMech(TzavTWAIN& twain, TW_CAPABILITY& cap) {
    cap = TW_CAPABILITY{};
    cap.Cap = ICAP_XFERMECH;
    cap.ConType = TWON_DONTCARE16;
    return twain.Connection().CallTriplet(const_cast<TW_IDENTITY*>(&twain.AppIdentity()),
                                          const_cast<TW_IDENTITY*>(&twain.SourceIdentity()), &cap, MSG_GET,
                                          DAT_CAPABILITY, DG_CONTROL);
}

// Finds the manager's "Select Source" dialog of this process, picks the item and presses the button.
void AnswerSelectSource(const std::string& item, int button, std::atomic<bool>& answered) {
    const DWORD process = ::GetCurrentProcessId();
    for (int i = 0; i < 1000 && !answered; ++i) {
        HWND dialog = nullptr;
        while ((dialog = ::FindWindowExA(nullptr, dialog, "#32770", "Select Source")) != nullptr) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(dialog, &owner);
            if (owner != process) continue;
            const HWND list = ::GetDlgItem(dialog, 1001);
            if (!item.empty()) {
                const LRESULT index = ::SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(item.c_str()));
                ::SendMessageA(list, LB_SETCURSEL, WPARAM(index), 0);
            }
            ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), LPARAM(::GetDlgItem(dialog, button)));
            answered = true;
            return;
        }
        ::Sleep(20);
    }
}

}  // namespace

TEST_F(TwainSession, ListsOnlyTheTestSourceAndKeepsTheCurrentSource) {
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    auto list = MakeObject<TStringList>();
    twain->GetSourceNames(*list);
    ASSERT_EQ(list->Count(), 1);
    EXPECT_EQ(list->Strings(0), kSourceName);
    // The manager was opened for the listing only. The connection thread takes the queue thread's state reports
    // in its own time.
    EXPECT_FALSE(twain->Connection().HasQueue());
    EXPECT_TRUE(PumpUntil([&] { return twain->Connection().State() == 1; }, 5000)) << twain->Connection().State();
    EXPECT_EQ(twn::IdentityText(twain->SourceIdentity().ProductName), "");
}

TEST_F(TwainSession, SelectSourceDialogAnsweredFromAnotherThread) {
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    TRecorder rec;
    rec.Attach(*twain);
    {
        std::atomic<bool> answered{false};
        std::thread answer([&] { AnswerSelectSource(kSourceName, IDOK, answered); });
        EXPECT_EQ(twain->SelectSource(), TWRC_SUCCESS);
        answer.join();
        EXPECT_TRUE(answered);
    }
    EXPECT_EQ(twn::IdentityText(twain->SourceIdentity().ProductName), kSourceName);
    ASSERT_TRUE(PumpUntil([&] { return rec.Count("EnableMenus") == 1; }, 5000));
    EXPECT_EQ(rec.events.front(), "DisableMenus");
    EXPECT_FALSE(rec.offMainThread);
    EXPECT_FALSE(twain->Connection().HasQueue());
    {
        std::atomic<bool> answered{false};
        std::thread answer([&] { AnswerSelectSource("", IDCANCEL, answered); });
        EXPECT_EQ(twain->SelectSource(), TWRC_CANCEL);
        answer.join();
    }
    // A cancelled selection keeps the source chosen before.
    EXPECT_EQ(twn::IdentityText(twain->SourceIdentity().ProductName), kSourceName);
}

TEST_F(TwainSession, AcquisitionRunsTheStatesInOrderAndReportsOnTheMainThread) {
    TSourceLog log;
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    TRecorder rec;
    rec.Attach(*twain);
    AcquireOnce(rec, *twain);
    EXPECT_EQ(rec.states, (std::vector<int>{2, 3, 4, 5, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(rec.Count("XferReady"), 1);
    EXPECT_EQ(rec.Count("DisableMenus"), 1);
    EXPECT_EQ(rec.Count("EnableMenus"), 1);
    EXPECT_FALSE(rec.offMainThread);
    EXPECT_EQ(SessionCalls(log),
              (std::vector<std::string>{"IDENTITY.OPENDS", "USERINTERFACE.ENABLEDS", "IMAGENATIVEXFER.GET",
                                        "PENDINGXFERS.ENDXFER", "USERINTERFACE.DISABLEDS", "IDENTITY.CLOSEDS"}));
    EXPECT_FALSE(twain->Connection().HasQueue());
    EXPECT_EQ(twain->Connection().AfterTransferMode(), kAfterTransferNone);
}

TEST_F(TwainSession, GuardsRefuseOutOfOrderRequestsWithoutACall) {
    TSourceLog log;
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    TzavTWAINThread& c = twain->Connection();
    // No queue thread: every request fails at once.
    EXPECT_EQ(c.CallTriplet(nullptr, nullptr, nullptr, MSG_GET, DAT_STATUS, DG_CONTROL), TWRC_FAILURE);
    EXPECT_EQ(c.OpenSource(), TWRC_FAILURE);
    EXPECT_EQ(c.DisableSource(), TWRC_FAILURE);
    ASSERT_EQ(c.OpenManager(), TWRC_SUCCESS);
    EXPECT_EQ(c.OpenManager(), TWRC_FAILURE);  // already open
    ASSERT_EQ(twain->OpenSource(""), TWRC_SUCCESS);
    // Closing the manager under an open source is refused, and the source stays usable.
    EXPECT_EQ(c.CloseManager(), TWRC_FAILURE);
    EXPECT_TRUE(c.SourceOpen());
    EXPECT_EQ(c.CloseManager(), TWRC_FAILURE);
    EXPECT_EQ(c.CloseSource(), TWRC_SUCCESS);
    EXPECT_EQ(c.CloseManager(), TWRC_SUCCESS);
    EXPECT_FALSE(c.HasQueue());
    EXPECT_EQ(SessionCalls(log), (std::vector<std::string>{"IDENTITY.OPENDS", "IDENTITY.CLOSEDS"}));
}

TEST_F(TwainSession, CapabilitiesAreReadIntoTheSourcesContainersAndSentBack) {
    TSourceLog log;
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    ASSERT_NO_FATAL_FAILURE(OpenTestSource(*twain, kSourceName));
    // Opening read the source's lists.
    EXPECT_TRUE(twain->IsCapSupported(ICAP_UNITS));
    EXPECT_FALSE(twain->IsCapSupported(CAP_INDICATORS));
    EXPECT_TRUE(twain->IsExtendedCap(ICAP_PIXELFLAVOR));
    EXPECT_FALSE(twain->IsExtendedCap(ICAP_UNITS));
    const std::size_t opened = log.Calls().size();

    // The units come as an enumeration of packed 16-bit items into the list's container.
    ASSERT_EQ(twain->GetCapability(ICAP_UNITS, MSG_GET), TWRC_SUCCESS);
    TTwnContainer* units = twain->Containers().Find(ICAP_UNITS);
    ASSERT_NE(units, nullptr);
    EXPECT_EQ(units->ContainerType(), TWON_ENUMERATION);
    ASSERT_EQ(units->Count(), 3);
    EXPECT_EQ(units->GetItem(2), TVariant(std::int32_t(2)));
    EXPECT_EQ(units->GetCurrent(), TVariant(std::int32_t(0)));
    // Sent back as a one value of the item chosen: the source answers it as its current item.
    units->SetCurrent(TVariant(std::int32_t(1)));
    EXPECT_EQ(twain->SetCapability(MSG_SET, true, *units), TWRC_SUCCESS);
    TTwnContainer mine;
    ASSERT_EQ(twain->GetCapability(ICAP_UNITS, MSG_GET, &mine), TWRC_SUCCESS);
    EXPECT_EQ(mine.Capability(), ICAP_UNITS);
    EXPECT_EQ(mine.GetCurrent(), TVariant(std::int32_t(1)));
    EXPECT_EQ(twain->GetCapability(ICAP_UNITS, MSG_QUERYSUPPORT, &mine), TWRC_SUCCESS);
    EXPECT_EQ(mine.QuerySupport(), 15);

    // A container announcing far more items than its block holds is not taken: the container stays as it was.
    {
        TSwitch garbage("VANTOREL_TESTDS_GARBAGE", "CAPABILITY.GET");
        EXPECT_EQ(twain->GetCapability(ICAP_UNITS, MSG_GET, &mine), TWRC_FAILURE);
    }
    EXPECT_EQ(mine.Count(), 3);
    EXPECT_EQ(mine.GetCurrent(), TVariant(std::int32_t(1)));

    // What the source does not list: the component does not ask, the interface layer does (and hears no).
    EXPECT_EQ(twain->GetCapability(CAP_INDICATORS, MSG_GET), -1);
    EXPECT_EQ(twain->SetBoolCapability(CAP_INDICATORS, MSG_SET, true), -1);
    EXPECT_EQ(static_cast<TzavTWAINIntf&>(*twain).GetCapability(CAP_INDICATORS, MSG_GET), TWRC_FAILURE);
    twain->SetLenientOnCaps(true);
    EXPECT_EQ(twain->GetCapability(CAP_INDICATORS, MSG_GET), TWRC_FAILURE);
    twain->SetLenientOnCaps(false);
    // Only MSG_SET sets, and a set is no read.
    EXPECT_EQ(twain->SetCapability(MSG_GET, true, mine), -1);
    EXPECT_EQ(twain->GetCapability(ICAP_UNITS, MSG_SET, &mine), TWRC_FAILURE);
    const std::vector<std::string> calls = log.Calls();
    EXPECT_EQ(std::vector<std::string>(calls.begin() + std::ptrdiff_t(opened), calls.end()),
              (std::vector<std::string>{"CAPABILITY.GET", "CAPABILITY.SET", "CAPABILITY.GET", "CAPABILITY.QUERYSUPPORT",
                                        "CAPABILITY.GET", "CAPABILITY.GET", "CAPABILITY.GET"}));

    // Without an open source nothing is asked; a source opened again starts with no containers.
    EXPECT_EQ(twain->CloseSource(), TWRC_SUCCESS);
    EXPECT_EQ(twain->GetCapability(ICAP_UNITS, MSG_GET, &mine), TWRC_FAILURE);
    EXPECT_EQ(log.Calls().size(), calls.size() + 1);
    ASSERT_EQ(twain->OpenSource(kSourceName), TWRC_SUCCESS);
    EXPECT_EQ(twain->Containers().Find(ICAP_UNITS), nullptr);
    EXPECT_NE(twain->Containers().Find(CAP_SUPPORTEDCAPS), nullptr);
    twain->CloseAll();
}

TEST_F(TwainSession, ThePaletteGoesToTheSourceAndComesBackByIndex) {
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    TzavTWAINThread& c = twain->Connection();
    std::uint16_t type = 0;
    EXPECT_EQ(c.Palette8(MSG_GET, type), TWRC_FAILURE);  // no source
    ASSERT_NO_FATAL_FAILURE(OpenTestSource(*twain, kSourceName));
    TTwnPalette& palette = c.Palette();
    for (int i = 0; i < 256; ++i) {
        palette.Colors[i][0] = std::uint8_t(i);
        palette.Colors[i][1] = std::uint8_t(255 - i);
        palette.Colors[i][2] = 7;
    }
    EXPECT_EQ(c.Palette8(MSG_SET, type), TWRC_SUCCESS);
    std::memset(palette.Colors, 0, sizeof palette.Colors);
    type = 5;
    ASSERT_EQ(c.Palette8(MSG_GET, type), TWRC_SUCCESS);
    EXPECT_EQ(type, 0);
    EXPECT_EQ(palette.NumColors, 256);
    EXPECT_EQ(palette.Colors[200][0], 200);
    EXPECT_EQ(palette.Colors[200][1], 55);
    EXPECT_EQ(palette.Colors[200][2], 7);
    // The default: four grey elements that all say Index 9 are the first four entries, the rest is cleared.
    for (std::uint16_t msg : {MSG_GETDEFAULT, MSG_RESET}) {
        ASSERT_EQ(c.Palette8(msg, type), TWRC_SUCCESS);
        EXPECT_EQ(type, 1);
        EXPECT_EQ(palette.Colors[3][0], 255);
        EXPECT_EQ(palette.Colors[9][0], 0);
        EXPECT_EQ(palette.Colors[200][1], 0);
    }
    // The reset dropped the palette set.
    ASSERT_EQ(c.Palette8(MSG_GET, type), TWRC_SUCCESS);
    EXPECT_EQ(palette.Colors[200][1], 0);
    EXPECT_EQ(c.Palette8(MSG_QUERYSUPPORT, type), TWRC_FAILURE);
    c.CloseAll();
}

TEST_F(TwainSession, ANameNoSourceHasOpensNothing) {
    TSourceLog log;
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    TRecorder rec;
    rec.Attach(*twain);
    EXPECT_FALSE(twain->Acquire("Unplugged Scanner"));
    EXPECT_FALSE(twain->Connection().HasQueue());
    EXPECT_EQ(SessionCalls(log), std::vector<std::string>{});
}

TEST_F(TwainSession, TransferReadyWithoutAnAcquisitionOnlySetsTheState) {
    TSourceLog log;
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    TRecorder rec;
    rec.Attach(*twain);
    TzavTWAINThread& c = twain->Connection();
    ASSERT_NO_FATAL_FAILURE(OpenTestSource(*twain, kSourceName));
    bool showUI = false, modalUI = false;
    ASSERT_EQ(c.EnableSource(showUI, modalUI), TWRC_SUCCESS);  // after-transfer mode 0
    ASSERT_TRUE(PumpUntil([&] { return !rec.states.empty() && rec.states.back() == 6; }, 5000));
    testsupport::PumpFor(200);
    EXPECT_EQ(rec.Count("XferReady"), 0);
    std::int32_t count = -1;
    EXPECT_EQ(c.PendingTransfers(MSG_RESET, count), TWRC_SUCCESS);
    EXPECT_EQ(count, 0);
    c.CloseAll();
    EXPECT_EQ(SessionCalls(log),
              (std::vector<std::string>{"IDENTITY.OPENDS", "USERINTERFACE.ENABLEDS", "PENDINGXFERS.RESET",
                                        "USERINTERFACE.DISABLEDS", "IDENTITY.CLOSEDS"}));
}

TEST_F(TwainSession, SelectSourceWhileASourceIsOpenFailsAndStillEnablesMenus) {
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    TRecorder rec;
    rec.Attach(*twain);
    TzavTWAINThread& c = twain->Connection();
    ASSERT_NO_FATAL_FAILURE(OpenTestSource(*twain, ""));
    EXPECT_EQ(c.SelectSource(nullptr), TWRC_FAILURE);
    EXPECT_TRUE(PumpUntil([&] { return rec.Count("EnableMenus") == 1; }, 5000));
    EXPECT_TRUE(c.SourceOpen());  // the queue thread of the open source is kept
    c.CloseAll();
}

TEST_F(TwainSession, AFailedCallIsReportedOnceWithItsConditionCode) {
    TSwitch fail("VANTOREL_TESTDS_FAIL", "USERINTERFACE.ENABLEDS");
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    TRecorder rec;
    rec.Attach(*twain);
    EXPECT_FALSE(twain->Acquire(kSourceName));
    ASSERT_TRUE(
        PumpUntil([&] { return rec.Count("Failure") == 1 && !rec.states.empty() && rec.states.back() == 1; }, 5000));
    testsupport::PumpFor(200);
    ASSERT_EQ(rec.failures.size(), 1u);
    const TTwnFailure& f = rec.failures[0];
    EXPECT_EQ(f.dg, DG_CONTROL);
    EXPECT_EQ(f.dat, DAT_USERINTERFACE);
    EXPECT_EQ(f.cap, 0);
    EXPECT_EQ(f.msg, MSG_ENABLEDS);
    EXPECT_EQ(f.rc, TWRC_FAILURE);
    EXPECT_EQ(f.conditionCode, TWCC_BUMMER);
    EXPECT_FALSE(twain->Connection().HasQueue());  // the failed acquisition closed what it opened
}

TEST_F(TwainSession, AHangingSourceTimesOutAndALateAnswerTouchesNothing) {
    TSourceLog log;
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    TzavTWAINThread& c = twain->Connection();
    ASSERT_NO_FATAL_FAILURE(OpenTestSource(*twain, ""));
    const std::size_t opened = log.Calls().size();
    TSwitch hang("VANTOREL_TESTDS_HANG", "CAPABILITY.GET:4000");
    EXPECT_EQ(c.RequestTimeout(), kTwnRequestTimeout);
    c.SetRequestTimeout(800);
    TW_CAPABILITY cap;
    const DWORD start = ::GetTickCount();
    EXPECT_EQ(GetXferMech(*twain, cap), TWRC_TIMEDOUT);
    const DWORD elapsed = ::GetTickCount() - start;
    EXPECT_GE(elapsed, 780u);
    EXPECT_LT(elapsed, 2500u);
    // The source answers later: into the request's own copy, not into the caller's record.
    c.SetRequestTimeout(kTwnRequestTimeout);
    EXPECT_EQ(c.CloseSource(), TWRC_SUCCESS);
    EXPECT_EQ(cap.ConType, TWON_DONTCARE16);
    EXPECT_EQ(cap.hContainer, nullptr);
    EXPECT_EQ(c.CloseManager(), TWRC_SUCCESS);
    // Each request ran once.
    const std::vector<std::string> calls = log.Calls();
    EXPECT_EQ(std::vector<std::string>(calls.begin() + std::ptrdiff_t(opened), calls.end()),
              (std::vector<std::string>{"CAPABILITY.GET", "IDENTITY.CLOSEDS"}));
}

TEST_F(TwainSession, AQuitMetWhileWaitingEndsTheWaitAndStaysWithItsExitCode) {
    TSwitch hang("VANTOREL_TESTDS_HANG", "CAPABILITY.GET:3000");
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    TzavTWAINThread& c = twain->Connection();
    ASSERT_NO_FATAL_FAILURE(OpenTestSource(*twain, ""));
    TW_CAPABILITY cap;
    ::PostQuitMessage(7);
    const DWORD start = ::GetTickCount();
    EXPECT_EQ(GetXferMech(*twain, cap), TWRC_FAILURE);
    EXPECT_LT(::GetTickCount() - start, 1500u);
    MSG quit;
    ASSERT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
    c.CloseAll();
    EXPECT_FALSE(c.HasQueue());
}

TEST_F(TwainSession, PostsFromOutsideCarryNothingTheThreadsAct) {
    TSourceLog log;
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    TRecorder rec;
    rec.Attach(*twain);
    TzavTWAINThread& c = twain->Connection();
    ASSERT_NO_FATAL_FAILURE(OpenTestSource(*twain, ""));
    testsupport::PumpFor(200);
    const std::size_t states = rec.states.size();
    // What another process could post: a triplet and a failure record with made-up pointers, a close request,
    // a state, a transfer-ready.
    const DWORD queue = c.QueueThreadID();
    EXPECT_TRUE(::PostThreadMessageA(queue, TWM_TRIPLET, 0, LPARAM(0x12345678)));
    EXPECT_TRUE(::PostThreadMessageA(queue, TWM_CLOSESOURCE, 0, 0));
    EXPECT_TRUE(::PostThreadMessageA(c.ThreadID(), TWM_FAILURE, 0, LPARAM(0x12345678)));
    EXPECT_TRUE(::PostThreadMessageA(c.ThreadID(), TWM_CLOSEREQUEST, 0, 0));
    EXPECT_TRUE(::PostThreadMessageA(c.ThreadID(), TWM_STATE, 0, 7));
    EXPECT_TRUE(::PostThreadMessageA(c.ThreadID(), TWM_XFERREADY, 0, 0));
    testsupport::PumpFor(300);
    EXPECT_TRUE(c.SourceOpen());
    EXPECT_EQ(rec.states.size(), states);
    EXPECT_EQ(rec.Count("Failure"), 0);
    EXPECT_EQ(rec.Count("CloseSource"), 0);
    EXPECT_EQ(c.CloseSource(), TWRC_SUCCESS);
    EXPECT_EQ(c.CloseManager(), TWRC_SUCCESS);
    EXPECT_EQ(SessionCalls(log), (std::vector<std::string>{"IDENTITY.OPENDS", "IDENTITY.CLOSEDS"}));
}

TEST_F(TwainSession, TheSourceAskingToCloseClosesEverythingThenTellsTheProgram) {
    TSwitch notify("VANTOREL_TESTDS_NOTIFY", "closereq");
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    TRecorder rec;
    rec.Attach(*twain);
    ASSERT_TRUE(twain->Acquire(kSourceName));
    // Everything is closed before the program hears of it; the state reports follow.
    ASSERT_TRUE(PumpUntil([&] { return rec.Count("CloseSource") == 1; }, 5000));
    EXPECT_FALSE(twain->Connection().HasQueue());
    EXPECT_EQ(twain->Connection().AfterTransferMode(), kAfterTransferNone);
    ASSERT_TRUE(PumpUntil([&] { return rec.states.back() == 1; }, 5000));
    EXPECT_EQ(rec.states, (std::vector<int>{2, 3, 4, 5, 4, 3, 2, 1}));
}

TEST_F(TwainSession, DefaultsTouchNoFile) {
    char windows[MAX_PATH + 1] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string ini = std::string(windows) + "\\zavTWAIN.INI";
    ::DeleteFileA(ini.c_str());
    const std::string log = ProgramFolder() + "APPTWN.LOG";
    const HANDLE file = ::CreateFileA(log.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);
    {
        auto twain = MakeObject<TzavTWAIN>(nullptr);
        EXPECT_EQ(twain->LogFilename(), "C:\\APPTWN.LOG");
        EXPECT_FALSE(twain->LogToFile());
        EXPECT_EQ(twain->MessageLevel(), TTwnErrorLevel::ML_NONE);
        EXPECT_EQ(twain->FileFormats(), FileFmtBit(TWFF_BMP));
        EXPECT_EQ(twain->Language(), TzavLanguage::ENGLISH_INTL);
        EXPECT_EQ(twain->Country(), TzavCountry::UNITEDKINGDOM);
        EXPECT_TRUE(twain->ShowUI());
        EXPECT_TRUE(twain->DisableAfterAcquire());
        // With logging off, naming a log file leaves the file alone.
        twain->SetLogFilename(log);
        EXPECT_NE(::GetFileAttributesA(log.c_str()), INVALID_FILE_ATTRIBUTES);
        twain->SetLogFilename("C:\\APPTWN.LOG");
        twain->SetLogToFile(true);
        twain->SetLogFilename(log);
        EXPECT_EQ(::GetFileAttributesA(log.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    EXPECT_EQ(::GetFileAttributesA(ini.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(TwainSession, IdentityPropertiesReachTheApplicationIdentity) {
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    twain->SetProductName("Vantorel");
    twain->SetLanguage(TzavLanguage::GERMAN);
    twain->SetCountry(TzavCountry::GERMANY);
    EXPECT_EQ(twn::IdentityText(twain->AppIdentity().ProductName), "Vantorel");
    EXPECT_EQ(twain->AppIdentity().Version.Language, 6);
    EXPECT_EQ(twain->AppIdentity().Version.Country, 49);
    EXPECT_EQ(twain->Language(), TzavLanguage::GERMAN);
    EXPECT_EQ(twain->Country(), TzavCountry::GERMANY);
}

namespace {
std::string ChildMode() {
    char mode[64] = {};
    ::GetEnvironmentVariableA("VANTOREL_TWAIN_CHILD", mode, sizeof mode);
    return mode;
}
}  // namespace

// Runs only as a child of the tests below.
TEST(TwainChild, Acquire) {
    if (ChildMode() != "1") GTEST_SKIP();
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    TRecorder rec;
    rec.Attach(*twain);
    for (int i = 0; i < 3; ++i) {
        rec.states.clear();
        AcquireOnce(rec, *twain);
        EXPECT_EQ(rec.states, (std::vector<int>{2, 3, 4, 5, 6, 5, 4, 3, 2, 1}));
    }
}

TEST_F(TwainSession, TwoInstancesInTwoProcessesDoNotDisturbEachOther) {
    TSourceLog first, second;
    HANDLE a = StartChild("TwainChild.Acquire", {"VANTOREL_TWAIN_CHILD=1", "VANTOREL_TESTDS_LOG=" + first.Path()});
    HANDLE b = StartChild("TwainChild.Acquire", {"VANTOREL_TWAIN_CHILD=1", "VANTOREL_TESTDS_LOG=" + second.Path()});
    EXPECT_EQ(WaitChild(a, 60000), 0);
    EXPECT_EQ(WaitChild(b, 60000), 0);
    std::vector<std::string> once = {"IDENTITY.OPENDS",      "USERINTERFACE.ENABLEDS",  "IMAGENATIVEXFER.GET",
                                     "PENDINGXFERS.ENDXFER", "USERINTERFACE.DISABLEDS", "IDENTITY.CLOSEDS"};
    std::vector<std::string> thrice;
    for (int i = 0; i < 3; ++i) thrice.insert(thrice.end(), once.begin(), once.end());
    EXPECT_EQ(SessionCalls(first), thrice);
    EXPECT_EQ(SessionCalls(second), thrice);
}

// Runs a child test (a copy of this program) with the stand-in manager in place of the system's in the Windows
// folder, and puts the system's file back afterwards (or takes the stand-in away where there was none): a 32-bit
// prefix has no other manager. Answers the child's
// exit code.
int RunWithStandInManager(const std::string& filter) {
    char windows[MAX_PATH + 1] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string manager = std::string(windows) + "\\twain_32.dll";
    const std::string saved = manager + ".saved";
    // A 64-bit prefix made where 32-bit programs cannot run has no system manager there: nothing to put back.
    const bool system = ::GetFileAttributesA(manager.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (system) {
        EXPECT_TRUE(::CopyFileA(manager.c_str(), saved.c_str(), FALSE));
    }
    EXPECT_TRUE(::CopyFileA((ProgramFolder() + "twain_32.dll").c_str(), manager.c_str(), FALSE));
    int code;
    {
        TOverriddenCopy program("scan_fakedsm_child.exe", "twain_32");
        code = WaitChild(StartChild(filter, {"VANTOREL_TWAIN_CHILD=fakedsm"}, program.Program()), 60000);
    }
    if (system) {
        EXPECT_TRUE(::MoveFileExA(saved.c_str(), manager.c_str(), MOVEFILE_REPLACE_EXISTING));
    } else {
        EXPECT_TRUE(::DeleteFileA(manager.c_str()));
    }
    return code;
}

// Runs only as a child of the test below, with the stand-in manager in place of the system's: Wine's manager
// itself faults on such names.
TEST(TwainChild, NamesWithoutTerminators) {
    if (ChildMode() != "fakedsm") GTEST_SKIP();
    TSwitch unterminated("VANTOREL_FAKEDSM_UNTERMINATED", "1");
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    auto list = MakeObject<TStringList>();
    twain->GetSourceNames(*list);
    ASSERT_EQ(list->Count(), 1);
    EXPECT_EQ(list->Strings(0), std::string(34, 'P'));
}

TEST_F(TwainSession, NamesWithoutTerminatorsAreReadToTheFieldsEndOnly) {
    EXPECT_EQ(RunWithStandInManager("TwainChild.NamesWithoutTerminators"), 0);
}

// Runs only as a child of the test below, with the stand-in manager in place of the system's.
TEST(TwainChild, FaultsInsideTheManager) {
    if (ChildMode() != "fakedsm") GTEST_SKIP();
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    TRecorder rec;
    rec.Attach(*twain);
    TzavTWAINThread& c = twain->Connection();
    auto list = MakeObject<TStringList>();
    twain->GetSourceNames(*list);
    ASSERT_EQ(list->Count(), 1);
    ASSERT_EQ(list->Strings(0), "Fake Manager Source");

    // A fault inside the manager: 33668, the binding is gone, the program hears of it on its main thread.
    ASSERT_EQ(c.OpenManager(), TWRC_SUCCESS);
    {
        TSwitch fault("VANTOREL_FAKEDSM_FAULT", "0401");
        EXPECT_EQ(c.OpenSource(), TWRC_MANAGERFAULT);
    }
    ASSERT_TRUE(PumpUntil([&] { return rec.Count("EnableMenus") == 1 && rec.states.back() == 1; }, 5000));
    EXPECT_FALSE(c.HasQueue());
    EXPECT_EQ(c.State(), 1);
    EXPECT_EQ(rec.Count("Failure"), 0);
    EXPECT_FALSE(rec.offMainThread);

    // The program goes on: the manager binds and opens again.
    ASSERT_EQ(c.OpenManager(), TWRC_SUCCESS);
    EXPECT_EQ(c.OpenSource(), TWRC_SUCCESS);
    EXPECT_EQ(c.CloseSource(), TWRC_SUCCESS);
    EXPECT_EQ(c.CloseManager(), TWRC_SUCCESS);

    // Walking the sources waits without a time limit; other calls give up after the request time-out.
    ASSERT_EQ(c.OpenManager(), TWRC_SUCCESS);
    c.SetRequestTimeout(500);
    {
        TSwitch hang("VANTOREL_FAKEDSM_HANG", "0004:1200");
        twain->GetSourceNames(*list);
        EXPECT_EQ(list->Count(), 1);
    }
    {
        TSwitch hang("VANTOREL_FAKEDSM_HANG", "0302:1200");
        EXPECT_EQ(c.CloseManager(), TWRC_TIMEDOUT);
    }
    EXPECT_FALSE(c.HasQueue());  // the queue thread ended once the late answer came

    // A fault in the selection dialog's own call on the calling thread.
    {
        TSwitch fault("VANTOREL_FAKEDSM_FAULT", "0403");
        EXPECT_EQ(c.SelectSource(nullptr), TWRC_MANAGERFAULT);
    }
    EXPECT_FALSE(c.HasQueue());
    // The connection thread hears of that fault only after the state reports before it, which wait for this
    // thread: a manager opened meanwhile is not the one that failed, and stays open.
    ASSERT_EQ(c.OpenManager(), TWRC_SUCCESS);
    testsupport::PumpFor(300);
    EXPECT_TRUE(c.ManagerOpen());
    EXPECT_EQ(c.CloseManager(), TWRC_SUCCESS);

    // A failure is reported with the condition code the status query gives; a status query that faults
    // leaves condition code 1 and is not itself reported. The short time-out above is for the hangs only: on a
    // busy machine an ordinary call may take longer than that.
    c.SetRequestTimeout(kTwnRequestTimeout);
    rec.failures.clear();
    {
        TSwitch fail("VANTOREL_FAKEDSM_FAIL", "0004:13");
        twain->GetSourceNames(*list);
        EXPECT_EQ(list->Count(), 0);
        TSwitch statusFault("VANTOREL_FAKEDSM_STATUSFAULT", "1");
        twain->GetSourceNames(*list);
    }
    ASSERT_TRUE(PumpUntil([&] { return rec.failures.size() == 2; }, 20000)) << rec.failures.size() << " reports";
    testsupport::PumpFor(200);
    ASSERT_EQ(rec.failures.size(), 2u);
    EXPECT_EQ(rec.failures[0].dg, DG_CONTROL);
    EXPECT_EQ(rec.failures[0].dat, DAT_IDENTITY);
    EXPECT_EQ(rec.failures[0].msg, MSG_GETFIRST);
    EXPECT_EQ(rec.failures[0].rc, TWRC_FAILURE);
    EXPECT_EQ(rec.failures[0].conditionCode, 13);
    EXPECT_EQ(rec.failures[1].conditionCode, TWCC_BUMMER);
    EXPECT_FALSE(c.HasQueue());
}

TEST_F(TwainSession, AFaultInsideTheManagerGives33668AndTheProgramGoesOn) {
    EXPECT_EQ(RunWithStandInManager("TwainChild.FaultsInsideTheManager"), 0);
}

TEST_F(TwainSession, SynchronisedCallsRunWhileTheMainThreadSitsInAModalLoop) {
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    std::atomic<bool> ran{false};
    std::atomic<DWORD> ranOn{0};
    std::thread worker([&] {
        ::Sleep(200);  // the message box is up by then
        Synchronize(nullptr, [&] {
            ranOn = ::GetCurrentThreadId();
            ran = true;
        });
    });
    // Closes the message box once the call has run inside it, or after 5 s.
    std::thread closer([&] {
        for (int i = 0; i < 500 && !ran; ++i) ::Sleep(10);
        for (int i = 0; i < 500; ++i) {
            HWND box = nullptr;
            while ((box = ::FindWindowExA(nullptr, box, "#32770", "TwainModal")) != nullptr) {
                DWORD process = 0;
                ::GetWindowThreadProcessId(box, &process);
                if (process == ::GetCurrentProcessId()) {
                    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
                    return;
                }
            }
            ::Sleep(10);
        }
    });
    ::MessageBoxA(nullptr, "waiting", "TwainModal", MB_OK);
    closer.join();
    EXPECT_TRUE(ran);
    if (!ran) CheckSynchronize(5000);  // releases the worker when the call did not run inside the box
    worker.join();
    EXPECT_EQ(ranOn, ::GetCurrentThreadId());
}

TEST_F(TwainSession, WithoutDisableAfterAcquireTheSourceStaysEnabledAfterTheTransfers) {
    TSourceLog log;
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    TRecorder rec;
    rec.Attach(*twain);
    twain->SetDisableAfterAcquire(false);
    ASSERT_TRUE(twain->Acquire(kSourceName));
    ASSERT_TRUE(PumpUntil([&] { return rec.states.size() >= 6; }, 5000));
    testsupport::PumpFor(300);
    EXPECT_EQ(rec.states, (std::vector<int>{2, 3, 4, 5, 6, 5}));
    EXPECT_TRUE(twain->Connection().SourceEnabled());
    EXPECT_EQ(twain->Connection().AfterTransferMode(), kAfterTransferKeepEnabled);
    twain->CloseAll();
    EXPECT_FALSE(twain->Connection().HasQueue());
    EXPECT_EQ(SessionCalls(log),
              (std::vector<std::string>{"IDENTITY.OPENDS", "USERINTERFACE.ENABLEDS", "IMAGENATIVEXFER.GET",
                                        "PENDINGXFERS.ENDXFER", "USERINTERFACE.DISABLEDS", "IDENTITY.CLOSEDS"}));
}

TEST_F(TwainSession, ASourceClaimingImagesAfterAResetDoesNotKeepTheTransfersGoing) {
    TSourceLog log;
    TSwitch garbage("VANTOREL_TESTDS_GARBAGE", "PENDINGXFERS.RESET");
    // A failed transfer with images left resets them.
    TSwitch images("VANTOREL_TESTDS_IMAGES", "3");
    TSwitch fail("VANTOREL_TESTDS_FAIL", "IMAGENATIVEXFER.GET");
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    TRecorder rec;
    rec.Attach(*twain);
    AcquireOnce(rec, *twain);
    EXPECT_EQ(rec.states, (std::vector<int>{2, 3, 4, 5, 6, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(rec.Count("ImageReady"), 1);
    EXPECT_EQ(SessionCalls(log),
              (std::vector<std::string>{"IDENTITY.OPENDS", "USERINTERFACE.ENABLEDS", "IMAGENATIVEXFER.GET",
                                        "PENDINGXFERS.ENDXFER", "PENDINGXFERS.RESET", "USERINTERFACE.DISABLEDS",
                                        "IDENTITY.CLOSEDS"}));
}

TEST_F(TwainSession, TheTestSourceDeliversByFileNativeAndMemory) {
    auto twain = MakeObject<TzavTWAIN>(nullptr);
    TRecorder rec;
    rec.Attach(*twain);
    TzavTWAINThread& c = twain->Connection();
    auto* app = const_cast<TW_IDENTITY*>(&twain->AppIdentity());
    auto* src = const_cast<TW_IDENTITY*>(&twain->SourceIdentity());
    TSwitch images("VANTOREL_TESTDS_IMAGES", "3");
    ASSERT_NO_FATAL_FAILURE(OpenTestSource(*twain, kSourceName));
    bool showUI = false, modalUI = false;
    ASSERT_EQ(c.EnableSource(showUI, modalUI), TWRC_SUCCESS);
    ASSERT_TRUE(PumpUntil([&] { return !rec.states.empty() && rec.states.back() == 6; }, 5000));
    std::int32_t count = 0;

    // Native: a packed 4 x 3 24-bit DIB in global memory.
    TW_HANDLE dib = nullptr;
    ASSERT_EQ(c.CallTriplet(app, src, &dib, MSG_GET, DAT_IMAGENATIVEXFER, DG_IMAGE), TWRC_XFERDONE);
    ASSERT_NE(dib, nullptr);
    {
        const auto* header = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(dib));
        EXPECT_EQ(header->biWidth, 4);
        EXPECT_EQ(header->biHeight, 3);
        EXPECT_EQ(header->biBitCount, 24);
        const auto* bits = reinterpret_cast<const std::uint8_t*>(header + 1);
        EXPECT_EQ(bits[2], 10);   // bottom row is image row 2: red of (0, 2)
        EXPECT_EQ(bits[1], 140);  // green 60 * 2 + 20
        EXPECT_EQ(bits[0], 200);
        ::GlobalUnlock(dib);
        ::GlobalFree(dib);
    }
    ASSERT_EQ(c.PendingTransfers(MSG_ENDXFER, count), TWRC_SUCCESS);
    EXPECT_EQ(count, 2);

    // File: a BMP at the name set up.
    char folder[MAX_PATH + 1] = {};
    ::GetTempPathA(MAX_PATH, folder);
    const std::string file = std::string(folder) + "vantorel-testds.bmp";
    TW_SETUPFILEXFER setup{};
    std::strcpy(setup.FileName, file.c_str());
    setup.Format = 2;
    setup.VRefNum = -1;
    ASSERT_EQ(c.CallTriplet(app, src, &setup, MSG_SET, DAT_SETUPFILEXFER, DG_CONTROL), TWRC_SUCCESS);
    ASSERT_EQ(c.CallTriplet(app, src, nullptr, MSG_GET, DAT_IMAGEFILEXFER, DG_IMAGE), TWRC_XFERDONE);
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    ASSERT_TRUE(::GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &attributes));
    EXPECT_EQ(attributes.nFileSizeLow, 14u + 40u + 36u);
    ::DeleteFileA(file.c_str());
    ASSERT_EQ(c.PendingTransfers(MSG_ENDXFER, count), TWRC_SUCCESS);
    EXPECT_EQ(count, 1);

    // Buffered memory: top row first, red-green-blue, as many whole rows as the buffer holds.
    TW_IMAGEINFO info{};
    ASSERT_EQ(c.CallTriplet(app, src, &info, MSG_GET, DAT_IMAGEINFO, DG_IMAGE), TWRC_SUCCESS);
    EXPECT_EQ(info.ImageWidth, 4);
    EXPECT_EQ(info.ImageLength, 3);
    std::uint8_t strip[24] = {};
    TW_IMAGEMEMXFER xfer{};
    xfer.Memory.Flags = TWMF_APPOWNS | TWMF_POINTER;
    xfer.Memory.Length = sizeof strip;
    xfer.Memory.TheMem = strip;
    ASSERT_EQ(c.CallTriplet(app, src, &xfer, MSG_GET, DAT_IMAGEMEMXFER, DG_IMAGE), TWRC_SUCCESS);
    EXPECT_EQ(xfer.Rows, 2u);
    EXPECT_EQ(xfer.BytesWritten, 24u);
    EXPECT_EQ(strip[12 + 3], 50);  // red of (1, 1)
    EXPECT_EQ(strip[12 + 4], 80);  // green of row 1
    ASSERT_EQ(c.CallTriplet(app, src, &xfer, MSG_GET, DAT_IMAGEMEMXFER, DG_IMAGE), TWRC_XFERDONE);
    EXPECT_EQ(xfer.Rows, 1u);
    EXPECT_EQ(xfer.YOffset, 2u);
    ASSERT_EQ(c.PendingTransfers(MSG_ENDXFER, count), TWRC_SUCCESS);
    EXPECT_EQ(count, 0);
    c.CloseAll();
    EXPECT_FALSE(c.HasQueue());
}

TEST_F(TwainSession, AComponentFreedDuringASessionClosesItWithoutCallingItsHandlers) {
    TSourceLog log;
    TRecorder rec;
    {
        auto twain = MakeObject<TzavTWAIN>(nullptr);
        rec.Attach(*twain);
        twain->SetDisableAfterAcquire(false);
        ASSERT_TRUE(twain->Acquire(kSourceName));
        ASSERT_TRUE(PumpUntil([&] { return rec.states.size() >= 6; }, 5000));
        testsupport::PumpFor(200);
    }
    // The ending threads asked for pending transfers, disabled and closed the source and the manager; the
    // handlers heard nothing of it.
    EXPECT_EQ(rec.states, (std::vector<int>{2, 3, 4, 5, 6, 5}));
    EXPECT_EQ(rec.Count("EnableMenus"), 0);
    EXPECT_EQ(SessionCalls(log),
              (std::vector<std::string>{"IDENTITY.OPENDS", "USERINTERFACE.ENABLEDS", "IMAGENATIVEXFER.GET",
                                        "PENDINGXFERS.ENDXFER", "PENDINGXFERS.GET", "USERINTERFACE.DISABLEDS",
                                        "IDENTITY.CLOSEDS"}));
}
