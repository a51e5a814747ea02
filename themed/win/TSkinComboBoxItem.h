// The combo-box item: a themed drop-down edit item whose popup holds a list of lines. Picking a line sets
// the item's text, Up and Down in the field step through the lines, and typed text may be completed from
// them (AutoComplete: the shortest line that begins with the typed text, ignoring case).
#pragma once
#include <string_view>

#include "themed/win/TSkinCustomList.h"
#include "themed/win/TSkinEditItem.h"
#include "themed/win/TSkinEditItemViewer.h"

class TSkinComboBoxItem;
// The image of a line (index -1: the item's own image), given the line's text.
using TSkinComboImageIndexEvent =
    Method<void(TSkinComboBoxItem* sender, const WideString& text, int index, int& imageIndex)>;

class TSkinComboBoxItem : public TSkinCustomDropDownItem {
    CLASSLIB_COMPONENT(TSkinComboBoxItem, TSkinCustomDropDownItem)

    explicit TSkinComboBoxItem(TComponent* owner);
    ~TSkinComboBoxItem() override;

    TSkinStringList* List() const { return list_; }
    bool AutoComplete() const { return autoComplete_; }
    void SetAutoComplete(bool value) { autoComplete_ = value; }
    TStringListW* Lines() const { return list_->Lines(); }
    void SetLines(TStringListW* value) { list_->SetLines(value); }
    int MaxVisibleItems() const { return list_->MaxVisibleItems(); }
    void SetMaxVisibleItems(int value) { list_->SetMaxVisibleItems(value); }
    int MaxListWidth() const { return list_->MaxWidth(); }
    void SetMaxListWidth(int value) { list_->SetMaxWidth(value); }
    int MinListWidth() const { return list_->MinWidth(); }
    void SetMinListWidth(int value) { list_->SetMinWidth(value); }
    bool ShowListImages() const { return list_->ShowImages(); }
    void SetShowListImages(bool value) { list_->SetShowImages(value); }
    // The list's line events, set on the list itself.
    TSkinListDrawEvent& OnClearItem() { return list_->OnClearItem; }
    TSkinListDrawEvent& OnDrawItem() { return list_->OnDrawItem; }
    TSkinListMeasureHeightEvent& OnMeasureHeight() { return list_->OnMeasureHeight; }
    TSkinListMeasureWidthEvent& OnMeasureWidth() { return list_->OnMeasureWidth; }

    TSkinComboImageIndexEvent OnAdjustImageIndex;
    TNotifyEvent OnItemClick;

    bool DoAutoComplete(WideString& text) override;
    // The completion's match: line begins with typed, ignoring case as the user's language does. A line
    // shorter than typed never matches; only its own characters are compared.
    static bool LineBeginsWith(std::u16string_view line, std::u16string_view typed);
    int GetImageIndex() override;
    void Loaded() override;
    // "Strings" of older forms fills Lines; it is never written.
    void DefineProperties(TFiler* filer) override;

protected:
    // The list the item drops down.
    virtual TSkinStringList* CreateList();
    void TextChanged() override;
    TTBItemViewer* CreateEditViewer(TTBView* view, int groupLevel) override;

private:
    void ListChange(TObject* sender);
    void ListClick(TObject* sender);
    void ListImageIndex(TSkinCustomList* sender, int index, int& imageIndex);
    // Text becomes the line at index, marked as coming from the list.
    void TakeLine(int index);
    void SyncItemIndex();

    TSkinStringList* list_ = nullptr;
    bool autoComplete_ = true;
    int cachedImage_ = -1;
    bool imageValid_ = false;
    bool settingFromList_ = false;
};

class TSkinComboBoxItemViewer : public TSkinDropDownItemViewer {
    CLASSLIB_CLASS(TSkinComboBoxItemViewer, TSkinDropDownItemViewer)
public:
    using TSkinDropDownItemViewer::TSkinDropDownItemViewer;

protected:
    // Up and Down step through the lines and select the whole text.
    bool EditMessageHook(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
