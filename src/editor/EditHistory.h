#pragma once
// Undo and redo for the editor: whole snapshots of the puzzle, one per change.
#include <cstddef>
#include <vector>

#include "editor/PuzzleDocument.h"

namespace vw {

class EditHistory {
 public:
  explicit EditHistory(PuzzleDocument start = {}) : committed_(std::move(start)) {}
  // Records the difference between the last commit and now as one step;
  // false when nothing changed.
  bool commit(const PuzzleDocument& now);
  // Puts the document back one step (or forward again); false when there is none.
  bool undo(PuzzleDocument& document);
  bool redo(PuzzleDocument& document);
  // Forgets every step and starts again from this document.
  void reset(const PuzzleDocument& start);
  bool canUndo() const { return !undo_.empty(); }
  bool canRedo() const { return !redo_.empty(); }

  static constexpr std::size_t kMaxSteps = 500;

 private:
  PuzzleDocument committed_;
  std::vector<PuzzleDocument> undo_;
  std::vector<PuzzleDocument> redo_;
};

}  // namespace vw
