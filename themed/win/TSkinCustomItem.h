// Themed command and submenu items: toolbar-framework items that the theme measures and paints, with
// per-item font settings, a glyph layout, least sizes and hooks for their image and font. Their submenus
// open in themed popup windows.
#pragma once
#include "classlib/core/Method.h"
#include "classlib/win/Win32.h"
#include "themed/core/SkinItemLayout.h"
#include "themed/core/SkinViewTypes.h"
#include "themed/core/TFontSettings.h"
#include "toolbar/core/TTBCustomItem.h"

class TSkinCustomItem;
class TSkinItemViewer;

// What a popup opened from an item shows, for the popup's view type: items that open list or edit popups
// (and lists inside a submenu) say so.
class ISkinPopupKind {
public:
    virtual skin::TPopupKind SkinPopupKind() const = 0;
    // A list item: a submenu holding only it is a list popup.
    virtual bool IsSkinList() const { return false; }

protected:
    ~ISkinPopupKind() = default;
};

// OnDrawImage: after the theme drew the image (rect: where it went). OnAdjustFont: the last word on the font.
using TSkinDrawImageEvent = Method<void(TSkinCustomItem* item, TSkinItemViewer* viewer, HDC dc, const TRect& rect,
                                        const skin::TSkinItemInfo& info)>;
using TSkinAdjustFontEvent = Method<void(TSkinCustomItem* item, TSkinItemViewer* viewer, skin::TFontDescription& font)>;

class TSkinCustomItem : public TTBCustomItem, public ISkinPopupKind {
    CLASSLIB_COMPONENT(TSkinCustomItem, TTBCustomItem)

    explicit TSkinCustomItem(TComponent* owner);
    ~TSkinCustomItem() override;

    TFontSettings* FontSettings() const { return fontSettings_.get(); }
    void SetFontSettings(TFontSettings* value) { fontSettings_->Assign(value); }
    skin::TSkinItemLayout Layout() const { return layout_; }
    void SetLayout(skin::TSkinItemLayout value);
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int value);
    int MinHeight() const { return minHeight_; }
    void SetMinHeight(int value);
    bool Stretch() const { return ItemStyle().Contains(tbisStretch); }
    void SetStretch(bool value);
    bool AlwaysSelectFirst() const { return alwaysSelectFirst_; }
    void SetAlwaysSelectFirst(bool value) { alwaysSelectFirst_ = value; }
    // The submenu is a tool box (its popup has the edit-popup view type).
    bool ToolBoxPopup() const { return toolBoxPopup_; }
    void SetToolBoxPopup(bool value) { toolBoxPopup_ = value; }

    TSkinDrawImageEvent OnDrawImage;
    TSkinAdjustFontEvent OnAdjustFont;

    // The items of the submenu follow their actions (and a visibility toggle its control) before it shows.
    void DoPopup(TTBCustomItem* sender, bool fromLink) override;
    TTBItemViewer* CreateViewer(TTBView* view, int groupLevel, bool chevron) override;
    TTBPopupWindow* CreatePopupWindow(TTBView* parentView, bool customizing) override;
    bool SelectFirstOnPopup() const override { return alwaysSelectFirst_; }
    skin::TPopupKind SkinPopupKind() const override;

protected:
    // Adds or removes a style flag; the viewers are measured again.
    void SetStyleFlag(TTBItemStyleFlag flag, bool on);

private:
    void FontSettingsChanged(TObject* sender);

    TObjectPtr<TFontSettings> fontSettings_;
    skin::TSkinItemLayout layout_ = skin::sklAuto;
    int minWidth_ = 0;
    int minHeight_ = 0;
    bool alwaysSelectFirst_ = false;
    bool toolBoxPopup_ = false;
};

class TSkinItem : public TSkinCustomItem {
    CLASSLIB_COMPONENT(TSkinItem, TSkinCustomItem)
    explicit TSkinItem(TComponent* owner) : TSkinCustomItem(owner) {}
};

// A submenu; with DropdownCombo its button runs the item and a separate arrow opens the menu.
class TSkinSubmenuItem : public TSkinCustomItem {
    CLASSLIB_COMPONENT(TSkinSubmenuItem, TSkinCustomItem)
    explicit TSkinSubmenuItem(TComponent* owner);
    bool DropdownCombo() const { return ItemStyle().Contains(tbisCombo); }
    void SetDropdownCombo(bool value) { SetStyleFlag(tbisCombo, value); }
};
