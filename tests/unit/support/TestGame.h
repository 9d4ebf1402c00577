#pragma once
// A whole game on one of the small data folders in tests/data, from the
// title menu, driven update by update with scripted devices and drawn
// through a recording context; ScenarioGame starts it playing, StripGame is
// the three puzzles of scenarios/strip with an optional progress store, and
// GameFixture makes it a gtest fixture.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/Game.h"
#include "app/KeyCodes.h"
#include "render/RenderPass.h"
#include "support/RecordingRenderContext.h"
#include "support/ScriptedDevices.h"

namespace vw::test {

inline std::filesystem::path testData(const std::string& name) {
  return std::filesystem::path(VAPORWICK_TEST_DATA) / name;
}

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

class TestGame {
 public:
  explicit TestGame(const std::string& folder, std::uint32_t seed = 11, ProgressStore* progress = nullptr)
      : game(context, devices, GameOptions{testData(folder), seed, nullptr, progress}) {
    started = game.startUp(diagnostics);
  }

  // One update and one drawn frame, with the devices as they are.
  void step(float dt = 1.0f / 60.0f) {
    game.updateGame(dt);
    renderFrame(game, context);
  }
  void run(int n = 1) {
    for (int i = 0; i < n; ++i) step();
  }
  // Presses a key for one update and releases it for the next.
  void tap(int key) {
    devices.press(key);
    run();
    devices.release(key);
    run();
  }
  // Clicks a back-buffer pixel and lets go with the cursor away from the menu.
  void click(Vec2 pixel) {
    devices.cursor = pixel;
    devices.button = true;
    run();
    devices.button = false;
    devices.cursor = Vec2(700, 400);
    run();
  }
  void startPlaying() { click(kStartGamePixel); }
  // Moves the player to a world point, as if it had walked there.
  void putPlayerAt(Vec3 at) {
    const Vec3 p = game.player->getPosition();
    game.player->translate(at.x - p.x, at.y - p.y, 0);
    game.player->updateBounds();
  }
  // Puts the cursor on a world point for the camera as it stands now.
  void aimAt(Vec3 world) {
    devices.cursor = Vec2(world.x - game.cameraEye.x + 500.0f, 400.0f - (world.y - game.cameraEye.y));
  }
  // Chooses a power with its number key while the button is up.
  void choose(int key) {
    devices.button = false;
    tap(key);
  }
  float puzzleLeft(int index) const { return game.puzzles.at(static_cast<std::size_t>(index)).offset; }
  Player& player() { return *game.player; }
  template <typename T>
  T& element(std::size_t index) {
    return static_cast<T&>(*game.puzzleElements.at(index));
  }

  RecordingRenderContext context;
  ScriptedDevices devices;
  Game game;
  Diagnostics diagnostics;
  bool started = false;
};

// A game on tests/data/scenarios/NAME, already playing; it records no draws.
struct ScenarioGame : TestGame {
  explicit ScenarioGame(const std::string& name, std::uint32_t seed = 11) : TestGame("scenarios/" + name, seed) {
    game.gameState = GameState::Playing;
    context.recording = false;
  }
};

// Three puzzles side by side, from the title menu.
struct StripGame : TestGame {
  explicit StripGame(ProgressStore* progress = nullptr) : TestGame("scenarios/strip", 11, progress) {}
};

class GameFixture : public ::testing::Test, public TestGame {
 protected:
  explicit GameFixture(const std::string& folder = "game") : TestGame(folder, 3) {}
};

}  // namespace vw::test
