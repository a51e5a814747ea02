// The JPEG options dialog as the user works it: typing, choosing a preset, OK with a number out of range and
// Cancel, through the controls' own windows.
#include <gtest/gtest.h>

#include "tests/app/gui/KelvoAppTestSupport.h"
#include "tests/app/gui/DialogTestSupport.h"
#include "app/win/TKelvoJPEGOptionsForm.h"
#include "unicode/win/TUniButton.h"
#include "unicode/win/TUniComboBox.h"
#include "unicode/win/TUniEdit.h"
#include "unicode/win/TUniTrackBar.h"

namespace {

void TypeInto(HWND edit, const wchar_t* text) {
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

class JPEGOptions : public kelvotest::KelvoAppTest {
protected:
    void SetUp() override {
        KelvoAppTest::SetUp();
        TKelvoJPEGOptionsForm::RegisterBuilder();
        form.reset(Create<TKelvoJPEGOptionsForm>(nullptr));
    }
    void TearDown() override {
        form.reset();
        KelvoAppTest::TearDown();
    }

    // What the user does: the edit box's text replaced as by typing, a preset picked from the list.
    void Type(const wchar_t* text) { TypeInto(form->QualityEdit->Handle(), text); }
    void Choose(int index) {
        const HWND combo = form->QualityComboBox->Handle();
        ::SendMessageW(combo, CB_SETCURSEL, index, 0);
        ::SendMessageW(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(combo));
    }
    std::wstring EditText() {
        wchar_t text[32]{};
        ::GetWindowTextW(form->QualityEdit->Handle(), text, 32);
        return text;
    }
    int SliderPosition() { return int(::SendMessageW(form->QualityTrackBar->Handle(), TBM_GETPOS, 0, 0)); }
    int Preset() { return int(::SendMessageW(form->QualityComboBox->Handle(), CB_GETCURSEL, 0, 0)); }

    TObjectPtr<TKelvoJPEGOptionsForm> form;
};

}  // namespace

TEST_F(JPEGOptions, TypingANumberMovesThePresetAndTheSliderAndAPresetMovesTheOtherTwo) {
    form->SetQuality(20);
    EXPECT_EQ(EditText(), L"20");
    EXPECT_EQ(Preset(), 0);

    Type(L"75");
    EXPECT_EQ(Preset(), 2);  // High
    EXPECT_EQ(SliderPosition(), 75);
    EXPECT_EQ(form->GetQuality(), 75);

    Choose(3);  // Very High
    EXPECT_EQ(EditText(), L"80");
    EXPECT_EQ(SliderPosition(), 80);
    EXPECT_EQ(form->GetQuality(), 80);

    // Text that is no quality changes nothing while it is typed.
    Type(L"150");
    EXPECT_EQ(SliderPosition(), 80);
    EXPECT_EQ(Preset(), 3);
    Type(L"abc");
    EXPECT_EQ(SliderPosition(), 80);
}

TEST_F(JPEGOptions, OkWithANumberOutOfRangeReportsItUnderTheFormsCaptionSetsTheClampAndStaysOpen) {
    form->SetQuality(50);
    bool reported = false;
    std::wstring afterReport;
    int sliderAfterReport = -1;
    bool openAfterReport = false;
    int result = 0;
    {
        // The error box carries the dialog's caption: look for the system dialog class, not the form.
        kelvotest::TWindowDriver error(
            L"JPEG Options",
            [&](HWND box) {
                reported = true;
                ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            },
            L"#32770");
        kelvotest::TWindowDriver dialog(L"JPEG Options", [&](HWND) {
            Type(L"150");
            ::SendMessageW(form->OkButton->Handle(), BM_CLICK, 0, 0);  // returns once the error box is gone
            afterReport = EditText();
            sliderAfterReport = SliderPosition();
            openAfterReport = form->ModalResult() == 0;
            ::PostMessageW(form->CancelButton->Handle(), BM_CLICK, 0, 0);
        });
        result = form->ShowModal();
    }
    EXPECT_TRUE(reported);
    EXPECT_EQ(afterReport, L"100");
    EXPECT_EQ(sliderAfterReport, 100);
    EXPECT_TRUE(openAfterReport);
    EXPECT_EQ(result, mrCancel);
}

TEST_F(JPEGOptions, AskWritesTheQualityOnOkAndNothingOnCancel) {
    form.reset();  // AskJPEGQuality makes its own
    // Types 90, then presses the button.
    auto typeAndPress = [](const wchar_t* button) {
        return [button](HWND window) {
            for (const auto& child : kelvotest::ChildWindows(window)) {
                if (child.ClassName.find(L"Edit") != std::wstring::npos) TypeInto(child.Window, L"90");
                if (child.Text == button) ::PostMessageW(child.Window, BM_CLICK, 0, 0);
            }
        };
    };
    std::int32_t quality = 40;
    {
        kelvotest::TWindowDriver dialog(L"JPEG Options", typeAndPress(L"Cancel"));
        EXPECT_FALSE(AskJPEGQuality(quality));
    }
    EXPECT_EQ(quality, 40);
    {
        kelvotest::TWindowDriver dialog(L"JPEG Options", typeAndPress(L"OK"));
        EXPECT_TRUE(AskJPEGQuality(quality));
    }
    EXPECT_EQ(quality, 90);
}
