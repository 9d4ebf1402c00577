#include "editor/EditHistory.h"

namespace vw {

bool EditHistory::commit(const PuzzleDocument& now) {
  if (now == committed_) return false;
  undo_.push_back(std::move(committed_));
  if (undo_.size() > kMaxSteps) undo_.erase(undo_.begin());
  redo_.clear();
  committed_ = now;
  return true;
}

bool EditHistory::undo(PuzzleDocument& document) {
  commit(document);  // a change still in progress is a step of its own
  if (undo_.empty()) return false;
  redo_.push_back(std::move(committed_));
  committed_ = std::move(undo_.back());
  undo_.pop_back();
  document = committed_;
  return true;
}

bool EditHistory::redo(PuzzleDocument& document) {
  if (document != committed_ || redo_.empty()) return false;
  undo_.push_back(std::move(committed_));
  committed_ = std::move(redo_.back());
  redo_.pop_back();
  document = committed_;
  return true;
}

void EditHistory::reset(const PuzzleDocument& start) {
  committed_ = start;
  undo_.clear();
  redo_.clear();
}

}  // namespace vw
