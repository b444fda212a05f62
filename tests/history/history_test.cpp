#include "history/history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dotforge {
namespace {

// A change of one slot of a list of numbers; it holds the other value and the
// memory it claims.
class SlotChange final : public Change {
 public:
  SlotChange(std::vector<int>& slots, std::size_t slot, int other, std::size_t bytes)
      : slots_(slots), slot_(slot), other_(other), bytes_(bytes) {}
  void Toggle() override { std::swap(slots_[slot_], other_); }
  std::size_t ByteSize() const override { return bytes_; }

 private:
  std::vector<int>& slots_;
  std::size_t slot_;
  int other_;
  std::size_t bytes_;
};

struct HistoryTest : ::testing::Test {
  // Sets a slot and records it as one step.
  void Set(std::size_t slot, int value, std::size_t bytes = 100) {
    const int before = slots[slot];
    slots[slot] = value;
    Changes changes;
    changes.push_back(std::make_unique<SlotChange>(slots, slot, before, bytes));
    history.Record("Set " + std::to_string(value), std::move(changes));
  }

  std::vector<int> slots = std::vector<int>(4, 0);
  History history;
};

TEST_F(HistoryTest, UndoAndRedoWalkTheStepsInOrderWithTheirNames) {
  EXPECT_FALSE(history.Undo());
  EXPECT_FALSE(history.Redo());
  EXPECT_EQ(history.UndoName(), "");
  Set(0, 1);
  Set(1, 2);
  Set(0, 3);
  EXPECT_EQ(history.UndoName(), "Set 3");
  EXPECT_TRUE(history.Undo());
  EXPECT_EQ(slots, (std::vector<int>{1, 2, 0, 0}));
  EXPECT_EQ(history.UndoName(), "Set 2");
  EXPECT_EQ(history.RedoName(), "Set 3");
  EXPECT_TRUE(history.Undo());
  EXPECT_TRUE(history.Undo());
  EXPECT_FALSE(history.Undo());
  EXPECT_EQ(slots, (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(history.RedoCount(), 3u);
  EXPECT_TRUE(history.Redo());
  EXPECT_TRUE(history.Redo());
  EXPECT_TRUE(history.Redo());
  EXPECT_FALSE(history.Redo());
  EXPECT_EQ(slots, (std::vector<int>{3, 2, 0, 0}));
}

TEST_F(HistoryTest, ChangesOfOneStepAreTakenBackInReverseOrder) {
  Changes changes;
  // Two changes of the same slot: 0 -> 5 -> 7.
  slots[2] = 5;
  changes.push_back(std::make_unique<SlotChange>(slots, 2, 0, 10));
  slots[2] = 7;
  changes.push_back(std::make_unique<SlotChange>(slots, 2, 5, 10));
  history.Record("Twice", std::move(changes));
  history.Undo();
  EXPECT_EQ(slots[2], 0);
  history.Redo();
  EXPECT_EQ(slots[2], 7);
  // A step without changes is no step.
  history.Record("Nothing", {});
  EXPECT_EQ(history.UndoName(), "Twice");
}

TEST_F(HistoryTest, NewStepAfterUndoDropsTheRedoBranchAndItsSavedState) {
  Set(0, 1);
  Set(0, 2);
  history.MarkSaved();
  history.Undo();
  EXPECT_FALSE(history.AtSavedState());
  Set(1, 9);
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(history.UndoCount(), 2u);
  // The saved state went with the branch: no position reaches it any more.
  history.Undo();
  EXPECT_FALSE(history.AtSavedState());
  history.Undo();
  EXPECT_FALSE(history.AtSavedState());
  EXPECT_EQ(slots, (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(HistoryTest, SavedStateIsFoundAgainByUndoAndRedo) {
  EXPECT_TRUE(history.AtSavedState());
  Set(0, 1);
  EXPECT_FALSE(history.AtSavedState());
  history.Undo();
  EXPECT_TRUE(history.AtSavedState());
  history.Redo();
  Set(0, 2);
  history.MarkSaved();
  history.Undo();
  EXPECT_FALSE(history.AtSavedState());
  history.Redo();
  EXPECT_TRUE(history.AtSavedState());
}

TEST_F(HistoryTest, CapDropsOldestStepsButKeepsTheNewest) {
  history.SetByteCap(1000);
  for (int i = 1; i <= 20; ++i) Set(static_cast<std::size_t>(i % 4), i);
  EXPECT_LE(history.ByteSize(), 1000u);
  EXPECT_GT(history.UndoCount(), 3u);
  EXPECT_LT(history.UndoCount(), 20u);
  // Undoing all that is kept reaches the state after the dropped steps, not the start.
  const std::size_t kept = history.UndoCount();
  while (history.Undo()) {
  }
  EXPECT_NE(slots, (std::vector<int>(4, 0)));
  EXPECT_FALSE(history.AtSavedState());
  for (std::size_t i = 0; i < kept; ++i) history.Redo();
  EXPECT_EQ(slots, (std::vector<int>{20, 17, 18, 19}));

  // One step larger than the cap stays as the only one.
  Set(0, 99, 5000);
  EXPECT_EQ(history.UndoCount(), 1u);
  EXPECT_EQ(history.UndoName(), "Set 99");
  history.Undo();
  EXPECT_EQ(slots[0], 20);
}

}  // namespace
}  // namespace dotforge
