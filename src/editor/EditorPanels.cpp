#include "editor/EditorPanels.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace vw {

namespace {

constexpr float kPaletteWidth = 170;
constexpr float kPropertiesWidth = 270;
constexpr float kFindingsHeight = 150;
constexpr std::size_t kMaxListed = 200;  // findings listed at most (a binary file has thousands)

ImVec2 toIm(Vec2 v) { return {v.x, v.y}; }

ImU32 kindColour(const EditorElement& e) {
  static const ImU32 colours[] = {
      IM_COL32(200, 200, 200, 255), IM_COL32(150, 220, 255, 255), IM_COL32(150, 120, 90, 255),
      IM_COL32(230, 140, 60, 255),  IM_COL32(120, 230, 120, 255), IM_COL32(255, 255, 255, 255),
      IM_COL32(200, 120, 255, 255), IM_COL32(255, 90, 90, 255),   IM_COL32(80, 160, 255, 255),
  };
  return colours[static_cast<std::size_t>(e.kind) % std::size(colours)];
}

std::string describe(const PuzzleDocument& doc, std::size_t i) {
  const EditorElement& e = doc.elements[i];
  std::string text = std::string(e.layout().keyword) + " at " + std::to_string(e.get(FieldRole::X)) + ", " +
                     std::to_string(e.get(FieldRole::Y));
  if (e.layout().switchable) text += " (id " + std::to_string(e.get(FieldRole::Id)) + ")";
  return text;
}

void centreOn(EditorCamera& camera, const EditorElement& e) {
  EditRect r = e.rect();
  camera.centre = {(r.left + r.right) / 2, (r.bottom + r.top) / 2};
}

}  // namespace

PanelRequests EditorPanels::draw(Editor& editor, EditorCamera& camera) {
  PanelRequests requests;
  drawMenuBar(editor, requests);
  drawPalette(editor);
  drawProperties(editor);
  drawFindings(editor, camera);
  drawQuestions(editor, requests);
  // A field edit is one undo step once the field lets go (typed, or its + and - buttons).
  if (!ImGui::IsAnyItemActive() && editor.dragMode == DragMode::None) editor.commit();
  return requests;
}

void EditorPanels::requestSave(Editor& editor) {
  if (editor.save(false) == SaveOutcome::NeedsConfirmation) askDrop_ = true;
}

void EditorPanels::requestQuit(const Editor& editor) {
  if (editor.dirty()) {
    askQuit_ = true;
  } else {
    quitNow_ = true;
  }
}

void EditorPanels::drawMenuBar(Editor& editor, PanelRequests& requests) {
  if (!ImGui::BeginMainMenuBar()) return;
  if (ImGui::BeginMenu("File")) {
    if (ImGui::MenuItem("Save", "Ctrl+S")) requestSave(editor);
    if (ImGui::MenuItem("Save walkthrough", "Ctrl+W", false, editor.lastPlayTest.has_value())) editor.saveWalkthrough();
    if (ImGui::MenuItem("Quit", "Ctrl+Q")) requestQuit(editor);
    ImGui::EndMenu();
  }
  if (ImGui::BeginMenu("Edit")) {
    if (ImGui::MenuItem("Undo", "Ctrl+Z")) editor.undo();
    if (ImGui::MenuItem("Redo", "Ctrl+Y")) editor.redo();
    ImGui::Separator();
    if (ImGui::MenuItem("Copy", "Ctrl+C", false, !editor.selection.empty())) editor.copySelection();
    if (ImGui::MenuItem("Paste", "Ctrl+V")) editor.paste();
    if (ImGui::MenuItem("Delete", "Delete", false, !editor.selection.empty())) editor.deleteSelection();
    if (ImGui::MenuItem("Select all", "Ctrl+A")) editor.selectAll();
    ImGui::Separator();
    if (ImGui::MenuItem("Link to target", "L")) editor.startLinking();
    ImGui::EndMenu();
  }
  if (ImGui::BeginMenu("Grid")) {
    for (int size : {10, 25, 50, 100}) {
      if (ImGui::MenuItem(std::to_string(size).c_str(), nullptr, editor.gridSize == size)) editor.gridSize = size;
    }
    ImGui::TextDisabled("Hold Alt to place and move off the grid");
    ImGui::EndMenu();
  }
  if (ImGui::MenuItem("Play-test (F5)")) requests.playTest = true;
  ImGui::SameLine(ImGui::GetWindowWidth() - 420);
  ImGui::TextDisabled("%s%s", editor.file().filename().string().c_str(), editor.dirty() ? " (unsaved)" : "");
  ImGui::EndMainMenuBar();
}

void EditorPanels::drawPalette(Editor& editor) {
  const ImGuiViewport* view = ImGui::GetMainViewport();
  ImGui::SetNextWindowPos({view->WorkPos.x, view->WorkPos.y}, ImGuiCond_Always);
  ImGui::SetNextWindowSize({kPaletteWidth, view->WorkSize.y - kFindingsHeight}, ImGuiCond_Always);
  ImGui::Begin("Palette", nullptr, ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse);
  if (ImGui::Selectable("Select (Esc)", editor.placing < 0 && !editor.linking)) editor.cancelTool();
  ImGui::Separator();
  const auto& kinds = elementKinds();
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    std::string label = std::to_string(i + 1) + "  " + kinds[i].keyword;
    if (ImGui::Selectable(label.c_str(), editor.placing == static_cast<int>(i))) {
      editor.linking = false;
      editor.placing = static_cast<int>(i);
    }
    if (ImGui::IsItemHovered()) ImGui::SetTooltip("%s", kinds[i].summary);
  }
  ImGui::Separator();
  ImGui::TextWrapped("Click to place. Drag to move, corners to resize, Shift to add to the selection, Alt off the grid. "
                     "Right-drag pans, the wheel zooms.");
  ImGui::End();
}

void EditorPanels::drawProperties(Editor& editor) {
  const ImGuiViewport* view = ImGui::GetMainViewport();
  ImGui::SetNextWindowPos({view->WorkPos.x + view->WorkSize.x - kPropertiesWidth, view->WorkPos.y}, ImGuiCond_Always);
  ImGui::SetNextWindowSize({kPropertiesWidth, view->WorkSize.y - kFindingsHeight}, ImGuiCond_Always);
  ImGui::Begin("Properties", nullptr, ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse);
  PuzzleDocument& doc = editor.document;
  ImGui::PushItemWidth(-120);
  // Values are kept in range only as the author edits them: an opened file keeps what it holds.
  if (ImGui::InputInt("puzzle width", &doc.width, 50, 500)) doc.width = std::clamp(doc.width, 1, kMaxCoordinate);
  ImGui::Separator();
  if (editor.selection.size() != 1 || editor.selection[0] >= doc.elements.size()) {
    ImGui::TextDisabled(editor.selection.empty() ? "Nothing selected" : "%zu elements selected", editor.selection.size());
    ImGui::PopItemWidth();
    ImGui::End();
    return;
  }
  const std::size_t index = editor.selection[0];
  EditorElement& e = doc.elements[index];
  ImGui::Text("%s  (line %d)", e.layout().keyword, PuzzleDocument::lineOf(index));
  ImGui::TextWrapped("%s", e.layout().summary);
  const auto& layouts = e.layout().fields;
  for (std::size_t f = 0; f < layouts.size(); ++f) {
    const FieldSpec& layout = layouts[f];
    ImGui::PushID(static_cast<int>(f));
    if (layout.role == FieldRole::Ignored) {
      ImGui::TextDisabled("%s (not used)", layout.name);
    } else {
      if (ImGui::InputInt(layout.name, &e.fields[f])) e.fields[f] = std::clamp(e.fields[f], layout.min, layout.max);
      if (ImGui::IsItemHovered()) ImGui::SetTooltip("%d to %d", layout.min, layout.max);
    }
    ImGui::PopID();
  }
  if (e.layout().isSwitch) {
    ImGui::Separator();
    std::optional<std::size_t> target = doc.targetOf(index);
    ImGui::TextWrapped("Switches: %s", target ? describe(doc, *target).c_str() : "nothing");
    if (ImGui::Button(editor.linking ? "Click the target..." : "Pick target (L)")) editor.startLinking();
  }
  ImGui::PopItemWidth();
  ImGui::End();
}

void EditorPanels::drawFindings(Editor& editor, EditorCamera& camera) {
  const ImGuiViewport* view = ImGui::GetMainViewport();
  ImGui::SetNextWindowPos({view->WorkPos.x, view->WorkPos.y + view->WorkSize.y - kFindingsHeight}, ImGuiCond_Always);
  ImGui::SetNextWindowSize({view->WorkSize.x, kFindingsHeight}, ImGuiCond_Always);
  ImGui::Begin("Check", nullptr, ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse);
  ImGui::TextUnformatted(editor.status.c_str());
  ImGui::Separator();
  ImGui::BeginChild("findings");
  std::size_t listed = 0;
  if (!editor.opening.empty() || !editor.dropped.empty()) {
    ImGui::TextColored({1, 0.7f, 0.3f, 1}, "When the file was opened (%zu found; the next save drops %zu entries):",
                       editor.opening.size(), editor.dropped.size());
    for (const Diagnostic& d : editor.opening) {
      if (listed++ >= kMaxListed) break;
      ImGui::TextDisabled("  %s", d.format().c_str());
    }
  }
  if (editor.checks.empty()) ImGui::TextColored({0.5f, 1, 0.5f, 1}, "The checker finds nothing to report.");
  for (std::size_t i = 0; i < editor.checks.size() && listed < kMaxListed; ++i, ++listed) {
    const Diagnostic& d = editor.checks[i];
    ImGui::PushID(static_cast<int>(i));
    const ImVec4 colour = d.severity == Severity::Error ? ImVec4{1, 0.4f, 0.4f, 1} : ImVec4{1, 0.9f, 0.4f, 1};
    ImGui::PushStyleColor(ImGuiCol_Text, colour);
    if (ImGui::Selectable(d.format().c_str())) {
      if (std::optional<std::size_t> element = editor.document.elementOnLine(d.line)) {
        editor.select(*element);
        centreOn(camera, editor.document.elements[*element]);
      }
    }
    ImGui::PopStyleColor();
    ImGui::PopID();
  }
  ImGui::EndChild();
  ImGui::End();
}

void EditorPanels::drawQuestions(Editor& editor, PanelRequests& requests) {
  if (askDrop_) {
    ImGui::OpenPopup("Drop unreadable text?");
    askDrop_ = false;
  }
  if (askQuit_) {
    ImGui::OpenPopup("Unsaved changes");
    askQuit_ = false;
  }
  if (ImGui::BeginPopupModal("Drop unreadable text?", nullptr, ImGuiWindowFlags_AlwaysAutoResize)) {
    ImGui::TextUnformatted(editor.status.c_str());
    ImGui::TextUnformatted("The file will hold only what the editor shows.");
    if (ImGui::Button("Save anyway")) {
      requests.quit = editor.save(true) == SaveOutcome::Saved && quitAfterSave_;
      ImGui::CloseCurrentPopup();
    }
    ImGui::SameLine();
    if (ImGui::Button("Cancel")) {
      quitAfterSave_ = false;
      ImGui::CloseCurrentPopup();
    }
    ImGui::EndPopup();
  }
  if (ImGui::BeginPopupModal("Unsaved changes", nullptr, ImGuiWindowFlags_AlwaysAutoResize)) {
    ImGui::Text("%s has unsaved changes.", editor.file().filename().string().c_str());
    if (ImGui::Button("Save and close")) {
      SaveOutcome outcome = editor.save(false);
      requests.quit = outcome == SaveOutcome::Saved;
      quitAfterSave_ = outcome == SaveOutcome::NeedsConfirmation;
      askDrop_ = quitAfterSave_;
      ImGui::CloseCurrentPopup();
    }
    ImGui::SameLine();
    if (ImGui::Button("Close without saving")) {
      requests.quit = true;
      ImGui::CloseCurrentPopup();
    }
    ImGui::SameLine();
    if (ImGui::Button("Cancel")) ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
  }
  if (quitNow_) requests.quit = true;
  quitNow_ = false;
}

void EditorPanels::drawOverlay(const Editor& editor, const EditorCamera& camera) const {
  ImDrawList* draw = ImGui::GetBackgroundDrawList();
  const ImVec2 size = ImGui::GetIO().DisplaySize;
  const Vec2 low = camera.fromWindow({0, size.y});
  const Vec2 high = camera.fromWindow({size.x, 0});
  // Grid lines, when they are far enough apart to see.
  const float step = static_cast<float>(editor.gridSize);
  if (step / camera.unitsPerPixel() >= 8) {
    const ImU32 grid = IM_COL32(255, 255, 255, 40);
    for (float x = std::floor(low.x / step) * step; x <= high.x; x += step) {
      draw->AddLine(toIm(camera.toWindow({x, low.y})), toIm(camera.toWindow({x, high.y})), grid);
    }
    for (float y = std::floor(low.y / step) * step; y <= high.y; y += step) {
      draw->AddLine(toIm(camera.toWindow({low.x, y})), toIm(camera.toWindow({high.x, y})), grid);
    }
  }
  // The puzzle's own span, 0 to its width.
  const ImU32 edge = IM_COL32(255, 255, 0, 120);
  for (float x : {0.0f, static_cast<float>(editor.document.width)}) {
    draw->AddLine(toIm(camera.toWindow({x, low.y})), toIm(camera.toWindow({x, high.y})), edge, 2);
  }
  const PuzzleDocument& doc = editor.document;
  auto outline = [&](EditRect r, ImU32 colour, float thickness) {
    draw->AddRect(toIm(camera.toWindow({r.left, r.top})), toIm(camera.toWindow({r.right, r.bottom})), colour, 0, 0,
                  thickness);
  };
  for (std::size_t i = 0; i < doc.elements.size(); ++i) {
    const EditorElement& e = doc.elements[i];
    if (std::optional<EditRect> column = e.steamColumn()) outline(*column, IM_COL32(255, 255, 255, 90), 1);
    outline(e.rect(), kindColour(e) & IM_COL32(255, 255, 255, 140), 1);
  }
  // Links: from each switch to what it switches.
  for (std::size_t i = 0; i < doc.elements.size(); ++i) {
    std::optional<std::size_t> target = doc.targetOf(i);
    if (!target) continue;
    EditRect a = doc.elements[i].rect();
    EditRect b = doc.elements[*target].rect();
    const ImVec2 from = toIm(camera.toWindow({(a.left + a.right) / 2, (a.bottom + a.top) / 2}));
    const ImVec2 to = toIm(camera.toWindow({(b.left + b.right) / 2, (b.bottom + b.top) / 2}));
    draw->AddLine(from, to, IM_COL32(255, 80, 200, 220), 2);
    draw->AddCircleFilled(to, 5, IM_COL32(255, 80, 200, 255));
  }
  for (std::size_t i : editor.selection) {
    if (i >= doc.elements.size()) continue;
    outline(doc.elements[i].rect(), IM_COL32(255, 230, 0, 255), 3);
  }
  if (editor.selection.size() == 1 && editor.selection[0] < doc.elements.size()) {
    EditRect r = doc.elements[editor.selection[0]].rect();
    for (Vec2 corner : {Vec2{r.left, r.bottom}, Vec2{r.right, r.bottom}, Vec2{r.right, r.top}, Vec2{r.left, r.top}}) {
      const ImVec2 c = toIm(camera.toWindow(corner));
      draw->AddRectFilled({c.x - 5, c.y - 5}, {c.x + 5, c.y + 5}, IM_COL32(255, 230, 0, 255));
    }
  }
  if (editor.dragMode == DragMode::Band) {
    const EditRect& b = editor.band;
    draw->AddRectFilled(toIm(camera.toWindow({b.left, b.top})), toIm(camera.toWindow({b.right, b.bottom})),
                        IM_COL32(255, 230, 0, 40));
    outline(b, IM_COL32(255, 230, 0, 200), 1);
  }
}

}  // namespace vw
