#pragma once
// The editor's state and every editing operation, free of any window or UI
// library: the puzzle being edited, the selection, the tool in hand, the
// grid, undo and redo, the live check, opening and saving. The panels and
// the window feed it pointer positions in puzzle coordinates.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/Diagnostics.h"
#include "editor/EditHistory.h"
#include "editor/PuzzleDocument.h"
#include "render/Matrix.h"

namespace vw {

struct Modifiers {
  bool shift = false;   // add to or take from the selection
  bool noSnap = false;  // place and move freely, off the grid
};

enum class DragMode { None, Move, Resize, Band };

enum class SaveOutcome { Saved, NeedsConfirmation, Failed };

// The last play-test: the input it recorded and the puzzle it was played on.
struct PlayTestRecording {
  std::string script;
  std::string puzzleText;
};

class Editor {
 public:
  explicit Editor(std::filesystem::path file);

  // Reads the file (a missing file is a new puzzle); problems are listed in
  // `opening` and what could be read is edited.
  void open();
  const std::filesystem::path& file() const { return file_; }
  std::filesystem::path walkthroughFile() const;

  // Records the change made since the last commit as one undo step and
  // checks the puzzle again.
  void commit();
  bool undo();
  bool redo();
  bool dirty() const { return document != saved_; }

  // The pointer, in puzzle coordinates.
  void press(Vec2 p, Modifiers m);
  void drag(Vec2 p, Modifiers m);
  void release(Vec2 p, Modifiers m);

  void deleteSelection();
  void copySelection();
  void paste();
  void selectAll();
  void select(std::size_t index);
  // The next click picks the element the selected button or wheel switches.
  void startLinking();
  // Leaves placing and linking.
  void cancelTool();
  // The element the selected switch switches, if one is selected and linked.
  std::optional<std::size_t> selectedSwitchTarget() const;

  // A save that would drop text found on opening asks first (confirmed then saves).
  SaveOutcome save(bool confirmed);
  // Writes the last play-test's input beside the puzzle (saving the puzzle
  // first if needed); false with the reason in status.
  bool saveWalkthrough();

  float snap(float value, Modifiers m) const;
  // The corner handles of the single selected element: 0 bottom-left,
  // 1 bottom-right, 2 top-right, 3 top-left.
  std::optional<int> handleAt(Vec2 p) const;

  PuzzleDocument document;
  std::vector<std::size_t> selection;
  int placing = -1;  // the palette's kind in hand, or -1
  bool linking = false;
  int gridSize = 50;
  float pickRadius = 8;  // how near a handle the pointer must be, in puzzle units
  std::string status;
  std::vector<Diagnostic> checks;    // the checker's findings on the puzzle as it is now
  std::vector<Diagnostic> opening;   // what the loader found in the file as it was opened
  std::vector<DroppedText> dropped;  // found on opening; the next save drops it
  std::optional<PlayTestRecording> lastPlayTest;
  DragMode dragMode = DragMode::None;
  EditRect band;  // the rubber band while selecting by dragging

 private:
  void check();
  bool isSelected(std::size_t i) const;
  void moveSelection(Vec2 p, Modifiers m);
  void resizeSelected(Vec2 p, Modifiers m);
  void finishBand(Modifiers m);

  std::filesystem::path file_;
  EditHistory history_;
  PuzzleDocument saved_;
  bool unreadable_ = false;  // the file exists but could not be read: saving replaces it
  std::vector<EditorElement> clipboard_;
  Vec2 dragStart_{0, 0};
  PuzzleDocument dragOrigin_;
  int handle_ = 0;
  int pasteCount_ = 0;
};

}  // namespace vw
