#pragma once
// The editor's panels, drawn with Dear ImGui: the menu bar, the palette, the
// properties of the selection, the checker's findings, the status line and
// the questions asked before a save drops text or a close loses changes;
// and, beneath them, the grid, outlines, links, selection and handles over
// the puzzle.
#include "editor/Editor.h"
#include "editor/EditorCamera.h"

namespace vw {

// What the panels ask the window to do this frame.
struct PanelRequests {
  bool playTest = false;
  bool quit = false;  // confirmed: close now
};

class EditorPanels {
 public:
  // Between ImGui's NewFrame and Render.
  PanelRequests draw(Editor& editor, EditorCamera& camera);
  // Under the panels, over the drawn puzzle.
  void drawOverlay(const Editor& editor, const EditorCamera& camera) const;
  // Ctrl+S: a save, asking first when it would drop text.
  void requestSave(Editor& editor);
  // The window is being closed: asks first when there are unsaved changes.
  void requestQuit(const Editor& editor);

 private:
  void drawMenuBar(Editor& editor, PanelRequests& requests);
  void drawPalette(Editor& editor);
  void drawProperties(Editor& editor);
  void drawFindings(Editor& editor, EditorCamera& camera);
  void drawQuestions(Editor& editor, PanelRequests& requests);

  bool askDrop_ = false;
  bool askQuit_ = false;
  bool quitAfterSave_ = false;
  bool quitNow_ = false;
};

}  // namespace vw
