// The real wide open dialog, answered by the test: the dialog driver finds the dialog by its wide title, types a name
// outside the ANSI code page into its name field and presses its buttons through messages.
#include "tests/support/DialogDriver.h"
#include "tests/unicode/gui/UniGuiTestSupport.h"
#include "unicode/core/UniExceptions.h"
#include "unicode/win/TUniOpenDialog.h"
#include "classlib/win/WideChars.h"

using namespace formtest;
using namespace unigui;

namespace {

const WideString kTitle = u"\u041e\u0442\u043a\u0440\u044b\u0442\u044c \u03a9";
const WideString kName = u"\u0416\u0443\u043a \u03a9\u03bc\u03b5\u03b3\u03b1.jpg";

// Answers the dialog (found by its wide title) presses times: types the name into its name field, then presses
// the button each time.
testsupport::DialogDriver AnswerDialog(const WideString& typed, int button, int presses) {
    return testsupport::DialogDriver(
        {WideCStr(kTitle)},
        [typed, button](HWND dialog) {
            // The name field: the combo box of newer dialogs, or the plain edit.
            HWND field = ::GetDlgItem(dialog, cmb13);
            if (!field) field = ::GetDlgItem(dialog, edt1);
            if (field) ::SetWindowTextW(field, WideCStr(typed));
            testsupport::PressButton(dialog, button);
        },
        presses);
}

struct TCanClose : TObject {
    TUniOpenDialog* dialog = nullptr;
    std::vector<WideString> asked;
    int refusals = 0;
    void CanClose(TObject*, bool& canClose) {
        asked.push_back(dialog->FileName());
        canClose = refusals-- <= 0;
    }
};

class UniOpenDialog : public UniGuiTest {
protected:
    std::wstring folder_;
    void SetUp() override {
        UniGuiTest::SetUp();
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"uni_dialog_" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(folder_.c_str(), nullptr);
        HANDLE f = ::CreateFileW((folder_ + L"\\" + WideCStr(kName)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 0, nullptr);
        ::CloseHandle(f);
    }
    void TearDown() override {
        ::DeleteFileW((folder_ + L"\\" + WideCStr(kName)).c_str());
        ::RemoveDirectoryW(folder_.c_str());
        UniGuiTest::TearDown();
    }
    WideString Folder() const { return FromWideChars(folder_.c_str()); }
    TUniOpenDialog* NewDialog() {
        auto* dialog = Create<TUniOpenDialog>(Owner());
        dialog->SetTitle(kTitle);
        dialog->SetInitialDir(Folder() + u"\\");
        dialog->SetFilter(u"\u0412\u0441\u0435|*.*|JPEG|*.jpg");
        return dialog;
    }
};

TEST_F(UniOpenDialog, ANameOutsideTheCodePageTypedIntoTheDialogComesBackWhole) {
    TUniOpenDialog* dialog = NewDialog();
    EXPECT_EQ(dialog->InitialDir(), Folder());
    TCanClose check;
    check.dialog = dialog;
    check.refusals = 1;  // the first OK is refused: the dialog stays open and is pressed again
    dialog->OnCanClose = MakeMethod<&TCanClose::CanClose>(&check);
    bool accepted;
    {
        const testsupport::DialogDriver driver = AnswerDialog(kName, IDOK, 2);
        accepted = dialog->Execute();
    }
    ASSERT_TRUE(accepted);
    const WideString full = Folder() + u"\\" + kName;
    EXPECT_EQ(dialog->FileName(), full);
    ASSERT_EQ(dialog->Files()->GetCount(), 1);
    EXPECT_EQ(dialog->Files()->Get(0), full);
    EXPECT_EQ(dialog->TOpenDialog::FileName(), uni::ToAnsi(full));
    // Asked twice, each time with the path typed in the dialog.
    ASSERT_EQ(check.asked.size(), 2u);
    EXPECT_EQ(check.asked[0], full);
    EXPECT_EQ(check.asked[1], full);
    EXPECT_EQ(dialog->FilterIndex(), 1);
}

TEST_F(UniOpenDialog, CancelReturnsFalseAndKeepsTheProperties) {
    TUniOpenDialog* dialog = NewDialog();
    dialog->SetFileName(u"\u03a9.jpg");
    {
        const testsupport::DialogDriver driver = AnswerDialog(kName, IDCANCEL, 1);
        EXPECT_FALSE(dialog->Execute());
    }
    EXPECT_EQ(dialog->FileName(), u"\u03a9.jpg");
    EXPECT_EQ(dialog->Title(), kTitle);
}

TEST_F(UniOpenDialog, ANameLongerThanTheBufferIsReportedNotCut) {
    TUniOpenDialog* dialog = NewDialog();
    dialog->SetFileName(WideString(400, u'\u0416'));
    EXPECT_THROW(dialog->Execute(), EUniGeneralError);
    EXPECT_EQ(dialog->FileName(), WideString(400, u'\u0416'));
}

}  // namespace
