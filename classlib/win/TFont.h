// A logical font: name, size, style, colour, character set and pitch. The system font is created when
// Handle() is first asked for and again after any change; the old one is freed then.
#pragma once
#include <cstdint>
#include <string_view>

#include "classlib/core/TSet.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/TGraphicsObject.h"

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = std::uint8_t;

class TFont : public TGraphicsObject {
    CLASSLIB_CLASS(TFont, TGraphicsObject)
public:
    // Longest font name the system keeps (LF_FACESIZE - 1); longer names are cut.
    static constexpr std::size_t MaxNameLength = 31;

    TFont();
    ~TFont() override;

    // The font handle, created from the current properties when none is cached.
    HFONT Handle();
    bool HandleAllocated() const { return handle_.Allocated(); }
    // Takes the description of another font: its LOGFONT is read back into Name, Height, Style, Charset
    // and Pitch. The caller keeps its handle (and frees it); this font makes its own from the same data.
    void SetHandle(HFONT font);
    // The same from a description, e.g. one of the system's non-client metrics.
    void SetLogFont(const LOGFONTA& logFont);
    LOGFONTA LogFont() const;
    // The same description for the system's wide font calls, with a wide face name (cut like Name).
    LOGFONTW WideLogFont(std::u16string_view faceName) const;

    const AnsiString& Name() const { return name_; }
    // An empty name is ignored (a font always has a face name).
    void SetName(const AnsiString& name);
    // Size in points, rounded; derived from Height through PixelsPerInch.
    int Size() const;
    void SetSize(int points);
    // Height in pixels; negative means the character height, positive the cell height, 0 the default.
    int Height() const { return height_; }
    void SetHeight(int pixels);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset charset);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch pitch);
    // The resolution Size and Height convert with; the screen's vertical resolution at creation. Changing it
    // keeps Height (the font keeps its pixel size).
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int ppi);

    // Copies another font; this font keeps its PixelsPerInch, and a font of another resolution is taken over
    // with the same size in points.
    void Assign(TPersistent* source) override;

private:
    void PropertyChanged();

    AnsiString name_;
    int height_;
    TFontStyles style_;
    TColor color_;
    TFontCharset charset_;
    TFontPitch pitch_;
    int pixelsPerInch_;
    TCachedGdiHandle<HFONT> handle_;
};

// Pixels per inch of the screen (its vertical logical resolution).
int ScreenPixelsPerInch();
