#include "classlib/win/TMenuItem.h"

#include <algorithm>
#include <vector>

#include "classlib/core/StringUtils.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/TCustomImageList.h"
#include "classlib/win/TMenu.h"
#include "classlib/win/TMenuActionLink.h"

namespace {

// Command ids in use. A freed id is handed out again only after the others, so that a command still queued
// for a freed item is unlikely to reach a new one.
constexpr unsigned kFirstCommand = 1;
constexpr unsigned kLastCommand = 0xFFFE;

struct CommandIds {
    std::vector<bool> used = std::vector<bool>(kLastCommand + 1, false);
    unsigned next = kFirstCommand;
};

CommandIds& Commands() {
    static CommandIds ids;
    return ids;
}

std::uint16_t AllocateCommand() {
    CommandIds& ids = Commands();
    for (unsigned n = kFirstCommand; n <= kLastCommand; ++n) {
        const unsigned id = ids.next;
        ids.next = id == kLastCommand ? kFirstCommand : id + 1;
        if (!ids.used[id]) {
            ids.used[id] = true;
            return static_cast<std::uint16_t>(id);
        }
    }
    throw EMenuError("Too many menu items");
}

void ReleaseCommand(std::uint16_t id) { Commands().used[id] = false; }

// Space between the image column, the caption and the shortcut text of an owner-drawn item.
constexpr int kCheckColumn = 16;
constexpr int kTextGap = 2;
constexpr int kShortCutGap = 10;

TColor MenuTextColor(bool selected, bool enabled) {
    if (!enabled) return clGrayText;
    return selected ? clHighlightText : clMenuText;
}

}  // namespace

AnsiString StripHotkey(const AnsiString& caption) {
    AnsiString result;
    result.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                result += '&';
                ++i;
            }
            continue;
        }
        result += caption[i];
    }
    return result;
}

template <class T>
bool TMenuItem::SetField(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    Changed(false);
    return true;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(AllocateCommand()) {}

TMenuItem::~TMenuItem() {
    destroying_ = true;
    // Take the children's submenus out first: destroying this native menu would destroy them with it.
    RemoveNativeEntries();
    while (!items_.empty()) {
        TMenuItem* child = items_.back();
        items_.pop_back();
        child->parent_ = nullptr;
        Free(child);
    }
    if (parent_) parent_->Remove(this);
    actionLink_.reset();
    if (handle_) ::DestroyMenu(handle_);
    ReleaseCommand(command_);
}

void TMenuItem::SetCaption(const AnsiString& value) { SetField(caption_, value); }

void TMenuItem::SetChecked(bool value) {
    if (!SetField(checked_, value)) return;
    if (value && radioItem_ && parent_) {
        for (TMenuItem* sibling : std::vector<TMenuItem*>(parent_->items_)) {
            if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_)
                sibling->SetChecked(false);
        }
    }
}

void TMenuItem::SetEnabled(bool value) { SetField(enabled_, value); }

void TMenuItem::SetVisible(bool value) {
    if (visible_ == value) return;
    visible_ = value;
    // Entries come and go: the parent's native menu is written again.
    if (parent_) parent_->RebuildHandle();
    MenuChanged(true);
}

void TMenuItem::SetDefault(bool value) {
    if (default_ == value) return;
    // One default item per menu.
    if (value && parent_) {
        for (TMenuItem* sibling : parent_->items_) {
            if (sibling != this && sibling->default_) sibling->SetDefault(false);
        }
    }
    SetField(default_, value);
}

void TMenuItem::SetRadioItem(bool value) { SetField(radioItem_, value); }

void TMenuItem::SetGroupIndex(int value) {
    if (value < 0 || value > 255) throw ERangeError("Group index out of range");
    SetField(groupIndex_, value);
}

void TMenuItem::SetShortCut(TShortCut value) { SetField(shortCut_, value); }

void TMenuItem::SetHint(const AnsiString& value) { hint_ = value; }

void TMenuItem::SetImageIndex(int value) { SetField(imageIndex_, value); }

// Actions

TBasicAction* TMenuItem::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

void TMenuItem::SetAction(TBasicAction* value) {
    if (value == Action()) return;
    if (TBasicAction* old = Action()) old->RemoveFreeNotification(this);
    if (!value) {
        actionLink_.reset();
        return;
    }
    if (!actionLink_) actionLink_.reset(GetActionLinkClass().Create(this));
    actionLink_->SetAction(value);
    value->FreeNotification(this);
    ActionChange(value, ComponentState().Contains(csLoading));
}

TActionLinkClass TMenuItem::GetActionLinkClass() { return TActionLinkClass::Of<TMenuActionLink>(); }

void TMenuItem::ActionChange(TObject* sender, bool checkDefaults) {
    auto* action = dynamic_cast<TCustomAction*>(sender);
    if (!action) return;
    if (!checkDefaults || caption_.empty()) SetCaption(action->Caption());
    if (!checkDefaults || !checked_) SetChecked(action->Checked());
    if (!checkDefaults || enabled_) SetEnabled(action->Enabled());
    if (!checkDefaults || hint_.empty()) SetHint(action->Hint());
    if (!checkDefaults || imageIndex_ == -1) SetImageIndex(action->ImageIndex());
    if (!checkDefaults || shortCut_ == 0) SetShortCut(action->ShortCut());
    if (!checkDefaults || visible_) SetVisible(action->Visible());
    if (!checkDefaults || groupIndex_ == 0) SetGroupIndex(action->GroupIndex());
    if (!checkDefaults || !OnClick) OnClick = action->OnExecute;
}

void TMenuItem::InitiateAction() {
    if (actionLink_) actionLink_->Update();
    if (menu_) {
        for (std::size_t i = 0; i < items_.size(); ++i) items_[i]->InitiateAction();
    }
}

void TMenuItem::Loaded() {
    TComponent::Loaded();
    if (TBasicAction* action = Action()) ActionChange(action, true);
}

void TMenuItem::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component && component == Action()) SetAction(nullptr);
}

void TMenuItem::Click() {
    if (!enabled_) return;
    TBasicAction* action = Action();
    // A handler of the item's own (not the action's) wins over the action.
    if (action && (!OnClick || OnClick == action->OnExecute)) {
        actionLink_->Execute(this);
    } else if (OnClick) {
        OnClick(this);
    }
}

// Children

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw EMenuError("Menu index out of range");
    return items_[static_cast<std::size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) throw EMenuError("Menu item is nil");
    if (item->parent_ || item->menu_) throw EMenuError("Menu inserted twice");
    for (const TMenuItem* p = this; p; p = p->parent_) {
        if (p == item) throw EMenuError("Menu inserted into itself");
    }
    if (index < 0 || index > Count()) throw EMenuError("Menu index out of range");
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    ItemsChanged();
}

void TMenuItem::Delete(int index) {
    TMenuItem* item = Items(index);
    items_.erase(items_.begin() + index);
    item->parent_ = nullptr;
    ItemsChanged();
}

void TMenuItem::Remove(TMenuItem* item) {
    const int index = IndexOf(item);
    if (index >= 0) Delete(index);
}

void TMenuItem::Clear() {
    while (!items_.empty()) Free(items_.back());
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenuItem* TMenuItem::Find(const AnsiString& caption) const {
    const AnsiString wanted = StripHotkey(caption);
    for (TMenuItem* item : items_) {
        if (SameTextSystem(StripHotkey(item->caption_), wanted)) return item;
    }
    return nullptr;
}

int TMenuItem::MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }

void TMenuItem::SetMenuIndex(int value) {
    if (!parent_) return;
    TMenuItem* parent = parent_;
    const int current = MenuIndex();
    value = std::clamp(value, 0, parent->Count() - 1);
    if (value == current) return;
    parent->items_.erase(parent->items_.begin() + current);
    parent->items_.insert(parent->items_.begin() + value, this);
    parent->ItemsChanged();
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->parent_) root = root->parent_;
    return root->menu_;
}

// Streaming hooks

void TMenuItem::GetChildren(TGetChildProc proc, TComponent* root) {
    for (TMenuItem* item : std::vector<TMenuItem*>(items_)) {
        if (item->Owner() == root) proc(item);
    }
}

TComponent* TMenuItem::GetParentComponent() const {
    if (parent_ && parent_->menu_) return parent_->menu_;
    return parent_;
}

bool TMenuItem::HasParent() const { return true; }

void TMenuItem::SetParentComponent(TComponent* value) {
    if (parent_) parent_->Remove(this);
    if (auto* menu = dynamic_cast<TMenu*>(value)) {
        menu->Items()->Add(this);
    } else if (auto* item = dynamic_cast<TMenuItem*>(value)) {
        item->Add(this);
    }
}

// Native menu

HMENU TMenuItem::Handle() {
    if (!handle_) {
        const bool bar = menu_ && menu_->IsMenuBar();
        handle_ = bar ? ::CreateMenu() : ::CreatePopupMenu();
        if (!handle_) throw EOutOfResources("Out of system resources");
        RebuildHandle();
    }
    return handle_;
}

bool TMenuItem::IsMenuBarItem() const { return parent_ && parent_->menu_ && parent_->menu_->IsMenuBar(); }

bool TMenuItem::OwnerDrawn() const {
    const TMenu* menu = GetParentMenu();
    return menu && (menu->OwnerDraw() || menu->Images());
}

AnsiString TMenuItem::NativeText() const {
    if (shortCut_ == 0 || IsMenuBarItem()) return caption_;
    const AnsiString keys = ShortCutToText(shortCut_);
    return keys.empty() ? caption_ : caption_ + "\t" + keys;
}

void TMenuItem::FillNativeInfo(MENUITEMINFOA& info, AnsiString& text) {
    info = MENUITEMINFOA{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    info.wID = command_;
    info.hSubMenu = items_.empty() ? nullptr : Handle();
    if (IsLine()) {
        info.fType = MFT_SEPARATOR;
    } else {
        if (radioItem_) info.fType |= MFT_RADIOCHECK;
        if (OwnerDrawn()) {
            info.fType |= MFT_OWNERDRAW;
        } else {
            text = NativeText();
            info.fMask |= MIIM_STRING;
            info.dwTypeData = text.data();
            info.cch = static_cast<UINT>(text.size());
        }
    }
    if (checked_) info.fState |= MFS_CHECKED;
    if (!enabled_) info.fState |= MFS_DISABLED;
    if (default_) info.fState |= MFS_DEFAULT;
}

int TMenuItem::NativePosition() const {
    int position = 0;
    for (const TMenuItem* sibling : parent_->items_) {
        if (sibling == this) return position;
        if (sibling->visible_) ++position;
    }
    return -1;
}

void TMenuItem::UpdateNativeEntry() {
    if (!parent_ || !parent_->handle_ || !visible_) return;
    MENUITEMINFOA info;
    AnsiString text;
    FillNativeInfo(info, text);
    if (!::SetMenuItemInfoA(parent_->handle_, static_cast<UINT>(NativePosition()), TRUE, &info))
        throw EMenuError("Menu item cannot be changed");
}

void TMenuItem::InsertNative(int position, TMenuItem* item) {
    MENUITEMINFOA info;
    AnsiString text;
    item->FillNativeInfo(info, text);
    if (!::InsertMenuItemA(handle_, static_cast<UINT>(position), TRUE, &info))
        throw EMenuError("Menu item cannot be inserted");
}

void TMenuItem::RemoveNativeEntries() {
    if (!handle_) return;
    // RemoveMenu leaves the submenus alive: they belong to the child items.
    for (int n = ::GetMenuItemCount(handle_); n > 0; --n) ::RemoveMenu(handle_, 0, MF_BYPOSITION);
}

void TMenuItem::RebuildHandle() {
    if (!handle_ || destroying_) return;
    RemoveNativeEntries();
    int position = 0;
    for (TMenuItem* item : items_) {
        if (item->visible_) InsertNative(position++, item);
    }
}

void TMenuItem::ItemsChanged() {
    if (destroying_) return;
    RebuildHandle();
    Changed(true);
}

void TMenuItem::Changed(bool rebuild) {
    if (destroying_) return;
    UpdateNativeEntry();
    MenuChanged(rebuild);
}

void TMenuItem::MenuChanged(bool rebuild) {
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, this, rebuild);
}

// Owner drawing

void TMenuItem::MeasureItem(TCanvas* canvas, int& width, int& height) {
    const TMenu* menu = GetParentMenu();
    const TCustomImageList* images = menu ? menu->Images() : nullptr;
    if (IsLine()) {
        width = 0;
        height = ::GetSystemMetrics(SM_CYMENU) / 2;
    } else {
        const TFontStyles saved = canvas->Font()->Style();
        if (default_) canvas->Font()->SetStyle(saved + TFontStyles{fsBold});
        const TSize text = canvas->TextExtent(StripHotkey(caption_));
        int column = 0;
        if (!IsMenuBarItem()) column = (images ? images->Width() : kCheckColumn) + kTextGap;
        width = column + kTextGap + text.cx;
        const AnsiString keys = IsMenuBarItem() || !shortCut_ ? AnsiString() : ShortCutToText(shortCut_);
        if (!keys.empty()) width += kShortCutGap + canvas->TextWidth(keys);
        height = std::max(text.cy + 4, images ? images->Height() + 4 : 0);
        canvas->Font()->SetStyle(saved);
    }
    if (OnMeasureItem) OnMeasureItem(this, canvas, width, height);
}

void TMenuItem::AdvancedDrawItem(TCanvas* canvas, TRect rect, TOwnerDrawState state, bool topLevel) {
    if (OnAdvancedDrawItem) {
        OnAdvancedDrawItem(this, canvas, rect, state);
        return;
    }
    const bool selected = state.Contains(odSelected);
    if (OnDrawItem) {
        OnDrawItem(this, canvas, rect, selected);
        return;
    }
    canvas->Brush()->SetColor(selected ? clHighlight : (topLevel ? clMenuBar : clMenu));
    canvas->FillRect(rect);
    if (IsLine()) {
        const int y = (rect.Top + rect.Bottom) / 2;
        RECT line{rect.Left + 1, y - 1, rect.Right - 1, y + 1};
        ::DrawEdge(canvas->Handle(), &line, EDGE_ETCHED, BF_TOP);
        return;
    }

    const TMenu* menu = GetParentMenu();
    TCustomImageList* images = menu ? menu->Images() : nullptr;
    int textLeft = rect.Left + kTextGap;
    if (!topLevel) {
        const int column = images ? images->Width() : kCheckColumn;
        if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
            const int y = rect.Top + (rect.Bottom - rect.Top - images->Height()) / 2;
            images->Draw(canvas, rect.Left + 1, y, imageIndex_, enabled_);
        } else if (checked_) {
            const int size = std::min(column, static_cast<int>(rect.Bottom - rect.Top));
            RECT glyph{rect.Left + 1, rect.Top + (rect.Bottom - rect.Top - size) / 2, 0, 0};
            glyph.right = glyph.left + size;
            glyph.bottom = glyph.top + size;
            ::DrawFrameControl(canvas->Handle(), &glyph, DFC_MENU, radioItem_ ? DFCS_MENUBULLET : DFCS_MENUCHECK);
        }
        textLeft = rect.Left + column + (checked_ ? 1 : 0) + kTextGap;
    }

    const TFontStyles saved = canvas->Font()->Style();
    if (default_) canvas->Font()->SetStyle(saved + TFontStyles{fsBold});
    canvas->Font()->SetColor(MenuTextColor(selected, enabled_));
    canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
    HDC dc = canvas->Handle();
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    RECT textRect{textLeft, rect.Top, rect.Right - kTextGap, rect.Bottom};
    const UINT flags = DT_SINGLELINE | DT_VCENTER | (topLevel ? DT_CENTER : DT_LEFT);
    const AnsiString keys = topLevel || !shortCut_ ? AnsiString() : ShortCutToText(shortCut_);
    auto drawTexts = [&](TColor color, int offset) {
        ::SetTextColor(dc, ColorToRGB(color));
        RECT r = textRect;
        ::OffsetRect(&r, offset, offset);
        ::DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r, flags);
        if (!keys.empty())
            ::DrawTextA(dc, keys.c_str(), static_cast<int>(keys.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    };
    if (!enabled_ && !selected) {
        // Embossed: a light copy one pixel down and right under the shadow-coloured text.
        drawTexts(clBtnHighlight, 1);
        drawTexts(clBtnShadow, 0);
    } else {
        drawTexts(MenuTextColor(selected, enabled_), 0);
    }
    ::SetBkMode(dc, oldMode);
    canvas->Font()->SetStyle(saved);
}
