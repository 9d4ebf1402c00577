// The desktop sound: without a device it warns once and stays silent; with
// SDL's dummy device it mixes on SDL's own audio thread while the game runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "../../unit/support/RecordingRenderContext.h"
#include "../../unit/support/ScriptedDevices.h"
#include "app/Game.h"
#include "app/KeyCodes.h"
#include "platform/SdlAudio.h"

namespace vw {
namespace {

std::filesystem::path soundData() { return std::filesystem::path(VAPORWICK_TEST_DATA) / "sound"; }

// A started game on the small sound puzzle, and a way to play a few updates.
struct SmallGame {
  SmallGame() : game(context, devices, {soundData(), 5, nullptr}) {
    Diagnostics ignored;
    started = game.startUp(ignored);
  }
  void play(SdlAudio& audio, int updates) {
    for (int i = 0; i < updates; ++i) {
      devices.button = i < 2;  // "Start Game", then spray now and then
      devices.cursor = i < 2 ? Vec2(300, 400) : Vec2(600, 450);
      if (i % 20 == 10) devices.press(Key::W);
      if (i % 20 == 12) devices.release(Key::W);
      game.updateGame(1.0f / 60.0f);
      audio.afterUpdate(game);
    }
  }

  test::RecordingRenderContext context;
  test::ScriptedDevices devices;
  Game game;
  bool started = false;
};

TEST(SdlAudio, WithoutADeviceItWarnsOnceAndPlaysSilently) {
  ASSERT_EQ(setenv("SDL_AUDIODRIVER", "vaporwick-no-such-driver", 1), 0);
  std::ostringstream warnings;
  SmallGame small;
  ASSERT_TRUE(small.started);
  {
    SdlAudio audio(false, warnings);
    EXPECT_FALSE(audio.hasDevice());
    small.play(audio, 120);
    small.devices.press(Key::M);
    small.play(audio, 1);
  }
  const std::string text = warnings.str();
  EXPECT_EQ(text.rfind("vaporwick: no sound device (", 0), 0u) << text;
  EXPECT_NE(text.find("); playing silently\n"), std::string::npos) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
  unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
}  // namespace vw
