// Edit items in the current theme. TSkinEditItem adds to the framework's edit item font settings for the
// field and the caption, alignment, password display, read-only editing, an image and the OnChange and
// OnTyping events; typed text may be completed (DoAutoComplete). TSkinCustomDropDownItem adds a drop-down
// button that opens the item's sub-items as a popup.
#pragma once
#include "classlib/core/ControlTypes.h"
#include "classlib/core/Method.h"
#include "themed/core/TFontSettings.h"
#include "themed/win/TSkinCustomItem.h"
#include "toolbar/win/TTBEditItem.h"

class TSkinEditItem;
using TSkinTypingEvent = Method<void(TObject* sender, const WideString& text)>;

class TSkinEditItem : public TTBEditItem, public ISkinPopupKind {
    CLASSLIB_COMPONENT(TSkinEditItem, TTBEditItem)

    explicit TSkinEditItem(TComponent* owner);
    ~TSkinEditItem() override;

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool Password() const { return password_; }
    void SetPassword(bool value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    bool ShowImage() const { return showImage_; }
    // Measures the item again on every assignment.
    void SetShowImage(bool value);
    bool ExtendedAccept() const override { return extendedAccept_; }
    void SetExtendedAccept(bool value) { extendedAccept_ = value; }
    TFontSettings* EditorFontSettings() const { return editorFontSettings_.get(); }
    void SetEditorFontSettings(TFontSettings* value) { editorFontSettings_->Assign(value); }
    TFontSettings* FontSettings() const { return fontSettings_.get(); }
    void SetFontSettings(TFontSettings* value) { fontSettings_->Assign(value); }

    TNotifyEvent OnChange;
    TSkinTypingEvent OnTyping;

    // Completion of typed text: true with text replaced by the completed one. None here.
    virtual bool DoAutoComplete(WideString& text) { return false; }
    // After every change of the field's text, with the text after any completion.
    virtual void DoTyping(const WideString& text);
    // The image the item shows.
    virtual int GetImageIndex() { return ImageIndex(); }

    TTBItemViewer* CreateViewer(TTBView* view, int groupLevel, bool chevron) override;
    TTBPopupWindow* CreatePopupWindow(TTBView* parentView, bool customizing) override;
    skin::TPopupKind SkinPopupKind() const override { return skin::TPopupKind::Edit; }
    // "PasswordChar" of older forms: a character there turns Password on.
    void DefineProperties(TFiler* filer) override;

protected:
    void TextChanged() override;
    // The viewer for a view that shows the field.
    virtual TTBItemViewer* CreateEditViewer(TTBView* view, int groupLevel);

private:
    void SettingsChanged(TObject* sender);

    TAlignment alignment_ = taLeftJustify;
    bool password_ = false;
    bool readOnly_ = false;
    bool showImage_ = false;
    bool extendedAccept_ = false;
    TObjectPtr<TFontSettings> editorFontSettings_;
    TObjectPtr<TFontSettings> fontSettings_;
};

class TSkinCustomDropDownItem : public TSkinEditItem {
    CLASSLIB_COMPONENT(TSkinCustomDropDownItem, TSkinEditItem)

    explicit TSkinCustomDropDownItem(TComponent* owner);

    // The whole item is the drop-down button and the field cannot be edited.
    bool DropDownList() const { return dropDownList_; }
    void SetDropDownList(bool value);
    // The popup always opens with its first item selected.
    bool SelectFirstOnPopup() const override { return true; }

protected:
    TTBItemViewer* CreateEditViewer(TTBView* view, int groupLevel) override;

private:
    bool dropDownList_ = false;
};
