#pragma once
// An undo history: a list of named steps, each a list of changes that can be
// taken back and made again, with the position of the state last saved and a cap
// on the memory the steps hold. It knows nothing of what the changes touch.

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dotforge {

// One reversible change. It holds the side of the change that is not current:
// after the change it holds the state before, after an undo the state after.
// Toggle swaps what it holds with the document, so undo and redo are the same move.
class Change {
 public:
  Change() = default;
  Change(const Change&) = delete;
  Change& operator=(const Change&) = delete;
  virtual ~Change() = default;

  virtual void Toggle() = 0;
  // The memory the change holds, its own object included.
  virtual std::size_t ByteSize() const = 0;
};

using Changes = std::vector<std::unique_ptr<Change>>;

class History {
 public:
  static constexpr std::size_t kDefaultByteCap = std::size_t{64} << 20;

  History() = default;
  History(const History&) = delete;
  History& operator=(const History&) = delete;

  // Adds a step made of `changes` (already made) after the current position. The
  // steps that could be redone are dropped; then the oldest steps go until the
  // history fits its cap, the newest one always staying. No changes, no step.
  void Record(std::string name, Changes changes);

  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ < steps_.size(); }
  // The names of the step the next undo or redo acts on; empty when there is none.
  std::string UndoName() const;
  std::string RedoName() const;

  // Takes back the last step, or makes the next one again. False when there is none.
  bool Undo();
  bool Redo();

  // The current state is the one saved.
  void MarkSaved() { saved_ = position_; }
  // True while the state is the one last saved (at first, the state the history
  // started from).
  bool AtSavedState() const { return saved_ == position_; }

  // The cap applies from the next recorded step on.
  void SetByteCap(std::size_t bytes) { byteCap_ = bytes; }
  std::size_t ByteCap() const { return byteCap_; }
  // The memory all steps hold.
  std::size_t ByteSize() const { return bytes_; }
  std::size_t UndoCount() const { return position_; }
  std::size_t RedoCount() const { return steps_.size() - position_; }

 private:
  struct Step {
    std::string name;
    Changes changes;
    std::size_t bytes = 0;
  };

  void DropRedoSteps();
  void DropOldestBeyondCap();

  std::deque<Step> steps_;
  // Steps before the position are done; the ones from it on can be redone.
  std::size_t position_ = 0;
  // The position of the saved state; none once that state left the history.
  std::optional<std::size_t> saved_ = 0;
  std::size_t bytes_ = 0;
  std::size_t byteCap_ = kDefaultByteCap;
};

}  // namespace dotforge
