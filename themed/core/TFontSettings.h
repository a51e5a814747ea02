// Per-item font adjustments: each style bit may be forced on or off or left as the font has it, the size
// is a percentage of the font's, and colour and face may replace the font's own. The settings apply to a
// plain font description, so that items, captions and log fonts share one rule.
#pragma once
#include <cstdint>

#include "classlib/core/Method.h"
#include "classlib/core/TColor.h"
#include "classlib/core/TPersistent.h"
#include "classlib/core/Types.h"

enum TTriState { tsDefault, tsTrue, tsFalse };

namespace skin {

// What the settings change of a font. Size is in points; a negative size (a cell height) scales too.
struct TFontDescription {
    int Size = 8;
    TColor Color = clWindowText;
    AnsiString Name;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
};

// The size scaled by percent with rounding half away from zero: (size x percent + 50) / 100.
int ScaleFontSize(int size, int percent);
// The longest face name a log font holds.
constexpr std::size_t kLogFontNameLength = 31;

}  // namespace skin

class TFontSettings : public TPersistent {
    CLASSLIB_CLASS(TFontSettings, TPersistent)
public:
    static constexpr TColor KeepColor = clNone;  // 0x1FFFFFFF

    TFontSettings() = default;

    TTriState Bold() const { return v_.bold; }
    void SetBold(TTriState value) { Change(v_.bold, value); }
    TTriState Italic() const { return v_.italic; }
    void SetItalic(TTriState value) { Change(v_.italic, value); }
    TTriState Underline() const { return v_.underline; }
    void SetUnderline(TTriState value) { Change(v_.underline, value); }
    TTriState StrikeOut() const { return v_.strikeOut; }
    void SetStrikeOut(TTriState value) { Change(v_.strikeOut, value); }
    std::uint16_t Size() const { return v_.size; }
    void SetSize(std::uint16_t value) { Change(v_.size, value); }
    TColor Color() const { return v_.color; }
    void SetColor(TColor value) { Change(v_.color, value); }
    const AnsiString& Name() const { return v_.name; }
    void SetName(const AnsiString& value) { Change(v_.name, value); }

    // Every setting at its default: the font stays as it is.
    bool IsDefault() const;
    // Applies the settings to a font description (size, colour, name, then each forced style bit).
    void Apply(skin::TFontDescription& font) const;

    // Copies another TFontSettings (one change notification when anything differs).
    void Assign(TPersistent* source) override;

    // Called after every change that altered a value.
    TNotifyEvent OnChange;

private:
    template <class T>
    void Change(T& field, const T& value) {
        if (field == value) return;
        field = value;
        if (OnChange) OnChange(this);
    }

    struct TValues {
        TTriState bold = tsDefault;
        TTriState italic = tsDefault;
        TTriState underline = tsDefault;
        TTriState strikeOut = tsDefault;
        std::uint16_t size = 100;
        TColor color = KeepColor;
        AnsiString name;
        friend bool operator==(const TValues&, const TValues&) = default;
    };
    TValues v_;
};
