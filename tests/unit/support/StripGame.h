#pragma once
// A whole game on tests/data/scenarios/strip (three puzzles side by side),
// from the title menu, with an optional progress store, driven update by
// update and drawn through a recording context.
#include <optional>

#include "app/Game.h"
#include "app/KeyCodes.h"
#include "render/RenderPass.h"
#include "support/RecordingRenderContext.h"
#include "support/ScriptedDevices.h"

namespace vw::test {

// Keeps progress in memory and counts the saves.
class MemoryProgress : public ProgressStore {
 public:
  std::optional<int> load(Diagnostics&) override { return stored; }
  bool save(int furthest, Diagnostics&) override {
    stored = furthest;
    ++saves;
    return true;
  }
  std::optional<int> stored;
  int saves = 0;
};

// Back-buffer pixels of the title menu's items (camera at its start place).
constexpr Vec2 kStartGamePixel{250, 395};
constexpr Vec2 kContinuePixel{200, 695};

class StripGame {
 public:
  explicit StripGame(ProgressStore* progress = nullptr)
      : game(context, devices,
             GameOptions{std::filesystem::path(VAPORWICK_TEST_DATA) / "scenarios" / "strip", 11, nullptr, progress}) {
    started = game.startUp(diagnostics);
  }

  void run(int n = 1) {
    for (int i = 0; i < n; ++i) {
      game.updateGame(1.0f / 60.0f);
      renderFrame(game, context);
    }
  }
  void tap(int key) {
    devices.press(key);
    run();
    devices.release(key);
    run();
  }
  void click(Vec2 pixel) {
    devices.cursor = pixel;
    devices.button = true;
    run();
    devices.button = false;
    devices.cursor = Vec2(900, 100);
    run();
  }
  // Moves the player to a world point, as if it had walked there.
  void putPlayerAt(Vec3 at) {
    const Vec3 p = game.player->getPosition();
    game.player->translate(at.x - p.x, at.y - p.y, 0);
    game.player->updateBounds();
  }
  float puzzleLeft(int index) const { return game.puzzles.at(static_cast<std::size_t>(index)).offset; }

  RecordingRenderContext context;
  ScriptedDevices devices;
  Game game;
  Diagnostics diagnostics;
  bool started = false;
};

}  // namespace vw::test
