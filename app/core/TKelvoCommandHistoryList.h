// Undo and redo: a linear history of command states with a position.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

// One step that can be undone and redone; the result is passed on to the editor.
class TKelvoCommandState {
public:
    virtual ~TKelvoCommandState() = default;
    virtual bool Undo() = 0;
    virtual bool Redo() = 0;
};

// Owns its states. States below Position() can be undone, states at and above it redone.
class TKelvoCommandHistoryList {
public:
    TKelvoCommandHistoryList() = default;
    TKelvoCommandHistoryList(const TKelvoCommandHistoryList&) = delete;
    TKelvoCommandHistoryList& operator=(const TKelvoCommandHistoryList&) = delete;
    ~TKelvoCommandHistoryList();

    // Drops the redo tail, then appends the state and moves past it.
    void Add(std::unique_ptr<TKelvoCommandState> state);
    // Frees every state from the position to the end, last first.
    void DeleteRedoStates();
    bool CanUndo() const { return position_ > 0; }
    bool CanRedo() const { return position_ < GetCount(); }
    // Steps back and undoes that state; false when there is nothing to undo. When the state raises, the
    // position is restored before the error goes on, so history and image stay in step.
    bool Undo();
    // Redoes the state at the position and steps past it; false when there is nothing to redo.
    bool Redo();
    TKelvoCommandState* NextUndo() const;
    TKelvoCommandState* NextRedo() const;
    std::int32_t GetCount() const { return std::int32_t(states_.size()); }
    // Raises ERangeError for an index outside 0 .. count - 1.
    TKelvoCommandState* GetItem(std::int32_t index) const;
    std::int32_t Position() const { return position_; }

private:
    std::vector<std::unique_ptr<TKelvoCommandState>> states_;
    std::int32_t position_ = 0;
};
