#include "platform/EditorWindow.h"

#include <imgui.h>
#include <imgui_impl_opengl3.h>
#include <imgui_impl_sdl.h>

#include <cmath>
#include <ctime>
#include <iostream>
#include <memory>

#include "app/RunOptions.h"
#include "editor/EditorPanels.h"
#include "editor/EditorScript.h"
#include "editor/PlayTest.h"
#include "platform/DesktopInput.h"
#include "platform/DesktopWindow.h"
#include "gl/GlRenderContext.h"
#include "platform/Screenshot.h"
#include "render/RenderPass.h"

namespace vw {

namespace {

constexpr const char* kShaderFile = "Shaders/sprite.glsl";
constexpr PixelSize kEditorWindow{1280, 860};
constexpr float kStep = 1.0f / 60.0f;

// Feeds an editor script to ImGui's input, one action per frame.
class ScriptedPointer {
 public:
  explicit ScriptedPointer(std::vector<EditorAction> actions) : actions_(std::move(actions)) {}
  bool finished() const { return next_ >= actions_.size(); }
  // Between the backend's NewFrame and ImGui's: the script's input replaces the devices'.
  void apply(ImGuiIO& io, std::string& screenshot) {
    if (pressedKey_ >= 0) io.KeysDown[pressedKey_] = false;
    pressedKey_ = -1;
    io.KeyCtrl = io.KeyShift = io.KeyAlt = false;
    if (!finished()) {
      const EditorAction& a = actions_[next_++];
      switch (a.kind) {
        case EditorAction::Kind::Mouse: pointer_ = a.pointer; break;
        case EditorAction::Kind::Down: down_ = true; break;
        case EditorAction::Kind::Up: down_ = false; break;
        case EditorAction::Kind::Key: press(io, a); break;
        case EditorAction::Kind::Screenshot: screenshot = a.key; break;
        case EditorAction::Kind::Wait: break;
      }
    }
    io.MousePos = {pointer_.x, pointer_.y};
    io.MouseDown[0] = down_;
  }

 private:
  void press(ImGuiIO& io, const EditorAction& a) {
    SDL_Scancode code = SDL_GetScancodeFromName(a.key.c_str());
    if (code == SDL_SCANCODE_UNKNOWN) {
      std::cerr << "vaporwick: editor script: unknown key \"" << a.key << "\"\n";
      return;
    }
    pressedKey_ = code;
    io.KeysDown[code] = true;
    io.KeyCtrl = a.ctrl;
    io.KeyShift = a.shift;
    io.KeyAlt = a.alt;
  }

  std::vector<EditorAction> actions_;
  std::size_t next_ = 0;
  Vec2 pointer_{0, 0};
  bool down_ = false;
  int pressedKey_ = -1;
};

bool pressed(SDL_Scancode code) { return ImGui::IsKeyPressed(code, false); }

// The editor's shortcuts, when no text field has the keyboard.
void handleKeys(Editor& editor, EditorPanels& panels, bool& playTest) {
  const ImGuiIO& io = ImGui::GetIO();
  if (io.WantTextInput) return;
  if (io.KeyCtrl) {
    if (pressed(SDL_SCANCODE_Z)) io.KeyShift ? editor.redo() : editor.undo();
    if (pressed(SDL_SCANCODE_Y)) editor.redo();
    if (pressed(SDL_SCANCODE_C)) editor.copySelection();
    if (pressed(SDL_SCANCODE_V)) editor.paste();
    if (pressed(SDL_SCANCODE_A)) editor.selectAll();
    if (pressed(SDL_SCANCODE_S)) panels.requestSave(editor);
    if (pressed(SDL_SCANCODE_W)) editor.saveWalkthrough();
    if (pressed(SDL_SCANCODE_Q)) panels.requestQuit(editor);
    return;
  }
  if (pressed(SDL_SCANCODE_DELETE) || pressed(SDL_SCANCODE_BACKSPACE)) editor.deleteSelection();
  if (pressed(SDL_SCANCODE_ESCAPE)) {
    if (editor.placing < 0 && !editor.linking) editor.selection.clear();
    editor.cancelTool();
  }
  if (pressed(SDL_SCANCODE_L)) editor.startLinking();
  if (pressed(SDL_SCANCODE_F5)) playTest = true;
  for (int i = 0; i < 9; ++i) {
    if (pressed(static_cast<SDL_Scancode>(SDL_SCANCODE_1 + i))) {
      editor.linking = false;
      editor.placing = i;
    }
  }
}

// The pointer over the puzzle: place, select, drag, resize, pan and zoom.
class PointerInView {
 public:
  void handle(Editor& editor, EditorCamera& camera) {
    const ImGuiIO& io = ImGui::GetIO();
    const Vec2 mouse{io.MousePos.x, io.MousePos.y};
    const Vec2 p = camera.fromWindow(mouse);
    const Modifiers m{io.KeyShift, io.KeyAlt};
    editor.pickRadius = 6 * camera.unitsPerPixel();
    if (!io.WantCaptureMouse) {
      if (ImGui::IsMouseClicked(ImGuiMouseButton_Left)) {
        editor.press(p, m);
        dragging_ = editor.dragMode != DragMode::None;
      }
      if (io.MouseWheel != 0) camera.zoomAt(mouse, std::pow(1.15f, io.MouseWheel));
      if (ImGui::IsMouseDown(ImGuiMouseButton_Right) || ImGui::IsMouseDown(ImGuiMouseButton_Middle)) {
        camera.pan({io.MouseDelta.x, io.MouseDelta.y});
      }
    }
    if (!dragging_) return;
    if (ImGui::IsMouseDown(ImGuiMouseButton_Left)) {
      editor.drag(p, m);
    } else {
      editor.release(p, m);
      dragging_ = false;
    }
  }

 private:
  bool dragging_ = false;
};

struct EditorSession {
  DesktopWindow& window;
  GlRenderContext& context;
  DesktopInput& input;
  const RunOptions& options;
  Editor editor;
  EditorCamera camera;
  EditorPanels panels;
  PointerInView pointer;
  std::unique_ptr<Game> preview;
  std::string previewText;
  std::unique_ptr<PlayTest> play;
};

void startPlayTest(EditorSession& s) {
  const std::uint32_t seed = s.options.seed.value_or(static_cast<std::uint32_t>(std::time(nullptr)));
  auto play = std::make_unique<PlayTest>(s.context, s.input, s.options.dataDir, seed,
                                         AlonePuzzle{s.editor.file().filename().string(), s.editor.document.text()});
  Diagnostics diagnostics;
  if (!play->start(diagnostics)) {
    s.editor.status = "The puzzle cannot be played: " +
                      (diagnostics.all().empty() ? std::string("no reason given") : diagnostics.all().back().format());
    return;
  }
  s.play = std::move(play);
  s.editor.status = "Play-test: Escape returns to the editor";
}

void endPlayTest(EditorSession& s) {
  s.editor.lastPlayTest = s.play->recording();
  s.play.reset();
  s.editor.status = "Play-test over; File > Save walkthrough keeps its input as " +
                    s.editor.walkthroughFile().filename().string();
}

// Draws the puzzle being edited, rebuilt whenever its text has changed.
Game& editedWorld(EditorSession& s) {
  std::string text = s.editor.document.text();
  if (text != s.previewText) {
    s.preview->showAlone(AlonePuzzle{s.editor.file().filename().string(), text});
    s.preview->diagnostics.clear();  // the editor's own check lists them
    s.previewText = std::move(text);
  }
  s.preview->viewProj = s.camera.viewProj(kAlonePuzzleOffset);
  return *s.preview;
}

void placeView(EditorSession& s) {
  PixelRect r = letterboxRect(s.window.size());
  s.camera.placeView({static_cast<float>(r.x), static_cast<float>(r.y)},
                     static_cast<float>(r.width) / static_cast<float>(kScreenWidth));
}

// One frame of the editor: false once it is to close.
bool editorFrame(EditorSession& s, ScriptedPointer* script, std::string& screenshot, bool closeRequested) {
  ImGui_ImplOpenGL3_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  if (script) script->apply(ImGui::GetIO(), screenshot);
  ImGui::NewFrame();
  placeView(s);
  bool quit = false;
  if (s.play) {
    if (pressed(SDL_SCANCODE_ESCAPE) || closeRequested) {
      endPlayTest(s);
    } else {
      s.play->update(script ? kStep : std::min(ImGui::GetIO().DeltaTime, 0.25f));
      ImGui::GetForegroundDrawList()->AddText({12, 8}, IM_COL32(255, 255, 255, 255),
                                              "Play-test: Escape returns to the editor");
    }
  }
  if (!s.play) {
    if (closeRequested) s.panels.requestQuit(s.editor);
    PanelRequests requests = s.panels.draw(s.editor, s.camera);
    s.panels.drawOverlay(s.editor, s.camera);
    bool playTest = requests.playTest;
    handleKeys(s.editor, s.panels, playTest);
    s.pointer.handle(s.editor, s.camera);
    quit = requests.quit;
    if (playTest && !quit) startPlayTest(s);
  }
  ImGui::Render();
  Game& shown = s.play ? s.play->game() : editedWorld(s);
  s.context.viewProj = &shown.viewProj;
  renderFrame(shown, s.context);
  return !quit;
}

}  // namespace

int runEditor(const RunOptions& options) {
  std::string error;
  std::unique_ptr<ScriptedPointer> script;
  if (!options.editScript.empty()) {
    auto actions = readEditorScript(options.editScript, error);
    if (!actions) {
      std::cerr << "vaporwick: " << error << '\n';
      return 2;
    }
    script = std::make_unique<ScriptedPointer>(std::move(*actions));
  }
  std::unique_ptr<DesktopWindow> window = DesktopWindow::open(error);
  if (!window) {
    std::cerr << "vaporwick: " << error << '\n';
    return 1;
  }
  window->resize(kEditorWindow);
  std::unique_ptr<GlRenderContext> context =
      GlRenderContext::create(*window, options.dataDir / kShaderFile, error);
  if (!context) {
    std::cerr << "vaporwick: " << error << '\n';
    return 1;
  }
  IMGUI_CHECKVERSION();
  ImGui::CreateContext();
  ImGui::GetIO().IniFilename = nullptr;  // the panels stand where the editor puts them
  ImGui::StyleColorsDark();
  ImGui_ImplSDL2_InitForOpenGL(window->handle(), SDL_GL_GetCurrentContext());
  ImGui_ImplOpenGL3_Init("#version 330 core");
  std::string screenshot;
  int status = 0;
  context->setOverlay([&] {
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
    if (screenshot.empty()) return;
    PixelSize size;
    std::vector<std::uint8_t> pixels = context->readWindow(size);
    if (!writeScreenshot(screenshot, pixels, size, error)) {
      std::cerr << "vaporwick: " << error << '\n';
      status = 1;
    }
    screenshot.clear();
  });

  DesktopInput input(*window);
  EditorSession s{*window, *context, input, options, Editor(options.edit), {}, {}, {}, nullptr, {}, nullptr};
  s.editor.open();
  for (const Diagnostic& d : s.editor.opening) std::cerr << d.format() << '\n';
  s.camera.centre = {550, 200};  // the floor of a puzzle stands just above the findings
  s.preview = std::make_unique<Game>(*context, input, GameOptions{options.dataDir, 1, nullptr},
                                     AlonePuzzle{options.edit.filename().string(), s.editor.document.text()});
  Diagnostics startDiagnostics;
  if (!s.preview->startUp(startDiagnostics)) {
    startDiagnostics.flush(std::cerr);
    status = 1;
  } else {
    startDiagnostics.flush(std::cerr);
    bool running = true;
    while (running) {
      const Uint64 frameStart = SDL_GetPerformanceCounter();
      bool closeRequested = false;
      SDL_Event event;
      while (SDL_PollEvent(&event)) {
        ImGui_ImplSDL2_ProcessEvent(&event);
        if (event.type == SDL_QUIT) closeRequested = true;
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) input.focusChanged(false);
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) input.focusChanged(true);
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED) context->windowExposed();
      }
      running = editorFrame(s, script.get(), screenshot, closeRequested);
      if (script && script->finished() && screenshot.empty()) running = false;
      const double spent = static_cast<double>(SDL_GetPerformanceCounter() - frameStart) /
                           static_cast<double>(SDL_GetPerformanceFrequency());
      if (!script && spent < kStep) SDL_Delay(static_cast<Uint32>((kStep - spent) * 1000));
    }
  }
  s.play.reset();
  s.preview.reset();
  context->setOverlay(nullptr);
  ImGui_ImplOpenGL3_Shutdown();
  ImGui_ImplSDL2_Shutdown();
  ImGui::DestroyContext();
  return status;
}

}  // namespace vw
