#include "unicode/win/TUniListView.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "unicode/core/PairedStrings.h"
#include "unicode/core/UniExceptions.h"
#include "classlib/win/WideChars.h"

void TWideSubItems::Put(int index, const WideString& s) {
    TUniStringList::Put(index, s);
    item_->TListItem::SubItems()->Put(index, uni::ToAnsi(s));
}

void TWideSubItems::InsertItem(int index, const WideString& s, TObject* obj) {
    TUniStringList::InsertItem(index, s, obj);
    item_->TListItem::SubItems()->InsertObject(index, uni::ToAnsi(s), obj);
}

void TWideSubItems::Delete(int index) {
    TUniStringList::Delete(index);
    item_->TListItem::SubItems()->Delete(index);
}

void TWideSubItems::Clear() {
    TUniStringList::Clear();
    item_->TListItem::SubItems()->Clear();
}

TUniListItem::TUniListItem(TComponent* listView) : TListItem(listView), subItems_(MakeObject<TWideSubItems>(this)) {}
TUniListItem::~TUniListItem() = default;

WideString TUniListItem::Caption() { return uni::ReadPairedWideString(caption_, TListItem::Caption()); }

void TUniListItem::SetCaption(const WideString& value) {
    uni::WritePairedWideString(value, caption_, TListItem::Caption(),
                               [this](const AnsiString& ansi) { TListItem::SetCaption(ansi); });
    // The window asks for the text again (the 8-bit text may not have changed).
    if (ListView() && ListView()->HandleAllocated() && Owner())
        ::SendMessageW(ListView()->Handle(), LVM_REDRAWITEMS, static_cast<WPARAM>(Index()),
                       static_cast<LPARAM>(Index()));
}

WideString TUniListItem::ColumnText(int column) {
    if (column == 0) return Caption();
    const int sub = column - 1;
    TStrings* ansi = TListItem::SubItems();
    if (sub < 0 || sub >= ansi->Count()) return WideString();
    // The wide sub-item while it still matches the 8-bit one the library may have changed.
    if (sub < subItems_->GetCount()) {
        const WideString wide = subItems_->Get(sub);
        if (uni::ToAnsi(wide) == ansi->Get(sub)) return wide;
    }
    return uni::FromAnsi(ansi->Get(sub));
}

void TUniListItem::Assign(TPersistent* source) {
    TListItem::Assign(source);
    if (auto* wide = dynamic_cast<TUniListItem*>(source)) {
        SetCaption(wide->Caption());
        subItems_->Assign(wide->SubItems());
    }
}

TUniListItem* TUniListItems::Item(int index) const { return static_cast<TUniListItem*>(TListItems::Item(index)); }

TUniListItem* TUniListItems::Add() { return static_cast<TUniListItem*>(TListItems::Add()); }

WideString TUniListColumn::Caption() const {
    // The wide caption while it still matches the 8-bit one the library may have changed.
    if (uni::ToAnsi(caption_) == TListColumn::Caption()) return caption_;
    return uni::FromAnsi(TListColumn::Caption());
}

void TUniListColumn::SetCaption(const WideString& value) {
    // The library shows the columns again whenever the 8-bit caption changes.
    uni::WritePairedWideString(value, caption_, TListColumn::Caption(),
                               [this](const AnsiString& ansi) { TListColumn::SetCaption(ansi); });
}

TUniCustomListView::TUniCustomListView(TComponent* owner) : TUniWindowed(owner, L"SysListView32") {
    ReplaceItems(MakeObject<TUniListItems>(this));
    ReplaceColumns(MakeObject<TUniListColumns>(this));
}

TUniListItem* TUniCustomListView::AddItem(const WideString& caption) {
    TUniListItem* item = Items()->Add();
    item->SetCaption(caption);
    return item;
}

void TUniCustomListView::WndProc(TMessage& message) {
    const bool column = message.Msg == LVM_INSERTCOLUMNA || message.Msg == LVM_SETCOLUMNA;
    const auto* ansi = reinterpret_cast<const LVCOLUMNA*>(message.LParam);
    const int index = static_cast<int>(message.WParam);
    if (!column || !ansi || !(ansi->mask & LVCF_TEXT) || index < 0 || index >= Columns()->Count()) {
        TUniWindowed::WndProc(message);
        return;
    }
    WideString text = Columns()->Items(index)->Caption();
    LVCOLUMNW wide{};
    std::memcpy(&wide, ansi, std::min(sizeof wide, sizeof *ansi));
    wide.pszText = WideBuffer(text);
    TMessage inner = message;
    inner.Msg = message.Msg == LVM_INSERTCOLUMNA ? LVM_INSERTCOLUMNW : LVM_SETCOLUMNW;
    inner.LParam = reinterpret_cast<LPARAM>(&wide);
    TUniWindowed::WndProc(inner);
    message.Result = inner.Result;
}

void TUniCustomListView::CreateWindowHandle(const TCreateParams& params) {
    TUniWindowed::CreateWindowHandle(params);
    uni::UseUnicodeNotifications(this);
    // One column in and out again: the window then keeps its wide header in step with the columns.
    LVCOLUMNA column{};
    ::SendMessageA(WindowHandle(), LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    ::SendMessageA(WindowHandle(), LVM_DELETECOLUMN, 0, 0);
}

TListItemClass TUniCustomListView::CreateItemClass() {
    TListItemClass itemClass = TListItemClass::Of<TUniListItem>();
    if (OnCreateItemClass) OnCreateItemClass(this, itemClass);
    if (!itemClass || !itemClass->InheritsFrom(TUniListItem::StaticClass()))
        throw EUniInternalError("Internal Error: OnCreateItemClass.ItemClass must inherit from TUniListItem.");
    return itemClass;
}

int TUniCustomListView::CompareItems(TListItem* item1, TListItem* item2, std::intptr_t data) {
    if (OnCompare) return TUniWindowed::CompareItems(item1, item2, data);
    const WideString a = static_cast<TUniListItem*>(item1)->Caption();
    const WideString b = static_cast<TUniListItem*>(item2)->Caption();
    return ::lstrcmpW(WideCStr(a), WideCStr(b));
}

void TUniCustomListView::PassAsAnsi(TMessage& message, NMLVDISPINFOW& info, UINT ansiCode) {
    NMLVDISPINFOA ansi{};
    ansi.hdr = info.hdr;
    ansi.hdr.code = ansiCode;
    std::memcpy(&ansi.item, &info.item, sizeof ansi.item);
    ansi.item.mask &= ~static_cast<UINT>(LVIF_TEXT);
    ansi.item.pszText = nullptr;
    ansi.item.cchTextMax = 0;
    TMessage inner = message;
    inner.LParam = reinterpret_cast<LPARAM>(&ansi);
    DispatchInherited<TUniCustomListView>(this, inner);
    message.Result = inner.Result;
    const LPWSTR text = info.item.pszText;
    const int room = info.item.cchTextMax;
    const UINT mask = info.item.mask;
    std::memcpy(&info.item, &ansi.item, sizeof info.item);
    info.item.pszText = text;
    info.item.cchTextMax = room;
    info.item.mask = mask;
}

void TUniCustomListView::DisplayInfo(TMessage& message, NMLVDISPINFOW& info) {
    // Images, states and the owner-data item come from the library; the text is the item's wide one.
    PassAsAnsi(message, info, LVN_GETDISPINFOA);
    if (!(info.item.mask & LVIF_TEXT) || !info.item.pszText || info.item.cchTextMax <= 0) return;
    const int index = info.item.iItem;
    WideString text;
    if (!OwnerData() && index >= 0 && index < Items()->Count()) text = Item(index)->ColumnText(info.item.iSubItem);
    const std::size_t n = std::min(static_cast<std::size_t>(info.item.cchTextMax) - 1, text.size());
    std::memcpy(info.item.pszText, text.data(), n * sizeof(wchar_t));
    info.item.pszText[n] = L'\0';
}

void TUniCustomListView::EndLabelEdit(TMessage& message, NMLVDISPINFOW& info) {
    const int index = info.item.iItem;
    if (!info.item.pszText || OwnerData() || index < 0 || index >= Items()->Count()) {
        PassAsAnsi(message, info, LVN_ENDLABELEDITA);
        return;
    }
    const WideString typed = FromWideChars(info.item.pszText);
    AnsiString ansiText = uni::ToAnsi(typed);
    NMLVDISPINFOA ansi{};
    ansi.hdr = info.hdr;
    ansi.hdr.code = LVN_ENDLABELEDITA;
    std::memcpy(&ansi.item, &info.item, sizeof ansi.item);
    ansi.item.pszText = ansiText.data();
    ansi.item.cchTextMax = static_cast<int>(ansiText.size()) + 1;
    TMessage inner = message;
    inner.LParam = reinterpret_cast<LPARAM>(&ansi);
    DispatchInherited<TUniCustomListView>(this, inner);
    message.Result = inner.Result;
    // The 8-bit handler kept the typed text (or OnEdited changed it): the wide caption follows.
    TUniListItem* item = Item(index);
    if (item->TListItem::Caption() == ansiText) item->SetCaption(typed);
}

void TUniCustomListView::CNNotify(TMessage& message) {
    auto* hdr = reinterpret_cast<NMHDR*>(message.LParam);
    switch (hdr->code) {
        case LVN_GETDISPINFOW: DisplayInfo(message, *reinterpret_cast<NMLVDISPINFOW*>(message.LParam)); return;
        case LVN_BEGINLABELEDITW:
            PassAsAnsi(message, *reinterpret_cast<NMLVDISPINFOW*>(message.LParam), LVN_BEGINLABELEDITA);
            return;
        case LVN_ENDLABELEDITW: EndLabelEdit(message, *reinterpret_cast<NMLVDISPINFOW*>(message.LParam)); return;
        default: DispatchInherited<TUniCustomListView>(this, message); return;
    }
}
