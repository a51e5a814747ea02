// A combo box of named colours, each drawn with a swatch: the 16 standard colours, the 4 extended ones and
// the system colours, chosen by Style.
#pragma once
#include "classlib/core/TSet.h"
#include "classlib/win/TComboBox.h"

enum TColorBoxStyleFlag { cbStandardColors, cbExtendedColors, cbSystemColors, cbIncludeNone, cbIncludeDefault };
using TColorBoxStyle = TSet<TColorBoxStyleFlag>;

class TColorBox : public TCustomComboBox {
    CLASSLIB_COMPONENT(TColorBox, TCustomComboBox)
public:
    explicit TColorBox(TComponent* owner);

    // Which colours are listed; changing it lists them again (keeping Selected when it is still there).
    TColorBoxStyle ColorStyle() const { return colorStyle_; }
    void SetColorStyle(TColorBoxStyle value);
    // The colour of the selected item; when set to a colour that is not listed, no item is selected and
    // Selected keeps the value.
    TColor Selected();
    void SetSelected(TColor value);
    int ColorCount() const { return Items()->Count(); }
    TColor Colors(int index) const;
    AnsiString ColorNames(int index) const { return Items()->Get(index); }
    // Renames the listed colour (a program shows the names in its own language); the selection stays.
    void SetColorName(TColor color, const AnsiString& name);

protected:
    // A swatch as high as the item, framed in black, then the name.
    void DrawItem(int index, TRect rect, TOwnerDrawState state) override;
    void Select() override;

private:
    void PopulateList();

    TColorBoxStyle colorStyle_{cbStandardColors, cbExtendedColors, cbSystemColors};
    TColor selected_ = clBlack;
};
