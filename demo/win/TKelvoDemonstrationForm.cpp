#include "demo/win/TKelvoDemonstrationForm.h"

#include <algorithm>

#include "app/win/KelvoFittedDecode.h"
#include "app/win/KelvoGdiPlus.h"
#include "app/win/KelvoGraphicsIO.h"
#include "app/win/KelvoStartupTrace.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/FormBuilder.h"
#include "classlib/win/TBitmap.h"
#include "classlib/win/TCustomImageList.h"
#include "classlib/win/WideChars.h"
#include "demo/core/TKelvoDemoNameTables.h"
#include "demo/win/TKelvoDemonstrationModule.h"
#include "unicode/win/TUniButton.h"
#include "unicode/win/TUniCheckBox.h"
#include "unicode/win/TUniLabel.h"
#include "unicode/win/TUniListView.h"
#include "unicode/win/WideFiles.h"

namespace {

constexpr TColor kFrameColour = 0xCBCBCB;

// The file names matching "*.dsc" in the folder, files only (a folder with that name is no script).
std::vector<WideString> ScriptFiles(const WideString& folder) {
    std::vector<WideString> files;
    WIN32_FIND_DATAW data{};
    HANDLE find = uni::SwitchFindFirstFile(folder + u"*.dsc", data);
    if (find == INVALID_HANDLE_VALUE) return files;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.push_back(folder + FromWideChars(data.cFileName));
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return files;
}

// A white 24-bit picture of the thumbnail size with its frame, the picture drawn centred into it first when
// given: either one decoded at its fitted size or, for what only GDI+ reads, an image scaled here.
TObjectPtr<TBitmap> FramedPicture(const TKelvoFittedPicture* fitted, Gdiplus::GpImage* image) {
    const int w = TKelvoDemonstrationForm::kThumbnailWidth, h = TKelvoDemonstrationForm::kThumbnailHeight;
    TObjectPtr<TBitmap> bitmap = MakeObject<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(w, h);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(Rect(0, 0, w, h));
    UINT iw = 0, ih = 0;
    if (fitted) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = fitted->Width;
        info.bmiHeader.biHeight = -fitted->Height;  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        ::SetDIBitsToDevice(canvas->Handle(), (w - fitted->Width) / 2, (h - fitted->Height) / 2, DWORD(fitted->Width),
                            DWORD(fitted->Height), 0, 0, 0, UINT(fitted->Height), fitted->Bits.data(), &info,
                            DIB_RGB_COLORS);
    } else if (image && Gdiplus::DllExports::GdipGetImageWidth(image, &iw) == Gdiplus::Ok &&
               Gdiplus::DllExports::GdipGetImageHeight(image, &ih) == Gdiplus::Ok && iw > 0 && ih > 0) {
        // Scaled to fit with its aspect kept, centred.
        const double scale = std::min(double(w) / iw, double(h) / ih);
        const int dw = std::max(1, int(iw * scale + 0.5)), dh = std::max(1, int(ih * scale + 0.5));
        Gdiplus::GpGraphics* graphics = nullptr;
        if (Gdiplus::DllExports::GdipCreateFromHDC(canvas->Handle(), &graphics) == Gdiplus::Ok) {
            Gdiplus::DllExports::GdipSetInterpolationMode(graphics, Gdiplus::InterpolationModeHighQualityBicubic);
            Gdiplus::DllExports::GdipDrawImageRectI(graphics, image, (w - dw) / 2, (h - dh) / 2, dw, dh);
            Gdiplus::DllExports::GdipDeleteGraphics(graphics);
        }
    }
    canvas->Pen()->SetColor(kFrameColour);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Rectangle(0, 0, w, h);
    return bitmap;
}

}  // namespace

bool KelvoLoadDemoScript(const WideString& fileName, TKelvoDemoScript& script) {
    if (!uni::FileExistsW(fileName)) return false;
    try {
        script.LoadFromFile(WideToAnsi(fileName));
    } catch (const Exception&) {
        return false;
    }
    return true;
}

TKelvoDemonstrationForm::TKelvoDemonstrationForm(TComponent* owner) : TKelvoForm(owner) {}

TKelvoDemonstrationForm::~TKelvoDemonstrationForm() = default;

void TKelvoDemonstrationForm::RegisterBuilder() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    RegisterFormBuilder(StaticClass(), &TKelvoDemonstrationForm::Build);
}

void TKelvoDemonstrationForm::Build(TComponent* root) {
    auto* form = static_cast<TKelvoDemonstrationForm*>(root);
    form->SetCaption(u"Demonstrations");
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poMainFormCenter);
    form->Font()->SetName("Tahoma");
    form->Font()->SetHeight(-11);
    form->HandleNeeded();
    form->SetClientWidth(480);
    form->SetClientHeight(360);

    form->PromptLabel = Create<TUniLabel>(form);
    form->PromptLabel->SetParent(form);
    form->PromptLabel->SetBounds(8, 8, 464, 16);

    form->Thumbnails = Create<TImageList>(form, kThumbnailWidth, kThumbnailHeight);
    form->DemoListView = Create<TUniListView>(form);
    TUniListView* list = form->DemoListView;
    list->SetName("DemoListView");
    list->SetParent(form);
    list->SetBounds(8, 28, 464, 260);
    list->SetViewStyle(vsIcon);
    list->SetReadOnly(true);
    list->SetLargeImages(form->Thumbnails);
    list->OnDblClick = MakeMethod<&TKelvoDemonstrationForm::ListDblClick>(form);

    form->ShowAtStartCheckBox = Create<TUniCheckBox>(form);
    form->ShowAtStartCheckBox->SetParent(form);
    form->ShowAtStartCheckBox->SetBounds(8, 296, 300, 17);
    form->ShowAtStartCheckBox->OnClick = MakeMethod<&TKelvoDemonstrationForm::ShowAtStartClick>(form);

    form->EscLabel = Create<TUniLabel>(form);
    form->EscLabel->SetParent(form);
    form->EscLabel->SetBounds(8, 330, 300, 16);

    form->StartButton = Create<TUniButton>(form);
    form->StartButton->SetName("StartButton");
    form->StartButton->SetParent(form);
    form->StartButton->SetBounds(316, 326, 75, 25);
    form->StartButton->SetModalResult(mrOk);
    form->StartButton->SetDefault(true);

    form->CloseButton = Create<TUniButton>(form);
    form->CloseButton->SetName("CloseButton");
    form->CloseButton->SetParent(form);
    form->CloseButton->SetBounds(397, 326, 75, 25);
    form->CloseButton->SetModalResult(mrCancel);
    form->CloseButton->SetCancel(true);
}

void TKelvoDemonstrationForm::Fill(TKelvoDemonstrationModule& module) {
    module_ = &module;
    ShowAtStartCheckBox->SetChecked(module.ShowAtStartUp);
    // Image 0: the empty frame of a picture that cannot be read.
    Thumbnails->Add(FramedPicture(nullptr, nullptr).get(), nullptr);
    std::vector<WideString> titles;
    for (const WideString& file : ScriptFiles(module.DemonstrationsFolder)) {
        auto script = std::make_unique<TKelvoDemoScript>();
        if (!KelvoLoadDemoScript(file, *script)) continue;
        titles.push_back(script->GetTitle());
        scripts_.push_back(std::move(script));
    }
    kelvo::StartupMark("demonstration scripts read");
    for (std::int32_t index : KelvoDemoListOrder(titles)) {
        TKelvoDemoScript* script = scripts_[std::size_t(index)].get();
        TUniListItem* item = DemoListView->AddItem(titles[std::size_t(index)]);
        item->SetData(script);
        const AnsiString image = script->GetInfo("Image");
        item->SetImageIndex(image.empty() ? 0 : AddThumbnail(module.DemonstrationsFolder + script->DecodeText(image)));
    }
    const std::int32_t selected = KelvoDemoListSelection(module.SelectedIndex, DemoListView->Items()->Count());
    if (selected >= 0) DemoListView->SetItemIndex(selected);
    lastIndex_ = std::max(selected, 0);
    kelvo::StartupMark("demonstrations listed with their thumbnails");
}

std::int32_t TKelvoDemonstrationForm::AddThumbnail(const WideString& fileName) {
    if (!uni::FileExistsW(fileName)) return 0;
    // Decoded by the imaging component alone and reduced to the thumbnail; the program's own KVI files, which
    // only GDI+ reads here, are drawn scaled by GDI+.
    TKelvoFittedPicture fitted;
    if (KelvoDecodeFitted(fileName, kThumbnailWidth, kThumbnailHeight, fitted))
        return Thumbnails->Add(FramedPicture(&fitted, nullptr).get(), nullptr);
    TKelvoGdiPlusUser gdiplus;
    TGdipImage image;
    bool kvi = false;
    if (!gdiplus.Use() || !OpenGdipImage(fileName, image, kvi)) return 0;
    return Thumbnails->Add(FramedPicture(nullptr, image.Get()).get(), nullptr);
}

std::int32_t TKelvoDemonstrationForm::SelectedIndex() const {
    const int index = DemoListView->ItemIndex();
    return index >= 0 ? index : lastIndex_;
}

TKelvoDemoScript* TKelvoDemonstrationForm::SelectedScript() const {
    TListItem* item = DemoListView->Selected();
    return item ? static_cast<TKelvoDemoScript*>(item->Data()) : nullptr;
}

void TKelvoDemonstrationForm::WndProc(TMessage& message) {
    TKelvoForm::WndProc(message);
    if (message.Msg == WM_PAINT && !painted_) {
        painted_ = true;
        kelvo::StartupMark("demonstrations window first painted");
    }
}

void TKelvoDemonstrationForm::Localize() {
    SetCaption(GetText(KelvoTextDemonstrations, u"Demonstrations"));
    PromptLabel->SetCaption(GetText(KelvoTextDemoPrompt, u"Choose a demonstration and press Start to watch it:"));
    ShowAtStartCheckBox->SetCaption(GetText(KelvoTextShowAtStartUp, u"&Show this window at start-up"));
    StartButton->SetCaption(GetText(KelvoTextDemoStart, u"Start"));
    CloseButton->SetCaption(GetText(KelvoTextClose, u"Close"));
    EscLabel->SetCaption(GetText(KelvoTextEscHint, u"Press Esc at any time to stop a demonstration."));
}

void TKelvoDemonstrationForm::UpdateState() {
    const bool enabled = DemoListView->Selected() != nullptr;
    if (StartButton->Enabled() != enabled) StartButton->SetEnabled(enabled);
}

void TKelvoDemonstrationForm::ListDblClick(TObject*) {
    if (DemoListView->Selected() && StartButton->Enabled()) StartButton->Click();
}

void TKelvoDemonstrationForm::ShowAtStartClick(TObject*) {
    if (module_) module_->ShowAtStartUp = ShowAtStartCheckBox->Checked();
}
