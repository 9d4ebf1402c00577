#include "editor/Editor.h"

#include <algorithm>
#include <cmath>

#include "app/Random.h"
#include "app/AtomicFile.h"
#include "world/PuzzleChecker.h"
#include "world/PuzzleLoader.h"
#include "world/PuzzleSource.h"

namespace vw {

namespace {

constexpr int kNewPuzzleWidth = 2000;

std::vector<Diagnostic> checkText(const std::string& name, const std::string& text) {
  Random random(1);
  Diagnostics diagnostics;
  LoadedWorld world = loadPuzzleText(name, text, random, diagnostics, nullptr);
  addAuthorWarnings(world, diagnostics);
  return diagnostics.all();
}

int rounded(float v) { return static_cast<int>(std::lround(std::clamp(v, -1e6f, 1e6f))); }

}  // namespace

Editor::Editor(std::filesystem::path file) : file_(std::move(file)) {}

std::filesystem::path Editor::walkthroughFile() const {
  std::filesystem::path p = file_;
  p += ".walkthrough.txt";
  return p;
}

void Editor::open() {
  std::string problem;
  std::optional<std::string> text = readPuzzleSource(file_, problem);
  dropped.clear();
  opening.clear();
  unreadable_ = false;
  std::error_code ec;
  const bool exists = std::filesystem::exists(file_, ec);
  if (!text) {
    document = PuzzleDocument{};
    document.width = kNewPuzzleWidth;
    if (exists) {
      unreadable_ = true;
      opening.push_back({Severity::Error, file_.string(), 0, "cannot read the puzzle: " + problem});
      status = "Could not read " + file_.string() + "; editing a new puzzle";
    } else {
      status = "New puzzle " + file_.string();
    }
  } else {
    document = PuzzleDocument::parse(*text, dropped);
    opening = checkText(file_.filename().string(), *text);
    status = "Opened " + file_.string();
  }
  saved_ = exists && text ? document : PuzzleDocument{};
  if (!exists) saved_.width = -1;  // a new file is unsaved until its first save
  history_.reset(document);
  selection.clear();
  check();
}

void Editor::check() { checks = checkText(file_.filename().string(), document.text()); }

void Editor::commit() {
  if (history_.commit(document)) check();
}

bool Editor::undo() {
  if (!history_.undo(document)) return false;
  selection.clear();
  check();
  return true;
}

bool Editor::redo() {
  if (!history_.redo(document)) return false;
  selection.clear();
  check();
  return true;
}

float Editor::snap(float value, Modifiers m) const {
  if (m.noSnap || gridSize <= 1) return std::round(value);
  return std::round(value / static_cast<float>(gridSize)) * static_cast<float>(gridSize);
}

bool Editor::isSelected(std::size_t i) const {
  return std::find(selection.begin(), selection.end(), i) != selection.end();
}

void Editor::select(std::size_t index) {
  if (index < document.elements.size()) selection = {index};
}

std::optional<int> Editor::handleAt(Vec2 p) const {
  if (selection.size() != 1 || selection[0] >= document.elements.size()) return std::nullopt;
  EditRect r = document.elements[selection[0]].rect();
  const Vec2 corners[] = {{r.left, r.bottom}, {r.right, r.bottom}, {r.right, r.top}, {r.left, r.top}};
  for (int i = 0; i < 4; ++i) {
    if (std::abs(p.x - corners[i].x) <= pickRadius && std::abs(p.y - corners[i].y) <= pickRadius) return i;
  }
  return std::nullopt;
}

void Editor::press(Vec2 p, Modifiers m) {
  dragStart_ = p;
  dragOrigin_ = document;
  if (placing >= 0) {
    document.elements.push_back(document.makeElement(placing, rounded(snap(p.x, m)), rounded(snap(p.y, m))));
    selection = {document.elements.size() - 1};
    commit();
    return;
  }
  std::optional<std::size_t> hit = document.elementAt(p.x, p.y);
  if (linking) {
    linking = false;
    if (!hit || !document.elements[*hit].layout().switchable || selection.size() != 1) {
      status = "Pick a MOVINGBOX, RISINGDOOR, STEAMJET or TRAPDOOR to link";
      return;
    }
    std::optional<std::size_t> moved = document.link(selection[0], *hit);
    if (!moved) return;
    selection = {*moved};
    const EditorElement& sw = document.elements[*moved];
    status = std::string(sw.layout().keyword) + " now switches " + document.elements[*document.targetOf(*moved)].layout().keyword +
             " " + std::to_string(sw.get(FieldRole::Target));
    commit();
    return;
  }
  if (std::optional<int> handle = handleAt(p); handle && !m.shift) {
    handle_ = *handle;
    dragMode = DragMode::Resize;
    return;
  }
  if (hit && m.shift) {
    if (isSelected(*hit)) {
      selection.erase(std::find(selection.begin(), selection.end(), *hit));
    } else {
      selection.push_back(*hit);
    }
    return;
  }
  if (hit) {
    if (!isSelected(*hit)) selection = {*hit};
    // The pressed element goes first: the moves snap its centre.
    selection.erase(std::find(selection.begin(), selection.end(), *hit));
    selection.insert(selection.begin(), *hit);
    dragMode = DragMode::Move;
    return;
  }
  if (!m.shift) selection.clear();
  dragMode = DragMode::Band;
  band = {p.x, p.y, p.x, p.y};
}

void Editor::drag(Vec2 p, Modifiers m) {
  switch (dragMode) {
    case DragMode::Move: moveSelection(p, m); break;
    case DragMode::Resize: resizeSelected(p, m); break;
    case DragMode::Band:
      band = {std::min(dragStart_.x, p.x), std::min(dragStart_.y, p.y), std::max(dragStart_.x, p.x),
              std::max(dragStart_.y, p.y)};
      break;
    case DragMode::None: break;
  }
}

void Editor::release(Vec2 p, Modifiers m) {
  drag(p, m);
  if (dragMode == DragMode::Band) finishBand(m);
  if (dragMode == DragMode::Move || dragMode == DragMode::Resize) commit();
  dragMode = DragMode::None;
}

void Editor::moveSelection(Vec2 p, Modifiers m) {
  if (selection.empty()) return;
  const EditorElement& lead = dragOrigin_.elements[selection[0]];
  const float x = static_cast<float>(lead.get(FieldRole::X));
  const float y = static_cast<float>(lead.get(FieldRole::Y)) + lead.layout().yShift;
  const int dx = rounded(snap(x + p.x - dragStart_.x, m) - x);
  const int dy = rounded(snap(y + p.y - dragStart_.y, m) - y);
  for (std::size_t i : selection) {
    const EditorElement& from = dragOrigin_.elements[i];
    EditorElement& to = document.elements[i];
    to.set(FieldRole::X, from.get(FieldRole::X) + dx);
    to.set(FieldRole::Y, from.get(FieldRole::Y) + dy);
  }
}

void Editor::resizeSelected(Vec2 p, Modifiers m) {
  const std::size_t i = selection[0];
  const EditorElement& from = dragOrigin_.elements[i];
  EditorElement& to = document.elements[i];
  EditRect r = from.rect();
  const float x = snap(p.x, m);
  const float y = snap(p.y, m);
  // The corner opposite the handle stays where it is.
  float left = r.left, right = r.right, bottom = r.bottom, top = r.top;
  if (handle_ == 0 || handle_ == 3) left = std::min(x, right - 1);
  if (handle_ == 1 || handle_ == 2) right = std::max(x, left + 1);
  if (handle_ == 0 || handle_ == 1) bottom = std::min(y, top - 1);
  if (handle_ == 2 || handle_ == 3) top = std::max(y, bottom + 1);
  int w = rounded(right - left);
  int h = rounded(top - bottom);
  const bool square = from.has(FieldRole::Size);
  if (square) {
    w = h = std::max(w, h);
    if (handle_ == 0 || handle_ == 3) left = right - static_cast<float>(w);
    else right = left + static_cast<float>(w);
    if (handle_ == 0 || handle_ == 1) bottom = top - static_cast<float>(h);
    else top = bottom + static_cast<float>(h);
  }
  to.set(FieldRole::Width, w);
  if (!square) to.set(FieldRole::Height, h);
  to.set(FieldRole::X, rounded((left + right) / 2));
  to.set(FieldRole::Y, rounded((bottom + top) / 2 - from.layout().yShift));
}

void Editor::finishBand(Modifiers m) {
  if (!m.shift) selection.clear();
  for (std::size_t i = 0; i < document.elements.size(); ++i) {
    EditRect r = document.elements[i].rect();
    bool overlaps = r.left <= band.right && r.right >= band.left && r.bottom <= band.top && r.top >= band.bottom;
    if (overlaps && !isSelected(i)) selection.push_back(i);
  }
  band = {};
}

void Editor::deleteSelection() {
  if (selection.empty()) return;
  document.erase(selection);
  status = "Deleted " + std::to_string(selection.size()) + " element" + (selection.size() == 1 ? "" : "s");
  selection.clear();
  commit();
}

void Editor::copySelection() {
  std::vector<std::size_t> order = selection;
  std::sort(order.begin(), order.end());  // file order keeps targets before their switches
  clipboard_.clear();
  for (std::size_t i : order) {
    if (i < document.elements.size()) clipboard_.push_back(document.elements[i]);
  }
  pasteCount_ = 0;
  status = "Copied " + std::to_string(clipboard_.size()) + " element" + (clipboard_.size() == 1 ? "" : "s");
}

void Editor::paste() {
  if (clipboard_.empty()) return;
  const int step = std::max(gridSize, 10) * ++pasteCount_;
  selection = document.paste(clipboard_, step, step);
  commit();
}

void Editor::selectAll() {
  selection.clear();
  for (std::size_t i = 0; i < document.elements.size(); ++i) selection.push_back(i);
}

void Editor::startLinking() {
  if (selection.size() != 1 || !document.elements[selection[0]].layout().isSwitch) {
    status = "Select one PRESSBUTTON or WATERWHEEL to link";
    return;
  }
  placing = -1;
  linking = true;
  status = "Click the element it switches";
}

void Editor::cancelTool() {
  placing = -1;
  linking = false;
}

std::optional<std::size_t> Editor::selectedSwitchTarget() const {
  if (selection.size() != 1) return std::nullopt;
  return document.targetOf(selection[0]);
}

SaveOutcome Editor::save(bool confirmed) {
  if (!confirmed && (!dropped.empty() || unreadable_)) {
    status = unreadable_ ? "Saving replaces the file that could not be read"
                         : "Saving drops " + std::to_string(dropped.size()) + " unknown or broken entr" +
                               (dropped.size() == 1 ? "y" : "ies") + " found on opening";
    return SaveOutcome::NeedsConfirmation;
  }
  std::string error;
  if (!saveWithBackup(file_, document.text(), error)) {
    status = error;
    return SaveOutcome::Failed;
  }
  saved_ = document;
  dropped.clear();
  opening.clear();
  unreadable_ = false;
  status = "Saved " + file_.string();
  return SaveOutcome::Saved;
}

bool Editor::saveWalkthrough() {
  if (!lastPlayTest) {
    status = "Play-test first (F5): there is no recording yet";
    return false;
  }
  if (lastPlayTest->puzzleText != document.text()) {
    status = "The puzzle changed since the last play-test: play it again to record it";
    return false;
  }
  if (dirty() && save(false) != SaveOutcome::Saved) return false;
  std::string error;
  const std::string script = "# Walkthrough of " + file_.filename().string() + ": vaporwick --headless --puzzle " +
                             file_.filename().string() + " --script " + walkthroughFile().filename().string() + "\n" +
                             lastPlayTest->script;
  if (!saveWithBackup(walkthroughFile(), script, error)) {
    status = error;
    return false;
  }
  status = "Saved the walkthrough " + walkthroughFile().string();
  return true;
}

}  // namespace vw
