#include "tools/win/TKelvoTextTool.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

#include "app/core/KelvoEditorDemo.h"
#include "app/core/TKelvoLocalizer.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoGraphicsView.h"
#include "app/win/TKelvoViewCanvas.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/StringUtils.h"
#include "classlib/win/DibSection.h"
#include "classlib/win/MemoryDC.h"
#include "classlib/win/TColorBox.h"
#include "classlib/win/TComboBox.h"
#include "classlib/win/TFont.h"
#include "classlib/win/TScreen.h"
#include "classlib/win/TSpinEdit.h"
#include "classlib/win/WideChars.h"
#include "themed/win/TSkinButton.h"
#include "themed/win/TSkinCheckBox.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinLabel.h"
#include "tools/core/ToolHandles.h"
#include "tools/win/TKelvoTextFrame.h"
#include "unicode/win/TUniGroupBox.h"
#include "unicode/win/TUniRadioGroup.h"

namespace {

constexpr std::uint32_t kNodeId = 1;
constexpr TGUID kNodeKey = TGUID::Parse("{663FE753-B6FB-4703-B7E5-6E8A8E0DD5E0}");
constexpr int kPanelWidth = 272;

// Rows of the 24-bit sections the text is drawn in.
std::int32_t DibStride(std::int32_t w) { return PixelRowStride(KelvoFormatBGR24, w); }

// The font of the settings at the screen's resolution, smoothed.
HFONT MakeFont(const std::u16string& name, const TTextSettings& s) {
    TFont font;
    font.SetSize(s.FontSize);
    TFontStyles style;
    if (s.FontStyle & 1) style.Include(fsBold);
    if (s.FontStyle & 2) style.Include(fsItalic);
    if (s.FontStyle & 4) style.Include(fsUnderline);
    if (s.FontStyle & 8) style.Include(fsStrikeOut);
    font.SetStyle(style);
    LOGFONTW f = font.WideLogFont(name);
    f.lfQuality = ANTIALIASED_QUALITY;
    return ::CreateFontIndirectW(&f);
}

SIZE TextExtent(HDC dc, const std::u16string& text) {
    SIZE size{};
    ::GetTextExtentPoint32W(dc, WideCStr(text), int(text.size()), &size);
    return size;
}

bool DemoNumber(const TKelvoProperties& params, std::int64_t& value) {
    double number = 0;
    if (!DemoParamNumber(params, 0, number) || !std::isfinite(number)) return false;
    value = std::int64_t(std::clamp(number, -2147483648.0, 4294967295.0));
    return true;
}

}  // namespace

TKelvoTextTool::TKelvoTextTool(TComponent* owner) : TKelvoPanelTool(owner) {
    toolName_ = "Text";
    availableInPluginMode_ = true;
    exclusive_ = true;
    controlClass_ = &TKelvoGraphicsToolControl::Create<TKelvoTextToolControl>;
    AddButtonAndFrame(Frame, "TEXT", u"Text");
    if (!Frame) return;
    Frame->TitleLabel->Font()->SetStyle(TFontStyles{fsBold});
    std::vector<std::u16string> fonts;
    TStrings* screenFonts = Screen->Fonts();
    for (int i = 0; i < screenFonts->Count(); ++i) {
        Frame->FontNameComboBox->Items()->Add(screenFonts->Get(i));
        fonts.push_back(AnsiToWide(screenFonts->Get(i)));
    }
    const std::u16string chosen = DefaultTextFont(fonts);
    const auto found = std::find(fonts.begin(), fonts.end(), chosen);
    Frame->FontNameComboBox->SetItemIndex(found == fonts.end() ? -1 : int(found - fonts.begin()));
    ToolPanel()->SetPanelWidth(kPanelWidth);

    Frame->Tool = this;
    ShowSettings();
}

TKelvoTextTool::~TKelvoTextTool() {
    if (Frame) Frame->Tool = nullptr;
}

void TKelvoTextTool::StyleClicked() {
    if (!showing_ && Frame) SetFontStyle(Frame->CheckedStyle());
}

void TKelvoTextTool::ColorSelected() {
    if (!showing_ && Frame) SetTextColor(std::uint32_t(Frame->ColorBox->Selected()));
}

void TKelvoTextTool::ColorModeClicked() {
    if (showing_ || !Frame || Frame->FontColorUniRadioGroup->ItemIndex() == settings_.ColorMode) return;
    settings_.ColorMode =
        Frame->FontColorUniRadioGroup->ItemIndex() == ColorModeInverted ? ColorModeInverted : ColorModeSelected;
    Record("FontColor", settings_.ColorMode);
    BlendText();
}

void TKelvoTextTool::MaxInverseChanged() {
    if (showing_ || !Frame || Frame->MaxInverseSkinCheckBox->Checked() == settings_.MaxInverse) return;
    settings_.MaxInverse = Frame->MaxInverseSkinCheckBox->Checked();
    Record("MaxInverse", settings_.MaxInverse ? 1 : 0);
    BlendText();
}

void TKelvoTextTool::SizeChanged() {
    if (showing_ || !Frame || Frame->SizeSpinEdit->Text().empty()) return;
    const std::int32_t value = std::clamp(Frame->SizeSpinEdit->Value(), MinTextFontSize, MaxTextFontSize);
    SetFontSize(value);
    Frame->SizeSpinEdit->SetIncrement(FontSizeIncrement(value));
}

void TKelvoTextTool::TextChanged() {
    if (!showing_) RenderText();
}

void TKelvoTextTool::ShowSettings() {
    if (!Frame) return;
    showing_ = true;
    TScopeExit done([this] { showing_ = false; });
    Frame->SizeSpinEdit->SetValue(settings_.FontSize);
    Frame->SizeSpinEdit->SetIncrement(FontSizeIncrement(settings_.FontSize));
    Frame->FontColorUniRadioGroup->SetItemIndex(settings_.ColorMode);
    Frame->MaxInverseSkinCheckBox->SetChecked(settings_.MaxInverse);
    Frame->CheckStyle(settings_.FontStyle);
    colorPending_ = true;
}

void TKelvoTextTool::Record(const char* suffix, std::int64_t value) {
    const AnsiString target = toolName_ + suffix;
    RecordChange(target, target + " " + IntToStr(value));
}

void TKelvoTextTool::SetFontSize(std::int32_t value) {
    value = std::clamp(value, MinTextFontSize, MaxTextFontSize);
    if (value == settings_.FontSize) return;
    settings_.FontSize = value;
    ShowSettings();
    Record("FontSize", value);
    RenderText();
}

void TKelvoTextTool::SetColorMode(std::int32_t value) {
    value = value == ColorModeInverted ? ColorModeInverted : ColorModeSelected;
    if (value == settings_.ColorMode) return;
    settings_.ColorMode = value;
    ShowSettings();
}

void TKelvoTextTool::SetTextColor(std::uint32_t value) {
    value &= 0xFFFFFF;
    if (value == settings_.TextColor) return;
    settings_.TextColor = value;
    if (Frame) {
        showing_ = true;
        TScopeExit done([this] { showing_ = false; });
        Frame->ColorBox->SetSelected(TColor(value));
    }
    Record("Color", value);
    BlendText();
}

void TKelvoTextTool::SetMaxInverse(bool value) {
    if (value == settings_.MaxInverse) return;
    settings_.MaxInverse = value;
    ShowSettings();
}

void TKelvoTextTool::SetFontStyle(std::int32_t value) {
    value &= 15;
    if (value == settings_.FontStyle) return;
    settings_.FontStyle = value;
    ShowSettings();
    Record("FontBI", value);
    RenderText();
}

std::u16string TKelvoTextTool::FontName() const {
    if (!Frame) return {};
    const int index = Frame->FontNameComboBox->ItemIndex();
    if (index < 0 || index >= Frame->FontNameComboBox->Items()->Count()) return {};
    return AnsiToWide(Frame->FontNameComboBox->Items()->Get(index));
}

std::vector<std::u16string> TKelvoTextTool::TextLines() const {
    return Frame ? Frame->TextMemo->WideLines() : std::vector<std::u16string>{};
}

TKelvoTextToolControl* TKelvoTextTool::ActiveControl() const {
    return static_cast<TKelvoTextToolControl*>(ActiveViewControl());
}

void TKelvoTextTool::RenderText() {
    if (!ActiveControl()) return;
    textBitmap_.Reset();
    textBounds_ = TKelvoRect{};
    const std::vector<std::u16string> lines = TextLines();
    TMemoryDC dc(nullptr);
    TGdiHandle<HFONT> font(MakeFont(FontName(), settings_));
    if (!font) return;
    HGDIOBJ oldFont = ::SelectObject(dc.Get(), font.Get());
    TScopeExit unselect([&] { ::SelectObject(dc.Get(), oldFont); });
    const std::int32_t lineHeight = TextExtent(dc.Get(), u"Wy").cy;
    std::vector<TTextLine> measured;
    for (const std::u16string& line : lines) measured.push_back(TTextLine{line.empty(), TextExtent(dc.Get(), line).cx});
    const TTextLayout layout = LayoutTextLines(measured, lineHeight);
    if (!layout.IsEmpty()) {
        void* bits = nullptr;
        textBitmap_ = CreateTopDownDibSection(layout.Width, layout.Height, 24, bits);
        if (textBitmap_) {
            // White text on black.
            std::memset(bits, 0, std::size_t(DibStride(layout.Width)) * std::size_t(layout.Height));
            dc.Select(textBitmap_.Get());
            ::SetBkMode(dc.Get(), TRANSPARENT);
            ::SetTextColor(dc.Get(), RGB(255, 255, 255));
            for (std::int32_t i = 0; i < layout.LineCount; ++i) {
                const std::u16string& line = lines[std::size_t(i)];
                ::TextOutW(dc.Get(), 0, i * lineHeight, WideCStr(line), int(line.size()));
            }
            ::GdiFlush();
            dc.Deselect();
            textBounds_ = MakeRect(0, 0, layout.Width, layout.Height);
        }
    }
    ScaleText();
    BlendText();
}

void TKelvoTextTool::ScaleText() {
    TKelvoTextToolControl* control = ActiveControl();
    const TKelvoRect box = control ? control->State().Box.Box : TKelvoRect{};
    if (!textBitmap_ || box.IsEmpty()) {
        boxMask_.Clear();
        return;
    }
    const std::int32_t w = box.Width(), h = box.Height();
    void* bits = nullptr;
    TGdiHandle<HBITMAP> stretched = CreateTopDownDibSection(w, h, 24, bits);
    if (!stretched) {
        boxMask_.Clear();
        return;
    }
    {
        TMemoryDC source(textBitmap_.Get());
        TMemoryDC dest(stretched.Get());
        // Halftone averages what a shrink drops: thin strokes stay as partial coverage.
        ::SetStretchBltMode(dest.Get(), HALFTONE);
        ::SetBrushOrgEx(dest.Get(), 0, 0, nullptr);
        ::StretchBlt(dest.Get(), 0, 0, w, h, source.Get(), 0, 0, textBounds_.Width(), textBounds_.Height(), SRCCOPY);
        ::GdiFlush();
    }
    try {
        boxMask_.SetFormatAndBounds(KelvoFormatBGR24, MakeRect(0, 0, w, h));
    } catch (const Exception&) {
        boxMask_.Clear();
        return;
    }
    for (std::int32_t y = 0; y < h; ++y)
        std::memcpy(boxMask_.Row(y), static_cast<const Byte*>(bits) + std::intptr_t(y) * DibStride(w),
                    std::size_t(w) * 3);
}

void TKelvoTextTool::BlendText() {
    TKelvoTextToolControl* control = ActiveControl();
    if (!control) return;
    TKelvoGraphicsDocument& document = control->View().Document();
    TKelvoPixels& image = document.GetPixels();
    if (drawn_) {
        const TKelvoRect old = IntersectRects(lastBox_.Box, image.GetBounds());
        image.CopyRect(old.Left, old.Top, old, document.Committed());
        document.InvalidateImageRect(old);
        drawn_ = false;
    }
    const TTextControlState& state = control->State();
    if (state.State == TextNone || !textBitmap_) return;
    BlendTextMask(image, state.Box, boxMask_,
                  TTextBlend{settings_.ColorMode, settings_.TextColor, settings_.MaxInverse});
    drawn_ = true;
    lastBox_ = state.Box;
    document.InvalidateImageRect(IntersectRects(lastBox_.Box, image.GetBounds()));
}

void TKelvoTextTool::CommitText() {
    TKelvoTextToolControl* control = ActiveControl();
    if (control && EditedDocument()) {
        if (drawn_) AddDirtyRect(IntersectRects(lastBox_.Box, CurrentPixels()->GetBounds()), true);
        drawn_ = false;
        EndEdit();
    }
    ResetControl();
}

void TKelvoTextTool::ResetControl() {
    if (TKelvoTextToolControl* control = ActiveControl()) control->ResetState();
    if (TKelvoGraphicsEditor* editor = Editor()) editor->UnlockTool();
    drawn_ = false;
    boxMask_.Clear();
}

void TKelvoTextTool::CancelEdit() {
    if (drawn_ && EditedDocument()) {
        TKelvoPixels& image = *CurrentPixels();
        const TKelvoRect old = IntersectRects(lastBox_.Box, image.GetBounds());
        image.CopyRect(old.Left, old.Top, old, *CommittedBuffer());
        EditedDocument()->InvalidateImageRect(old);
    }
    ResetControl();
    TKelvoPanelTool::CancelEdit();
}

void TKelvoTextTool::Localize() {
    TKelvoPanelTool::Localize();
    if (!Frame || !Button) return;
    const WideString title = GetText(KelvoTextTextToolHint, u"Text");
    Button->SetHint(title);
    Frame->TitleLabel->SetCaption(title);
    Frame->FontUniGroupBox->SetCaption(GetText(KelvoTextFont, u"Font"));
    TSkinButton* buttons[] = {Frame->BoldSkinButton, Frame->ItalicSkinButton, Frame->UnderlineSkinButton,
                              Frame->StrikeoutSkinButton};
    const char16_t* captions[][2] = {{u"B", u"Bold"}, {u"I", u"Italic"}, {u"U", u"Underline"}, {u"S", u"Strikeout"}};
    for (int i = 0; i < 4; ++i) {
        buttons[i]->SetCaption(GetText(KelvoTextFirstFontStyle + 2 * i, captions[i][0]));
        buttons[i]->SetHint(GetText(KelvoTextFirstFontStyle + 2 * i + 1, captions[i][1]));
    }
    Frame->SizeSkinLabel->SetCaption(GetText(KelvoTextFontSize, u"Size") + u":");
    Frame->FontColorUniRadioGroup->SetCaption(GetText(KelvoTextFontColor, u"Color"));
    showing_ = true;
    TScopeExit done([this] { showing_ = false; });
    Frame->FontColorUniRadioGroup->Items()->SetStrings(0, GetText(KelvoTextBoxSelected, u"Selected"));
    Frame->FontColorUniRadioGroup->Items()->SetStrings(1, GetText(KelvoTextBoxInverted, u"Inverted"));
    Frame->FontColorUniRadioGroup->SetItemIndex(settings_.ColorMode);
    Frame->MaxInverseSkinCheckBox->SetCaption(GetText(KelvoTextBoxMaxInverse, u"Maximum inverse"));
    // The colour box lists the 16 standard colours and the 4 extended ones, in the language too.
    const TColor colors[] = {clBlack, clMaroon, clGreen,      clOlive,   clNavy,   clPurple, clTeal,
                             clGray,  clSilver, clRed,        clLime,    clYellow, clBlue,   clFuchsia,
                             clAqua,  clWhite,  clMoneyGreen, clSkyBlue, clCream,  clMedGray};
    for (int i = 0; i < int(std::size(colors)); ++i) {
        const WideString name = GetText(KelvoTextColorNames + i);
        if (!name.empty()) Frame->ColorBox->SetColorName(colors[i], WideToAnsi(name));
    }
}

void TKelvoTextTool::LoadState(TKelvoSDFReader& reader) {
    TKelvoPanelTool::LoadState(reader);
    if (!reader.OpenNode(kNodeId, kNodeKey)) return;
    TScopeExit close([&] { reader.CloseNode(); });
    std::int32_t size = settings_.FontSize, mode = settings_.ColorMode, color = std::int32_t(settings_.TextColor);
    std::int32_t maxInverse = settings_.MaxInverse ? 1 : 0, style = settings_.FontStyle;
    reader.ReadInteger(1, size);
    reader.ReadInteger(2, mode);
    reader.ReadInteger(3, color);
    reader.ReadInteger(4, maxInverse);
    reader.ReadInteger(5, style);
    // A hand-edited or damaged file must not ask for a text bitmap the size of a house.
    const TTextSettings s = BoundTextSettings(size, mode, color, maxInverse, style);
    SetFontSize(s.FontSize);
    SetColorMode(s.ColorMode);
    SetTextColor(s.TextColor);
    SetMaxInverse(s.MaxInverse);
    SetFontStyle(s.FontStyle);
}

void TKelvoTextTool::SaveState(TKelvoSDFWriter& writer) {
    TKelvoPanelTool::SaveState(writer);
    writer.BeginNode(kNodeId, kNodeKey);
    writer.WriteInteger(1, settings_.FontSize);
    writer.WriteInteger(2, settings_.ColorMode);
    writer.WriteInteger(3, std::int32_t(settings_.TextColor));
    writer.WriteInteger(4, settings_.MaxInverse ? 1 : 0);
    writer.WriteInteger(5, settings_.FontStyle);
    writer.EndNode();
}

void TKelvoTextTool::UpdateState() {
    TKelvoPanelTool::UpdateState();
    UpdateButtonAndFrame();
    if (colorPending_ && Frame) {
        colorPending_ = false;
        showing_ = true;
        TScopeExit done([this] { showing_ = false; });
        Frame->ColorBox->SetSelected(TColor(settings_.TextColor));
    }
}

void TKelvoTextTool::DocumentClosing(TKelvoGraphicsDocument& document) {
    TKelvoTextToolControl* control = ActiveControl();
    if (control && &control->View().Document() == &document && control->State().State != TextNone) CancelEdit();
}

void TKelvoTextTool::ExecuteDemoCommand(IKelvoDemoPlayback& playback, const AnsiString& command, bool& handled,
                                        IKelvoDemoMacro& macro, const TKelvoProperties& params) {
    std::int64_t value = 0;
    const bool given = DemoNumber(params, value);
    handled = true;
    if (command == "TEXTFONTCOLOR") {
        SetColorMode(given ? std::int32_t(value) : settings_.ColorMode);
    } else if (command == "TEXTCOLOR") {
        SetTextColor(given ? std::uint32_t(value) : settings_.TextColor);
    } else if (command == "TEXTMAXINVERSE") {
        SetMaxInverse(given ? value != 0 : settings_.MaxInverse);
    } else if (command == "TEXTFONTSIZE") {
        SetFontSize(given ? std::int32_t(std::clamp<std::int64_t>(value, 0, MaxTextFontSize)) : settings_.FontSize);
    } else if (command == "TEXTFONTBI") {
        SetFontStyle(given ? std::int32_t(value & 15) : settings_.FontStyle);
    } else if (command == "TEXTMEMOYALTA" && Frame) {
        // Typed one letter every half second, the waits being script pauses rather than a sleep.
        const std::vector<std::u16string> fonts = [] {
            std::vector<std::u16string> names;
            for (int i = 0; i < Screen->Fonts()->Count(); ++i) names.push_back(AnsiToWide(Screen->Fonts()->Get(i)));
            return names;
        }();
        const AnsiString font = WideToAnsi(DefaultTextFont(fonts));
        Frame->FontNameComboBox->SetItemIndex(Frame->FontNameComboBox->Items()->IndexOf(font));
        Frame->TextMemo->SetText(u"");
        macro.AddLine("Pause 0.5");
        for (const char16_t* text : {u"Y", u"Ya", u"Yal", u"Yalt", u"Yalta"}) {
            macro.AddCall([this, text] { Frame->TextMemo->SetText(text); });
            if (std::u16string_view(text) != u"Yalta") macro.AddLine("Pause 0.5");
        }
    } else {
        handled = false;
        TKelvoPanelTool::ExecuteDemoCommand(playback, command, handled, macro, params);
    }
}

void TKelvoTextTool::GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& point) {
    AnsiString name;
    if (!DemoParamText(params, 0, name) || !Frame) return;
    name = UpperCase(name);
    if (name == "TEXT") {
        found = ButtonCentre(point);
        return;
    }
    TControl* target = name == "TEXTFONTCOLOR"    ? static_cast<TControl*>(Frame->FontColorUniRadioGroup)
                       : name == "TEXTCOLOR"      ? static_cast<TControl*>(Frame->ColorBox)
                       : name == "TEXTMAXINVERSE" ? static_cast<TControl*>(Frame->MaxInverseSkinCheckBox)
                       : name == "TEXTFONTSIZE"   ? static_cast<TControl*>(Frame->SizeSpinEdit)
                       : name == "TEXTFONTBI"     ? static_cast<TControl*>(Frame->BoldSkinButton)
                       : name == "TEXTMEMO"       ? static_cast<TControl*>(Frame->TextMemo)
                                                  : nullptr;
    if (target) found = ControlCentre(target, point);
}

TKelvoTextToolControl::TKelvoTextToolControl(TKelvoGraphicsTool& tool, TKelvoGraphicsView& view)
    : TKelvoGraphicsToolControl(tool, view) {}

void TKelvoTextToolControl::ResetState() {
    Invalidate();
    ResetTextControl(state_);
    SetBounds(TKelvoRect{});
}

void TKelvoTextToolControl::Show() {
    TKelvoGraphicsToolControl::Show();
    SetVisible(true);
}

void TKelvoTextToolControl::Hide() {
    SetVisible(false);
    TKelvoGraphicsToolControl::Hide();
}

TKelvoRect TKelvoTextToolControl::ScreenBox() const { return View().MapMode().LogicalToDeviceRect(state_.Box.Box); }

TKelvoRect TKelvoTextToolControl::ImageArea() const { return View().Document().GetImageRect(); }

bool TKelvoTextToolControl::GetCursor(TShiftState, TKelvoPoint point, int& cursor) {
    if (!Shown() || !Tool()) return false;
    if (state_.State == TextNone) {
        cursor = crCross;
        return true;
    }
    if (state_.State != TextPlaced) return false;
    switch (HandleCursor(HandleAt(ScreenBox(), point))) {
        case THandleCursor::SizeAll: cursor = crSizeAll; break;
        case THandleCursor::SizeNS: cursor = crSizeNS; break;
        case THandleCursor::SizeNESW: cursor = crSizeNESW; break;
        case THandleCursor::SizeWE: cursor = crSizeWE; break;
        case THandleCursor::SizeNWSE: cursor = crSizeNWSE; break;
        case THandleCursor::Default: return false;
    }
    return true;
}

bool TKelvoTextToolControl::MouseDown(TMouseButton button, TShiftState, TKelvoPoint point) {
    if (!Shown() || !Tool() || button != mbLeft) return false;
    TKelvoGraphicsEditor* editor = TKelvoGraphicsTool::Editor();
    if (!editor || !editor->CanToolEdit(Tool())) return false;
    const TKelvoPoint image = View().MapMode().DeviceToLogicalPoint(point);
    const int part = state_.State == TextPlaced ? HandleAt(ScreenBox(), point) : PartNone;
    const bool starting = state_.State == TextNone;
    if (!TextMouseDown(state_, image, part, ImageArea())) return false;
    if (starting) {
        editor->LockTool();
        Tool()->BeginEdit(View());
        TextTool().RenderText();
    }
    SetBounds(state_.Box.Box);
    Invalidate();
    return true;
}

bool TKelvoTextToolControl::MouseMove(TShiftState, TKelvoPoint point) {
    if (!Shown() || !Tool()) return false;
    if (state_.State != TextDrawing && state_.State != TextAdjusting) return false;
    Follow(point);
    return true;
}

void TKelvoTextToolControl::Follow(TKelvoPoint point) {
    bool rescale = false;
    Invalidate();
    if (!TextMouseMove(state_, View().MapMode().DeviceToLogicalPoint(point), ImageArea(), rescale)) return;
    if (rescale) TextTool().ScaleText();
    TextTool().BlendText();
    SetBounds(state_.Box.Box);
    Invalidate();
    TKelvoGraphicsEditor* editor = TKelvoGraphicsTool::Editor();
    if (editor && !state_.Box.Box.IsEmpty()) {
        editor->SetWidthStatus(state_.Box.Box.Width());
        editor->SetHeightStatus(state_.Box.Box.Height());
    }
}

bool TKelvoTextToolControl::MouseUp(TMouseButton button, TShiftState, TKelvoPoint point) {
    if (!Shown() || !Tool() || state_.State == TextNone) return false;
    // The drag ends where the button comes up, whether or not a move reported that point.
    if (button == mbLeft && (state_.State == TextDrawing || state_.State == TextAdjusting)) Follow(point);
    const int part = state_.State == TextPlaced ? HandleAt(ScreenBox(), point) : PartNone;
    const TTextAction action = TextMouseUp(state_, button == mbRight, part);
    Invalidate();
    Carry(action);
    return true;
}

bool TKelvoTextToolControl::KeyDown(std::uint16_t& key, TShiftState) {
    if (!Shown() || !Tool() || state_.State != TextPlaced) return false;
    const TTextAction action = TextKey(state_, key);
    if (action == TTextAction::None) return false;
    Carry(action);
    return true;
}

void TKelvoTextToolControl::Carry(TTextAction action) {
    if (action == TTextAction::Commit)
        TextTool().CommitText();
    else if (action == TTextAction::Cancel)
        TextTool().CancelEdit();
}

void TKelvoTextToolControl::GetOverlayRect(const TKelvoMapMode& map, TKelvoRect& rect) {
    rect = state_.Box.Box.IsEmpty() ? TKelvoRect{} : InflateRectBy(map.LogicalToDeviceRect(state_.Box.Box), 5, 5);
}

void TKelvoTextToolControl::PaintOverlay(TKelvoViewCanvas& canvas) {
    if (state_.State == TextNone || state_.Box.Box.IsEmpty()) return;
    HDC dc = canvas.MemoryDC();
    const TKelvoRect box = canvas.MapMode().LogicalToDeviceRect(state_.Box.Box);
    const RECT r{box.Left, box.Top, box.Right, box.Bottom};
    ::DrawFocusRect(dc, &r);
    if (state_.State != TextPlaced) return;
    for (int part = PartTop; part <= PartTopLeft; ++part) {
        const TKelvoPoint p = HandlePoint(box, part);
        const RECT outer{p.X - HandleRadius, p.Y - HandleRadius, p.X + HandleRadius + 1, p.Y + HandleRadius + 1};
        const RECT inner{outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1};
        ::InvertRect(dc, &outer);
        ::InvertRect(dc, &inner);
    }
}
