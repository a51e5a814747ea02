#include "classlib/win/TMemo.h"

#include "classlib/core/LineSpans.h"

namespace {
std::vector<TLineSpan> SpansChecked(const AnsiString& text, int index, bool allowEnd) {
    std::vector<TLineSpan> spans = LineSpans(text);
    const int count = static_cast<int>(spans.size());
    if (index < 0 || index > count || (index == count && !allowEnd))
        TStrings::Error("List index out of bounds (%d)", index);
    return spans;
}
}  // namespace

AnsiString TMemoStrings::Get(int index) const {
    const AnsiString text = memo_->Text();
    const TLineSpan span = SpansChecked(text, index, false)[index];
    return text.substr(span.Start, span.Length);
}

int TMemoStrings::GetCount() const { return static_cast<int>(LineSpans(memo_->Text()).size()); }

void TMemoStrings::Put(int index, const AnsiString& s) {
    const TLineSpan span = SpansChecked(memo_->Text(), index, false)[index];
    Replace(span.Start, span.Start + span.Length, s);
}

void TMemoStrings::Insert(int index, const AnsiString& s) {
    const AnsiString text = memo_->Text();
    const std::vector<TLineSpan> spans = SpansChecked(text, index, true);
    if (index < static_cast<int>(spans.size())) {
        Replace(spans[index].Start, spans[index].Start, s + "\r\n");
        return;
    }
    const bool unterminated = !spans.empty() && spans.back().BreakLength == 0;
    Replace(text.size(), text.size(), (unterminated ? "\r\n" : "") + s + "\r\n");
}

void TMemoStrings::Delete(int index) {
    const TLineSpan span = SpansChecked(memo_->Text(), index, false)[index];
    Replace(span.Start, span.End(), AnsiString());
}

void TMemoStrings::Clear() { memo_->Clear(); }

void TMemoStrings::SetTextStr(const AnsiString& text) { memo_->SetText(AdjustLineBreaks(text)); }

void TMemoStrings::SetUpdateState(bool updating) {
    if (!memo_->HandleAllocated()) return;
    ::SendMessageA(memo_->WindowHandle(), WM_SETREDRAW, !updating, 0);
    if (!updating) memo_->Invalidate();
}

void TMemoStrings::Replace(std::size_t start, std::size_t end, const AnsiString& with) const {
    if (memo_->HandleAllocated()) {
        // In place, so that the caret and scroll position of the rest of the text stay.
        HWND wnd = memo_->WindowHandle();
        ::SendMessageA(wnd, EM_SETSEL, start, static_cast<LPARAM>(end));
        ::SendMessageA(wnd, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(with.c_str()));
        return;
    }
    const AnsiString text = memo_->Text();
    memo_->SetText(text.substr(0, start) + with + text.substr(end));
}

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), lines_(MakeObject<TMemoStrings>(this)) {
    SetBounds(0, 0, 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::SetLines(TStrings* value) { lines_->Assign(value); }

void TCustomMemo::SetScrollBars(TScrollStyle value) {
    if (value == scrollBars_) return;
    scrollBars_ = value;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool value) {
    if (value == wordWrap_) return;
    wordWrap_ = value;
    RecreateWnd();
}

void TCustomMemo::SetWantReturns(bool value) {
    if (value == wantReturns_) return;
    wantReturns_ = value;
    RecreateWnd();
}

void TCustomMemo::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.Style |= ES_MULTILINE;
    if (wantReturns_) params.Style |= ES_WANTRETURN;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) params.Style |= WS_VSCROLL;
    if (wordWrap_)
        params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    else if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth)
        params.Style |= WS_HSCROLL;
}

void TCustomMemo::WMGetDlgCode(TMessage& message) {
    DispatchInherited<TCustomMemo>(this, message);
    if (wantTabs_)
        message.Result |= DLGC_WANTTAB;
    else
        message.Result &= ~static_cast<std::intptr_t>(DLGC_WANTTAB);
    if (!wantReturns_) message.Result &= ~static_cast<std::intptr_t>(DLGC_WANTALLKEYS);
}
