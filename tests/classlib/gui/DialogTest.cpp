// The open and save dialogs: the record handed to the system, the results read back from it, and a real
// system dialog found, answered and closed from inside its own loop.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/classlib/gui/ApplicationTestSupport.h"
#include "classlib/win/TOpenDialog.h"
#include "classlib/win/TSaveDialog.h"
#include "tests/support/TestSupport.h"

using namespace std::string_literals;

namespace {

// What a substitute dialog function saw in the record, copied while it ran.
struct Seen {
    DWORD structSize = 0;
    HWND owner = nullptr;
    std::string filter;
    DWORD filterIndex = 0;
    std::string file;
    DWORD maxFile = 0;
    std::string initialDir;
    std::string title;
    std::string defExt;
    DWORD flags = 0;
    bool hook = false;
    std::string templateName;
    LPARAM custData = 0;
};

Seen g_seen;

std::string Text(const char* s) { return s ? std::string(s) : std::string("<null>"); }

// The filter list up to and including its double NUL.
std::string FilterList(const char* s) {
    if (!s) return "<null>";
    std::size_t n = 0;
    while (s[n] || s[n + 1]) ++n;
    return std::string(s, n + 2);
}

BOOL Record(OPENFILENAMEA* r) {
    g_seen.structSize = r->lStructSize;
    g_seen.owner = r->hwndOwner;
    g_seen.filter = FilterList(r->lpstrFilter);
    g_seen.filterIndex = r->nFilterIndex;
    g_seen.file = Text(r->lpstrFile);
    g_seen.maxFile = r->nMaxFile;
    g_seen.initialDir = Text(r->lpstrInitialDir);
    g_seen.title = Text(r->lpstrTitle);
    g_seen.defExt = Text(r->lpstrDefExt);
    g_seen.flags = r->Flags;
    g_seen.hook = r->lpfnHook != nullptr;
    g_seen.templateName = IS_INTRESOURCE(r->lpTemplateName)
                              ? "#" + std::to_string(reinterpret_cast<std::uintptr_t>(r->lpTemplateName))
                              : Text(r->lpTemplateName);
    g_seen.custData = r->lCustData;
    return FALSE;
}

// A dialog that exposes its record-building run with any function.
class TTestOpenDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;
    bool Run(const TFileDialogFunc& func, HWND parent = nullptr) { return DoExecute(func, parent); }
};

TEST(FileDialog, TheRecordCarriesEverySetting) {
    TObjectPtr<TTestOpenDialog> dialog = MakeObject<TTestOpenDialog>(nullptr);
    dialog->SetFilter("Pictures|*.jpg|All|*.*");
    dialog->SetFilterIndex(2);
    dialog->SetInitialDir("C:\\Pics");
    dialog->SetTitle("Choose");
    dialog->SetDefaultExt("jpg");
    dialog->SetFileName("start.jpg");
    dialog->SetTemplate("DLGTEMPLATE");
    dialog->SetOptions({ofOverwritePrompt, ofAllowMultiSelect, ofFileMustExist, ofEnableSizing});
    const HWND owner = GetDesktopWindow();

    EXPECT_FALSE(dialog->Run(&Record, owner));
    EXPECT_EQ(g_seen.structSize, sizeof(OPENFILENAMEA));
    if (sizeof(void*) == 4) {
        EXPECT_EQ(g_seen.structSize, 88u);
    }
    EXPECT_EQ(g_seen.owner, owner);
    EXPECT_EQ(g_seen.filter, "Pictures\0*.jpg\0All\0*.*\0\0"s);
    EXPECT_EQ(g_seen.filterIndex, 2u);
    EXPECT_EQ(g_seen.file, "start.jpg");
    EXPECT_EQ(g_seen.maxFile, TOpenDialog::kMultiSelectBufferSize);
    EXPECT_EQ(g_seen.initialDir, "C:\\Pics");
    EXPECT_EQ(g_seen.title, "Choose");
    EXPECT_EQ(g_seen.defExt, "jpg");
    EXPECT_EQ(g_seen.flags, DWORD(OFN_ENABLEHOOK | OFN_EXPLORER | OFN_ENABLETEMPLATE | OFN_OVERWRITEPROMPT |
                                  OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_ENABLESIZING));
    EXPECT_TRUE(g_seen.hook);
    EXPECT_EQ(g_seen.templateName, "DLGTEMPLATE");
    EXPECT_EQ(g_seen.custData, reinterpret_cast<LPARAM>(dialog.get()));
    // Cancelled: nothing changed.
    EXPECT_EQ(dialog->FileName(), "start.jpg");
    EXPECT_EQ(dialog->Files()->Count(), 0);
    EXPECT_EQ(dialog->FilterIndex(), 2);
}

TEST(FileDialog, EmptySettingsOldStyleAndTheForcedCurrentFolder) {
    TObjectPtr<TTestOpenDialog> dialog = MakeObject<TTestOpenDialog>(nullptr);
    dialog->SetOptions({ofOldStyleDialog, ofHideReadOnly});
    dialog->SetTemplate(MAKEINTRESOURCEA(101));
    EXPECT_FALSE(dialog->Run(&Record));
    EXPECT_EQ(g_seen.filter, "<null>");
    EXPECT_EQ(g_seen.initialDir, "<null>");
    EXPECT_EQ(g_seen.title, "<null>");
    EXPECT_EQ(g_seen.defExt, "<null>");
    EXPECT_EQ(g_seen.file, "");
    EXPECT_EQ(g_seen.maxFile, TOpenDialog::kFileBufferSize);
    EXPECT_EQ(g_seen.flags, DWORD(OFN_ENABLEHOOK | OFN_HIDEREADONLY | OFN_ENABLETEMPLATE));
    EXPECT_EQ(g_seen.templateName, "#101");

    ForceCurrentDirectory = true;
    dialog->SetTemplate(nullptr);
    dialog->Run(&Record);
    ForceCurrentDirectory = false;
    EXPECT_EQ(g_seen.initialDir, ".");
    EXPECT_EQ(g_seen.flags & OFN_ENABLETEMPLATE, 0u);
    EXPECT_EQ(g_seen.templateName, "#0");
}

TEST(FileDialog, AcceptedNamesOptionsAndFilterAreReadBack) {
    TObjectPtr<TTestOpenDialog> dialog = MakeObject<TTestOpenDialog>(nullptr);
    dialog->SetOptions({ofAllowMultiSelect});
    ASSERT_TRUE(dialog->Run([](OPENFILENAMEA* r) {
        const char names[] = "C:\\Pics\0a.jpg\0b.jpg\0";
        std::memcpy(r->lpstrFile, names, sizeof(names));
        r->Flags |= OFN_READONLY;
        r->nFilterIndex = 3;
        return TRUE;
    }));
    EXPECT_EQ(dialog->FileName(), "C:\\Pics\\a.jpg");
    ASSERT_EQ(dialog->Files()->Count(), 2);
    EXPECT_EQ(dialog->Files()->Strings(0), "C:\\Pics\\a.jpg");
    EXPECT_EQ(dialog->Files()->Strings(1), "C:\\Pics\\b.jpg");
    EXPECT_TRUE(dialog->Options().Contains(ofReadOnly));
    EXPECT_FALSE(dialog->Options().Contains(ofExtensionDifferent));
    EXPECT_EQ(dialog->FilterIndex(), 3);

    // The next run starts from the name chosen; its flags replace the read-back options.
    dialog->SetOptions({ofReadOnly});
    ASSERT_TRUE(dialog->Run([](OPENFILENAMEA* r) {
        if (std::strcmp(r->lpstrFile, "C:\\Pics\\a.jpg") != 0) return FALSE;
        std::strcpy(r->lpstrFile, "D:\\c d.png");
        r->Flags = (r->Flags & ~DWORD(OFN_READONLY)) | OFN_EXTENSIONDIFFERENT;
        return TRUE;
    }));
    EXPECT_EQ(dialog->FileName(), "D:\\c d.png");
    ASSERT_EQ(dialog->Files()->Count(), 1);
    EXPECT_EQ(dialog->Files()->Strings(0), "D:\\c d.png");
    EXPECT_FALSE(dialog->Options().Contains(ofReadOnly));
    EXPECT_TRUE(dialog->Options().Contains(ofExtensionDifferent));
}

TEST(FileDialog, TheNameBufferIsNeverOverrunInEitherDirection) {
    TObjectPtr<TTestOpenDialog> dialog = MakeObject<TTestOpenDialog>(nullptr);
    // A name longer than the buffer goes in cut, still terminated inside the buffer.
    dialog->SetFileName(std::string(1000, 'n'));
    dialog->Run(&Record);
    EXPECT_EQ(g_seen.file.size(), TOpenDialog::kFileBufferSize - 1);
    // A dialog that fills the whole buffer without a terminator gives exactly the buffer's text.
    ASSERT_TRUE(dialog->Run([](OPENFILENAMEA* r) {
        std::memset(r->lpstrFile, 'x', r->nMaxFile);
        return TRUE;
    }));
    EXPECT_EQ(dialog->FileName(), std::string(TOpenDialog::kFileBufferSize, 'x'));
}

TEST(FileDialog, TheDefaultParentOwnsItAndTheOtherWindowsWaitMeanwhile) {
    apptest::EnsureApplication();
    const HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                       nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    bool otherEnabled = true;
    // Execute without a parent comes here with the default one.
    class TDefaultParentDialog : public TOpenDialog {
    public:
        TDefaultParentDialog(TComponent* owner, bool& otherEnabled, HWND other)
            : TOpenDialog(owner), otherEnabled_(otherEnabled), other_(other) {}
        using TOpenDialog::Execute;
        bool Execute(HWND parent) override {
            return DoExecute(
                [this](OPENFILENAMEA* r) {
                    otherEnabled_ = IsWindowEnabled(other_) != FALSE;
                    return Record(r);
                },
                parent);
        }

    private:
        bool& otherEnabled_;
        HWND other_;
    };
    TObjectPtr<TDefaultParentDialog> dialog = MakeObject<TDefaultParentDialog>(nullptr, otherEnabled, other);

    const TPopupMode mode = Application->ModalPopupMode();
    Application->SetModalPopupMode(pmNone);
    EXPECT_FALSE(dialog->Execute());
    EXPECT_EQ(g_seen.owner, Application->Handle());
    EXPECT_FALSE(otherEnabled);
    EXPECT_TRUE(IsWindowEnabled(other));

    // Placing popups above the active form: that form owns the dialog.
    SetActiveWindow(other);
    ASSERT_EQ(GetActiveWindow(), other);
    Application->SetModalPopupMode(pmAuto);
    EXPECT_FALSE(dialog->Execute());
    EXPECT_EQ(g_seen.owner, other);
    Application->SetModalPopupMode(mode);
    DestroyWindow(other);
}

// --- The real system dialog --------------------------------------------------------------------------------

std::string WindowText(HWND wnd) {
    char text[128] = {};
    GetWindowTextA(wnd, text, sizeof(text));
    return text;
}

// Records what the dialog's window procedure and events see while the dialog is open.
template <class Base>
class TProbeDialog : public Base {
public:
    using Base::Base;
    void WndProc(TMessage& message) override {
        if (message.Msg == WM_COMMAND && LOWORD(message.WParam) == IDCANCEL) sawCancel = true;
        Base::WndProc(message);
    }
    void Shown(TObject*) {
        const HWND wnd = this->Handle();
        shownHandle = wnd;
        char cls[32] = {};
        GetClassNameA(wnd, cls, sizeof(cls));
        shownClass = cls;
        shownTitle = WindowText(wnd);
        okCaption = WindowText(GetDlgItem(wnd, IDOK));
    }
    void Closed(TObject*) { ++closeCount; }
    void CanClose(TObject*, bool& canClose) {
        namesAsked.push_back(this->FileName());
        canClose = ++canCloseCount > 1;
    }

    HWND shownHandle = nullptr;
    std::string shownClass;
    std::string shownTitle;
    std::string okCaption;
    bool sawCancel = false;
    int closeCount = 0;
    int canCloseCount = 0;
    std::vector<AnsiString> namesAsked;
};

// A stand-in for the system: makes a window, lets the record's hook meet it as an old-style dialog, sends it a
// command and destroys it.
BOOL FakeOldStyleDialog(OPENFILENAMEA* r) {
    const HWND wnd = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    r->lpfnHook(wnd, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(r));
    SendMessageA(wnd, WM_COMMAND, IDCANCEL, 0);
    DestroyWindow(wnd);
    return FALSE;
}

// Takes the record the dialog builds and runs it itself, as a subclass with a dialog function of its own does.
class TRecordRunner : public TProbeDialog<TOpenDialog> {
public:
    using TProbeDialog<TOpenDialog>::TProbeDialog;
    BOOL RunOwnRecord() {
        OPENFILENAMEA captured{};
        DoExecute(
            [&captured](OPENFILENAMEA* r) {
                captured = *r;
                return FALSE;
            },
            nullptr);
        return FakeOldStyleDialog(&captured);
    }
};

TEST(FileDialog, EachDialogWindowIsMetByTheHookEvenWhenASubclassRunsTheRecord) {
    TObjectPtr<TRecordRunner> dialog = MakeObject<TRecordRunner>(nullptr);
    dialog->OnShow = MakeMethod<&TRecordRunner::Shown>(dialog.get());
    dialog->OnClose = MakeMethod<&TRecordRunner::Closed>(dialog.get());
    dialog->SetOptions({ofOldStyleDialog});
    for (int run = 1; run <= 2; ++run) {
        dialog->sawCancel = false;
        dialog->RunOwnRecord();
        EXPECT_EQ(dialog->shownClass, "Static");
        EXPECT_TRUE(dialog->sawCancel);
        EXPECT_EQ(dialog->closeCount, run);
        EXPECT_EQ(dialog->Handle(), nullptr);
    }
}

TEST(FileDialog, ARealOpenDialogIsFoundShownAndCancelled) {
    using TProbe = TProbeDialog<TOpenDialog>;
    TObjectPtr<TProbe> dialog = MakeObject<TProbe>(nullptr);
    dialog->OnShow = MakeMethod<&TProbe::Shown>(dialog.get());
    dialog->OnClose = MakeMethod<&TProbe::Closed>(dialog.get());
    dialog->SetTitle("Open a picture");
    dialog->SetFileName("kept.jpg");
    dialog->SetFilter("Pictures|*.jpg");
    bool executed;
    HWND found;
    {
        testsupport::DialogDriver driver({},
                                         [](HWND dialogWindow) { testsupport::PressButton(dialogWindow, IDCANCEL); });
        executed = dialog->Execute(nullptr);
        found = driver.Found();
    }
    EXPECT_FALSE(executed);
    ASSERT_NE(found, nullptr);
    // Handle is the top-level dialog the watcher found, not the hook window inside it.
    EXPECT_EQ(dialog->shownHandle, found);
    EXPECT_EQ(dialog->shownClass, "#32770");
    EXPECT_EQ(dialog->shownTitle, "Open a picture");
    EXPECT_TRUE(dialog->sawCancel);
    EXPECT_EQ(dialog->closeCount, 1);
    EXPECT_EQ(dialog->Handle(), nullptr);
    EXPECT_EQ(dialog->FileName(), "kept.jpg");
    EXPECT_FALSE(IsWindow(found));
}

TEST(FileDialog, ARefusedNameKeepsTheSaveDialogOpenUntilTheNextIsAccepted) {
    testsupport::TempDir dir;
    using TProbe = TProbeDialog<TSaveDialog>;
    TObjectPtr<TProbe> dialog = MakeObject<TProbe>(nullptr);
    dialog->OnShow = MakeMethod<&TProbe::Shown>(dialog.get());
    dialog->OnCanClose = MakeMethod<&TProbe::CanClose>(dialog.get());
    dialog->SetInitialDir(dir.Path());
    dialog->SetFileName("old.txt");
    bool executed;
    {
        // The file name, then OK, twice: the handler refuses the first answer, so the dialog stays.
        testsupport::DialogDriver driver(
            {},
            [](HWND dialogWindow) {
                // The file name box is an edit (0x480) or a combo box (0x47C), depending on the system.
                for (WPARAM box : {WPARAM(0x480), WPARAM(0x47C)})
                    SendMessageA(dialogWindow, CDM_SETCONTROLTEXT, box, reinterpret_cast<LPARAM>("typed.txt"));
                testsupport::PressButton(dialogWindow, IDOK);
            },
            2);
        executed = dialog->Execute(nullptr);
    }
    ASSERT_TRUE(executed);
    // The system's save dialog, not its open dialog.
    EXPECT_NE(dialog->okCaption.find("Save"), std::string::npos) << dialog->okCaption;
    EXPECT_GE(dialog->canCloseCount, 2);
    ASSERT_FALSE(dialog->namesAsked.empty());
    // While the dialog is open, FileName is what it currently holds.
    EXPECT_EQ(dialog->namesAsked[0], dir.File("typed.txt"));
    EXPECT_EQ(dialog->FileName(), dir.File("typed.txt"));
    ASSERT_EQ(dialog->Files()->Count(), 1);
    EXPECT_EQ(dialog->Files()->Strings(0), dir.File("typed.txt"));
}

TEST(FileDialog, AnOldStyleDialogIsItsOwnHookWindowAndAsksBeforeClosing) {
    testsupport::TempDir dir;
    using TProbe = TProbeDialog<TOpenDialog>;
    TObjectPtr<TProbe> dialog = MakeObject<TProbe>(nullptr);
    dialog->OnShow = MakeMethod<&TProbe::Shown>(dialog.get());
    dialog->OnClose = MakeMethod<&TProbe::Closed>(dialog.get());
    dialog->OnCanClose = MakeMethod<&TProbe::CanClose>(dialog.get());
    dialog->SetOptions({ofOldStyleDialog});
    dialog->SetInitialDir(dir.Path());
    dialog->SetTitle("Old style");
    bool executed;
    HWND found;
    {
        testsupport::DialogDriver driver(
            {},
            [](HWND dialogWindow) {
                SetDlgItemTextA(dialogWindow, 0x480, "typed.txt");
                testsupport::PressButton(dialogWindow, IDOK);
            },
            2);
        executed = dialog->Execute(nullptr);
        found = driver.Found();
    }
    ASSERT_TRUE(executed);
    EXPECT_EQ(dialog->shownHandle, found);
    EXPECT_EQ(dialog->shownTitle, "Old style");
    EXPECT_EQ(dialog->closeCount, 1);
    // Refused once, then accepted; the handler saw the name about to be returned.
    EXPECT_EQ(dialog->canCloseCount, 2);
    ASSERT_EQ(dialog->namesAsked.size(), 2u);
    EXPECT_EQ(dialog->namesAsked[0], dialog->FileName());
    EXPECT_NE(dialog->FileName().find("typed.txt"), std::string::npos) << dialog->FileName();
    EXPECT_EQ(dialog->Handle(), nullptr);
}

}  // namespace
