#include "history/history.h"

namespace dotforge {

void History::Record(std::string name, Changes changes) {
  if (changes.empty()) return;
  DropRedoSteps();
  Step step{std::move(name), std::move(changes), 0};
  step.bytes = sizeof(Step) + step.name.capacity();
  for (const auto& change : step.changes) step.bytes += change->ByteSize();
  bytes_ += step.bytes;
  steps_.push_back(std::move(step));
  position_ = steps_.size();
  DropOldestBeyondCap();
}

std::string History::UndoName() const { return CanUndo() ? steps_[position_ - 1].name : std::string(); }

std::string History::RedoName() const { return CanRedo() ? steps_[position_].name : std::string(); }

bool History::Undo() {
  if (!CanUndo()) return false;
  Step& step = steps_[--position_];
  for (auto change = step.changes.rbegin(); change != step.changes.rend(); ++change) (*change)->Toggle();
  return true;
}

bool History::Redo() {
  if (!CanRedo()) return false;
  Step& step = steps_[position_++];
  for (const auto& change : step.changes) change->Toggle();
  return true;
}

void History::DropRedoSteps() {
  if (saved_ && *saved_ > position_) saved_.reset();
  while (steps_.size() > position_) {
    bytes_ -= steps_.back().bytes;
    steps_.pop_back();
  }
}

void History::DropOldestBeyondCap() {
  while (bytes_ > byteCap_ && steps_.size() > 1) {
    bytes_ -= steps_.front().bytes;
    steps_.pop_front();
    --position_;
    if (saved_) saved_ = *saved_ > 0 ? std::optional<std::size_t>(*saved_ - 1) : std::nullopt;
  }
}

}  // namespace dotforge
