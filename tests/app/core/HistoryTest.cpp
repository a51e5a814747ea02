#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "app/core/TKelvoCommandHistoryList.h"
#include "classlib/core/Exceptions.h"

namespace {

// Records every undo, redo and destruction in a shared log.
class LoggingState : public TKelvoCommandState {
public:
    LoggingState(std::string name, std::string& log, bool result = true, bool raise = false)
        : name_(std::move(name)), log_(log), result_(result), raise_(raise) {}
    ~LoggingState() override { log_ += "~" + name_ + " "; }
    bool Undo() override {
        log_ += "u" + name_ + " ";
        if (raise_) throw std::runtime_error("undo failed");
        return result_;
    }
    bool Redo() override {
        log_ += "r" + name_ + " ";
        return result_;
    }

private:
    std::string name_;
    std::string& log_;
    bool result_;
    bool raise_;
};

}  // namespace

TEST(History, AddingAfterUndoDropsTheRedoTailLastFirst) {
    std::string log;
    TKelvoCommandHistoryList h;
    auto* a = new LoggingState("A", log);
    h.Add(std::unique_ptr<TKelvoCommandState>(a));
    h.Add(std::make_unique<LoggingState>("B", log));
    h.Add(std::make_unique<LoggingState>("C", log));
    EXPECT_TRUE(h.Undo());
    EXPECT_TRUE(h.Undo());
    EXPECT_EQ(log, "uC uB ");
    EXPECT_EQ(h.Position(), 1);
    EXPECT_TRUE(h.CanRedo());
    auto* d = new LoggingState("D", log);
    h.Add(std::unique_ptr<TKelvoCommandState>(d));
    EXPECT_EQ(log, "uC uB ~C ~B ");
    EXPECT_EQ(h.GetCount(), 2);
    EXPECT_EQ(h.Position(), 2);
    EXPECT_EQ(h.GetItem(0), a);
    EXPECT_EQ(h.GetItem(1), d);
    EXPECT_FALSE(h.CanRedo());
    EXPECT_EQ(h.NextUndo(), d);
    EXPECT_EQ(h.NextRedo(), nullptr);
    EXPECT_THROW(h.GetItem(2), ERangeError);
    EXPECT_THROW(h.GetItem(-1), ERangeError);
}

TEST(History, UndoAndRedoAtTheEndsDoNothing) {
    std::string log;
    TKelvoCommandHistoryList h;
    EXPECT_FALSE(h.Undo());
    EXPECT_FALSE(h.Redo());
    EXPECT_EQ(h.NextUndo(), nullptr);
    h.Add(std::make_unique<LoggingState>("A", log, false));
    EXPECT_FALSE(h.Redo());
    EXPECT_EQ(h.Position(), 1);
    // A state answering false still counts as a step taken.
    EXPECT_FALSE(h.Undo());
    EXPECT_EQ(h.Position(), 0);
    EXPECT_FALSE(h.Undo());
    EXPECT_EQ(log, "uA ");
    EXPECT_FALSE(h.Redo());
    EXPECT_EQ(h.Position(), 1);
    EXPECT_EQ(log, "uA rA ");
}

TEST(History, RaisingUndoKeepsThePosition) {
    std::string log;
    TKelvoCommandHistoryList h;
    h.Add(std::make_unique<LoggingState>("A", log));
    h.Add(std::make_unique<LoggingState>("B", log, true, true));
    EXPECT_THROW(h.Undo(), std::runtime_error);
    EXPECT_EQ(h.Position(), 2);
    EXPECT_FALSE(h.CanRedo());
}

TEST(History, DestroysItsStatesLastFirst) {
    std::string log;
    {
        TKelvoCommandHistoryList h;
        h.Add(std::make_unique<LoggingState>("A", log));
        h.Add(std::make_unique<LoggingState>("B", log));
        h.Undo();
        h.Add(nullptr);  // nothing to add: the redo tail stays
        EXPECT_EQ(h.GetCount(), 2);
        log.clear();
    }
    EXPECT_EQ(log, "~B ~A ");
}
