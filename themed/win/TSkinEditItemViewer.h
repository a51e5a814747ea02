// The viewers of the themed edit items: they size and paint the caption, the field frame, the image and
// the text through the theme, dress the edit window (alignment, password, read-only, the editor font),
// and watch the typing in it: a change of the text while a printable key is held may be completed by the
// item, and every change is reported to the item's typing hook. The drop-down viewer adds the button at
// the right of the field and F4.
#pragma once
#include "themed/core/EditTyping.h"
#include "themed/core/SkinItemInfo.h"
#include "toolbar/win/TTBEditItemViewer.h"

class TSkinEditItem;
class TSkinCustomDropDownItem;

class TSkinEditItemViewer : public TTBEditItemViewer {
    CLASSLIB_CLASS(TSkinEditItemViewer, TTBEditItemViewer)
public:
    using TTBEditItemViewer::TTBEditItemViewer;

    TSkinEditItem* SkinEditItem() const;
    const skin::TTypedKeys& TypedKeys() const { return typedKeys_; }

    void CalcSize(HDC dc, int& width, int& height) override;
    void Paint(HDC dc, const TRect& clientArea, bool isSelected, bool isPushed, bool useDisabledShadow) override;
    bool IsToolbarStyle() const override;
    bool IsToolbarSize() const override;
    bool IsPtInButtonPart(int x, int y) const override;

    virtual skin::TSkinItemInfo GetItemInfo(bool isSelected, bool isPushed) const;
    virtual skin::TSkinEditFrameInfo GetEditFrameInfo() const;
    // The image at the left of the field: its width + 2 when shown, else 0.
    virtual int GetImagePartWidth() const;
    // The button at the right of the field; none here.
    virtual int GetDropDownPartWidth() const { return 0; }
    virtual bool IsEditImageShown() const;

protected:
    TRect GetEditRect() const override;
    TRect GetEditMargins() const override { return TRect{0, 0, 0, 0}; }
    void GetEditStyle(DWORD& style, DWORD& exStyle, TColor& color) override;
    void AdjustEditFont(LOGFONTW& font) override;
    TColor EditTextColor() const override;
    void PrepareEditWindow(HWND edit) override;
    bool EditMessageHook(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // The text of the field changed: complete it when it was typed, then tell the item.
    virtual void HandleEditChange();
    // Paints the drop-down button at rect; nothing here.
    virtual void PaintDropDownPart(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info) {}

private:
    struct TParts {
        TRect menuFrame;  // the menu row's highlight (menus only)
        TRect caption;    // empty without a caption or in toolbar style
        TRect field;      // the edit frame
        TRect text;       // where the text and the edit window go
        TRect image;      // the image place at the left of the field
    };
    TParts Parts(HDC dc, const TRect& client) const;
    int MenuCaptionWidth(HDC dc) const;

    skin::TTypedKeys typedKeys_;
};

class TSkinDropDownItemViewer : public TSkinEditItemViewer {
    CLASSLIB_CLASS(TSkinDropDownItemViewer, TSkinEditItemViewer)
public:
    using TSkinEditItemViewer::TSkinEditItemViewer;

    TSkinCustomDropDownItem* DropDownItem() const;
    int GetDropDownPartWidth() const override;
    bool IsPtInButtonPart(int x, int y) const override;
    std::int32_t GetAccRole() const override { return 46; }  // ROLE_SYSTEM_COMBOBOX
    void KeyDown(std::uint16_t& key, TShiftState shift) override;

protected:
    bool EditMessageHook(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void PaintDropDownPart(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info) override;
};
