#pragma once
// One run of the game, windowed or headless: the input source (devices or a
// script), the game and its start-up, the recording, and what is written at
// exit. The desktop frame loop and the headless runner both drive it.
#include <functional>
#include <memory>
#include <optional>

#include "app/Game.h"
#include "app/InputScript.h"
#include "app/RunOptions.h"

namespace vw {

// Devices that never report anything: a headless run without a script.
class IdleInputDevices : public InputDevices {
 public:
  PollResult pollKeyboard(KeyArray&) override { return PollResult::Ok; }
  PollResult pollMouse(MouseState& mouse) override {
    mouse = MouseState{};
    return PollResult::Ok;
  }
  Vec2 cursorPosition() const override { return Vec2(500, 400); }
  Vec2 clientSize() const override { return Vec2(1000, 800); }
};

class Session {
 public:
  // deviceInput: the desktop's devices, or null when headless.
  Session(const RunOptions& options, RenderContext& context, InputDevices* deviceInput);
  ~Session();

  // Reads the script, builds the game and runs its start-up, printing every
  // diagnostic; 0 when the game can run, else the exit status.
  int start();
  // One update. A script or a headless run fixes the step; otherwise the
  // measured one is used.
  void update(float measuredDt);
  void render();
  // The run is over: --frames reached, Escape from the title menu, or a
  // headless script that has ended.
  bool done() const;
  // Writes --dump-state and --record; returns the exit status.
  int finish();

  // Called after every update with the game as it now is (the desktop's sound listens here).
  void setUpdateListener(std::function<void(const Game&)> listener) { updateListener_ = std::move(listener); }

  // Where a run that keeps progress keeps it unless --progress names a file
  // (the desktop's default is the XDG file). Set before start.
  void setDefaultProgressStore(std::unique_ptr<ProgressStore> store) { defaultProgress_ = std::move(store); }

  Game& game() { return *game_; }
  // The progress store this run uses, or null: scripted, headless and
  // --no-save runs use none unless --progress names a file.
  const ProgressStore* progress() const { return progress_.get(); }
  bool scripted() const { return script_ != nullptr; }
  std::uint32_t seed() const { return seed_; }

 private:
  RunOptions options_;
  RenderContext& context_;
  InputDevices* deviceInput_;
  std::unique_ptr<ScriptInputDevices> script_;
  IdleInputDevices idle_;
  std::unique_ptr<InputRecorder> recorder_;
  std::unique_ptr<ProgressStore> defaultProgress_;
  std::unique_ptr<ProgressStore> progress_;  // outlives the game, which uses it
  std::unique_ptr<Game> game_;
  std::uint32_t seed_ = 1;
  std::function<void(const Game&)> updateListener_;
  bool presented_ = false;
};

}  // namespace vw
