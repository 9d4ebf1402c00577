// The desktop sound without a device: one warning, then silence while the
// game plays, sprays and mutes.
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

TEST(SdlAudio, WithoutADeviceItWarnsOnceAndPlaysSilently) {
  ASSERT_EQ(setenv("SDL_AUDIODRIVER", "vaporwick-no-such-driver", 1), 0);
  test::RecordingRenderContext context;
  test::ScriptedDevices devices;
  Game game(context, devices, {std::filesystem::path(VAPORWICK_TEST_DATA) / "sound", 5, nullptr});
  Diagnostics ignored;
  ASSERT_TRUE(game.startUp(ignored));
  std::ostringstream warnings;
  {
    SdlAudio audio(false, warnings);
    EXPECT_FALSE(audio.hasDevice());
    for (int i = 0; i <= 120; ++i) {
      devices.button = i < 2;  // "Start Game", then spray now and then, and mute at the end
      devices.cursor = i < 2 ? Vec2(300, 400) : Vec2(600, 450);
      if (i % 20 == 10) devices.press(Key::W);
      if (i % 20 == 12) devices.release(Key::W);
      if (i == 120) devices.press(Key::M);
      game.updateGame(1.0f / 60.0f);
      audio.afterUpdate(game);
    }
  }
  const std::string text = warnings.str();
  EXPECT_EQ(text.rfind("vaporwick: no sound device (", 0), 0u) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
  unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
}  // namespace vw
