#pragma once
// A whole game on one of the small puzzle folders in tests/data/scenarios,
// stepped update by update with scripted input and drawn through the no-op
// render context (animations step while drawing).
#include <string>

#include "app/Game.h"
#include "render/RenderContext.h"
#include "render/RenderPass.h"
#include "support/ScriptedDevices.h"

namespace vw::test {

class ScenarioGame {
 public:
  explicit ScenarioGame(const std::string& name, std::uint32_t seed = 11)
      : game(context, devices, GameOptions{std::filesystem::path(VAPORWICK_TEST_DATA) / "scenarios" / name, seed}) {
    started = game.startUp(diagnostics);
    game.gameState = GameState::Playing;
  }

  // One update and one drawn frame.
  void step(float dt = 1.0f / 60.0f) {
    game.updateGame(dt);
    renderFrame(game, context);
  }
  void run(int updates) {
    for (int i = 0; i < updates; ++i) step();
  }
  // Puts the cursor on a world point for the camera as it stands now.
  void aimAt(Vec3 world) {
    devices.cursor = Vec2(world.x - game.cameraEye.x + 500.0f, 400.0f - (world.y - game.cameraEye.y));
  }
  // Chooses a power with its number key while the button is up (one update).
  void choose(int key) {
    devices.button = false;
    devices.press(key);
    step();
    devices.release(key);
    step();
  }
  Player& player() { return *game.player; }

  template <typename T>
  T& element(std::size_t index) {
    return static_cast<T&>(*game.puzzleElements.at(index));
  }

  NullRenderContext context;
  ScriptedDevices devices;
  Game game;
  Diagnostics diagnostics;
  bool started = false;
};

}  // namespace vw::test
