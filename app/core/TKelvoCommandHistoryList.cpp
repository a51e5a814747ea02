#include "app/core/TKelvoCommandHistoryList.h"

#include "classlib/core/Checked.h"
#include "classlib/core/ScopeGuard.h"

TKelvoCommandHistoryList::~TKelvoCommandHistoryList() {
    // Last first, as when the redo tail is dropped.
    while (!states_.empty()) states_.pop_back();
}

void TKelvoCommandHistoryList::Add(std::unique_ptr<TKelvoCommandState> state) {
    if (!state) return;
    DeleteRedoStates();
    states_.push_back(std::move(state));
    ++position_;
}

void TKelvoCommandHistoryList::DeleteRedoStates() {
    while (GetCount() > position_) states_.pop_back();
}

bool TKelvoCommandHistoryList::Undo() {
    if (!CanUndo()) return false;
    --position_;
    TScopeExit undo([this] { ++position_; });
    const bool done = states_[std::size_t(position_)]->Undo();
    undo.Dismiss();
    return done;
}

bool TKelvoCommandHistoryList::Redo() {
    if (!CanRedo()) return false;
    const bool result = states_[std::size_t(position_)]->Redo();
    ++position_;
    return result;
}

TKelvoCommandState* TKelvoCommandHistoryList::NextUndo() const {
    return CanUndo() ? states_[std::size_t(position_ - 1)].get() : nullptr;
}

TKelvoCommandState* TKelvoCommandHistoryList::NextRedo() const {
    return CanRedo() ? states_[std::size_t(position_)].get() : nullptr;
}

TKelvoCommandState* TKelvoCommandHistoryList::GetItem(std::int32_t index) const {
    return states_[std::size_t(CheckedIndex(index, GetCount()))].get();
}
