#pragma once
// A fresh game on a small data directory, driven update by update with
// scripted devices and drawn through a recording context.
#include <gtest/gtest.h>

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

class GameFixture : public ::testing::Test {
 protected:
  explicit GameFixture(const std::string& dataDir = "game") : game(context, devices, {testData(dataDir), 3, nullptr}) {
    Diagnostics diagnostics;
    started = game.startUp(diagnostics);
    startDiagnostics = diagnostics;
  }

  // n updates, each followed by a drawn frame, with the devices as they are.
  void run(int n = 1, float dt = 1.0f / 60.0f) {
    for (int i = 0; i < n; ++i) {
      game.updateGame(dt);
      renderFrame(game, context);
    }
  }
  // Presses a key for one update and releases it for the next.
  void tap(int key) {
    devices.press(key);
    run();
    devices.release(key);
    run();
  }
  // Clicks "Start Game" on the title menu and lets go.
  void startPlaying() {
    devices.cursor = Vec2(300, 400);
    devices.button = true;
    run();
    devices.button = false;
    devices.cursor = Vec2(700, 400);
    run();
  }

  RecordingRenderContext context;
  ScriptedDevices devices;
  Game game;
  bool started = false;
  Diagnostics startDiagnostics;
};

}  // namespace vw::test
