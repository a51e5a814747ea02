#include "classlib/win/TFont.h"

#include <algorithm>
#include <cstring>

#include "classlib/core/Checked.h"
#include "classlib/win/WindowDC.h"

namespace {
constexpr const char* kDefaultName = "Tahoma";
constexpr int kDefaultHeight = -11;

int PitchToLogFont(TFontPitch pitch) {
    switch (pitch) {
        case fpVariable: return VARIABLE_PITCH;
        case fpFixed: return FIXED_PITCH;
        default: return DEFAULT_PITCH;
    }
}

TFontPitch PitchFromLogFont(BYTE pitchAndFamily) {
    switch (pitchAndFamily & 3) {
        case VARIABLE_PITCH: return fpVariable;
        case FIXED_PITCH: return fpFixed;
        default: return fpDefault;
    }
}
}  // namespace

int ScreenPixelsPerInch() {
    // The screen's resolution does not change while the program runs; asked once.
    static const int ppi = [] {
        const TWindowDC dc;
        const int value = dc ? ::GetDeviceCaps(dc.Get(), LOGPIXELSY) : 0;
        return value > 0 ? value : 96;
    }();
    return ppi;
}

TFont::TFont()
    : name_(kDefaultName),
      height_(kDefaultHeight),
      color_(clWindowText),
      charset_(DEFAULT_CHARSET),
      pitch_(fpDefault),
      pixelsPerInch_(ScreenPixelsPerInch()) {}

TFont::~TFont() = default;

HFONT TFont::Handle() {
    return handle_.Get([this] {
        LOGFONTA lf = LogFont();
        return ::CreateFontIndirectA(&lf);
    });
}

LOGFONTA TFont::LogFont() const {
    LOGFONTA lf{};
    lf.lfHeight = height_;
    lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style_.Contains(fsItalic) ? 1 : 0;
    lf.lfUnderline = style_.Contains(fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = style_.Contains(fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = charset_;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = static_cast<BYTE>(PitchToLogFont(pitch_));
    std::memcpy(lf.lfFaceName, name_.data(), std::min(name_.size(), MaxNameLength));
    return lf;
}

LOGFONTW TFont::WideLogFont(std::u16string_view faceName) const {
    const LOGFONTA lf = LogFont();
    LOGFONTW w{};
    w.lfHeight = lf.lfHeight;
    w.lfWeight = lf.lfWeight;
    w.lfItalic = lf.lfItalic;
    w.lfUnderline = lf.lfUnderline;
    w.lfStrikeOut = lf.lfStrikeOut;
    w.lfCharSet = lf.lfCharSet;
    w.lfOutPrecision = lf.lfOutPrecision;
    w.lfClipPrecision = lf.lfClipPrecision;
    w.lfQuality = lf.lfQuality;
    w.lfPitchAndFamily = lf.lfPitchAndFamily;
    const std::size_t n = std::min(faceName.size(), MaxNameLength);
    std::memcpy(w.lfFaceName, faceName.data(), n * sizeof(char16_t));
    return w;
}

void TFont::SetHandle(HFONT font) {
    LOGFONTA lf{};
    if (!font || ::GetObjectA(font, sizeof(lf), &lf) == 0) throw EInvalidGraphic("Invalid font handle");
    SetLogFont(lf);
}

void TFont::SetLogFont(const LOGFONTA& lf) {
    name_.assign(lf.lfFaceName, strnlen(lf.lfFaceName, MaxNameLength));
    height_ = lf.lfHeight;
    TFontStyles style;
    if (lf.lfWeight >= FW_BOLD) style.Include(fsBold);
    if (lf.lfItalic) style.Include(fsItalic);
    if (lf.lfUnderline) style.Include(fsUnderline);
    if (lf.lfStrikeOut) style.Include(fsStrikeOut);
    style_ = style;
    charset_ = lf.lfCharSet;
    pitch_ = PitchFromLogFont(lf.lfPitchAndFamily);
    PropertyChanged();
}

void TFont::SetName(const AnsiString& name) {
    AnsiString cut = name.substr(0, MaxNameLength);
    if (cut.empty() || cut == name_) return;
    name_ = std::move(cut);
    PropertyChanged();
}

int TFont::Size() const { return -MulDivRound(height_, 72, pixelsPerInch_); }

void TFont::SetSize(int points) { SetHeight(-MulDivRound(points, pixelsPerInch_, 72)); }

void TFont::SetHeight(int pixels) {
    if (pixels == height_) return;
    height_ = pixels;
    PropertyChanged();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == style_) return;
    style_ = style;
    PropertyChanged();
}

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    // The colour is a DC setting, not part of the handle.
    Changed();
}

void TFont::SetCharset(TFontCharset charset) {
    if (charset == charset_) return;
    charset_ = charset;
    PropertyChanged();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == pitch_) return;
    pitch_ = pitch;
    PropertyChanged();
}

void TFont::SetPixelsPerInch(int ppi) {
    if (ppi <= 0) throw EInvalidOperation("Invalid pixels per inch");
    pixelsPerInch_ = ppi;
}

void TFont::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TFont*>(source)) {
        if (other == this) return;
        name_ = other->name_;
        // A font taken over from a device of another resolution keeps its size in points.
        height_ =
            other->pixelsPerInch_ == pixelsPerInch_ ? other->height_ : -MulDivRound(other->Size(), pixelsPerInch_, 72);
        style_ = other->style_;
        color_ = other->color_;
        charset_ = other->charset_;
        pitch_ = other->pitch_;
        PropertyChanged();
        return;
    }
    inherited::Assign(source);
}

void TFont::PropertyChanged() {
    handle_.Invalidate();
    Changed();
}
